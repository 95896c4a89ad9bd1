#pragma once

#include <windows.h>

#include <vector>

namespace SAKU {

// The grid layout's arithmetic, apart from windows so that tables of spans and
// sizes test it: how the children flow into cells, how big the columns and rows
// grow, how weights share the free space and where each child lands.

// The most cells a grid holds: counts written far beyond what any window shows
// are cut back to this before the cells are made.
constexpr int kMaxGridCells = 1 << 18;

// The columns and rows of a grid of `children` children from its "columnCount"
// and "rowCount" (-1: follows from the other count and the children), capped so
// that columns x rows stays within kMaxGridCells. False, with no cells, when both
// counts are -1.
bool GridDimensions(int columnCount, int rowCount, int children, int& columns, int& rows);

// Where the flow put a child: its first cell and the span it keeps there.
struct GridCell {
    int column = -1;   // -1: no free cell was left for the child
    int row = -1;
    int columnSpan = 0;
    int rowSpan = 0;

    bool IsPlaced() const { return column >= 0; }
};

// Flows children, each asking for spans[i] (columns, rows), into the cells of a
// `columns` x `rows` grid in order: each child takes the current cell, its span cut
// to the columns left in the row and the rows left below, and its columns cut back
// again before the first cell of its row that an earlier child holds, so that no
// two children share a cell. The next child takes the next free cell after the current one in
// its row, else the first free cell of the rows below; the children after the last
// free cell are not placed.
std::vector<GridCell> FlowGridCells(int columns, int rows, const std::vector<SIZE>& spans);

// A placed child as the grid sizes it.
struct GridChild {
    GridCell cell;
    SIZE desired{0, 0};
    float columnWeight = 0.0f;
    float rowWeight = 0.0f;
};

// The widths and weights of the columns and the heights and weights of the rows:
// each is the largest share of the children in it (a child's size and weight
// divided by its span, integers cut). Where each column and row starts is known
// once PositionGridTracks has run.
struct GridTracks {
    std::vector<int> widths;
    std::vector<int> heights;
    std::vector<float> columnWeights;
    std::vector<float> rowWeights;
    std::vector<int> lefts;   // from the grid's left edge
    std::vector<int> tops;
};
GridTracks MeasureGridTracks(int columns, int rows, const std::vector<GridChild>& children);

// The tracks' sizes with `interval` between them; an empty list is 0 long.
int GridLength(const std::vector<int>& sizes, int interval);

// Gives the tracks `length` less what they and their intervals take, when that is
// more than 0, in shares of their weights (cut to integers). Nothing without weights.
void ShareGridSpace(std::vector<int>& sizes, const std::vector<float>& weights, int length, int interval);

// Where each column and row starts, with `interval` (x between columns, y
// between rows) after each.
void PositionGridTracks(GridTracks& tracks, SIZE interval);

// The rectangle of a placed child whose grid starts at `origin`: its size is its
// span times its share of each cell, placed in the area of its cells by its
// gravities (LayoutGravity.h; the fill gravity takes the whole area).
RECT PlaceGridChild(const GridTracks& tracks, const GridChild& child, POINT origin, int xGravity, int yGravity);

}  // namespace SAKU
