#include "core/STipCtrl.h"

#include "core/SWindow.h"

#include <new>

namespace SAKU {

namespace {

constexpr UINT_PTR kDelayTimer = 1;
constexpr UINT_PTR kShowTimer = 2;

// WS_POPUP with the common tooltip control's "always tip" and "no prefix" bits,
// which this window class ignores; never activated, no taskbar button, on top.
constexpr DWORD kTipStyle = WS_POPUP | 0x3;
constexpr DWORD kTipExStyle = WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

constexpr int kFontHeight = -12;          // at a scale of 100
constexpr wchar_t kFontFace[] = L"宋体";
constexpr int kPadding = 5;               // between the frame and the text, each side
constexpr int kMaxTextWidth = 500;        // longer lines wrap
constexpr int kMaxTextHeight = 1000;
constexpr int kBelowCursor = 24;          // the tip opens this far below the mouse

// The tip's rectangle moved left and up, as far as needed, into the work area of
// the monitor nearest to it.
RECT KeptInWorkArea(RECT rect)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info);
    if (rect.right > info.rcWork.right)
        ::OffsetRect(&rect, info.rcWork.right - rect.right, 0);
    if (rect.bottom > info.rcWork.bottom)
        ::OffsetRect(&rect, 0, info.rcWork.bottom - rect.bottom);
    return rect;
}

}  // namespace

STipCtrl* STipCtrl::New()
{
    auto* const tip = new (std::nothrow) STipCtrl;
    if (tip && !tip->Create()) {
        delete tip;   // no window, so no final message to end it
        return nullptr;
    }
    return tip;
}

void STipCtrl::DestroyTip(IToolTip* tip)
{
    if (tip)
        static_cast<STipCtrl*>(tip)->DestroyWindow();
}

BOOL STipCtrl::Create()
{
    if (!CreateWindow(L"saku tooltip", kTipStyle, kTipExStyle, 0, 0, 0, 0, nullptr, nullptr))
        return FALSE;
    m_ownsSelf = true;
    MakeFont(kFontHeight);
    return TRUE;
}

void STipCtrl::OnFinalMessage(HWND hwnd)
{
    CSimpleWnd::OnFinalMessage(hwnd);
    // A window that died while being created leaves the object to New.
    if (m_ownsSelf)
        delete this;
}

BOOL STipCtrl::PreTranslateMessage(MSG* msg)
{
    if (::IsWindow(GetHwnd()))
        RelayEvent(msg);
    return FALSE;
}

void STipCtrl::UpdateTip(const SwndToolTipInfo& tip, int scale)
{
    if (tip.swnd == m_tipSwnd && tip.cookie == m_tipCookie)
        return;
    m_tipSwnd = tip.swnd;
    m_tipCookie = tip.cookie;
    m_target = tip.rcTarget;
    m_text = tip.text;
    if (m_fontScale != scale) {
        MakeFont(kFontHeight * scale / 100);
        m_fontScale = scale;
    }
    // Layouts write a line break in a tip as the two characters \ and n.
    m_text.ReplaceAll(L"\\n", L"\n");
    if (::IsWindowVisible(GetHwnd()))
        ShowTip(true);
}

void STipCtrl::ClearTip()
{
    m_tipSwnd = 0;
    m_tipCookie = 0;
    ShowTip(false);
}

void STipCtrl::RelayEvent(const MSG* msg)
{
    switch (msg->message) {
    case WM_MOUSEMOVE: {
        POINT point = {GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
        if (!::PtInRect(&m_target, point)) {
            Hide();
        } else if (!::IsWindowVisible(GetHwnd()) && !m_text.IsEmpty()) {
            // The tip shows once the mouse rests: every move starts the wait again.
            SetTimer(kDelayTimer, m_delay);
            ::ClientToScreen(msg->hwnd, &point);
            ::SetWindowPos(GetHwnd(), nullptr, point.x, point.y + kBelowCursor, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        Hide();
        break;
    default:
        break;
    }
}

void STipCtrl::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kDelayTimer:
        KillTimer(kDelayTimer);
        ShowTip(true);
        // A tip whose text went while the delay ran shows nothing; a show time
        // started for it would cut the next tip short.
        if (::IsWindowVisible(GetHwnd()))
            SetTimer(kShowTimer, m_showTime);
        break;
    case kShowTimer:
        ShowTip(false);
        KillTimer(kShowTimer);
        break;
    default:
        SetMsgHandled(FALSE);
        break;
    }
}

void STipCtrl::OnPaint(HDC)
{
    PAINTSTRUCT paint;
    const UniquePaint session = BeginPaintOf(GetHwnd(), paint);
    if (!session)
        return;
    RECT rect;
    ::GetClientRect(GetHwnd(), &rect);
    {
        // Rectangle fills with the brush and frames with the DC's pen (black).
        const UniqueSelection brush = SelectInto(paint.hdc, ::GetSysColorBrush(COLOR_INFOBK));
        ::Rectangle(paint.hdc, rect.left, rect.top, rect.right, rect.bottom);
    }
    ::InflateRect(&rect, -kPadding, -kPadding);
    ::SetBkMode(paint.hdc, TRANSPARENT);
    const UniqueSelection font = SelectInto(paint.hdc, m_font.Get());
    ::DrawTextW(paint.hdc, m_text.c_str(), -1, &rect, DT_WORDBREAK);
}

void STipCtrl::ShowTip(bool show)
{
    if (!show) {
        ::ShowWindow(GetHwnd(), SW_HIDE);
        ::SetRectEmpty(&m_target);
        m_text.Empty();
        return;
    }
    if (m_text.IsEmpty())
        return;

    RECT text = {0, 0, kMaxTextWidth, kMaxTextHeight};
    {
        const UniqueScreenDc screen(::GetDC(nullptr));
        const UniqueSelection font = SelectInto(screen.Get(), m_font.Get());
        ::DrawTextW(screen.Get(), m_text.c_str(), -1, &text, DT_CALCRECT | DT_WORDBREAK);
    }
    const RECT window = GetWindowRect();
    const RECT tip = KeptInWorkArea({window.left, window.top, window.left + text.right - text.left + 2 * kPadding,
                                     window.top + text.bottom - text.top + 2 * kPadding});
    ::SetWindowPos(GetHwnd(), HWND_TOPMOST, tip.left, tip.top, tip.right - tip.left, tip.bottom - tip.top,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
    // A new text of the same size would not be repainted by the move.
    ::InvalidateRect(GetHwnd(), nullptr, TRUE);
}

void STipCtrl::Hide()
{
    ShowTip(false);
    KillTimer(kShowTimer);
}

void STipCtrl::MakeFont(int height)
{
    LOGFONTW font = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    font.lfHeight = height;
    wcscpy_s(font.lfFaceName, kFontFace);
    // A font that cannot be made leaves the tip with the one it had.
    if (const HFONT made = ::CreateFontIndirectW(&font))
        m_font.Reset(made);
}

}  // namespace SAKU
