#include "core/SSkinGradation.h"

#include "render/IRenderTarget.h"

namespace SAKU {

void SSkinGradation::DrawImpl(IRenderTarget* target, const RECT* rect, int, BYTE alpha)
{
    target->GradientFill(rect, m_vertical, m_colors[0], m_colors[1], alpha);
}

void SSkinGradation::ApplyColorize(COLORREF color)
{
    ColorizeColors(m_colors, m_saved, 2, color);
}

}  // namespace SAKU
