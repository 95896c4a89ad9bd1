#pragma once

#include "render/IRenderObj.h"

namespace SAKU {

struct IImgFrame;

// An image in memory: 32 bits a pixel, bytes B, G, R, A, alpha premultiplied, rows
// top-down, stride width x 4. Made empty (0 x 0) by IRenderFactory::CreateBitmap,
// then initialised, loaded through the factory's image decoders, or drawn into as a
// render target's current bitmap. Reference counted, born with one reference for
// the caller of CreateBitmap; kept by what draws it (a skin's image, an image
// element). UI thread.
struct IBitmap : IRenderObj {
    // The frame's whole pixel area becomes the bitmap. E_OUTOFMEMORY when no
    // bitmap of its size can be made.
    virtual HRESULT InitFromFrame(IImgFrame* frame) = 0;
    // A new bitmap of the size with a copy of width x 4 x height bytes of `bits`,
    // or zeroed when `bits` is null. On failure (E_OUTOFMEMORY) the bitmap is 0 x 0.
    virtual HRESULT Init(int width, int height, const void* bits) = 0;
    // The first frame of the image becomes the bitmap; S_FALSE, the bitmap
    // unchanged, when the decoders find no frame.
    virtual HRESULT LoadFromFile(LPCWSTR path) = 0;
    virtual HRESULT LoadFromMemory(const void* data, size_t size) = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual SIZE Size() const = 0;
    // The pixels, null for an empty bitmap. Call GdiFlush before reading pixels
    // that GDI drew.
    virtual void* LockPixelBits() = 0;
    virtual void UnlockPixelBits(void* bits) = 0;
    virtual const void* GetPixelBits() const = 0;
    // A new bitmap with a copy of the pixels, owned by the caller.
    virtual HRESULT Clone(IBitmap** clone) const = 0;
    // A new bitmap of the size with the pixels stretched into it (a clone at the
    // same size), owned by the caller. `filter` is the drawing's filter level.
    virtual HRESULT Scale(IBitmap** scaled, int width, int height, UINT filter) = 0;
    virtual HRESULT ScaleByPercent(IBitmap** scaled, int percent, UINT filter) = 0;
    // Through the image-decoder factory's SaveImage; `format` names the container.
    virtual HRESULT Save(LPCWSTR path, REFGUID format) = 0;
};

}  // namespace SAKU
