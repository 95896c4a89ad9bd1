#include "SGdiAlphaBuffer.h"

#include "Dib32.h"

#include <algorithm>

namespace SAKU {

bool SGdiScratch::Reserve(int width, int height)
{
    if (width <= m_width && height <= m_height)
        return m_bits != nullptr;
    const int newWidth = std::max(width, m_width);
    const int newHeight = std::max(height, m_height);
    m_selectBitmap.Reset();
    m_bitmap.Reset();
    m_bits = nullptr;
    m_width = m_height = 0;
    if (!m_dc)
        m_dc.Reset(::CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    m_bitmap = CreateDIB32(newWidth, newHeight, &bits);
    if (!m_dc || !m_bitmap)
        return false;
    m_selectBitmap = SelectInto(m_dc.Get(), m_bitmap.Get());
    ::SetBkMode(m_dc.Get(), TRANSPARENT);
    m_bits = static_cast<std::uint32_t*>(bits);
    m_width = newWidth;
    m_height = newHeight;
    return true;
}

SGdiAlphaBuffer::SGdiAlphaBuffer(HDC target, SGdiScratch& scratch, const RECT& rect, BYTE alpha,
                                 bool copyBackground)
    : m_target(target), m_scratch(scratch), m_alpha(alpha)
{
    RECT clip;
    if (::GetClipBox(target, &clip) == ERROR || !::IntersectRect(&m_rect, &rect, &clip))
        return;
    const int width = m_rect.right - m_rect.left;
    const int height = m_rect.bottom - m_rect.top;
    if (!scratch.Reserve(width, height))
        return;
    const HDC dc = scratch.Dc();
    // Pens, brushes and fonts may be selected into two DCs at once; bitmaps may not.
    m_selectPen = SelectInto(dc, ::GetCurrentObject(target, OBJ_PEN));
    m_selectBrush = SelectInto(dc, ::GetCurrentObject(target, OBJ_BRUSH));
    m_selectFont = SelectInto(dc, ::GetCurrentObject(target, OBJ_FONT));
    ::SetTextColor(dc, ::GetTextColor(target));
    ::SetViewportOrgEx(dc, -m_rect.left, -m_rect.top, nullptr);
    if (copyBackground)
        ::BitBlt(dc, m_rect.left, m_rect.top, width, height, target, m_rect.left, m_rect.top, SRCCOPY);
    ::GdiFlush();
    for (int y = 0; y < height; ++y) {
        std::uint32_t* const row = scratch.Row(y);
        if (copyBackground)
            std::for_each(row, row + width, [](std::uint32_t& pixel) { pixel |= 0xFF000000; });
        else
            std::fill_n(row, width, 0xFF000000);
    }
    m_ready = true;
}

void SGdiAlphaBuffer::Compose()
{
    if (!m_ready)
        return;
    m_ready = false;
    ::GdiFlush();
    const int width = m_rect.right - m_rect.left;
    const int height = m_rect.bottom - m_rect.top;
    for (int y = 0; y < height; ++y) {
        // Alpha 0 marks a pixel GDI wrote; any other was left alone.
        std::uint32_t* const row = m_scratch.Row(y);
        std::for_each(row, row + width,
                      [](std::uint32_t& pixel) { pixel = pixel >> 24 ? 0 : pixel | 0xFF000000; });
    }
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, m_alpha, AC_SRC_ALPHA};
    ::GdiAlphaBlend(m_target, m_rect.left, m_rect.top, width, height, m_scratch.Dc(), m_rect.left, m_rect.top,
                    width, height, blend);
}

}  // namespace SAKU
