#include "controls/SItemPanel.h"

#include "controls/IItemContainer.h"
#include "core/Events.h"
#include "core/Geometry.h"
#include "core/SApplication.h"
#include "core/SFontPool.h"
#include "core/SWindowMgr.h"
#include "render/IRegion.h"
#include "render/IRenderFactory.h"

namespace SAKU {

namespace {

constexpr COLORREF kOpaqueBlack = 0xFF000000;

}  // namespace

SItemPanel* SItemPanel::Create(SWindow* frameHost, pugi::xml_node node, IItemContainer* itemContainer)
{
    return SAutoRef<SItemPanel>::Adopt(new SItemPanel(frameHost, node, itemContainer)).Detach();
}

SItemPanel::SItemPanel(SWindow* frameHost, pugi::xml_node node, IItemContainer* itemContainer)
    : m_frameHost(frameHost), m_itemContainer(itemContainer)
{
    GetEventSet()->AddEvent(EventItemPanelClick::EventID, EventItemPanelClick::EventName());
    GetEventSet()->AddEvent(EventItemPanelDbclick::EventID, EventItemPanelDbclick::EventName());
    GetEventSet()->AddEvent(EventItemPanelRclick::EventID, EventItemPanelRclick::EventName());
    GetEventSet()->AddEvent(EventItemPanelHover::EventID, EventItemPanelHover::EventName());
    GetEventSet()->AddEvent(EventItemPanelLeave::EventID, EventItemPanelLeave::EventName());
    if (node) {
        BuildFromXml(node);
        BuildWndTreeZorder();
    }
}

RECT SItemPanel::GetItemRect() const
{
    RECT rect = {};
    m_itemContainer->GetItemRect(const_cast<SItemPanel*>(this), rect);
    return rect;
}

POINT SItemPanel::RowOrigin() const
{
    const RECT row = GetItemRect();
    return POINT{row.left, row.top};
}

void SItemPanel::ModifyItemState(DWORD add, DWORD remove)
{
    ModifyState(add, remove, FALSE);
}

void SItemPanel::SetSkin(ISkinObj* skin)
{
    m_skin = skin;
}

void SItemPanel::SetColor(COLORREF normal, COLORREF selected)
{
    m_colorNormal = normal;
    m_colorSelected = selected;
}

// The root window's own background painting fills the row with the colour of its
// state: selected before hover before normal, each only when set.
void SItemPanel::Draw(IRenderTarget* target, const RECT& rect)
{
    COLORREF background = m_colorNormal;
    if ((GetState() & WndState_Hover) && m_colorHover != SwndStyle::kColorNone)
        background = m_colorHover;
    if ((GetState() & WndState_Check) && m_colorSelected != SwndStyle::kColorNone)
        background = m_colorSelected;
    m_style.m_crBg = background;

    SPaintState saved;
    PreparePaint(target, saved);
    SAutoRef<IRegion> clip;
    target->GetClipRegion(clip.Put());
    // A target without a clip answers an empty region; its clip box is all of it.
    RECT box = {};
    if (clip && clip->IsEmpty() && SUCCEEDED(target->GetClipBox(&box)))
        clip->CombineRect(&box, RGN_COPY);
    (void)target->OffsetViewportOrg(rect.left, rect.top);
    if (clip)
        clip->Offset(-rect.left, -rect.top);
    BuildWndTreeZorder();
    PaintRegion(target, clip.Get());
    (void)target->OffsetViewportOrg(-rect.left, -rect.top);
    AfterPaint(target, saved);
}

// ---- ISwndContainer -------------------------------------------------------------------

// A release over the row gives exactly one command, the root window's, whatever
// the windows inside did with the release.
LRESULT SItemPanel::DoFrameEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    const SAutoRef<SWindow> hold(this);
    if (!IsDisabled(FALSE)) {
        switch (message) {
        case WM_LBUTTONDOWN: {
            EventItemPanelClick click(this, wParam, lParam);
            RaiseEvent(&click);
            break;
        }
        case WM_LBUTTONDBLCLK: {
            EventItemPanelDbclick click(this, wParam, lParam);
            RaiseEvent(&click);
            break;
        }
        case WM_RBUTTONDOWN: {
            EventItemPanelRclick click(this, wParam, lParam);
            RaiseEvent(&click);
            break;
        }
        case WM_MOUSEHOVER: {
            ModifyState(WndState_Hover, 0, TRUE);
            EventItemPanelHover hover(this, wParam, lParam);
            RaiseEvent(&hover);
            break;
        }
        case WM_MOUSELEAVE: {
            ModifyState(0, WndState_Hover, TRUE);
            EventItemPanelLeave leave(this);
            RaiseEvent(&leave);
            break;
        }
        default:
            break;
        }
    }
    SetMsgHandled(FALSE);
    if (message != WM_LBUTTONUP || GetEventSet()->IsMuted())
        return SwndContainerImpl::DoFrameEvent(message, wParam, lParam);
    LRESULT result = 0;
    {
        const SScopedEventMute muted(GetEventSet());
        result = SwndContainerImpl::DoFrameEvent(message, wParam, lParam);
    }
    // A release off the row (a press dragged away, or one that its host window
    // lost) is no click of the row.
    const RECT row = GetWindowRect();
    if (::PtInRect(&row, PointOf(lParam)))
        FireCommand();
    return result;
}

