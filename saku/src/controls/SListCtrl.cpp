#include "controls/SListCtrl.h"

#include "controls/SHeaderCtrl.h"
#include "core/Events.h"
#include "core/Geometry.h"
#include "core/ISkinObj.h"
#include "core/ISlotFunctor.h"
#include "core/MemAlloc.h"
#include "core/SAttributeMap.h"
#include "core/SkinLookup.h"
#include "render/RenderTargetHandles.h"
#include "res.mgr/SResProviderMgr.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace SAKU {

namespace {

constexpr const wchar_t* kDefaultCheckSkin = L"_skin.sys.checkbox";
constexpr COLORREF kNoColour = SwndStyle::kColorNone;
constexpr int kRowMargin = 4;     // between the list's left edge and the first column
constexpr int kCheckMargin = 3;   // between a column's left edge and its check box
constexpr int kCheckedState = 4;  // the check skin's checked state

template <typename T>
void AddEventOf(SEventSet* events)
{
    events->AddEvent(T::EventID, T::EventName());
}

// A heap copy of `length` characters with a terminating zero; null for none.
LPWSTR CopyText(LPCWSTR text, int length)
{
    if (!text)
        return nullptr;
    auto* const copy = static_cast<LPWSTR>(MemAlloc((static_cast<size_t>(length) + 1) * sizeof(wchar_t)));
    if (copy) {
        memcpy(copy, text, length * sizeof(wchar_t));
        copy[length] = 0;
    }
    return copy;
}

void StoreText(SListCtrlSubItem& cell, LPCWSTR text)
{
    MemFree(cell.text);
    const int length = text ? static_cast<int>(wcslen(text)) : 0;
    cell.text = CopyText(text, length);
    cell.textLength = cell.text ? length : 0;
}

// Cells of new rows start empty with image 0: zeroed memory.
SListCtrlSubItem* NewCells(int count)
{
    return static_cast<SListCtrlSubItem*>(MemAllocZeroed(std::max(count, 1), sizeof(SListCtrlSubItem)));
}

void FreeCells(SListCtrlItem& row, int count)
{
    if (!row.cells)
        return;
    for (int i = 0; i < count; ++i)
        MemFree(row.cells[i].text);
    MemFree(row.cells);
    row.cells = nullptr;
}

bool KeyHeld(int key)
{
    return ::GetKeyState(key) < 0;
}

// A row index after the row `removed` went: the row itself is gone, later ones move up.
int AfterRemoval(int index, int removed)
{
    if (index == removed)
        return -1;
    return index > removed ? index - 1 : index;
}

}  // namespace

SListCtrl::SListCtrl()
{
    m_checkSkin = FindBuiltinSkin(kDefaultCheckSkin);
    ApplyAttribute(L"clipClient", L"1", TRUE);
    ApplyAttribute(L"focusable", L"1", TRUE);
    AddEventOf<EventLCSelChanging>(GetEventSet());
    AddEventOf<EventLCSelChanged>(GetEventSet());
    AddEventOf<EventLCItemDeleted>(GetEventSet());
    AddEventOf<EventLCDbClick>(GetEventSet());
}

// Rows left when the control goes without WM_DESTROY are freed without events.
SListCtrl::~SListCtrl()
{
    for (int i = 0; i < m_rows.GetCount(); ++i)
        FreeCells(m_rows[i], m_cellCount);
}

