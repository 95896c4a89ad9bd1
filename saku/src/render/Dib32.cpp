#include "Dib32.h"

namespace SAKU {

namespace {

// A 32-bit process cannot map a bitmap near 2 GB; GDI computes the size in 32 bits
// and may wrap around on larger ones, so those are refused before it sees them.
constexpr std::uint64_t kMaxDibBytes = 0x7FFFFFFF;

}  // namespace

UniqueBitmap CreateDIB32(int width, int height, void** bits)
{
    *bits = nullptr;
    if (width <= 0 || height <= 0 || std::uint64_t(width) * std::uint64_t(height) * 4 > kMaxDibBytes)
        return UniqueBitmap();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;                 // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
    if (!bitmap)
        *bits = nullptr;
    return bitmap;
}

}  // namespace SAKU
