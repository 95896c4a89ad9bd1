#include "controls/SHeaderCtrl.h"

#include "controls/CDragWnd.h"
#include "core/Events.h"
#include "core/ISkinObj.h"
#include "core/SApplication.h"
#include "core/SAttributeMap.h"
#include "core/SXmlLookup.h"
#include "core/SkinLookup.h"
#include "core/TrimBlanks.h"
#include "render/IRenderFactory.h"
#include "render/RenderTargetHandles.h"
#include "res.mgr/SResProviderMgr.h"

#include <pugixml.hpp>

#include <algorithm>
#include <vector>
#include <wchar.h>

namespace SAKU {

namespace {

constexpr const wchar_t* kDefaultItemSkin = L"_skin.sys.header";
constexpr UINT kStateNormal = 0;
constexpr UINT kStateHover = 1;
constexpr UINT kStatePushed = 2;
constexpr int kStripState = 3;      // the item skin's state for the strip right of the items
constexpr BYTE kDragAlpha = 128;

template <typename T>
void AddEventOf(SEventSet* events)
{
    events->AddEvent(T::EventID, T::EventName());
}

DWORD MakeHit(int left, int right)
{
    return static_cast<DWORD>(MAKELONG(left, right));
}

}  // namespace

SHeaderCtrl* SHeaderCtrl::FirstChildHeader(SWindow* parent)
{
    for (SWindow* child = parent->GetWindow(GSW_FIRSTCHILD); child; child = child->GetWindow(GSW_NEXTSIBLING)) {
        if (child->IsClass(ClassName()))
            return static_cast<SHeaderCtrl*>(child);
    }
    return nullptr;
}

SHeaderCtrl::SHeaderCtrl()
{
    m_itemSkin = FindBuiltinSkin(kDefaultItemSkin);
    ApplyAttribute(L"clipClient", L"1", TRUE);
    AddEventOf<EventHeaderClick>(GetEventSet());
    AddEventOf<EventHeaderItemChanging>(GetEventSet());
    AddEventOf<EventHeaderItemChanged>(GetEventSet());
    AddEventOf<EventHeaderItemSwap>(GetEventSet());
}

HRESULT SHeaderCtrl::ApplyAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT result = E_FAIL;
    if (false) {
    }
    ATTRIBUTE_SKIN   (L"itemSkin",       m_itemSkin,                 kNoRefresh)
    ATTRIBUTE_SKIN   (L"sortSkin",       m_sortSkin,                 kNoRefresh)
    ATTRIBUTE_FIELD  (L"fixWidth",       m_fixWidth,       ParseInt, kNoRefresh)
    ATTRIBUTE_FIELD  (L"itemSwapEnable", m_itemSwapEnable, ParseInt, kNoRefresh)
    ATTRIBUTE_FIELD  (L"sortHeader",     m_sortHeader,     ParseInt, kNoRefresh)
    else {
        return SWindow::ApplyAttribute(name, value, loading);
    }
    return AfterAttribute(name, value, loading, result);
}

// ---- Items --------------------------------------------------------------------------------

int SHeaderCtrl::InsertItem(int index, LPCWSTR text, const SLayoutDim& width, int sortFlag, DWORD userData)
{
    if (index == -1)
        index = m_items.GetCount();
    if (index < 0 || index > m_items.GetCount())
        return -1;
    SHeaderItem item;
    item.width = width;
    item.text = STranslatableText(this);
    item.text.SetText(text ? text : L"");
    item.sortFlag = sortFlag;
    item.userData = userData;
    item.order = index;
    for (int i = 0; i < m_items.GetCount(); ++i) {
        if (m_items[i].order >= index)
            ++m_items[i].order;
    }
    if (!m_items.InsertAt(index, item)) {
        for (int i = 0; i < m_items.GetCount(); ++i) {
            if (m_items[i].order > index)
                --m_items[i].order;
        }
        return -1;
    }
    Invalidate();
    return index;
}

int SHeaderCtrl::InsertItem(int index, LPCWSTR text, int widthPixels, int sortFlag, DWORD userData)
{
    return InsertItem(index, text, SLayoutDim(static_cast<float>(widthPixels), kUnitPx), sortFlag, userData);
}

