// Colorizing towards a target colour: colours keep their lightness and alpha and
// take the target's hue and saturation, mixed 80 % with their own.

#include "RenderTestSupport.h"

#include "render/DibHelper.h"

#include <gtest/gtest.h>

using namespace SAKU;
using saku_test::Pixels;

namespace {

class Colorize : public saku_test::RenderTest {};

}  // namespace

TEST_F(Colorize, ColourWordsTakeTheTargetsHueAndKeepTheirAlpha)
{
    // Words are 0xAABBGGRR and straight.
    const struct {
        COLORREF colour;
        COLORREF target;
        COLORREF result;
    } cases[] = {
        {0xFF808080, 0x000000FF, 0xFF1A1AE5},   // grey towards red
        {0xFF808080, 0x00FF0000, 0xFFE51A1A},   // grey towards blue
        {0xFF0000FF, 0x00808080, 0xFF3C3C70},   // red towards grey: the lightness in grey
        {0x80404040, 0x0000FF00, 0x800D730D},   // half transparent: straight, alpha kept
        {0x00FFFFFF, 0x000000FF, 0x00FFFFFF},   // alpha 0: unchanged
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.colour << " to " << c.target);
        COLORREF colour = c.colour;
        EXPECT_TRUE(DibHelper::ColorizeColor(colour, c.target));
        EXPECT_EQ(c.result, colour) << std::hex << colour;
    }
}

TEST_F(Colorize, BitmapPixelsStayPremultipliedWithTheirAlpha)
{
    // Stored pixels are 0xAARRGGBB and premultiplied.
    SAutoRef<IBitmap> bitmap = MakeBitmap(4, 1, {0x00000000, 0xFF808080, 0x80202020, 0x00000000});
    EXPECT_TRUE(DibHelper::ColorizeBitmap(bitmap.Get(), 0x000000FF));
    const auto* pixels = static_cast<const std::uint32_t*>(bitmap->GetPixelBits());
    EXPECT_EQ(0x00000000u, pixels[0]);                 // transparent stays all zero
    EXPECT_EQ(0xFFE51A1Au, pixels[1]);
    EXPECT_EQ(0x80380606u, pixels[2]);                 // no channel above the alpha
    EXPECT_EQ(0x00000000u, pixels[3]);
}

TEST_F(Colorize, NeedsABitmapWithPixels)
{
    EXPECT_FALSE(DibHelper::ColorizeBitmap(nullptr, 0x000000FF));
    SAutoRef<IBitmap> empty;
    ASSERT_TRUE(m_factory->CreateBitmap(empty.Put()));
    EXPECT_FALSE(DibHelper::ColorizeBitmap(empty.Get(), 0x000000FF));
}
