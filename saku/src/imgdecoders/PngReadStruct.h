#pragma once

#include <png.h>

namespace SAKU {

struct IPngReader;

// The read and info structs of one decode, reading from `reader`, which must
// outlive them. Every libpng call on them runs inside PngTry (PngCalls.h).
class PngReadStruct {
public:
    explicit PngReadStruct(IPngReader& reader);
    ~PngReadStruct();
    PngReadStruct(const PngReadStruct&) = delete;
    PngReadStruct& operator=(const PngReadStruct&) = delete;

    png_structp Png() const { return m_png; }
    png_infop Info() const { return m_info; }
    explicit operator bool() const { return m_png && m_info; }

private:
    png_structp m_png;
    png_infop m_info = nullptr;
};

// Asks libpng for 8-bit straight R, G, B, A rows whatever the file holds (palette,
// grey, low or 16-bit depths, transparency chunk); the number of interlace passes
// to read. Call after png_read_info, inside PngTry, then png_read_update_info.
int ExpandToRgba(png_structp png);

}  // namespace SAKU
