#pragma once

#include "GdiHandles.h"

#include <cstdint>

namespace SAKU {

// The scratch bitmap and DC that a render target's alpha buffers draw in, kept from
// one primitive to the next and grown to the largest area asked for (at most the
// target's own size, since buffers are clipped to it). Owned by one target.
class SGdiScratch {
public:
    // Makes room for width x height pixels; false when no bitmap of that size can be made.
    bool Reserve(int width, int height);

    HDC Dc() const { return m_dc.Get(); }
    std::uint32_t* Row(int y) const { return m_bits + size_t(y) * m_width; }

private:
    int m_width = 0;
    int m_height = 0;
    std::uint32_t* m_bits = nullptr;
    UniqueBitmap m_bitmap;
    UniqueMemoryDc m_dc;
    UniqueSelection m_selectBitmap;
};

// One rectangle of a target DC drawn through the scratch bitmap: one plain GDI
// primitive draws there with the target's own coordinates, pen, brush, font and
// text colour. GDI clears the alpha of every pixel it writes; Compose turns exactly
// those pixels opaque, the others transparent, and blends the result onto the target
// with the given alpha, so the target's alpha stays right around what was drawn.
class SGdiAlphaBuffer {
public:
    // `rect` is in the target's logical coordinates; only the part inside its clip
    // box is kept. With `copyBackground` the target's pixels are copied in first, so
    // that smoothed text and edges blend against what is really there.
    SGdiAlphaBuffer(HDC target, SGdiScratch& scratch, const RECT& rect, BYTE alpha, bool copyBackground);
    SGdiAlphaBuffer(const SGdiAlphaBuffer&) = delete;
    SGdiAlphaBuffer& operator=(const SGdiAlphaBuffer&) = delete;

    // False when there is nothing to draw (empty or clipped away) or no buffer.
    explicit operator bool() const { return m_ready; }
    // The DC to draw the primitive in; valid while the buffer lives.
    HDC Dc() const { return m_scratch.Dc(); }
    // Blends what the primitive drew onto the target. Only once, after drawing.
    void Compose();

private:
    HDC m_target = nullptr;
    SGdiScratch& m_scratch;
    RECT m_rect = {};
    BYTE m_alpha = 0xFF;
    bool m_ready = false;
    UniqueSelection m_selectPen;
    UniqueSelection m_selectBrush;
    UniqueSelection m_selectFont;
};

}  // namespace SAKU
