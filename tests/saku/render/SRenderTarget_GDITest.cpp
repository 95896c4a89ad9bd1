// The GDI render target on memory targets, windowless: every primitive's pixels
// with their alpha, text, outlines, bitmaps natural, stretched, tiled and nine-patch,
// arcs, the clip stack and the viewport origin, and targets whose bitmap cannot be made.

#include "RenderTestSupport.h"

#include "GdiHandles.h"
#include "render/IBrush.h"
#include "render/IFont.h"
#include "render/IPen.h"
#include "render/IRegion.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace SAKU;
using saku_test::PixelAt;
using saku_test::Pixels;
using saku_test::ReadPixels;

namespace {

class GdiRenderTarget : public saku_test::RenderTest {
protected:
    SAutoRef<IPen> Pen(COLORREF colour, int width = 1, int style = PS_SOLID)
    {
        SAutoRef<IPen> pen;
        EXPECT_EQ(S_OK, m_target->CreatePen(style, colour, width, pen.Put()));
        return pen;
    }
    void Select(IRenderObj* object) { ASSERT_EQ(S_OK, m_target->SelectObject(object, nullptr)); }

    void SetUp() override
    {
        RenderTest::SetUp();
        m_target = MakeTarget(kWidth, kHeight);
        ASSERT_TRUE(m_target);
    }

    // How many pixels `test` holds for.
    static int Count(const Pixels& pixels, const std::function<bool(std::uint32_t)>& test)
    {
        int count = 0;
        for (const std::uint32_t pixel : pixels)
            count += test(pixel);
        return count;
    }

    // A bitmap whose pixel (x, y) tells where it came from: 0xFF, then x and y.
    SAutoRef<IBitmap> Numbered(int width, int height)
    {
        Pixels pixels;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                pixels.push_back(0xFF000000u | std::uint32_t(x) << 8 | std::uint32_t(y));
        }
        return MakeBitmap(width, height, pixels);
    }

    static constexpr int kWidth = 40;
    static constexpr int kHeight = 30;
    SAutoRef<IRenderTarget> m_target;
    Pixels Read() { return ReadPixels(m_target.Get()); }
    int CurrentBitmapWidth() { return saku_test::CurrentBitmap(m_target.Get())->Width(); }
    std::uint32_t At(const Pixels& pixels, int x, int y) { return PixelAt(pixels, kWidth, x, y); }
};

}  // namespace

TEST_F(GdiRenderTarget, SolidFillStoresPremultipliedColourWithItsAlpha)
{
    const struct {
        COLORREF colour;
        std::uint32_t stored;
    } cases[] = {
        {0x80FF0000, 0x80000080},   // blue at half alpha: bytes 80 00 00 80
        {0x00FF0000, 0x00000000},   // alpha 0 leaves nothing
        {0xFF0000FF, 0xFFFF0000},   // opaque red
        {0xFF00FF00, 0xFF00FF00},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.colour);
        saku_test::FillTarget(m_target.Get(), 0);
        const RECT rect = {5, 6, 15, 20};
        ASSERT_EQ(S_OK, m_target->FillSolidRect(&rect, c.colour));
        const Pixels pixels = Read();
        EXPECT_EQ(c.stored, At(pixels, 5, 6));
        EXPECT_EQ(c.stored, At(pixels, 14, 19));
        EXPECT_EQ(0u, At(pixels, 15, 19));
        EXPECT_EQ(0u, At(pixels, 14, 20));
        EXPECT_EQ(0u, At(pixels, 4, 6));
    }
}

TEST_F(GdiRenderTarget, FillRectangleCoversTheSamePixelsAsSolidFill)
{
    SAutoRef<IBrush> brush;
    ASSERT_EQ(S_OK, m_target->CreateSolidColorBrush(0xFF00FF00, brush.Put()));
    Select(brush.Get());
    const RECT rect = {5, 6, 15, 20};
    ASSERT_EQ(S_OK, m_target->FillRectangle(&rect));
    const Pixels byBrush = Read();
    saku_test::FillTarget(m_target.Get(), 0);
    ASSERT_EQ(S_OK, m_target->FillSolidRect(&rect, 0xFF00FF00));
    EXPECT_EQ(Read(), byBrush);
}

TEST_F(GdiRenderTarget, ClearRectStoresThePremultipliedColour)
{
    saku_test::FillTarget(m_target.Get(), 0xFF123456);
    const RECT half = {0, 0, 10, 10};
    ASSERT_EQ(S_OK, m_target->ClearRect(&half, 0x80FF8040));
    const RECT clear = {20, 0, 30, 10};
    ASSERT_EQ(S_OK, m_target->ClearRect(&clear, 0));
    const RECT empty = {35, 5, 35, 9};
    ASSERT_EQ(S_OK, m_target->ClearRect(&empty, 0));
    const Pixels pixels = Read();
    EXPECT_EQ(saku_test::Stored(0x80FF8040), At(pixels, 9, 9));   // 0x80204080: every channel at most its alpha
    EXPECT_EQ(0x80204080u, At(pixels, 0, 0));
    EXPECT_EQ(0u, At(pixels, 25, 5));
    EXPECT_EQ(0xFF123456u, At(pixels, 10, 10));
    EXPECT_EQ(0xFF123456u, At(pixels, 35, 5));
}

