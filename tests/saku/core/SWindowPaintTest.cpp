#include "WindowPaintTest.h"

#include "core/ISkinObj.h"
#include "render/IFont.h"

#include <algorithm>
#include <iterator>
#include <string>

using namespace saku_test;
using SAKU::SWindow;

namespace {

// Stored pixels (0xAARRGGBB) of the colours the layouts below write as "#rrggbb".
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kLime = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kYellow = 0xFFFFFF00;
constexpr COLORREF kYellowWord = 0xFF00FFFF;   // the same as a colour word 0xAABBGGRR

// The stored pixel of `over` blended at alpha 128 onto the opaque `under`.
std::uint32_t HalfOver(std::uint32_t over, std::uint32_t under)
{
    std::uint32_t pixel = 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8)
        pixel |= ((over >> shift & 0xFF) * 128 / 255 + (under >> shift & 0xFF) * 127 / 255) << shift;
    return pixel;
}

int CountPixels(const Pixels& pixels, int width, const RECT& area, std::uint32_t value)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += PixelAt(pixels, width, x, y) == value;
    return count;
}

}  // namespace

TEST_F(WindowPaintTest, LaterSiblingsAndChildrenPaintOverEarlierWindows)
{
    SWindow* const a = Add(m_root, {10, 10, 60, 60}, {{L"colorBkgnd", L"#ff0000"}});
    SWindow* const c = Add(a, {20, 20, 50, 50}, {{L"colorBkgnd", L"#0000ff"}});
    SWindow* const b = Add(m_root, {40, 40, 90, 90}, {{L"colorBkgnd", L"#00ff00"}});
    PaintFrame();
    Keep(L"zorder");

    EXPECT_EQ(1u, a->GetZOrder());
    EXPECT_EQ(2u, c->GetZOrder());
    EXPECT_EQ(3u, b->GetZOrder());
    EXPECT_EQ(kRed, Pixel(15, 15));
    EXPECT_EQ(kBlue, Pixel(25, 25));     // the child over its parent
    EXPECT_EQ(kLime, Pixel(45, 45));     // the later sibling over the earlier one's child
    EXPECT_EQ(kLime, Pixel(70, 70));
    EXPECT_EQ(0u, Pixel(100, 100));      // nothing there
}

TEST_F(WindowPaintTest, TranslucentWindowsBlendAtHalfOpacity)
{
    const struct {
        const wchar_t* name;
        const wchar_t* layered;
        const wchar_t* cache;
    } cases[] = {
        {L"alpha128", L"0", L"0"},                 // drawn through a cache because of its alpha
        {L"alpha128_cache", L"0", L"1"},
        {L"alpha128_layered", L"1", L"0"},         // drawn into its layer, the layer blended
        {L"alpha128_layered_cache", L"1", L"1"},   // the cache opaque into the layer, the layer at 128
    };
    m_root->ApplyAttribute(L"colorBkgnd", L"#ffffff", TRUE);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "layered " << c.layered << ", cache " << c.cache);
        SWindow* const window = Add(m_root, {20, 20, 100, 100},
                                    {{L"colorBkgnd", L"#0000ff"}, {L"alpha", L"128"},
                                     {L"layeredWindow", c.layered}, {L"cache", c.cache}});
        PaintFrame();
        Keep(c.name);
        const Pixels first = ReadPixels(m_host.Get());
        EXPECT_PRED2(Near, PixelAt(first, kSize, 60, 60), HalfOver(kBlue, kWhite));
        EXPECT_EQ(kWhite, PixelAt(first, kSize, 10, 10));
        PaintFrame();   // from the cache or layer this time; the same picture
        EXPECT_TRUE(first == ReadPixels(m_host.Get()));
        m_root->DestroyChild(window);
    }
}

TEST_F(WindowPaintTest, CachedWindowRepaintsItsPictureOnlyWhenDirty)
{
    SWindow* const window = Add(m_root, {20, 20, 100, 100}, {{L"colorBkgnd", L"#ff0000"}, {L"cache", L"1"}});
    const auto paintsOfWindow = [&] {
        return std::count_if(m_paints.begin(), m_paints.end(),
                             [&](const auto& paint) { return paint.swnd == window->GetSwnd(); });
    };
    PaintFrame();
    EXPECT_EQ(kRed, Pixel(60, 60));
    EXPECT_FALSE(window->IsCacheDirty());

    window->ApplyAttribute(L"colorBkgnd", L"#00ff00", TRUE);   // changed without telling anyone
    PaintFrame();
    EXPECT_EQ(kRed, Pixel(60, 60));                            // the cached picture
    EXPECT_EQ(1, paintsOfWindow());

    window->Invalidate();
    EXPECT_TRUE(window->IsCacheDirty());
    PaintFrame();
    EXPECT_EQ(kLime, Pixel(60, 60));
    EXPECT_EQ(2, paintsOfWindow());
}

