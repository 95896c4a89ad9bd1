#include "layout/SGridLayout.h"

#include "core/SAutoRef.h"
#include "core/SWindow.h"
#include "layout/GridCells.h"

#include <new>
#include <vector>

namespace SAKU {

namespace {

// A parameter of another layout's kind says nothing to this one: the child takes
// one cell at its content's size.
const SGridLayoutParamStruct& ParamOf(const SWindow* child)
{
    static const SGridLayoutParamStruct kOneCell;
    const auto* param = SObjCast<SGridLayoutParam>(child->GetLayoutParam());
    return param ? param->GetData() : kOneCell;
}

// The placed children of a grid and the grid's tracks. It holds a reference on
// each child, because a child's OnRelayout runs code of its own.
struct FlowedGrid {
    std::vector<SAutoRef<SWindow>> windows;
    std::vector<GridChild> children;
    GridTracks tracks;
};

// Flows the parent's layout children into the cells and sizes the columns and
// rows by the children's desired sizes (and weights, when `weighted`); false when
// the grid places nothing.
bool FlowChildren(const SWindow* parent, int columnCount, int rowCount, bool weighted, FlowedGrid& grid)
{
    int columns = 0;
    int rows = 0;
    if (!GridDimensions(columnCount, rowCount, static_cast<int>(parent->GetChildrenCount()), columns, rows))
        return false;
    std::vector<SWindow*> candidates;
    std::vector<SIZE> spans;
    candidates.reserve(parent->GetChildrenCount());
    spans.reserve(parent->GetChildrenCount());
    for (SWindow* child = parent->GetNextLayoutChild(nullptr); child; child = parent->GetNextLayoutChild(child)) {
        const SGridLayoutParamStruct& param = ParamOf(child);
        candidates.push_back(child);
        spans.push_back(SIZE{param.columnSpan, param.rowSpan});
    }
    const std::vector<GridCell> cells = FlowGridCells(columns, rows, spans);
    grid.windows.reserve(candidates.size());
    grid.children.reserve(candidates.size());
    for (size_t i = 0; i < candidates.size(); ++i) {
        if (!cells[i].IsPlaced())
            continue;
        const SGridLayoutParamStruct& param = ParamOf(candidates[i]);
        GridChild child;
        child.cell = cells[i];
        child.desired = candidates[i]->GetDesiredSize(-1, -1);
        if (weighted) {
            child.columnWeight = param.columnWeight;
            child.rowWeight = param.rowWeight;
        }
        grid.windows.emplace_back(candidates[i]);
        grid.children.push_back(child);
    }
    grid.tracks = MeasureGridTracks(columns, rows, grid.children);
    return true;
}

}  // namespace

HRESULT SGridLayout::OnAttrColumnCount(const SStringW& value, BOOL)
{
    return StoreGridCount(m_columnCount, value, 1, true, kNoRefresh);
}

HRESULT SGridLayout::OnAttrRowCount(const SStringW& value, BOOL)
{
    return StoreGridCount(m_rowCount, value, 1, true, kNoRefresh);
}

bool SGridLayout::IsParamAcceptable(ILayoutParam* param) const
{
    return SObjCast<SGridLayoutParam>(param) != nullptr;
}

void SGridLayout::LayoutChildren(SWindow* parent)
{
    FlowedGrid grid;
    if (!FlowChildren(parent, m_columnCount, m_rowCount, true, grid))
        return;
    const RECT area = parent->GetChildrenLayoutRect();
    const int scale = parent->GetScale();
    const SIZE interval = {m_xInterval.ToPixelSize(scale), m_yInterval.ToPixelSize(scale)};
    ShareGridSpace(grid.tracks.widths, grid.tracks.columnWeights, area.right - area.left, interval.cx);
    ShareGridSpace(grid.tracks.heights, grid.tracks.rowWeights, area.bottom - area.top, interval.cy);
    PositionGridTracks(grid.tracks, interval);
    for (size_t i = 0; i < grid.children.size(); ++i) {
        const SGridLayoutParamStruct& param = ParamOf(grid.windows[i].Get());
        const int xGravity = param.layoutXGravity != kGravityNone ? param.layoutXGravity : m_xGravity;
        const int yGravity = param.layoutYGravity != kGravityNone ? param.layoutYGravity : m_yGravity;
        const RECT rect = PlaceGridChild(grid.tracks, grid.children[i], POINT{area.left, area.top}, xGravity, yGravity);
        grid.windows[i]->OnRelayout(rect);
    }
}

ILayoutParam* SGridLayout::CreateLayoutParam() const
{
    return new (std::nothrow) SGridLayoutParam;
}

SIZE SGridLayout::MeasureChildren(SWindow* parent, int, int) const
{
    FlowedGrid grid;
    if (!FlowChildren(parent, m_columnCount, m_rowCount, false, grid))
        return SIZE{0, 0};
    const int scale = parent->GetScale();
    return SIZE{GridLength(grid.tracks.widths, m_xInterval.ToPixelSize(scale)),
                GridLength(grid.tracks.heights, m_yInterval.ToPixelSize(scale))};
}

}  // namespace SAKU
