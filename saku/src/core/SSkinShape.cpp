#include "core/SSkinShape.h"

#include "core/RenderObjSelection.h"
#include "core/SplitString.h"
#include "core/SSkinShapeParts.h"
#include "core/SXmlLookup.h"
#include "render/IBrush.h"
#include "render/IPen.h"
#include "render/IRegion.h"
#include "render/IRenderTarget.h"

#include <cstdio>
#include <wchar.h>

namespace SAKU {

namespace {

// The part `holder` holds, made the first time its element is read.
template <typename T>
void ReadPart(SAutoRef<T>& holder, pugi::xml_node element)
{
    if (!holder)
        holder = SAutoRef<T>::Adopt(new T);
    holder->BuildFromXml(element);
}

}  // namespace

HRESULT SSkinShape::SCornerSize::OnAttrRadius(const SStringW& value, BOOL)
{
    SDynArray<SStringW> sizes;
    const int count = SplitString(value, L',', sizes);
    if (count != 1 && count != 2)
        return E_INVALIDARG;
    m_radiusX = SLayoutDim(sizes[0]);
    m_radiusY = SLayoutDim(sizes[count - 1]);
    return kRefresh;
}

SSkinShape::SSkinShape() = default;
SSkinShape::~SSkinShape() = default;

void SSkinShape::OnInitFinished(pugi::xml_node element)
{
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        const wchar_t* const tag = child.name();
        if (child.type() != pugi::node_element)
            continue;
        if (_wcsicmp(tag, L"solid") == 0)
            StoreColorAttribute(m_fillColor, XmlAttribute(child, L"color").value(), kRefresh);
        else if (_wcsicmp(tag, L"gradient") == 0)
            ReadPart(m_gradient, child);
        else if (_wcsicmp(tag, L"size") == 0)
            ReadPart(m_size, child);
        else if (_wcsicmp(tag, L"stroke") == 0)
            ReadPart(m_stroke, child);
        else if (_wcsicmp(tag, L"corners") == 0)
            ReadPart(m_corners, child);
        else if (_wcsicmp(tag, L"ring") == 0)
            ReadPart(m_ring, child);
    }
}

SIZE SSkinShape::QuerySkinSize() const
{
    if (!m_size)
        return SIZE{0, 0};
    return SIZE{Pixels(m_size->m_width), Pixels(m_size->m_height)};
}

void SSkinShape::ScaleInto(SSkinObjBase* target, int scale)
{
    SSkinObjBase::ScaleInto(target, scale);
    auto* const copy = static_cast<SSkinShape*>(target);
    copy->m_shape = m_shape;
    copy->m_fillColor = m_fillColor;
    copy->m_size = m_size;
    copy->m_corners = m_corners;
    copy->m_stroke = m_stroke;
    copy->m_gradient = m_gradient;
    copy->m_ring = m_ring;
}

void SSkinShape::DrawImpl(IRenderTarget* target, const RECT* rect, int, BYTE alpha)
{
    const POINT corners = m_corners ? POINT{Pixels(m_corners->m_radiusX), Pixels(m_corners->m_radiusY)} : POINT{0, 0};
    const bool rounded = corners.x != 0 || corners.y != 0;
    RECT inner = *rect;
    ::InflateRect(&inner, -1, -1);

    if (m_fillColor != kColorNone && m_shape != kRing) {
        IBrush* made = nullptr;
        if (SUCCEEDED(target->CreateSolidColorBrush(m_fillColor, &made)) && made) {
            auto brush = SAutoRef<IBrush>::Adopt(made);
            const RenderObjSelection selection(target, brush.Get());
            if (m_shape == kOval)
                target->FillEllipse(&inner);
            else if (rounded)
                target->FillSolidRoundRect(&inner, corners, m_fillColor);
            else
                target->FillSolidRect(&inner, m_fillColor);
        }
    }
    if (m_gradient)
        DrawGradient(target, inner, rounded ? corners : POINT{0, 0}, alpha);
    if (m_stroke)
        DrawStroke(target, inner, corners);
}

void SSkinShape::DrawGradient(IRenderTarget* target, const RECT& inner, POINT corners, BYTE alpha)
{
    bool clipped = false;
    IRegion* made = nullptr;
    if (SUCCEEDED(target->CreateRegion(&made)) && made) {
        auto region = SAutoRef<IRegion>::Adopt(made);
        if (m_shape == kOval)
            region->CombineEllipse(&inner, RGN_COPY);
        else if (m_shape == kRectangle && (corners.x != 0 || corners.y != 0))
            region->CombineRoundRect(&inner, corners.x, corners.y, RGN_COPY);
        if (!region->IsEmpty())
            clipped = SUCCEEDED(target->PushClipRegion(region.Get(), RGN_AND));
    }
    const SGradient& gradient = *m_gradient.Get();
    target->DrawGradientShape(&inner, gradient.m_type, gradient.m_startColor, gradient.m_centerColor,
                              gradient.m_endColor, gradient.m_angle, gradient.m_centerX, gradient.m_centerY,
                              Pixels(gradient.m_radius), alpha);
    if (clipped)
        target->PopClip();
}

void SSkinShape::DrawStroke(IRenderTarget* target, const RECT& inner, POINT corners)
{
    const int width = Pixels(m_stroke->m_width);
    IPen* made = nullptr;
    if (FAILED(target->CreatePen(m_stroke->m_style, m_stroke->m_color, width, &made)) || !made)
        return;
    auto pen = SAutoRef<IPen>::Adopt(made);
    const RenderObjSelection selection(target, pen.Get());
    if (m_shape == kRectangle) {
        if (corners.x != 0 || corners.y != 0)
            target->DrawRoundRect(&inner, corners);
        else
            target->DrawRectangle(&inner);
    } else if (m_shape == kOval) {
        target->DrawEllipse(&inner);
    } else if (m_ring) {
        const int radius = Pixels(m_ring->m_innerRadio) + width / 2;
        const int centerX = (inner.left + inner.right) / 2;
        const int centerY = (inner.top + inner.bottom) / 2;
        const RECT square = {centerX - radius, centerY - radius, centerX + radius, centerY + radius};
        target->DrawArc(&square, m_ring->m_startAngle, m_ring->m_sweepAngle, FALSE);
    }
}

}  // namespace SAKU