HRESULT SListCtrl::ApplyAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT result = E_FAIL;
    if (false) {
    }
    ATTRIBUTE_HANDLER(L"headerHeight",      OnAttrHeaderHeight)
    ATTRIBUTE_HANDLER(L"itemHeight",        OnAttrItemHeight)
    ATTRIBUTE_FIELD  (L"icon-x",            m_iconX,          ParseInt, kNoRefresh)
    ATTRIBUTE_FIELD  (L"icon-y",            m_iconY,          ParseInt, kNoRefresh)
    ATTRIBUTE_FIELD  (L"text-x",            m_textX,          ParseInt, kNoRefresh)
    ATTRIBUTE_FIELD  (L"text-y",            m_textY,          ParseInt, kNoRefresh)
    ATTRIBUTE_FIELD  (L"hotTrack",          m_hotTrack,       ParseInt, kNoRefresh)
    ATTRIBUTE_FIELD  (L"checkBox",          m_checkBox,       ParseInt, kRefresh)
    ATTRIBUTE_FIELD  (L"multiSelection",    m_multiSelection, ParseInt, kRefresh)
    ATTRIBUTE_SKIN   (L"itemSkin",          m_itemSkin,                 kRefresh)
    ATTRIBUTE_SKIN   (L"iconSkin",          m_iconSkin,                 kRefresh)
    ATTRIBUTE_SKIN   (L"checkSkin",         m_checkSkin,                kRefresh)
    ATTRIBUTE_COLOR  (L"colorItemBkgnd",    m_colorItemBkgnd,           kNoRefresh)
    ATTRIBUTE_COLOR  (L"colorItemBkgnd2",   m_colorItemBkgnd2,          kNoRefresh)
    ATTRIBUTE_COLOR  (L"colorItemHotBkgnd", m_colorItemHotBkgnd,        kNoRefresh)
    ATTRIBUTE_COLOR  (L"colorItemSelBkgnd", m_colorItemSelBkgnd,        kNoRefresh)
    ATTRIBUTE_COLOR  (L"colorText",         m_colorText,                kNoRefresh)
    ATTRIBUTE_COLOR  (L"colorSelText",      m_colorSelText,             kNoRefresh)
    else {
        return SPanel::ApplyAttribute(name, value, loading);
    }
    return AfterAttribute(name, value, loading, result);
}

// Every row computation divides by the item height: 0 or less is refused.
HRESULT SListCtrl::OnAttrItemHeight(const SStringW& value, BOOL loading)
{
    const std::optional<int> height = ParseInt(value);
    if (!height || *height <= 0)
        return E_INVALIDARG;
    m_itemHeight = *height;
    if (!loading)
        UpdateScrollBar();
    return kNoRefresh;
}

HRESULT SListCtrl::OnAttrHeaderHeight(const SStringW& value, BOOL loading)
{
    const std::optional<int> height = ParseInt(value);
    if (!height || *height < 0)
        return E_INVALIDARG;
    m_headerHeight = *height;
    if (!loading) {
        UpdateHeaderCtrl();
        UpdateScrollBar();
    }
    return kNoRefresh;
}

// ---- Columns -------------------------------------------------------------------------------

int SListCtrl::GetColumnCount() const
{
    return m_header ? m_header->GetItemCount() : 0;
}

// The new column's cell goes where its data column is, so that every other
// column keeps showing its own cells.
int SListCtrl::InsertColumn(int index, LPCWSTR text, int width, DWORD userData)
{
    if (!m_header)
        return -1;
    const int before = m_cellCount;
    const int at = m_header->InsertItem(index, text, width, 0, userData);
    if (at < 0)
        return -1;
    const int cell = std::min(at, before);
    for (int i = 0; i < m_rows.GetCount(); ++i) {
        SListCtrlItem& row = m_rows[i];
        SListCtrlSubItem* const cells = NewCells(before + 1);
        if (!cells)
            continue;
        if (row.cells) {
            memcpy(static_cast<void*>(cells), row.cells, cell * sizeof(SListCtrlSubItem));
            memcpy(static_cast<void*>(cells + cell + 1), row.cells + cell, (before - cell) * sizeof(SListCtrlSubItem));
            MemFree(row.cells);
        }
        row.cells = cells;
    }
    m_cellCount = before + 1;
    UpdateScrollBar();
    return at;
}

BOOL SListCtrl::DeleteColumn(int index)
{
    SHeaderItem item;
    item.mask = kHeaderMaskOrder;
    if (!m_header || !m_header->GetItem(index, &item) || !m_header->DeleteItem(index))
        return FALSE;
    const int remaining = GetColumnCount();
    if (remaining == 0) {
        // Rows without a column are no rows: they go now, reported once each.
        const SAutoRef<SWindow> self(this);
        m_selected = m_hovered = -1;
        for (int i = 0; i < m_rows.GetCount(); ++i)
            ReleaseRow(i);
        m_rows.SetCount(0);
        m_cellCount = 0;
    } else if (item.order >= 0 && item.order < m_cellCount) {
        const int cell = item.order;
        --m_cellCount;
        for (int i = 0; i < m_rows.GetCount(); ++i) {
            SListCtrlSubItem* const cells = m_rows[i].cells;
            if (!cells)
                continue;
            MemFree(cells[cell].text);
            memmove(static_cast<void*>(cells + cell), cells + cell + 1, (m_cellCount - cell) * sizeof(SListCtrlSubItem));
        }
    }
    UpdateScrollBar();
    return TRUE;
}

