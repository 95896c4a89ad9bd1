#include "render/TileSpan.h"

#include <algorithm>

namespace SAKU {

TileSpan VisibleTiles(LONG destFrom, LONG destTo, LONG tile, LONG visibleFrom, LONG visibleTo)
{
    // In 64 bits: a layout's marker sizes put edges near the end of the 32-bit range.
    const long long from = std::max(destFrom, visibleFrom);
    const long long to = std::min(destTo, visibleTo);
    if (tile <= 0 || from >= to)
        return {};
    const long long first = destFrom + (from - destFrom) / tile * tile;
    const long long count = (to - first + tile - 1) / tile;
    return {static_cast<LONG>(first), static_cast<LONG>(count)};
}

}  // namespace SAKU
