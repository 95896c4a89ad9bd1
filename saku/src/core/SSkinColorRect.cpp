#include "core/SSkinColorRect.h"

#include "core/SColor.h"
#include "render/IRenderTarget.h"

namespace SAKU {

int SSkinColorRect::GetStates() const
{
    for (int state = kStateCount - 1; state >= 0; --state) {
        if (m_colors[state] != kColorNone)
            return state + 1;
    }
    return 0;
}

void SSkinColorRect::DrawImpl(IRenderTarget* target, const RECT* rect, int state, BYTE alpha)
{
    if (state < 0 || state >= kStateCount)
        return;
    const COLORREF own = m_colors[state];
    const COLORREF color = ColorAtAlpha(own != kColorNone ? own : m_colors[0], alpha);
    if (m_cornerRadius != 0)
        target->FillSolidRoundRect(rect, POINT{m_cornerRadius, m_cornerRadius}, color);
    else
        target->FillSolidRect(rect, color);
}

}  // namespace SAKU