TEST_F(GdiRenderTarget, TextMakesTouchedPixelsOpaqueAndLeavesTheRestTransparent)
{
    LOGFONTW logFont = {};
    logFont.lfHeight = -20;
    logFont.lfQuality = ANTIALIASED_QUALITY;
    wcscpy(logFont.lfFaceName, L"微软雅黑");
    SAutoRef<IFont> font;
    ASSERT_TRUE(m_factory->CreateFont(font.Put(), logFont));
    Select(font.Get());
    m_target->SetTextColor(0xFFFFFFFF);
    RECT rect = {2, 2, 38, 28};
    ASSERT_EQ(S_OK, m_target->DrawText(L"安A", -1, &rect, DT_SINGLELINE));
    const Pixels pixels = Read();
    int opaque = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t pixel = At(pixels, x, y);
            const bool inside = x >= 2 && x < 38 && y >= 2 && y < 28;
            if (!inside || pixel >> 24 != 0xFF) {
                EXPECT_EQ(0u, pixel) << x << "," << y;
            }
            opaque += pixel >> 24 == 0xFF;
        }
    }
    EXPECT_GT(opaque, 40);
}

TEST_F(GdiRenderTarget, TextAtHalfAlphaIsHalfTransparent)
{
    m_target->SetTextColor(0x80FFFFFF);
    RECT rect = {0, 0, kWidth, kHeight};
    ASSERT_EQ(S_OK, m_target->DrawText(L"安", 1, &rect, DT_SINGLELINE));
    const Pixels pixels = Read();
    EXPECT_EQ(0, Count(pixels, [](std::uint32_t p) { return p >> 24 != 0 && p >> 24 != 0x80; }));
    EXPECT_GT(Count(pixels, [](std::uint32_t p) { return p >> 24 == 0x80; }), 20);
}

TEST_F(GdiRenderTarget, MeasuringAndEmptyTextDrawNothing)
{
    RECT measured = {3, 4, 3, 4};
    ASSERT_EQ(S_OK, m_target->DrawText(L"安装", -1, &measured, DT_CALCRECT | DT_SINGLELINE));
    EXPECT_EQ(3, measured.left);
    EXPECT_GT(measured.right, 3 + 10);
    EXPECT_GT(measured.bottom, 4 + 10);
    RECT rect = {0, 0, kWidth, kHeight};
    ASSERT_EQ(S_OK, m_target->DrawText(L"安装", 0, &rect, DT_SINGLELINE));
    EXPECT_EQ(0, Count(Read(), [](std::uint32_t p) { return p != 0; }));
    SIZE size = {};
    ASSERT_EQ(S_OK, m_target->MeasureText(L"安装", -1, &size));
    EXPECT_EQ(measured.right - measured.left, size.cx);
}

TEST_F(GdiRenderTarget, OutlinesKeepTheAlphaBeneath)
{
    saku_test::FillTarget(m_target.Get(), 0x40102030);
    const RECT under = {10, 10, 30, 20};
    ASSERT_EQ(S_OK, m_target->FillSolidRect(&under, 0xFF000000));   // opaque black
    const Pixels before = Read();
    SAutoRef<IPen> pen = Pen(0xFF00FF00, 1);
    Select(pen.Get());
    const RECT outline = {5, 5, 25, 25};
    ASSERT_EQ(S_OK, m_target->DrawRectangle(&outline));
    const Pixels after = Read();
    int drawn = 0;
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(before[i] >> 24, after[i] >> 24) << i;
        drawn += (after[i] & 0xFFFFFF) == 0x00FF00;
    }
    // In the target's advanced graphics mode the outline takes in the right and
    // bottom edges too: 21 x 21 pixels.
    EXPECT_EQ(4 * 20, drawn);
    EXPECT_EQ(0x4000FF00u, At(after, 25, 25));
}

