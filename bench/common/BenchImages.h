#pragma once

// Images for the benchmarks that paint: bitmaps of premultiplied pixels made by a
// function, and the two of the wizard's kind that they share (a 340 x 420
// background and a four-state button strip, both with translucent edges).

#include "core/SAutoRef.h"
#include "render/IBitmap.h"
#include "render/IRenderFactory.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace bench {

constexpr int kWizardWidth = 340;
constexpr int kWizardHeight = 420;

inline std::uint32_t Premultiplied(std::uint32_t alpha, std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return alpha << 24 | r * alpha / 255 << 16 | g * alpha / 255 << 8 | b * alpha / 255;
}

// A bitmap of the premultiplied pixels `pixel` (x, y) gives; null when none can be made.
inline SAKU::SAutoRef<SAKU::IBitmap> MakeBitmap(SAKU::IRenderFactory* factory, int width, int height,
                                                const std::function<std::uint32_t(int, int)>& pixel)
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(pixel(x, y));
    SAKU::SAutoRef<SAKU::IBitmap> bitmap;
    factory->CreateBitmap(bitmap.Put());
    if (bitmap && FAILED(bitmap->Init(width, height, pixels.data())))
        bitmap = nullptr;
    return bitmap;
}

// A soft gradient with translucent edges, the wizard's size.
inline SAKU::SAutoRef<SAKU::IBitmap> WizardBackground(SAKU::IRenderFactory* factory)
{
    return MakeBitmap(factory, kWizardWidth, kWizardHeight, [](int x, int y) {
        const bool edge = x < 6 || y < 6 || x >= kWizardWidth - 6 || y >= kWizardHeight - 6;
        return Premultiplied(edge ? 0x60 : 0xFF, 40 + x * 200 / kWizardWidth, 90, 160 + y * 90 / kWizardHeight);
    });
}

// Four button states side by side, 60 x 30 each, with translucent corners.
inline SAKU::SAutoRef<SAKU::IBitmap> ButtonStates(SAKU::IRenderFactory* factory)
{
    return MakeBitmap(factory, 240, 30, [](int x, int y) {
        const int cx = x % 60;
        const bool corner = (cx < 4 || cx >= 56) && (y < 4 || y >= 26);
        return Premultiplied(corner ? 0x40 : 0xE0, 30 + x / 60 * 40, 120, 220);
    });
}

}  // namespace bench