TEST_F(WindowPaintTest, BorderRingTakesTheBorderColourWithoutSkin)
{
    const struct {
        const wchar_t* margin;
        std::uint32_t ring;
    } cases[] = {
        {L"0", 0},       // no border, nothing drawn
        {L"4", kRed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.margin);
        SWindow* const window =
            Add(m_root, {20, 20, 80, 80}, {{L"margin", c.margin}, {L"colorBorder", L"#ff0000"}});
        PaintFrame();
        Keep((std::wstring(L"border_margin") + c.margin).c_str());
        const Pixels pixels = ReadPixels(m_host.Get());
        for (const POINT ring : {POINT{20, 20}, POINT{23, 50}, POINT{50, 23}, POINT{76, 50}, POINT{79, 79}})
            EXPECT_EQ(c.ring, PixelAt(pixels, kSize, ring.x, ring.y)) << ring.x << "," << ring.y;
        for (const POINT inside : {POINT{24, 24}, POINT{50, 50}, POINT{75, 75}})
            EXPECT_EQ(0u, PixelAt(pixels, kSize, inside.x, inside.y)) << inside.x << "," << inside.y;
        EXPECT_EQ(0u, PixelAt(pixels, kSize, 19, 19));
        m_root->DestroyChild(window);
    }
}

TEST_F(WindowPaintTest, TranslucentBorderKeepsItsOpacityFrameAfterFrame)
{
    m_root->ApplyAttribute(L"colorBkgnd", L"#ffffff", TRUE);
    Add(m_root, {20, 20, 80, 80},
        {{L"alpha", L"128"}, {L"margin", L"4"}, {L"colorBorder", L"#0000ff"}, {L"colorBkgnd", L"#ff0000"}});
    PaintFrame();
    const Pixels first = ReadPixels(m_host.Get());
    EXPECT_PRED2(Near, PixelAt(first, kSize, 21, 50), HalfOver(kBlue, kWhite));
    EXPECT_PRED2(Near, PixelAt(first, kSize, 50, 50), HalfOver(kRed, kWhite));
    for (int frame = 0; frame < 2; ++frame) {
        PaintFrame();
        EXPECT_TRUE(first == ReadPixels(m_host.Get()));
    }
    Keep(L"border_alpha128");
}

TEST_F(WindowPaintTest, BackgroundTargetShowsTheWindowsBelowAndReleasePaintsThoseAbove)
{
    m_root->ApplyAttribute(L"colorBkgnd", L"#ffffff", TRUE);
    Add(m_root, {10, 10, 110, 110}, {{L"colorBkgnd", L"#ff0000"}});
    SWindow* const b = Add(m_root, {30, 30, 90, 90}, {{L"colorBkgnd", L"#00ff00"}});
    Add(m_root, {60, 60, 100, 100}, {{L"colorBkgnd", L"#0000ff"}});
    PaintFrame();
    m_container->ForgetRequests();

    SAKU::IRenderTarget* const target = b->GetRenderTarget(nullptr, SAKU::kGdcPaintBkgnd, TRUE);
    ASSERT_EQ(m_host.Get(), target);
    EXPECT_EQ(kRed, Pixel(40, 40));   // what lies below, without the window itself
    EXPECT_EQ(kRed, Pixel(70, 70));   // the window above comes at release
    const RECT whole = b->GetWindowRect();
    target->FillSolidRect(&whole, kYellowWord);
    b->ReleaseRenderTarget(target);
    Keep(L"background_target");

    EXPECT_EQ(kYellow, Pixel(40, 40));
    EXPECT_EQ(kBlue, Pixel(70, 70));
    EXPECT_EQ(kRed, Pixel(20, 20));   // outside the window, untouched
    ASSERT_EQ(1u, m_container->m_gets.size());
    EXPECT_TRUE(::EqualRect(&whole, &m_container->m_gets[0].rect));
    EXPECT_EQ(SAKU::kGdcPaintBkgnd, m_container->m_gets[0].gdcFlags);
    ASSERT_EQ(1u, m_container->m_releases.size());
    EXPECT_EQ(SAKU::kGdcPaintBkgnd, m_container->m_releases[0].gdcFlags);
}