BOOL SHeaderCtrl::GetItem(int index, SHeaderItem* item) const
{
    if (!item || !IsValid(index))
        return FALSE;
    const SHeaderItem& own = m_items[index];
    if (item->mask & kHeaderMaskWidth)
        item->width = own.width;
    if (item->mask & kHeaderMaskText)
        item->text = own.text;
    if (item->mask & kHeaderMaskSort)
        item->sortFlag = own.sortFlag;
    if (item->mask & kHeaderMaskData)
        item->userData = own.userData;
    if (item->mask & kHeaderMaskOrder)
        item->order = own.order;
    return TRUE;
}

int SHeaderCtrl::GetItemWidth(int index) const
{
    if (!IsValid(index))
        return -1;
    if (!m_items[index].visible)
        return 0;
    return m_items[index].width.ToPixelSize(GetScale());
}

int SHeaderCtrl::GetTotalWidth() const
{
    int total = 0;
    for (int i = 0; i < m_items.GetCount(); ++i)
        total += GetItemWidth(i);
    return total;
}

BOOL SHeaderCtrl::IsItemVisible(int index) const
{
    return IsValid(index) && m_items[index].visible;
}

void SHeaderCtrl::SetItemVisible(int index, BOOL visible)
{
    if (!IsValid(index))
        return;
    m_items[index].visible = visible != FALSE;
    Invalidate();
    EventHeaderItemChanged changed(this, index, GetItemWidth(index));
    RaiseEvent(&changed);
}

void SHeaderCtrl::SetItemSort(int index, int sortFlag)
{
    if (!IsValid(index) || m_items[index].sortFlag == sortFlag)
        return;
    m_items[index].sortFlag = sortFlag;
    InvalidateRect(GetItemRect(index));
}

BOOL SHeaderCtrl::DeleteItem(int index)
{
    if (!IsValid(index))
        return FALSE;
    const int order = m_items[index].order;
    m_items.RemoveAt(index);
    for (int i = 0; i < m_items.GetCount(); ++i) {
        if (m_items[i].order > order)
            --m_items[i].order;
    }
    Invalidate();
    return TRUE;
}

void SHeaderCtrl::DeleteAllItems()
{
    m_items.SetCount(0);
    Invalidate();
}

RECT SHeaderCtrl::GetItemRect(int index) const
{
    if (!IsValid(index))
        return RECT{};
    RECT rect = GetClientRect();
    for (int i = 0; i < index; ++i)
        rect.left += GetItemWidth(i);
    rect.right = rect.left + GetItemWidth(index);
    return rect;
}

int SHeaderCtrl::ShownAtOrBefore(int index) const
{
    while (index >= 0 && !IsShown(index))
        --index;
    return index;
}

int SHeaderCtrl::ShownAfter(int index) const
{
    for (int i = index + 1; i < m_items.GetCount(); ++i) {
        if (IsShown(i))
            return i;
    }
    return -1;
}

// The halves of a divider name shown items only: dragging it resizes the one on
// its left, never a hidden one. The left margin of the first shown item is inside
// it, and past the last shown one there is no right item (0xFFFF).
DWORD SHeaderCtrl::HitTest(POINT point) const
{
    const RECT client = GetClientRect();
    if (!::PtInRect(&client, point))
        return kHitNone;
    const int margin = m_sortHeader ? 4 : 2;
    int left = client.left;
    for (int i = 0; i < m_items.GetCount(); ++i) {
        if (!IsShown(i))
            continue;
        const int right = left + GetItemWidth(i);
        if (point.x < left + margin) {
            const int previous = ShownAtOrBefore(i - 1);
            return MakeHit(previous >= 0 ? previous : i, i);
        }
        if (point.x < right - margin)
            return MakeHit(i, i);
        if (point.x < right) {
            const int next = ShownAfter(i);
            return MakeHit(i, next >= 0 ? next : 0xFFFF);
        }
        left = right;
    }
    return kHitNone;
}

// ---- Building and the environment -----------------------------------------------------------

