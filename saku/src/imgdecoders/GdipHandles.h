#pragma once

#include "TUniqueHandle.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

namespace SAKU {

// The GDI+ flat API's objects and the global memory a stream wraps, each in the
// project's handle template.

struct GdipBitmapTraits {
    static Gdiplus::GpBitmap* Invalid() { return nullptr; }
    static void Close(Gdiplus::GpBitmap* bitmap) { Gdiplus::DllExports::GdipDisposeImage(bitmap); }
};

struct GdipGraphicsTraits {
    static Gdiplus::GpGraphics* Invalid() { return nullptr; }
    static void Close(Gdiplus::GpGraphics* graphics) { Gdiplus::DllExports::GdipDeleteGraphics(graphics); }
};

struct GlobalMemoryTraits {
    static HGLOBAL Invalid() { return nullptr; }
    static void Close(HGLOBAL memory) { ::GlobalFree(memory); }
};

using UniqueGdipBitmap = TUniqueHandle<GdipBitmapTraits>;
using UniqueGdipGraphics = TUniqueHandle<GdipGraphicsTraits>;
using UniqueGlobalMemory = TUniqueHandle<GlobalMemoryTraits>;

}  // namespace SAKU