TEST_F(WindowPaintTest, ChildOfLayeredWindowDrawsOnTheLayerAndReleaseRecomposesTheHost)
{
    m_root->ApplyAttribute(L"colorBkgnd", L"#ffffff", TRUE);
    SWindow* const layered = Add(m_root, {10, 10, 110, 110},
                                 {{L"layeredWindow", L"1"}, {L"alpha", L"128"}, {L"colorBkgnd", L"#ff0000"}});
    SWindow* const child = Add(layered, {30, 30, 70, 70}, {{L"colorBkgnd", L"#00ff00"}});
    Add(m_root, {60, 60, 100, 100}, {{L"colorBkgnd", L"#0000ff"}});
    PaintFrame();
    EXPECT_PRED2(Near, Pixel(20, 20), HalfOver(kRed, kWhite));
    EXPECT_PRED2(Near, Pixel(40, 40), HalfOver(kLime, kWhite));
    EXPECT_EQ(kBlue, Pixel(80, 80));
    m_container->ForgetRequests();

    SAKU::IRenderTarget* const target = child->GetRenderTarget(nullptr, SAKU::kGdcPaintBkgnd, TRUE);
    ASSERT_EQ(layered->GetLayerRenderTarget(), target);
    EXPECT_EQ(kRed, target->GetPixel(40, 40));   // the parent's layer below the child
    EXPECT_TRUE(m_container->m_gets.empty());
    const RECT whole = child->GetWindowRect();
    target->FillSolidRect(&whole, kYellowWord);
    child->ReleaseRenderTarget(target);
    Keep(L"layered_child");

    EXPECT_PRED2(Near, Pixel(40, 40), HalfOver(kYellow, kWhite));
    EXPECT_EQ(kBlue, Pixel(65, 65));                           // the window after the layered subtree
    EXPECT_PRED2(Near, Pixel(20, 20), HalfOver(kRed, kWhite));   // outside the child, untouched
    ASSERT_EQ(1u, m_container->m_gets.size());
    EXPECT_TRUE(::EqualRect(&whole, &m_container->m_gets[0].rect));
    EXPECT_EQ(SAKU::kGdcOffscreen, m_container->m_gets[0].gdcFlags);
    ASSERT_EQ(1u, m_container->m_releases.size());
    EXPECT_EQ(SAKU::kGdcOffscreen, m_container->m_releases[0].gdcFlags);
}

TEST_F(WindowPaintTest, ZRangePaintsExactlyItsWindowsWithTheirAncestorsFontAndColour)
{
    // z-orders in the comments; the colours as words 0xAABBGGRR.
    m_root->ApplyAttribute(L"colorText", L"#333333", TRUE);                      // 0
    SWindow* const a = Add(m_root, {0, 0, 60, 60}, {{L"colorText", L"#ff0000"}});   // 1
    Add(a, {0, 0, 20, 20});                                                           // 2
    SWindow* const a2 = Add(a, {20, 0, 40, 20}, {{L"colorText", L"#00ff00"}});       // 3
    Add(a2, {20, 0, 30, 10});                                                         // 4
    SWindow* const a2b = Add(a2, {30, 0, 40, 10});                                    // 5
    SWindow* const b = Add(m_root, {60, 0, 120, 60}, {{L"font", L"size:20"}});  // 6
    SWindow* const b1 = Add(b, {60, 0, 90, 30}, {{L"colorText", L"#0000ff"}});       // 7
    SWindow* const b1a = Add(b1, {60, 0, 70, 10});                                    // 8
    SWindow* const b2 = Add(b, {90, 0, 120, 30});                                     // 9
    Add(m_root, {0, 60, 120, 120});                                             // 10
    m_container->BuildWndTreeZorder();
    ASSERT_EQ(5u, a2b->GetZOrder());
    ASSERT_EQ(9u, b2->GetZOrder());
    SAKU::IRenderObj* const bigFont = b->GetStyle().GetTextFont(0);
    ASSERT_NE(nullptr, bigFont);
    SAKU::IRenderObj* const defaultFont = m_host->GetCurrentObject(SAKU::kRenderObjFont);
    m_paints.clear();

    m_root->PaintZRange(m_host.Get(), nullptr, 5, 9);

    const struct {
        SWindow* window;
        COLORREF textColor;
        SAKU::IRenderObj* font;
    } expected[] = {
        {a2b, 0xFF00FF00, defaultFont},   // its parent's colour
        {b, 0xFF333333, defaultFont},     // the root's
        {b1, 0xFF333333, bigFont},        // its parent's font, the root's colour
        {b1a, 0xFFFF0000, bigFont},       // its parent's colour, its grandparent's font
    };
    ASSERT_EQ(std::size(expected), m_paints.size());
    for (size_t i = 0; i < m_paints.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].window->GetSwnd(), m_paints[i].swnd);
        EXPECT_EQ(expected[i].textColor, m_paints[i].textColor);
        EXPECT_EQ(expected[i].font, m_paints[i].font);
    }
    EXPECT_EQ(defaultFont, m_host->GetCurrentObject(SAKU::kRenderObjFont));   // given back
}

