#pragma once

#include <windows.h>
#include <windowsx.h>

namespace SAKU {

// The sides of a rectangle and the point a mouse message packs into its LPARAM,
// for every layer of the library. Pure functions; any thread.

inline int Width(const RECT& rect)
{
    return rect.right - rect.left;
}

inline int Height(const RECT& rect)
{
    return rect.bottom - rect.top;
}

// Signed: a point left of or above the window (a capture, a second monitor) is
// negative, which LOWORD/HIWORD would turn into a large positive number.
inline POINT PointOf(LPARAM lParam)
{
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

inline LPARAM LParamOf(POINT point)
{
    return MAKELPARAM(point.x, point.y);
}

}  // namespace SAKU
