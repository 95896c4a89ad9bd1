#pragma once

#include "layout/SakuLayoutParamStruct.h"

#include <windows.h>

namespace SAKU {

// The two values that stand in a coordinate that is not known. A child whose
// coordinate stays unknown is placed with the marker, far outside its parent.
constexpr int kPosUncomputed = 0x11000000;   // not computed yet
constexpr int kPosWaiting = 0x12000000;      // waits for something not known yet

inline bool IsPosMarker(int coordinate)
{
    return coordinate == kPosUncomputed || coordinate == kPosWaiting;
}

// A child as SakuLayout's resolver sees it: a window in the library, anything
// with a size in the tests. Borrowed for one call, UI thread.
struct ISakuLayoutChild {
    virtual const SakuLayoutParamStruct& GetParam() const = 0;
    virtual int GetID() const = 0;
    virtual int GetScale() const = 0;
    // The size the child wants in a parent of that size; a negative size is not known.
    virtual SIZE GetDesiredSize(int parentWidth, int parentHeight) = 0;

protected:
    ~ISakuLayoutChild() = default;
};

// Resolves the rectangles of `count` children, given in sibling order, inside a
// parent of `width` x `height` (-1: not known), relative to the parent's top-left.
// Every coordinate is resolved together, pass after pass, until a pass resolves
// nothing; a coordinate that depends on itself or on nothing known keeps its
// marker. False when memory for the records ran out (the rectangles then markers).
[[nodiscard]] bool ResolvePositions(ISakuLayoutChild* const children[], int count, int width, int height,
                                    RECT rects[]);

// The size that the children need, for a parent that wraps its content: the far
// edges of the children plus the distance a "-n" item keeps from the parent's far
// edge. A direction given as a marker answers that marker.
SIZE MeasurePositions(ISakuLayoutChild* const children[], int count, int width, int height);

}  // namespace SAKU
