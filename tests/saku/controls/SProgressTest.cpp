// The progress bar: the value clamped to its range, the position skin over the
// part done in either direction, the percentage, the built-in skins it cannot do
// without, and an empty range.

#include "ControlTest.h"

#include "controls/SProgress.h"
#include "core/ISkinObj.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

class SProgressTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        AddSkins(L"<skin><colorrect name='bk' normal='#ff0000'/><colorrect name='pos' normal='#0000ff'/></skin>");
    }
    // Pixels of the canvas that are neither skin nor empty: the text.
    int Ink(const RECT& rect)
    {
        const Pixels pixels = ReadPixels(m_host->Canvas());
        int ink = 0;
        for (int x = rect.left; x < rect.right; ++x) {
            for (int y = rect.top; y < rect.bottom; ++y) {
                const std::uint32_t pixel = PixelAt(pixels, kWidth, x, y);
                ink += pixel != kNormalRed && pixel != kBlue && pixel != 0;
            }
        }
        return ink;
    }

    static constexpr std::uint32_t kBlue = 0xFF0000FF;
};

}  // namespace

TEST_F(SProgressTest, SetValueClampsToTheRange)
{
    Build(L"<root><progress name='p' pos='10,10,@100,@20' bkgndSkin='bk' posSkin='pos' min='10' max='50'/></root>");
    SProgress* const bar = Find<SProgress>(L"p");
    const struct {
        int value;
        int stored;
    } cases[] = {{-5, 10}, {10, 10}, {30, 30}, {50, 50}, {99, 50}};
    for (const auto& c : cases) {
        EXPECT_TRUE(bar->SetValue(c.value));
        EXPECT_EQ(c.stored, bar->GetValue()) << c.value;
    }
}

TEST_F(SProgressTest, PositionSkinCoversThePartDoneAlongTheBar)
{
    // The client rectangles (margin 1): x 11-108 (98 wide), y 11-28; the vertical bar y 11-108.
    Build(L"<root><progress name='h' pos='10,10,@100,@20' bkgndSkin='bk' posSkin='pos'/>"
          L"<progress name='v' pos='150,10,@20,@100' bkgndSkin='bk' posSkin='pos' vertical='1'/></root>");
    SProgress* const horizontal = Find<SProgress>(L"h");
    SProgress* const vertical = Find<SProgress>(L"v");
    const struct {
        int value;
        int edge;   // the first pixel past the part done: 11 + value x 98 / 100
    } cases[] = {{50, 60}, {25, 35}, {100, 109}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        horizontal->SetValue(c.value);
        vertical->SetValue(c.value);
        Paint();
        EXPECT_EQ(kBlue, Pixel(11, 20));
        EXPECT_EQ(kBlue, Pixel(c.edge - 1, 20));
        EXPECT_EQ(c.edge < 109 ? kNormalRed : 0u, Pixel(c.edge, 20));
        EXPECT_EQ(kBlue, Pixel(160, 11));   // the vertical bar grows down from its top
        EXPECT_EQ(kBlue, Pixel(160, c.edge - 1));
        EXPECT_EQ(c.edge < 109 ? kNormalRed : 0u, Pixel(160, c.edge));
    }
    Keep(L"progress_full");

    horizontal->SetValue(0);   // at the minimum nothing of the position shows
    Paint();
    EXPECT_EQ(kNormalRed, Pixel(11, 20));
}

TEST_F(SProgressTest, PercentShowsOnHorizontalBarsOnly)
{
    Build(L"<root><progress name='h' pos='10,10,@150,@30' bkgndSkin='bk' posSkin='pos' showPercent='1'/>"
          L"<progress name='v' pos='10,60,@30,@100' bkgndSkin='bk' posSkin='pos' showPercent='1' vertical='1'/></root>");
    SProgress* const horizontal = Find<SProgress>(L"h");
    Find<SProgress>(L"v")->SetValue(100);
    const RECT textArea = {10, 10, 160, 40};
    const RECT verticalArea = {10, 60, 40, 160};

    horizontal->SetValue(5);
    Paint();
    const int fivePercent = Ink(textArea);
    horizontal->SetValue(100);
    Paint();
    Keep(L"progress_percent");
    const int hundredPercent = Ink(textArea);
    EXPECT_GT(fivePercent, 0);
    EXPECT_GT(hundredPercent, fivePercent);   // "100%" has two digits more than "5%"
    EXPECT_EQ(0, Ink(verticalArea));
}

