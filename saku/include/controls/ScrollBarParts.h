#pragma once

#include "core/SSkinScrollbar.h"   // the part codes

#include <windows.h>

namespace SAKU {

// The hit part meaning "no part of any bar".
constexpr int kSbPartNone = 0xFFFF;
// A thumb is never drawn shorter than this, and a rail shorter than this has none.
constexpr int kSbMinThumb = 18;

// Where the parts of one scroll bar lie, worked out from its rectangle, its arrow
// length and its SCROLLINFO (minimum, maximum, page; the position is passed in,
// so that a thumb can be placed for a position the bar does not hold yet). The
// part codes are the Win32 scroll codes of SSkinScrollbar.h. Pure functions of
// their arguments; any thread.

// The thumb's length on a rail of `rail` pixels for `page` of `span` positions:
// proportional, none on a rail shorter than kSbMinThumb, else at least kSbMinThumb.
int SbThumbLength(int rail, int page, int span);

// The rectangle of a part (arrows, rails, thumb) for the thumb at `position`;
// the full thickness of the bar across it. Empty when maximum < minimum or for
// another part code.
RECT SbPartRect(const RECT& bar, bool vertical, int arrow, const SCROLLINFO& info, int part, int position);

// The rail: the bar less an arrow's length at both ends.
RECT SbRailRect(const RECT& bar, bool vertical, int arrow);

// The part under the point, tried in the order arrows, thumb, rails; kSbPartNone
// when the point lies in none.
int SbPartFromPoint(const RECT& bar, bool vertical, int arrow, const SCROLLINFO& info, int position, POINT point);

// The position clamped to what the bar scrolls through: at most maximum − page + 1,
// never below the minimum.
int SbClampPosition(const SCROLLINFO& info, int position);

}  // namespace SAKU
