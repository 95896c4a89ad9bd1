#pragma once

#include "TComPtr.h"
#include "imgdecoders/TImgXImpl.h"

#include <wincodec.h>

#include <vector>

namespace SAKU {

// A frame of the WIC module: a format converter to premultiplied BGRA over the
// decoder's frame, which decodes when asked for pixels. Delay 0.
class SImgFrame_WIC : public IImgFrame {
public:
    explicit SImgFrame_WIC(TComPtr<IWICBitmapSource> source) : m_source(std::move(source)) {}

    // IImgFrame overrides
    BOOL GetSize(UINT* width, UINT* height) override;
    // Copies `rect` (null for the whole frame) with the caller's stride.
    BOOL CopyPixels(const RECT* rect, UINT stride, UINT bufferSize, BYTE* buffer) override;
    int GetDelay() override { return 0; }

private:
    TComPtr<IWICBitmapSource> m_source;
};

// An image of the WIC module: one frame per frame of the decoder that WIC finds for
// the data. The frames decode lazily, so the image keeps its own copy of bytes
// loaded from memory. Made by SImgDecoderFactory_WIC; UI thread.
class SImgX_WIC : public TImgXImpl<SImgFrame_WIC> {
public:
    explicit SImgX_WIC(TComPtr<IWICImagingFactory> factory) : m_factory(std::move(factory)) {}

    // IImgX overrides
    int LoadFromMemory(const void* data, size_t size) override;
    int LoadFromFileW(LPCWSTR path) override;

private:
    int Decode(IWICBitmapDecoder* decoder);

    TComPtr<IWICImagingFactory> m_factory;   // null when WIC could not be created
    std::vector<BYTE> m_data;                // the stream's bytes, for a load from memory
};

}  // namespace SAKU
