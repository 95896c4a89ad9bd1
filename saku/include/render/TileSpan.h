#pragma once

#include <windows.h>

namespace SAKU {

// The tiles along one axis that a tiled drawing has to blit: tiles of `tile`
// pixels laid from `destFrom` towards `destTo` (the last one cut there), of which
// only those meeting the visible range [visibleFrom, visibleTo) are wanted, so
// that the cost follows what shows and not the size of the destination. `first`
// is where the first wanted tile starts, on the destination's grid; `count` is 0
// when none shows or the tile is empty.
struct TileSpan {
    LONG first = 0;
    LONG count = 0;
};

TileSpan VisibleTiles(LONG destFrom, LONG destTo, LONG tile, LONG visibleFrom, LONG visibleTo);

}  // namespace SAKU
