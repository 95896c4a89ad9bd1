#pragma once

#include "controls/SItemRecycler.h"
#include "controls/SPanel.h"

#include <pugixml.hpp>

namespace SAKU {

class SHeaderCtrl;
class SItemPanel;
struct IListViewItemLocator;
struct IMCListViewAdapter;
struct ILvDataSetObserver;

// A virtual, adapter-driven list with columns ("mclistview"): its "header" child
// (SHeaderCtrl) sets the columns, and every row, an item panel filled by the
// adapter from the layout's "template" element, is as wide as all columns, with
// the window that the adapter names for a data column placed under that column's
// header item. Resizing, reordering or hiding a column re-places those windows in
// every visible row; a click on a header item asks the adapter to sort. Rows are
// recycled by view type as the list view's are, placed by a fixed or flexible
// locator, and scroll both ways, the header following sideways. One row may be
// selected, by a click or a key, with the "changing" (which may veto) and
// "changed" events. The view holds its adapter, locator and panels; the adapter
// holds the view's observer; the header is a child window. UI thread.
class SMCListView : public SPanel, private IItemRecyclerHost {
public:
    SOBJECT_CLASS(SPanel, L"mclistview", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"div")

    SMCListView();
    ~SMCListView() override;

    // FALSE, with nothing changed, without a locator: before the layout gave the
    // view its template, or when the layout had no header. Null drops the adapter.
    BOOL SetAdapter(IMCListViewAdapter* adapter);
    IMCListViewAdapter* GetAdapter() const { return m_adapter.Get(); }
    void SetItemLocator(IListViewItemLocator* locator);
    IListViewItemLocator* GetItemLocator() const { return m_locator.Get(); }
    SHeaderCtrl* GetHeaderCtrl() const { return m_header; }

    // The header's index of the new column (-1 when it refuses).
    int InsertColumn(int index, LPCWSTR text, int width, DWORD userData = 0);
    BOOL DeleteColumn(int index);
    int GetColumnCount() const;

    int GetSel() const { return static_cast<int>(m_items.Selected()); }
    // -1 (or any negative index) clears the selection; an index past the rows does
    // nothing. With `notify` the change may be vetoed.
    void SetSel(int index, BOOL notify = FALSE);
    void EnsureVisible(int index);
    // The visible panel of the row, or null.
    SItemPanel* GetItemPanel(int index) const;
    int GetFirstVisibleIndex() const { return static_cast<int>(m_items.FirstVisible()); }
    int GetVisibleCount() const { return m_items.VisibleCount(); }
    // The panels made so far, visible and recycled.
    int GetPanelCount() const { return m_items.PanelCount(); }
    // The client area below the header.
    RECT GetListRect() const;

    // What the adapter's observer passes on: rows or columns added, removed or
    // resized (read again now), or row contents changed (refreshed at the next paint).
    void OnDataSetChanged();
    void OnDataSetInvalidated();

    BEGIN_ATTRIBUTES(SMCListView)
        ATTRIBUTE_FIELD  (L"headerHeight", m_headerHeight, SLayoutDim,     kNoRefresh)
        ATTRIBUTE_SKIN   (L"dividerSkin",  m_dividerSkin,                  kRefresh)
        ATTRIBUTE_FIELD  (L"dividerSize",  m_dividerSize,  SLayoutDim,     kNoRefresh)
        ATTRIBUTE_FIELD  (L"wantTab",      m_wantTab,      ParseIntOrZero, kNoRefresh)
        ATTRIBUTE_FIELD  (L"hotTrack",     m_hotTrack,     ParseIntOrZero, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SPanel)

    // ---- SPanel overrides -------------------------------------------------------------
    int GetScrollLineSize(BOOL vertical) override;
    BOOL OnScroll(BOOL vertical, UINT code, int position) override;

    // ---- SWindow overrides ------------------------------------------------------------
    // The children as any window's, the first "header" among them the header, and
    // the "template" element for the rows. Without a header: FALSE, and no rows.
    BOOL BuildChildren(pugi::xml_node element) override;
    void UpdateChildrenPosition() override;
    UINT OnGetDlgCode() const override;
    BOOL OnSetCursor(const POINT& point) override;
    BOOL UpdateToolTip(POINT point, SwndToolTipInfo& info) override;
    void ApplyColorize(COLORREF color) override;
    void OnScaleChanged(int scale) override;
    int OnLanguageChanged() override;

BEGIN_SWND_MSG_MAP(SMCListView)
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
    void OnPressOutsideItems() override;

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
    BOOL OnHeaderSizeChanging(EventArgs* args);
    BOOL OnHeaderClick(EventArgs* args);

    int HeaderHeight() const;
    int RowWidth() const;
    // Both scroll ranges: the header's total width across, the locator's total
    // height down; the header follows.
    void UpdateScrollbar();
    // The header keeps the top band, moved left by the horizontal position.
    void UpdateHeaderCtrl();
    // Fills the list area with rows from the scroll position; with measured rows the
    // scroll range and the rows follow each other a bounded number of passes.
    void UpdateVisibleItems();
    // Every column window of the row under its header item, as high as the row;
    // the windows of hidden items are hidden.
    void PlaceColumns(SItemPanel* panel);
    SItemPanel* SelectedPanel() const { return m_items.SelectedPanel(); }
    void SelectByKey(int index);

    SAutoRef<IMCListViewAdapter> m_adapter;
    SAutoRef<ILvDataSetObserver> m_observer;
    SAutoRef<IListViewItemLocator> m_locator;

    SItemRecycler m_items{this, this, -1};          // rows keyed by index
    bool m_pendingRefresh = true;

    SHeaderCtrl* m_header = nullptr;                // a child: the tree holds it
    pugi::xml_document m_template;                  // a copy of the layout's "template" element
    SLayoutDim m_headerHeight{25.0f, kUnitDp};
    ISkinObj* m_dividerSkin = nullptr;              // owned by the skin pools
    SLayoutDim m_dividerSize;
    int m_wantTab = 0;
    int m_hotTrack = 0;                             // read from the layout and kept; the rows hover anyway
};

}  // namespace SAKU
