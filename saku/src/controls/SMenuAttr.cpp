#include "controls/SMenuAttr.h"

#include "core/ISkinObj.h"
#include "core/SFontPool.h"
#include "core/SkinLookup.h"
#include "render/IFont.h"

#include <pugixml.hpp>

#include <wchar.h>

namespace SAKU {

namespace {

constexpr int kMenuScale = 100;

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

ISkinObj* SMenuAttr::SkinNamed(const SStringW& name)
{
    return FindSkin(name, kMenuScale);
}

IFont* SMenuAttr::FontNamed(const SStringW& description)
{
    return FindFont(description, kMenuScale);
}

void SMenuAttr::OnInitFinished(pugi::xml_node)
{
    if (m_itemHeight == 0 && m_itemSkin)
        m_itemHeight = m_itemSkin->QuerySkinSize().cy;
    if (!m_font)
        m_font = FontNamed(SStringW());
}

bool SMenuAttr::ReadIconSize(SIZE& size, const SStringW& value)
{
    int width = size.cx;
    int height = size.cy;
    (void)swscanf(value.c_str(), L"%d,%d", &width, &height);   // what it could not read stays
    size = SIZE{width, height};
    return true;
}

}  // namespace SAKU