// ---- Rows ----------------------------------------------------------------------------------

int SListCtrl::GetItemCount() const
{
    return GetColumnCount() == 0 ? 0 : m_rows.GetCount();
}

int SListCtrl::InsertItem(int index, LPCWSTR text, int image)
{
    if (GetColumnCount() == 0 || m_cellCount == 0)
        return -1;
    if (index < 0 || index > m_rows.GetCount())
        index = m_rows.GetCount();
    // The array's own steps stop at 1,024 rows: a list filled by the hundred
    // thousand would copy itself a hundred times. Its room grows by half instead.
    if (m_rows.GetCount() == m_rows.GetCapacity())
        (void)m_rows.EnsureCapacity(m_rows.GetCount() + m_rows.GetCount() / 2 + 1);   // InsertAt tries again
    SListCtrlItem row;
    row.cells = NewCells(m_cellCount);
    if (!row.cells)
        return -1;
    StoreText(row.cells[0], text);
    row.cells[0].image = image;
    if (!m_rows.InsertAt(index, row)) {
        FreeCells(row, m_cellCount);
        return -1;
    }
    // The marks stay on the rows they marked.
    if (m_selected >= index)
        ++m_selected;
    if (m_hovered >= index)
        ++m_hovered;
    UpdateScrollBar();
    return index;
}

BOOL SListCtrl::SetItemCount(int count, int growStep)
{
    const int before = m_rows.GetCount();
    if (count < before || !m_rows.SetCount(count, growStep))
        return FALSE;
    for (int i = before; i < count; ++i)
        m_rows[i].cells = NewCells(m_cellCount);
    UpdateScrollBar();
    return TRUE;
}

void SListCtrl::ReleaseRow(int row)
{
    EventLCItemDeleted deleted(this, row, m_rows[row].data);
    RaiseEvent(&deleted);
    FreeCells(m_rows[row], m_cellCount);
}

void SListCtrl::DeleteItem(int row)
{
    if (!IsValidRow(row))
        return;
    const SAutoRef<SWindow> self(this);
    ReleaseRow(row);
    m_rows.RemoveAt(row);
    m_selected = AfterRemoval(m_selected, row);
    m_hovered = AfterRemoval(m_hovered, row);
    UpdateScrollBar();
}

void SListCtrl::DeleteAllItems()
{
    const SAutoRef<SWindow> self(this);
    m_selected = m_hovered = -1;
    for (int i = 0; i < m_rows.GetCount(); ++i)
        ReleaseRow(i);
    m_rows.SetCount(0);
    UpdateScrollBar();
}

DWORD SListCtrl::GetItemData(int row) const
{
    return IsValidRow(row) ? m_rows[row].data : 0;
}

BOOL SListCtrl::SetItemData(int row, DWORD data)
{
    if (!IsValidRow(row))
        return FALSE;
    m_rows[row].data = data;
    return TRUE;
}

bool SListCtrl::IsValidCell(int row, int column) const
{
    return IsValidRow(row) && column >= 0 && column < m_cellCount && m_rows[row].cells;
}

BOOL SListCtrl::GetSubItem(int row, int column, SListCtrlSubItem* cell) const
{
    if (!cell || !IsValidCell(row, column))
        return FALSE;
    const SListCtrlSubItem& own = m_rows[row].cells[column];
    if ((cell->mask & kListCtrlMaskText) && cell->text && cell->textLength > 0) {
        const int length = std::min(own.textLength, cell->textLength - 1);
        if (own.text)
            memcpy(cell->text, own.text, length * sizeof(wchar_t));
        cell->text[own.text ? length : 0] = 0;
    }
    if (cell->mask & kListCtrlMaskImage)
        cell->image = own.image;
    if (cell->mask & kListCtrlMaskIndent)
        cell->indent = own.indent;
    return TRUE;
}

BOOL SListCtrl::SetSubItem(int row, int column, const SListCtrlSubItem* cell)
{
    if (!cell || !IsValidCell(row, column))
        return FALSE;
    SListCtrlSubItem& own = m_rows[row].cells[column];
    if (cell->mask & kListCtrlMaskText)
        StoreText(own, cell->text);
    if (cell->mask & kListCtrlMaskImage)
        own.image = cell->image;
    if (cell->mask & kListCtrlMaskIndent)
        own.indent = cell->indent;
    RedrawItem(row);
    return TRUE;
}

