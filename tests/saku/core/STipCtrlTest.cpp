// The tooltip with real windows: a host window and its mouse messages, the tip as
// a filter of a real message loop with its real timers, and the tip's own pixels.
// The timer messages are also sent by hand where only the order of events matters.

#include "SimpleWndTest.h"

#include "HostCommand.h"
#include "WinePath.h"

#include "core/SMessageLoop.h"
#include "core/STipCtrl.h"
#include "core/SWindow.h"

#include "GdiHandles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace SAKU;
using saku_test::RecordingWnd;
using saku_test::SimpleWndTest;

namespace {

constexpr UINT_PTR kDelayTimer = 1;
constexpr UINT_PTR kShowTimer = 2;
constexpr POINT kHostOrigin = {100, 100};
constexpr SIZE kHostSize = {300, 200};
constexpr RECT kWholeHost = {0, 0, kHostSize.cx, kHostSize.cy};

double NowMs()
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

SwndToolTipInfo Tip(SWND swnd, const wchar_t* text, RECT target = kWholeHost, DWORD cookie = 0)
{
    SwndToolTipInfo tip;
    tip.swnd = swnd;
    tip.cookie = cookie;
    tip.rcTarget = target;
    tip.text = text;
    return tip;
}

// The window's client pixels as it painted them, 0x00RRGGBB, rows top-down.
std::vector<std::uint32_t> ClientPixels(HWND window, SIZE& size)
{
    RECT client;
    ::GetClientRect(window, &client);
    size = {client.right, client.bottom};
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UniqueMemoryDc memory(::CreateCompatibleDC(nullptr));
    std::vector<std::uint32_t> pixels;
    if (!bitmap || !memory)
        return pixels;
    {
        const UniqueSelection selected = SelectInto(memory.Get(), bitmap.Get());
        const HDC windowDc = ::GetDC(window);
        ::BitBlt(memory.Get(), 0, 0, size.cx, size.cy, windowDc, 0, 0, SRCCOPY);
        ::ReleaseDC(window, windowDc);
    }
    ::GdiFlush();
    const auto* const first = static_cast<const std::uint32_t*>(bits);
    for (int i = 0; i < size.cx * size.cy; ++i)
        pixels.push_back(first[i] & 0xFFFFFF);
    return pixels;
}

std::uint32_t Rgb(COLORREF color)
{
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

class STipCtrlTest : public SimpleWndTest {
protected:
    void SetUp() override
    {
        SimpleWndTest::SetUp();
        m_tip = STipCtrl::New();
        ASSERT_NE(nullptr, m_tip);
        ASSERT_NE(nullptr, m_host.CreatePopup(kHostOrigin.x, kHostOrigin.y, kHostSize.cx, kHostSize.cy,
                                              WS_POPUP | WS_VISIBLE));
    }
    void TearDown() override
    {
        STipCtrl::DestroyTip(m_tip);
        m_host.DestroyWindow();
        SimpleWndTest::TearDown();
    }

    HWND TipWindow() const { return m_tip->GetHwnd(); }
    bool TipVisible() const { return ::IsWindowVisible(TipWindow()) != FALSE; }
    SIZE TipSize() const
    {
        RECT rect;
        ::GetWindowRect(TipWindow(), &rect);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }

    // A mouse message of the host at a client point, as the message loop hands it on.
    void Relay(UINT message, POINT client)
    {
        MSG msg = {};
        msg.hwnd = m_host.GetHwnd();
        msg.message = message;
        msg.lParam = MAKELPARAM(client.x, client.y);
        m_tip->RelayEvent(&msg);
    }
    // The delay has run out.
    void DelayEnds() { ::SendMessageW(TipWindow(), WM_TIMER, kDelayTimer, 0); }
    // The tip shows `text` at once.
    void ShowNow(const wchar_t* text, SWND swnd = 1, int scale = 100)
    {
        m_tip->UpdateTip(Tip(swnd, text), scale);
        Relay(WM_MOUSEMOVE, {10, 10});
        DelayEnds();
        ASSERT_TRUE(TipVisible());
    }

    STipCtrl* m_tip = nullptr;
    RecordingWnd m_host;
};

}  // namespace

TEST_F(STipCtrlTest, IsAHiddenTopmostPopupThatNeverActivates)
{
    wchar_t text[64] = {};
    ::GetClassNameW(TipWindow(), text, 64);
    EXPECT_STREQ(saku_test::kHostClass, text);
    ::GetWindowTextW(TipWindow(), text, 64);
    EXPECT_STREQ(L"saku tooltip", text);
    const DWORD style = static_cast<DWORD>(::GetWindowLongW(TipWindow(), GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(TipWindow(), GWL_EXSTYLE));
    EXPECT_EQ(0x80000003u, style & 0x80000003u);
    EXPECT_EQ(0x8000088u, exStyle & 0x8000088u);
    EXPECT_FALSE(TipVisible());

    LOGFONTW font = {};
    ASSERT_NE(0, ::GetObjectW(m_tip->GetFont(), sizeof(font), &font));
    EXPECT_EQ(-12, font.lfHeight);
    EXPECT_STREQ(L"宋体", font.lfFaceName);
}

TEST_F(STipCtrlTest, ShowsHalfASecondAfterTheMouseRestsAndHidesFiveSecondsLater)
{
    SMessageLoop loop;
    loop.AddMessageFilter(m_tip);
    const auto pumpUntil = [&](const std::function<bool()>& done, double limitMs) {
        const double end = NowMs() + limitMs;
        while (!done() && NowMs() < end) {
            MSG msg;
            while (!done() && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                loop.DispatchOne(&msg);
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
        return done();
    };

    m_tip->UpdateTip(Tip(1, L"提示：第一行\\n第二行 second line"), 100);
    // The mouse comes to rest over the host, through the queue as the system
    // sends it (the real pointer is shared with the other tests on the display).
    const POINT rest = {50, 50};
    const double moved = NowMs();
    ASSERT_TRUE(::PostMessageW(m_host.GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(rest.x, rest.y)));
    ASSERT_TRUE(pumpUntil([&] { return TipVisible(); }, 20000)) << "the tip never showed";
    const double shown = NowMs();
    EXPECT_GE(shown - moved, STipCtrl::kDelay - 10.0);

    const RECT tip = m_tip->GetWindowRect();
    EXPECT_EQ(kHostOrigin.x + rest.x, tip.left);
    EXPECT_EQ(kHostOrigin.y + rest.y + 24, tip.top);
    EXPECT_EQ(HWND_DESKTOP, ::GetParent(TipWindow()));
    EXPECT_NE(TipWindow(), ::GetForegroundWindow());

    // Its pixels: the frame, the info background and dark text inside.
    ::UpdateWindow(TipWindow());
    SIZE size = {};
    const std::vector<std::uint32_t> pixels = ClientPixels(TipWindow(), size);
    ASSERT_EQ(static_cast<size_t>(size.cx * size.cy), pixels.size());
    ASSERT_GT(size.cx, 20);
    EXPECT_EQ(0u, pixels[0]);
    EXPECT_EQ(0u, pixels[size.cx * size.cy - 1]);
    EXPECT_EQ(Rgb(::GetSysColor(COLOR_INFOBK)), pixels[2 * size.cx + 2]);
    int dark = 0;
    for (int y = 5; y < size.cy - 5; ++y) {
        for (int x = 5; x < size.cx - 5; ++x)
            dark += pixels[y * size.cx + x] < 0x404040 ? 1 : 0;
    }
    EXPECT_GT(dark, 50) << "no text drawn";
    if (const wchar_t* folder = _wgetenv(L"TIVALA_SKIN_PNG"); folder && *folder) {
        // Wine puts what a window painted on the X display a moment later.
        const double settled = NowMs() + 300;
        pumpUntil([&] { return NowMs() > settled; }, 1000);
        const std::string png = tivala::test::UnixPath(std::wstring(folder) + L"\\tooltip.png");
        const std::string crop = std::to_string(tip.right - tip.left) + "x" + std::to_string(tip.bottom - tip.top) +
                                 "+" + std::to_string(tip.left) + "+" + std::to_string(tip.top);
        EXPECT_EQ(0, tivala::test::HostCommand::Run("/usr/bin/import -window root -crop " + crop + " " +
                                                        tivala::test::ShellQuote(png),
                                                    "/tmp")
                         .value_or(-1));
    }

    ASSERT_TRUE(pumpUntil([&] { return !TipVisible(); }, 30000)) << "the tip never went";
    EXPECT_GE(NowMs() - shown, STipCtrl::kShowTime - 100.0);
    loop.RemoveMessageFilter(m_tip);
}

TEST_F(STipCtrlTest, AnEscapedLineBreakStartsASecondLine)
{
    ShowNow(L"第一行 second");
    const SIZE oneLine = TipSize();
    ::ShowWindow(TipWindow(), SW_HIDE);
    ShowNow(L"第一行\\nsecond", 2);
    const SIZE twoLines = TipSize();
    EXPECT_EQ(2 * (oneLine.cy - 10), twoLines.cy - 10);
    EXPECT_LT(twoLines.cx, oneLine.cx);
}

TEST_F(STipCtrlTest, ALongTextWrapsAtFiveHundredPixels)
{
    ShowNow(L"short");
    const int lineHeight = TipSize().cy - 10;
    ::ShowWindow(TipWindow(), SW_HIDE);
    std::wstring text;
    for (int i = 0; i < 60; ++i)
        text += L"word ";
    ShowNow(text.c_str(), 2);
    EXPECT_LE(TipSize().cx, 500 + 10);
    EXPECT_GE(TipSize().cy - 10, 2 * lineHeight);
}

TEST_F(STipCtrlTest, ATipNearTheScreenEdgeIsShiftedIntoTheWorkArea)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(m_host.GetHwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
    // The host's client point that lies 5 pixels inside the work area's bottom-right corner.
    const POINT nearCorner = {monitor.rcWork.right - 5 - kHostOrigin.x, monitor.rcWork.bottom - 5 - kHostOrigin.y};
    m_tip->UpdateTip(Tip(1, L"a tip that would stick out", {0, 0, 10000, 10000}), 100);
    Relay(WM_MOUSEMOVE, nearCorner);
    DelayEnds();
    ASSERT_TRUE(TipVisible());
    const RECT tip = m_tip->GetWindowRect();
    EXPECT_EQ(monitor.rcWork.right, tip.right);
    EXPECT_EQ(monitor.rcWork.bottom, tip.bottom);
}

TEST_F(STipCtrlTest, TheShownTipStaysWhileTheMouseMovesInsideAndGoesWhenItLeaves)
{
    m_tip->UpdateTip(Tip(1, L"tip", {0, 0, 100, 100}), 100);
    Relay(WM_MOUSEMOVE, {10, 10});
    DelayEnds();
    ASSERT_TRUE(TipVisible());
    const RECT shownAt = m_tip->GetWindowRect();
    Relay(WM_MOUSEMOVE, {60, 70});
    EXPECT_TRUE(TipVisible());
    const RECT afterMove = m_tip->GetWindowRect();
    EXPECT_TRUE(::EqualRect(&shownAt, &afterMove));
    Relay(WM_MOUSEMOVE, {150, 10});
    EXPECT_FALSE(TipVisible());
    // Gone with its text: the end of the delay shows nothing.
    DelayEnds();
    EXPECT_FALSE(TipVisible());
}

TEST_F(STipCtrlTest, AnyClickHidesTheTip)
{
    const UINT clicks[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP};
    SWND swnd = 1;
    for (UINT click : clicks) {
        SCOPED_TRACE(click);
        ShowNow(L"tip", swnd++);
        Relay(click, {10, 10});
        EXPECT_FALSE(TipVisible());
        EXPECT_FALSE(::KillTimer(TipWindow(), kShowTimer));   // the show time was stopped
    }
}

TEST_F(STipCtrlTest, UpdatingWithTheShownIdKeepsTheShownText)
{
    ShowNow(L"old", 7);
    const SIZE shown = TipSize();
    m_tip->UpdateTip(Tip(7, L"a much longer new text"), 100);
    EXPECT_EQ(shown.cx, TipSize().cx);
    m_tip->UpdateTip(Tip(7, L"a much longer new text", kWholeHost, 1), 100);   // another cookie: another tip
    EXPECT_GT(TipSize().cx, shown.cx);
    EXPECT_TRUE(TipVisible());

    m_tip->ClearTip();
    EXPECT_FALSE(TipVisible());
}

TEST_F(STipCtrlTest, TheFontFollowsTheHostScale)
{
    const struct {
        int scale;
        int height;
    } cases[] = {{100, -12}, {150, -18}, {125, -15}, {200, -24}};
    SWND swnd = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scale);
        m_tip->UpdateTip(Tip(swnd++, L"tip"), c.scale);
        LOGFONTW font = {};
        ASSERT_NE(0, ::GetObjectW(m_tip->GetFont(), sizeof(font), &font));
        EXPECT_EQ(c.height, font.lfHeight);
        EXPECT_STREQ(L"宋体", font.lfFaceName);
    }
}

TEST_F(STipCtrlTest, ADelayThatFindsNoTextStartsNoShowTime)
{
    // The mouse came and went before the delay ran out.
    m_tip->UpdateTip(Tip(1, L"tip"), 100);
    Relay(WM_MOUSEMOVE, {10, 10});
    Relay(WM_MOUSEMOVE, {-10, 10});
    DelayEnds();
    EXPECT_FALSE(TipVisible());
    EXPECT_FALSE(::KillTimer(TipWindow(), kShowTimer));

    // A tip that shows runs its show time.
    ShowNow(L"tip", 2);
    EXPECT_TRUE(::KillTimer(TipWindow(), kShowTimer));
}

TEST_F(STipCtrlTest, TheFilterLetsEveryMessageGoOn)
{
    MSG msg = {};
    msg.hwnd = m_host.GetHwnd();
    msg.message = WM_LBUTTONDOWN;
    EXPECT_FALSE(m_tip->PreTranslateMessage(&msg));
}
