#pragma once

#include "core/IObjRef.h"
#include "core/ISkinObj.h"
#include "core/SAttributeMap.h"
#include "core/SAutoRef.h"
#include "core/SObjectImpl.h"
#include "render/IFont.h"
#include "res.mgr/SResProviderMgr.h"

namespace SAKU {

// The look of an owner-drawn popup menu (SPopupMenu): its skins, item height,
// margins, colours, icon size, font, translation context and width limit, read
// from the attributes of the menu's XML element. One object is shared by the
// menus of a tree, each holding a reference, and by the owner-draw window while
// the menu runs. UI thread.
class SMenuAttr : public SObjectImpl<IObject>, public TObjRefImpl2<IObjRef, SMenuAttr> {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"menuattr", kObjTypeNone)

    // The library's menu skins at scale 100 (when the skin pools know them) and
    // the system's menu colours.
    SMenuAttr();

    ISkinObj* GetItemSkin() const { return m_itemSkin.Get(); }
    ISkinObj* GetIconSkin() const { return m_iconSkin.Get(); }
    ISkinObj* GetSepSkin() const { return m_sepSkin.Get(); }
    ISkinObj* GetCheckSkin() const { return m_checkSkin.Get(); }
    int GetItemHeight() const { return m_itemHeight; }
    int GetIconMargin() const { return m_iconMargin; }
    int GetTextMargin() const { return m_textMargin; }
    COLORREF GetTextColor() const { return m_textColor; }
    COLORREF GetSelTextColor() const { return m_selTextColor; }
    COLORREF GetGrayTextColor() const { return m_grayTextColor; }
    SIZE GetIconSize() const { return m_iconSize; }
    IFont* GetFont() const { return m_font.Get(); }
    const SStringW& GetTrCtx() const { return m_trCtx; }
    int GetMaxWidth() const { return m_maxWidth; }   // -1: no limit

    // The attributes answer S_FALSE: nothing is on screen to refresh. The grey
    // colour's attribute is spelt "cororTextGray", as the menus written for this
    // library spell it.
    BEGIN_ATTRIBUTES(SMenuAttr)
        ATTRIBUTE_FIELD  (L"itemSkin",      m_itemSkin,      SkinNamed,                  kNoRefresh)
        ATTRIBUTE_FIELD  (L"iconSkin",      m_iconSkin,      SkinNamed,                  kNoRefresh)
        ATTRIBUTE_FIELD  (L"sepSkin",       m_sepSkin,       SkinNamed,                  kNoRefresh)
        ATTRIBUTE_FIELD  (L"checkSkin",     m_checkSkin,     SkinNamed,                  kNoRefresh)
        ATTRIBUTE_FIELD  (L"itemHeight",    m_itemHeight,    ParseIntOrZero,             kNoRefresh)
        ATTRIBUTE_FIELD  (L"iconMargin",    m_iconMargin,    ParseIntOrZero,             kNoRefresh)
        ATTRIBUTE_FIELD  (L"textMargin",    m_textMargin,    ParseIntOrZero,             kNoRefresh)
        ATTRIBUTE_FIELD  (L"maxWidth",      m_maxWidth,      ParseIntOrZero,             kNoRefresh)
        ATTRIBUTE_READ   (L"iconSize",      m_iconSize,      ReadIconSize,               kNoRefresh)
        ATTRIBUTE_FIELD  (L"font",          m_font,          FontNamed,                  kNoRefresh)
        ATTRIBUTE_COLOR  (L"colorText",     m_textColor,                                 kNoRefresh)
        ATTRIBUTE_COLOR  (L"colorTextSel",  m_selTextColor,                              kNoRefresh)
        ATTRIBUTE_COLOR  (L"cororTextGray", m_grayTextColor,                             kNoRefresh)
        ATTRIBUTE_FIELD  (L"trCtx",         m_trCtx,         SResProviderMgr::GetString, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SObjectImpl<IObject>)

    // IObject overrides
    // Without an item height the item skin's height; without a font the font
    // pool's default font.
    void OnInitFinished(pugi::xml_node element) override;

private:
    ~SMenuAttr() override;
    friend class TObjRefImpl2<IObjRef, SMenuAttr>;   // deletes it at the last release

    // A menu is not scaled with the windows: its skins and fonts are those for
    // scale 100; null for a name that no pool knows.
    static ISkinObj* SkinNamed(const SStringW& name);
    static IFont* FontNamed(const SStringW& description);
    // "w,h": a number that is missing keeps its side.
    static bool ReadIconSize(SIZE& size, const SStringW& value);

    SAutoRef<ISkinObj> m_itemSkin;
    SAutoRef<ISkinObj> m_iconSkin;
    SAutoRef<ISkinObj> m_sepSkin;
    SAutoRef<ISkinObj> m_checkSkin;
    int m_itemHeight = 0;
    int m_iconMargin = 2;
    int m_textMargin = 5;
    COLORREF m_textColor;
    COLORREF m_selTextColor;
    COLORREF m_grayTextColor;
    SIZE m_iconSize = {16, 16};
    SAutoRef<IFont> m_font;
    SStringW m_trCtx;
    int m_maxWidth = -1;
};

}  // namespace SAKU
