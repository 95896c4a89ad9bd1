#pragma once

#include "controls/SPanel.h"
#include "core/SDynArray.h"

namespace SAKU {

class SHeaderCtrl;

// Which fields of a cell GetSubItem and SetSubItem copy.
constexpr UINT kListCtrlMaskText = 0x1;
constexpr UINT kListCtrlMaskImage = 0x2;
constexpr UINT kListCtrlMaskIndent = 0x4;

// One cell. In a row its text is a heap copy of `textLength` characters that the
// control frees (null: none); in a copy request it is the caller's buffer of
// `textLength` characters.
struct SListCtrlSubItem {
    UINT mask = 0;
    LPWSTR text = nullptr;
    int textLength = 0;
    int image = 0;    // a state of the icon skin; -1 draws none
    int indent = 0;   // kept, not drawn
};

// One row: its cells in data-column order (an array of the column count that the
// control allocates and frees), its data and its selection mark.
struct SListCtrlItem {
    SListCtrlSubItem* cells = nullptr;
    DWORD data = 0;
    BOOL checked = FALSE;   // selected; in check-box mode also the check mark
};

// The comparison of SortItems: the caller's context and two rows; negative, zero
// or positive as for qsort.
using ListCtrlCompare = int(__cdecl*)(void* context, const void* a, const void* b);

// A report list ("listctrl"): rows of text cells under the columns of its header
// child (SHeaderCtrl, declared in its layout), with a check-box column, single or
// multiple selection (Ctrl and Shift), hot tracking, alternate row colours,
// per-cell icons and scrolling both ways. The rows are the control's own; the
// header is its child in the window tree. Owned by its parent like every
// window; UI thread.
class SListCtrl : public SPanel {
public:
    SOBJECT_CLASS(SPanel, L"listctrl", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"div")

    SListCtrl();
    ~SListCtrl() override;

    // ---- Columns ---------------------------------------------------------------------
    // The header's index (-1 when it refuses); every row gets an empty cell for it.
    int InsertColumn(int index, LPCWSTR text, int width, DWORD userData = 0);
    // Deleting the last column deletes the rows too.
    BOOL DeleteColumn(int index);
    int GetColumnCount() const;
    SHeaderCtrl* GetHeaderCtrl() const { return m_header; }

    // ---- Rows -------------------------------------------------------------------------
    // -1 without columns; an index outside the rows appends.
    int InsertItem(int index, LPCWSTR text, int image = 0);
    // FALSE for a count below the rows'; new rows are empty.
    BOOL SetItemCount(int count, int growStep = -1);
    void DeleteItem(int row);
    void DeleteAllItems();
    int GetItemCount() const;   // 0 while there is no column
    DWORD GetItemData(int row) const;
    BOOL SetItemData(int row, DWORD data);
    BOOL GetSubItem(int row, int column, SListCtrlSubItem* cell) const;
    BOOL SetSubItem(int row, int column, const SListCtrlSubItem* cell);
    SStringW GetSubItemText(int row, int column) const;
    BOOL SetSubItemText(int row, int column, LPCWSTR text);
    // Sorts the rows; the selection and hover go, the checks stay with their rows.
    BOOL SortItems(ListCtrlCompare compare, void* context);

    // ---- Selection ---------------------------------------------------------------------
    int GetSelectedItem() const { return m_selected; }
    // -1 or an existing row; FALSE for any other.
    BOOL SetSelectedItem(int row);
    BOOL GetCheckState(int row) const;
    BOOL SetCheckState(int row, BOOL checked);   // check-box mode only
    int GetCheckedItemCount() const;
    int GetFirstCheckedItem() const;
    int GetLastCheckedItem() const;
    int GetHoverItem() const { return m_hovered; }

