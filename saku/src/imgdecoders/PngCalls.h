#pragma once

#include <png.h>

#include <csetjmp>

namespace SAKU {

// libpng reports a failure by longjmp to the last setjmp on its jump buffer. The
// PNG module makes every libpng call inside PngTry, whose step must hold only
// plain data: a longjmp skips the destructors of the frames it leaves.

// The error and warning handlers of the module's libpng structs: silent; an error
// jumps back to PngTry.
[[noreturn]] void OnPngError(png_structp png, png_const_charp message) noexcept;
void OnPngWarning(png_structp png, png_const_charp message) noexcept;

// Runs `step` (libpng calls on plain data); false when libpng failed inside it.
template <typename Step>
bool PngTry(png_structp png, Step&& step) noexcept
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    step();
    return true;
}

}  // namespace SAKU
