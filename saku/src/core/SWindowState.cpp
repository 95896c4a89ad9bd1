// The window object between creation and destruction: state bits, text, layout
// requests and measuring, the services of the container, and the handlers of
// SWindow's message map.
#include "core/SWindow.h"

#include "core/Events.h"
#include "core/ISkinObj.h"
#include "core/SApplication.h"
#include "core/SkinLookup.h"
#include "core/STimer2.h"
#include "render/IRenderFactory.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace SAKU {

namespace {

// The size of a direction that nothing gives yet.
constexpr int kSizeUnknown = 0x7FFFFF;

// The host timer of element timer `id` of a window: the window's own timers live
// in the top byte with bit 7 set, the low 24 bits name the window.
UINT_PTR HostTimerId(char id, SWND swnd)
{
    return (static_cast<UINT_PTR>(static_cast<BYTE>(id) | 0x80) << 24) | (swnd & 0xFFFFFF);
}

int Magnitude(int size)
{
    return size == INT_MIN ? INT_MAX : std::abs(size);
}

}  // namespace

// ---- State ------------------------------------------------------------------------

BOOL SWindow::IsVisible(BOOL checkParent) const
{
    return checkParent ? !(m_state & WndState_Invisible) : m_visible;
}

BOOL SWindow::IsDisabled(BOOL checkParent) const
{
    return checkParent ? (m_state & WndState_Disable) != 0 : m_ownDisabled;
}

BOOL SWindow::IsFocused() const
{
    // Handle 0 is no window: the container's "no focus" is nobody's focus.
    return m_swnd != 0 && m_container && m_container->GetFocus() == m_swnd;
}

DWORD SWindow::ModifyState(DWORD add, DWORD remove, BOOL update)
{
    const DWORD oldState = m_state;
    const DWORD newState = add | (oldState & ~remove);
    OnStateChanging(oldState, newState);
    m_state = newState;
    OnStateChanged(oldState, newState);
    if (update && NeedRedrawOnStateChange())
        InvalidateArea();
    return oldState;
}

void SWindow::OnStateChanged(DWORD oldState, DWORD newState)
{
    EventSwndStateChanged changed(this, oldState, newState);
    RaiseEvent(&changed);
}

void SWindow::SetCheck(BOOL check)
{
    ModifyState(check ? WndState_Check : 0, check ? 0 : WndState_Check, TRUE);
}

void SWindow::EnableWindow(BOOL enable, BOOL update)
{
    SendSwndMessage(WM_ENABLE, enable, 0);
    if (update)
        InvalidateArea();
}

void SWindow::SetVisible(BOOL visible, BOOL update)
{
    // An invisible window invalidates nothing: once while it shows, once after.
    if (update)
        InvalidateArea();
    SendSwndMessage(WM_SHOWWINDOW, visible, 0);
    if (update)
        InvalidateArea();
}

void SWindow::SetFocus()
{
    if ((m_state & (WndState_Invisible | WndState_Disable)) || !m_container)
        return;
    m_container->OnSetSwndFocus(m_swnd);
}

void SWindow::KillFocus()
{
    if (IsFocused())
        m_container->OnSetSwndFocus(0);
}

SWND SWindow::SetCapture()
{
    return m_container ? m_container->OnSetSwndCapture(m_swnd) : 0;
}

BOOL SWindow::ReleaseCapture()
{
    return m_container ? m_container->OnReleaseSwndCapture() : FALSE;
}

SWND SWindow::GetCapture() const
{
    return m_container ? m_container->OnGetSwndCapture() : 0;
}

BOOL SWindow::NeedRedrawOnStateChange() const
{
    if (m_skin && !m_skin->IgnoreState())
        return TRUE;
    return m_style.GetStates() > 1;
}

// ---- Text and tooltip ------------------------------------------------------------------

SStringW SWindow::GetWindowText(BOOL raw) const
{
    return m_text.GetText(raw);
}

void SWindow::SetWindowText(LPCWSTR text)
{
    m_text.SetText(text);
    if (!(m_state & WndState_Invisible))
        Invalidate();
    if (WrapsContent()) {
        RequestRelayoutSelf();
        if (!(m_state & WndState_Invisible))
            Invalidate();
    }
}

