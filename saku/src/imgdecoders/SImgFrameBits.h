#pragma once

#include "render/IImgDecoder.h"

namespace SAKU {

// A frame over premultiplied BGRA pixels (stride width x 4) held elsewhere: on the
// heap by the derived frame, or by the image. It hands out only the whole frame.
// Owned by its image; UI thread. Move-only, and a move keeps the pixels' address.
class SImgFrameBits : public IImgFrame {
public:
    SImgFrameBits(const BYTE* bits, UINT width, UINT height, int delay)
        : m_bits(bits), m_width(width), m_height(height), m_delay(delay) {}
    SImgFrameBits(SImgFrameBits&&) noexcept = default;
    SImgFrameBits& operator=(SImgFrameBits&&) noexcept = default;
    virtual ~SImgFrameBits() = default;

    // IImgFrame overrides
    BOOL GetSize(UINT* width, UINT* height) override;
    // Copies the whole frame when `bufferSize` is exactly width x height x 4;
    // `rect` and `stride` are not used.
    BOOL CopyPixels(const RECT* rect, UINT stride, UINT bufferSize, BYTE* buffer) override;
    int GetDelay() override { return m_delay; }

private:
    const BYTE* m_bits = nullptr;
    UINT m_width = 0;
    UINT m_height = 0;
    int m_delay = 0;
};

}  // namespace SAKU
