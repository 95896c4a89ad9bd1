#include "core/SSkinScrollbar.h"

#include "render/IBitmap.h"
#include "render/IRenderTarget.h"

namespace SAKU {

namespace {

constexpr int kCellColumns = 9;
constexpr int kCornerColumn = 8;
constexpr int kGripperColumn = 8;
constexpr int kHorizontalColumns = 4;   // a horizontal bar's cells are 4 columns right of the vertical's

// The column of a part of a vertical bar; -1 for a part without a cell.
int PartColumn(int part)
{
    switch (part) {
    case kSbPartLineUp:
        return 0;
    case kSbPartLineDown:
        return 1;
    case kSbPartThumb:
        return 2;
    case kSbPartPageUp:
    case kSbPartPageDown:
        return 3;
    default:
        return -1;
    }
}

RECT Cell(int column, int row, int side)
{
    return RECT{column * side, row * side, column * side + side, row * side + side};
}

}  // namespace

int SSkinScrollbar::GetBarThickness() const
{
    return GetImage() ? GetImage()->Width() / kCellColumns : 0;
}

int SSkinScrollbar::CellSide() const
{
    return QuerySkinSize().cx / kCellColumns;
}

RECT SSkinScrollbar::GetPartSourceRect(int part, int state, bool vertical) const
{
    const int side = CellSide();
    if (part == kSbPartCorner)
        return Cell(kCornerColumn, 0, side);
    if (part == kSbPartGripper)
        return Cell(kGripperColumn, vertical ? 1 : 2, side);
    const int column = PartColumn(part);
    if (column < 0)
        return RECT{0, 0, 0, 0};
    if (state == kSbStateInactive && !m_hasInactive)
        state = 0;
    return Cell(column + (vertical ? 0 : kHorizontalColumns), state, side);
}

void SSkinScrollbar::DrawImpl(IRenderTarget* target, const RECT* rect, int state, BYTE alpha)
{
    if (!GetImage())
        return;
    const int part = LOWORD(state);
    const int partState = (state >> 16) & 0xFF;
    const bool vertical = ((state >> 24) & 0xFF) != 0;
    const RECT margins = vertical ? RECT{0, m_margin, 0, m_margin} : RECT{m_margin, 0, m_margin, 0};
    const UINT mode = IsTile() ? kExpandTile : kExpandStretch;
    const RECT source = GetPartSourceRect(part, partState, vertical);
    if (::IsRectEmpty(&source))
        return;
    target->DrawBitmap9Patch(rect, GetImage(), &source, &margins, mode, alpha);
    if (part != kSbPartThumb || !m_hasGripper)
        return;

    // The gripper at its own size, centred along the bar's axis.
    const RECT gripper = GetPartSourceRect(kSbPartGripper, 0, vertical);
    RECT place = *rect;
    if (vertical) {
        const int length = gripper.bottom - gripper.top;
        place.top = rect->top + (rect->bottom - rect->top - length) / 2;
        place.bottom = place.top + length;
    } else {
        const int length = gripper.right - gripper.left;
        place.left = rect->left + (rect->right - rect->left - length) / 2;
        place.right = place.left + length;
    }
    target->DrawBitmap9Patch(&place, GetImage(), &gripper, &margins, mode, alpha);
}

void SSkinScrollbar::ScaleInto(SSkinObjBase* target, int scale)
{
    SSkinImgList::ScaleInto(target, scale);
    auto* const copy = static_cast<SSkinScrollbar*>(target);
    copy->m_margin = ScaleSize(m_margin, scale);
    copy->m_hasGripper = m_hasGripper;
    copy->m_hasInactive = m_hasInactive;
}

}  // namespace SAKU
