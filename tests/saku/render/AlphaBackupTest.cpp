// Saving and restoring the alpha bytes around plain GDI drawing: only the saved
// area comes back, grown by one pixel right and bottom, clipped to the bitmap and
// moved by the viewport origin; the buffer is chosen by the area really copied.

#include "GdiHandles.h"
#include "render/AlphaBackup.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace SAKU;

namespace {

// A DIB of the size and depth in a memory DC; 32-bit pixels start as their own
// index with alpha 0x80 + (index % 0x7F).
class Surface {
public:
    Surface(int width, int height, WORD bits = 32) : m_width(width), m_height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, bits, BI_RGB, 0, 0, 0, 0, 0};
        void* pixels = nullptr;
        m_bitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
        m_dc.Reset(::CreateCompatibleDC(nullptr));
        m_select = SelectInto(m_dc.Get(), m_bitmap.Get());
        if (bits == 32) {
            m_pixels = static_cast<std::uint32_t*>(pixels);
            for (int i = 0; i < width * height; ++i)
                m_pixels[i] = std::uint32_t(0x80 + i % 0x7F) << 24 | std::uint32_t(i & 0xFFFFFF);
        }
    }

    HDC Dc() const { return m_dc.Get(); }
    std::vector<std::uint32_t> Pixels() const { return {m_pixels, m_pixels + m_width * m_height}; }
    // Every alpha byte cleared, as plain GDI drawing over the whole bitmap would.
    void ClearAlpha()
    {
        for (int i = 0; i < m_width * m_height; ++i)
            m_pixels[i] &= 0x00FFFFFF;
    }
    bool Inside(int index, const RECT& area) const
    {
        const int x = index % m_width, y = index / m_width;
        return x >= area.left && x < area.right && y >= area.top && y < area.bottom;
    }

private:
    int m_width;
    int m_height;
    std::uint32_t* m_pixels = nullptr;
    UniqueBitmap m_bitmap;
    UniqueMemoryDc m_dc;
    UniqueSelection m_select;
};

}  // namespace

TEST(AlphaBackup, RestoresExactlyTheGrownAndClippedArea)
{
    const struct {
        RECT rect;
        POINT origin;
        RECT restored;   // in bitmap pixels
    } cases[] = {
        {{2, 3, 6, 5}, {0, 0}, {2, 3, 7, 6}},
        {{-4, -2, 3, 2}, {0, 0}, {0, 0, 4, 3}},      // partly outside: only the part inside
        {{15, 8, 30, 30}, {0, 0}, {15, 8, 20, 12}},
        {{0, 0, 3, 3}, {5, 4}, {5, 4, 9, 8}},        // logical, moved by the origin
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rect.left << "," << c.rect.top << " origin " << c.origin.x);
        Surface surface(20, 12);
        ::SetViewportOrgEx(surface.Dc(), c.origin.x, c.origin.y, nullptr);
        const std::vector<std::uint32_t> before = surface.Pixels();
        AlphaBackup backup;
        ASSERT_TRUE(BackupAlpha(surface.Dc(), c.rect, backup));
        EXPECT_EQ(c.restored.right, backup.Area().right);
        surface.ClearAlpha();
        RestoreAlpha(backup);
        EXPECT_FALSE(backup.IsSaved());
        const std::vector<std::uint32_t> after = surface.Pixels();
        for (size_t i = 0; i < after.size(); ++i) {
            const std::uint32_t expected = surface.Inside(int(i), c.restored) ? before[i] : before[i] & 0xFFFFFF;
            ASSERT_EQ(expected, after[i]) << "pixel " << i;
        }
    }
}

TEST(AlphaBackup, NothingOutsideTheBitmapOrWithoutAlphaIsSaved)
{
    Surface surface(10, 10);
    AlphaBackup backup;
    EXPECT_FALSE(BackupAlpha(surface.Dc(), {20, 20, 30, 30}, backup));
    EXPECT_FALSE(backup.IsSaved());

    Surface plain(10, 10, 24);
    EXPECT_FALSE(BackupAlpha(plain.Dc(), {0, 0, 5, 5}, backup));
    RestoreAlpha(backup);                              // nothing to do, nothing done
    EXPECT_FALSE(backup.IsSaved());
}

TEST(AlphaBackup, BufferFollowsTheAreaReallyCopied)
{
    // Areas up to 65,536 pixels share the static buffer. The rectangle grows by one
    // at its right and bottom before it is copied, so a 256 x 256 rectangle copies
    // 257 x 257 bytes and must not use it.
    const struct {
        RECT rect;
        bool onHeap;
    } cases[] = {
        {{0, 0, 255, 255}, false},    // copies 256 x 256
        {{0, 0, 256, 256}, true},     // copies 257 x 257
        {{0, 0, 256, 255}, true},     // copies 257 x 256
        {{200, 200, 600, 600}, false},   // clipped to 100 x 100
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rect.right << " x " << c.rect.bottom);
        Surface surface(300, 300);
        const std::vector<std::uint32_t> before = surface.Pixels();
        AlphaBackup backup;
        ASSERT_TRUE(BackupAlpha(surface.Dc(), c.rect, backup));
        EXPECT_EQ(c.onHeap, backup.OnHeap());
        surface.ClearAlpha();
        RestoreAlpha(backup);
        EXPECT_FALSE(backup.OnHeap());
        const std::vector<std::uint32_t> after = surface.Pixels();
        for (size_t i = 0; i < after.size(); i += 7) {
            const bool inside = surface.Inside(int(i), {c.rect.left, c.rect.top, std::min(c.rect.right + 1, 300L),
                                                         std::min(c.rect.bottom + 1, 300L)});
            ASSERT_EQ(inside ? before[i] : before[i] & 0xFFFFFF, after[i]) << "pixel " << i;
        }
    }
}

TEST(AlphaBackup, RestoresNothingWhenTheDcHoldsAnotherBitmap)
{
    Surface surface(10, 10);
    AlphaBackup backup;
    ASSERT_TRUE(BackupAlpha(surface.Dc(), {0, 0, 5, 5}, backup));
    surface.ClearAlpha();
    const std::vector<std::uint32_t> cleared = surface.Pixels();
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 10, -10, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const UniqueBitmap other(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::fill_n(static_cast<std::uint32_t*>(bits), 100, 0x11223344);
    {
        const UniqueSelection swap = SelectInto(surface.Dc(), other.Get());
        ASSERT_TRUE(swap);
        RestoreAlpha(backup);
    }
    EXPECT_EQ(cleared, surface.Pixels());
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    EXPECT_EQ(std::vector<std::uint32_t>(100, 0x11223344), std::vector<std::uint32_t>(pixels, pixels + 100));
}