TEST_F(WindowPaintTest, OpaqueWindowRedrawsOnlyItsInvalidArea)
{
    m_root->ApplyAttribute(L"colorBkgnd", L"#ffffff", TRUE);
    SWindow* const below = Add(m_root, {0, 0, 120, 60}, {{L"colorBkgnd", L"#00ff00"}});
    SWindow* const window = Add(m_root, {20, 20, 100, 100}, {{L"colorBkgnd", L"#ff0000"}, {L"bkgndBlend", L"0"}});
    SWindow* const above = Add(m_root, {70, 70, 110, 110}, {{L"colorBkgnd", L"#0000ff"}});
    PaintFrame();
    m_paints.clear();
    m_container->ForgetRequests();
    window->ApplyAttribute(L"colorBkgnd", L"#ffff00", TRUE);
    below->ApplyAttribute(L"colorBkgnd", L"#000000", TRUE);   // would show if it were repainted

    window->InvalidateRect({50, 50, 90, 90});
    EXPECT_TRUE(m_container->m_redraws.empty());   // the host is not asked to repaint the area
    ASSERT_EQ(1u, m_container->m_updates.size());
    EXPECT_EQ(window->GetSwnd(), m_container->m_updates[0]);
    EXPECT_TRUE(window->RedrawInvalidRegion());
    Keep(L"opaque_redraw");

    EXPECT_EQ(kYellow, Pixel(60, 60));
    EXPECT_EQ(kBlue, Pixel(80, 80));   // the window above, painted over again
    EXPECT_EQ(kRed, Pixel(30, 30));    // outside the invalid area
    EXPECT_EQ(kLime, Pixel(10, 10));
    ASSERT_EQ(2u, m_paints.size());
    EXPECT_EQ(window->GetSwnd(), m_paints[0].swnd);
    EXPECT_EQ(above->GetSwnd(), m_paints[1].swnd);
    ASSERT_EQ(1u, m_container->m_gets.size());
    const RECT box = {50, 50, 90, 90};
    EXPECT_TRUE(::EqualRect(&box, &m_container->m_gets[0].rect));
    EXPECT_EQ(SAKU::kGdcOffscreen, m_container->m_gets[0].gdcFlags);
    EXPECT_FALSE(window->RedrawInvalidRegion());   // nothing left to redraw
}

