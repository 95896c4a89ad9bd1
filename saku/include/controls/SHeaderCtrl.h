#pragma once

#include "core/SDynArray.h"
#include "core/SLayoutDim.h"
#include "core/STranslatableText.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

#include "GdiHandles.h"

namespace SAKU {

// Which fields of an item GetItem copies.
constexpr UINT kHeaderMaskWidth = 0x1;
constexpr UINT kHeaderMaskText = 0x2;
constexpr UINT kHeaderMaskSort = 0x4;
constexpr UINT kHeaderMaskData = 0x8;
constexpr UINT kHeaderMaskOrder = 0x10;

// One column item of a header, kept by value in display order.
struct SHeaderItem {
    SHeaderItem() : text(nullptr) {}

    UINT mask = 0xFFFFFFFF;   // the fields a copy request asks for
    SLayoutDim width;
    STranslatableText text;   // translated in the header's context
    int sortFlag = 0;         // 0 no mark; 1 the sort skin's first state; else its second
    DWORD userData = 0;
    UINT state = 0;           // item-skin state: 0 normal, 1 hover, 2 pushed
    int order = 0;            // the data column this item shows
    bool visible = true;      // hidden items take no room and are never hit
};

// A column header ("header"): items side by side, each resizable by dragging the
// divider at its right edge, reorderable by dragging it onto another (its image
// follows the mouse in a CDragWnd), and clickable for sorting, with a sort mark.
// The items come from its "items" element, not from child windows. The list
// controls own one each as a child and map their columns through the items'
// orders. Owned by its parent like every window; UI thread.
class SHeaderCtrl : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"header", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    // The first child of `parent` that is a header, as the lists that own one find
    // it among the children their layout built; null when there is none.
    static SHeaderCtrl* FirstChildHeader(SWindow* parent);

    // The hit code of no item: the low word is the item left of the point, the high
    // word the one right of it (0xFFFF past the last); equal words: inside that item.
    static constexpr DWORD kHitNone = 0xFFFFFFFF;
    static bool IsInsideItem(DWORD hit) { return hit != kHitNone && LOWORD(hit) == HIWORD(hit); }

    SHeaderCtrl();

    // `index` -1 appends; another outside 0 to the count gives -1 and changes
    // nothing. Later data columns (orders from the new index on) move up one.
    int InsertItem(int index, LPCWSTR text, const SLayoutDim& width, int sortFlag = 0, DWORD userData = 0);
    int InsertItem(int index, LPCWSTR text, int widthPixels, int sortFlag = 0, DWORD userData = 0);
    // The fields of `item->mask`; FALSE for a bad index.
    BOOL GetItem(int index, SHeaderItem* item) const;
    int GetItemCount() const { return m_items.GetCount(); }
    int GetItemWidth(int index) const;   // -1 for a bad index, 0 hidden
    int GetTotalWidth() const;
    BOOL IsItemVisible(int index) const;
    void SetItemVisible(int index, BOOL visible);
    void SetItemSort(int index, int sortFlag);
    BOOL DeleteItem(int index);
    void DeleteAllItems();
    RECT GetItemRect(int index) const;
    // The hit code of a host point (kHitNone outside every shown item).
    DWORD HitTest(POINT point) const;
    // A bitmap of the item as drawn, 32 bits a pixel; empty for a bad index.
    UniqueBitmap CreateDragImage(int index);
    virtual void DrawItem(IRenderTarget* target, const RECT& rect, const SHeaderItem& item);

    HRESULT ApplyAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;

    // ---- SWindow overrides ------------------------------------------------------------
    void ApplyColorize(COLORREF color) override;
    // Only the "items" element: one item for each of its "item" elements.
    BOOL BuildChildren(pugi::xml_node element) override;
    BOOL OnSetCursor(const POINT& point) override;
    int OnLanguageChanged() override;

    BEGIN_SWND_MSG_MAP(SHeaderCtrl)
        MSG_HANDLER  (WM_PAINT,       OnPaint)
        MSG_HANDLER  (WM_LBUTTONDOWN, OnLButtonDown)
        MSG_HANDLER  (WM_LBUTTONUP,   OnLButtonUp)
        MSG_HANDLER  (WM_MOUSEMOVE,   OnMouseMove)
        MSG_HANDLER  (WM_MOUSELEAVE,  OnMouseLeave)
        MSG_HANDLER  (WM_ACTIVATEAPP, OnActivateApp)
        MSG_HANDLER  (WM_DESTROY,     OnDestroy)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

private:
    void OnPaint(IRenderTarget* target);
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnMouseMove(UINT flags, POINT point);
    void OnMouseLeave();
    void OnActivateApp(BOOL active, DWORD threadId);
    void OnDestroy();

    bool IsValid(int index) const { return index >= 0 && index < m_items.GetCount(); }
    bool IsShown(int index) const { return GetItemWidth(index) > 0; }
    // The nearest shown item at or left of `index`; -1 when none.
    int ShownAtOrBefore(int index) const;
    // The next shown item after `index`; -1 when none.
    int ShownAfter(int index) const;
    void RedrawItem(int index);
    void SetItemState(int index, UINT state);
    // The items with the dragged one moved to the drop place and left out.
    void DrawDraggingState(IRenderTarget* target);
    void RedrawDraggingState();
    void Resize(int x);
    // Ends a press: the drag window goes, the capture too.
    void EndPress();

    SDynArray<SHeaderItem> m_items;
    ISkinObj* m_itemSkin = nullptr;   // the skins belong to the skin pools
    ISkinObj* m_sortSkin = nullptr;
    int m_fixWidth = 0;
    int m_itemSwapEnable = 1;
    int m_sortHeader = 1;

    bool m_pressed = false;
    bool m_dragging = false;
    UniqueBitmap m_dragBitmap;
    POINT m_clickPoint = {};
    DWORD m_hitCode = kHitNone;       // of the press, or of the hovered place
    DWORD m_dragTarget = kHitNone;
    int m_startWidth = 0;
};

}  // namespace SAKU
