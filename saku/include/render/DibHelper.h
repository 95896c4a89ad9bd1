#pragma once

#include <windows.h>

namespace SAKU {

struct IBitmap;

// Recolouring towards a target colour (the skins' colorize): each colour keeps its
// lightness and alpha and takes the target's hue and saturation, mixed 80 % with the
// original. Colours are words 0xAABBGGRR. UI thread.
namespace DibHelper {

// A straight colour word; one of alpha 0 stays as it is. TRUE.
BOOL ColorizeColor(COLORREF& colour, COLORREF target);
// Every pixel of the bitmap (premultiplied BGRA); FALSE for a null bitmap or one
// without pixels.
BOOL ColorizeBitmap(IBitmap* bitmap, COLORREF target);

}  // namespace DibHelper

}  // namespace SAKU
