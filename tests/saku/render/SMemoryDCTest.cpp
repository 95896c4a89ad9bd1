// The memory DC puts back what it held before the bitmap it was given, which stays
// the caller's.

#include "render/SMemoryDC.h"

#include <gtest/gtest.h>

using namespace SAKU;

TEST(SMemoryDC, SelectsTheBitmapWithoutOwningIt)
{
    const UniqueScreenDc screen(::GetDC(nullptr));
    const UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), 8, 8));
    ASSERT_TRUE(bitmap);
    {
        SMemoryDC dc(screen.Get(), bitmap.Get());
        ASSERT_TRUE(dc.Get());
        EXPECT_EQ(bitmap.Get(), ::GetCurrentObject(dc, OBJ_BITMAP));
        POINT origin = {-1, -1};
        ::GetViewportOrgEx(dc, &origin);
        EXPECT_EQ(0, origin.x);
        // A second DC cannot take the bitmap while the first holds it.
        SMemoryDC other(screen.Get(), bitmap.Get());
        EXPECT_NE(bitmap.Get(), ::GetCurrentObject(other, OBJ_BITMAP));
    }
    // Free again: another DC takes it, and it is still alive.
    SMemoryDC again(screen.Get(), bitmap.Get());
    EXPECT_EQ(bitmap.Get(), ::GetCurrentObject(again, OBJ_BITMAP));
    SMemoryDC plain(nullptr);
    EXPECT_TRUE(plain.Get());
}
