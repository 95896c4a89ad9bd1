// The ground the render target stands on, one primitive at a time, in a 32-bit DIB
// under Wine: plain GDI clears the alpha of exactly the pixels it draws and leaves
// the others; GradientFill writes its vertices' alpha; an icon with alpha blends
// as AlphaBlend of its premultiplied pixels, one without clears the alpha of its cell; AlphaBlend of premultiplied pixels
// follows the formula. A change of any of these breaks the target's alpha.

#include "GdiHandles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace {

constexpr int kSize = 40;
constexpr std::uint32_t kBackground = 0x80102030;   // alpha 0x80 under a dark colour
constexpr COLORREF kInk = RGB(0xF0, 0xE0, 0xD0);

// A 32-bit top-down DIB in a memory DC, every pixel kBackground, with a white pen,
// brush and text and a font selected.
class GroundSurface {
public:
    GroundSurface()
    {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSize, -kSize, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_bitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_bits = static_cast<std::uint32_t*>(bits);
        m_dc.Reset(::CreateCompatibleDC(nullptr));
        m_pen.Reset(::CreatePen(PS_SOLID, 1, kInk));
        m_brush.Reset(::CreateSolidBrush(kInk));
        LOGFONTW logFont = {};
        logFont.lfHeight = -20;
        logFont.lfQuality = ANTIALIASED_QUALITY;
        wcscpy(logFont.lfFaceName, L"微软雅黑");
        m_font.Reset(::CreateFontIndirectW(&logFont));
        m_selectBitmap = SelectInto(m_dc.Get(), m_bitmap.Get());
        m_selectPen = SelectInto(m_dc.Get(), m_pen.Get());
        m_selectBrush = SelectInto(m_dc.Get(), m_brush.Get());
        m_selectFont = SelectInto(m_dc.Get(), m_font.Get());
        ::SetBkMode(m_dc.Get(), TRANSPARENT);
        ::SetTextColor(m_dc.Get(), kInk);
        std::fill_n(m_bits, kSize * kSize, kBackground);
    }

    HDC Dc() const { return m_dc.Get(); }
    std::vector<std::uint32_t> Pixels() const
    {
        ::GdiFlush();
        return std::vector<std::uint32_t>(m_bits, m_bits + kSize * kSize);
    }
    void SetAll(std::uint32_t pixel) { std::fill_n(m_bits, kSize * kSize, pixel); }

private:
    UniqueBitmap m_bitmap;
    UniqueMemoryDc m_dc;
    UniquePen m_pen;
    UniqueBrush m_brush;
    UniqueFont m_font;
    std::uint32_t* m_bits = nullptr;
    UniqueSelection m_selectBitmap;
    UniqueSelection m_selectPen;
    UniqueSelection m_selectBrush;
    UniqueSelection m_selectFont;
};

// An icon of 8 x 8 pixels; with `alpha` its colour bitmap has 32 bits with every
// pixel's alpha 0x80, without it 24 bits and an all-opaque mask.
UniqueIcon MakeIcon(bool alpha)
{
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, -8, 1, WORD(alpha ? 32 : 24), BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const UniqueBitmap colour(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (alpha)
        std::fill_n(static_cast<std::uint32_t*>(bits), 64, 0x80404040);
    else
        std::fill_n(static_cast<BYTE*>(bits), 8 * 8 * 3, BYTE(0x40));
    const WORD maskRows[8] = {};
    const UniqueBitmap mask(::CreateBitmap(8, 8, 1, 1, maskRows));
    ICONINFO iconInfo = {TRUE, 0, 0, mask.Get(), colour.Get()};
    return UniqueIcon(::CreateIconIndirect(&iconInfo));
}

// AlphaBlend of one premultiplied pixel over another with a constant alpha, as GDI
// rounds it: the source is scaled by the constant first, then laid over the
// destination by its own alpha.
std::uint32_t Blend(std::uint32_t source, std::uint32_t dest, std::uint32_t constant)
{
    const auto scaled = [constant](std::uint32_t byte) { return (byte * constant + 127) / 255; };
    const std::uint32_t sourceAlpha = scaled(source >> 24);
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t s = scaled((source >> shift) & 0xFF);
        const std::uint32_t d = (dest >> shift) & 0xFF;
        result |= (s + (d * (255 - sourceAlpha) + 127) / 255) << shift;
    }
    return result;
}

}  // namespace

