#pragma once

#include <windows.h>

#include <cstddef>

namespace SAKU {

struct IBitmap;
struct IImgX;

// Images decoded through the application's render factory and its image-decoder
// factory, for the manager and both providers. Each answers a new object with one
// reference for the caller, or null: without an application, render factory or
// decoder factory, and when the data yields no frame. (A bitmap's loader answers
// S_FALSE for data without a frame and leaves the bitmap 0 x 0; such a bitmap is
// refused, so that it never replaces a good image.)
IBitmap* DecodeBitmap(const void* data, size_t size);
IBitmap* DecodeBitmapFile(LPCWSTR path);
IImgX* DecodeImgX(const void* data, size_t size);
IImgX* DecodeImgXFile(LPCWSTR path);

}  // namespace SAKU
