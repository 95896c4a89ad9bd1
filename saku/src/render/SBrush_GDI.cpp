#include "SBrush_GDI.h"

#include "Dib32.h"

#include <algorithm>
#include <cstdint>

namespace SAKU {

SBrush_GDI::SBrush_GDI(IRenderFactory* factory, COLORREF colour)
    : TGdiRenderObjImpl(factory), m_brush(::CreateSolidBrush(colour & 0x00FFFFFF)), m_colour(colour)
{
}

SBrush_GDI::SBrush_GDI(IRenderFactory* factory, const IBitmap& pattern) : TGdiRenderObjImpl(factory), m_isBitmap(true)
{
    // GDI lays a 32-bit pattern down with its alpha, but the target tells drawn
    // pixels by the alpha of 0 that GDI writes; so the pattern's alpha is left out,
    // and its colours fill opaque.
    const auto* source = static_cast<const std::uint32_t*>(pattern.GetPixelBits());
    void* bits = nullptr;
    const UniqueBitmap copy = CreateDIB32(pattern.Width(), pattern.Height(), &bits);
    if (!source || !copy)
        return;
    const size_t count = size_t(pattern.Width()) * pattern.Height();
    std::transform(source, source + count, static_cast<std::uint32_t*>(bits),
                   [](std::uint32_t pixel) { return pixel & 0x00FFFFFF; });
    m_brush.Reset(::CreatePatternBrush(copy.Get()));   // GDI keeps its own copy
}

}  // namespace SAKU