TEST_F(GdiRenderTarget, ShapesComposeWithThePenOrBrushAlpha)
{
    // The pen is half transparent, the brush a quarter opaque; what a shape draws
    // takes the alpha of what it is drawn with.
    const struct {
        const char* name;
        int penStyle;
        std::function<HRESULT(IRenderTarget*, const RECT*)> draw;
        std::uint32_t alpha;
    } cases[] = {
        {"round outline", PS_SOLID, [](IRenderTarget* t, const RECT* r) { return t->DrawRoundRect(r, {3, 3}); }, 0x80},
        {"round fill", PS_NULL, [](IRenderTarget* t, const RECT* r) { return t->FillRoundRect(r, {6, 6}); }, 0x40},
        {"solid round", PS_NULL, [](IRenderTarget* t, const RECT* r) { return t->FillSolidRoundRect(r, {6, 6}, 0xC0FFFFFF); }, 0xC0},
        {"ellipse outline", PS_SOLID, [](IRenderTarget* t, const RECT* r) { return t->DrawEllipse(r); }, 0x80},
        {"ellipse fill", PS_NULL, [](IRenderTarget* t, const RECT* r) { return t->FillEllipse(r); }, 0x40},
        {"solid ellipse", PS_NULL, [](IRenderTarget* t, const RECT* r) { return t->FillSolidEllipse(r, 0xC0FFFFFF); }, 0xC0},
        {"pie", PS_SOLID, [](IRenderTarget* t, const RECT* r) { return t->FillArc(r, 0, 120); }, 0x40},
        {"brush rectangle", PS_SOLID, [](IRenderTarget* t, const RECT* r) { return t->FillRectangle(r); }, 0x40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SAutoRef<IRenderTarget> target = MakeTarget(kWidth, kHeight);
        SAutoRef<IPen> pen;
        SAutoRef<IBrush> brush;
        ASSERT_EQ(S_OK, target->CreatePen(c.penStyle, 0x80FFFFFF, 1, pen.Put()));
        ASSERT_EQ(S_OK, target->CreateSolidColorBrush(0x40FFFFFF, brush.Put()));
        ASSERT_EQ(S_OK, target->SelectObject(pen.Get(), nullptr));
        ASSERT_EQ(S_OK, target->SelectObject(brush.Get(), nullptr));
        const RECT rect = {5, 5, 35, 25};
        ASSERT_EQ(S_OK, c.draw(target.Get(), &rect));
        const Pixels pixels = ReadPixels(target.Get());
        const std::uint32_t alpha = c.alpha;
        EXPECT_GT(Count(pixels, [alpha](std::uint32_t p) { return p >> 24 == alpha; }), 20);
        EXPECT_EQ(0, Count(pixels, [alpha](std::uint32_t p) { return p != 0 && p >> 24 != alpha; }));
    }
}

TEST_F(GdiRenderTarget, ArcsDrawInTheirQuadrant)
{
    // y grows downwards: from 0 degrees a sweep of 90 goes through six o'clock.
    const struct {
        float start;
        int quadrantX;   // 1: right half, -1: left half
        int quadrantY;   // 1: lower half, -1: upper half
    } cases[] = {{0, 1, 1}, {90, -1, 1}, {180, -1, -1}, {270, 1, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        SAutoRef<IRenderTarget> target = MakeTarget(41, 41);
        SAutoRef<IPen> pen;
        ASSERT_EQ(S_OK, target->CreatePen(PS_SOLID, 0xFFFFFFFF, 1, pen.Put()));
        ASSERT_EQ(S_OK, target->SelectObject(pen.Get(), nullptr));
        const RECT rect = {0, 0, 40, 40};
        ASSERT_EQ(S_OK, target->DrawArc(&rect, c.start, 90, FALSE));
        const Pixels pixels = ReadPixels(target.Get());
        int inside = 0;
        for (int y = 0; y < 41; ++y) {
            for (int x = 0; x < 41; ++x) {
                if (PixelAt(pixels, 41, x, y) == 0)
                    continue;
                const bool inQuadrant = (x - 20) * c.quadrantX >= -1 && (y - 20) * c.quadrantY >= -1;
                EXPECT_TRUE(inQuadrant) << x << "," << y;
                EXPECT_EQ(0xFFFFFFFFu, PixelAt(pixels, 41, x, y));
                inside += inQuadrant;
            }
        }
        EXPECT_GT(inside, 25);
    }
}

TEST_F(GdiRenderTarget, WidePenOutlinesAreNotCutAtTheShape)
{
    SAutoRef<IPen> pen = Pen(0xFFFFFFFF, 6);
    Select(pen.Get());
    const RECT ring = {10, 8, 30, 22};
    ASSERT_EQ(S_OK, m_target->DrawArc(&ring, 0, 360, FALSE));
    const Pixels pixels = Read();
    // The stroke is centred on the ellipse: three pixels of it lie outside the box.
    EXPECT_NE(0u, At(pixels, 8, 15));
    EXPECT_NE(0u, At(pixels, 31, 15));
    EXPECT_NE(0u, At(pixels, 20, 6));
}

TEST_F(GdiRenderTarget, StraightLinesAlongTheirBoxDraw)
{
    SAutoRef<IPen> pen = Pen(0xFFFFFFFF, 1);
    Select(pen.Get());
    const POINT vertical[] = {{5, 2}, {5, 20}};
    const POINT horizontal[] = {{8, 25}, {30, 25}};
    ASSERT_EQ(S_OK, m_target->DrawLines(vertical, 2));
    ASSERT_EQ(S_OK, m_target->DrawLines(horizontal, 2));
    const Pixels pixels = Read();
    EXPECT_EQ(0xFFFFFFFFu, At(pixels, 5, 2));
    EXPECT_EQ(0xFFFFFFFFu, At(pixels, 5, 19));
    EXPECT_EQ(0xFFFFFFFFu, At(pixels, 8, 25));
    EXPECT_EQ(0xFFFFFFFFu, At(pixels, 29, 25));
    EXPECT_EQ(18 + 22, Count(pixels, [](std::uint32_t p) { return p != 0; }));
}

TEST_F(GdiRenderTarget, GradientsStraightOrThroughAlpha)
{
    const struct {
        BYTE alpha;
        std::uint32_t left;
        std::uint32_t right;
    } cases[] = {
        {255, 0xFFFF0000, 0xFF0000FF},   // red to blue, opaque
        {128, 0x80800000, 0x80000080},   // half alpha, premultiplied
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.alpha));
        SAutoRef<IRenderTarget> target = MakeTarget(kWidth, kHeight);
        const RECT rect = {0, 0, 20, 10};
        ASSERT_EQ(S_OK, target->GradientFill(&rect, FALSE, 0x000000FF, 0x00FF0000, c.alpha));
        const Pixels pixels = ReadPixels(target.Get());
        EXPECT_EQ(c.left, PixelAt(pixels, kWidth, 0, 5));
        EXPECT_NEAR(int(c.right & 0xFF), int(PixelAt(pixels, kWidth, 19, 5) & 0xFF), 16);
        EXPECT_EQ(c.right >> 24, PixelAt(pixels, kWidth, 19, 5) >> 24);
        EXPECT_EQ(0u, PixelAt(pixels, kWidth, 20, 5));
    }
}

TEST_F(GdiRenderTarget, GradientShapeIsNotDrawnByGdi)
{
    const RECT rect = {0, 0, 20, 10};
    EXPECT_EQ(E_NOTIMPL, m_target->DrawGradientShape(&rect, 0, 0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0, 0.5f, 0.5f,
                                                     10, 255));
    EXPECT_EQ(0, Count(Read(), [](std::uint32_t p) { return p != 0; }));
}

