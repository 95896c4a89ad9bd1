#pragma once

#include "imgdecoders/SImgFrameBits.h"
#include "imgdecoders/TImgXImpl.h"

#include "core/SAutoRef.h"

#include <memory>

namespace Gdiplus {
class GpBitmap;
}

namespace SAKU {

// A frame of the GDI+ module with its own pixels; the delay is in milliseconds.
class SImgFrame_GDIP : public SImgFrameBits {
public:
    SImgFrame_GDIP(std::unique_ptr<BYTE[]> pixels, UINT width, UINT height, int delay);

private:
    std::unique_ptr<BYTE[]> m_pixels;
};

// An image of the GDI+ module: every frame of the time dimension (a GIF's frames
// as GDI+ composes them), decoded at load. Holds a reference on its module, whose
// life is GDI+'s. Made by SImgDecoderFactory_GDIP; UI thread.
class SImgX_GDIP : public TImgXImpl<SImgFrame_GDIP> {
public:
    explicit SImgX_GDIP(IImgDecoderFactory* factory) : m_factory(factory) {}

    // IImgX overrides
    int LoadFromMemory(const void* data, size_t size) override;
    int LoadFromFileW(LPCWSTR path) override;

private:
    int Decode(Gdiplus::GpBitmap* bitmap);

    SAutoRef<IImgDecoderFactory> m_factory;
};

}  // namespace SAKU
