#pragma once

#include "controls/SItemRecycler.h"
#include "controls/SPanel.h"

#include <pugixml.hpp>

namespace SAKU {

class STileViewItemLocator;
struct ILvAdapter;
struct ILvDataSetObserver;

// An adapter-driven grid ("tileview"): tiles of one size from the layout's
// "template" element, left to right in as many columns as the width holds and in
// rows from the top, scrolled vertically. Only the tiles on screen have item
// panels, filled by a list adapter and recycled per view type as the list view's
// rows are. One tile may be selected: a click selects with the "changing" (which
// may veto) and "changed" events, the arrows and page keys select silently. The
// view holds its adapter, locator and panels; the adapter holds its observer. UI
// thread.
class STileView : public SPanel, private IItemRecyclerHost {
public:
    SOBJECT_CLASS(SPanel, L"tileview", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"div")

    STileView();
    ~STileView() override;

    // FALSE, with nothing changed, without a locator: before the layout gave the
    // view its template, or when the template's tiles take no room. Null drops
    // the adapter.
    BOOL SetAdapter(ILvAdapter* adapter);
    ILvAdapter* GetAdapter() const { return m_adapter.Get(); }
    void SetItemLocator(STileViewItemLocator* locator);
    STileViewItemLocator* GetItemLocator() const { return m_locator.Get(); }

    int GetSel() const { return static_cast<int>(m_items.Selected()); }
    // -1 (or any negative index) clears the selection; an index past the tiles
    // does nothing. With `notify` the change may be vetoed.
    void SetSel(int index, BOOL notify = FALSE);
    void EnsureVisible(int index);
    // The visible panel of the tile, or null.
    SItemPanel* GetItemPanel(int index) const;
    int GetFirstVisibleIndex() const { return static_cast<int>(m_items.FirstVisible()); }
    int GetVisibleCount() const { return m_items.VisibleCount(); }
    // The panels made so far, visible and recycled.
    int GetPanelCount() const { return m_items.PanelCount(); }

    // What the adapter's observer passes on: tiles added or removed (read again
    // now), or tile contents changed (refreshed at the next paint).
    void OnDataSetChanged();
    void OnDataSetInvalidated();

    BEGIN_ATTRIBUTES(STileView)
        ATTRIBUTE_FIELD  (L"marginSize", m_marginSize, SLayoutDim,     kNoRefresh)
        ATTRIBUTE_FIELD  (L"wantTab",    m_wantTab,    ParseIntOrZero, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SPanel)

    // ---- SPanel overrides -------------------------------------------------------------
    int GetScrollLineSize(BOOL vertical) override;
    BOOL OnScroll(BOOL vertical, UINT code, int position) override;

    // ---- SWindow overrides ------------------------------------------------------------
    // Only the "template" element: the tiles are built from it, not as children.
    BOOL BuildChildren(pugi::xml_node element) override;
    UINT OnGetDlgCode() const override;
    BOOL OnSetCursor(const POINT& point) override;
    BOOL UpdateToolTip(POINT point, SwndToolTipInfo& info) override;
    void ApplyColorize(COLORREF color) override;
    void OnScaleChanged(int scale) override;
    int OnLanguageChanged() override;

BEGIN_SWND_MSG_MAP(STileView)
        MSG_HANDLER      (WM_DESTROY,    OnDestroy)
        MSG_HANDLER      (WM_SIZE,       OnSize)
        MSG_HANDLER      (WM_SETFOCUS,   OnSetFocus)
        MSG_HANDLER      (WM_KILLFOCUS,  OnKillFocus)
        MSG_HANDLER      (WM_PAINT,      OnPaint)
        MSG_HANDLER      (WM_KEYDOWN,    OnKeyDown)
        MSG_RANGE_HANDLER(WM_KEYFIRST,   WM_UNICHAR,     OnKeyEvent)     // the rest of the keys go to the selected tile
        MSG_RANGE_HANDLER(WM_IME_STARTCOMPOSITION, WM_IME_KEYLAST, OnKeyEvent)
        MSG_HANDLER      (WM_MOUSEWHEEL, OnMouseWheel)
        MSG_RANGE_HANDLER(WM_MOUSEFIRST, WM_MOUSELAST,   OnMouseEvent)   // to the tile under the mouse
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

    // The scroll range from the locator's total height, with the columns of the
    // width that the bar leaves.
    void UpdateScrollbar();
    void UpdateVisibleItems();

    SAutoRef<ILvAdapter> m_adapter;
    SAutoRef<ILvDataSetObserver> m_observer;
    SAutoRef<STileViewItemLocator> m_locator;

    SItemRecycler m_items{this, this, -1};          // tiles keyed by index
    bool m_pendingRefresh = true;

    pugi::xml_document m_template;                  // a copy of the layout's "template" element
    SLayoutDim m_marginSize;
    int m_wantTab = 0;
};

}  // namespace SAKU
