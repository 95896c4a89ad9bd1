#pragma once

#include "controls/SScrollView.h"
#include "core/CSTree.h"
#include "res.mgr/SResProviderMgr.h"

#include <commctrl.h>

namespace pugi {
class xml_node;
}

namespace SAKU {

// One item of a tree control, kept in the tree's node: what a row shows and the
// state of its toggle and check box.
struct tagTVITEM {
    SStringW text;
    int image = -1;           // icon state when not selected; -1: none
    int selectedImage = -1;   // icon state when selected; -1: the image
    DWORD data = 0;           // the application's value
    HSTREEITEM handle = 0;    // the item's own node
    BOOL collapsed = FALSE;
    BOOL visible = TRUE;      // every ancestor is expanded: the row shows
    BOOL hasChildren = FALSE;
    int level = 0;            // 0 for a top-level item
    int checkValue = 0;       // 0 unchecked, 1 checked, 2 part-checked
    int contentWidth = 0;     // toggle, check box, icon, margins and text in pixels
    DWORD toggleState = 0;    // WndState_Hover, WndState_PushDown
    DWORD checkBoxState = 0;
};

// A tree of text items ("treectrl"), one row of one height per item whose
// ancestors are expanded, indented by depth, with a toggle on items that have
// children, optional tri-state check boxes that carry a change down to the
// descendants and up to the ancestors, optional icons and one selected item;
// scrolled both ways over a view as wide as the widest shown row. An item is named
// by its node's handle (0: none; the tree's reserved handles name no item). The
// control owns its items; UI thread.
class STreeCtrl : public SScrollView, protected CSTree<tagTVITEM> {
public:
    SOBJECT_CLASS(SScrollView, L"treectrl", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"scrollview")

    // Which parts a row has (ItemLayout), and which part a point is on.
    enum Part { kPartNone = 0, kPartToggle = 1, kPartCheckBox = 2, kPartIcon = 4 };

    STreeCtrl();
    ~STreeCtrl() override;

    // The window's children, not an item's: the tree's count stays inside.
    using SWindow::GetChildrenCount;

    // ---- Items -------------------------------------------------------------------------
    // A new item under `parent` (TREE_ITEM_ROOT: the top level) at `after`
    // (TREE_ITEM_FIRST, TREE_ITEM_LAST or a child of `parent`); 0 when the position
    // or the parent names no place for it.
    HSTREEITEM InsertItem(LPCWSTR text, int image, int selectedImage, DWORD data, HSTREEITEM parent,
                          HSTREEITEM after, BOOL ensureVisible);
    HSTREEITEM InsertItem(LPCWSTR text, int image, int selectedImage, HSTREEITEM parent = TREE_ITEM_ROOT,
                          HSTREEITEM after = TREE_ITEM_LAST, BOOL ensureVisible = FALSE);
    HSTREEITEM InsertItem(LPCWSTR text, HSTREEITEM parent = TREE_ITEM_ROOT, HSTREEITEM after = TREE_ITEM_LAST,
                          BOOL ensureVisible = FALSE);
    BOOL RemoveItem(HSTREEITEM item);
    void RemoveAllItems();

    // Navigation; 0 where there is none, and for an item that is none.
    HSTREEITEM GetRootItem() const { return CSTree::GetRootItem(TRUE); }
    HSTREEITEM GetParentItem(HSTREEITEM item) const;
    HSTREEITEM GetChildItem(HSTREEITEM item, BOOL first = TRUE) const;
    HSTREEITEM GetNextSiblingItem(HSTREEITEM item) const;
    HSTREEITEM GetPrevSiblingItem(HSTREEITEM item) const;
    HSTREEITEM GetSelectedItem() const { return m_selected; }
    // For TREE_ITEM_ROOT: whether there is a top-level item.
    BOOL ItemHasChildren(HSTREEITEM item) const;

    // Each FALSE (or 0) for an item that is none.
    BOOL GetItemText(HSTREEITEM item, SStringW& text) const;
    BOOL SetItemText(HSTREEITEM item, LPCWSTR text);
    BOOL GetItemImage(HSTREEITEM item, int& image, int& selectedImage) const;
    BOOL SetItemImage(HSTREEITEM item, int image, int selectedImage);
    DWORD GetItemData(HSTREEITEM item) const;
    BOOL SetItemData(HSTREEITEM item, DWORD data);
    // TRUE when check boxes are on and the item is checked or part-checked.
    BOOL GetCheckState(HSTREEITEM item) const;
    // Checks or clears the item and its descendants; the ancestors follow. FALSE
    // unless check boxes are on.
    BOOL SetCheckState(HSTREEITEM item, BOOL check);

