#include "controls/SMenuAttr.h"

#include "core/ISkinObj.h"
#include "core/SFontPool.h"
#include "core/SSkinPool.h"
#include "render/IFont.h"

#include <pugixml.hpp>

#include <wchar.h>

namespace SAKU {

namespace {

// Skins and fonts of a menu are looked up at scale 100: a menu of the system is
// not scaled with the windows.
constexpr int kMenuScale = 100;

ISkinObj* SkinNamed(const SStringW& name)
{
    SSkinPoolMgr* const pools = SSkinPoolMgr::GetInstance();
    return pools ? pools->GetSkin(name, kMenuScale) : nullptr;
}

IFont* FontNamed(const SStringW& description)
{
    SFontPool* const fonts = SFontPool::GetInstance();
    return fonts ? fonts->GetFont(description, kMenuScale) : nullptr;
}

COLORREF OpaqueSysColor(int index)
{
    return ::GetSysColor(index) | 0xFF000000;
}

}  // namespace

SMenuAttr::SMenuAttr()
    : m_itemSkin(SkinNamed(L"_skin.sys.menu.skin")),
      m_sepSkin(SkinNamed(L"_skin.sys.menu.sep")),
      m_checkSkin(SkinNamed(L"_skin.sys.menu.check")),
      m_textColor(OpaqueSysColor(COLOR_MENUTEXT)),
      m_selTextColor(OpaqueSysColor(COLOR_HIGHLIGHTTEXT)),
      m_grayTextColor(OpaqueSysColor(COLOR_GRAYTEXT))
{
}

SMenuAttr::~SMenuAttr() = default;

void SMenuAttr::OnInitFinished(pugi::xml_node)
{
    if (m_itemHeight == 0 && m_itemSkin)
        m_itemHeight = m_itemSkin->QuerySkinSize().cy;
    if (!m_font)
        m_font = FontNamed(SStringW());
}

HRESULT SMenuAttr::OnAttrItemSkin(const SStringW& value, BOOL)
{
    m_itemSkin = SkinNamed(value);
    return kNoRefresh;
}

HRESULT SMenuAttr::OnAttrIconSkin(const SStringW& value, BOOL)
{
    m_iconSkin = SkinNamed(value);
    return kNoRefresh;
}

HRESULT SMenuAttr::OnAttrSepSkin(const SStringW& value, BOOL)
{
    m_sepSkin = SkinNamed(value);
    return kNoRefresh;
}

HRESULT SMenuAttr::OnAttrCheckSkin(const SStringW& value, BOOL)
{
    m_checkSkin = SkinNamed(value);
    return kNoRefresh;
}

HRESULT SMenuAttr::OnAttrIconSize(const SStringW& value, BOOL)
{
    // "w,h": a number that is missing keeps its side.
    int width = m_iconSize.cx;
    int height = m_iconSize.cy;
    (void)swscanf(value.c_str(), L"%d,%d", &width, &height);   // what it could not read stays
    m_iconSize = SIZE{width, height};
    return kNoRefresh;
}

HRESULT SMenuAttr::OnAttrFont(const SStringW& value, BOOL)
{
    m_font = FontNamed(value);
    return kNoRefresh;
}

}  // namespace SAKU
