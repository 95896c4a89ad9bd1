#pragma once

#include "core/SAttributeStore.h"

namespace SAKU {

// Where a child sits across a row or column of the linear layout, and in its cell
// area in the grid layout.
constexpr int kGravityNone = -1;     // the layout's; for a layout itself the near edge
constexpr int kGravityNear = 0;      // left or top
constexpr int kGravityCenter = 1;
constexpr int kGravityFar = 2;       // right or bottom
constexpr int kGravityFill = 3;      // the whole cell area (grid only)

// The gravity words of the linear layout and its parameters, compared exactly.
inline constexpr AttributeWord kLinearGravityWords[] = {
    {L"left", kGravityNear}, {L"top", kGravityNear},   {L"center", kGravityCenter},
    {L"right", kGravityFar}, {L"bottom", kGravityFar},
};

// The offset of a child of `size` in `length` along one direction by its gravity;
// a fill gravity also makes `size` the whole length.
int GravityOffset(int gravity, int length, int& size);

}  // namespace SAKU
