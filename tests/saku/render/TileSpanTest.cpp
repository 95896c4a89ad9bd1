// Which tiles a tiled drawing blits along one axis: those that meet what shows,
// on the destination's own grid, however large the destination is.

#include "render/TileSpan.h"

#include <gtest/gtest.h>

using namespace SAKU;

TEST(TileSpan, OnlyTheTilesThatMeetTheVisibleRangeAreCounted)
{
    const struct {
        LONG destFrom, destTo, tile, visibleFrom, visibleTo;
        LONG first, count;
    } cases[] = {
        {0, 100000, 1, 0, 40, 0, 40},                     // a 1-pixel tile over a huge destination: the 40 shown
        {-50000, 50000, 1, 7, 33, 7, 26},
        {-50000, 50000, 10, 7, 33, 0, 4},                 // the grid starts at the destination: 0, 10, 20, 30
        {-50000, 50000, 3, 7, 33, 7, 9},                  // 7 is on the grid of -50000 + 3k; the last cut at 33
        {2, 27, 10, 0, 40, 2, 3},                         // all of a small destination, the last tile cut
        {5, 100, 7, 0, 6, 5, 1},                          // visible from before the destination
        {0, 10, 4, 20, 30, 0, 0},                         // nothing shows
        {0, 10, 4, 10, 30, 0, 0},                         // touching is not meeting
        {0, 10, 0, 0, 10, 0, 0},                          // an empty tile
        {0, 0x7FFFFF, 1, 0x7FFFFF - 3, 0x7FFFFF + 5, 0x7FFFFF - 3, 3},   // at a layout's marker size
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.destFrom << ".." << c.destTo << " by " << c.tile << ", shown "
                                        << c.visibleFrom << ".." << c.visibleTo);
        const TileSpan span = VisibleTiles(c.destFrom, c.destTo, c.tile, c.visibleFrom, c.visibleTo);
        EXPECT_EQ(c.count, span.count);
        if (c.count > 0) {
            EXPECT_EQ(c.first, span.first);
        }
    }
}
