#pragma once

#include "core/IObjRef.h"

#include <windows.h>

#include <cstddef>

namespace SAKU {

struct IBitmap;

// One decoded frame of an image: 32-bit pixels, bytes B, G, R, A in memory, alpha
// premultiplied, rows top-down, stride width x 4. Owned by its IImgX and valid as
// long as the image is; it carries no reference count. UI thread.
struct IImgFrame {
    // FALSE for a frame without pixels.
    virtual BOOL GetSize(UINT* width, UINT* height) = 0;
    // Copies the frame's pixels into `buffer` of `bufferSize` bytes; TRUE when
    // copied. `rect` (null for the whole frame) and `stride` are honoured only by
    // the modules whose source can copy a part.
    virtual BOOL CopyPixels(const RECT* rect, UINT stride, UINT bufferSize, BYTE* buffer) = 0;
    // How long the frame shows: milliseconds in the GDI+ module, 1/100 s in the
    // PNG module, 0 in the others and for still images.
    virtual int GetDelay() = 0;

protected:
    ~IImgFrame() = default;
};

// An image with all its frames, made empty by IImgDecoderFactory::CreateImgX.
// Loading again replaces the frames, which invalidates the old frame pointers.
struct IImgX : IObjRef {
    // Each load decodes and returns the frame count; 0 when the data is no image
    // the module can decode.
    virtual int LoadFromMemory(const void* data, size_t size) = 0;
    // The path is in the ANSI code page.
    virtual int LoadFromFileA(LPCSTR path) = 0;
    virtual int LoadFromFileW(LPCWSTR path) = 0;
    virtual UINT GetFrameCount() = 0;
    // Null for an index not below the frame count; no reference is added.
    virtual IImgFrame* GetFrame(UINT index) = 0;
};

// An image-decoder module, reached through its creator (ImgDecoderCreators.h).
struct IImgDecoderFactory : IObjRef {
    // A new empty image with one reference, owned by the caller; TRUE.
    virtual BOOL CreateImgX(IImgX** imgX) = 0;
    // Writes the bitmap's pixels to the file `path` in the container that
    // `format` names (a GDI+ image format id; modules that write one format
    // ignore it). E_NOTIMPL for a module that cannot save.
    virtual HRESULT SaveImage(IBitmap* /*bitmap*/, LPCWSTR /*path*/, REFGUID /*format*/) { return E_NOTIMPL; }
    // The module's short name ("gdi+", "wic", "stb", "apng").
    virtual LPCWSTR GetDescription() const = 0;
};

}  // namespace SAKU
