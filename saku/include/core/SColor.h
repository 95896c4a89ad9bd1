#pragma once

#include <windows.h>

namespace SAKU {

// The UI library's colours are words 0xAABBGGRR: a COLORREF with alpha in the high
// byte. This one means that no colour is set.
constexpr COLORREF kColorNone = 0x00FFFFFF;

constexpr BYTE ColorAlpha(COLORREF color)
{
    return static_cast<BYTE>(color >> 24);
}

// The colour drawn at `alpha`: its own alpha scaled by alpha / 256, so that a
// colour of alpha 255 drawn at 128 has 127; at 255 the colour stays as it is.
constexpr COLORREF ColorAtAlpha(COLORREF color, BYTE alpha)
{
    if (alpha == 0xFF)
        return color;
    return (color & 0x00FFFFFF) | static_cast<COLORREF>((ColorAlpha(color) * alpha) >> 8) << 24;
}

}  // namespace SAKU
