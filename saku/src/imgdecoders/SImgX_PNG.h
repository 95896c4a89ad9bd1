#pragma once

#include "imgdecoders/SImgFrameBits.h"
#include "imgdecoders/TImgXImpl.h"

#include <memory>

namespace SAKU {

struct IPngReader;

// A frame of the PNG module: a whole canvas inside its image's buffer; the delay
// is in 1/100 s.
class SImgFrame_PNG : public SImgFrameBits {
public:
    using SImgFrameBits::SImgFrameBits;
};

// An image of the PNG module: a PNG, or an animated PNG composed frame by frame
// onto its canvas as the format prescribes (offsets, "over" and "source" blends,
// the three disposals). All frames live in one buffer. Made by
// SImgDecoderFactory_PNG; UI thread.
class SImgX_PNG : public TImgXImpl<SImgFrame_PNG> {
public:
    // IImgX overrides
    int LoadFromMemory(const void* data, size_t size) override;
    int LoadFromFileW(LPCWSTR path) override;

private:
    int Load(IPngReader& reader);
    int Decode(IPngReader& reader);

    std::unique_ptr<BYTE[]> m_pixels;
    UINT m_playCount = 0;       // of an animation; 0 plays for ever
};

}  // namespace SAKU