TEST_F(SProgressTest, EmptyRangeDrawsAnEmptyBar)
{
    Build(L"<root><progress name='p' pos='10,10,@150,@30' bkgndSkin='bk' posSkin='pos' min='40' max='40' "
          L"value='40' showPercent='1'/></root>");
    SProgress* const bar = Find<SProgress>(L"p");
    EXPECT_TRUE(bar->SetValue(70));
    EXPECT_EQ(40, bar->GetValue());
    Paint();
    Keep(L"progress_empty_range");
    EXPECT_EQ(kNormalRed, Pixel(11, 12));
    EXPECT_EQ(kNormalRed, Pixel(158, 12));
    const RECT textArea = {10, 10, 160, 40};
    EXPECT_GT(Ink(textArea), 0);   // "0%"
}

TEST_F(SProgressTest, MissingSkinsComeFromTheBuiltInOnesOrTheBarIsRefused)
{
    Build(L"<root><progress name='none' pos='10,10,@100,@20'/></root>");
    EXPECT_EQ(nullptr, m_host->FindChildByName(L"none"));   // it destroyed itself

    pugi::xml_document system;
    ASSERT_TRUE(system.load_string(L"<skin><colorrect name='_skin.sys.prog.bkgnd' normal='#ff0000'/>"
                                   L"<colorrect name='_skin.sys.prog.bar' normal='#00ff00'/>"
                                   L"<colorrect name='_skin.sys.vert.prog.bkgnd' normal='#0000ff'/>"
                                   L"<colorrect name='_skin.sys.vert.prog.bar' normal='#808080'/></skin>"));
    SSkinPoolMgr::GetInstance()->GetBuiltinPool()->LoadSkins(system.first_child());
    Build(L"<root><progress name='h' pos='10,10,@100,@20' posSkin='pos'/>"
          L"<progress name='v' pos='10,40,@20,@100' vertical='1'/></root>");
    SProgress* const horizontal = Find<SProgress>(L"h");
    SProgress* const vertical = Find<SProgress>(L"v");
    ASSERT_TRUE(horizontal && vertical);
    EXPECT_STREQ(L"_skin.sys.prog.bkgnd", horizontal->GetBkgndSkin()->GetName());
    EXPECT_STREQ(L"pos", horizontal->GetPosSkin()->GetName());
    EXPECT_STREQ(L"_skin.sys.vert.prog.bkgnd", vertical->GetBkgndSkin()->GetName());
    EXPECT_STREQ(L"_skin.sys.vert.prog.bar", vertical->GetPosSkin()->GetName());
}

TEST_F(SProgressTest, WrapContentTakesTheSkinAcrossAndTheLayoutAlong)
{
    Build(L"<root><progress name='h' pos='10,10' width='80' bkgndSkin='sized' posSkin='pos'/>"
          L"<progress name='v' pos='10,60' bkgndSkin='sized' posSkin='pos' vertical='1'/></root>");
    const RECT horizontal = Find<SProgress>(L"h")->GetWindowRect();
    EXPECT_EQ(80, horizontal.right - horizontal.left);
    EXPECT_EQ(30 + 2, horizontal.bottom - horizontal.top);   // the skin's height and the margin
    const RECT vertical = Find<SProgress>(L"v")->GetWindowRect();
    EXPECT_EQ(30 + 2, vertical.right - vertical.left);
    EXPECT_EQ(30 + 2, vertical.bottom - vertical.top);
}
