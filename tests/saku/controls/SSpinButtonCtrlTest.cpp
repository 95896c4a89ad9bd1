// The spin control of two buttons on a windowless host: the buttons it takes and
// places, its steps with and without wrapping round, the text its buddy shows and
// what a subscriber makes of it, and a control built without its buttons.

#include "ControlTest.h"

#include "controls/SSpinButtonCtrl.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

// Rewrites the buddy's text as "x<value>%".
struct PercentText {
    int raised = 0;
    BOOL OnText(EventArgs* args)
    {
        auto* const text = static_cast<EventSpinValue2String*>(args);
        text->text.Format(L"x%d%%", text->value);
        ++raised;
        return TRUE;
    }
};

class SSpinButtonCtrlTest : public ControlTest {
protected:
    // The control at (10, 10, 30, 40) after its buddy "ed", with the attributes
    // and its two buttons.
    SSpinButtonCtrl* Spin(const std::wstring& attributes)
    {
        Build((L"<root><text name='ed' pos='50,10,@60,@20'/>"
               L"<spinButton name='spin' pos='10,10,@20,@30' margin='0' buddy='ed' " + attributes + L">"
               L"<button name='btn_up' skin='four'/><button name='btn_down' skin='four'/>"
               L"</spinButton></root>").c_str());
        return Find<SSpinButtonCtrl>(L"spin");
    }
    SStringW Buddy() { return m_host->FindChildByName(L"ed")->GetWindowText(); }
};

}  // namespace

TEST_F(SSpinButtonCtrlTest, TakesItsTwoButtonsAndStacksThemInItsHalves)
{
    SSpinButtonCtrl* const spin = Spin(L"");
    ASSERT_NE(nullptr, spin);
    SWindow* const up = spin->GetUpButton();
    SWindow* const down = spin->GetDownButton();
    ASSERT_NE(nullptr, up);
    ASSERT_NE(nullptr, down);
    EXPECT_STREQ(L"btn_up", up->GetName());
    EXPECT_STREQ(L"btn_down", down->GetName());
    EXPECT_FALSE(up->IsFocusable());
    EXPECT_FALSE(down->IsFocusable());
    const RECT upRect = up->GetWindowRect();
    const RECT downRect = down->GetWindowRect();
    const RECT upperHalf = {10, 10, 30, 25};
    const RECT lowerHalf = {10, 25, 30, 40};
    EXPECT_TRUE(::EqualRect(&upperHalf, &upRect));
    EXPECT_TRUE(::EqualRect(&lowerHalf, &downRect));
    EXPECT_TRUE(Buddy() == L"0");   // the buddy shows the value once built

    // An odd height: each half rounded down, the down button right below the up one.
    spin->OnRelayout(RECT{10, 10, 30, 41});
    EXPECT_EQ(25, up->GetWindowRect().bottom);
    EXPECT_EQ(40, down->GetWindowRect().bottom);
    EXPECT_TRUE(spin->IsClass(L"spinButton"));
    EXPECT_TRUE(spin->IsClass(L"window"));
}

TEST_F(SSpinButtonCtrlTest, StepsByItsButtonsAndWrapsRoundOnlyWithCircle)
{
    const struct {
        const wchar_t* attributes;
        bool up;
        const wchar_t* shown;
    } cases[] = {
        {L"value='100' max='100' step='1' circle='1'", true,  L"0"},
        {L"value='100' max='100' step='1' circle='0'", true,  L"100"},
        {L"value='0' max='100' step='1' circle='1'",   false, L"100"},
        {L"value='0' max='100' step='1' circle='0'",   false, L"0"},
        {L"value='40' min='10' max='0x40' step='0x0A'", true, L"50"},
        {L"value='60' min='10' max='64' step='10' circle='0'", true, L"64"},
        {L"value='15' min='10' max='64' step='10'",     false, L"64"},
        // A value set beyond the range comes into it.
        {L"value='500' max='100' step='1'",             false, L"100"},
        {L"value='2147483647' min='-5' max='2147483647' step='100' circle='0'", true, L"2147483647"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.attributes)) + (c.up ? " up" : " down"));
        SSpinButtonCtrl* const spin = Spin(c.attributes);
        ASSERT_NE(nullptr, spin);
        (c.up ? spin->GetUpButton() : spin->GetDownButton())->FireCommand();
        EXPECT_TRUE(Buddy() == c.shown) << Buddy().c_str();
        EXPECT_EQ(_wtoi(c.shown), spin->GetValue());
        m_host->FindChildByName(L"ed")->DestroyWindow();
        spin->DestroyWindow();
    }
}

