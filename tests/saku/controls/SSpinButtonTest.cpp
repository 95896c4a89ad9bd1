// The self-drawn spin on a windowless host: the arrow under a point, the steps it
// makes of its buddy's text (text that is no number, beyond the int range, a
// subscriber that keeps the text), a spin without a buddy, the repeat of a held
// arrow frame by frame on the host's timeline, and its arrows' looks.

#include "ControlTest.h"

#include "controls/SSpinButton.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

struct SpinRecorder {
    std::vector<int> values;
    std::vector<std::wstring> texts;
    bool keepText = false;   // clear bubbleUp: the buddy keeps its text
    BOOL OnText(EventArgs* args)
    {
        auto* const text = static_cast<EventSpinValue2String*>(args);
        values.push_back(text->value);
        texts.emplace_back(text->text.c_str());
        if (keepText)
            text->bubbleUp = FALSE;
        return TRUE;
    }
};

class SSpinButtonTest : public ControlTest {
protected:
    // The spin at (10, 0, 30, 200) beside its buddy "ed", inside a box.
    SSpinButton* Spin(const std::wstring& attributes, const wchar_t* buddyText = L"0")
    {
        Build((L"<root><text name='ed' pos='50,10,@60,@20'>" + std::wstring(buddyText) + L"</text>"
               L"<window name='box' pos='0,0,-0,-0' margin='0'>"
               L"<spin name='spin' pos='10,0,@20,@200' margin='0' buddy='ed' " + attributes + L"/>"
               L"</window></root>").c_str());
        SSpinButton* const spin = Find<SSpinButton>(L"spin");
        if (spin)
            spin->GetEventSet()->SubscribeEvent(EventSpinValue2String::EventID, Subscriber(&SpinRecorder::OnText, &m_steps));
        return spin;
    }
    SStringW Buddy() { return m_host->FindChildByName(L"ed")->GetWindowText(); }

    SpinRecorder m_steps;
};

}  // namespace

TEST_F(SSpinButtonTest, TheLowerHalfIsTheDownArrow)
{
    SSpinButton* const spin = Spin(L"");
    ASSERT_NE(nullptr, spin);
    const struct {
        int y;
        int arrow;
    } cases[] = {{0, 1}, {99, 1}, {100, 2}, {199, 2}, {-20, 1}, {260, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(c.arrow, spin->ArrowFromPoint(POINT{20, c.y})) << c.y;
    EXPECT_TRUE(spin->IsFocusable());
    EXPECT_TRUE(spin->IsClass(L"spin"));
    EXPECT_TRUE(spin->IsClass(L"window"));
}

TEST_F(SSpinButtonTest, StepsTheBuddysTextWithinTheRange)
{
    const struct {
        const wchar_t* attributes;
        const wchar_t* text;
        int arrow;
        const wchar_t* shown;
    } cases[] = {
        {L"",                                L"abc",          1, L"1"},     // no number reads as 0
        {L"",                                L"41",           1, L"42"},
        {L"",                                L"41",           2, L"40"},
        {L"step='0x10'",                     L"41",           1, L"57"},
        {L"",                                L"100",          1, L"0"},     // round to the other end
        {L"circle='0'",                      L"100",          1, L"100"},
        {L"circle='FALSE'",                  L"0",            2, L"0"},
        {L"circle='no'",                     L"0",            2, L"100"},   // only 0 and false turn it off
        {L"min='-5' max='5'",                L"-5",           2, L"5"},
        // Beyond the int range: into [min, max], never wrapped round the int.
        {L"",                                L"99999999999",  1, L"0"},
        {L"circle='0'",                      L"99999999999",  1, L"100"},
        {L"",                                L"99999999999",  2, L"100"},
        {L"",                                L"-99999999999", 2, L"100"},
        {L"circle='0'",                      L"-99999999999", 1, L"0"},
        {L"max='2147483647' step='1000'",    L"2147483000",   1, L"0"},
        {L"max='2147483647' circle='0' step='1000'", L"2147483000", 1, L"2147483647"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.attributes) + L" " + c.text) + " " + std::to_string(c.arrow));
        m_steps = SpinRecorder{};
        SSpinButton* const spin = Spin(c.attributes, c.text);
        ASSERT_NE(nullptr, spin);
        spin->StepValue(c.arrow);
        EXPECT_TRUE(Buddy() == c.shown) << Buddy().c_str();
        ASSERT_EQ(1u, m_steps.values.size());
        EXPECT_EQ(_wtoi(c.shown), m_steps.values[0]);
        EXPECT_EQ(std::wstring(c.shown), m_steps.texts[0]);
        m_host->FindChildByName(L"ed")->DestroyWindow();
        m_host->FindChildByName(L"box")->DestroyWindow();
    }
}