BOOL SHeaderCtrl::BuildChildren(pugi::xml_node element)
{
    const pugi::xml_node items = XmlChild(element, L"items");
    if (!items)
        return FALSE;
    for (pugi::xml_node node = items.first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element || _wcsicmp(node.name(), L"item") != 0)
            continue;
        const std::wstring_view trimmed = TrimBlanks(node.text().get());
        const SStringW text = SResProviderMgr::GetString(SStringW(trimmed.data(), static_cast<int>(trimmed.size())));
        const pugi::xml_attribute width = XmlAttribute(node, L"width");
        const SLayoutDim dim(SStringW(width ? width.value() : L"50"));
        const int sortFlag = ParseIntOrZero(XmlAttribute(node, L"sortFlag").value());
        const DWORD userData = static_cast<DWORD>(ParseIntOrZero(XmlAttribute(node, L"userData").value()));
        const int index = InsertItem(-1, text.c_str(), dim, sortFlag, userData);
        const pugi::xml_attribute visible = XmlAttribute(node, L"visible");
        if (index >= 0 && visible)
            m_items[index].visible = ParseBool(visible.value()).value_or(true);
    }
    return TRUE;
}

void SHeaderCtrl::ApplyColorize(COLORREF color)
{
    SWindow::ApplyColorize(color);
    for (ISkinObj* const skin : {m_itemSkin, m_sortSkin}) {
        if (skin)
            skin->ApplyColorize(color);
    }
}

int SHeaderCtrl::OnLanguageChanged()
{
    SWindow::OnLanguageChanged();
    for (int i = 0; i < m_items.GetCount(); ++i)
        m_items[i].text.TranslateText();
    return 1;
}

BOOL SHeaderCtrl::OnSetCursor(const POINT& point)
{
    if (m_fixWidth)
        return FALSE;
    const DWORD hit = HitTest(point);
    if (hit == kHitNone || IsInsideItem(hit))
        return FALSE;
    SApplication* const app = SApplication::GetInstance();
    if (HCURSOR const cursor = app ? app->LoadCursor(IDC_SIZEWE) : nullptr)
        ::SetCursor(cursor);
    return TRUE;
}

// ---- Painting ----------------------------------------------------------------------------

void SHeaderCtrl::OnPaint(IRenderTarget* target)
{
    SPaintState saved;
    PreparePaint(target, saved);
    if (m_dragging && m_itemSwapEnable && IsInsideItem(m_hitCode)) {
        DrawDraggingState(target);
        AfterPaint(target, saved);
        return;
    }
    const RECT client = GetClientRect();
    RECT rect = client;
    rect.right = rect.left;
    for (int i = 0; i < m_items.GetCount() && rect.right < client.right; ++i) {
        if (!m_items[i].visible)
            continue;
        rect.left = rect.right;
        rect.right = rect.left + GetItemWidth(i);
        DrawItem(target, rect, m_items[i]);
    }
    if (rect.right < client.right && m_itemSkin) {
        const RECT strip = {rect.right, client.top, client.right, client.bottom};
        m_itemSkin->DrawByIndex(target, &strip, kStripState);
    }
    AfterPaint(target, saved);
}

void SHeaderCtrl::DrawItem(IRenderTarget* target, const RECT& rect, const SHeaderItem& item)
{
    if (!item.visible)
        return;
    if (m_itemSkin)
        m_itemSkin->DrawByIndex(target, &rect, static_cast<int>(item.state));
    const SStringW& text = item.text.GetText();
    RECT textRect = rect;
    DrawText(target, text.c_str(), text.GetLength(), &textRect, GetTextFormat());
    if (item.sortFlag == 0 || !m_sortSkin)
        return;
    const SIZE size = m_sortSkin->QuerySkinSize();
    RECT mark;
    mark.top = rect.top + (rect.bottom - rect.top - size.cy) / 2;
    mark.left = (GetTextFormat() & DT_RIGHT) ? rect.left + 2 : rect.right - size.cx - 2;
    mark.right = mark.left + size.cx;
    mark.bottom = mark.top + size.cy;
    m_sortSkin->DrawByIndex(target, &mark, item.sortFlag == 1 ? 0 : 1);
}

void SHeaderCtrl::RedrawItem(int index)
{
    const RECT rect = GetItemRect(index);
    if (!IsVisible(TRUE) || ::IsRectEmpty(&rect))
        return;
    if (IRenderTarget* const target = GetRenderTarget(&rect, kGdcPaintBkgnd)) {
        DrawItem(target, rect, m_items[index]);
        ReleaseRenderTarget(target);
    }
}

void SHeaderCtrl::SetItemState(int index, UINT state)
{
    if (!IsValid(index))
        return;
    m_items[index].state = state;
    RedrawItem(index);
}

