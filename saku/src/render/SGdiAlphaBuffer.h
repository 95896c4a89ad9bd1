#pragma once

#include "GdiHandles.h"

#include <cstdint>

namespace SAKU {

// A scratch 32-bit bitmap over one rectangle of a target DC, in which one plain GDI
// primitive draws with the target's own coordinates, pen, brush, font and text
// colour. GDI clears the alpha of every pixel it writes; Compose turns exactly those
// pixels opaque, the others transparent, and blends the result onto the target with
// the given alpha, so the target's alpha stays right around what was drawn. Made per
// primitive on the UI thread.
class SGdiAlphaBuffer {
public:
    // `rect` is in the target's logical coordinates; only the part inside its clip
    // box is kept. With `copyBackground` the target's pixels are copied in first, so
    // that smoothed text and edges blend against what is really there.
    SGdiAlphaBuffer(HDC target, const RECT& rect, BYTE alpha, bool copyBackground);
    SGdiAlphaBuffer(const SGdiAlphaBuffer&) = delete;
    SGdiAlphaBuffer& operator=(const SGdiAlphaBuffer&) = delete;

    // False when there is nothing to draw (empty or clipped away) or no buffer.
    explicit operator bool() const { return m_bits != nullptr; }
    // The DC to draw the primitive in; valid while the buffer lives.
    HDC Dc() const { return m_dc.Get(); }
    // Where GDI drew: the pixels it touched. Only once, after drawing.
    void Compose();

private:
    HDC m_target = nullptr;
    RECT m_rect = {};
    BYTE m_alpha = 0xFF;
    std::uint32_t* m_bits = nullptr;
    UniqueBitmap m_bitmap;
    UniqueMemoryDc m_dc;
    UniqueSelection m_selectBitmap;
    UniqueSelection m_selectPen;
    UniqueSelection m_selectBrush;
    UniqueSelection m_selectFont;
};

}  // namespace SAKU