void SWindow::SetTipText(LPCWSTR text)
{
    m_toolTipText.SetText(text);
    if (m_container && m_container->GetHover() == m_swnd)
        m_container->UpdateTooltip();
}

SStringW SWindow::GetToolTipText() const
{
    return m_toolTipText.GetText(FALSE);
}

BOOL SWindow::UpdateToolTip(POINT, SwndToolTipInfo& info)
{
    const SStringW& tip = m_toolTipText.GetText(FALSE);
    if (tip.IsEmpty())
        return FALSE;
    info.swnd = m_swnd;
    info.cookie = 0;
    info.rcTarget = m_rcWindow;
    info.text = tip;
    return TRUE;
}

SStringW SWindow::TranslateString(const SStringW& text) const
{
    return STranslatableText::Translate(text, GetTrCtx());
}

// ---- Layout -----------------------------------------------------------------------------

bool SWindow::WrapsContent() const
{
    return m_layoutParam && m_layoutParam->IsWrapContent(Any);
}

void SWindow::RequestRelayout(SWND source, BOOL sourceResizable)
{
    if (sourceResizable)
        m_layoutDirty = LayoutDirty::Self;
    if (m_layoutDirty != LayoutDirty::Self)
        m_layoutDirty = (source == m_swnd || WrapsContent()) ? LayoutDirty::Self : LayoutDirty::Children;
    if (m_parent)
        m_parent->RequestRelayout(source, WrapsContent() || !m_display);
}

void SWindow::UpdateLayout()
{
    if (m_layoutDirty == LayoutDirty::Clean)
        return;
    UpdateChildrenPosition();
    m_layoutDirty = LayoutDirty::Clean;
}

void SWindow::UpdateChildrenPosition()
{
    if (m_layoutDirty == LayoutDirty::Self) {
        if (m_layout)
            m_layout->LayoutChildren(this);
        const RECT area = GetChildrenLayoutRect();
        for (SWindow* child = m_firstChild; child; child = child->m_nextSibling) {
            if (!child->m_floating)
                continue;
            child->OnUpdateFloatPosition(area);
            if (child->m_layoutDirty != LayoutDirty::Clean)
                child->UpdateChildrenPosition();
        }
    } else if (m_layoutDirty == LayoutDirty::Children) {
        for (SWindow* child = GetNextLayoutChild(nullptr); child; child = GetNextLayoutChild(child)) {
            if (child->m_layoutDirty != LayoutDirty::Clean)
                child->UpdateChildrenPosition();
        }
    }
}

BOOL SWindow::OnRelayout(const RECT& rect)
{
    if (::EqualRect(&rect, &m_rcWindow) && m_layoutDirty == LayoutDirty::Clean)
        return FALSE;
    if (!::EqualRect(&rect, &m_rcWindow)) {
        m_layoutDirty = LayoutDirty::Self;
        InvalidateArea();
        m_rcWindow = rect;
        if (m_rcWindow.right < m_rcWindow.left)
            m_rcWindow.right = m_rcWindow.left;
        if (m_rcWindow.bottom < m_rcWindow.top)
            m_rcWindow.bottom = m_rcWindow.top;
        InvalidateArea();
        SendSwndMessage(WM_NCCALCSIZE);
    }
    UpdateChildrenPosition();
    const RECT client = GetClientRect();
    SendSwndMessage(WM_SIZE, 0, MAKELPARAM(client.right - client.left, client.bottom - client.top));
    m_layoutDirty = LayoutDirty::Clean;
    return TRUE;
}

BOOL SWindow::Move(const RECT* rect)
{
    if (rect) {
        m_floating = TRUE;
        OnRelayout(*rect);
        return TRUE;
    }
    if (!m_parent)
        return FALSE;
    m_floating = FALSE;
    RequestRelayoutSelf();
    return TRUE;
}

