// The animated image: frames stepped by the container's timeline at its speed,
// loops counted to the repeat and the stop raised once, start and stop events,
// a pause while hidden, and a skin without states.

#include "ControlTest.h"

#include "controls/SAnimateImgWnd.h"
#include "core/ISkinObj.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

using SAnimateImgWndTest = ControlTest;

struct AnimateEvents {
    int starts = 0;
    int stops = 0;
    BOOL OnStart(EventArgs*)
    {
        ++starts;
        return TRUE;
    }
    BOOL OnStop(EventArgs*)
    {
        ++stops;
        return TRUE;
    }
    void Watch(SWindow* window)
    {
        window->GetEventSet()->SubscribeEvent(EventAnimateStart::EventID, Subscriber(&AnimateEvents::OnStart, this));
        window->GetEventSet()->SubscribeEvent(EventAnimateStop::EventID, Subscriber(&AnimateEvents::OnStop, this));
    }
};

// The frames shown after each of `ticks` ticks of the host's timeline.
std::vector<int> Tick(TestHost& host, SAnimateImgWnd* image, int ticks)
{
    std::vector<int> frames;
    for (int i = 0; i < ticks; ++i) {
        host.OnNextFrame();
        frames.push_back(image->GetCurFrame());
    }
    return frames;
}

}  // namespace

TEST_F(SAnimateImgWndTest, FrameStepsEverySpeedOverTenPlusOneTicks)
{
    // A tick is 10 ms and the speed counts milliseconds: the GDI+ module gives frame
    // delays in milliseconds, the PNG module in hundredths (5/100 s is a speed of 50).
    const struct {
        const wchar_t* speed;
        int ticksPerFrame;
    } cases[] = {
        {L"0", 1}, {L"9", 1}, {L"10", 2}, {L"50", 6}, {L"100", 11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.speed)));
        Build((std::wstring(L"<root><animateimg name='a' pos='10,10' skin='sized' speed='") + c.speed +
               L"'/></root>").c_str());
        SAnimateImgWnd* const image = Find<SAnimateImgWnd>(L"a");
        ASSERT_TRUE(image->IsPlaying());   // started when shown
        const std::vector<int> frames = Tick(*m_host.Get(), image, 4 * c.ticksPerFrame);
        std::vector<int> expected;
        // The first tick steps at once, then every ticksPerFrame-th, over three frames.
        for (int tick = 0; tick < 4 * c.ticksPerFrame; ++tick)
            expected.push_back((tick / c.ticksPerFrame + 1) % 3);
        EXPECT_EQ(expected, frames);
        ITimelineHandler* const handler = image;
        image->DestroyWindow();
        EXPECT_FALSE(m_host->UnregisterTimelineHandler(handler));   // it left with its window
    }
}

TEST_F(SAnimateImgWndTest, PaintsTheSkinStateOfTheCurrentFrame)
{
    Build(L"<root><animateimg name='a' pos='10,10' skin='sized' speed='0'/></root>");
    SAnimateImgWnd* const image = Find<SAnimateImgWnd>(L"a");
    const RECT rect = image->GetWindowRect();
    EXPECT_EQ(30, rect.right - rect.left);
    const std::uint32_t frames[] = {kHoverLime, kPushedBlue, kNormalRed};   // 'sized': red, lime, blue
    for (const std::uint32_t expected : frames) {
        m_host->OnNextFrame();
        Paint();
        EXPECT_EQ(expected, Pixel(10, 10));
        EXPECT_EQ(expected, Pixel(39, 39));
    }
    Keep(L"animateimg");
    EXPECT_TRUE(image->IsMsgTransparent());
}

