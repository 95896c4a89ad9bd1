// HIMETRIC units and screen pixels at the screen's 96 dots per inch under Wine.

#include "render/Himetric.h"

#include <gtest/gtest.h>

using namespace SAKU;

TEST(Himetric, AnInchIs2540UnitsAnd96Pixels)
{
    const struct {
        SIZE himetric;
        SIZE pixels;
    } cases[] = {
        {{2540, 2540}, {96, 96}},
        {{1270, 5080}, {48, 192}},
        {{0, 0}, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.himetric.cx);
        SIZE pixels = {-1, -1};
        HimetricToPixel(c.himetric, pixels);
        EXPECT_EQ(c.pixels.cx, pixels.cx);
        EXPECT_EQ(c.pixels.cy, pixels.cy);
        SIZE back = {-1, -1};
        PixelToHimetric(c.pixels, back);
        EXPECT_EQ(c.himetric.cx, back.cx);
        EXPECT_EQ(c.himetric.cy, back.cy);
    }
    SIZE rounded = {};
    HimetricToPixel({26, 40}, rounded);                // 0.98 and 1.51 pixels
    EXPECT_EQ(1, rounded.cx);
    EXPECT_EQ(2, rounded.cy);
}