SIZE SWindow::GetDesiredSize(int parentWidth, int parentHeight)
{
    // A parent that does not know its size yet cannot be matched: measure as content.
    const bool matchWidth = parentWidth < 0 && m_layoutParam && m_layoutParam->IsMatchParent(Horz);
    const bool matchHeight = parentHeight < 0 && m_layoutParam && m_layoutParam->IsMatchParent(Vert);
    if (matchWidth)
        m_layoutParam->SetWrapContent(Horz);
    if (matchHeight)
        m_layoutParam->SetWrapContent(Vert);
    const RECT container = {0, 0, Magnitude(parentWidth), Magnitude(parentHeight)};
    const SIZE size = MeasureDesiredSize(&container);
    if (matchWidth)
        m_layoutParam->SetMatchParent(Horz);
    if (matchHeight)
        m_layoutParam->SetMatchParent(Vert);
    return size;
}

SIZE SWindow::MeasureDesiredSize(const RECT* containerRect)
{
    const RECT container = containerRect ? *containerRect : RECT{0, 0, kSizeUnknown, kSizeUnknown};
    const int containerWidth = container.right - container.left;
    const int containerHeight = container.bottom - container.top;
    const int scale = GetScale();

    // A size the parameter gives: specified, or the container's when matching it.
    const auto givenSize = [&](ORIENTATION orientation, int containerSize) {
        if (!m_layoutParam)
            return kSizeUnknown;
        if (m_layoutParam->IsSpecifiedSize(orientation))
            return m_layoutParam->GetSpecifiedSize(orientation).ToPixelSize(scale);
        if (m_layoutParam->IsMatchParent(orientation))
            return containerSize;
        return kSizeUnknown;
    };
    SIZE size = {givenSize(Horz, containerWidth), givenSize(Vert, containerHeight)};
    if (size.cx != kSizeUnknown && size.cy != kSizeUnknown)
        return size;

    const bool wrapWidth = m_layoutParam && m_layoutParam->IsWrapContent(Horz);
    const bool wrapHeight = m_layoutParam && m_layoutParam->IsWrapContent(Vert);
    const RECT padding = m_style.GetPaddingRect();
    const RECT margin = m_style.GetMarginRect();

    UINT format = m_style.GetTextFormat() & ~(DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM);
    // A negative maximum width (none, or one that cannot be had) sets no limit.
    int limit = wrapWidth ? (m_maxWidth.IsSpecified() ? m_maxWidth.ToPixelSize(scale) : -1) : size.cx;
    if (limit < 0) {
        limit = kSizeUnknown;
    } else {
        // A limit breaks lines where the format allows more than one. A single-line
        // format (the default vertical centring) keeps its one line, as painting
        // draws it: measured as several, it would be sized for lines never drawn.
        format |= DT_WORDBREAK;
        limit = std::max(0L, limit - padding.left - padding.right);
    }
    SIZE text = {0, 0};
    const SStringW& shown = m_text.GetText(FALSE);
    SApplication* const app = SApplication::GetInstance();
    IRenderFactory* const factory = app ? app->GetRenderFactory() : nullptr;
    SAutoRef<IRenderTarget> target;
    if (!shown.IsEmpty() && factory && factory->CreateRenderTarget(target.Put(), 0, 0) && target) {
        ApplyAncestorPaintState(target.Get());
        RECT measured = {0, 0, limit, size.cy};
        DrawText(target.Get(), shown.c_str(), shown.GetLength(), &measured, format | DT_CALCRECT);
        text = {measured.right - measured.left, measured.bottom - measured.top};
    }

    const SIZE children = m_layout ? m_layout->MeasureChildren(this, containerWidth, containerHeight) : SIZE{0, 0};
    if (wrapWidth)
        size.cx = std::max(text.cx, children.cx) + margin.left + margin.right + padding.left + padding.right;
    if (wrapHeight)
        size.cy = std::max(text.cy, children.cy) + margin.top + margin.bottom + padding.top + padding.bottom;
    return size;
}

// ---- Environment changes -------------------------------------------------------------

void SWindow::ApplyColorize(COLORREF color)
{
    if (color == m_colorize)
        return;
    m_colorize = color;
    if (m_ncSkin)
        m_ncSkin->ApplyColorize(color);
    if (m_skin)
        m_skin->ApplyColorize(color);
    Invalidate();
}