TEST_F(SSpinButtonCtrlTest, ASubscribersTextReachesTheBuddy)
{
    SSpinButtonCtrl* const spin = Spin(L"value='99' max='100'");
    ASSERT_NE(nullptr, spin);
    PercentText percent;
    spin->GetEventSet()->SubscribeEvent(EventSpinValue2String::EventID, Subscriber(&PercentText::OnText, &percent));
    spin->GetUpButton()->FireCommand();
    EXPECT_TRUE(Buddy() == L"x100%") << Buddy().c_str();
    EXPECT_EQ(1, percent.raised);

    // A value set after loading shows at once; one set while loading waits for the buttons.
    spin->ApplyAttribute(L"value", L"42", FALSE);
    EXPECT_TRUE(Buddy() == L"x42%");
    EXPECT_EQ(E_INVALIDARG, spin->ApplyAttribute(L"value", L"many", FALSE));
    EXPECT_EQ(42, spin->GetValue());
}

TEST_F(SSpinButtonCtrlTest, WithoutABuddyItStepsQuietly)
{
    // One names a buddy that is not there, the other none: an unnamed window is no buddy.
    Build(L"<root><text pos='50,10,@60,@20'>unnamed</text>"
          L"<spinButton name='missing' pos='10,10,@20,@30' buddy='nobody'>"
          L"<button name='btn_up'/><button name='btn_down'/></spinButton>"
          L"<spinButton name='none' pos='10,50,@20,@30'>"
          L"<button name='btn_up'/><button name='btn_down'/></spinButton></root>");
    for (const wchar_t* name : {L"missing", L"none"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        SSpinButtonCtrl* const spin = Find<SSpinButtonCtrl>(name);
        ASSERT_NE(nullptr, spin);
        PercentText percent;
        spin->GetEventSet()->SubscribeEvent(EventSpinValue2String::EventID, Subscriber(&PercentText::OnText, &percent));
        spin->GetUpButton()->FireCommand();
        EXPECT_EQ(1, spin->GetValue());
        EXPECT_EQ(0, percent.raised);
    }
    EXPECT_TRUE(m_host->GetWindow(GSW_FIRSTCHILD)->GetWindowText() == L"unnamed");
}

TEST_F(SSpinButtonCtrlTest, WithoutBothButtonsItStaysHarmlessAndPlacesAndStepsNothing)
{
    // Only the up button: the children step fails, and the control stays in the tree.
    Build(L"<root><text name='ed' pos='50,10,@60,@20'>keep</text>"
          L"<spinButton name='spin' pos='10,10,@20,@30' buddy='ed' value='5'>"
          L"<button name='btn_up' pos='0,0,@5,@5'/></spinButton></root>");
    SSpinButtonCtrl* const spin = Find<SSpinButtonCtrl>(L"spin");
    ASSERT_NE(nullptr, spin);
    EXPECT_EQ(nullptr, spin->GetUpButton());
    EXPECT_EQ(nullptr, spin->GetDownButton());
    SWindow* const up = spin->FindChildByName(L"btn_up");
    ASSERT_NE(nullptr, up);
    const RECT unplaced = up->GetWindowRect();
    EXPECT_TRUE(::IsRectEmpty(&unplaced));
    up->FireCommand();
    spin->OnRelayout(RECT{10, 10, 30, 60});
    m_host->UpdateLayout();
    Paint();
    EXPECT_EQ(5, spin->GetValue());
    EXPECT_TRUE(Buddy() == L"keep");
}

TEST_F(SSpinButtonCtrlTest, MeasuresItsGivenSizeElseSixteenWideAndTheOfferedHeight)
{
    const struct {
        const wchar_t* size;
        SIZE measured;
    } cases[] = {
        {L"width='24' height='30'", {24, 30}},
        {L"height='30'",            {16, 30}},
        {L"width='24'",             {24, 77}},   // the height offered by the parent
        {L"",                       {16, 77}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.size)));
        Build((L"<root><spinButton name='m' " + std::wstring(c.size) +
               L"><button name='btn_up'/><button name='btn_down'/></spinButton></root>").c_str());
        SSpinButtonCtrl* const spin = Find<SSpinButtonCtrl>(L"m");
        ASSERT_NE(nullptr, spin);
        const RECT offered = {0, 0, 50, 77};
        const SIZE size = spin->MeasureDesiredSize(&offered);
        EXPECT_EQ(c.measured.cx, size.cx);
        EXPECT_EQ(c.measured.cy, size.cy);
        spin->DestroyWindow();
    }
}
