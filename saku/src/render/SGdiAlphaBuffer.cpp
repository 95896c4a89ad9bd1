#include "SGdiAlphaBuffer.h"

#include "Dib32.h"

namespace SAKU {

SGdiAlphaBuffer::SGdiAlphaBuffer(HDC target, const RECT& rect, BYTE alpha, bool copyBackground)
    : m_target(target), m_alpha(alpha)
{
    RECT clip;
    if (::GetClipBox(target, &clip) == ERROR || !::IntersectRect(&m_rect, &rect, &clip))
        return;
    const int width = m_rect.right - m_rect.left;
    const int height = m_rect.bottom - m_rect.top;
    void* bits = nullptr;
    m_bitmap = CreateDIB32(width, height, &bits);
    m_dc.Reset(::CreateCompatibleDC(target));
    if (!m_bitmap || !m_dc)
        return;
    m_selectBitmap = SelectInto(m_dc.Get(), m_bitmap.Get());
    // Pens, brushes and fonts may be selected into two DCs at once; bitmaps may not.
    m_selectPen = SelectInto(m_dc.Get(), ::GetCurrentObject(target, OBJ_PEN));
    m_selectBrush = SelectInto(m_dc.Get(), ::GetCurrentObject(target, OBJ_BRUSH));
    m_selectFont = SelectInto(m_dc.Get(), ::GetCurrentObject(target, OBJ_FONT));
    ::SetBkMode(m_dc.Get(), TRANSPARENT);
    ::SetTextColor(m_dc.Get(), ::GetTextColor(target));
    ::SetViewportOrgEx(m_dc.Get(), -m_rect.left, -m_rect.top, nullptr);
    if (copyBackground)
        ::BitBlt(m_dc.Get(), m_rect.left, m_rect.top, width, height, target, m_rect.left, m_rect.top, SRCCOPY);
    ::GdiFlush();
    m_bits = static_cast<std::uint32_t*>(bits);
    const size_t count = size_t(width) * height;
    for (size_t i = 0; i < count; ++i)
        m_bits[i] |= 0xFF000000;
}

void SGdiAlphaBuffer::Compose()
{
    if (!m_bits)
        return;
    ::GdiFlush();
    const int width = m_rect.right - m_rect.left;
    const int height = m_rect.bottom - m_rect.top;
    const size_t count = size_t(width) * height;
    for (size_t i = 0; i < count; ++i) {
        // Alpha 0 marks a pixel GDI wrote; any other was left alone.
        const std::uint32_t pixel = m_bits[i];
        m_bits[i] = pixel >> 24 ? 0 : pixel | 0xFF000000;
    }
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, m_alpha, AC_SRC_ALPHA};
    ::GdiAlphaBlend(m_target, m_rect.left, m_rect.top, width, height, m_dc.Get(), m_rect.left, m_rect.top, width,
                    height, blend);
    m_bits = nullptr;
}

}  // namespace SAKU
