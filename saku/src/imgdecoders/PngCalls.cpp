#include "imgdecoders/PngCalls.h"

namespace SAKU {

void OnPngError(png_structp png, png_const_charp) noexcept
{
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) noexcept {}

}  // namespace SAKU