SStringW SListCtrl::GetSubItemText(int row, int column) const
{
    if (!IsValidCell(row, column))
        return SStringW();
    const SListCtrlSubItem& cell = m_rows[row].cells[column];
    return cell.text ? SStringW(cell.text, cell.textLength) : SStringW();
}

BOOL SListCtrl::SetSubItemText(int row, int column, LPCWSTR text)
{
    if (!IsValidCell(row, column))
        return FALSE;
    StoreText(m_rows[row].cells[column], text);
    InvalidateRect(GetItemRect(row, column));
    return TRUE;
}

BOOL SListCtrl::SortItems(ListCtrlCompare compare, void* context)
{
    if (!compare)
        return FALSE;
    SListCtrlItem* const rows = m_rows.GetData();
    if (rows) {
        std::sort(rows, rows + m_rows.GetCount(), [compare, context](const SListCtrlItem& a, const SListCtrlItem& b) {
            return compare(context, &a, &b) < 0;
        });
    }
    m_selected = m_hovered = -1;
    InvalidateRect(GetListRect());
    return TRUE;
}

// ---- Selection -------------------------------------------------------------------------------

BOOL SListCtrl::SetSelectedItem(int row)
{
    if (row != -1 && !IsValidRow(row))
        return FALSE;
    if (row != m_selected)
        NotifySelChange(m_selected, row, false);
    return TRUE;
}

BOOL SListCtrl::GetCheckState(int row) const
{
    return IsValidRow(row) ? m_rows[row].checked : FALSE;
}

BOOL SListCtrl::SetCheckState(int row, BOOL checked)
{
    if (!m_checkBox || !IsValidRow(row))
        return FALSE;
    m_rows[row].checked = checked;
    return TRUE;
}

int SListCtrl::GetCheckedItemCount() const
{
    int count = 0;
    for (int i = 0; i < m_rows.GetCount(); ++i)
        count += m_rows[i].checked ? 1 : 0;
    return count;
}

int SListCtrl::GetFirstCheckedItem() const
{
    for (int i = 0; i < m_rows.GetCount(); ++i) {
        if (m_rows[i].checked)
            return i;
    }
    return -1;
}

int SListCtrl::GetLastCheckedItem() const
{
    for (int i = m_rows.GetCount() - 1; i >= 0; --i) {
        if (m_rows[i].checked)
            return i;
    }
    return -1;
}

void SListCtrl::SetChecked(int row, BOOL checked)
{
    if (!IsValidRow(row) || m_rows[row].checked == checked)
        return;
    m_rows[row].checked = checked;
    RedrawItem(row);
}

void SListCtrl::NotifySelChange(int oldRow, int newRow, bool fromCheckBox)
{
    const SAutoRef<SWindow> self(this);
    EventLCSelChanging changing(this, newRow, oldRow);
    RaiseEvent(&changing);
    if (changing.cancel)
        return;
    const bool multiple = m_multiSelection || m_checkBox;
    if (fromCheckBox) {
        if (IsValidRow(newRow)) {
            m_selected = newRow;
            SetChecked(newRow, !m_rows[newRow].checked);
        }
    } else if (multiple && KeyHeld(VK_CONTROL)) {
        if (IsValidRow(newRow)) {
            m_selected = newRow;
            SetChecked(newRow, !m_rows[newRow].checked);
        }
    } else if (multiple && KeyHeld(VK_SHIFT)) {
        if (IsValidRow(newRow)) {
            // The range starts at a row that exists.
            const int from = std::min(std::max(oldRow, 0), m_rows.GetCount() - 1);
            const int low = std::min(from, newRow);
            const int high = std::max(from, newRow);
            for (int i = 0; i < m_rows.GetCount(); ++i)
                SetChecked(i, i >= low && i <= high);
            oldRow = from;
        }
    } else {
        m_selected = -1;
        for (int i = 0; i < m_rows.GetCount(); ++i) {
            if (i != newRow)
                SetChecked(i, FALSE);
        }
        if (IsValidRow(newRow)) {
            m_selected = newRow;
            SetChecked(newRow, TRUE);
        }
    }
    EventLCSelChanged changed(this, newRow, oldRow);
    RaiseEvent(&changed);
}

// ---- Geometry --------------------------------------------------------------------------------

