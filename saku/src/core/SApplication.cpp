#include "core/SApplication.h"

#include "core/CSimpleWndHelper.h"
#include "core/IInterpolator.h"
#include "core/IMsgLoopFactory.h"
#include "core/ISkinObj.h"
#include "core/IToolTipFactory.h"
#include "core/LayeredWindowApi.h"
#include "core/ITranslatorMgr.h"
#include "core/SFontPool.h"
#include "core/SInterpolators.h"
#include "core/SLog.h"
#include "core/SMessageLoop.h"
#include "core/SObjectDefaultRegister.h"
#include "core/SRicheditMenuDef.h"
#include "core/SScriptTimer.h"
#include "core/SSkinObjBase.h"
#include "core/SSkinPool.h"
#include "core/SStylePool.h"
#include "core/STextServiceHelper.h"
#include "core/STimer2.h"
#include "core/SWindow.h"
#include "core/SWindowFinder.h"
#include "core/SWindowMgr.h"
#include "core/SXmlLookup.h"
#include "render/IRenderFactory.h"
#include "res.mgr/ResXml.h"
#include "res.mgr/SUiDef.h"

#include <wchar.h>

namespace SAKU {

namespace {

// What LoadSystemResources reports as not loaded.
constexpr int kNoSystemSkins = 1;
constexpr int kNoEditMenu = 2;
constexpr int kNoMsgBoxTemplate = 4;

SStringW ModuleFolder(HINSTANCE module)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return SStringW();
    const wchar_t* const slash = wcsrchr(path, L'\\');
    return slash ? SStringW(path, static_cast<int>(slash - path)) : SStringW();
}

// A fresh object nobody else holds yet: its first reference is its only one, so
// deleting it is its final release. Its IObjRef part is not known here.
void DiscardNewObject(IObject* object)
{
    delete object;
}

// The object of `key` as a T, or null. The interfaces have no class name of their
// own, so the cast goes through the library's base class of the kind, which has;
// an object of another class is discarded.
template <typename T>
T* CreateAs(const SObjectFactoryMgr& factories, const SObjectInfo& key)
{
    IObject* const object = factories.CreateObject(key);
    T* const typed = SObjCast<T>(object);
    if (object && !typed)
        DiscardNewObject(object);
    return typed;
}

}  // namespace

SApplication::SApplication(IRenderFactory* renderFactory, HINSTANCE module, LPCWSTR hostClassName,
                           ISystemObjectRegister* registrar)
    : m_renderFactory(renderFactory), m_module(module)
{
    // Without them no translucent host can be shown, which each host finds out
    // for itself; the rest of the library does not need them.
    (void)InitLayeredWindowApi();
    CreateSingletons(module, hostClassName);

    m_translator.Attach(new SNullTranslator);
    m_toolTipFactory.Attach(new SDefToolTipFactory);
    m_msgLoopFactory.Attach(new SDefMsgLoopFactory);
    m_appDir = ModuleFolder(module);
    m_msgLoop = m_msgLoopFactory->CreateMsgLoop();

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
    m_msgLoopFactory->DestroyMsgLoop(m_msgLoop);
    m_msgLoop = nullptr;
    // Providers first: a provider's UI definition may hold pools of the singletons.
    RemoveAllResProviders();
    DestroySingletons();
}

void SApplication::CreateSingletons(HINSTANCE module, LPCWSTR hostClassName)
{
    m_uiDef = std::make_unique<SUiDef>();
    m_windowMgr = std::make_unique<SWindowMgr>();
    m_timer2 = std::make_unique<STimer2>();
    m_scriptTimer = std::make_unique<SScriptTimer>();
    m_fontPool = std::make_unique<SFontPool>(m_renderFactory.Get());
    m_skinPoolMgr = std::make_unique<SSkinPoolMgr>();
    m_stylePoolMgr = std::make_unique<SStylePoolMgr>();
    m_windowFinder = std::make_unique<SWindowFinder>();

    m_madeWndHelper = CSimpleWndHelper::Init(module, hostClassName);
    m_madeTextServiceHelper = STextServiceHelper::Init();
    if (!SRicheditMenuDef::GetInstance())
        m_richeditMenuDef = std::make_unique<SRicheditMenuDef>();
}