BOOL SItemPanel::OnFireEvent(EventArgs* args)
{
    EventOfPanel wrapped(m_frameHost, this, args);
    return m_frameHost->RaiseEvent(&wrapped);
}

HWND SItemPanel::GetHostHwnd()
{
    return HostContainer()->GetHostHwnd();
}

LPCWSTR SItemPanel::GetTranslatorContext() const
{
    return HostContainer()->GetTranslatorContext();
}

BOOL SItemPanel::IsTranslucent() const
{
    return HostContainer()->IsTranslucent();
}

BOOL SItemPanel::IsSendWheel2Hover() const
{
    return HostContainer()->IsSendWheel2Hover();
}

// The owner hands out a target for the row's part of its client area, moved so
// that the row draws in its own coordinates.
IRenderTarget* SItemPanel::OnGetRenderTarget(const RECT& rect, DWORD gdcFlags)
{
    const POINT origin = RowOrigin();
    RECT owner = rect;
    ::OffsetRect(&owner, origin.x, origin.y);
    IRenderTarget* const target = m_frameHost->GetRenderTarget(&owner, gdcFlags, TRUE);
    if (!target)
        return nullptr;
    if (gdcFlags & kGdcPaintBkgnd)
        m_frameHost->SendSwndMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(target));
    (void)target->OffsetViewportOrg(origin.x, origin.y);
    m_targetOrigin = origin;
    return target;
}

void SItemPanel::OnReleaseRenderTarget(IRenderTarget* target, const RECT&, DWORD)
{
    (void)target->OffsetViewportOrg(-m_targetOrigin.x, -m_targetOrigin.y);
    m_frameHost->ReleaseRenderTarget(target);
}

void SItemPanel::OnRedraw(const RECT& rect)
{
    const RECT row = GetItemRect();
    if (::IsRectEmpty(&row) || !m_frameHost->IsVisible(TRUE))
        return;
    if (m_itemContainer->IsItemRedrawDelayed()) {
        RECT owner = rect;
        ::OffsetRect(&owner, row.left, row.top);
        const RECT client = m_frameHost->GetClientRect();
        ::IntersectRect(&owner, &owner, &row);
        ::IntersectRect(&owner, &owner, &client);
        if (!::IsRectEmpty(&owner))
            m_frameHost->InvalidateRect(owner);
        return;
    }
    IRenderTarget* const target = OnGetRenderTarget(rect, kGdcPaintBkgnd);
    if (!target)
        return;
    SAutoRef<IRegion> region;
    SApplication* const app = SApplication::GetInstance();
    if (IRenderFactory* const factory = app ? app->GetRenderFactory() : nullptr)
        factory->CreateRegion(region.Put());
    if (region) {
        region->CombineRect(&rect, RGN_COPY);
        PaintRegion(target, region.Get());
    }
    OnReleaseRenderTarget(target, rect, kGdcPaintBkgnd);
}

BOOL SItemPanel::OnReleaseSwndCapture()
{
    if (!SwndContainerImpl::OnReleaseSwndCapture())
        return FALSE;
    m_itemContainer->SetItemCapture(this, FALSE);
    return TRUE;
}

