// The scroll bar, the slider and the spin in a real host window under the
// display server's mouse: a thumb dragged and an arrow pressed on the bar, a
// click at the slider's end, and a spin arrow clicked and held, repeating on the
// host's own timeline.

#include "../core/HostTest.h"

#include "controls/SScrollBar.h"
#include "controls/SSliderBar.h"
#include "controls/SSpinButton.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// The bar at (20, 20), 20 x 200 with arrows of 16: 90 positions over 150 pixels,
// the thumb at 36 to 54. The slider at (60, 20), 200 x 20 with a thumb of 20: its
// rail 70 to 250. The spin at (60, 60), 20 x 60: the up arrow above y 90.
const wchar_t kLayout[] =
    L"<SAKU width='300' height='240' wndType='normal'>"
    L"<skin><scrollbar name='bar' src='png:sbar_cells'/>"
    L"<shape name='thumb20'><solid color='#0000ff'/><size width='20' height='20'/></shape>"
    L"<shape name='bk8'><solid color='#ff0000'/><size width='8' height='8'/></shape>"
    L"<shape name='pos8'><solid color='#00ff00'/><size width='8' height='8'/></shape>"
    L"<imglist name='arrows' src='png:sbar_cells' states='9'/></skin>"
    L"<root colorBkgnd='#FFFFFFFF'>"
    L"<scrollbar name='bar' pos='20,20,@20,@200' skin='bar' arrowSize='16' min='0' max='99' page='10'/>"
    L"<sliderbar name='slider' pos='60,20,@200,@20' margin='0' bkgndSkin='bk8' posSkin='pos8' thumbSkin='thumb20'/>"
    L"<text name='ed' pos='100,70,@60,@20'>0</text>"
    L"<spin name='spin' pos='60,60,@20,@60' margin='0' buddy='ed' spinSkin='arrows' max='1000'/>"
    L"</root></SAKU>";

struct Recorder {
    std::vector<std::pair<int, int>> scrolls;   // code, position
    std::vector<int> sliderPositions;
    BOOL OnScroll(EventArgs* args)
    {
        auto* const scroll = static_cast<EventScroll*>(args);
        scrolls.emplace_back(scroll->code, scroll->position);
        return TRUE;
    }
    BOOL OnSliderPos(EventArgs* args)
    {
        sliderPositions.push_back(static_cast<EventSliderPos*>(args)->position);
        return TRUE;
    }
};

class ValueControlsHostTest : public HostTest {
protected:
    // Made after the application, whose window manager and factories a host's
    // tree needs from its construction on.
    void Open()
    {
        m_host = std::make_unique<SHostWnd>();
        ASSERT_TRUE(LoadLayout(Host(), kLayout));
        ::SetCursorPos(0, 0);
        ShowInFront(Host());
        m_bar = Host().FindChildByName2<SScrollBar>(L"bar");
        m_slider = Host().FindChildByName2<SSliderBar>(L"slider");
        m_spin = Host().FindChildByName2<SSpinButton>(L"spin");
        ASSERT_NE(nullptr, m_bar);
        ASSERT_NE(nullptr, m_slider);
        ASSERT_NE(nullptr, m_spin);
        m_bar->GetEventSet()->SubscribeEvent(EventScroll::EventID, Subscriber(&Recorder::OnScroll, &m_events));
        m_slider->GetEventSet()->SubscribeEvent(EventSliderPos::EventID, Subscriber(&Recorder::OnSliderPos, &m_events));
    }
    void TearDown() override
    {
        if (m_host && m_host->GetHwnd())
            DestroyHost(*m_host);
        m_host.reset();
        HostTest::TearDown();
    }
    // Runs the xdotool commands after moving the pointer to `start` (host
    // coordinates) and pumps until they end.
    void Input(POINT start, const std::string& commands)
    {
        StartXdotool("mousemove " + Xy(OnScreen(Host().GetHwnd(), start)) + " sleep 0.3 " + commands);
        ASSERT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
        Pump();
    }
    std::string MoveTo(POINT to) { return "mousemove " + Xy(OnScreen(Host().GetHwnd(), to)) + " sleep 0.3 "; }
    SStringW Buddy() { return Host().FindChildByName(L"ed")->GetWindowText(); }

    SHostWnd& Host() { return *m_host; }

    std::unique_ptr<SHostWnd> m_host;
    SScrollBar* m_bar = nullptr;
    SSliderBar* m_slider = nullptr;
    SSpinButton* m_spin = nullptr;
    Recorder m_events;
};

}  // namespace

TEST_F(ValueControlsHostTest, RealDragOfTheBarsThumbTracksThenCommits)
{
    Open();
    // Pressed in the thumb's middle and pulled 75 pixels down: 90 x 75 / 150.
    Input(POINT{30, 45}, "mousedown 1 sleep 0.3 " + MoveTo(POINT{30, 120}) + "mouseup 1 sleep 0.3");
    EXPECT_EQ((std::vector<std::pair<int, int>>{{SB_THUMBTRACK, 45}, {SB_THUMBPOSITION, 45}}), m_events.scrolls);
    EXPECT_EQ(45, m_bar->GetScrollInfo().nPos);
    EXPECT_EQ(-1, m_bar->GetScrollInfo().nTrackPos);
    EXPECT_EQ(0u, Host().OnGetSwndCapture());

    // A click on the down arrow: one step for the owner, nothing moved.
    m_events.scrolls.clear();
    Input(POINT{30, 212}, "click 1 sleep 0.3");
    EXPECT_EQ((std::vector<std::pair<int, int>>{{SB_LINEDOWN, 45}}), m_events.scrolls);
    EXPECT_EQ(45, m_bar->GetScrollInfo().nPos);
}

TEST_F(ValueControlsHostTest, RealClickAtTheSlidersEndTakesTheMaximum)
{
    Open();
    Input(POINT{250, 30}, "click 1 sleep 0.3");
    EXPECT_EQ(100, m_slider->GetValue());
    EXPECT_EQ(std::vector<int>{100}, m_events.sliderPositions);
    EXPECT_EQ(0u, Host().OnGetSwndCapture());
}

TEST_F(ValueControlsHostTest, ARealClickOnASpinArrowStepsOnceAndAHeldOneRepeats)
{
    Open();
    Input(POINT{70, 70}, "click 1 sleep 0.3");
    EXPECT_TRUE(Buddy() == L"1") << Buddy().c_str();

    Input(POINT{70, 70}, "mousedown 1 sleep 1.5 mouseup 1 sleep 0.3");
    EXPECT_GT(_wtoi(Buddy().c_str()), 3) << Buddy().c_str();   // the press and more than two repeats
    EXPECT_FALSE(Host().UnregisterTimelineHandler(m_spin));    // let go: off the timeline

    // Held on the down arrow it counts back.
    const int before = _wtoi(Buddy().c_str());
    Input(POINT{70, 110}, "mousedown 1 sleep 1.5 mouseup 1 sleep 0.3");
    EXPECT_LT(_wtoi(Buddy().c_str()), before - 2) << Buddy().c_str();
}