void SApplication::DestroySingletons()
{
    m_windowFinder.reset();
    m_stylePoolMgr.reset();
    m_skinPoolMgr.reset();
    m_fontPool.reset();
    m_scriptTimer.reset();
    m_timer2.reset();
    m_windowMgr.reset();
    m_uiDef.reset();

    if (m_madeWndHelper)
        CSimpleWndHelper::Destroy();
    if (m_madeTextServiceHelper)
        STextServiceHelper::Destroy();
    m_richeditMenuDef.reset();
}

SWindow* SApplication::CreateWindowByName(LPCWSTR className) const
{
    return CreateAs<SWindow>(*this, SObjectInfo(className, kObjTypeWindow));
}

ISkinObj* SApplication::CreateSkinByName(LPCWSTR className) const
{
    return CreateAs<SSkinObjBase>(*this, SObjectInfo(className, kObjTypeSkin));
}

IInterpolator* SApplication::CreateInterpolatorByName(LPCWSTR className) const
{
    return CreateAs<SInterpolatorBase>(*this, SObjectInfo(className, kObjTypeInterpolator));
}

HRESULT SApplication::CreateScriptModule(IScriptModule** module)
{
    if (module)
        *module = nullptr;
    return E_FAIL;
}

ILogManager* SApplication::GetLogManager() const
{
    return GetLogSink();
}

void SApplication::InitNamedIDs(const SNamedID::Entry* entries, int count, bool sorted)
{
    m_namedIDs.Init(entries, count, sorted);
}

int SApplication::Name2ID(LPCWSTR name) const
{
    return m_namedIDs.Lookup(name);
}

int SApplication::LoadSystemResources(IResProvider* provider)
{
    if (!provider)
        return kNoSystemSkins | kNoEditMenu | kNoMsgBoxTemplate;
    // The skins' images are found through the manager while the provider is one of its.
    AddResProvider(provider);
    int missing = 0;

    pugi::xml_document skins;
    const pugi::xml_node skinElement =
        LoadXmlFromResource(L"SYS_XML_SKIN", L"XML", skins, provider) ? XmlChild(skins, L"skin") : pugi::xml_node();
    if (skinElement)
        m_skinPoolMgr->GetBuiltinPool()->LoadSkins(skinElement);
    else
        missing |= kNoSystemSkins;

    pugi::xml_document editMenu;
    const pugi::xml_node menuElement = LoadXmlFromResource(L"SYS_XML_EDITMENU", L"XML", editMenu, provider)
                                           ? XmlChild(editMenu, L"editmenu")
                                           : pugi::xml_node();
    SRicheditMenuDef* const menuDef = SRicheditMenuDef::GetInstance();
    if (menuElement && menuDef)
        menuDef->StoreTemplate(menuElement);
    else
        missing |= kNoEditMenu;

    pugi::xml_document msgBox;
    const pugi::xml_node msgBoxElement =
        LoadXmlFromResource(L"SYS_XML_MSGBOX", L"XML", msgBox, provider) ? XmlChild(msgBox, L"SAKU") : pugi::xml_node();
    if (msgBoxElement && *XmlAttribute(msgBoxElement, L"frameSize").value() &&
        *XmlAttribute(msgBoxElement, L"minSize").value()) {
        m_msgBoxTemplate.reset();
        m_msgBoxTemplate.append_copy(msgBoxElement);
    } else {
        missing |= kNoMsgBoxTemplate;
    }

    RemoveResProvider(provider);
    return missing;
}

bool SApplication::LoadXml(pugi::xml_document& document, const SStringW& resRef)
{
    SStringW type;
    SStringW name;
    if (SplitResRef(resRef, type, name) != 2) {
        document.reset();
        return false;
    }
    return LoadXmlFromResource(name, type, document);
}

bool SApplication::LoadXmlFromResource(LPCWSTR name, LPCWSTR type, pugi::xml_document& document,
                                       IResProvider* provider)
{
    const bool loaded = provider ? LoadResXml(provider, type, name, document) : LoadResXml(*this, type, name, document);
    if (!loaded)
        document.reset();   // a parse error leaves the part that was read
    return loaded;
}

int SApplication::RunMainLoop(HWND mainWnd)
{
    m_mainWnd = mainWnd;
    const int code = m_msgLoop->Run();
    if (mainWnd && ::IsWindow(mainWnd))
        ::DestroyWindow(mainWnd);
    return code;
}

}  // namespace SAKU