SWND SItemPanel::OnSetSwndCapture(SWND swnd)
{
    m_itemContainer->SetItemCapture(this, TRUE);
    return SwndContainerImpl::OnSetSwndCapture(swnd);
}

BOOL SItemPanel::OnCreateCaret(SWND swnd, HBITMAP bitmap, int width, int height)
{
    return HostContainer()->OnCreateCaret(swnd, bitmap, width, height);
}

BOOL SItemPanel::OnShowCaret(BOOL show)
{
    return HostContainer()->OnShowCaret(show);
}

BOOL SItemPanel::OnSetCaretPos(int x, int y)
{
    const POINT origin = RowOrigin();
    return HostContainer()->OnSetCaretPos(x + origin.x, y + origin.y);
}

BOOL SItemPanel::UpdateWindow()
{
    return HostContainer()->UpdateWindow();
}

void SItemPanel::UpdateTooltip()
{
    HostContainer()->UpdateTooltip();
}

void SItemPanel::FrameToHost(RECT& rect) const
{
    const POINT origin = RowOrigin();
    ::OffsetRect(&rect, origin.x, origin.y);
}

SMessageLoop* SItemPanel::GetMsgLoop()
{
    return HostContainer()->GetMsgLoop();
}

IScriptModule* SItemPanel::GetScriptModule()
{
    return HostContainer()->GetScriptModule();
}

int SItemPanel::GetScale() const
{
    ISwndContainer* const host = HostContainer();
    return host ? host->GetScale() : 100;
}

// ---- SWindow ------------------------------------------------------------------------------

void SItemPanel::RequestRelayout(SWND source, BOOL sourceResizable)
{
    SwndContainerImpl::RequestRelayout(source, sourceResizable);
    m_itemContainer->OnItemRequestRelayout(this);
}

SWND SItemPanel::SwndFromPoint(POINT point, UINT flags)
{
    const SWND hit = SwndContainerImpl::SwndFromPoint(point, flags);
    return hit == GetSwnd() ? 0 : hit;
}

// `point` is in the owner's coordinates; the tip's rectangle goes back in them.
BOOL SItemPanel::UpdateToolTip(POINT point, SwndToolTipInfo& info)
{
    SWindow* const hover = SWindowMgr::GetWindow(GetHover());
    if (!hover || hover == this) {
        info.swnd = GetSwnd();
        info.cookie = 0;
        info.rcTarget = GetItemRect();
        info.text = GetToolTipText();
        return TRUE;
    }
    const POINT origin = RowOrigin();
    hover->UpdateToolTip(POINT{point.x - origin.x, point.y - origin.y}, info);
    ::OffsetRect(&info.rcTarget, origin.x, origin.y);
    return TRUE;
}

// A row has a font and a text colour even when its style names none.
void SItemPanel::PreparePaint(IRenderTarget* target, SPaintState& saved)
{
    const int state = GetPaintStateIndex();
    IFont* font = m_style.GetTextFont(state);
    if (!font) {
        if (SFontPool* const fonts = SFontPool::GetInstance())
            font = fonts->GetFont(SStringW(), GetScale());
    }
    if (font)
        target->SelectObject(font, saved.font.Put());
    const COLORREF colour = m_style.GetTextColor(state);
    saved.textColor = target->SetTextColor(colour != SwndStyle::kColorNone ? colour : kOpaqueBlack);
}

// The handlers of WM_DESTROY hold references of their own while they run: the
// count goes back up for them, so that their releases cannot end the panel twice.
void SItemPanel::OnFinalRelease()
{
    AddRef();
    SendSwndMessage(WM_DESTROY);
    SwndContainerImpl::OnFinalRelease();
}

void SItemPanel::OnDestroy()
{
    if (ISwndContainer* const host = HostContainer())
        host->UnregisterTimelineHandler(this);
    SwndContainerImpl::OnDestroy();
}

// A visible row ticks on its owner's timeline, so that animations inside it run.
void SItemPanel::OnShowWindow(BOOL show, UINT status)
{
    SwndContainerImpl::OnShowWindow(show, status);
    if (ISwndContainer* const host = HostContainer()) {
        if (show)
            host->RegisterTimelineHandler(this);
        else
            host->UnregisterTimelineHandler(this);
    }
}

}  // namespace SAKU
