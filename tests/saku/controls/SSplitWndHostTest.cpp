// Split windows in a real host window under the display server's mouse: the
// cursor over a gap, a gap dragged with the button held, a press before the first
// pane and a drag towards panes at their least sizes, which move nothing.

#include "../core/HostTest.h"
#include "../render/RenderTestSupport.h"

#include "controls/SSplitPane.h"
#include "controls/SSplitWnd.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// "s": a client area of 400 from x 20 (a margin of 10 each side), panes of 100,
// 190 and 100 at x 20, 125 and 320, gaps at 120-124 and 315-319. "m": its panes b
// and c at their least sizes from the start, gap 0 at x 110-114.
const wchar_t kLayout[] =
    L"<SAKU width='440' height='250' wndType='normal'>"
    L"<skin><colorrect name='sep' normal='#808080'/></skin>"
    L"<root colorBkgnd='#FFFFFFFF'>"
    L"<splitwnd name='s' pos='10,10,@420,@100' margin-x='10' sepSize='5' sepSkin='sep'>"
    L"<pane name='a' idealSize='100' margin='0' colorBkgnd='#ff0000'/>"
    L"<pane name='b' idealSize='100' margin='0' colorBkgnd='#00ff00'/>"
    L"<pane name='c' idealSize='100' margin='0' priority='1' colorBkgnd='#0000ff'/>"
    L"</splitwnd>"
    L"<splitwnd name='m' pos='10,130,@400,@100' margin='0' sepSize='5' sepSkin='sep'>"
    L"<pane idealSize='100' margin='0' colorBkgnd='#ff0000'/>"
    L"<pane idealSize='190' minSize='190' margin='0' colorBkgnd='#00ff00'/>"
    L"<pane idealSize='100' minSize='100' margin='0' priority='1' colorBkgnd='#0000ff'/>"
    L"</splitwnd></root></SAKU>";

class SSplitWndHostTest : public HostTest {
protected:
    // Runs the xdotool command and waits for it and for what it started.
    void Drive(const std::string& arguments)
    {
        StartXdotool(arguments);
        ASSERT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
        Pump();
    }
    // A press at `from` (client coordinates), the mouse moved by `dx` in two steps, released.
    std::string Drag(HWND window, POINT from, int dx)
    {
        const auto at = [&](int x) { return Xy(OnScreen(window, POINT{x, from.y})); };
        return "mousemove " + at(from.x) + " sleep 0.3 mousedown 1 sleep 0.3 mousemove " + at(from.x + dx / 2) +
               " sleep 0.3 mousemove " + at(from.x + dx) + " sleep 0.3 mouseup 1 sleep 0.3";
    }
    static std::vector<int> Widths(const SSplitWnd* split)
    {
        std::vector<int> widths;
        for (int i = 0; i < split->GetPaneCount(); ++i) {
            const RECT rect = split->GetPane(i)->GetWindowRect();
            widths.push_back(rect.right - rect.left);
        }
        return widths;
    }
};

}  // namespace

TEST_F(SSplitWndHostTest, RealMouseDragsAGapWithinThePanesLimits)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, kLayout));
    const HWND window = host.GetHwnd();
    auto* const split = host.FindChildByName2<SSplitWnd>(L"s");
    auto* const atLeast = host.FindChildByName2<SSplitWnd>(L"m");
    ASSERT_NE(nullptr, split);
    ASSERT_NE(nullptr, atLeast);
    ShowInFront(host);
    ASSERT_EQ((std::vector<int>{100, 190, 100}), Widths(split));
    ASSERT_EQ(125, split->GetPane(1)->GetWindowRect().left);

    // Over a gap the cursor sizes along x; over a pane it is the arrow again. The
    // cursor is asked for before the move that changes the hovered window: two moves.
    const auto hover = [&](int x) {
        return "mousemove " + Xy(OnScreen(window, POINT{x - 1, 60})) + " sleep 0.2 mousemove " +
               Xy(OnScreen(window, POINT{x, 60})) + " sleep 0.3";
    };
    Drive(hover(122));
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_SIZEWE), ::GetCursor());
    Drive(hover(170));
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), ::GetCursor());

    // Gap 0 dragged 30 to the right: a grows by 30, b gives them.
    Drive(Drag(window, POINT{122, 60}, 30));
    EXPECT_EQ((std::vector<int>{130, 160, 100}), Widths(split));
    EXPECT_EQ(155, split->GetPane(1)->GetWindowRect().left);
    EXPECT_EQ(320, split->GetPane(2)->GetWindowRect().left);

    // A press in the margin before the first pane drags nothing.
    Drive(Drag(window, POINT{14, 60}, 30));
    EXPECT_EQ((std::vector<int>{130, 160, 100}), Widths(split));

    // Towards panes all at their least sizes nothing moves.
    ASSERT_EQ((std::vector<int>{100, 190, 100}), Widths(atLeast));
    Drive(Drag(window, POINT{112, 180}, 30));
    EXPECT_EQ((std::vector<int>{100, 190, 100}), Widths(atLeast));

    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    KeepPng(host.GetCacheTarget(), L"TIVALA_PAINT_PNG", L"split_window_host");
    const Pixels pixels = ReadPixels(host.GetCacheTarget());
    const auto pixel = [&](int x, int y) { return PixelAt(pixels, 440, x, y); };
    EXPECT_EQ(0xFFFF0000u, pixel(149, 60));   // a, now to x 150
    EXPECT_EQ(0xFF808080u, pixel(150, 60));   // the gap followed it
    EXPECT_EQ(0xFF808080u, pixel(154, 60));
    EXPECT_EQ(0xFF00FF00u, pixel(155, 60));
    EXPECT_EQ(0xFF808080u, pixel(317, 60));   // gap 1 stayed
    EXPECT_EQ(0xFF808080u, pixel(112, 180));
    DestroyHost(host);
}