TEST_F(GdiRenderTarget, PixelsOutsideTheBitmapAreIgnored)
{
    const POINT outside[] = {{-1, 0}, {0, -1}, {kWidth, 0}, {0, kHeight}};
    for (const POINT& p : outside) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        EXPECT_EQ(0x00FFFFFFu, m_target->GetPixel(p.x, p.y));
        EXPECT_EQ(0x00FFFFFFu, m_target->SetPixel(p.x, p.y, 0xFFFFFFFF));
    }
    EXPECT_EQ(0, Count(Read(), [](std::uint32_t p) { return p != 0; }));
    EXPECT_EQ(0u, m_target->SetPixel(kWidth - 1, kHeight - 1, 0x80402010));
    EXPECT_EQ(0x80402010u, m_target->GetPixel(kWidth - 1, kHeight - 1));
}

TEST_F(GdiRenderTarget, ViewportOriginMovesDrawingAndPixels)
{
    POINT old = {-1, -1};
    ASSERT_EQ(S_OK, m_target->OffsetViewportOrg(10, 5, &old));
    EXPECT_EQ(0, old.x);
    ASSERT_EQ(S_OK, m_target->OffsetViewportOrg(2, 1, nullptr));
    POINT origin = {};
    ASSERT_EQ(S_OK, m_target->GetViewportOrg(&origin));
    EXPECT_EQ(12, origin.x);
    EXPECT_EQ(6, origin.y);
    const RECT rect = {0, 0, 3, 3};
    ASSERT_EQ(S_OK, m_target->FillSolidRect(&rect, 0xFFFFFFFF));
    EXPECT_EQ(0xFFFFFFFFu, m_target->GetPixel(0, 0));
    const Pixels pixels = Read();
    EXPECT_EQ(0xFFFFFFFFu, At(pixels, 12, 6));
    EXPECT_EQ(0xFFFFFFFFu, At(pixels, 14, 8));
    EXPECT_EQ(9, Count(pixels, [](std::uint32_t p) { return p != 0; }));
    ASSERT_EQ(S_OK, m_target->SetViewportOrg({0, 0}));
    EXPECT_EQ(0u, m_target->GetPixel(0, 0));
}

TEST_F(GdiRenderTarget, ClipStackLimitsDrawingUntilPopped)
{
    const RECT all = {0, 0, kWidth, kHeight};
    m_target->OffsetViewportOrg(5, 5, nullptr);
    const RECT clip = {0, 0, 10, 10};                  // (5, 5)-(15, 15) on the bitmap
    ASSERT_EQ(S_OK, m_target->PushClipRect(&clip, RGN_AND));
    const RECT inner = {5, 5, 30, 30};                 // leaves (10, 10)-(15, 15)
    ASSERT_EQ(S_OK, m_target->PushClipRect(&inner, RGN_AND));
    RECT box = {};
    ASSERT_EQ(S_OK, m_target->GetClipBox(&box));
    EXPECT_EQ(5, box.left);
    EXPECT_EQ(10, box.right);
    ASSERT_EQ(S_OK, m_target->FillSolidRect(&all, 0xFF0000FF));
    EXPECT_EQ(25, Count(Read(), [](std::uint32_t p) { return p == 0xFFFF0000; }));
    ASSERT_EQ(S_OK, m_target->PopClip());
    ASSERT_EQ(S_OK, m_target->FillSolidRect(&all, 0xFF00FF00));
    EXPECT_EQ(100, Count(Read(), [](std::uint32_t p) { return p == 0xFF00FF00; }));
    ASSERT_EQ(S_OK, m_target->PopClip());
    ASSERT_EQ(S_OK, m_target->FillSolidRect(&all, 0xFFFFFFFF));
    EXPECT_EQ(kWidth * kHeight - 35 * 25, Count(Read(), [](std::uint32_t p) { return p != 0xFFFFFFFF; }));
}

TEST_F(GdiRenderTarget, PoppingTheClipKeepsTheTargetsOwnState)
{
    const RECT clip = {0, 0, 20, 20};
    ASSERT_EQ(S_OK, m_target->PushClipRect(&clip, RGN_AND));
    ASSERT_EQ(S_OK, m_target->SetViewportOrg({5, 5}));
    SAutoRef<IPen> pen = Pen(0xFF00FF00);
    Select(pen.Get());
    m_target->SetTextColor(0xFF0000FF);
    ASSERT_EQ(S_OK, m_target->PopClip());
    pen.Attach(nullptr);                               // the target's reference is the last
    const RECT corner = {0, 0, 1, 1};
    ASSERT_EQ(S_OK, m_target->DrawRectangle(&corner));
    EXPECT_EQ(0x0000FF00u, At(Read(), 5, 5));          // the outline keeps the alpha (0) beneath
    EXPECT_EQ(0xFF0000FFu, m_target->GetTextColor());
}

