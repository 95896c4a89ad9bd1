#include "imgdecoders/PngReadStruct.h"

#include "imgdecoders/IPngReader.h"
#include "imgdecoders/PngCalls.h"

namespace SAKU {

namespace {

void ReadData(png_structp png, png_bytep data, size_t length) noexcept
{
    if (static_cast<IPngReader*>(png_get_io_ptr(png))->Read(data, length) != length)
        png_error(png, "read error");
}

}  // namespace

PngReadStruct::PngReadStruct(IPngReader& reader)
    : m_png(png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning))
{
    if (m_png) {
        m_info = png_create_info_struct(m_png);
        png_set_read_fn(m_png, &reader, ReadData);
    }
}

PngReadStruct::~PngReadStruct()
{
    png_destroy_read_struct(&m_png, m_info ? &m_info : nullptr, nullptr);
}

int ExpandToRgba(png_structp png)
{
    png_set_expand(png);              // palette, low bit depths and tRNS
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    return png_set_interlace_handling(png);
}

}  // namespace SAKU
