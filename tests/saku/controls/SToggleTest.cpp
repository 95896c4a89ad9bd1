// The toggle: its skin by state over the window, three states on while toggled,
// a click that flips it, and its size from the skin.

#include "ControlTest.h"

#include "controls/SToggle.h"
#include "core/ISkinObj.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

using SToggleTest = ControlTest;

}  // namespace

TEST_F(SToggleTest, SkinStateFollowsPressHoverAndToggled)
{
    Build(L"<root><toggle name='t' pos='10,10' skin='cells'/></root>");
    SToggle* const toggle = Find<SToggle>(L"t");
    const RECT rect = toggle->GetWindowRect();
    EXPECT_EQ(8, rect.right - rect.left);   // the skin's size
    EXPECT_EQ(40, rect.bottom - rect.top);
    const struct {
        const wchar_t* toggled;
        DWORD state;
        int index;
    } cases[] = {
        {L"0", 0,                                   0},
        {L"0", WndState_Hover,                      1},
        {L"0", WndState_Hover | WndState_PushDown,  2},
        {L"0", WndState_Disable,                    0},   // disabled looks normal
        {L"1", 0,                                   3},
        {L"1", WndState_Hover,                      4},
        {L"1", WndState_PushDown,                   5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.toggled << " " << c.state);
        EXPECT_EQ(S_OK, toggle->ApplyAttribute(L"toggled", c.toggled, FALSE));
        toggle->ModifyState(c.state, ~0u);
        Paint();
        EXPECT_EQ(CellColour(c.index), Pixel(10, 10));   // over the window, margin included
        EXPECT_EQ(CellColour(c.index), Pixel(17, 10));
    }
    Keep(L"toggle_toggled_pushed");
}

TEST_F(SToggleTest, ClickFlipsButAReleaseWithoutAPressOnItDoesNot)
{
    Build(L"<root><toggle name='t' pos='10,10,@40,@40' skin='cells'/></root>");
    SToggle* const toggle = Find<SToggle>(L"t");
    CommandCounter counter;
    CountCommands(toggle, counter);

    m_host->Mouse(WM_MOUSEMOVE, 20, 20);
    m_host->Mouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    m_host->Mouse(WM_LBUTTONUP, 20, 20);
    EXPECT_TRUE(toggle->IsToggled());
    EXPECT_EQ(1, counter.commands);

    // A press outside the host, released over the toggle: the host sees the release only.
    m_host->Mouse(WM_MOUSEMOVE, 20, 20, MK_LBUTTON);
    m_host->Mouse(WM_LBUTTONUP, 20, 20);
    EXPECT_TRUE(toggle->IsToggled());
    EXPECT_EQ(1, counter.commands);

    m_host->Mouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    m_host->Mouse(WM_LBUTTONUP, 20, 20);
    EXPECT_FALSE(toggle->IsToggled());
    EXPECT_EQ(2, counter.commands);
}

TEST_F(SToggleTest, WithoutSkinItWantsNoSpaceAndDrawsNothing)
{
    Build(L"<root><toggle name='t' pos='10,10' skin='no such skin' colorBkgnd='#ff0000'/></root>");
    SToggle* const toggle = Find<SToggle>(L"t");
    EXPECT_EQ(nullptr, toggle->GetToggleSkin());
    const RECT rect = toggle->GetWindowRect();
    EXPECT_TRUE(::IsRectEmpty(&rect));
}