TEST_F(GdiRenderTarget, SavedClipComesBackAtAnyDepthAndRegionsClipToo)
{
    int cookie = 0;
    ASSERT_EQ(S_OK, m_target->SaveClip(&cookie));
    SAutoRef<IRegion> region;
    ASSERT_EQ(S_OK, m_target->CreateRegion(region.Put()));
    const RECT left = {0, 0, 10, kHeight};
    region->CombineRect(&left, RGN_COPY);
    ASSERT_EQ(S_OK, m_target->PushClipRegion(region.Get(), RGN_AND));
    const RECT band = {0, 0, kWidth, 10};
    ASSERT_EQ(S_OK, m_target->PushClipRect(&band, RGN_AND));
    SAutoRef<IRegion> clip;
    ASSERT_EQ(S_OK, m_target->GetClipRegion(clip.Put()));
    RECT box = {};
    clip->GetRgnBox(&box);
    EXPECT_EQ(10, box.right);
    EXPECT_EQ(10, box.bottom);
    const RECT hole = {2, 2, 4, 4};
    ASSERT_EQ(S_OK, m_target->ExcludeClipRect(&hole));
    ASSERT_EQ(S_OK, m_target->RestoreClip(cookie));
    const RECT all = {0, 0, kWidth, kHeight};
    ASSERT_EQ(S_OK, m_target->FillSolidRect(&all, 0xFFFFFFFF));
    EXPECT_EQ(kWidth * kHeight, Count(Read(), [](std::uint32_t p) { return p == 0xFFFFFFFF; }));
}

TEST_F(GdiRenderTarget, NaturalBitmapCopiesNoMoreThanItsSource)
{
    // Three skin states of 10 x 10 side by side.
    Pixels states;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 30; ++x)
            states.push_back(x < 10 ? 0xFF0000FF : x < 20 ? 0xFF00FF00 : 0xFFFF0000);
    }
    SAutoRef<IBitmap> skin = MakeBitmap(30, 10, states);
    const RECT dest = {0, 0, 25, 20};
    const RECT middle = {10, 0, 20, 10};
    ASSERT_EQ(S_OK, m_target->DrawBitmapEx(&dest, skin.Get(), &middle, kExpandNatural, 255));
    Pixels pixels = Read();
    EXPECT_EQ(100, Count(pixels, [](std::uint32_t p) { return p == 0xFF00FF00; }));
    EXPECT_EQ(0, Count(pixels, [](std::uint32_t p) { return p != 0 && p != 0xFF00FF00; }));
    // The last state: from x 20 only 10 columns are left in the bitmap.
    saku_test::FillTarget(m_target.Get(), 0);
    ASSERT_EQ(S_OK, m_target->DrawBitmap(&dest, skin.Get(), 20, 0, 255));
    pixels = Read();
    EXPECT_EQ(100, Count(pixels, [](std::uint32_t p) { return p == 0xFFFF0000; }));
    EXPECT_EQ(0, Count(pixels, [](std::uint32_t p) { return p != 0 && p != 0xFFFF0000; }));
    // Nothing left to copy.
    EXPECT_EQ(S_FALSE, m_target->DrawBitmap(&dest, skin.Get(), 30, 0, 255));
}

TEST_F(GdiRenderTarget, BitmapsBlendWithTheirAlphaTimesTheConstant)
{
    saku_test::FillTarget(m_target.Get(), 0xFF000000);
    SAutoRef<IBitmap> half = SolidBitmap(4, 4, 0x80808080);
    const RECT dest = {0, 0, 4, 4};
    ASSERT_EQ(S_OK, m_target->DrawBitmap(&dest, half.Get(), 0, 0, 255));
    EXPECT_EQ(0xFF808080u, m_target->GetPixel(0, 0));
    const RECT stretched = {10, 0, 30, 20};
    const RECT source = {0, 0, 4, 4};
    ASSERT_EQ(S_OK, m_target->DrawBitmapEx(&stretched, half.Get(), &source, kExpandStretch, 0));
    EXPECT_EQ(0xFF000000u, m_target->GetPixel(15, 5));
    ASSERT_EQ(S_OK, m_target->DrawBitmapEx(&stretched, half.Get(), &source, kExpandStretch, 255));
    EXPECT_EQ(0xFF808080u, m_target->GetPixel(29, 19));
}

TEST_F(GdiRenderTarget, TilingRepeatsTheSourceAndCutsTheLastRowAndColumn)
{
    SAutoRef<IBitmap> tile = Numbered(10, 10);
    const RECT dest = {2, 1, 27, 26};                  // 25 x 25
    const RECT source = {0, 0, 10, 10};
    ASSERT_EQ(S_OK, m_target->DrawBitmapEx(&dest, tile.Get(), &source, kExpandTile, 255));
    const Pixels pixels = Read();
    int origins = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t pixel = At(pixels, x, y);
            const bool inside = x >= 2 && x < 27 && y >= 1 && y < 26;
            if (!inside) {
                EXPECT_EQ(0u, pixel) << x << "," << y;
                continue;
            }
            EXPECT_EQ(0xFF000000u | std::uint32_t((x - 2) % 10) << 8 | std::uint32_t((y - 1) % 10), pixel);
            origins += (pixel & 0xFFFF) == 0;
        }
    }
    EXPECT_EQ(9, origins);
}

// A destination of 100,000 x 100,000 pixels, tiled 1 x 1 and 3 x 2, under a clip:
// the drawing returns (it blits the clip box's tiles only, TileSpanTest counts
// them) and the pixels right at the clip's edges are those of the destination's
// own grid.
TEST_F(GdiRenderTarget, TilingAHugeDestinationDrawsWhatTheClipShows)
{
    const RECT dest = {-50000, -50000, 50000, 50000};
    const RECT clip = {7, 5, 33, 21};
    const struct {
        int width, height;
    } tiles[] = {{1, 1}, {3, 2}};
    for (const auto& t : tiles) {
        SCOPED_TRACE(testing::Message() << t.width << " x " << t.height);
        saku_test::FillTarget(m_target.Get(), 0);
        SAutoRef<IBitmap> tile = Numbered(t.width, t.height);
        const RECT source = {0, 0, t.width, t.height};
        ASSERT_EQ(S_OK, m_target->PushClipRect(&clip, RGN_AND));
        ASSERT_EQ(S_OK, m_target->DrawBitmapEx(&dest, tile.Get(), &source, kExpandTile, 255));
        ASSERT_EQ(S_OK, m_target->PopClip());
        const Pixels pixels = Read();
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const bool inside = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
                const std::uint32_t expected = !inside ? 0u
                    : 0xFF000000u | std::uint32_t((x - dest.left) % t.width) << 8 | std::uint32_t((y - dest.top) % t.height);
                ASSERT_EQ(expected, At(pixels, x, y)) << x << "," << y;
            }
        }
    }
}