    // ---- Geometry (host coordinates) -----------------------------------------------
    RECT GetListRect() const;   // the client area below the header
    int GetTopIndex() const;
    int GetCountPerPage(BOOL partial) const;
    RECT GetItemRect(int row, int column = 0) const;
    int HitTest(POINT point) const;   // the row, -1 below the rows
    BOOL HitCheckBox(POINT point) const;
    int GetItemHeight() const { return m_itemHeight; }
    int GetHeaderHeight() const { return m_headerHeight; }

    virtual void DrawItem(IRenderTarget* target, const RECT& rect, int row);

    HRESULT ApplyAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;

    // ---- SPanel overrides ---------------------------------------------------------------
    BOOL OnScroll(BOOL vertical, UINT code, int position) override;

    // ---- SWindow overrides ------------------------------------------------------------
    // The children as any window's; the first "header" among them is the header.
    BOOL BuildChildren(pugi::xml_node element) override;
    void UpdateChildrenPosition() override;

    BEGIN_SWND_MSG_MAP(SListCtrl)
        MSG_HANDLER  (WM_PAINT,         OnPaint)
        MSG_HANDLER  (WM_SIZE,          OnSize)
        MSG_HANDLER  (WM_DESTROY,       OnDestroy)
        MSG_HANDLER  (WM_MOUSEMOVE,     OnMouseMove)
        MSG_HANDLER  (WM_LBUTTONDOWN,   OnLButtonDown)
        MSG_HANDLER  (WM_LBUTTONDBLCLK, OnLButtonDblClk)
        MSG_HANDLER  (WM_MOUSELEAVE,    OnMouseLeave)
        CHAIN_MSG_MAP(SPanel)
    END_MSG_MAP()

private:
    HRESULT OnAttrItemHeight(const SStringW& value, BOOL loading);
    HRESULT OnAttrHeaderHeight(const SStringW& value, BOOL loading);

    void OnPaint(IRenderTarget* target);
    void OnSize(UINT type, SIZE size);
    void OnDestroy();
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonDblClk(UINT flags, POINT point);
    void OnMouseLeave();
    BOOL OnHeaderItemChanging(EventArgs* args);
    BOOL OnHeaderItemSwap(EventArgs* args);

    bool IsValidRow(int row) const { return row >= 0 && row < m_rows.GetCount(); }
    bool IsValidCell(int row, int column) const;
    void NotifySelChange(int oldRow, int newRow, bool fromCheckBox);
    void SetChecked(int row, BOOL checked);
    void RedrawItem(int row);
    void UpdateScrollBar();
    void UpdateHeaderCtrl();
    // Raises the row's deletion and frees its cells.
    void ReleaseRow(int row);

    SDynArray<SListCtrlItem> m_rows;
    SHeaderCtrl* m_header = nullptr;   // a child: the tree holds it
    // The cells of every row: the columns as the list made them, so that a header
    // changed behind its back never lets a row be read past its cells.
    int m_cellCount = 0;
    int m_headerHeight = 20;
    int m_itemHeight = 20;
    int m_selected = -1;
    int m_hovered = -1;
    int m_hotTrack = 0;
    int m_iconX = -1;                  // -1: automatic
    int m_iconY = -1;
    int m_textX = -1;
    int m_textY = -1;
    COLORREF m_colorItemBkgnd = 0xFFFFFFFF;
    COLORREF m_colorItemBkgnd2 = 0xFFE2E2E2;
    COLORREF m_colorItemSelBkgnd = 0xFFD19139;
    COLORREF m_colorItemHotBkgnd = 0x80D19139;
    COLORREF m_colorText = 0xFF000000;
    COLORREF m_colorSelText = 0xFF00FFFF;
    ISkinObj* m_itemSkin = nullptr;    // the skins belong to the skin pools
    ISkinObj* m_iconSkin = nullptr;
    ISkinObj* m_checkSkin = nullptr;
    int m_checkBox = 0;
    int m_multiSelection = 0;
    POINT m_origin = {};               // the scroll origin
};

}  // namespace SAKU
