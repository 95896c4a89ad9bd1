// Where the parts of a scroll bar lie, as pure functions of the bar's rectangle,
// arrows and scroll info.

#include "controls/ScrollBarParts.h"

#include <gtest/gtest.h>

using namespace SAKU;

namespace {

SCROLLINFO Info(int minimum, int maximum, int page, int position = 0)
{
    return SCROLLINFO{sizeof(SCROLLINFO), 0, minimum, maximum, static_cast<UINT>(page), position, -1};
}

::testing::AssertionResult SameRect(const RECT& expected, const RECT& actual)
{
    if (::EqualRect(&expected, &actual) || (::IsRectEmpty(&expected) && ::IsRectEmpty(&actual)))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << actual.left << "," << actual.top << "," << actual.right << ","
                                         << actual.bottom << ") instead of (" << expected.left << "," << expected.top
                                         << "," << expected.right << "," << expected.bottom << ")";
}

}  // namespace

TEST(ScrollBarParts, TheThumbIsProportionalButNeverUnderEighteenPixels)
{
    const struct {
        int rail, page, span, thumb;
    } cases[] = {
        {100, 50, 100, 50},    // half the range, half the rail
        {100, 1, 1000, 18},    // a tiny page still gets a thumb to hold
        {18, 1, 1000, 18},     // a rail of exactly the minimum
        {17, 50, 100, 0},      // a shorter rail has no thumb at all
        {0, 50, 100, 0},
        {100, 100, 100, 100},  // everything shows: the whole rail
        {200, 0, 100, 18},     // no page: the least thumb
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.rail << " " << c.page << "/" << c.span);
        EXPECT_EQ(c.thumb, SbThumbLength(c.rail, c.page, c.span));
    }
}

TEST(ScrollBarParts, PartsFollowThePositionAlongEitherBar)
{
    // A bar 100 long and 8 thick with 8-pixel arrows: a rail of 84, a thumb of 42
    // for a page of half the range, 42 pixels of travel over 50 positions.
    const RECT vertical = {10, 20, 18, 120};
    const RECT horizontal = {10, 20, 110, 28};
    const SCROLLINFO info = Info(0, 99, 50);
    const struct {
        const char* what;
        bool vertical;
        int part;
        int position;
        RECT expected;
    } cases[] = {
        {"up arrow",                true,  kSbPartLineUp,   0,  {10, 20, 18, 28}},
        {"down arrow",              true,  kSbPartLineDown, 0,  {10, 112, 18, 120}},
        {"thumb at the top",        true,  kSbPartThumb,    0,  {10, 28, 18, 70}},
        {"no rail above the top",   true,  kSbPartPageUp,   0,  {}},
        {"rail below the thumb",    true,  kSbPartPageDown, 0,  {10, 70, 18, 112}},
        {"thumb half way",          true,  kSbPartThumb,    25, {10, 49, 18, 91}},
        {"rail above it",           true,  kSbPartPageUp,   25, {10, 28, 18, 49}},
        {"thumb at the end",        true,  kSbPartThumb,    50, {10, 70, 18, 112}},
        {"left arrow",              false, kSbPartLineUp,   0,  {10, 20, 18, 28}},
        {"right arrow",             false, kSbPartLineDown, 0,  {102, 20, 110, 28}},
        {"horizontal thumb",        false, kSbPartThumb,    25, {39, 20, 81, 28}},
        {"no such part",            true,  4,               0,  {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(SameRect(c.expected, SbPartRect(c.vertical ? vertical : horizontal, c.vertical, 8, info, c.part,
                                                     c.position)));
    }
}

TEST(ScrollBarParts, ShortBarsAndDegenerateRanges)
{
    const RECT bar = {0, 0, 8, 10};
    // Shorter than its two arrows: each arrow takes half, nothing is left between.
    EXPECT_TRUE(SameRect(RECT{0, 0, 8, 5}, SbPartRect(bar, true, 8, Info(0, 99, 10), kSbPartLineUp, 0)));
    EXPECT_TRUE(SameRect(RECT{0, 5, 8, 10}, SbPartRect(bar, true, 8, Info(0, 99, 10), kSbPartLineDown, 0)));
    EXPECT_TRUE(SameRect(RECT{}, SbPartRect(bar, true, 8, Info(0, 99, 10), kSbPartThumb, 0)));

    const RECT tall = {0, 0, 8, 100};
    // A maximum below the minimum has no parts.
    EXPECT_TRUE(SameRect(RECT{}, SbPartRect(tall, true, 8, Info(0, -1, 10), kSbPartLineUp, 0)));
    // A page of the whole range: the thumb fills the rail.
    EXPECT_TRUE(SameRect(RECT{0, 8, 8, 92}, SbPartRect(tall, true, 8, Info(0, 99, 100), kSbPartThumb, 0)));
    // Arrows of 9 on a bar of 35 leave a rail of 17, too short for a thumb: the two
    // rails meet where it would be.
    const RECT shortBar = {0, 0, 8, 35};
    EXPECT_TRUE(SameRect(RECT{}, SbPartRect(shortBar, true, 9, Info(0, 99, 50), kSbPartThumb, 0)));
    EXPECT_TRUE(SameRect(RECT{0, 9, 8, 26}, SbPartRect(shortBar, true, 9, Info(0, 99, 50), kSbPartPageDown, 0)));
}

TEST(ScrollBarParts, HitTestsTryArrowsThenThumbThenRails)
{
    const RECT bar = {10, 20, 18, 120};
    const SCROLLINFO info = Info(0, 99, 50);
    const struct {
        POINT point;
        int part;
    } cases[] = {
        {{14, 20}, kSbPartLineUp},   {{14, 27}, kSbPartLineUp},  {{14, 28}, kSbPartPageUp},
        {{14, 48}, kSbPartPageUp},   {{14, 49}, kSbPartThumb},   {{14, 90}, kSbPartThumb},
        {{14, 91}, kSbPartPageDown}, {{14, 111}, kSbPartPageDown}, {{14, 112}, kSbPartLineDown},
        {{14, 119}, kSbPartLineDown}, {{14, 120}, kSbPartNone},  {{9, 50}, kSbPartNone},
        {{18, 50}, kSbPartNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.point.x << "," << c.point.y);
        EXPECT_EQ(c.part, SbPartFromPoint(bar, true, 8, info, 25, c.point));
    }
}

TEST(ScrollBarParts, PositionsStayWithinTheRange)
{
    const struct {
        int minimum, maximum, page, position, clamped;
    } cases[] = {
        {0, 99, 50, 20, 20}, {0, 99, 50, -5, 0},   {0, 99, 50, 51, 50},  {0, 99, 50, 50, 50},
        {0, 99, 0, 500, 100},   // no page: up to the maximum and one past it
        {0, 99, 150, 10, 0},    // a page larger than the range does not take it below the minimum
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.position << " in " << c.minimum << ".." << c.maximum << "/" << c.page);
        EXPECT_EQ(c.clamped, SbClampPosition(Info(c.minimum, c.maximum, c.page), c.position));
    }
}