TEST_F(GdiRenderTarget, TilingAndNinePatchRefuseAnEmptySource)
{
    SAutoRef<IBitmap> tile = Numbered(10, 10);
    const RECT dest = {0, 0, 20, 20};
    const RECT margins = {0, 0, 0, 0};
    for (const RECT& source : {RECT{3, 3, 3, 8}, RECT{3, 3, 8, 3}, RECT{8, 3, 3, 8}}) {
        SCOPED_TRACE(testing::Message() << source.left << "," << source.top << "," << source.right << ","
                                        << source.bottom);
        EXPECT_EQ(E_INVALIDARG, m_target->DrawBitmapEx(&dest, tile.Get(), &source, kExpandTile, 255));
        EXPECT_EQ(S_FALSE, m_target->DrawBitmap9Patch(&dest, tile.Get(), &source, &margins, kExpandTile, 255));
    }
    EXPECT_EQ(0, Count(Read(), [](std::uint32_t p) { return p != 0; }));
}

TEST_F(GdiRenderTarget, NinePatchKeepsCornersAndFitsNarrowDestinations)
{
    // A 9 x 1 source of columns 0..8, tiled between its margins; each destination
    // column shows the source column listed.
    const struct {
        int left, right, width;
        std::vector<int> columns;
    } cases[] = {
        {3, 2, 9, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {3, 2, 11, {0, 1, 2, 3, 4, 5, 6, 3, 4, 7, 8}},   // the middle repeats
        {3, 2, 2, {0, 1}},                               // no wider than the left margin: its first columns
        {3, 2, 4, {0, 1, 2, 8}},                         // wider than either margin alone: the right one's end
        {3, 2, 5, {0, 1, 2, 7, 8}},                      // exactly both margins
        {2, 5, 4, {5, 6, 7, 8}},                         // wider than the left, within the right margin
    };
    Pixels row;
    for (int x = 0; x < 9; ++x)
        row.push_back(0xFF000000u | std::uint32_t(x) << 8);
    SAutoRef<IBitmap> patch = MakeBitmap(9, 1, row);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << "+" << c.right << " into " << c.width);
        SAutoRef<IRenderTarget> target = MakeTarget(20, 3);
        const RECT dest = {1, 1, 1 + c.width, 2};
        const RECT source = {0, 0, 9, 1};
        const RECT margins = {c.left, 0, c.right, 0};
        ASSERT_EQ(S_OK, target->DrawBitmap9Patch(&dest, patch.Get(), &source, &margins, kExpandTile, 255));
        const Pixels pixels = ReadPixels(target.Get());
        for (int x = 0; x < 20; ++x) {
            const int index = x - 1;
            const bool inside = index >= 0 && index < c.width;
            const std::uint32_t expected = inside ? 0xFF000000u | std::uint32_t(c.columns[index]) << 8 : 0u;
            EXPECT_EQ(expected, PixelAt(pixels, 20, x, 1)) << "column " << x;
        }
    }
}

TEST_F(GdiRenderTarget, NinePatchStretchesEdgesAndCentreButNotCorners)
{
    // 3 x 3 blocks of 2 x 2 pixels, each block its own colour; margins of one block.
    Pixels source;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x)
            source.push_back(0xFF000000u | std::uint32_t(x / 2) << 8 | std::uint32_t(y / 2));
    }
    SAutoRef<IBitmap> patch = MakeBitmap(6, 6, source);
    const RECT dest = {0, 0, 20, 16};
    const RECT from = {0, 0, 6, 6};
    const RECT margins = {2, 2, 2, 2};
    ASSERT_EQ(S_OK, m_target->DrawBitmap9Patch(&dest, patch.Get(), &from, &margins, kExpandStretch, 255));
    const Pixels pixels = Read();
    const auto block = [&](int x, int y) { return At(pixels, x, y) & 0xFFFF; };
    EXPECT_EQ(0x0000u, block(0, 0));
    EXPECT_EQ(0x0000u, block(1, 1));
    EXPECT_EQ(0x0100u, block(2, 0));
    EXPECT_EQ(0x0100u, block(17, 1));
    EXPECT_EQ(0x0200u, block(18, 0));
    EXPECT_EQ(0x0101u, block(10, 8));
    EXPECT_EQ(0x0001u, block(0, 13));
    EXPECT_EQ(0x0202u, block(19, 15));
    EXPECT_EQ(0u, At(pixels, 20, 0));
    EXPECT_EQ(0u, At(pixels, 0, 16));
}

TEST_F(GdiRenderTarget, NinePatchRefusesMarginsWiderThanTheSource)
{
    SAutoRef<IBitmap> patch = SolidBitmap(6, 6, 0xFFFFFFFF);
    const RECT dest = {0, 0, 20, 20};
    const RECT source = {0, 0, 6, 6};
    const RECT margins = {4, 1, 4, 1};
    EXPECT_EQ(S_FALSE, m_target->DrawBitmap9Patch(&dest, patch.Get(), &source, &margins, kExpandStretch, 255));
    EXPECT_EQ(0, Count(Read(), [](std::uint32_t p) { return p != 0; }));
}

