#pragma once

#include "controls/SItemRecycler.h"
#include "controls/SPanel.h"
#include "core/CSTree.h"

#include <pugixml.hpp>

#include <unordered_map>
#include <vector>

namespace SAKU {

struct ITreeViewAdapter;
struct ITreeViewItemLocator;
struct ITvDataSetObserver;

// A virtual, adapter-driven tree ("treeview"): the items live in an adapter
// (ITreeViewAdapter); only the visible rows have windows, each an item panel
// filled by the adapter from the layout's "template" element, measured by it, and
// recycled per view type. Rows are indented by depth ("indent", 10 by default)
// and scroll both ways. One item may be selected: a click or a key selects with
// the "changing" (which may veto) and "changed" events; Left and Right collapse
// and expand, a double click toggles. The view holds its adapter, locator and
// panels; the adapter holds the view's observer. UI thread.
class STreeView : public SPanel, private IItemRecyclerHost {
public:
    SOBJECT_CLASS(SPanel, L"treeview", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"div")

    STreeView();
    ~STreeView() override;

    // FALSE, with nothing changed, for an adapter before the layout gave the view
    // its template. Null drops the adapter. The selection goes with the old adapter.
    BOOL SetAdapter(ITreeViewAdapter* adapter);
    ITreeViewAdapter* GetAdapter() const { return m_adapter.Get(); }
    ITreeViewItemLocator* GetItemLocator() const { return m_locator.Get(); }

    HSTREEITEM GetSel() const { return static_cast<HSTREEITEM>(m_items.Selected()); }
    // 0 clears the selection. With `notify` the change may be vetoed.
    void SetSel(HSTREEITEM item, BOOL notify = FALSE);
    // Expands the item's ancestors and scrolls its row into view both ways.
    void EnsureVisible(HSTREEITEM item);
    // The visible panel of the item, or null.
    SItemPanel* GetItemPanel(HSTREEITEM item) const { return m_items.PanelOf(static_cast<LPARAM>(item)); }
    HSTREEITEM GetFirstVisibleItem() const { return static_cast<HSTREEITEM>(m_items.FirstVisible()); }
    int GetVisibleCount() const { return m_items.VisibleCount(); }
    // The panels made so far, visible and recycled.
    int GetPanelCount() const { return m_items.PanelCount(); }

    // What the adapter's observer passes on.
    void OnBranchChanged(HSTREEITEM branch);
    void OnBranchExpandedChanged(HSTREEITEM item, BOOL wasExpanded, BOOL expanded);

    BEGIN_ATTRIBUTES(STreeView)
        ATTRIBUTE_HANDLER(L"indent",  OnAttrIndent)
        ATTRIBUTE_FIELD  (L"wantTab", m_wantTab, ParseIntOrZero, kNoRefresh)
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

BEGIN_SWND_MSG_MAP(STreeView)
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
    bool ItemBefore(LPARAM a, LPARAM b) override;
    int ItemViewType(LPARAM item, DWORD state) override;
    void FillItem(LPARAM item, SItemPanel* panel) override;
    void OnPanelCreated(SItemPanel* panel) override;
    void OnPressOutsideItems() override;

    HRESULT OnAttrIndent(const SStringW& value, BOOL loading);
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
    BOOL OnItemDbClick(EventArgs* args);

    // Both bars from the locator's totals and the client area.
    void UpdateScrollbar();
    // Fills the view with rows from the scroll position; as rows are measured the
    // totals, the bars and the rows follow each other a bounded number of passes.
    void UpdateVisibleItems();
    // Before a changed branch is laid out: a selected item that the adapter took
    // out of it stops being selected.
    void DropRemovedSelection(HSTREEITEM branch);
    void RememberSelectedPath();
    // The top of a row as last laid out, so that a handle the adapter may have
    // freed since is never handed back to it.
    bool LaidOutTop(LPARAM item, int& top) const;

    SAutoRef<ITreeViewAdapter> m_adapter;
    SAutoRef<ITvDataSetObserver> m_observer;
    SAutoRef<ITreeViewItemLocator> m_locator;

    SItemRecycler m_items{this, this, 0};           // rows keyed by item handle
    // The rows of the current fill and of the one before, in content coordinates.
    std::unordered_map<LPARAM, RECT> m_rows;
    std::unordered_map<LPARAM, RECT> m_leavingRows;
    LPARAM m_placing = 0;                           // the item the recycler is placing now
    int m_placingTop = 0;
    std::vector<HSTREEITEM> m_selectedPath;         // the selected item's ancestors, parent first

    pugi::xml_document m_template;                  // a copy of the layout's "template" element
    int m_wantTab = 0;
};

}  // namespace SAKU
