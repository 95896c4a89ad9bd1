#pragma once

#include "controls/SItemRecycler.h"
#include "controls/SPanel.h"

#include <pugixml.hpp>

namespace SAKU {

class SItemPanel;
struct IListViewItemLocator;
struct ILvAdapter;
struct ILvDataSetObserver;

// A virtual, adapter-driven vertical list ("listview"): only the visible rows
// have windows, each an item panel filled by the adapter (ILvAdapter) from the
// layout's "template" element and placed by an item locator, fixed or flexible
// by the template's "itemHeight". Rows that scroll out go to a recycle list of
// their view type and come back for other rows of that type. One row may be
// selected: a click selects with the "changing" (which may veto) and "changed"
// events, the keyboard selects silently. The list holds its adapter, locator and
// panels; the adapter holds the list's observer. UI thread.
class SListView : public SPanel, private IItemRecyclerHost {
public:
    SOBJECT_CLASS(SPanel, L"listview", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"div")

    SListView();
    ~SListView() override;

    // FALSE, with nothing changed, before the layout gave the list its template
    // (and with it the locator). Null drops the adapter.
    BOOL SetAdapter(ILvAdapter* adapter);
    ILvAdapter* GetAdapter() const { return m_adapter.Get(); }
    void SetItemLocator(IListViewItemLocator* locator);
    IListViewItemLocator* GetItemLocator() const { return m_locator.Get(); }

    int GetSel() const { return static_cast<int>(m_items.Selected()); }
    // -1 (or any negative index) clears the selection; an index past the rows does
    // nothing. With `notify` the change may be vetoed.
    void SetSel(int index, BOOL notify = FALSE);
    void EnsureVisible(int index);
    // The visible panel of the row, or null.
    SItemPanel* GetItemPanel(int index) const;
    int GetFirstVisibleIndex() const { return static_cast<int>(m_items.FirstVisible()); }
    int GetVisibleCount() const { return m_items.VisibleCount(); }

    // What the adapter's observer passes on: rows added, removed or resized (read
    // again now), or row contents changed (refreshed at the next paint).
    void OnDataSetChanged();
    void OnDataSetInvalidated();

    BEGIN_ATTRIBUTES(SListView)
        ATTRIBUTE_SKIN   (L"dividerSkin", m_dividerSkin,                 kRefresh)
        ATTRIBUTE_FIELD  (L"dividerSize", m_dividerSize, SLayoutDim,     kRefresh)
        ATTRIBUTE_FIELD  (L"wantTab",     m_wantTab,     ParseIntOrZero, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SPanel)

    // ---- SPanel overrides -------------------------------------------------------------
    int GetScrollLineSize(BOOL vertical) override;
    BOOL OnScroll(BOOL vertical, UINT code, int position) override;

    // ---- SWindow overrides ------------------------------------------------------------
    // Only the "template" element: the rows are built from it, not as children.
    BOOL BuildChildren(pugi::xml_node element) override;
    UINT OnGetDlgCode() const override;
    BOOL OnSetCursor(const POINT& point) override;
    BOOL UpdateToolTip(POINT point, SwndToolTipInfo& info) override;
    void ApplyColorize(COLORREF color) override;
    void OnScaleChanged(int scale) override;
    int OnLanguageChanged() override;

BEGIN_SWND_MSG_MAP(SListView)
        MSG_HANDLER      (WM_DESTROY,    OnDestroy)
        MSG_HANDLER      (WM_SIZE,       OnSize)
        MSG_HANDLER      (WM_SETFOCUS,   OnSetFocus)
        MSG_HANDLER      (WM_KILLFOCUS,  OnKillFocus)
        MSG_HANDLER      (WM_PAINT,      OnPaint)
        MSG_HANDLER      (WM_KEYDOWN,    OnKeyDown)
        MSG_RANGE_HANDLER(WM_KEYFIRST,   WM_UNICHAR,     OnKeyEvent)     // the rest of the keys go to the selected row
        MSG_RANGE_HANDLER(WM_IME_STARTCOMPOSITION, WM_IME_KEYLAST, OnKeyEvent)
        MSG_HANDLER      (WM_MOUSEWHEEL, OnMouseWheel)
        MSG_RANGE_HANDLER(WM_MOUSEFIRST, WM_MOUSELAST,   OnMouseEvent)   // to the row under the mouse
        MSG_HANDLER      (WM_MOUSELEAVE, OnMouseLeave)
        CHAIN_MSG_MAP    (SPanel)
    END_MSG_MAP()

private:
    // ---- IItemRecyclerHost overrides --------------------------------------------------
    LPARAM FirstItemAt(int position) override;
    LPARAM NextItem(LPARAM item) override;
    int ItemPosition(LPARAM item) override;
    RECT ItemRect(LPARAM item) override;
    int ItemViewType(LPARAM item, DWORD state) override;
    void FillItem(LPARAM item, SItemPanel* panel) override;
    void OnPanelCreated(SItemPanel* panel) override;

    void OnDestroy();
    void OnSize(UINT type, SIZE size);
    void OnSetFocus(SWND oldFocus, int reason);
    void OnKillFocus(SWND newFocus);
    void OnPaint(IRenderTarget* target);
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags);
    LRESULT OnKeyEvent(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseWheel(UINT flags, short delta, POINT point);
    LRESULT OnMouseEvent(UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouseLeave();
    BOOL OnItemClick(EventArgs* args);

    // The scroll range from the locator's total height.
    void UpdateScrollbar();
    // Fills the view with rows from the scroll position; with measured rows the
    // scroll range and the rows follow each other a bounded number of passes.
    void UpdateVisibleItems();
    SItemPanel* SelectedPanel() const { return m_items.SelectedPanel(); }
    void SelectByKey(int index);

    SAutoRef<ILvAdapter> m_adapter;
    SAutoRef<ILvDataSetObserver> m_observer;
    SAutoRef<IListViewItemLocator> m_locator;

    SItemRecycler m_items{this, this, -1};          // rows keyed by index
    bool m_pendingRefresh = false;

    pugi::xml_document m_template;                  // a copy of the layout's "template" element
    ISkinObj* m_dividerSkin = nullptr;              // owned by the skin pools
    SLayoutDim m_dividerSize;
    int m_wantTab = 0;
};

}  // namespace SAKU
