// The group frame: two rounded lines around the window, the title set into the
// top line, and the header band the layout leaves above the children.

#include "ControlTest.h"

#include "controls/SGroup.h"

#include <gtest/gtest.h>

using namespace SAKU;
using namespace saku_test;

namespace {

using SGroupTest = ControlTest;

constexpr std::uint32_t kLime = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;

}  // namespace

TEST_F(SGroupTest, LightLineInsideTheDarkOneAroundTheWindow)
{
    Build(L"<root><group name='g' pos='10,10,@150,@100' colorLine1='#00ff00' colorLine2='#0000ff' round='0'/></root>");
    Paint();
    Keep(L"group_untitled");
    // The dark line on x 10-159, y 10-108; the light one on x 11-158, y 11-109.
    const struct {
        int x, y;
        std::uint32_t expected;
    } cases[] = {
        {10, 60, kBlue}, {11, 60, kLime}, {12, 60, 0},
        {159, 60, kBlue}, {158, 60, kLime}, {157, 60, 0},
        {80, 10, kBlue}, {80, 11, kLime}, {80, 12, 0},
        {80, 108, kBlue}, {80, 109, kLime}, {80, 107, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, Pixel(c.x, c.y)) << c.x << "," << c.y;
}

TEST_F(SGroupTest, TitleInterruptsTheTopLineAndHeaderBandHoldsNoChild)
{
    Build(L"<root><group name='g' pos='10,10,@150,@100' colorLine1='#00ff00' colorLine2='#0000ff' align='center'>"
          L"Title<window name='child' pos='0,0,@10,@10' colorBkgnd='#ff0000'/></group></root>");
    SGroup* const group = Find<SGroup>(L"g");
    Paint();
    Keep(L"group_titled");
    // The top line runs at half the text's height; it stops around the centred title.
    int lineY = -1;
    for (int y = 10; y < 40 && lineY < 0; ++y) {
        if (Pixel(20, y) == kBlue)
            lineY = y;
    }
    ASSERT_GT(lineY, 10);
    EXPECT_NE(kBlue, Pixel(85, lineY));
    EXPECT_EQ(kBlue, Pixel(150, lineY));
    int inked = 0;   // the title itself
    for (int x = 60; x < 110; ++x) {
        for (int y = 10; y < lineY + 10; ++y)
            inked += Pixel(x, y) != 0 && Pixel(x, y) != kBlue && Pixel(x, y) != kLime;
    }
    EXPECT_GT(inked, 0);

    // The children start 20 pixels (20dp at 100%) below the client's top.
    const RECT client = group->GetClientRect();
    EXPECT_EQ(client.top + 20, group->GetChildrenLayoutRect().top);
    const RECT child = Find<SWindow>(L"child")->GetWindowRect();
    EXPECT_EQ(client.top + 20, child.top);
    EXPECT_EQ(kNormalRed, Pixel(child.left + 1, child.top + 1));
}

TEST_F(SGroupTest, WrapContentAddsTheHeaderHeight)
{
    Build(L"<root><group name='g' pos='10,10' headerHeight='30'>"
          L"<window pos='0,0,@40,@25'/></group></root>");
    const RECT rect = Find<SGroup>(L"g")->GetWindowRect();
    EXPECT_EQ(25 + 2 + 30, rect.bottom - rect.top);   // the child, the margin and the header
}

TEST_F(SGroupTest, AttributesAndTheirDefaults)
{
    SGroup group;
    EXPECT_EQ(0xFFF0F0F0u, group.GetColorLine1());
    EXPECT_EQ(0xFFA0A0A0u, group.GetColorLine2());
    EXPECT_EQ(4, group.GetRound().ToPixelSize(100));
    EXPECT_EQ(kUnitDp, group.GetRound().GetUnit());
    EXPECT_EQ(20, group.GetHeaderHeight().ToPixelSize(100));
    EXPECT_EQ(E_FAIL, group.ApplyAttribute(L"colorLine1", L"", FALSE));   // an empty colour is refused
    EXPECT_EQ(0xFFF0F0F0u, group.GetColorLine1());
    EXPECT_EQ(S_FALSE, group.ApplyAttribute(L"COLORLINE2", L"#102030", FALSE));
    EXPECT_EQ(0xFF302010u, group.GetColorLine2());
}