void SWindow::OnScaleChanged(int scale)
{
    m_style.SetScale(scale);
    m_ncSkin = RescaleSkin(m_ncSkin, scale);
    m_skin = RescaleSkin(m_skin, scale);
    m_layoutDirty = LayoutDirty::Self;
}

int SWindow::OnLanguageChanged()
{
    m_text.TranslateText();
    m_toolTipText.TranslateText();
    return WrapsContent() ? 0 : 1;
}

SWindow* SWindow::GetSelectedChildInGroup()
{
    for (SWindow* child = m_firstChild; child; child = child->m_nextSibling) {
        if (child->IsSiblingsAutoGrouped())
            return child->GetSelectedSiblingInGroup();
    }
    return nullptr;
}

// ---- Services of the container ---------------------------------------------------------

BOOL SWindow::SetTimer(char id, UINT elapse)
{
    HWND const host = m_container ? m_container->GetHostHwnd() : nullptr;
    if (id < 0 || !host)
        return FALSE;
    return ::SetTimer(host, HostTimerId(id, m_swnd), elapse, nullptr) != 0;
}

void SWindow::KillTimer(char id)
{
    HWND const host = m_container ? m_container->GetHostHwnd() : nullptr;
    if (id >= 0 && host)
        ::KillTimer(host, HostTimerId(id, m_swnd));
}

BOOL SWindow::SetTimer2(UINT_PTR id, UINT elapse)
{
    STimer2* const timers = STimer2::GetInstance();
    return timers ? timers->SetTimer(m_swnd, static_cast<UINT>(id), elapse) : FALSE;
}

void SWindow::KillTimer2(UINT_PTR id)
{
    if (STimer2* const timers = STimer2::GetInstance())
        timers->KillTimer2(m_swnd, static_cast<UINT>(id));
}

BOOL SWindow::CreateCaret(HBITMAP bitmap, int width, int height)
{
    return m_container ? m_container->OnCreateCaret(m_swnd, bitmap, width, height) : FALSE;
}

void SWindow::ShowCaret(BOOL show)
{
    if (m_container)
        m_container->OnShowCaret(show);
}

void SWindow::SetCaretPos(int x, int y)
{
    if (m_container)
        m_container->OnSetCaretPos(x, y);
}

void SWindow::UpdateWindow()
{
    if (m_container)
        m_container->UpdateWindow();
}

BOOL SWindow::OnSetCursor(const POINT&)
{
    SApplication* const app = SApplication::GetInstance();
    if (HCURSOR const cursor = app ? app->LoadCursor(m_style.m_strCursor) : nullptr)
        ::SetCursor(cursor);
    return TRUE;
}

// ---- Message handlers --------------------------------------------------------------------

int SWindow::OnWindowCreate(LPCREATESTRUCT)
{
    if (m_container) {
        if (m_style.m_bTrackMouseEvent)
            m_container->RegisterTrackMouseEvent(m_swnd);
        else
            m_container->UnregisterTrackMouseEvent(m_swnd);
    }
    m_style.SetScale(GetScale());
    EventSwndCreate created(this);
    RaiseEvent(&created);
    return 0;
}

void SWindow::OnDestroy()
{
    EventSwndDestroy destroyed(this);
    RaiseEvent(&destroyed);
    while (SWindow* const child = m_firstChild) {
        child->SendSwndMessage(WM_DESTROY);
        // A handler that took the child away already has its reference.
        if (RemoveChild(child))
            child->Release();
    }
}

void SWindow::OnSizeChanged(UINT, SIZE size)
{
    ResizeRenderTargets();
    EventSwndSize sized(this, size.cx, size.cy);
    RaiseEvent(&sized);
}

void SWindow::OnSetFocus(SWND, int)
{
    EventSetFocus focused(this);
    RaiseEvent(&focused);
    Invalidate();
}

void SWindow::OnKillFocus(SWND)
{
    EventKillFocus unfocused(this);
    RaiseEvent(&unfocused);
    Invalidate();
}