TEST_F(GdiRenderTarget, OtherTargetsCopyOrBlendIn)
{
    SAutoRef<IRenderTarget> source = MakeTarget(10, 10);
    saku_test::FillTarget(source.Get(), 0x80402010);
    saku_test::FillTarget(m_target.Get(), 0x40000000);
    const RECT copy = {0, 0, 5, 5};
    ASSERT_EQ(S_OK, m_target->BitBlt(&copy, source.Get(), 0, 0, SRCCOPY));
    EXPECT_EQ(0x80402010u, m_target->GetPixel(4, 4));
    // Any other operation changes colour only.
    const RECT invert = {10, 0, 15, 5};
    ASSERT_EQ(S_OK, m_target->BitBlt(&invert, source.Get(), 0, 0, SRCINVERT));
    EXPECT_EQ(0x40402010u, m_target->GetPixel(12, 2));
    const RECT blendDest = {20, 0, 30, 10};
    const RECT blendSource = {0, 0, 5, 5};
    ASSERT_EQ(S_OK, m_target->AlphaBlend(&blendDest, source.Get(), &blendSource, 255));
    EXPECT_EQ(0xA0402010u, m_target->GetPixel(29, 9));   // 0x80 + 0x40 x 0x7F / 0xFF
}

TEST_F(GdiRenderTarget, IconWithoutAlphaKeepsTheAlphaBeneath)
{
    saku_test::FillTarget(m_target.Get(), 0x80000000);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, -8, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const UniqueBitmap colour(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::fill_n(static_cast<BYTE*>(bits), 8 * 8 * 3, BYTE(0x40));
    const WORD maskRows[8] = {};
    const UniqueBitmap mask(::CreateBitmap(8, 8, 1, 1, maskRows));
    ICONINFO iconInfo = {TRUE, 0, 0, mask.Get(), colour.Get()};
    const UniqueIcon icon(::CreateIconIndirect(&iconInfo));
    ASSERT_EQ(S_OK, m_target->DrawIconEx(2, 2, icon.Get(), 8, 8, DI_NORMAL));
    EXPECT_EQ(0x80404040u, m_target->GetPixel(2, 2));
    EXPECT_EQ(0x80404040u, m_target->GetPixel(9, 9));
    EXPECT_EQ(0x80000000u, m_target->GetPixel(10, 10));
    EXPECT_EQ(S_FALSE, m_target->DrawIconEx(2, 2, nullptr, 8, 8, DI_NORMAL));
}

TEST_F(GdiRenderTarget, SelectedObjectsReplaceTheCurrentOnesAndDefaultsComeBack)
{
    IRenderObj* const defaultPen = m_target->GetCurrentObject(kRenderObjPen);
    ASSERT_TRUE(defaultPen);
    EXPECT_EQ(kRenderObjPen, defaultPen->ObjectType());
    EXPECT_EQ(S_FALSE, m_target->SelectDefaultObject(kRenderObjPen, nullptr));
    SAutoRef<IPen> pen = Pen(0xFF0000FF, 2);
    IRenderObj* old = nullptr;
    ASSERT_EQ(S_OK, m_target->SelectObject(pen.Get(), &old));
    EXPECT_EQ(defaultPen, old);
    old->Release();                                    // handed out with a reference
    EXPECT_EQ(pen.Get(), m_target->GetCurrentObject(kRenderObjPen));
    ASSERT_EQ(S_OK, m_target->SelectDefaultObject(kRenderObjPen, &old));
    EXPECT_EQ(pen.Get(), old);
    old->Release();
    EXPECT_EQ(defaultPen, m_target->GetCurrentObject(kRenderObjPen));
    EXPECT_EQ(E_INVALIDARG, m_target->SelectDefaultObject(kRenderObjRegion, nullptr));
    EXPECT_EQ(nullptr, m_target->GetCurrentObject(kRenderObjRegion));
    SAutoRef<IRegion> region;
    ASSERT_EQ(S_OK, m_target->CreateRegion(region.Put()));
    EXPECT_EQ(E_INVALIDARG, m_target->SelectObject(region.Get(), nullptr));

    auto* font = static_cast<IFont*>(m_target->GetCurrentObject(kRenderObjFont));
    EXPECT_STREQ(L"宋体", font->FamilyName());
    EXPECT_EQ(20, font->TextSize());
    EXPECT_EQ(0xFF000000u, m_target->SetTextColor(0x80FFFFFF));
    EXPECT_EQ(0x80FFFFFFu, m_target->GetTextColor());
}

TEST_F(GdiRenderTarget, DrawingOntoASelectedBitmapAndBackToTheDefault)
{
    SAutoRef<IBitmap> canvas = MakeBitmap(6, 6);
    ASSERT_EQ(S_OK, m_target->SelectObject(canvas.Get(), nullptr));
    const RECT all = {0, 0, 6, 6};
    ASSERT_EQ(S_OK, m_target->FillSolidRect(&all, 0xFFFFFFFF));
    ::GdiFlush();
    EXPECT_EQ(0xFFFFFFFFu, static_cast<const std::uint32_t*>(canvas->GetPixelBits())[35]);
    ASSERT_EQ(S_OK, m_target->SelectDefaultObject(kRenderObjBitmap, nullptr));
    EXPECT_EQ(0, Count(Read(), [](std::uint32_t p) { return p != 0; }));
}

TEST_F(GdiRenderTarget, BitmapBrushFillsWithItsPattern)
{
    SAutoRef<IBitmap> pattern = MakeBitmap(2, 1, {0xFFFF0000, 0xFF0000FF});
    SAutoRef<IBrush> brush;
    ASSERT_EQ(S_OK, m_target->CreateBitmapBrush(pattern.Get(), brush.Put()));
    Select(brush.Get());
    const RECT rect = {0, 0, 4, 2};
    ASSERT_EQ(S_OK, m_target->FillRectangle(&rect));
    const Pixels pixels = Read();
    EXPECT_EQ(0xFFFF0000u, At(pixels, 0, 1));
    EXPECT_EQ(0xFF0000FFu, At(pixels, 1, 1));
    EXPECT_EQ(0xFFFF0000u, At(pixels, 2, 0));
    EXPECT_EQ(0u, At(pixels, 4, 0));
}

TEST_F(GdiRenderTarget, TargetWithoutRoomForItsBitmapFailsCleanly)
{
    SAutoRef<IRenderTarget> huge;
    EXPECT_FALSE(m_factory->CreateRenderTarget(huge.Put(), 30000, 30000));
    EXPECT_FALSE(huge);
    SAutoRef<IRenderTarget> empty = MakeTarget(0, 0);   // measures text, draws nowhere
    ASSERT_TRUE(empty);
    SIZE size = {};
    ASSERT_EQ(S_OK, empty->MeasureText(L"安装", -1, &size));
    EXPECT_GT(size.cx, 0);

    // A resize that cannot be made leaves an empty bitmap on which every call is harmless.
    EXPECT_EQ(E_OUTOFMEMORY, m_target->Resize({30000, 30000}));
    EXPECT_EQ(0, CurrentBitmapWidth());
    const RECT rect = {0, 0, 20, 20};
    RECT text = rect;
    SAutoRef<IBitmap> bitmap = SolidBitmap(4, 4, 0xFFFFFFFF);
    SAutoRef<IRenderTarget> other = MakeTarget(4, 4);
    EXPECT_EQ(S_OK, m_target->FillSolidRect(&rect, 0x80FFFFFF));
    EXPECT_EQ(S_OK, m_target->DrawText(L"安装", -1, &text, 0));
    EXPECT_EQ(S_OK, m_target->ClearRect(&rect, 0xFFFFFFFF));
    EXPECT_EQ(S_OK, m_target->DrawRectangle(&rect));
    EXPECT_EQ(S_OK, m_target->GradientFill(&rect, TRUE, 0, 0xFFFFFF, 255));
    m_target->DrawBitmap(&rect, bitmap.Get(), 0, 0, 255);
    m_target->AlphaBlend(&rect, other.Get(), &rect, 255);
    other->AlphaBlend(&rect, m_target.Get(), &rect, 255);
    EXPECT_EQ(0x00FFFFFFu, m_target->GetPixel(0, 0));
    EXPECT_EQ(0x00FFFFFFu, m_target->SetPixel(0, 0, 0));
    EXPECT_EQ(0, Count(ReadPixels(other.Get()), [](std::uint32_t p) { return p != 0; }));
    // and it can be resized again.
    ASSERT_EQ(S_OK, m_target->Resize({5, 5}));
    ASSERT_EQ(S_OK, m_target->FillSolidRect(&rect, 0xFFFFFFFF));
    EXPECT_EQ(0xFFFFFFFFu, m_target->GetPixel(4, 4));
}

TEST_F(GdiRenderTarget, TextOutDrawsOneLineWhereItIsMeasured)
{
    m_target->SetTextColor(0xFFFFFFFF);
    ASSERT_EQ(S_OK, m_target->TextOut(4, 3, L"安装", -1));
    SIZE size = {};
    ASSERT_EQ(S_OK, m_target->MeasureText(L"安装", 2, &size));
    const Pixels pixels = Read();
    int inside = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool within = x >= 4 && x < 4 + size.cx && y >= 3 && y < 3 + size.cy;
            if (!within) {
                EXPECT_EQ(0u, At(pixels, x, y)) << x << "," << y;
            }
            inside += within && At(pixels, x, y) != 0;
        }
    }
    EXPECT_GT(inside, 30);
}

