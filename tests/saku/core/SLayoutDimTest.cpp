// Layout sizes: their text, their pixels at several scales, and the special sizes.

#include "core/SLayoutDim.h"

#include <gtest/gtest.h>

#include <climits>

using SAKU::SLayoutDim;
using SAKU::SLayoutUnit;
using namespace SAKU;

TEST(SLayoutDim, ReadsTheNumberAndTheUnitItEndsWith)
{
    const struct {
        const wchar_t* text;
        float value;
        SLayoutUnit unit;
    } cases[] = {
        {L"12", 12.0f, kUnitPx},  {L"12dp", 12.0f, kUnitDp}, {L"1.5SP", 1.5f, kUnitSp},
        {L"10dip", 10.0f, kUnitDip}, {L"5DP", 5.0f, kUnitDp}, {L"5pt", 5.0f, kUnitPx},
        {L" 7px", 7.0f, kUnitPx}, {L"-2", -2.0f, kUnitPx},  {L"dp", 0.0f, kUnitDp},
        {L"abc", 0.0f, kUnitPx},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "text " << c.text);
        const SLayoutDim dim{SStringW(c.text)};
        EXPECT_FLOAT_EQ(c.value, dim.GetValue());
        EXPECT_EQ(c.unit, dim.GetUnit());
    }
}

TEST(SLayoutDim, ConvertsToPixelsAtTheScale)
{
    const struct {
        const wchar_t* text;
        int scale;
        int pixels;
    } cases[] = {
        {L"10", 200, 10},      {L"10dp", 200, 20},   {L"10dp", 125, 13},   // 12.5 rounds up
        {L"9dp", 150, 14},     {L"-3dp", 150, -4},   {L"15sp", 110, 17},
        {L"10dip", 100, 10},   {L"7.9px", 150, 7},   {L"7.9", 100, 7},
        {L"-7.9", 100, -7},    {L"-2", 150, -2},     {L"-2dp", 300, -2},   // match parent
        {L"-1dp", 300, -1},    {L"0dp", 200, 0},     {L"1e30dp", 100, INT_MAX},
        {L"-1e30", 100, INT_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " at " << c.scale);
        EXPECT_EQ(c.pixels, SLayoutDim(SStringW(c.text)).ToPixelSize(c.scale));
    }
}

TEST(SLayoutDim, SpecialSizesCompareWithinATolerance)
{
    EXPECT_TRUE(SLayoutDim(-1.000000001f, kUnitPx).IsWrapContent());
    EXPECT_FALSE(SLayoutDim(-1.001f, kUnitPx).IsWrapContent());
    EXPECT_TRUE(SLayoutDim(-2.0f, kUnitDp).IsMatchParent());
    EXPECT_FALSE(SLayoutDim(-3.0f, kUnitPx).IsValid());
    EXPECT_TRUE(SLayoutDim(-2.0f, kUnitPx).IsValid());
    EXPECT_TRUE(SLayoutDim(0.0f, kUnitPx).IsSpecified());
    EXPECT_FALSE(SLayoutDim(-1.0f, kUnitPx).IsSpecified());

    SLayoutDim dim;   // 0 px
    EXPECT_TRUE(dim.IsZero());
    EXPECT_EQ(kUnitPx, dim.GetUnit());
    dim.Set(4.0f, kUnitSp);
    dim.SetWrapContent();
    EXPECT_TRUE(dim.IsWrapContent());
    EXPECT_EQ(kUnitSp, dim.GetUnit());   // setters of the specials keep the unit
    EXPECT_EQ(-1, dim.ToPixelSize(200));
    dim.SetMatchParent();
    EXPECT_EQ(-2, dim.ToPixelSize(200));
    dim.SetInvalid();
    EXPECT_FALSE(dim.IsValid());
    EXPECT_EQ(-6, dim.ToPixelSize(200));   // an unset size converts like any number
}

TEST(SLayoutDim, AnEmptyTextChangesNothing)
{
    SLayoutDim dim{SStringW(L"12dp")};
    dim.Parse(SStringW());
    EXPECT_FLOAT_EQ(12.0f, dim.GetValue());
    EXPECT_EQ(kUnitDp, dim.GetUnit());
}

TEST(SLayoutDim, ReadsTheWordsOfAWidthOrHeight)
{
    const struct {
        const wchar_t* text;
        float value;
        SLayoutUnit unit;
    } cases[] = {
        {L"matchParent", kSizeMatchParent, kUnitSp},   // the special sizes keep the unit
        {L"FULL", kSizeMatchParent, kUnitSp},
        {L" wrapContent\r\n", kSizeWrapContent, kUnitSp},
        {L"\t20dp ", 20.0f, kUnitDp},
        {L"7", 7.0f, kUnitPx},
        {L"", 12.0f, kUnitSp},                         // a blank text changes nothing
        {L" \t\n", 12.0f, kUnitSp},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << c.text << "\"");
        SLayoutDim dim(12.0f, kUnitSp);
        dim.ParseSizeText(c.text);
        EXPECT_FLOAT_EQ(c.value, dim.GetValue());
        EXPECT_EQ(c.unit, dim.GetUnit());
    }
}