    // TVE_COLLAPSE, TVE_EXPAND or TVE_TOGGLE; FALSE when nothing changed.
    BOOL Expand(HSTREEITEM item, UINT code = TVE_EXPAND);
    // Expands the item's collapsed ancestors and scrolls its row into view.
    BOOL EnsureVisible(HSTREEITEM item);
    // May be vetoed by the "changing" event.
    BOOL SelectItem(HSTREEITEM item, BOOL ensureVisible = TRUE);
    // The item under a host point, which becomes relative to the item's row; 0 when none.
    HSTREEITEM HitTest(POINT& point);
    void SortChildren(HSTREEITEM item, FunTreeSortCallback compare, void* context);
    void PageUp() { OnScroll(TRUE, SB_PAGEUP, 0); }
    void PageDown() { OnScroll(TRUE, SB_PAGEDOWN, 0); }

    BEGIN_ATTRIBUTES(STreeCtrl)
        ATTRIBUTE_HANDLER(L"itemHeight",        OnAttrItemHeight)
        ATTRIBUTE_FIELD  (L"indent",            m_indent,              ParseInt, kRefresh)
        ATTRIBUTE_FIELD  (L"itemMargin",        m_itemMargin,          ParseInt, kRefresh)
        ATTRIBUTE_FIELD  (L"checkBox",          m_checkBox,            ParseInt, kRefresh)
        ATTRIBUTE_FIELD  (L"rightClickSel",     m_rightClickSel,       ParseInt, kRefresh)
        ATTRIBUTE_SKIN   (L"itemBkgndSkin",     m_itemBkgndSkin,                 kRefresh)
        ATTRIBUTE_SKIN   (L"itemSelSkin",       m_itemSelSkin,                   kRefresh)
        ATTRIBUTE_SKIN   (L"iconSkin",          m_iconSkin,                      kRefresh)
        ATTRIBUTE_SKIN   (L"toggleSkin",        m_toggleSkin,                    kRefresh)
        ATTRIBUTE_SKIN   (L"checkSkin",         m_checkSkin,                     kRefresh)
        ATTRIBUTE_COLOR  (L"colorItemBkgnd",    m_colorItemBkgnd,                kNoRefresh)
        ATTRIBUTE_COLOR  (L"colorItemSelBkgnd", m_colorItemSelBkgnd,             kNoRefresh)
        ATTRIBUTE_COLOR  (L"colorItemText",     m_colorItemText,                 kNoRefresh)
        ATTRIBUTE_COLOR  (L"colorItemSelText",  m_colorItemSelText,              kNoRefresh)
    END_ATTRIBUTES_CHAIN(SScrollView)

    // ---- SWindow overrides ------------------------------------------------------------
    // The "item" elements; an empty element fails.
    BOOL BuildChildren(pugi::xml_node element) override;

    BEGIN_SWND_MSG_MAP(STreeCtrl)
        MSG_HANDLER  (WM_PAINT,         OnPaint)
        MSG_HANDLER  (WM_DESTROY,       OnDestroy)
        MSG_HANDLER  (WM_MOUSEMOVE,     OnMouseMove)
        MSG_HANDLER  (WM_LBUTTONDOWN,   OnLButtonDown)
        MSG_HANDLER  (WM_LBUTTONUP,     OnLButtonUp)
        MSG_HANDLER  (WM_LBUTTONDBLCLK, OnLButtonDbClick)
        MSG_HANDLER  (WM_RBUTTONDOWN,   OnRButtonDown)
        MSG_HANDLER  (WM_MOUSELEAVE,    OnMouseLeave)
        CHAIN_MSG_MAP(SScrollView)
    END_MSG_MAP()

protected:
    // Loads an "item" element and its siblings under `parent`, and their children.
    virtual void LoadBranch(HSTREEITEM parent, pugi::xml_node element);
    virtual void LoadItemAttribute(pugi::xml_node element, tagTVITEM& item);
    // Places the toggle, check box and icon of every row from the skins.
    virtual void ItemLayout();
    virtual void CalcItemContentWidth(tagTVITEM& item);
    virtual int GetItemWidth(const tagTVITEM& item) const;
    virtual int GetMaxItemWidth(HSTREEITEM item) const;
    virtual void UpdateContentWidth();
    // Paints one row; `rect` starts at the row's left edge (before the indent).
    virtual void DrawItem(IRenderTarget* target, const RECT& rect, HSTREEITEM item);
    virtual void OnInsertItem(tagTVITEM& /*item*/) {}

private:
    HRESULT OnAttrItemHeight(const SStringW& value, BOOL loading);