void SWindow::OnEnableChanged(BOOL enable, UINT status)
{
    if (status != 1)
        m_ownDisabled = !enable;
    else if (m_ownDisabled)
        enable = FALSE;
    if (enable && m_parent && (m_parent->m_state & WndState_Disable))
        enable = FALSE;
    if (enable && (m_state & WndState_Disable))
        ModifyState(0, WndState_Disable);
    else if (!enable && !(m_state & WndState_Disable))
        ModifyState(WndState_Disable, WndState_Hover);
    for (SWindow* child = m_firstChild; child;) {
        const SAutoRef<SWindow> held(child);
        child->SendSwndMessage(WM_ENABLE, enable, 1);
        child = child->m_nextSibling;
    }
    if (!enable && IsFocused())
        m_container->OnSetSwndFocus(0);
}

void SWindow::OnShowWindow(BOOL show, UINT status)
{
    if (status != 1)
        m_visible = show;
    else if (!m_visible)
        show = FALSE;
    if (show && m_parent && (m_parent->m_state & WndState_Invisible))
        show = FALSE;
    if (show && (m_state & WndState_Invisible))
        ModifyState(0, WndState_Invisible);
    else if (!show && !(m_state & WndState_Invisible))
        ModifyState(WndState_Invisible, 0);
    for (SWindow* child = m_firstChild; child;) {
        const SAutoRef<SWindow> held(child);
        child->SendSwndMessage(WM_SHOWWINDOW, show, 1);
        child = child->m_nextSibling;
    }
    if (!show) {
        if (IsFocused())
            m_container->OnSetSwndFocus(0);
        if (m_swnd != 0 && GetCapture() == m_swnd)
            ReleaseCapture();
    }
    if (!m_display)
        RequestRelayoutSelf();
    EventSwndVisibleChanged changed(this);
    RaiseEvent(&changed);
}

void SWindow::OnLButtonDown(UINT, POINT point)
{
    const SAutoRef<SWindow> self(this);
    if (IsFocusable())
        SetFocus();
    SetCapture();
    ModifyState(WndState_PushDown, 0, TRUE);
    EventLButtonDown pressed(this, point);
    RaiseEvent(&pressed);
}

void SWindow::OnLeftButtonUp(UINT, POINT point)
{
    // The command's subscribers may destroy the window.
    const SAutoRef<SWindow> self(this);
    ReleaseCapture();
    if (!(m_state & WndState_PushDown))
        return;
    ModifyState(0, WndState_PushDown, TRUE);
    if (!::PtInRect(&m_rcWindow, point))
        return;
    EventLButtonUp released(this, point);
    RaiseEvent(&released);
    FireCommand();
}

BOOL SWindow::OnRButtonDown(UINT, POINT point)
{
    return FireCtxMenu(point);
}

LRESULT SWindow::OnMouseWheel(UINT flags, short delta, POINT point)
{
    if (!m_parent)
        return 0;
    return m_parent->SendSwndMessage(WM_MOUSEWHEEL, MAKEWPARAM(flags, delta), MAKELPARAM(point.x, point.y));
}

void SWindow::OnMouseHover(UINT, POINT)
{
    const SAutoRef<SWindow> self(this);
    if (m_swnd != 0 && GetCapture() == m_swnd)
        ModifyState(WndState_PushDown, 0, FALSE);
    ModifyState(WndState_Hover, 0, TRUE);
    UpdateNonClient();
    EventSwndMouseHover hover(this);
    RaiseEvent(&hover);
}

void SWindow::OnMouseLeave()
{
    const SAutoRef<SWindow> self(this);
    if (m_swnd != 0 && GetCapture() == m_swnd)
        ModifyState(0, WndState_PushDown, FALSE);
    ModifyState(0, WndState_Hover, TRUE);
    UpdateNonClient();
    EventSwndMouseLeave leave(this);
    RaiseEvent(&leave);
}

void SWindow::OnScaleMessage(int scale)
{
    OnScaleChanged(scale);
}

void SWindow::OnLanguageMessage()
{
    if (OnLanguageChanged() == 1)
        Invalidate();
    else
        RequestRelayoutSelf();
}

void SWindow::OnColorizeMessage(COLORREF colour)
{
    ApplyColorize(colour);
}

}  // namespace SAKU
