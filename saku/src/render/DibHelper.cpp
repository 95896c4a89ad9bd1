#include "render/DibHelper.h"

#include "render/IBitmap.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace SAKU {

namespace {

// The target's share of a colorized channel, in 256ths (0.8); the rest is the pixel's.
constexpr int kTargetWeight = 204;
constexpr int kPixelWeight = 256 - kTargetWeight;

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// Hue and saturation of the target on the 0..255 scale of GDI's HLS, in integers.
struct HueSaturation {
    int hue = 170;
    int saturation = 0;
};

HueSaturation TargetHueSaturation(COLORREF target)
{
    const int r = GetRValue(target), g = GetGValue(target), b = GetBValue(target);
    const int max = std::max({r, g, b});
    const int min = std::min({r, g, b});
    HueSaturation result;
    if (max == min)
        return result;
    const int lightness = (max + min + 1) * 255 / 510;
    const int d = max - min;
    result.saturation = lightness < 128 ? ((max + min) / 2 + d * 255) / (max + min)
                                        : ((510 - max - min) / 2 + d * 255) / (510 - max - min);
    const auto share = [max, d](int x) { return ((max - x) * 42 + d / 2) / d; };
    int hue;
    if (r == max)
        hue = share(b) - share(g);
    else if (g == max)
        hue = share(r) - share(b) + 85;
    else
        hue = share(g) - share(r) + 170;
    result.hue = hue & 0xFF;
    return result;
}

// The colour of the target's hue and saturation at a lightness 0..255.
Rgb FromHsl(const HueSaturation& target, int lightness)
{
    const double l = lightness / 255.0;
    const double s = target.saturation / 255.0;
    if (target.saturation == 0) {
        const int grey = int(l * 255);
        return {grey, grey, grey};
    }
    const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    const double m1 = 2 * l - m2;
    const auto value = [m1, m2](double angle) {
        if (angle > 360)
            angle -= 360;
        else if (angle < 0)
            angle += 360;
        if (angle < 60)
            return m1 + (m2 - m1) * angle / 60;
        if (angle < 180)
            return m2;
        if (angle < 240)
            return m1 + (m2 - m1) * (240 - angle) / 60;
        return m1;
    };
    const double hue = target.hue * 360.0 / 255.0;
    return {int(value(hue + 120) * 255), int(value(hue) * 255), int(value(hue - 120) * 255)};
}

// The target's colour at every lightness, worked out once per call.
using LightnessTable = std::array<Rgb, 256>;

LightnessTable MakeTable(COLORREF target)
{
    const HueSaturation hueSaturation = TargetHueSaturation(target);
    LightnessTable table;
    for (int lightness = 0; lightness < 256; ++lightness)
        table[lightness] = FromHsl(hueSaturation, lightness);
    return table;
}

// Colorizes one colour whose channels are premultiplied by `alpha` (255 for a
// straight colour). Each channel mixes with the same channel of the target's
// colour, lightness weighting red, green and blue as the eye does; alpha stays.
Rgb Colorize(Rgb colour, int alpha, const LightnessTable& table)
{
    if (alpha == 0)
        return colour;
    const auto straight = [alpha](int channel) { return alpha == 255 ? channel : std::min(channel * 255 / alpha, 255); };
    const Rgb pixel = {straight(colour.r), straight(colour.g), straight(colour.b)};
    const int lightness = (306 * pixel.r + 601 * pixel.g + 117 * pixel.b) >> 10;
    const Rgb& target = table[lightness];
    const auto mix = [alpha](int own, int converted) {
        const int channel = (kPixelWeight * own + kTargetWeight * converted) >> 8;
        return alpha == 255 ? channel : channel * alpha / 255;
    };
    return {mix(pixel.r, target.r), mix(pixel.g, target.g), mix(pixel.b, target.b)};
}

}  // namespace

namespace DibHelper {

BOOL ColorizeColor(COLORREF& colour, COLORREF target)
{
    // A colour word is straight: its alpha is applied when it is drawn.
    const COLORREF alpha = colour >> 24;
    if (alpha == 0)
        return TRUE;
    const Rgb result = Colorize({GetRValue(colour), GetGValue(colour), GetBValue(colour)}, 255, MakeTable(target));
    colour = alpha << 24 | RGB(result.r, result.g, result.b);
    return TRUE;
}

BOOL ColorizeBitmap(IBitmap* bitmap, COLORREF target)
{
    if (!bitmap)
        return FALSE;
    auto* const bits = static_cast<std::uint8_t*>(bitmap->LockPixelBits());
    if (!bits)
        return FALSE;
    ::GdiFlush();
    const LightnessTable table = MakeTable(target);
    const size_t count = size_t(bitmap->Width()) * bitmap->Height();
    for (std::uint8_t* pixel = bits; pixel != bits + count * 4; pixel += 4) {
        // Stored as B, G, R, A.
        const Rgb result = Colorize({pixel[2], pixel[1], pixel[0]}, pixel[3], table);
        pixel[0] = std::uint8_t(result.b);
        pixel[1] = std::uint8_t(result.g);
        pixel[2] = std::uint8_t(result.r);
    }
    bitmap->UnlockPixelBits(bits);
    return TRUE;
}

}  // namespace DibHelper

}  // namespace SAKU
