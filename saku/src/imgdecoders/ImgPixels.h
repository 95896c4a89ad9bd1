#pragma once

#include <windows.h>

#include <cstddef>

namespace SAKU {

// Conversions between the straight-alpha pixels that decoders and files hold and
// the library's pixels (B, G, R, A in memory, alpha premultiplied). Premultiplying
// divides by 255 with integer division, and a pixel of alpha 0 becomes all zero.

// `count` pixels of straight R, G, B, A turned in place into premultiplied B, G, R, A.
void PremultiplyRgbaToBgra(BYTE* pixels, size_t count);

// `count` pixels of straight B, G, R, A (GDI+'s 32bppARGB) copied premultiplied.
void PremultiplyBgra(const BYTE* source, BYTE* target, size_t count);

// `count` premultiplied B, G, R, A pixels copied as the straight R, G, B, A that
// PNG files hold; a colour byte above its alpha (not validly premultiplied) reads
// as fully saturated.
void UnpremultiplyBgraToRgba(const BYTE* source, BYTE* target, size_t count);

}  // namespace SAKU
