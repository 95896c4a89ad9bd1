#pragma once

#include "controls/IItemContainer.h"
#include "core/SDynArray.h"
#include "core/SLinkedList.h"

#include <windows.h>

namespace SAKU {

class SItemPanel;
class SPanel;

// What a view that hosts its items in recycled panels tells the recycler: the
// geometry of its items and how a panel is filled. Items are keyed by a value,
// a row index or a tree handle, with one value meaning "no item". UI thread.
struct IItemRecyclerHost {
    // The first item to show at a scroll position, or no item.
    virtual LPARAM FirstItemAt(int position) = 0;
    // The item after `item` in display order, or no item past the last.
    virtual LPARAM NextItem(LPARAM item) = 0;
    // The scroll position at which the band of the item begins; filling stops
    // at the first item whose band begins below the page.
    virtual int ItemPosition(LPARAM item) = 0;
    // The item's rectangle in the view's coordinates, as scrolled now.
    virtual RECT ItemRect(LPARAM item) = 0;
    // Whether `a` shows before `b`; indices are in display order already.
    virtual bool ItemBefore(LPARAM a, LPARAM b) { return a < b; }
    // The view type (0 to the count less one) of the item in a state of
    // kLvItemHover and kLvItemSelected bits.
    virtual int ItemViewType(LPARAM item, DWORD state) = 0;
    // Sizes the panel (the row width is the view's) and fills it for the item.
    virtual void FillItem(LPARAM item, SItemPanel* panel) = 0;
    // A panel just made: the view subscribes to its events.
    virtual void OnPanelCreated(SItemPanel* panel) = 0;
    // A press that met no item, before the view's own handling of it.
    virtual void OnPressOutsideItems() {}

protected:
    ~IItemRecyclerHost() = default;
};

// The panels of an adapter-driven view: one per visible item, filled in display
// order from the scroll position; an item leaving the view gives its panel to a
// recycle list of its view type, and a page of new items takes the panels of the
// items leaving before any new one is made, so that a view holds at most its
// visible items + 2 panels per view type. It keeps the hover, capture and
// selected items and routes the view's mouse, key and wheel messages to their
// panels, and stands for the view as the panels' item container. Owned by its
// view, which outlives it and its panels. UI thread.
class SItemRecycler : public IItemContainer {
public:
    // A visible item: its panel and the view type the panel was filled for.
    struct Record {
        SItemPanel* panel;   // one reference, the recycler's
        int viewType;
    };

    SItemRecycler(SPanel* view, IItemRecyclerHost* host, LPARAM noItem);
    ~SItemRecycler();
    SItemRecycler(const SItemRecycler&) = delete;
    SItemRecycler& operator=(const SItemRecycler&) = delete;

    LPARAM NoItem() const { return m_noItem; }
    // Every panel released, and one empty recycle list per view type made. A view
    // drops its panels so at its WM_DESTROY, while its events still work: a panel's
    // last messages may raise them.
    void Reset(int viewTypes);
    // Fills the page [position, position + page) with panels: panels of items
    // still visible stay, the others are recycled.
    void Update(int position, int page);

    LPARAM FirstVisible() const { return m_firstVisible; }
    int VisibleCount() const { return m_visible.GetCount(); }
    const SLinkedList<Record>& Visible() const { return m_visible; }
    // The visible panel of the item, or null.
    SItemPanel* PanelOf(LPARAM item) const;
    SItemPanel* HoverPanel() const { return m_hoverPanel; }
    SItemPanel* CapturePanel() const { return m_capturePanel; }
    int PanelCount() const;

    LPARAM Selected() const { return m_selected; }
    // The selection moves without events: the old item's panel loses the
    // selected state and the focus inside it, the new one gains the state.
    void MoveSelection(LPARAM item);
    // An item that went away without its panel's knowledge stops being selected.
    void ForgetSelection() { m_selected = m_noItem; }
    SItemPanel* SelectedPanel() const { return PanelOf(m_selected); }

    // To every panel, visible and recycled, and all their descendants.
    void Broadcast(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // ---- Routing of the view's messages ---------------------------------------------
    // A mouse message: to the capture panel, else to the panel under the point
    // (hover moves with it); presses and releases get the view's own handling
    // before and after. Handled.
    void RouteMouse(UINT message, WPARAM wParam, LPARAM lParam);
    // A key or IME message to the selected panel; `handled` as the panel says.
    LRESULT RouteKey(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
    // The wheel to the selected panel first: TRUE when it took it.
    BOOL RouteWheel(UINT flags, short delta, POINT point);
    void OnMouseLeave();
    BOOL RouteSetCursor(const POINT& point);
    void RestoreFocus();
    void SaveFocus();

    // ---- IItemContainer overrides ---------------------------------------------------
    void SetItemCapture(SItemPanel* item, BOOL capture) override;
    BOOL GetItemRect(SItemPanel* item, RECT& rect) override;
    BOOL IsItemRedrawDelayed() override { return TRUE; }
    void OnItemRequestRelayout(SItemPanel*) override {}

private:
    SItemPanel* TakePanel(LPARAM item, int viewType, Record* old, int oldCount, int& hint);
    Record* LeavingPanel(LPARAM item, int viewType, Record* old, int oldCount);
    void LeaveRow(SItemPanel* panel);
    LRESULT SendToPanel(SItemPanel* panel, UINT message, WPARAM wParam, LPARAM lParam);
    SItemPanel* PanelAt(POINT point);
    LPARAM ItemOf(const SItemPanel* panel) const;

    SPanel* m_view;
    IItemRecyclerHost* m_host;
    const LPARAM m_noItem;

    LPARAM m_firstVisible;
    SLinkedList<Record> m_visible{10};              // in display order from m_firstVisible
    SDynArray<SLinkedList<SItemPanel*>> m_recycle;  // per view type; one reference each
    SItemPanel* m_capturePanel = nullptr;           // a visible panel, or null
    SItemPanel* m_hoverPanel = nullptr;
    LPARAM m_selected;
};

}  // namespace SAKU
