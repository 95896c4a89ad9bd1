#include "layout/GridCells.h"

#include "layout/LayoutGravity.h"

#include <algorithm>
#include <climits>

namespace SAKU {

namespace {

// The cells of the grid that children hold, row by row.
class TakenCells {
public:
    TakenCells(int columns, int rows) : m_columns(columns), m_taken(size_t(columns) * size_t(rows), false) {}

    bool IsTaken(int column, int row) const { return m_taken[Index(column, row)]; }
    void Take(const GridCell& cell)
    {
        for (int row = cell.row; row < cell.row + cell.rowSpan; ++row) {
            for (int column = cell.column; column < cell.column + cell.columnSpan; ++column)
                m_taken[Index(column, row)] = true;
        }
    }

private:
    size_t Index(int column, int row) const { return size_t(row) * size_t(m_columns) + size_t(column); }

    int m_columns;
    std::vector<bool> m_taken;
};

// Cuts the span's columns back to the first cell of its first row that an earlier
// child holds. The rows below are then free: an earlier child that held a cell
// below would, being a rectangle that starts no later than this one in reading
// order, also hold the cell above it in the first row. The first cell is free, so
// at least that one stays.
void CutSpanToFreeCells(const TakenCells& taken, GridCell& cell)
{
    for (int column = cell.column + 1; column < cell.column + cell.columnSpan; ++column) {
        if (taken.IsTaken(column, cell.row)) {
            cell.columnSpan = column - cell.column;
            return;
        }
    }
}

// The next free cell after (column, row) in its row, else the first free cell of
// the rows below; false when there is none.
bool NextFreeCell(const TakenCells& taken, int columns, int rows, int& column, int& row)
{
    for (int c = column + 1; c < columns; ++c) {
        if (!taken.IsTaken(c, row)) {
            column = c;
            return true;
        }
    }
    for (int r = row + 1; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (!taken.IsTaken(c, r)) {
                column = c;
                row = r;
                return true;
            }
        }
    }
    return false;
}

// The track is at least `share` long (or heavy).
template <typename T>
void Widen(std::vector<T>& tracks, int first, int span, T share)
{
    for (int i = first; i < first + span; ++i)
        tracks[i] = std::max(tracks[i], share);
}

void PositionTracks(const std::vector<int>& sizes, int interval, std::vector<int>& starts)
{
    starts.resize(sizes.size());
    int at = 0;
    for (size_t i = 0; i < sizes.size(); ++i) {
        starts[i] = at;
        at += sizes[i] + interval;
    }
}

// Where a child of `size` goes in the area of its tracks, along one direction;
// `size` becomes the area's with the fill gravity.
int PlaceAlong(const std::vector<int>& starts, const std::vector<int>& sizes, int first, int span, int gravity,
               int& size)
{
    const int last = first + span - 1;
    const int area = starts[last] + sizes[last] - starts[first];
    return starts[first] + GravityOffset(gravity, area, size);
}

}  // namespace

bool GridDimensions(int columnCount, int rowCount, int children, int& columns, int& rows)
{
    columns = 0;
    rows = 0;
    if ((columnCount < 1 && rowCount < 1) || children < 0)
        return false;
    if (rowCount < 1) {
        columns = std::min(columnCount, kMaxGridCells);
        rows = int(((long long)children + columns - 1) / columns);
    } else if (columnCount < 1) {
        rows = std::min(rowCount, kMaxGridCells);
        columns = int(((long long)children + rows - 1) / rows);
    } else {
        columns = columnCount;
        rows = rowCount;
    }
    columns = std::min(columns, kMaxGridCells);
    rows = std::min(rows, kMaxGridCells / std::max(columns, 1));
    return true;
}

std::vector<GridCell> FlowGridCells(int columns, int rows, const std::vector<SIZE>& spans)
{
    std::vector<GridCell> cells(spans.size());
    if (columns < 1 || rows < 1)
        return cells;
    TakenCells taken(columns, rows);
    int column = 0;
    int row = 0;
    for (size_t i = 0; i < spans.size(); ++i) {
        GridCell& cell = cells[i];
        cell.column = column;
        cell.row = row;
        cell.columnSpan = std::clamp<int>(spans[i].cx, 1, columns - column);
        cell.rowSpan = std::clamp<int>(spans[i].cy, 1, rows - row);
        CutSpanToFreeCells(taken, cell);
        taken.Take(cell);
        if (!NextFreeCell(taken, columns, rows, column, row))
            break;
    }
    return cells;
}

GridTracks MeasureGridTracks(int columns, int rows, const std::vector<GridChild>& children)
{
    GridTracks tracks;
    tracks.widths.assign(std::max(columns, 0), 0);
    tracks.columnWeights.assign(std::max(columns, 0), 0.0f);
    tracks.heights.assign(std::max(rows, 0), 0);
    tracks.rowWeights.assign(std::max(rows, 0), 0.0f);
    for (const GridChild& child : children) {
        const GridCell& cell = child.cell;
        if (!cell.IsPlaced())
            continue;
        Widen(tracks.widths, cell.column, cell.columnSpan, int(child.desired.cx / cell.columnSpan));
        Widen(tracks.heights, cell.row, cell.rowSpan, int(child.desired.cy / cell.rowSpan));
        Widen(tracks.columnWeights, cell.column, cell.columnSpan, child.columnWeight / cell.columnSpan);
        Widen(tracks.rowWeights, cell.row, cell.rowSpan, child.rowWeight / cell.rowSpan);
    }
    return tracks;
}

int GridLength(const std::vector<int>& sizes, int interval)
{
    long long length = 0;
    for (const int size : sizes)
        length += size;
    if (!sizes.empty())
        length += (long long)interval * (long long)(sizes.size() - 1);
    return int(std::clamp<long long>(length, INT_MIN, INT_MAX));
}

void ShareGridSpace(std::vector<int>& sizes, const std::vector<float>& weights, int length, int interval)
{
    const long long free = (long long)length - GridLength(sizes, interval);
    float total = 0.0f;
    for (const float weight : weights)
        total += weight;
    if (free <= 0 || total <= 0)
        return;
    for (size_t i = 0; i < sizes.size(); ++i)
        sizes[i] += static_cast<int>(double(free) * weights[i] / total);
}

void PositionGridTracks(GridTracks& tracks, SIZE interval)
{
    PositionTracks(tracks.widths, interval.cx, tracks.lefts);
    PositionTracks(tracks.heights, interval.cy, tracks.tops);
}

RECT PlaceGridChild(const GridTracks& tracks, const GridChild& child, POINT origin, int xGravity, int yGravity)
{
    const GridCell& cell = child.cell;
    int width = cell.columnSpan * int(child.desired.cx / cell.columnSpan);
    int height = cell.rowSpan * int(child.desired.cy / cell.rowSpan);
    const int left = PlaceAlong(tracks.lefts, tracks.widths, cell.column, cell.columnSpan, xGravity, width);
    const int top = PlaceAlong(tracks.tops, tracks.heights, cell.row, cell.rowSpan, yGravity, height);
    return RECT{origin.x + left, origin.y + top, origin.x + left + width, origin.y + top + height};
}

}  // namespace SAKU