RECT SListCtrl::GetListRect() const
{
    RECT list;
    CopyClientRect(&list);
    list.top = std::min(list.top + m_headerHeight, list.bottom);
    return list;
}

int SListCtrl::GetTopIndex() const
{
    return m_origin.y / m_itemHeight;
}

int SListCtrl::GetCountPerPage(BOOL partial) const
{
    const int height = Height(GetListRect());
    int count = height / m_itemHeight;
    if (partial && height % m_itemHeight != 0)
        ++count;
    return std::max(count, 1);
}

RECT SListCtrl::GetItemRect(int row, int column) const
{
    if (!IsValidCell(row, column))
        return RECT{};
    const RECT list = GetListRect();
    int left = list.left - m_origin.x;
    for (int i = 0; i < GetColumnCount(); ++i) {
        SHeaderItem item;
        item.mask = kHeaderMaskOrder;
        m_header->GetItem(i, &item);
        const int width = m_header->GetItemWidth(i);
        if (item.order == column) {
            const int top = list.top + row * m_itemHeight - m_origin.y;
            return RECT{left, top, left + width, top + m_itemHeight};
        }
        left += width;
    }
    return RECT{};
}

int SListCtrl::HitTest(POINT point) const
{
    const RECT list = GetListRect();
    if (point.y < list.top)
        return -1;
    const int row = (m_origin.y + point.y - list.top) / m_itemHeight;
    return row < GetItemCount() ? row : -1;
}

BOOL SListCtrl::HitCheckBox(POINT point) const
{
    if (!m_checkBox)
        return FALSE;
    const int left = GetListRect().left + kRowMargin - m_origin.x + kCheckMargin;
    const int width = m_checkSkin ? m_checkSkin->QuerySkinSize().cx : 0;
    return point.x >= left && point.x <= left + width;
}

// ---- Painting --------------------------------------------------------------------------------

void SListCtrl::OnPaint(IRenderTarget* target)
{
    SPaintState saved;
    PreparePaint(target, saved);
    const RECT list = GetListRect();
    target->PushClipRect(&list, RGN_AND);
    const int top = GetTopIndex();
    const int last = std::min(top + GetCountPerPage(TRUE), GetItemCount() - 1);
    RECT row = {list.left, list.top - m_origin.y % m_itemHeight, list.right, 0};
    for (int i = top; i <= last; ++i) {
        row.bottom = row.top + m_itemHeight;
        DrawItem(target, row, i);
        row.top = row.bottom;
    }
    target->PopClip();
    AfterPaint(target, saved);
}

void SListCtrl::DrawItem(IRenderTarget* target, const RECT& rect, int row)
{
    if (!IsValidRow(row))
        return;
    const SListCtrlItem& item = m_rows[row];
    COLORREF background = m_colorItemBkgnd;
    if ((row & 1) && m_colorItemBkgnd2 != kNoColour)
        background = m_colorItemBkgnd2;
    COLORREF text = m_colorText;
    int skinState = 0;
    if (item.checked || (m_hotTrack && row == m_hovered)) {
        const COLORREF marked = item.checked ? m_colorItemSelBkgnd : m_colorItemHotBkgnd;
        if (m_itemSkin)
            skinState = item.checked ? 2 : 1;
        else if (marked != kNoColour)
            background = marked;
        if (m_colorSelText != kNoColour)
            text = m_colorSelText;
    }
    if (background != kNoColour)
        target->FillSolidRect(&rect, background);
    if (m_itemSkin)
        m_itemSkin->DrawByIndex(target, &rect, skinState);

    const UniqueTextColor colour = text != kNoColour ? SetTargetTextColor(target, text) : UniqueTextColor();
    int left = rect.left + kRowMargin - m_origin.x;
    for (int i = 0; i < GetColumnCount(); ++i) {
        SHeaderItem header;
        header.mask = kHeaderMaskWidth | kHeaderMaskOrder;
        m_header->GetItem(i, &header);
        RECT column = {left, rect.top, left + m_header->GetItemWidth(i), rect.bottom};
        left = column.right;
        RECT shown;
        if (!::IntersectRect(&shown, &column, &rect))
            continue;
        if (i == 0 && m_checkBox && m_checkSkin) {
            const SIZE size = m_checkSkin->QuerySkinSize();
            RECT box = {column.left + kCheckMargin, column.top + (m_itemHeight - size.cy) / 2, 0, 0};
            box.right = box.left + size.cx;
            box.bottom = box.top + size.cy;
            m_checkSkin->DrawByIndex(target, &box, item.checked ? kCheckedState : 0);
            column.left += size.cx + 2 * kCheckMargin;
        }
        if (!item.cells || header.order < 0 || header.order >= m_cellCount)
            continue;
        const SListCtrlSubItem& cell = item.cells[header.order];
        int iconRight = -1;
        if (cell.image != -1 && m_iconSkin) {
            const SIZE size = m_iconSkin->QuerySkinSize();
            RECT icon;
            icon.left = column.left + (m_iconX == -1 ? m_itemHeight / 6 : m_iconX);
            icon.top = column.top + (m_iconY == -1 ? (m_itemHeight - size.cy) / 2 : m_iconY);
            icon.right = icon.left + size.cx;
            icon.bottom = icon.top + size.cy;
            m_iconSkin->DrawByIndex(target, &icon, cell.image);
            iconRight = icon.right;
        }
        RECT textRect = column;
        if (m_textX != -1)
            textRect.left = column.left + m_textX;
        else if (iconRight != -1)
            textRect.left = iconRight + m_itemHeight / 6;
        UINT format = DT_SINGLELINE | DT_VCENTER;
        if (m_textY != -1) {
            textRect.top = column.top + m_textY;
            format = DT_SINGLELINE;
        }
        if (cell.text)
            target->DrawText(cell.text, cell.textLength, &textRect, format);
    }
}

