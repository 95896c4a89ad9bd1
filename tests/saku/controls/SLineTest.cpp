// The line: one stroke along the window's top, left or diagonal, in its colour,
// width and pen style, and the words its attributes take.

#include "ControlTest.h"

#include "controls/SLine.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

using SLineTest = ControlTest;

}  // namespace

TEST_F(SLineTest, ModeRunsTheLineFromTheTopLeftCorner)
{
    const struct {
        const wchar_t* mode;
        POINT on;
        POINT off;
    } cases[] = {
        {L"horizontal", {60, 10}, {10, 60}},
        {L"vertical",   {10, 60}, {60, 10}},
        {L"tilt",       {60, 60}, {60, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.mode)));
        Build((std::wstring(L"<root><hr name='l' pos='10,10,@100,@100' colorLine='#ff0000' mode='") + c.mode +
               L"'/></root>").c_str());
        Paint();
        Keep((std::wstring(L"hr_") + c.mode).c_str());
        EXPECT_EQ(kNormalRed, Pixel(c.on.x, c.on.y));
        EXPECT_EQ(0u, Pixel(c.off.x, c.off.y));
        Find<SLine>(L"l")->DestroyWindow();
    }
}

TEST_F(SLineTest, SizeWidensAndLineStyleBreaksTheStroke)
{
    Build(L"<root><hr name='thick' pos='10,20,@100,@10' size='3'/>"
          L"<hr name='dash' pos='10,60,@100,@10' lineStyle='dash'/></root>");
    Paint();
    Keep(L"hr_size_and_dash");
    int thick = 0;
    for (int y = 15; y < 26; ++y)
        thick += Pixel(50, y) == 0xFF000000;   // opaque black by default
    EXPECT_EQ(3, thick);
    int dashed = 0;
    for (int x = 10; x < 110; ++x)
        dashed += Pixel(x, 60) == 0xFF000000;
    EXPECT_GT(dashed, 20);
    EXPECT_LT(dashed, 90);
}

TEST_F(SLineTest, UnknownWordsAndEmptyColoursAreRefused)
{
    SLine line;
    EXPECT_EQ(S_FALSE, line.ApplyAttribute(L"mode", L"Vertical", FALSE));
    EXPECT_EQ(E_FAIL, line.ApplyAttribute(L"mode", L"diagonal", FALSE));
    EXPECT_EQ(SLine::kVertical, line.GetMode());
    const struct {
        const wchar_t* word;
        int style;
    } styles[] = {{L"solid", PS_SOLID}, {L"dash", PS_DASH}, {L"dot", PS_DOT}, {L"dashdot", PS_DASHDOT},
                  {L"DASHDOTDOT", PS_DASHDOTDOT}};
    for (const auto& s : styles) {
        EXPECT_EQ(S_FALSE, line.ApplyAttribute(L"lineStyle", s.word, FALSE));
        EXPECT_EQ(s.style, line.GetLineStyle());
    }
    EXPECT_EQ(E_FAIL, line.ApplyAttribute(L"lineStyle", L"wavy", FALSE));
    EXPECT_EQ(PS_DASHDOTDOT, line.GetLineStyle());
    EXPECT_EQ(E_FAIL, line.ApplyAttribute(L"colorLine", L"", FALSE));
    EXPECT_EQ(0xFF000000u, line.GetColorLine());
}
