#include "controls/SListBox.h"

#include "RedrawNow.h"
#include "core/Events.h"
#include "core/ISkinObj.h"
#include "core/SXmlLookup.h"
#include "render/RenderTargetHandles.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cwchar>

namespace SAKU {

SListBox::SListBox()
{
    ApplyAttribute(L"focusable", L"1", TRUE);
    GetEventSet()->AddEvent(EventLBSelChanging::EventID, EventLBSelChanging::EventName());
    GetEventSet()->AddEvent(EventLBSelChanged::EventID, EventLBSelChanged::EventName());
    GetEventSet()->AddEvent(EventLBDbClick::EventID, EventLBDbClick::EventName());
}

SListBox::~SListBox() = default;

// A height that rounds to no pixel at the window's scale would leave the rows
// without size: every position divides by it.
HRESULT SListBox::OnAttrItemHeight(const SStringW& value, BOOL loading)
{
    const SLayoutDim height(value);
    if (!height.IsSpecified() || height.ToPixelSize(GetScale()) < 1)
        return E_INVALIDARG;
    m_itemHeight = height;
    if (!loading)
        UpdateViewSize();
    return kNoRefresh;
}

// ---- Entries ------------------------------------------------------------------------------

int SListBox::InsertString(int index, LPCWSTR text, int image, DWORD data)
{
    auto item = std::make_unique<SListBoxItem>(this);
    item->text.SetText(text ? text : L"");
    item->image = image;
    item->data = data;
    return InsertItem(index, std::move(item));
}

int SListBox::InsertItem(int index, std::unique_ptr<SListBoxItem> item)
{
    if (index < -1 || !item)
        return -1;
    if (index == -1 || index > GetCount())
        index = GetCount();
    m_items.insert(m_items.begin() + index, std::move(item));
    if (m_curSel >= index)
        ++m_curSel;
    if (m_hoverSel >= index)
        ++m_hoverSel;
    UpdateViewSize();
    return index;
}

BOOL SListBox::DeleteString(int index)
{
    if (!IsIndex(index))
        return FALSE;
    m_items.erase(m_items.begin() + index);
    if (m_curSel == index)
        m_curSel = -1;
    else if (m_curSel > index)
        --m_curSel;
    if (m_hoverSel == index)
        m_hoverSel = -1;
    else if (m_hoverSel > index)
        --m_hoverSel;
    UpdateViewSize();
    return TRUE;
}

void SListBox::DeleteAll()
{
    m_items.clear();
    m_curSel = -1;
    m_hoverSel = -1;
    SetViewSize(0, 0);
    Invalidate();
}

SStringW SListBox::GetText(int index, BOOL raw) const
{
    return IsIndex(index) ? m_items[index]->text.GetText(raw) : SStringW();
}

DWORD SListBox::GetItemData(int index) const
{
    return IsIndex(index) ? m_items[index]->data : 0;
}

BOOL SListBox::SetItemData(int index, DWORD data)
{
    if (!IsIndex(index))
        return FALSE;
    m_items[index]->data = data;
    return TRUE;
}

void SListBox::UpdateViewSize()
{
    RECT full;
    SWindow::CopyClientRect(&full);   // with the room a shown bar takes
    const int height = GetCount() * GetItemHeight();
    int width = full.right - full.left;
    if (height > full.bottom - full.top)
        width -= GetSbWidth();
    SetViewSize(width, height);
}

// ---- Selection and scrolling ------------------------------------------------------------------

BOOL SListBox::SetCurSel(int index)
{
    if (index >= GetCount())
        return FALSE;
    if (index < 0)
        index = -1;
    if (index == m_curSel)
        return FALSE;
    const int old = m_curSel;
    m_curSel = index;
    if (IsVisible(TRUE)) {
        RedrawItem(old);
        RedrawItem(index);
    }
    return TRUE;
}

int SListBox::GetItemHeight() const
{
    return std::max(m_itemHeight.ToPixelSize(GetScale()), 1);   // a scale change may round a tiny height to 0
}

BOOL SListBox::SetItemHeight(int index, int pixels)
{
    if (pixels < 1 || !IsIndex(index))
        return FALSE;
    m_itemHeight = SLayoutDim(static_cast<float>(pixels), kUnitPx);
    UpdateViewSize();
    Invalidate();
    return TRUE;
}

int SListBox::GetTopIndex() const
{
    return GetViewOrigin().y / GetItemHeight();
}

BOOL SListBox::SetTopIndex(int index)
{
    if (!IsIndex(index))
        return FALSE;
    OnScroll(TRUE, SB_THUMBPOSITION, index * GetItemHeight());
    return TRUE;
}

void SListBox::EnsureVisible(int index)
{
    if (!IsIndex(index))
        return;
    const int h = GetItemHeight();
    const RECT client = GetClientRect();
    const int origin = GetViewOrigin().y;
    const int first = (origin + h - 1) / h;
    const int visible = (client.bottom - client.top) / h;
    if (index >= first && index <= first + visible - 1)
        return;
    int offset = index < first ? (index - first) * h : (index - first - visible + 1) * h;
    offset = offset / h * h;
    OnScroll(TRUE, SB_THUMBPOSITION, origin + offset);
}

int SListBox::HitTest(POINT& point) const
{
    const RECT client = GetClientRect();
    if (!::PtInRect(&client, point))
        return -1;
    const int h = GetItemHeight();
    const int offset = point.y + GetViewOrigin().y - client.top;
    const int index = offset / h;
    if (index >= GetCount())
        return -1;
    point = POINT{point.x - client.left, offset % h};
    return index;
}

RECT SListBox::ItemRect(int index) const
{
    const RECT client = GetClientRect();
    const int top = client.top + index * GetItemHeight() - GetViewOrigin().y;
    return RECT{client.left, top, client.right, top + GetItemHeight()};
}

void SListBox::NotifySelChange(int oldSel, int newSel)
{
    EventLBSelChanging changing(this, newSel, oldSel);
    RaiseEvent(&changing);
    if (changing.cancel)
        return;
    m_curSel = newSel;
    if (oldSel != -1)
        RedrawItem(oldSel);
    if (m_curSel != -1)
        RedrawItem(m_curSel);
    EventLBSelChanged changed(this, newSel, oldSel);
    RaiseEvent(&changed);
}

// ---- Painting -----------------------------------------------------------------------------------

void SListBox::OnPaint(IRenderTarget* target)
{
    SPaintState saved;
    PreparePaint(target, saved);
    const int h = GetItemHeight();
    const RECT client = GetClientRect();
    const int first = GetTopIndex();
    const int last = std::min(first + static_cast<int>(client.bottom - client.top + h - 1) / h, GetCount() - 1);
    for (int i = first; i <= last; ++i)
        DrawItem(target, ItemRect(i), i);
    AfterPaint(target, saved);
}

void SListBox::DrawItem(IRenderTarget* target, const RECT& rect, int index)
{
    if (!IsIndex(index))
        return;
    const SListBoxItem& item = *m_items[index];
    const int h = GetItemHeight();
    const int scale = GetScale();

    COLORREF background = m_colorItemBkgnd;
    if (index % 2 == 1 && m_colorItemBkgnd2 != SwndStyle::kColorNone)
        background = m_colorItemBkgnd2;
    COLORREF textColor = m_colorText;
    int skinState = 0;
    if (index == m_curSel || (m_hotTrack && index == m_hoverSel)) {
        const bool selected = index == m_curSel;
        if (m_itemSkin)
            skinState = selected ? 2 : 1;
        else if ((selected ? m_colorItemSelBkgnd : m_colorItemHotBkgnd) != SwndStyle::kColorNone)
            background = selected ? m_colorItemSelBkgnd : m_colorItemHotBkgnd;
        if (m_colorSelText != SwndStyle::kColorNone)
            textColor = m_colorSelText;
    }

    if (background != SwndStyle::kColorNone)
        target->FillSolidRect(&rect, background);
    if (m_itemSkin)
        m_itemSkin->DrawByIndex(target, &rect, skinState);
    const UniqueTextColor colour =
        textColor != SwndStyle::kColorNone ? SetTargetTextColor(target, textColor) : UniqueTextColor();

    RECT text = rect;
    bool iconDrawn = false;
    RECT icon = {};
    if (item.image != -1 && m_iconSkin) {
        const SIZE size = m_iconSkin->QuerySkinSize();
        const int x = m_iconX.IsValid() ? m_iconX.ToPixelSize(scale) : h / 6;
        const int y = m_iconY.IsValid() ? m_iconY.ToPixelSize(scale) : (h - size.cy) / 2;
        icon = RECT{rect.left + x, rect.top + y, rect.left + x + size.cx, rect.top + y + size.cy};
        m_iconSkin->DrawByIndex(target, &icon, item.image);
        iconDrawn = true;
    }
    if (m_textX.IsValid())
        text.left = rect.left + m_textX.ToPixelSize(scale);
    else if (iconDrawn)
        text.left = icon.right + h / 6;
    UINT format = DT_SINGLELINE | DT_VCENTER;
    if (m_textY.IsValid()) {
        text.top = rect.top + m_textY.ToPixelSize(scale);
        format = DT_SINGLELINE;
    }
    DrawText(target, item.text.GetText().c_str(), -1, &text, format);
}

void SListBox::RedrawItem(int index)
{
    if (!IsVisible(TRUE) || !IsIndex(index))
        return;
    const int h = GetItemHeight();
    const RECT client = GetClientRect();
    const int first = GetTopIndex();
    if (index < first || index > first + (client.bottom - client.top + h - 1) / h)
        return;
    const RECT rect = ItemRect(index);
    RedrawNow(*this, rect, [&](IRenderTarget* target) { DrawItem(target, rect, index); });
}

// ---- Messages ---------------------------------------------------------------------------------

void SListBox::OnSize(UINT type, SIZE size)
{
    SScrollView::OnSizeChanged(type, size);
    UpdateViewSize();
}

void SListBox::OnDestroy()
{
    DeleteAll();
    SetMsgHandled(FALSE);   // the window's own end follows
}

void SListBox::OnShowWindow(BOOL show, UINT status)
{
    if (!show)
        m_hoverSel = -1;
    SPanel::OnShowWindow(show, status);
}

void SListBox::OnKeyDown(UINT key, UINT, UINT)
{
    const int start = m_hotTrack && m_hoverSel != -1 ? m_hoverSel : m_curSel;
    int next = -1;
    if (key == VK_DOWN && start < GetCount() - 1)
        next = start + 1;   // from no selection, entry 0
    else if (key == VK_UP && start > 0)
        next = start - 1;
    if (next == -1) {
        SetMsgHandled(FALSE);
        return;
    }
    const int hovered = m_hoverSel;
    if (m_hotTrack)
        m_hoverSel = -1;
    EnsureVisible(next);
    NotifySelChange(m_curSel, next);
    if (hovered != -1 && hovered != m_curSel && hovered != next)
        RedrawItem(hovered);
}

// The combo box that owns a drop list takes the characters typed into it; it
// swaps the key data's halves back when it hands them to its edit.
void SListBox::OnChar(UINT character, UINT repeatCount, UINT flags)
{
    if (SWindow* const owner = GetOwner()) {
        owner->SendSwndMessage(WM_CHAR, character, MAKELPARAM(flags, repeatCount));
        return;
    }
    SetMsgHandled(FALSE);
}

void SListBox::OnMouseMove(UINT, POINT point)
{
    const int old = m_hoverSel;
    m_hoverSel = HitTest(point);
    if (!m_hotTrack || old == m_hoverSel)
        return;
    for (const int index : {old, m_hoverSel, m_curSel}) {
        if (index != -1)
            RedrawItem(index);
    }
}

void SListBox::SelectUnder(POINT point)
{
    m_hoverSel = HitTest(point);
    if (m_hoverSel != m_curSel)
        NotifySelChange(m_curSel, m_hoverSel);
}

void SListBox::OnLButtonDown(UINT flags, POINT point)
{
    SWindow::OnLButtonDown(flags, point);
    if (!m_hotTrack)
        SelectUnder(point);
}

void SListBox::OnLButtonUp(UINT flags, POINT point)
{
    if (m_hotTrack)
        SelectUnder(point);
    SWindow::OnLeftButtonUp(flags, point);
}

void SListBox::OnLButtonDbClick(UINT, POINT point)
{
    SelectUnder(point);
    EventLBDbClick clicked(this, m_hoverSel);
    RaiseEvent(&clicked);
}

void SListBox::OnMouseLeave()
{
    SWindow::OnMouseLeave();
    if (m_hoverSel == -1)
        return;
    const int old = m_hoverSel;
    m_hoverSel = -1;
    RedrawItem(old);
}

// ---- Building and language --------------------------------------------------------------------

BOOL SListBox::BuildChildren(pugi::xml_node element)
{
    if (!element)
        return TRUE;
    for (pugi::xml_node node = XmlChild(XmlChild(element, L"items"), L"item"); node;
         node = XmlNextSibling(node, L"item")) {
        auto item = std::make_unique<SListBoxItem>(this);
        LoadItemAttribute(node, *item);
        InsertItem(-1, std::move(item));
    }
    SetCurSel(XmlAttribute(element, L"curSel").as_int(-1));
    return TRUE;
}

void SListBox::LoadItemAttribute(pugi::xml_node element, SListBoxItem& item)
{
    item.image = XmlAttribute(element, L"icon").as_int(-1);
    item.data = XmlAttribute(element, L"data").as_uint(0);
    item.text.SetText(SResProviderMgr::GetString(XmlAttribute(element, L"text").value()));
}

int SListBox::OnLanguageChanged()
{
    const int result = SScrollView::OnLanguageChanged();
    for (const auto& item : m_items)
        item->text.TranslateText();
    Invalidate();
    return result;
}

}  // namespace SAKU