void SListCtrl::RedrawItem(int row)
{
    if (!IsVisible(TRUE) || !IsValidRow(row))
        return;
    const RECT list = GetListRect();
    const int top = GetTopIndex();
    const int shown = (Height(list) + m_itemHeight - 1) / m_itemHeight;
    if (row < top || row > top + shown)
        return;
    const RECT band = {list.left, list.top + row * m_itemHeight - m_origin.y, list.right,
                       list.top + (row + 1) * m_itemHeight - m_origin.y};
    RECT rect;
    if (!::IntersectRect(&rect, &band, &list))
        return;
    if (IRenderTarget* const target = GetRenderTarget(&rect, kGdcPaintBkgnd)) {
        SendSwndMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(target));
        SPaintState saved;
        PreparePaint(target, saved);
        DrawItem(target, band, row);
        AfterPaint(target, saved);
        ReleaseRenderTarget(target);
    }
}

// ---- Scrolling -------------------------------------------------------------------------------

void SListCtrl::UpdateScrollBar()
{
    RECT area;
    SWindow::CopyClientRect(&area);
    area.top = std::min(area.top + m_headerHeight, area.bottom);
    const int width = std::max(Width(area), 0);
    const int height = std::max(Height(area), 0);
    const int bar = GetSbWidth();
    const int viewWidth = m_header ? m_header->GetTotalWidth() : 0;
    const int viewHeight = GetItemCount() * m_itemHeight;

    m_shownBars = 0;
    m_vertInfo.nMin = m_horzInfo.nMin = 0;
    bool horizontal = false;
    if (height < viewHeight || (height < viewHeight + bar && width < viewWidth)) {
        m_shownBars |= kSbVert;
        m_vertInfo.nMax = viewHeight - 1;
        m_vertInfo.nPage = std::max(height / m_itemHeight, 1) * m_itemHeight;
        horizontal = width - bar < viewWidth;
        if (horizontal)
            m_vertInfo.nPage = std::max(height - bar, 0);
        m_horzInfo.nPage = horizontal ? std::max(width - bar, 0) : width;
    } else {
        m_vertInfo.nPage = height;
        m_vertInfo.nMax = height - 1;
        m_vertInfo.nPos = m_origin.y = 0;
        horizontal = width < viewWidth;
        m_horzInfo.nPage = width;
    }
    if (horizontal) {
        m_shownBars |= kSbHorz;
        m_horzInfo.nMax = viewWidth - 1;
    } else {
        m_horzInfo.nMax = width - 1;
        m_horzInfo.nPos = m_origin.x = 0;
    }
    SetScrollPos(TRUE, m_vertInfo.nPos, TRUE);
    SetScrollPos(FALSE, m_horzInfo.nPos, TRUE);
    SendSwndMessage(WM_NCCALCSIZE);
    // An origin that would show past the view's end comes back to it.
    if (HasScrollBar(TRUE) && m_origin.y + static_cast<int>(m_vertInfo.nPage) > viewHeight)
        m_vertInfo.nPos = m_origin.y = std::max(viewHeight - static_cast<int>(m_vertInfo.nPage), 0);
    if (HasScrollBar(FALSE) && m_origin.x + static_cast<int>(m_horzInfo.nPage) > viewWidth) {
        m_horzInfo.nPos = m_origin.x = std::max(viewWidth - static_cast<int>(m_horzInfo.nPage), 0);
        UpdateHeaderCtrl();
    }
    Invalidate();
}