    void OnPaint(IRenderTarget* target);
    void OnDestroy();
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnLButtonDbClick(UINT flags, POINT point);
    BOOL OnRButtonDown(UINT flags, POINT point);
    void OnMouseLeave();

    // An item handle, not 0 nor a reserved handle.
    static bool IsItem(HSTREEITEM item);
    HSTREEITEM InsertItem(const tagTVITEM& value, HSTREEITEM parent, HSTREEITEM after, BOOL ensureVisible);
    bool BelongsHere(HSTREEITEM item) const;
    bool InSubtree(HSTREEITEM item, HSTREEITEM top) const;

    // The shown rows in order: the next and previous shown item; 0 past the ends.
    HSTREEITEM NextShown(HSTREEITEM item) const;
    HSTREEITEM PrevShown(HSTREEITEM item) const;
    // The item of a shown row; 0 past the last. Walks from the last row asked for.
    HSTREEITEM ItemAtRow(int row);
    // The row of a shown item; -1 for a hidden one. `pageOnly` looks only through
    // the rows on screen, -1 for an item that is not there.
    int RowOf(HSTREEITEM item, bool pageOnly);
    void ForgetRowAnchor() { m_anchorItem = 0; }
    // The client rectangle's rows: the first one and how many the height holds, rounded up.
    int FirstRow() const;
    int PageRows() const;
    RECT RowRect(int row, const tagTVITEM& item) const;
    BOOL GetItemRect(HSTREEITEM item, RECT& rect);

    void SetChildrenVisible(HSTREEITEM item, BOOL visible);
    void UpdateViewSize();
    // The value of `item` and then of each ancestor from its children: checked
    // when all are, unchecked when none is, else part-checked.
    void UpdateCheckUpward(HSTREEITEM item);
    void SetSubtreeCheck(HSTREEITEM item, int value);
    int ItemHitTest(HSTREEITEM item, POINT point) const;
    void ModifyToggleState(HSTREEITEM item, DWORD add, DWORD remove);
    void ModifyCheckBoxState(HSTREEITEM item, DWORD add, DWORD remove);
    void ModifyPartState(HSTREEITEM item, DWORD tagTVITEM::*state, const RECT& part, DWORD add, DWORD remove);
    void ItemPress(HSTREEITEM item, POINT point);
    void ItemRelease(HSTREEITEM item);
    void ItemMouseMove(HSTREEITEM item, POINT point);
    void ItemMouseLeave(HSTREEITEM item);
    void RedrawItem(HSTREEITEM item);
    int PartState(DWORD state) const;

    HSTREEITEM m_selected = 0;
    HSTREEITEM m_hovered = 0;
    HSTREEITEM m_captured = 0;
    int m_visibleRows = 0;
    int m_contentWidth = 0;
    // A shown row that a walk to another row starts from; 0 after any change of the rows.
    HSTREEITEM m_anchorItem = 0;
    int m_anchorRow = 0;
    SAutoRef<IRenderTarget> m_measure;   // measures texts, made on first use

    UINT m_partMask = 0;
    int m_textOffset = 0;
    RECT m_toggleRect = {};
    RECT m_checkBoxRect = {};
    RECT m_iconRect = {};
    int m_hoverPart = kPartNone;
    int m_pushPart = kPartNone;

    int m_itemHeight = 20;
    int m_indent = 16;
    int m_itemMargin = 4;
    int m_checkBox = 0;
    int m_rightClickSel = 0;
    ISkinObj* m_itemBkgndSkin = nullptr;   // the pools'
    ISkinObj* m_itemSelSkin = nullptr;
    ISkinObj* m_iconSkin = nullptr;
    ISkinObj* m_toggleSkin = nullptr;
    ISkinObj* m_checkSkin = nullptr;
    COLORREF m_colorItemBkgnd = 0xFFFFFFFF;
    COLORREF m_colorItemSelBkgnd = 0xFF880000;
    COLORREF m_colorItemText = 0xFF000000;
    COLORREF m_colorItemSelText = 0xFFFFFFFF;
};

}  // namespace SAKU
