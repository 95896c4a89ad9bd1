#pragma once

#include "GdiHandles.h"
#include "TGdiRenderObjImpl.h"
#include "render/IBitmap.h"

namespace SAKU {

// A bitmap over a 32-bit top-down DIB section of premultiplied BGRA pixels, or
// empty (0 x 0, no DIB). Loading and saving go through the render factory's
// image-decoder factory. A render target draws into it while it is the target's
// current bitmap; GDI allows a bitmap in one DC at a time.
class SBitmap_GDI : public TGdiRenderObjImpl<IBitmap, kRenderObjBitmap> {
public:
    SOBJECT_CLASS(SObjectImpl<IBitmap>, L"bitmap", kObjTypeNone)

    explicit SBitmap_GDI(IRenderFactory* factory) : TGdiRenderObjImpl(factory) {}

    HBITMAP GetBitmap() const { return m_bitmap.Get(); }

    // IBitmap overrides
    HRESULT InitFromFrame(IImgFrame* frame) override;
    HRESULT Init(int width, int height, const void* bits) override;
    HRESULT LoadFromFile(LPCWSTR path) override;
    HRESULT LoadFromMemory(const void* data, size_t size) override;
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    SIZE Size() const override { return {m_width, m_height}; }
    void* LockPixelBits() override { return m_bits; }
    void UnlockPixelBits(void*) override {}
    const void* GetPixelBits() const override { return m_bits; }
    HRESULT Clone(IBitmap** clone) const override;
    HRESULT Scale(IBitmap** scaled, int width, int height, UINT filter) override;
    HRESULT ScaleByPercent(IBitmap** scaled, int percent, UINT filter) override;
    HRESULT Save(LPCWSTR path, REFGUID format) override;

private:
    // Empties the bitmap, then makes a zeroed DIB of the size.
    HRESULT Make(int width, int height);

    int m_width = 0;
    int m_height = 0;
    void* m_bits = nullptr;
    UniqueBitmap m_bitmap;
};

}  // namespace SAKU