BOOL SListCtrl::OnScroll(BOOL vertical, UINT code, int position)
{
    const BOOL result = SPanel::OnScroll(vertical, code, position);
    if (vertical) {
        m_origin.y = GetScrollPos(TRUE);
    } else {
        m_origin.x = GetScrollPos(FALSE);
        UpdateHeaderCtrl();
    }
    Invalidate();
    if (code == SB_THUMBTRACK)
        ScrollUpdate();
    return result;
}

void SListCtrl::UpdateHeaderCtrl()
{
    if (!m_header)
        return;
    RECT band;
    CopyClientRect(&band);
    band.bottom = band.top + m_headerHeight;
    band.left -= m_origin.x;
    m_header->Move(&band);
}

// ---- Children, size and life -----------------------------------------------------------------

BOOL SListCtrl::BuildChildren(pugi::xml_node element)
{
    SPanel::BuildChildren(element);
    m_header = SHeaderCtrl::FirstChildHeader(this);
    if (!m_header)
        return FALSE;
    m_cellCount = m_header->GetItemCount();
    wchar_t pos[40];
    swprintf(pos, 40, L"0,0,-0,%d", m_headerHeight);
    m_header->ApplyAttribute(L"pos", pos, TRUE);
    m_header->GetEventSet()->SubscribeEvent(EventHeaderItemChanging::EventID,
                                            Subscriber(&SListCtrl::OnHeaderItemChanging, this));
    m_header->GetEventSet()->SubscribeEvent(EventHeaderItemSwap::EventID, Subscriber(&SListCtrl::OnHeaderItemSwap, this));
    return TRUE;
}

BOOL SListCtrl::OnHeaderItemChanging(EventArgs*)
{
    UpdateScrollBar();
    InvalidateRect(GetListRect());
    return TRUE;
}

BOOL SListCtrl::OnHeaderItemSwap(EventArgs*)
{
    InvalidateRect(GetListRect());
    return TRUE;
}

void SListCtrl::UpdateChildrenPosition()
{
    SPanel::UpdateChildrenPosition();
    UpdateHeaderCtrl();
}

void SListCtrl::OnSize(UINT type, SIZE size)
{
    SPanel::OnSizeChanged(type, size);
    UpdateScrollBar();
    UpdateHeaderCtrl();
}

void SListCtrl::OnDestroy()
{
    DeleteAllItems();
    SPanel::OnDestroy();
}

// ---- Mouse -----------------------------------------------------------------------------------

void SListCtrl::OnLButtonDown(UINT flags, POINT point)
{
    const SAutoRef<SWindow> self(this);
    SPanel::OnLButtonDown(flags, point);
    m_hovered = HitTest(point);
    if (HitCheckBox(point)) {
        // A check box press toggles its row; below the rows there is none to toggle.
        if (m_hovered != -1)
            NotifySelChange(m_selected, m_hovered, true);
    } else if (m_selected != -1 || m_hovered != -1) {
        NotifySelChange(m_selected, m_hovered, false);
    }
}

void SListCtrl::OnLButtonDblClk(UINT, POINT point)
{
    const SAutoRef<SWindow> self(this);
    m_hovered = HitTest(point);
    if (m_hovered != m_selected)
        NotifySelChange(m_selected, m_hovered, false);
    EventLCDbClick clicked(this, m_hovered);
    RaiseEvent(&clicked);
}

void SListCtrl::OnMouseMove(UINT, POINT point)
{
    if (!m_hotTrack)
        return;
    const int row = HitTest(point);
    if (row != m_hovered) {
        m_hovered = row;
        Invalidate();
    }
}

void SListCtrl::OnMouseLeave()
{
    if (m_hotTrack) {
        m_hovered = -1;
        Invalidate();
    }
    SPanel::OnMouseLeave();
}

}  // namespace SAKU
