#pragma once

#include <windows.h>

namespace SAKU {

// HIMETRIC units (1/100 mm, as OLE sizes are given) to and from screen pixels at
// the screen's dots per inch; 2540 HIMETRIC make one inch.
void HimetricToPixel(const SIZE& himetric, SIZE& pixels);
void PixelToHimetric(const SIZE& pixels, SIZE& himetric);

}  // namespace SAKU
