// The grid layout's arithmetic without windows: counts, the cell flow, track
// sizes, shares of free space and places in the cells.

#include "layout/GridCells.h"
#include "layout/LayoutGravity.h"

#include "LayoutBoxes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;

namespace {

// The flow's cells as "column,row columnSpan x rowSpan" ("-" when not placed).
std::vector<std::string> Describe(const std::vector<GridCell>& cells)
{
    std::vector<std::string> described;
    for (const GridCell& cell : cells) {
        described.push_back(cell.IsPlaced() ? std::to_string(cell.column) + "," + std::to_string(cell.row) + " " +
                                                  std::to_string(cell.columnSpan) + "x" + std::to_string(cell.rowSpan)
                                            : "-");
    }
    return described;
}

// `count` children of one cell each.
std::vector<SIZE> Singles(int count)
{
    return std::vector<SIZE>(count, SIZE{1, 1});
}

}  // namespace

TEST(GridCells, DimensionsFollowFromTheCountsAndTheChildren)
{
    const struct {
        int columnCount;
        int rowCount;
        int children;
        bool laidOut;
        int columns;
        int rows;
    } cases[] = {
        {3, -1, 7, true, 3, 3},
        {-1, 2, 5, true, 3, 2},
        {2, 2, 5, true, 2, 2},
        {4, -1, 0, true, 4, 0},
        {-1, -1, 7, false, 0, 0},
        // Far beyond any window: cut back to the most cells a grid holds.
        {0x7FFFFFFF, 0x7FFFFFFF, 3, true, kMaxGridCells, 1},
        {0x7FFFFFFF, -1, 3, true, kMaxGridCells, 1},
        {-1, 0x7FFFFFFF, 3, true, 1, kMaxGridCells},
        {1000, 1000, 3, true, 1000, kMaxGridCells / 1000},
        {1, -1, kMaxGridCells + 5, true, 1, kMaxGridCells},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.columnCount << " x " << c.rowCount << ", " << c.children << " children");
        int columns = -7;
        int rows = -7;
        EXPECT_EQ(c.laidOut, GridDimensions(c.columnCount, c.rowCount, c.children, columns, rows));
        EXPECT_EQ(c.columns, columns);
        EXPECT_EQ(c.rows, rows);
        EXPECT_LE(static_cast<long long>(columns) * rows, kMaxGridCells);
    }
}

