#pragma once

#include "GdiHandles.h"

#include <cstdint>

namespace SAKU {

// A 32-bit top-down DIB section of the size (the pixel layout of every bitmap of
// the library), its pixels in `bits`. Empty, with `bits` null, when the size is not
// positive, does not fit the address space or GDI cannot make it.
UniqueBitmap CreateDIB32(int width, int height, void** bits);

// The four bytes of a colour word 0xAABBGGRR as a stored pixel: B, G, R, A in
// memory, each colour premultiplied by the alpha.
inline std::uint32_t PremultipliedPixel(COLORREF colour)
{
    const std::uint32_t alpha = colour >> 24;
    const auto channel = [alpha](std::uint32_t value) { return value * alpha / 255; };
    return alpha << 24 | channel(GetRValue(colour)) << 16 | channel(GetGValue(colour)) << 8 |
           channel(GetBValue(colour));
}

}  // namespace SAKU
