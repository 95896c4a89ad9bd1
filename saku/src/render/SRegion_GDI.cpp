#include "SRegion_GDI.h"

namespace SAKU {

SRegion_GDI::SRegion_GDI(IRenderFactory* factory) : TGdiRenderObjImpl(factory), m_region(::CreateRectRgn(0, 0, 0, 0))
{
}

void SRegion_GDI::CombineRect(const RECT* rect, int mode)
{
    if (!rect)
        return;
    const UniqueRegion other(::CreateRectRgnIndirect(rect));
    Combine(other.Get(), mode);
}

void SRegion_GDI::CombineRgn(const IRegion* other, int mode)
{
    const auto* region = SObjCast<SRegion_GDI>(other);
    if (region)
        Combine(region->GetRegion(), mode);
}

void SRegion_GDI::CombineRoundRect(const RECT* rect, int ellipseWidth, int ellipseHeight, int /*mode*/)
{
    if (!rect)
        return;
    const UniqueRegion shape(
        ::CreateRoundRectRgn(rect->left, rect->top, rect->right, rect->bottom, ellipseWidth, ellipseHeight));
    Combine(shape.Get(), RGN_COPY);
}

void SRegion_GDI::CombineEllipse(const RECT* rect, int /*mode*/)
{
    if (!rect)
        return;
    const UniqueRegion shape(::CreateEllipticRgnIndirect(rect));
    Combine(shape.Get(), RGN_COPY);
}

BOOL SRegion_GDI::PtInRegion(int x, int y) const
{
    return m_region && ::PtInRegion(m_region.Get(), x, y);
}

BOOL SRegion_GDI::RectInRegion(const RECT* rect) const
{
    return m_region && rect && ::RectInRegion(m_region.Get(), rect);
}

void SRegion_GDI::GetRgnBox(RECT* box) const
{
    if (!box)
        return;
    *box = {};
    if (m_region)
        ::GetRgnBox(m_region.Get(), box);
}

BOOL SRegion_GDI::IsEmpty() const
{
    RECT box;
    GetRgnBox(&box);
    return box.right == box.left || box.bottom == box.top;
}

void SRegion_GDI::Offset(int dx, int dy)
{
    if (m_region)
        ::OffsetRgn(m_region.Get(), dx, dy);
}

void SRegion_GDI::Clear()
{
    if (m_region)
        ::SetRectRgn(m_region.Get(), 0, 0, 0, 0);
}

void SRegion_GDI::CopyFromHRgn(HRGN region)
{
    Combine(region, RGN_COPY);
}

// GDI's order for RGN_DIFF is "first minus second", so the region comes first
// there; for the symmetric modes and RGN_COPY the other shape comes first.
void SRegion_GDI::Combine(HRGN other, int mode)
{
    if (!m_region || !other)
        return;
    if (mode == RGN_DIFF)
        ::CombineRgn(m_region.Get(), m_region.Get(), other, RGN_DIFF);
    else
        ::CombineRgn(m_region.Get(), other, m_region.Get(), mode);
}

}  // namespace SAKU
