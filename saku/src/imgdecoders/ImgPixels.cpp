#include "imgdecoders/ImgPixels.h"

namespace SAKU {

namespace {

BYTE Scale(unsigned channel, unsigned alpha)
{
    return static_cast<BYTE>(channel * alpha / 255);
}

BYTE Unscale(unsigned channel, unsigned alpha)
{
    if (alpha == 0)
        return 0;
    const unsigned straight = channel * 255 / alpha;
    return static_cast<BYTE>(straight > 255 ? 255 : straight);
}

}  // namespace

void PremultiplyRgbaToBgra(BYTE* pixels, size_t count)
{
    for (BYTE* p = pixels; count--; p += 4) {
        const unsigned alpha = p[3];
        const BYTE red = p[0];
        p[0] = Scale(p[2], alpha);
        p[1] = Scale(p[1], alpha);
        p[2] = Scale(red, alpha);
    }
}

void PremultiplyBgra(const BYTE* source, BYTE* target, size_t count)
{
    for (; count--; source += 4, target += 4) {
        const unsigned alpha = source[3];
        target[0] = Scale(source[0], alpha);
        target[1] = Scale(source[1], alpha);
        target[2] = Scale(source[2], alpha);
        target[3] = static_cast<BYTE>(alpha);
    }
}

void UnpremultiplyBgraToRgba(const BYTE* source, BYTE* target, size_t count)
{
    for (; count--; source += 4, target += 4) {
        const unsigned alpha = source[3];
        target[0] = Unscale(source[2], alpha);
        target[1] = Unscale(source[1], alpha);
        target[2] = Unscale(source[0], alpha);
        target[3] = static_cast<BYTE>(alpha);
    }
}

}  // namespace SAKU
