#include "controls/STreeCtrl.h"

#include "RedrawNow.h"
#include "core/Events.h"
#include "core/ISkinObj.h"
#include "core/SApplication.h"
#include "core/SXmlLookup.h"
#include "core/SkinLookup.h"
#include "render/IRenderFactory.h"
#include "render/RenderTargetHandles.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <utility>

namespace SAKU {

namespace {

// DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS: a row's text, cut at its content width.
constexpr UINT kRowTextFormat = 0x8024;
// The alignment bits of a text format, which a measure leaves out.
constexpr UINT kAlignmentBits = 0xF;

// A part's rectangle in a row of height `h`, centred vertically at x.
RECT PartInRow(int x, SIZE size, int h)
{
    return RECT{x, (h - size.cy) / 2, x + size.cx, h - (h - size.cy) / 2};
}

}  // namespace

STreeCtrl::STreeCtrl()
{
    ApplyAttribute(L"focusable", L"1", TRUE);
    m_toggleSkin = FindBuiltinSkin(L"_skin.sys.tree.toggle");
    m_checkSkin = FindBuiltinSkin(L"_skin.sys.tree.checkbox");
    GetEventSet()->AddEvent(EventTCSelChanging::EventID, EventTCSelChanging::EventName());
    GetEventSet()->AddEvent(EventTCSelChanged::EventID, EventTCSelChanged::EventName());
    GetEventSet()->AddEvent(EventTCExpand::EventID, EventTCExpand::EventName());
    GetEventSet()->AddEvent(EventTCCheckState::EventID, EventTCCheckState::EventName());
    GetEventSet()->AddEvent(EventTCDbClick::EventID, EventTCDbClick::EventName());
}

// The items live in the tree's nodes, which the tree frees with them: a control
// released without WM_DESTROY leaves nothing behind.
STreeCtrl::~STreeCtrl()
{
    CSTree::DeleteAllItems();
}

// Every row position divides by the height.
HRESULT STreeCtrl::OnAttrItemHeight(const SStringW& value, BOOL loading)
{
    const std::optional<int> height = ParseInt(value);
    if (!height || *height < 1)
        return E_INVALIDARG;
    m_itemHeight = *height;
    if (!loading) {
        ForgetRowAnchor();
        UpdateViewSize();
    }
    return kRefresh;
}

bool STreeCtrl::IsItem(HSTREEITEM item)
{
    return item != 0 && item != TREE_ITEM_ROOT && item != TREE_ITEM_FIRST && item != TREE_ITEM_LAST;
}

// ---- Inserting and removing -------------------------------------------------------------------

HSTREEITEM STreeCtrl::InsertItem(LPCWSTR text, int image, int selectedImage, DWORD data, HSTREEITEM parent,
                                 HSTREEITEM after, BOOL ensureVisible)
{
    tagTVITEM value;
    value.text = text ? text : L"";
    value.image = image;
    value.selectedImage = selectedImage;
    value.data = data;
    return InsertItem(value, parent, after, ensureVisible);
}

HSTREEITEM STreeCtrl::InsertItem(LPCWSTR text, int image, int selectedImage, HSTREEITEM parent, HSTREEITEM after,
                                 BOOL ensureVisible)
{
    return InsertItem(text, image, selectedImage, 0, parent, after, ensureVisible);
}

HSTREEITEM STreeCtrl::InsertItem(LPCWSTR text, HSTREEITEM parent, HSTREEITEM after, BOOL ensureVisible)
{
    return InsertItem(text, -1, -1, 0, parent, after, ensureVisible);
}

HSTREEITEM STreeCtrl::InsertItem(const tagTVITEM& value, HSTREEITEM parent, HSTREEITEM after, BOOL ensureVisible)
{
    const bool top = parent == TREE_ITEM_ROOT || parent == 0;
    if ((!top && !IsItem(parent)) || (after != TREE_ITEM_FIRST && after != TREE_ITEM_LAST && !IsItem(after)))
        return 0;
    tagTVITEM item = value;
    item.level = top ? 0 : GetItem(parent).level + 1;
    if (!top) {
        const tagTVITEM& up = GetItem(parent);
        item.visible = !up.collapsed && up.visible;
    }
    CalcItemContentWidth(item);
    const HSTREEITEM handle = CSTree::InsertItem(item, top ? TREE_ITEM_ROOT : parent, after);
    if (!handle)
        return 0;
    tagTVITEM& inserted = GetItemRef(handle);
    inserted.handle = handle;
    // Only once the item is linked: a refused position leaves the parent as it was.
    if (!top && !GetItem(parent).hasChildren) {
        tagTVITEM& up = GetItemRef(parent);
        up.hasChildren = TRUE;
        CalcItemContentWidth(up);
        if (up.visible)
            Invalidate();   // its toggle shows
    }
    OnInsertItem(inserted);
    if (inserted.visible) {
        ++m_visibleRows;
        m_contentWidth = std::max(m_contentWidth, GetItemWidth(inserted));
        ForgetRowAnchor();
        UpdateViewSize();
        Invalidate();
    }
    if (ensureVisible)
        EnsureVisible(handle);
    return handle;
}

bool STreeCtrl::InSubtree(HSTREEITEM item, HSTREEITEM top) const
{
    for (; item; item = CSTree::GetParentItem(item)) {
        if (item == top)
            return true;
    }
    return false;
}

BOOL STreeCtrl::RemoveItem(HSTREEITEM item)
{
    if (!IsItem(item))
        return FALSE;
    const HSTREEITEM parent = CSTree::GetParentItem(item);
    const tagTVITEM& removed = GetItem(item);
    const BOOL wasVisible = removed.visible;
    const int widest = GetMaxItemWidth(item);
    if (removed.visible && !removed.collapsed && removed.hasChildren)
        SetChildrenVisible(item, FALSE);
    for (HSTREEITEM* held : {&m_hovered, &m_selected, &m_captured}) {
        if (InSubtree(*held, item))
            *held = 0;
    }
    CSTree::DeleteItem(item);

    if (parent) {
        if (!CSTree::GetChildItem(parent)) {
            tagTVITEM& up = GetItemRef(parent);
            up.hasChildren = FALSE;
            up.collapsed = FALSE;
            CalcItemContentWidth(up);
            if (up.visible)
                Invalidate();   // its toggle goes
        } else if (m_checkBox) {
            UpdateCheckUpward(parent);
            Invalidate();
        }
    }
    if (wasVisible) {
        --m_visibleRows;
        ForgetRowAnchor();
        if (widest >= m_contentWidth)
            UpdateContentWidth();
        UpdateViewSize();
        Invalidate();
    }
    return TRUE;
}

void STreeCtrl::RemoveAllItems()
{
    CSTree::DeleteAllItems();
    m_visibleRows = 0;
    m_selected = m_hovered = m_captured = 0;
    m_contentWidth = 0;
    ForgetRowAnchor();
    SetViewSize(0, 0);
    SetViewOrigin(0, 0);
    Invalidate();
}

// ---- Navigation and item values -------------------------------------------------------------------

HSTREEITEM STreeCtrl::GetParentItem(HSTREEITEM item) const
{
    return IsItem(item) ? CSTree::GetParentItem(item) : 0;
}

HSTREEITEM STreeCtrl::GetChildItem(HSTREEITEM item, BOOL first) const
{
    return item == TREE_ITEM_ROOT || IsItem(item) ? CSTree::GetChildItem(item, first) : 0;
}

HSTREEITEM STreeCtrl::GetNextSiblingItem(HSTREEITEM item) const
{
    return IsItem(item) ? CSTree::GetNextSiblingItem(item) : 0;
}

HSTREEITEM STreeCtrl::GetPrevSiblingItem(HSTREEITEM item) const
{
    return IsItem(item) ? CSTree::GetPrevSiblingItem(item) : 0;
}

BOOL STreeCtrl::ItemHasChildren(HSTREEITEM item) const
{
    if (item == TREE_ITEM_ROOT)
        return CSTree::GetRootItem() != 0;
    return IsItem(item) && CSTree::GetChildItem(item) != 0;
}

BOOL STreeCtrl::GetItemText(HSTREEITEM item, SStringW& text) const
{
    if (!IsItem(item))
        return FALSE;
    text = GetItem(item).text;
    return TRUE;
}

BOOL STreeCtrl::SetItemText(HSTREEITEM item, LPCWSTR text)
{
    if (!IsItem(item))
        return FALSE;
    tagTVITEM& value = GetItemRef(item);
    value.text = text ? text : L"";
    CalcItemContentWidth(value);
    if (value.visible) {
        UpdateContentWidth();
        UpdateViewSize();
        Invalidate();
    }
    return TRUE;
}

BOOL STreeCtrl::GetItemImage(HSTREEITEM item, int& image, int& selectedImage) const
{
    if (!IsItem(item))
        return FALSE;
    image = GetItem(item).image;
    selectedImage = GetItem(item).selectedImage;
    return TRUE;
}

BOOL STreeCtrl::SetItemImage(HSTREEITEM item, int image, int selectedImage)
{
    if (!IsItem(item))
        return FALSE;
    GetItemRef(item).image = image;
    GetItemRef(item).selectedImage = selectedImage;
    RedrawItem(item);
    return TRUE;
}

DWORD STreeCtrl::GetItemData(HSTREEITEM item) const
{
    return IsItem(item) ? GetItem(item).data : 0;
}

BOOL STreeCtrl::SetItemData(HSTREEITEM item, DWORD data)
{
    if (!IsItem(item))
        return FALSE;
    GetItemRef(item).data = data;
    return TRUE;
}

// ---- Check boxes ------------------------------------------------------------------------------

BOOL STreeCtrl::GetCheckState(HSTREEITEM item) const
{
    return m_checkBox && IsItem(item) && GetItem(item).checkValue != 0;
}

BOOL STreeCtrl::SetCheckState(HSTREEITEM item, BOOL check)
{
    if (!m_checkBox || !IsItem(item))
        return FALSE;
    SetSubtreeCheck(item, check ? 1 : 0);
    if (const HSTREEITEM parent = CSTree::GetParentItem(item))
        UpdateCheckUpward(parent);
    Invalidate();
    return TRUE;
}

void STreeCtrl::SetSubtreeCheck(HSTREEITEM item, int value)
{
    GetItemRef(item).checkValue = value;
    for (HSTREEITEM child = CSTree::GetChildItem(item); child; child = CSTree::GetNextSiblingItem(child))
        SetSubtreeCheck(child, value);
}

// A child's value already speaks for its own descendants, so the children alone
// decide; a part-checked child makes the parent part-checked.
void STreeCtrl::UpdateCheckUpward(HSTREEITEM item)
{
    for (; item; item = CSTree::GetParentItem(item)) {
        bool all = true;
        bool none = true;
        for (HSTREEITEM child = CSTree::GetChildItem(item); child; child = CSTree::GetNextSiblingItem(child)) {
            const int value = GetItem(child).checkValue;
            all = all && value == 1;
            none = none && value == 0;
        }
        if (!CSTree::GetChildItem(item))
            return;
        GetItemRef(item).checkValue = all ? 1 : none ? 0 : 2;
    }
}

// ---- Expanding, showing and selecting ---------------------------------------------------------------

void STreeCtrl::SetChildrenVisible(HSTREEITEM item, BOOL visible)
{
    for (HSTREEITEM child = CSTree::GetChildItem(item); child; child = CSTree::GetNextSiblingItem(child)) {
        tagTVITEM& value = GetItemRef(child);
        value.visible = visible;
        m_visibleRows += visible ? 1 : -1;
        if (!value.collapsed && value.hasChildren)
            SetChildrenVisible(child, visible);
    }
}

// The rows of a hidden item's descendants are already hidden: only its flag changes.
BOOL STreeCtrl::Expand(HSTREEITEM item, UINT code)
{
    if (!IsItem(item) || !CSTree::GetChildItem(item))
        return FALSE;
    tagTVITEM& value = GetItemRef(item);
    BOOL collapse = FALSE;
    if (code == TVE_COLLAPSE && !value.collapsed)
        collapse = TRUE;
    else if (code == TVE_EXPAND && value.collapsed)
        collapse = FALSE;
    else if (code == TVE_TOGGLE)
        collapse = !value.collapsed;
    else
        return FALSE;
    value.collapsed = collapse;
    if (value.visible)
        SetChildrenVisible(item, !collapse);
    ForgetRowAnchor();
    EventTCExpand expanded(this, item, collapse);
    RaiseEvent(&expanded);
    UpdateContentWidth();
    UpdateViewSize();
    Invalidate();
    return TRUE;
}

bool STreeCtrl::BelongsHere(HSTREEITEM item) const
{
    HSTREEITEM top = item;
    while (const HSTREEITEM parent = CSTree::GetParentItem(top))
        top = parent;
    while (const HSTREEITEM prev = CSTree::GetPrevSiblingItem(top))
        top = prev;
    return top == CSTree::GetRootItem();
}

BOOL STreeCtrl::EnsureVisible(HSTREEITEM item)
{
    if (!IsItem(item) || !BelongsHere(item))
        return FALSE;
    if (!GetItem(item).visible) {
        for (HSTREEITEM up = CSTree::GetParentItem(item); up; up = CSTree::GetParentItem(up)) {
            if (GetItem(up).collapsed)
                Expand(up, TVE_EXPAND);
        }
    }
    const int h = m_itemHeight;
    const int offset = RowOf(item, false) * h;
    const RECT client = GetClientRect();
    const int height = client.bottom - client.top;
    const int origin = GetViewOrigin().y;
    if (offset + h > origin + height)
        OnScroll(TRUE, SB_THUMBPOSITION, offset + h - height);
    else if (offset < origin)
        OnScroll(TRUE, SB_THUMBPOSITION, offset);
    return TRUE;
}

BOOL STreeCtrl::SelectItem(HSTREEITEM item, BOOL ensureVisible)
{
    if (!IsItem(item) || !BelongsHere(item))
        return FALSE;
    const HSTREEITEM old = m_selected;
    EventTCSelChanging changing(this, old, item);
    RaiseEvent(&changing);
    if (changing.cancel)
        return FALSE;
    m_selected = item;
    if (ensureVisible)
        EnsureVisible(item);
    EventTCSelChanged changed(this, old, item);
    RaiseEvent(&changed);
    if (old)
        RedrawItem(old);
    RedrawItem(item);
    return TRUE;
}

void STreeCtrl::SortChildren(HSTREEITEM item, FunTreeSortCallback compare, void* context)
{
    if (item != TREE_ITEM_ROOT && !IsItem(item))
        return;
    m_hovered = m_captured = 0;
    CSTree::SortChildren(item, compare, context);
    ForgetRowAnchor();
    Invalidate();
}

// ---- Rows -------------------------------------------------------------------------------------

HSTREEITEM STreeCtrl::NextShown(HSTREEITEM item) const
{
    const tagTVITEM& value = GetItem(item);
    if (!value.collapsed && value.hasChildren)
        return CSTree::GetChildItem(item);
    for (; item; item = CSTree::GetParentItem(item)) {
        if (const HSTREEITEM next = CSTree::GetNextSiblingItem(item))
            return next;
    }
    return 0;
}

HSTREEITEM STreeCtrl::PrevShown(HSTREEITEM item) const
{
    HSTREEITEM prev = CSTree::GetPrevSiblingItem(item);
    if (!prev)
        return CSTree::GetParentItem(item);
    while (!GetItem(prev).collapsed && GetItem(prev).hasChildren)
        prev = CSTree::GetChildItem(prev, FALSE);
    return prev;
}

// Scrolling moves the first painted row by a row or a page: walking from the
// row asked for last keeps each paint's cost to the rows it moved, wherever the
// view is.
HSTREEITEM STreeCtrl::ItemAtRow(int row)
{
    if (row < 0 || row >= m_visibleRows)
        return 0;
    HSTREEITEM item = CSTree::GetRootItem();
    int at = 0;
    if (m_anchorItem && std::abs(row - m_anchorRow) < row) {
        item = m_anchorItem;
        at = m_anchorRow;
    }
    for (; item && at < row; ++at)
        item = NextShown(item);
    for (; item && at > row; --at)
        item = PrevShown(item);
    if (item) {
        m_anchorItem = item;
        m_anchorRow = row;
    }
    return item;
}

int STreeCtrl::RowOf(HSTREEITEM item, bool pageOnly)
{
    if (!GetItem(item).visible)
        return -1;
    if (pageOnly) {
        const int first = FirstRow();
        HSTREEITEM shown = ItemAtRow(first);
        for (int row = first; shown && row <= first + PageRows(); ++row, shown = NextShown(shown)) {
            if (shown == item)
                return row;
        }
        return -1;
    }
    int row = 0;
    for (HSTREEITEM shown = CSTree::GetRootItem(); shown; shown = NextShown(shown), ++row) {
        if (shown == item)
            return row;
    }
    return -1;
}

int STreeCtrl::FirstRow() const
{
    return GetViewOrigin().y / m_itemHeight;
}

int STreeCtrl::PageRows() const
{
    const RECT client = GetClientRect();
    return (client.bottom - client.top + m_itemHeight - 1) / m_itemHeight;
}

RECT STreeCtrl::RowRect(int row, const tagTVITEM& item) const
{
    const RECT client = GetClientRect();
    const POINT origin = GetViewOrigin();
    const int left = client.left - origin.x + m_indent * item.level;
    const int top = client.top + row * m_itemHeight - origin.y;
    return RECT{left, top, left + client.right - client.left, top + m_itemHeight};
}

BOOL STreeCtrl::GetItemRect(HSTREEITEM item, RECT& rect)
{
    const int row = RowOf(item, true);
    if (row < 0)
        return FALSE;
    rect = RowRect(row, GetItem(item));
    return TRUE;
}

void STreeCtrl::UpdateViewSize()
{
    SetViewSize(m_contentWidth, m_visibleRows * m_itemHeight);
}

HSTREEITEM STreeCtrl::HitTest(POINT& point)
{
    const RECT client = GetClientRect();
    const int offset = GetViewOrigin().y + point.y - client.top;
    if (offset < 0)
        return 0;
    const int row = offset / m_itemHeight;
    const HSTREEITEM item = ItemAtRow(row);
    if (!item)
        return 0;
    const RECT rect = RowRect(row, GetItem(item));
    point = POINT{point.x - rect.left, point.y - rect.top};
    return item;
}

int STreeCtrl::ItemHitTest(HSTREEITEM item, POINT point) const
{
    if ((m_partMask & kPartToggle) && GetItem(item).hasChildren && ::PtInRect(&m_toggleRect, point))
        return kPartToggle;
    if ((m_partMask & kPartCheckBox) && ::PtInRect(&m_checkBoxRect, point))
        return kPartCheckBox;
    return kPartNone;
}

// ---- Widths -----------------------------------------------------------------------------------

void STreeCtrl::ItemLayout()
{
    m_partMask = 0;
    m_toggleRect = m_checkBoxRect = m_iconRect = RECT{};
    int x = 0;
    const struct {
        ISkinObj* skin;
        bool on;
        UINT bit;
        RECT* rect;
    } parts[] = {
        {m_toggleSkin, true,            kPartToggle,   &m_toggleRect},
        {m_checkSkin,  m_checkBox != 0, kPartCheckBox, &m_checkBoxRect},
        {m_iconSkin,   true,            kPartIcon,     &m_iconRect},
    };
    for (const auto& part : parts) {
        if (!part.skin || !part.on)
            continue;
        const SIZE size = part.skin->QuerySkinSize();
        m_partMask |= part.bit;
        *part.rect = PartInRow(x, size, m_itemHeight);
        x += size.cx;
    }
    m_textOffset = x;
}

void STreeCtrl::CalcItemContentWidth(tagTVITEM& item)
{
    if (!m_measure) {
        SApplication* const app = SApplication::GetInstance();
        IRenderFactory* const factory = app ? app->GetRenderFactory() : nullptr;
        if (factory)
            (void)factory->CreateRenderTarget(m_measure.Put(), 0, 0);   // no target measures no text
    }
    int width = 0;
    if (m_measure && !item.text.IsEmpty()) {
        ApplyAncestorPaintState(m_measure.Get());
        RECT measured = {};
        DrawText(m_measure.Get(), item.text.c_str(), item.text.GetLength(), &measured,
                 (GetTextFormat() & ~kAlignmentBits) | DT_CALCRECT);
        width = measured.right - measured.left;
    }
    item.contentWidth = m_textOffset + 2 * m_itemMargin + width;
}

int STreeCtrl::GetItemWidth(const tagTVITEM& item) const
{
    return m_indent * item.level + item.contentWidth;
}

int STreeCtrl::GetMaxItemWidth(HSTREEITEM item) const
{
    const tagTVITEM& value = GetItem(item);
    if (!value.visible)
        return 0;
    int widest = GetItemWidth(value);
    for (HSTREEITEM child = CSTree::GetChildItem(item); child; child = CSTree::GetNextSiblingItem(child))
        widest = std::max(widest, GetMaxItemWidth(child));
    return widest;
}

void STreeCtrl::UpdateContentWidth()
{
    m_contentWidth = 0;
    for (HSTREEITEM item = CSTree::GetRootItem(); item; item = CSTree::GetNextSiblingItem(item))
        m_contentWidth = std::max(m_contentWidth, GetMaxItemWidth(item));
}

// ---- Painting -----------------------------------------------------------------------------------

void STreeCtrl::OnPaint(IRenderTarget* target)
{
    SPaintState saved;
    PreparePaint(target, saved);
    const int first = FirstRow();
    const int last = first + PageRows();
    HSTREEITEM item = ItemAtRow(first);
    for (int row = first; item && row <= last; ++row, item = NextShown(item)) {
        RECT rect = RowRect(row, GetItem(item));
        rect.left -= m_indent * GetItem(item).level;
        rect.right = rect.left + GetItemWidth(GetItem(item));
        DrawItem(target, rect, item);
    }
    AfterPaint(target, saved);
}

int STreeCtrl::PartState(DWORD state) const
{
    if (state & (WndState_PushDown | WndState_Check))
        return 2;
    return (state & WndState_Hover) ? 1 : 0;
}

void STreeCtrl::DrawItem(IRenderTarget* target, const RECT& rect, HSTREEITEM item)
{
    const tagTVITEM& value = GetItem(item);
    const int indent = m_indent * value.level;
    POINT oldOrigin = {};
    target->OffsetViewportOrg(rect.left + indent, rect.top, &oldOrigin);

    RECT text = {m_textOffset + m_itemMargin, 0,
                 std::min(value.contentWidth, static_cast<int>(rect.right - rect.left) - indent), m_itemHeight};
    const bool selected = item == m_selected;
    if (selected) {
        if (m_itemSelSkin)
            m_itemSelSkin->DrawByIndex(target, &text, 0);
        else if (m_colorItemSelBkgnd != SwndStyle::kColorNone)
            target->FillSolidRect(&text, m_colorItemSelBkgnd);
    }
    const COLORREF colour = selected ? m_colorItemSelText : m_colorItemText;
    const UniqueTextColor textColor =
        colour != SwndStyle::kColorNone ? SetTargetTextColor(target, colour) : UniqueTextColor();

    if ((m_partMask & kPartToggle) && value.hasChildren)
        m_toggleSkin->DrawByIndex(target, &m_toggleRect, PartState(value.toggleState) + (value.collapsed ? 0 : 3));
    if (m_partMask & kPartCheckBox) {
        const int checked = value.checkValue == 1 ? 3 : value.checkValue == 2 ? 6 : 0;
        m_checkSkin->DrawByIndex(target, &m_checkBoxRect, PartState(value.checkBoxState) + checked);
    }
    if (m_partMask & kPartIcon) {
        const int image = selected && value.selectedImage != -1 ? value.selectedImage : value.image;
        if (image >= 0)
            m_iconSkin->DrawByIndex(target, &m_iconRect, image);
    }
    text.left += m_itemMargin;
    DrawText(target, value.text.c_str(), -1, &text, kRowTextFormat);
    target->SetViewportOrg(oldOrigin);
}

void STreeCtrl::RedrawItem(HSTREEITEM item)
{
    if (!IsVisible(TRUE) || !IsItem(item))
        return;
    const int row = RowOf(item, true);
    if (row < 0)
        return;
    const tagTVITEM& value = GetItem(item);
    RECT rect = RowRect(row, value);
    rect.left -= m_indent * value.level;
    rect.right = rect.left + GetItemWidth(value);
    RedrawNow(*this, rect, [&](IRenderTarget* target) { DrawItem(target, rect, item); });
}

// ---- The parts of a row under the mouse -------------------------------------------------------------

void STreeCtrl::ModifyPartState(HSTREEITEM item, DWORD tagTVITEM::*state, const RECT& part, DWORD add, DWORD remove)
{
    tagTVITEM& value = GetItemRef(item);
    value.*state = (value.*state | add) & ~remove;
    RECT row;
    if (!GetItemRect(item, row))
        return;
    RECT area = part;
    ::OffsetRect(&area, row.left, row.top);
    InvalidateRect(area);
}

void STreeCtrl::ModifyToggleState(HSTREEITEM item, DWORD add, DWORD remove)
{
    ModifyPartState(item, &tagTVITEM::toggleState, m_toggleRect, add, remove);
}

void STreeCtrl::ModifyCheckBoxState(HSTREEITEM item, DWORD add, DWORD remove)
{
    ModifyPartState(item, &tagTVITEM::checkBoxState, m_checkBoxRect, add, remove);
}

void STreeCtrl::ItemPress(HSTREEITEM item, POINT point)
{
    const int part = ItemHitTest(item, point);
    const int previous = m_pushPart;
    if (previous == kPartToggle)
        ModifyToggleState(item, 0, WndState_PushDown);
    else if (previous == kPartCheckBox)
        ModifyCheckBoxState(item, 0, WndState_PushDown);
    m_pushPart = part;
    if (part == kPartToggle && previous != kPartToggle) {
        ModifyToggleState(item, WndState_PushDown, 0);
        Expand(item, TVE_TOGGLE);
    } else if (part == kPartCheckBox && previous != kPartCheckBox) {
        ModifyCheckBoxState(item, WndState_PushDown, 0);
        SetCheckState(item, GetItem(item).checkValue != 1);
    }
}

void STreeCtrl::ItemRelease(HSTREEITEM item)
{
    const int part = std::exchange(m_pushPart, kPartNone);
    if (part == kPartToggle) {
        ModifyToggleState(item, 0, WndState_PushDown);
    } else if (part == kPartCheckBox) {
        ModifyCheckBoxState(item, 0, WndState_PushDown);
        EventTCCheckState checked(this, item, GetItem(item).checkBoxState);
        RaiseEvent(&checked);
    }
}

void STreeCtrl::ItemMouseMove(HSTREEITEM item, POINT point)
{
    const int part = ItemHitTest(item, point);
    if (part == m_hoverPart)
        return;
    if (m_hoverPart == kPartToggle)
        ModifyToggleState(item, 0, WndState_Hover);
    else if (m_hoverPart == kPartCheckBox)
        ModifyCheckBoxState(item, 0, WndState_Hover);
    m_hoverPart = part;
    if (part == kPartToggle)
        ModifyToggleState(item, WndState_Hover, 0);
    else if (part == kPartCheckBox)
        ModifyCheckBoxState(item, WndState_Hover, 0);
}

void STreeCtrl::ItemMouseLeave(HSTREEITEM item)
{
    if (m_hoverPart == kPartToggle)
        ModifyToggleState(item, 0, WndState_Hover);
    else if (m_hoverPart == kPartCheckBox)
        ModifyCheckBoxState(item, 0, WndState_Hover);
    m_hoverPart = kPartNone;
}

// ---- Messages -----------------------------------------------------------------------------------

void STreeCtrl::OnDestroy()
{
    CSTree::DeleteAllItems();
    m_visibleRows = 0;
    m_selected = m_hovered = m_captured = 0;
    ForgetRowAnchor();
    SetMsgHandled(FALSE);   // the window's own end follows
}

void STreeCtrl::OnMouseMove(UINT, POINT point)
{
    const HSTREEITEM item = HitTest(point);
    if (item != m_hovered) {
        if (m_hovered)
            ItemMouseLeave(m_hovered);
        m_hovered = item;
    }
    if (m_hovered)
        ItemMouseMove(m_hovered, point);
}

void STreeCtrl::OnLButtonDown(UINT flags, POINT point)
{
    SWindow::OnLButtonDown(flags, point);
    m_hovered = HitTest(point);
    if (m_hovered && m_hovered != m_selected)
        SelectItem(m_hovered, FALSE);
    if (!m_hovered)
        return;
    m_captured = m_hovered;
    ItemPress(m_hovered, point);
}

void STreeCtrl::OnLButtonUp(UINT flags, POINT point)
{
    SWindow::OnLeftButtonUp(flags, point);
    HSTREEITEM item = std::exchange(m_captured, 0);
    if (!item)
        item = HitTest(point);
    if (item)
        ItemRelease(item);
}

void STreeCtrl::OnLButtonDbClick(UINT, POINT point)
{
    const HSTREEITEM item = HitTest(point);
    if (!item)
        return;
    if (ItemHitTest(item, point) == kPartCheckBox)
        ItemPress(item, point);   // the box takes the second press as it took the first
    EventTCDbClick clicked(this, item);
    RaiseEvent(&clicked);
    if (!clicked.cancel)
        Expand(item, TVE_TOGGLE);
}

BOOL STreeCtrl::OnRButtonDown(UINT flags, POINT point)
{
    if (m_rightClickSel) {
        POINT at = point;
        const HSTREEITEM item = HitTest(at);
        if (item && item != m_selected)
            SelectItem(item, FALSE);
    }
    return SWindow::OnRButtonDown(flags, point);
}

void STreeCtrl::OnMouseLeave()
{
    if (m_hovered)
        ItemMouseLeave(m_hovered);
    m_hovered = 0;
    SetMsgHandled(FALSE);   // the window's own hover state goes too
}

// ---- Building -----------------------------------------------------------------------------------

BOOL STreeCtrl::BuildChildren(pugi::xml_node element)
{
    if (!element)
        return FALSE;
    RemoveAllItems();
    ItemLayout();
    if (const pugi::xml_node first = XmlChild(element, L"item"))
        LoadBranch(TREE_ITEM_ROOT, first);
    return TRUE;
}

void STreeCtrl::LoadBranch(HSTREEITEM parent, pugi::xml_node element)
{
    for (pugi::xml_node node = element; node; node = XmlNextSibling(node, L"item")) {
        tagTVITEM value;
        LoadItemAttribute(node, value);
        const HSTREEITEM item = InsertItem(value, parent, TREE_ITEM_LAST, FALSE);
        if (!item)
            continue;
        if (const pugi::xml_node child = XmlChild(node, L"item")) {
            LoadBranch(item, child);
            Expand(item, XmlAttribute(node, L"expand").as_bool(true) ? TVE_EXPAND : TVE_COLLAPSE);
        }
    }
}

void STreeCtrl::LoadItemAttribute(pugi::xml_node element, tagTVITEM& item)
{
    for (const pugi::xml_attribute attribute : element.attributes()) {
        const wchar_t* const name = attribute.name();
        if (_wcsicmp(name, L"text") == 0)
            item.text = attribute.value();
        else if (_wcsicmp(name, L"img") == 0)
            item.image = attribute.as_int(0);
        else if (_wcsicmp(name, L"selImg") == 0)
            item.selectedImage = attribute.as_int(0);
        else if (_wcsicmp(name, L"data") == 0)
            item.data = attribute.as_uint(0);
    }
}

}  // namespace SAKU
