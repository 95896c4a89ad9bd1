#pragma once

#include "core/SAutoRef.h"
#include "core/SObjectFactoryMgr.h"
#include "core/SSingleton.h"
#include "res.mgr/SResProviderMgr.h"

#include <memory>

namespace SAKU {

struct IRenderFactory;
struct ISkinObj;
struct ISystemObjectRegister;
class SFontPool;
class SScriptTimer;
class SSkinPoolMgr;
class SStylePoolMgr;
class SUiDef;

// The root object of the UI library: the resource-provider manager and the object
// factories in one, the holder of the render factory, and the owner of the
// library's singletons, which it makes in a fixed order and deletes in the reverse
// one, after every resource provider is gone. The program makes it before any
// other library object and deletes it last; every part of the library finds it as
// the singleton. UI thread.
class SApplication : public SSingleton<SApplication>, public SResProviderMgr, public SObjectFactoryMgr {
public:
    // Registers the classes of `registrar`, whose one reference the application
    // takes and releases when done (null registers nothing). The render factory
    // gets a reference of the application's.
    SApplication(IRenderFactory* renderFactory, HINSTANCE module, LPCWSTR hostClassName = L"SAKUHOST",
                 ISystemObjectRegister* registrar = nullptr);
    ~SApplication() override;

    // A new skin of the class, with its first reference for the caller; null (and a
    // warning logged) for a class no skin factory knows.
    ISkinObj* CreateSkinByName(LPCWSTR className) const;

    IRenderFactory* GetRenderFactory() const { return m_renderFactory.Get(); }   // no reference added
    HINSTANCE GetModule() const { return m_module; }
    // The folder of the module's file, without the trailing backslash.
    const SStringW& GetAppDir() const { return m_appDir; }
    // The window class of the library's host windows.
    const SStringW& GetHostClassName() const { return m_hostClassName; }

private:
    SAutoRef<IRenderFactory> m_renderFactory;
    HINSTANCE m_module;
    SStringW m_appDir;
    SStringW m_hostClassName;

    // The singletons, in the order they are made.
    std::unique_ptr<SUiDef> m_uiDef;
    std::unique_ptr<SScriptTimer> m_scriptTimer;
    std::unique_ptr<SFontPool> m_fontPool;
    std::unique_ptr<SSkinPoolMgr> m_skinPoolMgr;
    std::unique_ptr<SStylePoolMgr> m_stylePoolMgr;
};

}  // namespace SAKU
