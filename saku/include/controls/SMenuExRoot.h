#pragma once

#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"

namespace SAKU {

class SMenuEx;

// The root of one level of an extended popup menu ("menuRoot"): the look its items
// share (skins, item height, icon bar, text offset, icon position), the menu's
// minimum width and the offset of its sub-menus, and the column of items and
// separators it stacks, each its own width and the root's full width. A sub-menu's
// root first takes the top menu's attributes, so that the whole tree looks alike.
// A child of its menu's host, which holds it. UI thread only.
class SMenuExRoot : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"menuRoot", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    // The y of "iconPos" that centres the icon vertically.
    static constexpr int kIconCentred = -1000;

    explicit SMenuExRoot(SMenuEx* menu);

    SMenuEx* GetMenu() const { return m_menu; }
    ISkinObj* GetItemSkin() const { return m_itemSkin; }
    ISkinObj* GetIconSkin() const { return m_iconSkin; }
    ISkinObj* GetCheckSkin() const { return m_checkSkin; }
    ISkinObj* GetArrowSkin() const { return m_arrowSkin; }
    ISkinObj* GetSepSkin() const { return m_sepSkin; }
    // Pixels at the root's scale; the icon position's y may be kIconCentred.
    int GetItemHeight() const;
    int GetIconBarWidth() const;
    int GetTextOffset() const;
    int GetMinWidth() const;
    int GetSubMenuOffset() const;
    POINT GetIconPos() const;
    int GetContextHelpId() const { return m_contextHelpId; }

    BEGIN_ATTRIBUTES(SMenuExRoot)
        ATTRIBUTE_SKIN   (L"itemSkin",      m_itemSkin,                       kRefresh)
        ATTRIBUTE_SKIN   (L"iconSkin",      m_iconSkin,                       kRefresh)
        ATTRIBUTE_SKIN   (L"checkSkin",     m_checkSkin,                      kRefresh)
        ATTRIBUTE_SKIN   (L"arrowSkin",     m_arrowSkin,                      kRefresh)
        ATTRIBUTE_SKIN   (L"sepSkin",       m_sepSkin,                        kRefresh)
        ATTRIBUTE_FIELD  (L"itemHeight",    m_itemHeight,    SLayoutDim,      kRefresh)
        ATTRIBUTE_FIELD  (L"iconBarWidth",  m_iconBarWidth,  SLayoutDim,      kRefresh)
        ATTRIBUTE_FIELD  (L"textOffset",    m_textOffset,    SLayoutDim,      kRefresh)
        ATTRIBUTE_HANDLER(L"iconPos",       OnAttrIconPos)
        ATTRIBUTE_FIELD  (L"minWidth",      m_minWidth,      SLayoutDim,      kRefresh)
        ATTRIBUTE_FIELD  (L"subMenuOffset", m_subMenuOffset, SLayoutDim,      kNoRefresh)
        ATTRIBUTE_FIELD  (L"contextHelpId", m_contextHelpId, ParseIntOrZero,  kNoRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // SWindow overrides
    // A sub-menu's element first takes the attributes of its document's top
    // element; the root keeps no text.
    BOOL BuildFromXml(pugi::xml_node element) override;
    // "menuItem" children become items, "sep" children separators; others are skipped.
    BOOL BuildChildren(pugi::xml_node element) override;
    // As wide as the widest item (below 2000) within the maximum and minimum
    // widths, as high as all items.
    SIZE MeasureDesiredSize(const RECT* container) override;
    void UpdateChildrenPosition() override;
    void OnScaleChanged(int scale) override;

private:
    HRESULT OnAttrIconPos(const SStringW& value, BOOL loading);

    ISkinObj* m_itemSkin = nullptr;    // the skin pools'
    ISkinObj* m_iconSkin = nullptr;
    ISkinObj* m_checkSkin = nullptr;
    ISkinObj* m_arrowSkin = nullptr;
    ISkinObj* m_sepSkin = nullptr;
    SMenuEx* m_menu;
    SLayoutDim m_itemHeight{26.0f, kUnitDp};
    SLayoutDim m_iconBarWidth{24.0f, kUnitDp};
    SLayoutDim m_textOffset;
    SLayoutDim m_iconX;
    SLayoutDim m_iconY;
    SLayoutDim m_minWidth{100.0f, kUnitDp};
    SLayoutDim m_subMenuOffset;
    int m_contextHelpId = 0;
};

}  // namespace SAKU