void SHeaderCtrl::DrawDraggingState(IRenderTarget* target)
{
    const int dragged = LOWORD(m_hitCode);
    const int drop = LOWORD(m_dragTarget);
    std::vector<int> order;
    for (int i = 0; i < m_items.GetCount(); ++i) {
        if (i != dragged)
            order.push_back(i);
    }
    order.insert(order.begin() + std::min(drop, static_cast<int>(order.size())), dragged);
    const RECT client = GetClientRect();
    if (m_itemSkin)
        m_itemSkin->DrawByIndex(target, &client, kStateNormal);
    RECT rect = client;
    rect.right = rect.left;
    for (const int index : order) {
        rect.left = rect.right;
        rect.right = rect.left + GetItemWidth(index);
        if (index != dragged)
            DrawItem(target, rect, m_items[index]);
    }
}

void SHeaderCtrl::RedrawDraggingState()
{
    const RECT client = GetClientRect();
    if (!IsVisible(TRUE) || ::IsRectEmpty(&client))
        return;
    if (IRenderTarget* const target = GetRenderTarget(&client, kGdcPaintBkgnd)) {
        SPaintState saved;
        PreparePaint(target, saved);
        DrawDraggingState(target);
        AfterPaint(target, saved);
        ReleaseRenderTarget(target);
    }
}

UniqueBitmap SHeaderCtrl::CreateDragImage(int index)
{
    const int width = GetItemWidth(index);
    const RECT client = GetClientRect();
    const int height = client.bottom - client.top;
    SApplication* const app = SApplication::GetInstance();
    IRenderFactory* const factory = app ? app->GetRenderFactory() : nullptr;
    SAutoRef<IRenderTarget> target;
    if (width <= 0 || height <= 0 || !factory || !factory->CreateRenderTarget(target.Put(), width, height) || !target)
        return UniqueBitmap();
    ApplyAncestorPaintState(target.Get());
    const RECT rect = {0, 0, width, height};
    DrawItem(target.Get(), rect, m_items[index]);

    UniqueBitmap bitmap(::CreateBitmap(width, height, 1, 32, nullptr));
    const UniqueScreenDc screen(::GetDC(nullptr));
    const UniqueMemoryDc memory(::CreateCompatibleDC(screen.Get()));
    if (!bitmap || !memory)
        return UniqueBitmap();
    const UniqueSelection selected = SelectInto(memory.Get(), bitmap.Get());
    const UniqueTargetDc source = GetTargetDc(target.Get());
    if (source)
        ::BitBlt(memory.Get(), 0, 0, width, height, source.Get().dc, 0, 0, SRCCOPY);
    return bitmap;
}

// ---- Mouse ----------------------------------------------------------------------------------

void SHeaderCtrl::OnLButtonDown(UINT, POINT point)
{
    SetCapture();
    m_pressed = true;
    m_clickPoint = point;
    m_hitCode = HitTest(point);
    if (IsInsideItem(m_hitCode)) {
        if (m_sortHeader)
            SetItemState(LOWORD(m_hitCode), kStatePushed);
    } else if (m_hitCode != kHitNone) {
        m_startWidth = GetItemWidth(LOWORD(m_hitCode));
    }
}

void SHeaderCtrl::OnMouseMove(UINT flags, POINT point)
{
    const bool swapping = m_itemSwapEnable && IsInsideItem(m_hitCode);
    if ((m_pressed && (flags & MK_LBUTTON)) || m_dragging) {
        if (!m_dragging) {
            m_dragging = true;
            if (swapping) {
                m_dragTarget = m_hitCode;
                RedrawDraggingState();
                m_dragBitmap = CreateDragImage(LOWORD(m_hitCode));
                const RECT rect = GetItemRect(LOWORD(m_hitCode));
                const POINT hotSpot = {m_clickPoint.x - rect.left, m_clickPoint.y - rect.top};
                // Without an image the drag goes on all the same.
                if (m_dragBitmap)
                    CDragWnd::BeginDrag(m_dragBitmap.Get(), hotSpot, 0, kDragAlpha, LWA_COLORKEY | LWA_ALPHA);
            }
        }
        if (swapping) {
            const DWORD hit = HitTest(point);
            if (IsInsideItem(hit) && hit != m_dragTarget) {
                m_dragTarget = hit;
                RedrawDraggingState();
            }
            POINT screen = {point.x, m_clickPoint.y};
            ISwndContainer* const container = GetContainer();
            if (HWND const host = container ? container->GetHostHwnd() : nullptr)
                ::ClientToScreen(host, &screen);
            CDragWnd::DragMove(screen);
        } else if (m_hitCode != kHitNone && !IsInsideItem(m_hitCode) && !m_fixWidth) {
            Resize(point.x);
        }
        return;
    }
    const DWORD hit = HitTest(point);
    if (hit != m_hitCode && m_sortHeader) {
        if (IsInsideItem(m_hitCode))
            SetItemState(LOWORD(m_hitCode), kStateNormal);
        if (IsInsideItem(hit))
            SetItemState(LOWORD(hit), kStateHover);
    }
    m_hitCode = hit;
}

