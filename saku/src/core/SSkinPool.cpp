#include "core/SSkinPool.h"
#include "core/SkinLookup.h"

#include "core/ISkinObj.h"
#include "core/SApplication.h"
#include "core/SXmlLookup.h"

namespace SAKU {

namespace {

const wchar_t* const kSystemSkinNames[SSkinPoolMgr::kSystemSkinCount] = {
    L"_skin.sys.checkbox",      L"_skin.sys.radio",          L"_skin.sys.focuscheckbox",
    L"_skin.sys.focusradio",    L"_skin.sys.btn.normal",     L"_skin.sys.scrollbar",
    L"_skin.sys.border",        L"_skin.sys.dropbtn",        L"_skin.sys.tree.toggle",
    L"_skin.sys.tree.checkbox", L"_skin.sys.tab.page",       L"_skin.sys.header",
    L"_skin.sys.split.vert",    L"_skin.sys.split.horz",     L"_skin.sys.prog.bkgnd",
    L"_skin.sys.prog.bar",      L"_skin.sys.vert.prog.bkgnd", L"_skin.sys.vert.prog.bar",
    L"_skin.sys.slider.thumb",  L"_skin.sys.btn.close",      L"_skin.sys.btn.minimize",
    L"_skin.sys.btn.maxmize",   L"_skin.sys.btn.restore",    L"_skin.sys.menu.check",
    L"_skin.sys.menu.sep",      L"_skin.sys.menu.arrow",     L"_skin.sys.menu.border",
    L"_skin.sys.menu.skin",     L"_skin.sys.icons",          L"_skin.sys.wnd.bkgnd",
};

void ReleaseSkin(ISkinObj* const& skin)
{
    skin->Release();
}

}  // namespace

int NormalizeSkinScale(int scale)
{
    int normal = kStandardScales[0];
    for (const int standard : kStandardScales) {
        if (standard <= scale)
            normal = standard;
    }
    return normal;
}

SSkinPool::SSkinPool() : SCmnMap<ISkinObj*, SkinKey>(ReleaseSkin)
{
}

int SSkinPool::LoadSkins(pugi::xml_node element)
{
    SApplication* const app = SApplication::GetInstance();
    SSkinPoolMgr* const pools = SSkinPoolMgr::GetInstance();
    if (!element || !app)
        return 0;
    // A reference of the load's own: the stack's is gone once the pool is popped.
    const SAutoRef<SSkinPool> self(this);
    if (pools)
        pools->PushPool(this);
    int created = 0;
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        const SStringW name = XmlAttribute(child, L"name").value();
        if (child.type() != pugi::node_element || *child.name() == L'\0' || name.IsEmpty())
            continue;
        auto skin = SAutoRef<ISkinObj>::Adopt(app->CreateSkinByName(child.name()));
        if (!skin)
            continue;
        skin->BuildFromXml(child);
        ++created;
        if (AddIfAbsent(SkinKey{name, skin->GetScale()}, skin.Get()))
            skin.Detach();   // the pool holds it now
    }
    if (pools)
        pools->PopPool(this);
    return created;
}

ISkinObj* SSkinPool::GetSkin(const SStringW& name, int scale)
{
    ISkinObj* skin = nullptr;
    if (GetKeyObject(SkinKey{name, scale}, skin))
        return skin;
    const int normal = NormalizeSkinScale(scale);
    if (GetKeyObject(SkinKey{name, normal}, skin))
        return skin;
    ISkinObj* found = nullptr;
    for (const int standard : kStandardScales) {
        if (GetKeyObject(SkinKey{name, standard}, found))
            break;
    }
    if (!found)
        return nullptr;
    auto copy = SAutoRef<ISkinObj>::Adopt(found->Scale(normal));
    if (!copy)
        return found;   // the class does not scale
    // Making the copy may have made one already (a group naming itself).
    if (GetKeyObject(SkinKey{name, normal}, skin))
        return skin;
    if (!AddIfAbsent(SkinKey{name, normal}, copy.Get()))
        return found;
    return copy.Detach();
}

SSkinPoolMgr::SSkinPoolMgr() : m_builtin(SAutoRef<SSkinPool>::Adopt(new SSkinPool))
{
    PushPool(m_builtin.Get());
}

void SSkinPoolMgr::PushPool(SSkinPool* pool)
{
    m_pools.Push(pool);
}

SSkinPool* SSkinPoolMgr::PopPool(SSkinPool* pool)
{
    return m_pools.Pop(pool, m_builtin.Get());
}

ISkinObj* SSkinPoolMgr::GetSkin(const SStringW& name, int scale)
{
    return m_pools.FindFromTop<ISkinObj*>([&](SSkinPool* pool) { return pool->GetSkin(name, scale); });
}

ISkinObj* SSkinPoolMgr::GetSystemSkin(int index, int scale)
{
    const LPCWSTR name = SystemSkinName(index);
    return name ? m_builtin->GetSkin(name, scale) : nullptr;
}

LPCWSTR SSkinPoolMgr::SystemSkinName(int index)
{
    return index >= 0 && index < kSystemSkinCount ? kSystemSkinNames[index] : nullptr;
}

ISkinObj* FindSkin(const SStringW& name, int scale)
{
    SSkinPoolMgr* const skins = SSkinPoolMgr::GetInstance();
    return skins ? skins->GetSkin(name, scale) : nullptr;
}

ISkinObj* FindBuiltinSkin(LPCWSTR name)
{
    SSkinPoolMgr* const skins = SSkinPoolMgr::GetInstance();
    return skins ? skins->GetBuiltinPool()->GetSkin(name, 100) : nullptr;
}

ISkinObj* RescaleSkin(ISkinObj* skin, int scale)
{
    LPCWSTR const name = skin ? skin->GetName() : nullptr;
    if (!name || !*name)
        return skin;
    ISkinObj* const scaled = FindSkin(name, scale);
    return scaled ? scaled : skin;
}

}  // namespace SAKU
