// A button in a real host window: clicks of the display server's mouse, and the
// hover fade ticked by the host's own timeline timer.

#include "../core/HostTest.h"

#include "controls/SButton.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

class SButtonHostTest : public HostTest {};

const wchar_t kLayout[] =
    L"<SAKU width='200' height='150' wndType='normal'><root colorBkgnd='#FFFFFFFF'>"
    L"<button name='b' pos='40,40,@80,@40' skin='states' animate='1'>OK</button>"
    L"</root></SAKU>";

struct Commands {
    int count = 0;
    BOOL OnCommand(EventArgs*)
    {
        ++count;
        return TRUE;
    }
};

}  // namespace

TEST_F(SButtonHostTest, RealClickFiresAndAPressDraggedAwayDoesNot)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, kLayout));
    const HWND window = host.GetHwnd();
    ShowInFront(host);
    SButton* const button = host.FindChildByName2<SButton>(L"b");
    ASSERT_NE(nullptr, button);
    Commands commands;
    button->GetEventSet()->SubscribeEvent(EventCmd::EventID, Subscriber(&Commands::OnCommand, &commands));
    const POINT on = OnScreen(window, POINT{60, 55});
    const POINT away = OnScreen(window, POINT{170, 130});

    // The pointer comes onto the button: the hover fade runs on the host's timer.
    StartXdotool("mousemove " + Xy(away) + " sleep 0.3 mousemove " + Xy(on) + " sleep 0.3");
    ASSERT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
    ASSERT_TRUE(PumpUntil([&] { return (button->GetState() & WndState_Hover) && button->GetFadeAlpha() == 255; }));
    EXPECT_FALSE(host.UnregisterTimelineHandler(button));   // it left the timeline by itself

    StartXdotool("click 1 sleep 0.3");
    ASSERT_TRUE(PumpUntil([&] { return XdotoolDone() && commands.count == 1; }, 20000));

    StartXdotool("mousedown 1 sleep 0.3 mousemove " + Xy(away) + " sleep 0.3 mouseup 1 sleep 0.3");
    ASSERT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
    Pump();
    EXPECT_EQ(1, commands.count);
    EXPECT_EQ(0u, host.OnGetSwndCapture());
    EXPECT_EQ(WndState_Normal, button->GetState());

    DestroyHost(host);
}

// A press that the window loses before its release (another window activated,
// or another window taking the mouse) is no click: the button lets go of the
// pushed look and the capture and fires nothing, and the real release that
// follows fires nothing either.
TEST_F(SButtonHostTest, APressThatLosesTheWindowOrTheMouseFiresNothing)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, kLayout));
    const HWND window = host.GetHwnd();
    SButton* const button = host.FindChildByName2<SButton>(L"b");
    ASSERT_NE(nullptr, button);
    Commands commands;
    button->GetEventSet()->SubscribeEvent(EventCmd::EventID, Subscriber(&Commands::OnCommand, &commands));
    const HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, other);
    const struct {
        const char* name;
        void (*interrupt)(HWND other);
    } interruptions[] = {
        {"deactivation", [](HWND other) {
             ::ShowWindow(other, SW_SHOW);
             ::SetForegroundWindow(other);
         }},
        {"capture", [](HWND other) { ::SetCapture(other); }},
    };
    for (const auto& interruption : interruptions) {
        SCOPED_TRACE(interruption.name);
        ShowInFront(host);
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == window; }));
        StartXdotool("mousemove " + Xy(OnScreen(window, POINT{60, 55})) + " sleep 0.3 mousedown 1 sleep 0.3");
        ASSERT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
        ASSERT_TRUE(PumpUntil([&] { return (button->GetState() & WndState_PushDown) != 0; }));
        ASSERT_EQ(button->GetSwnd(), host.OnGetSwndCapture());

        interruption.interrupt(other);
        Pump();
        EXPECT_EQ(0, commands.count);
        EXPECT_EQ(0, button->GetState() & WndState_PushDown);
        EXPECT_EQ(0u, host.OnGetSwndCapture());

        StartXdotool("mouseup 1 sleep 0.3");
        ASSERT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
        if (::GetCapture() == other)
            ::ReleaseCapture();
        ::ShowWindow(other, SW_HIDE);
        Pump();
        EXPECT_EQ(0, commands.count);
        EXPECT_EQ(0, button->GetState() & WndState_PushDown);
    }
    ::DestroyWindow(other);
    DestroyHost(host);
}
