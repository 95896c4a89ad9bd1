#include "controls/ScrollBarParts.h"


#include <algorithm>

namespace SAKU {

namespace {

int Length(const RECT& bar, bool vertical)
{
    return vertical ? bar.bottom - bar.top : bar.right - bar.left;
}

// The span [begin, end) along the bar as a rectangle of the bar's thickness.
RECT Span(const RECT& bar, bool vertical, int begin, int end)
{
    if (vertical)
        return RECT{bar.left, bar.top + begin, bar.right, bar.top + end};
    return RECT{bar.left + begin, bar.top, bar.left + end, bar.bottom};
}

}  // namespace

int SbThumbLength(int rail, int page, int span)
{
    if (rail < kSbMinThumb)
        return 0;
    const int thumb = span > 0 ? static_cast<int>(static_cast<long long>(rail) * page / span) : rail;
    return std::max(thumb, kSbMinThumb);
}

RECT SbPartRect(const RECT& bar, bool vertical, int arrow, const SCROLLINFO& info, int part, int position)
{
    if (info.nMax < info.nMin)
        return RECT{};
    const int length = Length(bar, vertical);
    const int page = static_cast<int>(info.nPage);
    const int last = std::max(info.nMax, page + info.nMin - 1);
    const int rail = std::max(length - 2 * arrow, 0);
    const int thumb = SbThumbLength(rail, page, last - info.nMin + 1);
    const int free = rail - thumb;
    // A bar too short for its two arrows is shared between them.
    const int arrowLength = length - 2 * arrow <= 0 ? length / 2 : arrow;
    const int steps = info.nMax - info.nMin - page + 1;
    const int start =
        arrowLength + (steps == 0 ? free / 2 : static_cast<int>(static_cast<long long>(free) * position / steps));
    switch (part) {
    case kSbPartLineUp:   return Span(bar, vertical, 0, arrowLength);
    case kSbPartPageUp:   return Span(bar, vertical, arrowLength, start);
    case kSbPartThumb:    return Span(bar, vertical, start, start + thumb);
    case kSbPartPageDown: return Span(bar, vertical, start + thumb, length - arrowLength);
    case kSbPartLineDown: return Span(bar, vertical, length - arrowLength, length);
    default:              return RECT{};
    }
}

RECT SbRailRect(const RECT& bar, bool vertical, int arrow)
{
    return Span(bar, vertical, arrow, Length(bar, vertical) - arrow);
}

int SbPartFromPoint(const RECT& bar, bool vertical, int arrow, const SCROLLINFO& info, int position, POINT point)
{
    static const int kOrder[] = {kSbPartLineUp, kSbPartLineDown, kSbPartThumb, kSbPartPageUp, kSbPartPageDown};
    for (const int part : kOrder) {
        const RECT rect = SbPartRect(bar, vertical, arrow, info, part, position);
        if (::PtInRect(&rect, point))
            return part;
    }
    return kSbPartNone;
}

int SbClampPosition(const SCROLLINFO& info, int position)
{
    // The upper bound first: with a page larger than the range it lies below the
    // minimum, and the position must still not.
    position = std::min(position, info.nMax - static_cast<int>(info.nPage) + 1);
    return std::max(position, info.nMin);
}

}  // namespace SAKU