TEST_F(WindowPaintTest, BlendedWindowsInvalidateThroughTheirParentsToTheContainer)
{
    const struct {
        const char* name;
        RECT invalid;
        bool visible;
        std::vector<RECT> redraws;
    } cases[] = {
        {"overlapping", {0, 0, 40, 40}, true, {{20, 20, 40, 40}}},
        {"outside", {70, 70, 80, 80}, true, {}},
        {"invisible", {20, 20, 60, 60}, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SWindow* const parent = Add(m_root, {10, 10, 110, 110});
        SWindow* const window = Add(parent, {20, 20, 60, 60}, {{L"cache", L"1"}});
        PaintFrame();
        window->SetVisible(c.visible, FALSE);
        m_container->ForgetRequests();

        window->InvalidateRect(c.invalid, FALSE);
        EXPECT_FALSE(window->IsCacheDirty());
        window->InvalidateRect(c.invalid, TRUE);
        EXPECT_TRUE(window->IsCacheDirty());   // marked even where nothing is redrawn
        ASSERT_EQ(c.redraws.empty() ? 0u : 2u, m_container->m_redraws.size());
        for (const RECT& redraw : m_container->m_redraws)
            EXPECT_TRUE(::EqualRect(&c.redraws[0], &redraw));
        EXPECT_TRUE(m_container->m_updates.empty());
        m_root->DestroyChild(parent);
    }
}

TEST_F(WindowPaintTest, FocusRectangleLiesTwoPixelsInsideTheTextRectangle)
{
    const struct {
        const char* name;
        bool focused;
        const wchar_t* drawFocusRect;
        bool drawn;
    } cases[] = {
        {"focused", true, L"1", true},
        {"not focused", false, L"1", false},
        {"no focus rectangle", true, L"0", false},
    };
    constexpr std::uint32_t kFocusGrey = 0xFF585858;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SWindow* const window = Add(m_root, {10, 10, 110, 60},
                                    {{L"focusable", L"1"}, {L"padding", L"10"}, {L"colorBkgnd", L"#ffffff"},
                                     {L"drawFocusRect", c.drawFocusRect}});
        if (c.focused)
            window->SetFocus();
        PaintFrame();
        const Pixels pixels = ReadPixels(m_host.Get());
        RECT text;
        window->GetTextRect(&text);
        const RECT padded = {20, 20, 100, 50};
        ASSERT_TRUE(::EqualRect(&padded, &text));
        if (!c.drawn) {
            EXPECT_EQ(0, CountPixels(pixels, kSize, {0, 0, kSize, kSize}, kFocusGrey));
        } else {
            Keep(L"focus_rect");
            // The outline of (22, 22, 98, 48): the target draws in GDI's advanced mode,
            // whose rectangles take their right and bottom edges too.
            EXPECT_LT(10, CountPixels(pixels, kSize, {22, 22, 99, 23}, kFocusGrey));   // top edge
            EXPECT_LT(10, CountPixels(pixels, kSize, {22, 48, 99, 49}, kFocusGrey));   // bottom edge
            EXPECT_LT(5, CountPixels(pixels, kSize, {22, 22, 23, 49}, kFocusGrey));    // left edge
            EXPECT_LT(5, CountPixels(pixels, kSize, {98, 22, 99, 49}, kFocusGrey));    // right edge
            EXPECT_EQ(0, CountPixels(pixels, kSize, {23, 23, 98, 48}, kFocusGrey));    // inside it
            const int all = CountPixels(pixels, kSize, {0, 0, kSize, kSize}, kFocusGrey);
            EXPECT_EQ(all, CountPixels(pixels, kSize, {22, 22, 99, 49}, kFocusGrey));   // nothing outside
        }
        m_root->DestroyChild(window);
    }
}

TEST_F(WindowPaintTest, TextTakesTheAncestorsFontAndColour)
{
    SWindow* const parent = Add(m_root, {0, 0, 120, 120},
                                {{L"colorText", L"#ff0000"}, {L"font", L"face:微软雅黑,size:16"}});
    SWindow* const window = Add(parent, {10, 10, 110, 50}, {{L"colorBkgnd", L"#ffffff"}, {L"text", L"Tivala 安装"}});
    PaintFrame();
    Keep(L"inherited_text");

    // The same text drawn by hand with the parent's font and colour.
    SAKU::SAutoRef<SAKU::IRenderTarget> expected;
    ASSERT_TRUE(m_renderFactory->CreateRenderTarget(expected.Put(), kSize, kSize));
    const RECT whole = window->GetWindowRect();
    expected->FillSolidRect(&whole, 0xFFFFFFFF);
    ASSERT_NE(nullptr, parent->GetStyle().GetTextFont(0));
    expected->SelectObject(parent->GetStyle().GetTextFont(0));
    expected->SetTextColor(0xFF0000FF);
    RECT text = whole;
    expected->DrawText(L"Tivala 安装", -1, &text, 0x25);

    const Pixels painted = ReadPixels(m_host.Get());
    const Pixels drawn = ReadPixels(expected.Get());
    EXPECT_LT(50, int(whole.right - whole.left) * (whole.bottom - whole.top) - CountPixels(painted, kSize, whole, kWhite));
    for (int y = whole.top; y < whole.bottom; ++y)
        for (int x = whole.left; x < whole.right; ++x)
            ASSERT_EQ(PixelAt(drawn, kSize, x, y), PixelAt(painted, kSize, x, y)) << x << "," << y;
}

