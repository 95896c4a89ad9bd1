#include "core/SSkinButton.h"

#include "core/RenderObjSelection.h"
#include "core/SColor.h"
#include "render/IPen.h"
#include "render/IRegion.h"
#include "render/IRenderTarget.h"

namespace SAKU {

SSkinButton::SSkinButton()
    : m_colors{0x707070,                                  // border
               0xEEEEEE, 0xEEEEEE, 0xCECECE, 0x8E8E8E,    // up: normal, hover, pushed, disabled
               0xD6D6D6, 0xE0E0E0, 0xC0C0C0, 0x808080}    // down
{
}

void SSkinButton::DrawImpl(IRenderTarget* target, const RECT* rect, int state, BYTE alpha)
{
    if (state < 0 || state >= kStateCount)
        return;
    const int radius = m_cornerRadius;
    bool clipped = false;
    if (radius > 2) {
        IRegion* made = nullptr;
        if (SUCCEEDED(target->CreateRegion(&made)) && made) {
            auto region = SAutoRef<IRegion>::Adopt(made);
            const RECT outline = {rect->left, rect->top, rect->right + 1, rect->bottom + 1};
            region->CombineRoundRect(&outline, radius * 2, radius * 2, RGN_COPY);
            clipped = SUCCEEDED(target->PushClipRegion(region.Get(), RGN_AND));
        }
    }
    const COLORREF up = GetUpColor(state);
    const COLORREF down = GetDownColor(state);
    if (up == down) {
        target->FillSolidRect(rect, ColorAtAlpha(up, alpha));
    } else {
        RECT inner = *rect;
        ::InflateRect(&inner, -1, -1);
        target->GradientFill(&inner, TRUE, up, down, alpha);
    }
    IPen* pen = nullptr;
    if (SUCCEEDED(target->CreatePen(PS_SOLID, GetBorderColor(), 1, &pen)) && pen) {
        auto border = SAutoRef<IPen>::Adopt(pen);
        const RenderObjSelection selection(target, border.Get());
        target->DrawRoundRect(rect, POINT{radius, radius});
    }
    if (clipped)
        target->PopClip();
}

void SSkinButton::ApplyColorize(COLORREF color)
{
    ColorizeColors(m_colors, m_saved, kColorCount, color);
}

}  // namespace SAKU
