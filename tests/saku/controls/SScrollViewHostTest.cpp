// A scroll view in a real host window, under the display server's mouse: the
// thumb dragged by a real press and move, a click on an arrow, an arrow held down
// repeating on the host's timers until it is let go, and a notch of the wheel.

#include "../core/HostTest.h"

#include "controls/SScrollView.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

class SScrollViewHostTest : public HostTest {};

// A view of 400 x 600 in a 120 x 100 scroll view: both bars, the vertical one
// 92 long with 8-pixel arrows, a rail of 76 and the least thumb (18); 508
// positions over 58 pixels of travel.
const wchar_t kLayout[] =
    L"<SAKU width='200' height='150' wndType='normal' sendWheel2Hover='1'>"
    L"<skin><scrollbar name='bar' src='png:sbar_cells'/></skin>"
    L"<root colorBkgnd='#FFFFFFFF'>"
    L"<scrollview name='v' pos='20,20,@120,@100' margin='0' sbSkin='bar' viewSize='400,600'>"
    L"<window pos='0,0,@400,@600' colorBkgnd='#FF00FFFF'/>"
    L"</scrollview></root></SAKU>";

}  // namespace

TEST_F(SScrollViewHostTest, RealDragClicksHoldAndWheelScrollTheView)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, kLayout));
    const HWND window = host.GetHwnd();
    ShowInFront(host);
    SScrollView* const view = host.FindChildByName2<SScrollView>(L"v");
    ASSERT_NE(nullptr, view);
    ASSERT_TRUE(view->HasScrollBar(TRUE));
    const RECT bar = view->GetScrollBarRect(TRUE);
    ASSERT_EQ(92, bar.bottom - bar.top);
    const int x = (bar.left + bar.right) / 2;

    // The thumb (bar.top + 8 to + 26) pressed in its middle and pulled 29 pixels down.
    const POINT grip = OnScreen(window, POINT{x, bar.top + 17});
    const POINT pulled = OnScreen(window, POINT{x, bar.top + 17 + 29});
    StartXdotool("mousemove " + Xy(grip) + " sleep 0.3 mousedown 1 sleep 0.3 mousemove " + Xy(pulled) +
                 " sleep 0.3 mouseup 1 sleep 0.3");
    ASSERT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
    Pump();
    EXPECT_EQ(254, view->GetScrollPos(TRUE));
    EXPECT_EQ(254, view->GetViewOrigin().y);
    EXPECT_EQ(-1, view->GetScrollInfo(TRUE).nTrackPos);
    EXPECT_EQ(0u, host.OnGetSwndCapture());

    // A click on the down arrow: one line.
    const POINT arrow = OnScreen(window, POINT{x, bar.bottom - 4});
    StartXdotool("mousemove " + Xy(arrow) + " sleep 0.3 click 1 sleep 0.3");
    ASSERT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
    Pump();
    EXPECT_EQ(264, view->GetViewOrigin().y);

    // Held for a second and a half: it repeats after the delay, and stops at the release.
    StartXdotool("mousedown 1 sleep 1.5 mouseup 1 sleep 0.3");
    ASSERT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
    Pump();
    const int held = view->GetViewOrigin().y;
    EXPECT_LT(284, held);
    PumpUntil([] { return false; }, 500);
    EXPECT_EQ(held, view->GetViewOrigin().y);
    EXPECT_EQ(0u, host.OnGetSwndCapture());

    // A notch of the real wheel over the content: one line down.
    const POINT content = OnScreen(window, POINT{60, 60});
    StartXdotool("mousemove " + Xy(content) + " sleep 0.3 click 5 sleep 0.3");
    ASSERT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
    Pump();
    EXPECT_EQ(held + 10, view->GetViewOrigin().y);

    DestroyHost(host);
}