TEST_F(SSpinButtonTest, ASubscriberThatStopsTheEventKeepsTheBuddysText)
{
    SSpinButton* const spin = Spin(L"", L"7");
    ASSERT_NE(nullptr, spin);
    m_steps.keepText = true;
    spin->StepValue(SSpinButton::kArrowUp);
    EXPECT_EQ(std::vector<int>{8}, m_steps.values);
    EXPECT_TRUE(Buddy() == L"7");
}

TEST_F(SSpinButtonTest, WithoutABuddyItReportsTheArrow)
{
    Build(L"<root><text pos='50,10,@60,@20'>5</text><spin name='spin' pos='10,0,@20,@200'/>"
          L"<spin name='lost' pos='40,0,@20,@200' buddy='nobody'/></root>");
    for (const wchar_t* name : {L"spin", L"lost"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        m_steps = SpinRecorder{};
        SSpinButton* const spin = Find<SSpinButton>(name);
        ASSERT_NE(nullptr, spin);
        spin->GetEventSet()->SubscribeEvent(EventSpinValue2String::EventID, Subscriber(&SpinRecorder::OnText, &m_steps));
        EXPECT_EQ(nullptr, spin->GetBuddy());
        spin->StepValue(SSpinButton::kArrowUp);
        spin->StepValue(SSpinButton::kArrowDown);
        EXPECT_EQ((std::vector<int>{1, 2}), m_steps.values);
        EXPECT_EQ((std::vector<std::wstring>{L"", L""}), m_steps.texts);
    }
    EXPECT_TRUE(m_host->GetWindow(GSW_FIRSTCHILD)->GetWindowText() == L"5");
}

TEST_F(SSpinButtonTest, AHeldArrowRepeatsOnTheFiftyFirstFrameThenEverySixthWhileOverIt)
{
    SSpinButton* const spin = Spin(L"max='1000'");
    ASSERT_NE(nullptr, spin);
    m_host->Mouse(WM_MOUSEMOVE, 20, 20);
    m_host->Mouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    EXPECT_EQ(std::vector<int>{1}, m_steps.values);   // at the press
    EXPECT_EQ(SSpinButton::kArrowUp, spin->GetPressedArrow());
    EXPECT_EQ(spin->GetSwnd(), m_host->OnGetSwndCapture());
    EXPECT_TRUE(spin->IsFocused());

    std::vector<int> stepFrames;
    for (int frame = 1; frame <= 70; ++frame) {
        if (frame == 66)
            m_host->Mouse(WM_MOUSEMOVE, 20, 150, MK_LBUTTON);   // over the other arrow: it pauses
        const size_t before = m_steps.values.size();
        m_host->OnNextFrame();
        if (m_steps.values.size() != before)
            stepFrames.push_back(frame);
    }
    EXPECT_EQ((std::vector<int>{51, 57, 63}), stepFrames);
    EXPECT_TRUE(Buddy() == L"4");

    // Back over the pressed arrow it goes on.
    m_host->Mouse(WM_MOUSEMOVE, 20, 20, MK_LBUTTON);
    for (int frame = 0; frame < 6; ++frame)
        m_host->OnNextFrame();
    EXPECT_TRUE(Buddy() == L"5");

    m_host->Mouse(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(-1, spin->GetPressedArrow());
    EXPECT_EQ(0u, m_host->OnGetSwndCapture());
    EXPECT_FALSE(spin->IsFocused());
    EXPECT_FALSE(m_host->UnregisterTimelineHandler(spin));   // it left the timeline
}

TEST_F(SSpinButtonTest, AHiddenOrDestroyedPressLeavesTheTimeline)
{
    SSpinButton* const spin = Spin(L"");
    ASSERT_NE(nullptr, spin);
    m_host->Mouse(WM_MOUSEMOVE, 20, 150);
    m_host->Mouse(WM_LBUTTONDOWN, 20, 150, MK_LBUTTON);
    EXPECT_EQ(SSpinButton::kArrowDown, spin->GetPressedArrow());
    EXPECT_TRUE(Buddy() == L"100");   // 0 down goes round

    spin->SetVisible(FALSE);
    EXPECT_FALSE(m_host->UnregisterTimelineHandler(spin));
    spin->SetVisible(TRUE);
    EXPECT_TRUE(m_host->UnregisterTimelineHandler(spin));   // back on it while still pressed
    EXPECT_TRUE(m_host->RegisterTimelineHandler(spin));

    // Its parent destroyed while the arrow is held: nothing stays behind to tick.
    ITimelineHandler* const handler = spin;
    m_host->FindChildByName(L"box")->DestroyWindow();
    EXPECT_FALSE(m_host->UnregisterTimelineHandler(handler));
    m_host->OnNextFrame();
}

TEST_F(SSpinButtonTest, DrawsBothArrowsAndShowsTheStateOnTheOneUnderTheMouse)
{
    // Cells of 8 x 40: up arrow states 0 to 2, down arrow 3 to 5. In 200 pixels
    // the arrows stand (200 - 40) / 4 = 40 from either end.
    SSpinButton* const spin = Spin(L"spinSkin='cells'");
    ASSERT_NE(nullptr, spin);
    m_host->Mouse(WM_MOUSEMOVE, 150, 150);
    Paint();
    Keep(L"spin");
    // A cell's colour is that of its top row; each 8 rows below it are greener.
    const int x = 20;   // centred: 16 to 24
    EXPECT_EQ(CellColour(0), Pixel(x, 40));
    EXPECT_NE(0u, Pixel(x, 79));
    EXPECT_EQ(0u, Pixel(x, 39));
    EXPECT_EQ(0u, Pixel(x, 80));
    EXPECT_EQ(CellColour(3), Pixel(x, 120));
    EXPECT_NE(0u, Pixel(x, 159));
    EXPECT_EQ(0u, Pixel(x, 119));
    EXPECT_EQ(0u, Pixel(x, 160));
    EXPECT_EQ(0u, Pixel(15, 60));

    const struct {
        UINT message;
        int y;
        int upState, downState;
    } steps[] = {
        {WM_MOUSEMOVE,   60,  1, 3},   // hovered
        {WM_LBUTTONDOWN, 60,  2, 3},   // pushed
        {WM_LBUTTONUP,   60,  1, 3},
        {WM_MOUSEMOVE,   140, 0, 4},
        {WM_LBUTTONDOWN, 140, 0, 5},
        {WM_LBUTTONUP,   140, 0, 4},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << s.message << " " << s.y);
        m_host->Mouse(s.message, x, s.y, s.message == WM_LBUTTONDOWN ? MK_LBUTTON : 0);
        Paint();
        EXPECT_EQ(CellColour(s.upState), Pixel(x, 40));
        EXPECT_EQ(CellColour(s.downState), Pixel(x, 120));
    }

    spin->EnableWindow(FALSE, TRUE);
    Paint();
    EXPECT_EQ(CellColour(0), Pixel(x, 40));
    EXPECT_EQ(CellColour(3), Pixel(x, 120));
}
