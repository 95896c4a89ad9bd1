#include "core/SApplication.h"

#include "core/ISkinObj.h"
#include "core/SFontPool.h"
#include "core/SObjectDefaultRegister.h"
#include "core/SScriptTimer.h"
#include "core/SSkinPool.h"
#include "core/SStylePool.h"
#include "render/IRenderFactory.h"
#include "res.mgr/SUiDef.h"

#include <wchar.h>

namespace SAKU {

namespace {

SStringW ModuleFolder(HINSTANCE module)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return SStringW();
    const wchar_t* const slash = wcsrchr(path, L'\\');
    return slash ? SStringW(path, static_cast<int>(slash - path)) : SStringW();
}

}  // namespace

SApplication::SApplication(IRenderFactory* renderFactory, HINSTANCE module, LPCWSTR hostClassName,
                           ISystemObjectRegister* registrar)
    : m_renderFactory(renderFactory), m_module(module), m_appDir(ModuleFolder(module)), m_hostClassName(hostClassName)
{
    m_uiDef = std::make_unique<SUiDef>();
    m_scriptTimer = std::make_unique<SScriptTimer>();
    m_fontPool = std::make_unique<SFontPool>(renderFactory);
    m_skinPoolMgr = std::make_unique<SSkinPoolMgr>();
    m_stylePoolMgr = std::make_unique<SStylePoolMgr>();

    if (registrar) {
        auto owned = SAutoRef<ISystemObjectRegister>::Adopt(registrar);
        owned->RegisterLayouts(this);
        owned->RegisterSkins(this);
        owned->RegisterWindows(this);
        owned->RegisterInterpolators(this);
    }
}

SApplication::~SApplication()
{
    // Providers first: a provider's UI definition may hold pools of the singletons.
    RemoveAllResProviders();
    m_stylePoolMgr.reset();
    m_skinPoolMgr.reset();
    m_fontPool.reset();
    m_scriptTimer.reset();
    m_uiDef.reset();
}

ISkinObj* SApplication::CreateSkinByName(LPCWSTR className) const
{
    // Every class registered with the skin type is a skin.
    return static_cast<ISkinObj*>(CreateObject(SObjectInfo(className, kObjTypeSkin)));
}

}  // namespace SAKU