TEST_F(WindowPaintTest, SkinDrawsTheStateOfThePaintStateIndex)
{
    AddProgramResources(L"uidef:xml_init");   // the skin "states": red, lime, blue side by side
    const struct {
        const char* name;
        DWORD state;
        std::uint32_t expected;
    } cases[] = {
        {"normal", 0, kRed},
        {"hover", SAKU::WndState_Hover, kLime},
        {"pushed", SAKU::WndState_PushDown | SAKU::WndState_Hover, kBlue},
        {"checked", SAKU::WndState_Check, kBlue},
        {"disabled", SAKU::WndState_Disable | SAKU::WndState_Hover, kRed},   // a fourth state it lacks
    };
    SWindow* const window = Add(m_root, {20, 20, 100, 100}, {{L"skin", L"states"}});
    ASSERT_NE(nullptr, window->GetSkin());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window->ModifyState(c.state, ~c.state);
        PaintFrame();
        EXPECT_EQ(c.expected, Pixel(60, 60));
        EXPECT_EQ(0u, Pixel(10, 10));
    }
}

TEST_F(WindowPaintTest, BorderRepaintsAloneWithTheHoverStateOfItsSkin)
{
    AddProgramResources(L"uidef:xml_init");
    SWindow* const window = Add(m_root, {20, 20, 100, 100},
                                {{L"ncskin", L"states"}, {L"margin", L"4"}, {L"colorBkgnd", L"#ffffff"}});
    Add(m_root, {90, 90, 110, 110}, {{L"colorBkgnd", L"#ffff00"}});   // over a corner of the border
    PaintFrame();
    EXPECT_EQ(kRed, Pixel(21, 60));
    m_paints.clear();

    window->ModifyState(SAKU::WndState_Hover, 0);
    window->UpdateNonClient();
    Keep(L"border_hover");
    EXPECT_EQ(kLime, Pixel(21, 60));
    EXPECT_EQ(kLime, Pixel(60, 98));
    EXPECT_EQ(kWhite, Pixel(60, 60));    // the client area is not drawn again
    EXPECT_EQ(kYellow, Pixel(95, 95));   // the window above stays above
    for (const auto& paint : m_paints)
        EXPECT_NE(window->GetSwnd(), paint.swnd);
}

TEST_F(WindowPaintTest, WindowBorrowsOneRenderTargetAtATime)
{
    SWindow* const window = Add(m_root, {20, 20, 100, 100});
    SAKU::IRenderTarget* const first = window->GetRenderTarget();
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(nullptr, window->GetRenderTarget());   // the first is still out
    window->ReleaseRenderTarget(first);
    SAKU::IRenderTarget* const again = window->GetRenderTarget();
    EXPECT_NE(nullptr, again);
    window->ReleaseRenderTarget(again);
    EXPECT_EQ(2u, m_container->m_releases.size());
}

TEST_F(WindowPaintTest, PaintingTheBackgroundLeavesTheBorrowersFontAndColour)
{
    SWindow* const parent = Add(m_root, {0, 0, 120, 120},
                                {{L"colorText", L"#ff0000"}, {L"font", L"size:20"}});
    SWindow* const window = Add(parent, {20, 20, 100, 100}, {{L"colorBkgnd", L"#00ff00"}});
    m_root->ApplyAttribute(L"colorText", L"#0000ff", TRUE);
    SAKU::IRenderTarget* const target = window->GetRenderTarget();
    ASSERT_NE(nullptr, target);
    SAKU::IRenderObj* const font = target->GetCurrentObject(SAKU::kRenderObjFont);
    EXPECT_EQ(static_cast<SAKU::IRenderObj*>(parent->GetStyle().GetTextFont(0)), font);
    EXPECT_EQ(0xFF0000FFu, target->GetTextColor());

    window->PaintBackground(target, nullptr);
    EXPECT_EQ(font, target->GetCurrentObject(SAKU::kRenderObjFont));
    EXPECT_EQ(0xFF0000FFu, target->GetTextColor());
    window->ReleaseRenderTarget(target);
}