TEST(GdiAlphaGround, PlainPrimitivesClearTheAlphaOfExactlyWhatTheyDraw)
{
    const struct {
        const char* name;
        std::function<void(HDC)> draw;
        bool smoothed;   // text: glyph edges may touch a pixel without changing its colour
    } cases[] = {
        {"FillRect", [](HDC dc) { const RECT r = {5, 6, 20, 30}; ::FillRect(dc, &r, (HBRUSH)::GetCurrentObject(dc, OBJ_BRUSH)); }, false},
        {"Rectangle", [](HDC dc) { ::Rectangle(dc, 5, 6, 20, 30); }, false},
        {"RoundRect", [](HDC dc) { ::RoundRect(dc, 5, 6, 30, 30, 10, 10); }, false},
        {"Ellipse", [](HDC dc) { ::Ellipse(dc, 5, 6, 30, 30); }, false},
        {"Arc", [](HDC dc) { ::Arc(dc, 5, 5, 35, 35, 35, 20, 20, 5); }, false},
        {"Polyline", [](HDC dc) { const POINT p[] = {{2, 2}, {30, 9}, {12, 35}}; ::Polyline(dc, p, 3); }, false},
        {"LineTo", [](HDC dc) { ::MoveToEx(dc, 3, 30, nullptr); ::LineTo(dc, 36, 4); }, false},
        {"DrawTextW", [](HDC dc) { RECT r = {0, 0, kSize, kSize}; ::DrawTextW(dc, L"安A", -1, &r, DT_SINGLELINE); }, true},
        {"ExtTextOutW", [](HDC dc) { ::ExtTextOutW(dc, 2, 8, 0, nullptr, L"装g", 2, nullptr); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GroundSurface surface;
        c.draw(surface.Dc());
        const std::vector<std::uint32_t> pixels = surface.Pixels();
        int cleared = 0;
        for (int i = 0; i < kSize * kSize; ++i) {
            const std::uint32_t pixel = pixels[i];
            const bool colourChanged = (pixel & 0xFFFFFF) != (kBackground & 0xFFFFFF);
            const bool alphaCleared = (pixel >> 24) == 0;
            cleared += alphaCleared;
            // Drawn pixels lose their alpha; the rest keep all four bytes.
            if (colourChanged) {
                EXPECT_TRUE(alphaCleared) << "pixel " << i;
            }
            if (!alphaCleared) {
                EXPECT_EQ(kBackground, pixel) << "pixel " << i;
            }
            if (!c.smoothed) {
                EXPECT_EQ(colourChanged, alphaCleared) << "pixel " << i;
            }
        }
        EXPECT_GT(cleared, 10);
    }
}

TEST(GdiAlphaGround, TextOfEveryQualityIsSmoothedInGreyOnly)
{
    for (const BYTE quality : {DEFAULT_QUALITY, NONANTIALIASED_QUALITY, ANTIALIASED_QUALITY, CLEARTYPE_QUALITY}) {
        SCOPED_TRACE(int(quality));
        GroundSurface surface;
        surface.SetAll(0xFF000000);
        LOGFONTW logFont = {};
        logFont.lfHeight = -24;
        logFont.lfQuality = quality;
        wcscpy(logFont.lfFaceName, L"微软雅黑");
        const UniqueFont font(::CreateFontIndirectW(&logFont));
        const UniqueSelection selectFont = SelectInto(surface.Dc(), font.Get());
        ::SetTextColor(surface.Dc(), RGB(255, 255, 255));
        ::ExtTextOutW(surface.Dc(), 2, 4, 0, nullptr, L"安装", 2, nullptr);
        int drawn = 0;
        for (const std::uint32_t pixel : surface.Pixels()) {
            const BYTE b = BYTE(pixel), g = BYTE(pixel >> 8), r = BYTE(pixel >> 16);
            EXPECT_TRUE(r == g && g == b) << std::hex << pixel;   // sub-pixel smoothing would tint edges
            drawn += (pixel >> 24) == 0;
        }
        EXPECT_GT(drawn, 20);
    }
}

TEST(GdiAlphaGround, GradientFillWritesTheVerticesAlpha)
{
    for (const COLOR16 alpha : {COLOR16(0x0000), COLOR16(0x8000), COLOR16(0xFF00)}) {
        SCOPED_TRACE(alpha);
        GroundSurface surface;
        TRIVERTEX vertices[2] = {{4, 4, 0x1000, 0x2000, 0x3000, alpha}, {20, 20, 0x1000, 0x2000, 0x3000, alpha}};
        GRADIENT_RECT corners = {0, 1};
        ASSERT_TRUE(::GdiGradientFill(surface.Dc(), vertices, 2, &corners, 1, GRADIENT_FILL_RECT_H));
        const std::vector<std::uint32_t> pixels = surface.Pixels();
        EXPECT_EQ(std::uint32_t(alpha >> 8), pixels[10 * kSize + 10] >> 24);
        EXPECT_EQ(kBackground, pixels[30 * kSize + 30]);
    }
}

TEST(GdiAlphaGround, IconWithAlphaBlendsAndIconWithoutClearsItsCell)
{
    for (const bool alpha : {true, false}) {
        SCOPED_TRACE(alpha);
        GroundSurface surface;
        const UniqueIcon icon = MakeIcon(alpha);
        ASSERT_TRUE(icon);
        ASSERT_TRUE(::DrawIconEx(surface.Dc(), 10, 10, icon.Get(), 8, 8, 0, nullptr, DI_NORMAL));
        const std::vector<std::uint32_t> pixels = surface.Pixels();
        for (int y = 10; y < 18; ++y) {
            for (int x = 10; x < 18; ++x)
                // Icons hold straight colour: 0x404040 at alpha 0x80 goes over as 0x202020.
                EXPECT_EQ(alpha ? Blend(0x80202020, kBackground, 255) : 0x00404040u, pixels[y * kSize + x])
                    << std::hex << pixels[y * kSize + x] << " at " << std::dec << x << "," << y;
        }
        EXPECT_EQ(kBackground, pixels[9 * kSize + 9]);
        EXPECT_EQ(kBackground, pixels[18 * kSize + 18]);
    }
}

TEST(GdiAlphaGround, AlphaBlendOfPremultipliedPixelsFollowsTheFormula)
{
    const struct {
        std::uint32_t source;
        std::uint32_t dest;
        BYTE constant;
    } cases[] = {
        {0x80402010, 0xFF808080, 255}, {0x80402010, 0x80102030, 255}, {0x00000000, 0x80102030, 255},
        {0xFF112233, 0x40102030, 255}, {0xFF808080, 0x00000000, 128}, {0x80402010, 0xFFFFFFFF, 77},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.source << " over " << c.dest << " at " << int(c.constant));
        GroundSurface source;
        GroundSurface dest;
        source.SetAll(c.source);
        dest.SetAll(c.dest);
        const BLENDFUNCTION blend = {AC_SRC_OVER, 0, c.constant, AC_SRC_ALPHA};
        ASSERT_TRUE(::GdiAlphaBlend(dest.Dc(), 0, 0, 4, 4, source.Dc(), 0, 0, 4, 4, blend));
        EXPECT_EQ(Blend(c.source, c.dest, c.constant), dest.Pixels()[0]);
    }
}
