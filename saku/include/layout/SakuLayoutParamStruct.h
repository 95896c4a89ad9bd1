#pragma once

#include "core/SLayoutDim.h"

#include <windows.h>

namespace SAKU {

// What a position item's value is measured from (see SakuLayout for the values).
constexpr int kPosParentEdge = 1;   // no prefix: the parent's near edge, its far edge with "-"
constexpr int kPosCenter = 2;       // "|": half the parent's size
constexpr int kPosPercent = 3;      // "%": a percentage of the parent's size
constexpr int kPosPrevFar = 4;      // "[": the previous sibling's right or bottom
constexpr int kPosNextNear = 5;     // "]": the next sibling's left or top
constexpr int kPosPrevNear = 6;     // "{": the previous sibling's left or top
constexpr int kPosNextFar = 7;      // "}": the next sibling's right or bottom
constexpr int kPosSize = 8;         // "@": a width or height, third and fourth items only
constexpr int kPosSibNear = 10;     // "sib.left@id:n", "sib.top@id:n"
constexpr int kPosSibFar = 11;      // "sib.right@id:n", "sib.bottom@id:n"

// One coordinate of a "pos": a reference, then a signed offset from it.
struct SakuPosItem {
    int type = kPosParentEdge;
    int siblingId = -1;          // kPosSibNear and kPosSibFar only
    signed char sign = 1;        // -1 when written with "-"
    SLayoutDim offset;
};

// The parameters a child gives SakuLayout, as read from its "pos", "width",
// "height", "size" and "offset" attributes. A plain value, owned by the child's
// SakuLayoutParam; the attribute setters are its parsers, kept pure so that a
// table of texts tests them.
struct SakuLayoutParamStruct {
    int count = 0;               // items of "pos": 0 (none), 2 (left, top) or 4
    SakuPosItem left;
    SakuPosItem right;
    SakuPosItem top;
    SakuPosItem bottom;
    float offsetX = 0.0f;        // moves the rectangle by this many times its width
    float offsetY = 0.0f;
    SLayoutDim width{kSizeWrapContent, kUnitPx};
    SLayoutDim height{kSizeWrapContent, kUnitPx};

    // Whether `size` (width or height of this) wraps the content: -1, or no "pos"
    // and no size.
    bool WrapsContent(const SLayoutDim& size) const { return size.IsWrapContent() || (count == 0 && !size.IsValid()); }

    // "pos": 2 or 4 comma-separated items, or E_INVALIDARG and nothing changes.
    // Items that do not parse leave everything as it was and answer S_OK too.
    HRESULT SetPos(const SStringW& value);
    // "width" and "height": "matchParent" or "full", "wrapContent" (any case), or
    // a layout size. S_OK.
    HRESULT SetWidth(const SStringW& value);
    HRESULT SetHeight(const SStringW& value);
    // "size": exactly two values as for "width" and "height"; else E_FAIL, unchanged.
    HRESULT SetSize(const SStringW& value);
    // "offset": two numbers read with "%f,%f"; else E_FAIL, unchanged.
    HRESULT SetOffset(const SStringW& value);
};

}  // namespace SAKU
