#pragma once

#include "core/IRealWndHandler.h"
#include "core/SAutoRef.h"
#include "core/SObjectFactoryMgr.h"
#include "core/SSingleton.h"
#include "res.mgr/SNamedValue.h"
#include "res.mgr/SResProviderMgr.h"

#include <memory>

namespace SAKU {

struct IAttrStorageFactory;
struct IInterpolator;
struct ILogManager;
struct IMsgLoopFactory;
struct IRealWndHandler;
struct IRenderFactory;
struct IScriptModule;
struct ISkinObj;
struct ISystemObjectRegister;
struct IToolTipFactory;
struct ITranslatorMgr;
class SFontPool;
class SMessageLoop;
class SRicheditMenuDef;
class SScriptTimer;
class SSkinPoolMgr;
class SStylePoolMgr;
class STimer2;
class SUiDef;
class SWindow;
class SWindowFinder;
class SWindowMgr;

// The root object of the UI library: the resource-provider manager and the object
// factories in one, the holder of the render factory, the translator, the tooltip
// and message-loop factories and the program's named ids, and the owner of the
// library's singletons, which it makes in a fixed order and deletes in the reverse
// one, after every resource provider is gone. It runs the main message loop. The
// program makes it before any other library object and deletes it last; every
// part of the library finds it as the singleton. UI thread.
class SApplication : public SSingleton<SApplication>, public SResProviderMgr, public SObjectFactoryMgr {
public:
    // Registers the classes of `registrar`, whose one reference the application
    // takes and releases when done (null registers nothing). The render factory
    // gets a reference of the application's. The library's real windows are of
    // the window class `hostClassName`.
    SApplication(IRenderFactory* renderFactory, HINSTANCE module, LPCWSTR hostClassName = L"SAKUHOST",
                 ISystemObjectRegister* registrar = nullptr);
    ~SApplication() override;

    // A new object of the class (any letter case), with its first reference for
    // the caller; null (and a warning logged) for a class no factory of the kind
    // knows, and null for a registered class that is not of the kind.
    virtual SWindow* CreateWindowByName(LPCWSTR className) const;
    virtual ISkinObj* CreateSkinByName(LPCWSTR className) const;
    virtual IInterpolator* CreateInterpolatorByName(LPCWSTR className) const;
    // A place for a program's own application class to hook into; the library
    // calls it nowhere.
    virtual void ExtensionHook() {}

    // E_FAIL and null: the library runs no scripts.
    HRESULT CreateScriptModule(IScriptModule** module);

    IRenderFactory* GetRenderFactory() const { return m_renderFactory.Get(); }   // no reference added
    ITranslatorMgr* GetTranslator() const { return m_translator.Get(); }
    IToolTipFactory* GetToolTipFactory() const { return m_toolTipFactory.Get(); }
    IMsgLoopFactory* GetMsgLoopFactory() const { return m_msgLoopFactory.Get(); }
    // The library's log sink (SetLogSink); null while none is installed.
    ILogManager* GetLogManager() const;
    // No program of this library installs these two: always null.
    IAttrStorageFactory* GetAttrStorageFactory() const { return nullptr; }
    IRealWndHandler* GetRealWndHandler() const { return m_realWndHandler.Get(); }
    // The program's maker of the native windows of "realwnd" elements; the
    // application holds a reference (null: none, realwnds only keep their room).
    void SetRealWndHandler(IRealWndHandler* handler) { m_realWndHandler = handler; }

    HINSTANCE GetModule() const { return m_module; }
    // The folder of the module's file, without the trailing backslash.
    const SStringW& GetAppDir() const { return m_appDir; }
    // The main loop, which RunMainLoop runs and host windows hand their tooltips.
    SMessageLoop* GetMsgLoop() const { return m_msgLoop; }

    // Replaces the table of named window ids with a copy of `entries` (each a name
    // field of 52 units and an id), sorted by name unless `sorted` says it is.
    void InitNamedIDs(const SNamedID::Entry* entries, int count, bool sorted);
    // The id of the name (exact comparison); 0 when absent or 50 characters or longer.
    int Name2ID(LPCWSTR name) const;

    // Fills the built-in skin pool, the edit boxes' menu template and the message
    // box template from the "XML" resources "SYS_XML_SKIN", "SYS_XML_EDITMENU" and
    // "SYS_XML_MSGBOX" of `provider`, which is one of the manager's providers for
    // the call. A mask of what was not loaded: 1 skins, 2 menu, 4 message box.
    int LoadSystemResources(IResProvider* provider);
    // The message box template ("SAKU" element); empty until loaded.
    pugi::xml_node GetMsgBoxTemplate() const { return m_msgBoxTemplate.first_child(); }

    // Parses a "type:name" resource ("LAYOUT:xml_mainwnd", "file:C:\\a.xml") into
    // `document`; false, the document empty, for a reference without a colon or a
    // resource that is missing, empty or not XML.
    bool LoadXml(pugi::xml_document& document, const SStringW& resRef);
    // The same for (type, name) of `provider`, or, without one, of a file (type
    // "file") or of the newest provider holding it.
    bool LoadXmlFromResource(LPCWSTR name, LPCWSTR type, pugi::xml_document& document,
                             IResProvider* provider = nullptr);

    // Runs the main loop until WM_QUIT and answers its code; destroys `mainWnd`
    // when it still exists then.
    int RunMainLoop(HWND mainWnd);

private:
    void CreateSingletons(HINSTANCE module, LPCWSTR hostClassName);
    void DestroySingletons();

    SAutoRef<IRealWndHandler> m_realWndHandler;
    SAutoRef<IRenderFactory> m_renderFactory;
    SAutoRef<ITranslatorMgr> m_translator;
    SAutoRef<IToolTipFactory> m_toolTipFactory;
    SAutoRef<IMsgLoopFactory> m_msgLoopFactory;
    SNamedID m_namedIDs;
    SStringW m_appDir;
    HINSTANCE m_module;
    HWND m_mainWnd = nullptr;
    SMessageLoop* m_msgLoop = nullptr;   // the message-loop factory's, given back to it
    pugi::xml_document m_msgBoxTemplate;

    // The singletons, in the order they are made.
    std::unique_ptr<SUiDef> m_uiDef;
    std::unique_ptr<SWindowMgr> m_windowMgr;
    std::unique_ptr<STimer2> m_timer2;
    std::unique_ptr<SScriptTimer> m_scriptTimer;
    std::unique_ptr<SFontPool> m_fontPool;
    std::unique_ptr<SSkinPoolMgr> m_skinPoolMgr;
    std::unique_ptr<SStylePoolMgr> m_stylePoolMgr;
    std::unique_ptr<SWindowFinder> m_windowFinder;
    // Made unless one exists; only those made here are destroyed here.
    bool m_madeWndHelper = false;
    bool m_madeTextServiceHelper = false;
    std::unique_ptr<SRicheditMenuDef> m_richeditMenuDef;
};

}  // namespace SAKU