TEST_F(GdiRenderTarget, InvertsTransformsAndMakesCompatibleTargets)
{
    saku_test::FillTarget(m_target.Get(), 0xFF0000FF);
    const RECT rect = {0, 0, 2, 2};
    ASSERT_EQ(S_OK, m_target->InvertRect(&rect));
    EXPECT_EQ(0x00FFFF00u, m_target->GetPixel(1, 1) & 0x00FFFFFF);

    const XFORM shift = {1, 0, 0, 1, 10, 5};
    XFORM old = {};
    ASSERT_EQ(S_OK, m_target->SetTransform(&shift, &old));
    EXPECT_EQ(1.0f, old.eM11);
    EXPECT_EQ(0.0f, old.eDx);
    XFORM now = {};
    ASSERT_EQ(S_OK, m_target->GetTransform(&now));
    EXPECT_EQ(10.0f, now.eDx);
    EXPECT_EQ(E_INVALIDARG, m_target->SetTransform(nullptr, nullptr));

    SAutoRef<IRenderTarget> compatible;
    ASSERT_EQ(S_OK, m_target->CreateCompatibleRenderTarget({7, 3}, compatible.Put()));
    EXPECT_EQ(7, saku_test::CurrentBitmap(compatible.Get())->Width());
    EXPECT_EQ(3, saku_test::CurrentBitmap(compatible.Get())->Height());
    EXPECT_EQ(E_NOINTERFACE, m_target->QueryInterface(GUID(), nullptr));
}
