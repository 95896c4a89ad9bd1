// The radio box: one checked box among its parent's radio boxes, the others
// unchecked without events, clicks and the focus that check, and the focus given
// back on activation that does not.

#include "ControlTest.h"

#include "controls/SButton.h"
#include "controls/SCheckBox.h"
#include "controls/SRadioBox.h"

#include <gtest/gtest.h>

using namespace SAKU;
using namespace saku_test;

namespace {

using SRadioBoxTest = ControlTest;

// Counts the state changes a window raised.
struct StateChanges {
    int count = 0;
    BOOL OnChanged(EventArgs*)
    {
        ++count;
        return TRUE;
    }
};

const wchar_t kGroup[] =
    L"<root>"
    L"<radio name='r1' pos='10,10,@100,@20' checked='1'>One</radio>"
    L"<radio name='r2' pos='10,40,@100,@20'>Two</radio>"
    L"<check name='c' pos='10,70,@100,@20' checked='1'>Other</check>"
    L"<radio name='r3' pos='10,100,@100,@20'>Three</radio>"
    L"<window pos='10,130,@150,@40'><radio name='n1' pos='0,0,@100,@20' checked='1'>Nested</radio></window>"
    L"</root>";

}  // namespace

TEST_F(SRadioBoxTest, ClickChecksOneAndUnchecksItsSiblingWithoutItsEvents)
{
    Build(kGroup);
    SRadioBox* const r1 = Find<SRadioBox>(L"r1");
    SRadioBox* const r2 = Find<SRadioBox>(L"r2");
    SRadioBox* const r3 = Find<SRadioBox>(L"r3");
    ASSERT_TRUE(r1->IsChecked());
    EXPECT_EQ(r1, r2->GetSelectedSiblingInGroup());
    StateChanges r1Changes;
    r1->GetEventSet()->SubscribeEvent(EventSwndStateChanged::EventID,
                                      Subscriber(&StateChanges::OnChanged, &r1Changes));
    CommandCounter counter;
    CountCommands(r2, counter);

    m_host->Mouse(WM_MOUSEMOVE, 50, 50);
    m_host->Mouse(WM_LBUTTONDOWN, 50, 50, MK_LBUTTON);
    m_host->Mouse(WM_LBUTTONUP, 50, 50);
    EXPECT_TRUE(r2->IsChecked());
    EXPECT_FALSE(r1->IsChecked());
    EXPECT_FALSE(r3->IsChecked());
    EXPECT_EQ(0, r1Changes.count);
    EXPECT_EQ(1, counter.commands);
    EXPECT_EQ(r2, r1->GetSelectedSiblingInGroup());
    // The group is the parent's radio boxes only: the check box and the nested radio stay.
    EXPECT_TRUE(Find<SCheckBox>(L"c")->IsChecked());
    EXPECT_TRUE(Find<SRadioBox>(L"n1")->IsChecked());

    // A checked box clicked again stays checked.
    m_host->Mouse(WM_LBUTTONDOWN, 50, 50, MK_LBUTTON);
    m_host->Mouse(WM_LBUTTONUP, 50, 50);
    EXPECT_TRUE(r2->IsChecked());
    EXPECT_EQ(2, counter.commands);

    r3->SetCheck(TRUE);
    EXPECT_FALSE(r2->IsChecked());
    EXPECT_EQ(r3, r1->GetSelectedSiblingInGroup());
    Paint();
    Keep(L"radio_group");
}

TEST_F(SRadioBoxTest, LayoutCheckingRaisesNothingAndTheLastCheckedWins)
{
    const int start = m_host->EventCount();
    Build(L"<root><radio name='a'/><radio name='b'/></root>");
    const int plain = m_host->EventCount() - start;
    Find<SRadioBox>(L"a")->DestroyWindow();
    Find<SRadioBox>(L"b")->DestroyWindow();
    const int before = m_host->EventCount();
    Build(L"<root><radio name='a' checked='1'/><radio name='b' checked='1'/></root>");
    EXPECT_EQ(plain, m_host->EventCount() - before);
    EXPECT_FALSE(Find<SRadioBox>(L"a")->IsChecked());
    EXPECT_TRUE(Find<SRadioBox>(L"b")->IsChecked());
}

TEST_F(SRadioBoxTest, FocusByTabChecksButFocusGivenBackOnActivationDoesNot)
{
    Build(L"<root><button name='b' pos='10,10,@50,@20' skin='four'/>"
          L"<radio name='r1' pos='10,40,@100,@20'>One</radio>"
          L"<radio name='r2' pos='10,70,@100,@20'>Two</radio></root>");
    SRadioBox* const r1 = Find<SRadioBox>(L"r1");
    SRadioBox* const r2 = Find<SRadioBox>(L"r2");
    Find<SButton>(L"b")->SetFocus();

    m_host->DoFrameEvent(WM_KEYDOWN, VK_TAB, 0);
    ASSERT_TRUE(r1->IsFocused());
    EXPECT_TRUE(r1->IsChecked());

    r2->SetFocus();   // a focus of the program's checks as well
    EXPECT_TRUE(r2->IsChecked());
    EXPECT_FALSE(r1->IsChecked());

    r1->SetCheck(TRUE);   // r2 keeps the focus, unchecked
    ASSERT_TRUE(r2->IsFocused());
    m_host->DoFrameEvent(WM_ACTIVATE, WA_INACTIVE, 0);
    m_host->DoFrameEvent(WM_ACTIVATE, WA_ACTIVE, 0);
    ASSERT_TRUE(r2->IsFocused());
    EXPECT_FALSE(r2->IsChecked());
    EXPECT_TRUE(r1->IsChecked());
}

TEST_F(SRadioBoxTest, FocusSkinDrawsOnlyWhenTheFocusRectIsWanted)
{
    Build(L"<root><radio name='r' pos='10,10,@100,@50' skin='cells' focusSkin='sized'>R</radio>"
          L"<radio name='plain' pos='10,100,@100,@50' skin='cells' focusSkin='sized' drawFocusRect='0'>R</radio></root>");
    const std::uint32_t checkedCell = CellColour(4);
    Find<SRadioBox>(L"r")->SetFocus();
    Paint();
    EXPECT_EQ(kNormalRed, Pixel(11, 15));   // state 0 of the focus skin over the box
    Find<SRadioBox>(L"plain")->SetFocus();
    Paint();
    Keep(L"radio_focus_without_rect");
    EXPECT_EQ(checkedCell, Pixel(11, 105));
    EXPECT_EQ(CellColour(0), Pixel(11, 15));   // the first lost the focus and, in the same group, its check
}