TEST(GridCells, ChildrenFlowIntoFreeCellsInReadingOrder)
{
    const struct {
        const char* what;
        int columns;
        int rows;
        std::vector<SIZE> spans;
        std::vector<std::string> cells;
    } cases[] = {
        {"seven in three columns", 3, 3, Singles(7),
         {"0,0 1x1", "1,0 1x1", "2,0 1x1", "0,1 1x1", "1,1 1x1", "2,1 1x1", "0,2 1x1"}},
        {"a span of two in the last column keeps one", 3, 2, {{1, 1}, {1, 1}, {2, 1}, {1, 1}},
         {"0,0 1x1", "1,0 1x1", "2,0 1x1", "0,1 1x1"}},
        {"a row span past the last row keeps the rows left", 2, 2, {{1, 1}, {1, 1}, {1, 5}},
         {"0,0 1x1", "1,0 1x1", "0,1 1x1"}},
        {"the fifth of five in two by two is not placed", 2, 2, Singles(5),
         {"0,0 1x1", "1,0 1x1", "0,1 1x1", "1,1 1x1", "-"}},
        {"cells held by a row span are skipped", 3, 2, {{1, 2}, {1, 1}, {1, 1}, {1, 1}, {1, 1}},
         {"0,0 1x2", "1,0 1x1", "2,0 1x1", "1,1 1x1", "2,1 1x1"}},
        {"a span meeting a held cell is cut back before it", 3, 2, {{1, 1}, {1, 2}, {1, 1}, {3, 1}, {1, 1}},
         {"0,0 1x1", "1,0 1x2", "2,0 1x1", "0,1 1x1", "2,1 1x1"}},
        {"a block of two by two", 3, 3, {{2, 2}, {1, 1}, {1, 1}, {3, 1}},
         {"0,0 2x2", "2,0 1x1", "2,1 1x1", "0,2 3x1"}},
        {"a held cell at the end of a row sends the flow to the next row", 2, 3, {{1, 1}, {1, 2}, {1, 1}, {2, 1}},
         {"0,0 1x1", "1,0 1x2", "0,1 1x1", "0,2 2x1"}},
        {"nothing flows into no rows", 4, 0, Singles(2), {"-", "-"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.cells, Describe(FlowGridCells(c.columns, c.rows, c.spans)));
    }
}

// Whatever the spans, no two children share a cell and each keeps at least one.
TEST(GridCells, NoTwoChildrenShareACell)
{
    const int columns = 5;
    const int rows = 6;
    std::vector<SIZE> spans;
    for (int i = 0; i < 24; ++i)
        spans.push_back(SIZE{1 + (i * 7) % 4, 1 + (i * 3) % 3});
    const std::vector<GridCell> cells = FlowGridCells(columns, rows, spans);
    std::vector<int> holder(columns * rows, -1);
    for (size_t i = 0; i < cells.size(); ++i) {
        const GridCell& cell = cells[i];
        if (!cell.IsPlaced())
            continue;
        ASSERT_GE(cell.columnSpan, 1);
        ASSERT_GE(cell.rowSpan, 1);
        ASSERT_LE(cell.column + cell.columnSpan, columns);
        ASSERT_LE(cell.row + cell.rowSpan, rows);
        for (int row = cell.row; row < cell.row + cell.rowSpan; ++row) {
            for (int column = cell.column; column < cell.column + cell.columnSpan; ++column) {
                EXPECT_EQ(-1, holder[row * columns + column]) << "cell " << column << "," << row << " of child " << i;
                holder[row * columns + column] = static_cast<int>(i);
            }
        }
    }
}

TEST(GridCells, TracksTakeTheLargestShareOfTheirChildren)
{
    std::vector<GridChild> children(3);
    children[0].cell = {0, 0, 2, 1};   // 45 wide over two columns: 22 each
    children[0].desired = {45, 10};
    children[0].columnWeight = 3.0f;
    children[1].cell = {1, 1, 1, 2};   // 30 high over two rows: 15 each
    children[1].desired = {30, 30};
    children[1].rowWeight = 1.0f;
    children[2].cell = {};             // not placed: counts nowhere
    children[2].desired = {500, 500};
    const GridTracks tracks = MeasureGridTracks(2, 3, children);
    EXPECT_EQ((std::vector<int>{22, 30}), tracks.widths);
    EXPECT_EQ((std::vector<int>{10, 15, 15}), tracks.heights);
    EXPECT_EQ((std::vector<float>{1.5f, 1.5f}), tracks.columnWeights);
    EXPECT_EQ((std::vector<float>{0.0f, 0.5f, 0.5f}), tracks.rowWeights);
}

TEST(GridCells, WeightsShareTheFreeLength)
{
    const struct {
        const char* what;
        std::vector<int> sizes;
        std::vector<float> weights;
        int length;
        int interval;
        std::vector<int> shared;
    } cases[] = {
        {"all to the weighted column", {20, 20}, {1, 0}, 200, 0, {180, 20}},
        {"in shares, cut", {10, 10, 10}, {1, 1, 1}, 50, 0, {16, 16, 16}},
        {"intervals are not free", {10, 10}, {1, 3}, 100, 20, {25, 55}},
        {"no weights, no change", {10, 10}, {0, 0}, 100, 0, {10, 10}},
        {"nothing free, no change", {60, 60}, {1, 1}, 100, 0, {60, 60}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<int> sizes = c.sizes;
        ShareGridSpace(sizes, c.weights, c.length, c.interval);
        EXPECT_EQ(c.shared, sizes);
    }
    EXPECT_EQ(0, GridLength({}, 10));
    EXPECT_EQ(70, GridLength({10, 20, 20}, 10));
}

TEST(GridCells, ChildrenSitInTheirCellsByGravity)
{
    GridTracks tracks;
    tracks.widths = {40, 30};
    tracks.heights = {20, 10};
    PositionGridTracks(tracks, SIZE{5, 2});
    EXPECT_EQ((std::vector<int>{0, 45}), tracks.lefts);
    EXPECT_EQ((std::vector<int>{0, 22}), tracks.tops);

    GridChild child;
    child.cell = {0, 0, 1, 1};
    child.desired = {21, 11};
    GridChild wide;
    wide.cell = {0, 1, 2, 1};   // 75 wide with the interval
    wide.desired = {25, 5};     // 12 a column: 24 wide
    const struct {
        const char* what;
        const GridChild& child;
        int xGravity;
        int yGravity;
        const wchar_t* rect;
    } cases[] = {
        {"centred", child, kGravityCenter, kGravityCenter, L"{109,204,130,215}"},
        {"near", child, kGravityNear, kGravityNear, L"{100,200,121,211}"},
        {"far", child, kGravityFar, kGravityFar, L"{119,209,140,220}"},
        {"filling", child, kGravityFill, kGravityFill, L"{100,200,140,220}"},
        {"unknown: near", child, kGravityNone, 7, L"{100,200,121,211}"},
        {"over two columns", wide, kGravityCenter, kGravityNear, L"{125,222,149,227}"},
        {"filling two columns", wide, kGravityFill, kGravityFill, L"{100,222,175,232}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.rect, saku_test::DescribeRect(PlaceGridChild(tracks, c.child, POINT{100, 200}, c.xGravity, c.yGravity)));
    }
}
