#pragma once

#include "imgdecoders/SImgFrameBits.h"
#include "imgdecoders/TImgXImpl.h"

#include <memory>

namespace SAKU {

// The frame of the stb module: the pixels stb_image allocated, premultiplied in place.
class SImgFrame_STB : public SImgFrameBits {
public:
    using Pixels = std::unique_ptr<BYTE, void (*)(void*)>;
    SImgFrame_STB(Pixels pixels, UINT width, UINT height);

private:
    Pixels m_pixels;
};

// An image of the stb module: at most one frame, of any format stb_image reads.
// Made by SImgDecoderFactory_STB; UI thread.
class SImgX_STB : public TImgXImpl<SImgFrame_STB> {
public:
    // IImgX overrides
    int LoadFromMemory(const void* data, size_t size) override;
    int LoadFromFileW(LPCWSTR path) override;

private:
    int Adopt(BYTE* pixels, int width, int height);
};

}  // namespace SAKU