TEST_F(SAnimateImgWndTest, RepeatTwoStopsAfterTwoLoopsWithOneStopEvent)
{
    Build(L"<root><animateimg name='a' pos='10,10' skin='sized' speed='0' repeat='2' autoStart='0'/></root>");
    SAnimateImgWnd* const image = Find<SAnimateImgWnd>(L"a");
    EXPECT_FALSE(image->IsPlaying());
    AnimateEvents events;
    events.Watch(image);
    image->Start();
    image->Start();   // playing already
    EXPECT_EQ(1, events.starts);

    EXPECT_EQ((std::vector<int>{1, 2, 0, 1, 2, 0, 0, 0}), Tick(*m_host.Get(), image, 8));
    EXPECT_FALSE(image->IsPlaying());
    EXPECT_EQ(2, image->GetLoopsPlayed());
    EXPECT_EQ(1, events.stops);
    EXPECT_FALSE(m_host->UnregisterTimelineHandler(image));
    image->Stop();
    EXPECT_EQ(1, events.stops);

    // A new start plays two loops again from where it stands.
    image->Start();
    EXPECT_EQ(0, image->GetLoopsPlayed());
    Tick(*m_host.Get(), image, 6);
    EXPECT_EQ(2, events.stops);
}

TEST_F(SAnimateImgWndTest, RepeatZeroNeverStops)
{
    Build(L"<root><animateimg name='a' pos='10,10' skin='sized' speed='0' repeat='0'/></root>");
    SAnimateImgWnd* const image = Find<SAnimateImgWnd>(L"a");
    Tick(*m_host.Get(), image, 30);
    EXPECT_TRUE(image->IsPlaying());
    EXPECT_EQ(10, image->GetLoopsPlayed());
}

TEST_F(SAnimateImgWndTest, HiddenItPausesAndShownItGoesOn)
{
    Build(L"<root><window name='parent' pos='0,0,@100,@100'>"
          L"<animateimg name='a' pos='10,10' skin='sized' speed='0'/></window></root>");
    SAnimateImgWnd* const image = Find<SAnimateImgWnd>(L"a");
    AnimateEvents events;
    events.Watch(image);
    m_host->OnNextFrame();
    ASSERT_EQ(1, image->GetCurFrame());

    Find<SWindow>(L"parent")->SetVisible(FALSE);
    EXPECT_TRUE(image->IsPlaying());
    EXPECT_FALSE(m_host->UnregisterTimelineHandler(image));   // it left the timeline
    Find<SWindow>(L"parent")->SetVisible(TRUE);
    m_host->OnNextFrame();
    EXPECT_EQ(2, image->GetCurFrame());
    EXPECT_EQ(0, events.starts);   // it went on; nothing started

    image->DestroyWindow();
    EXPECT_EQ(1, events.stops);
    m_host->OnNextFrame();   // a handler left behind would tick the freed window
}

TEST_F(SAnimateImgWndTest, SkinWithoutStatesIsOneFrameAndEndsALoopEachStep)
{
    AddSkins(L"<skin><colorrect name='blank' normal='#ffffff00'/></skin>");   // the colour that means none
    Build(L"<root><animateimg name='a' pos='10,10,@20,@20' skin='blank' speed='0' repeat='3'/></root>");
    SAnimateImgWnd* const image = Find<SAnimateImgWnd>(L"a");
    ASSERT_EQ(0, image->GetAnimateSkin()->GetStates());
    EXPECT_EQ((std::vector<int>{0, 0, 0}), Tick(*m_host.Get(), image, 3));
    EXPECT_FALSE(image->IsPlaying());
}

TEST_F(SAnimateImgWndTest, WithoutSkinItLeavesTheTimelineAndStaysPlaying)
{
    Build(L"<root><animateimg name='a' pos='10,10,@20,@20' skin='no such skin'/></root>");
    SAnimateImgWnd* const image = Find<SAnimateImgWnd>(L"a");
    ASSERT_TRUE(image->IsPlaying());
    m_host->OnNextFrame();
    EXPECT_FALSE(m_host->UnregisterTimelineHandler(image));
    EXPECT_TRUE(image->IsPlaying());
    EXPECT_EQ(0, image->GetCurFrame());
}