// A dp, dip or sp item keeps its unit: the pixels go back through the scale.
void SHeaderCtrl::Resize(int x)
{
    const int index = LOWORD(m_hitCode);
    if (!IsValid(index))
        return;
    const int width = std::max(0, m_startWidth + x - static_cast<int>(m_clickPoint.x));
    SLayoutDim& dim = m_items[index].width;
    if (dim.GetUnit() == kUnitPx)
        dim.Set(static_cast<float>(width), kUnitPx);
    else
        dim.Set(static_cast<float>(width) * 100.0f / static_cast<float>(GetScale()), dim.GetUnit());
    Invalidate();
    UpdateWindow();
    EventHeaderItemChanging changing(this, index, width);
    RaiseEvent(&changing);
}

void SHeaderCtrl::OnLButtonUp(UINT, POINT point)
{
    // The events' subscribers may destroy the header.
    const SAutoRef<SWindow> self(this);
    const bool dragged = m_dragging;
    // A release whose press ended early (the activation went) is no click.
    const DWORD press = m_pressed ? m_hitCode : kHitNone;
    EndPress();
    if (IsInsideItem(press)) {
        const int index = LOWORD(press);
        if (dragged) {
            if (IsValid(index))
                m_items[index].state = kStateNormal;
            const DWORD target = m_dragTarget;
            m_dragTarget = kHitNone;
            m_hitCode = HitTest(point);
            Invalidate();
            if (m_itemSwapEnable && target != press && IsInsideItem(target)) {
                const int drop = LOWORD(target);
                const SHeaderItem moved = m_items[index];
                m_items.RemoveAt(index);
                m_items.InsertAt(drop, moved);
                EventHeaderItemSwap swapped(this, index, drop);
                RaiseEvent(&swapped);
            }
        } else if (m_sortHeader) {
            SetItemState(index, kStateHover);
            EventHeaderClick clicked(this, index);
            RaiseEvent(&clicked);
        }
    } else if (press != kHitNone) {
        const int index = LOWORD(press);
        EventHeaderItemChanged changed(this, index, GetItemWidth(index));
        RaiseEvent(&changed);
    }
}

void SHeaderCtrl::EndPress()
{
    if (m_dragBitmap) {
        CDragWnd::EndDrag();
        m_dragBitmap.Reset();
    }
    m_dragging = false;
    m_pressed = false;
    ReleaseCapture();
}

// A press keeps its place until the button comes up: a drag that leaves the
// header at its first move hears of the leave before the move.
void SHeaderCtrl::OnMouseLeave()
{
    if (!m_pressed && !m_dragging) {
        if (m_sortHeader && IsInsideItem(m_hitCode))
            SetItemState(LOWORD(m_hitCode), kStateNormal);
        m_hitCode = kHitNone;
    }
    SWindow::OnMouseLeave();
}

void SHeaderCtrl::OnActivateApp(BOOL, DWORD)
{
    if (!m_dragging)
        return;
    if (m_sortHeader && IsInsideItem(m_hitCode) && IsValid(LOWORD(m_hitCode)))
        m_items[LOWORD(m_hitCode)].state = kStateNormal;
    m_hitCode = kHitNone;
    m_dragTarget = kHitNone;
    EndPress();
    Invalidate();
}

void SHeaderCtrl::OnDestroy()
{
    if (m_dragging)
        EndPress();
    DeleteAllItems();
    SWindow::OnDestroy();
}

}  // namespace SAKU
