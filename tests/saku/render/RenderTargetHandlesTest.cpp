// What a painter borrows from a render target: its DC, which draws into the
// target's own bitmap, and its text colour, which comes back when the holder dies.

#include "RenderTestSupport.h"

#include "render/RenderTargetHandles.h"

#include <gtest/gtest.h>

using namespace SAKU;
using saku_test::PixelAt;
using saku_test::ReadPixels;

namespace {

class RenderTargetHandles : public saku_test::RenderTest {};

}  // namespace

TEST_F(RenderTargetHandles, TheLentDcDrawsIntoTheTargetsBitmap)
{
    const SAutoRef<IRenderTarget> target = MakeTarget(4, 4);
    ASSERT_TRUE(target);
    {
        const UniqueTargetDc lent = GetTargetDc(target.Get());
        ASSERT_TRUE(lent);
        EXPECT_TRUE(::PatBlt(lent.Get().dc, 1, 1, 1, 1, WHITENESS));
    }
    const auto pixels = ReadPixels(target.Get());
    EXPECT_EQ(0x00FFFFFFu, PixelAt(pixels, 4, 1, 1) & 0x00FFFFFFu);   // whatever GDI made of the alpha
    EXPECT_EQ(0u, PixelAt(pixels, 4, 0, 0));
}

TEST_F(RenderTargetHandles, TheTextColourComesBackWhenTheHolderDies)
{
    const SAutoRef<IRenderTarget> target = MakeTarget(4, 4);
    ASSERT_TRUE(target);
    const struct {
        COLORREF before;
        COLORREF during;
    } cases[] = {
        {0xFF000000, 0xFF0000FF},
        {0x80FFFFFF, 0xFF102030},   // a translucent colour comes back with its alpha
        {0xFF3050A0, 0xFF3050A0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.during);
        (void)target->SetTextColor(c.before);   // the old colour does not matter here
        {
            const UniqueTextColor changed = SetTargetTextColor(target.Get(), c.during);
            EXPECT_EQ(c.during, target->GetTextColor());
        }
        EXPECT_EQ(c.before, target->GetTextColor());
    }
}