TEST_F(WindowPaintTest, OpaqueChildOfLayeredWindowRedrawsWithinTheLayer)
{
    m_root->ApplyAttribute(L"colorBkgnd", L"#ffffff", TRUE);
    SWindow* const layered = Add(m_root, {10, 10, 110, 110},
                                 {{L"layeredWindow", L"1"}, {L"alpha", L"128"}, {L"colorBkgnd", L"#ff0000"}});
    SWindow* const child = Add(layered, {30, 30, 90, 90}, {{L"colorBkgnd", L"#00ff00"}, {L"bkgndBlend", L"0"}});
    Add(m_root, {60, 60, 100, 100}, {{L"colorBkgnd", L"#0000ff"}});
    PaintFrame();
    child->ApplyAttribute(L"colorBkgnd", L"#ffff00", TRUE);

    child->InvalidateRect(child->GetWindowRect());
    ASSERT_EQ(1u, m_container->m_updates.size());
    EXPECT_TRUE(child->RedrawInvalidRegion());
    Keep(L"layered_opaque_child");

    SAKU::IRenderTarget* const layer = layered->GetLayerRenderTarget();
    EXPECT_EQ(kYellow, layer->GetPixel(40, 40));
    EXPECT_EQ(kYellow, layer->GetPixel(70, 70));   // the window after the layered one stays out of the layer
    EXPECT_PRED2(Near, Pixel(40, 40), HalfOver(kYellow, kWhite));
    EXPECT_EQ(kBlue, Pixel(70, 70));
    EXPECT_PRED2(Near, Pixel(20, 20), HalfOver(kRed, kWhite));
}

TEST_F(WindowPaintTest, TranslucentWindowLeavingItsLayerDrawsThroughACache)
{
    m_root->ApplyAttribute(L"colorBkgnd", L"#ffffff", TRUE);
    SWindow* const window = Add(m_root, {20, 20, 100, 100},
                                {{L"colorBkgnd", L"#0000ff"}, {L"alpha", L"128"}, {L"layeredWindow", L"1"}});
    PaintFrame();
    EXPECT_EQ(nullptr, window->GetCachedRenderTarget());

    window->ApplyAttribute(L"layeredWindow", L"0", FALSE);
    EXPECT_NE(nullptr, window->GetCachedRenderTarget());
    PaintFrame();
    EXPECT_PRED2(Near, Pixel(60, 60), HalfOver(kBlue, kWhite));

    window->ApplyAttribute(L"layeredWindow", L"1", FALSE);
    EXPECT_EQ(nullptr, window->GetCachedRenderTarget());
    PaintFrame();
    EXPECT_PRED2(Near, Pixel(60, 60), HalfOver(kBlue, kWhite));
}

TEST_F(WindowPaintTest, RedrawOfAnAreaPaintsOnlyTheWindowsItTouches)
{
    m_root->ApplyAttribute(L"colorBkgnd", L"#ffffff", TRUE);
    SWindow* const a = Add(m_root, {0, 0, 60, 60}, {{L"colorBkgnd", L"#ff0000"}});
    SWindow* const b = Add(m_root, {60, 0, 120, 60}, {{L"colorBkgnd", L"#00ff00"}});
    SWindow* const c = Add(m_root, {0, 60, 120, 120}, {{L"colorBkgnd", L"#0000ff"}});
    Add(c, {10, 70, 50, 110}, {{L"colorBkgnd", L"#ff0000"}});
    PaintFrame();
    m_paints.clear();
    m_container->ForgetRequests();
    for (SWindow* const window : {a, b, c})
        window->ApplyAttribute(L"colorBkgnd", L"#ffff00", TRUE);   // would show where repainted

    b->Invalidate();
    ASSERT_EQ(1u, m_container->m_redraws.size());
    const RECT area = m_container->m_redraws[0];
    const RECT whole = b->GetWindowRect();
    EXPECT_TRUE(::EqualRect(&whole, &area));
    // The host repaints the area from the root, as it does for every blended window.
    m_host->PushClipRect(&area, RGN_AND);
    m_host->ClearRect(&area, 0);
    m_root->PaintRegion(m_host.Get(), Region(area).Get());
    m_host->PopClip();

    EXPECT_EQ(kYellow, Pixel(90, 30));
    EXPECT_EQ(kRed, Pixel(30, 30));
    EXPECT_EQ(kBlue, Pixel(90, 90));
    ASSERT_EQ(1u, m_paints.size());
    EXPECT_EQ(b->GetSwnd(), m_paints[0].swnd);
}
