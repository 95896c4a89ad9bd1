#include "render/Himetric.h"

#include "GdiHandles.h"

namespace SAKU {

namespace {

constexpr int kHimetricPerInch = 2540;

SIZE ScreenDpi()
{
    const UniqueScreenDc screen(::GetDC(nullptr));
    return {::GetDeviceCaps(screen.Get(), LOGPIXELSX), ::GetDeviceCaps(screen.Get(), LOGPIXELSY)};
}

}  // namespace

void HimetricToPixel(const SIZE& himetric, SIZE& pixels)
{
    const SIZE dpi = ScreenDpi();
    pixels = {::MulDiv(himetric.cx, dpi.cx, kHimetricPerInch), ::MulDiv(himetric.cy, dpi.cy, kHimetricPerInch)};
}

void PixelToHimetric(const SIZE& pixels, SIZE& himetric)
{
    const SIZE dpi = ScreenDpi();
    himetric = {::MulDiv(kHimetricPerInch, pixels.cx, dpi.cx), ::MulDiv(kHimetricPerInch, pixels.cy, dpi.cy)};
}

}  // namespace SAKU
