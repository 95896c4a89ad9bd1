// The caret on a memory render target with pixels of many values: drawing it
// inverts exactly the part inside the client areas of its window and the window's
// ancestors (as the container places them in the host), alpha kept; drawing it
// again at the same place gives every pixel back; a caret whose window is gone
// draws nothing.

#include "../render/RenderTestSupport.h"
#include "SakuAppTest.h"
#include "TestSwndContainer.h"

#include "core/SCaret.h"
#include "core/SWindow.h"
#include "core/SWindowMgr.h"

#include "GdiHandles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

using namespace SAKU;
using saku_test::Pixels;
using saku_test::SakuAppTest;

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

std::string Describe(const RECT& rect)
{
    return "{" + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom) + "}";
}

// A premultiplied pixel that differs from its neighbours, so that any pixel drawn
// or restored in the wrong place shows.
std::uint32_t PatternPixel(int x, int y)
{
    const std::uint32_t alpha = 0x80 + (x * 7 + y * 3) % 0x80;
    const std::uint32_t red = (x * 11 + y) % (alpha + 1);
    const std::uint32_t green = (y * 13 + x * 2) % (alpha + 1);
    const std::uint32_t blue = (x * y) % (alpha + 1);
    return alpha << 24 | red << 16 | green << 8 | blue;
}

// A tree whose frame lies at an offset in its host, as a list row's tree does.
class OffsetContainer : public saku_test::TestSwndContainer {
public:
    OffsetContainer(IRenderTarget* host, POINT offset) : TestSwndContainer(host), m_offset(offset) {}

    void FrameToHost(RECT& rect) const override { ::OffsetRect(&rect, m_offset.x, m_offset.y); }

private:
    POINT m_offset;
};

// What DSTINVERT makes of a stored pixel: the colour inverted, the alpha kept.
std::uint32_t Inverted(std::uint32_t pixel)
{
    return (pixel & 0xFF000000) | (~pixel & 0x00FFFFFF);
}

class SCaretTest : public SakuAppTest {
protected:
    void SetUp() override
    {
        SakuAppTest::SetUp();
        if (!SWindowMgr::GetInstance())
            m_windowMgr = std::make_unique<SWindowMgr>();
        ASSERT_TRUE(m_renderFactory->CreateRenderTarget(m_target.Put(), kWidth, kHeight));
        ::GdiFlush();
        auto* bits = static_cast<std::uint32_t*>(saku_test::CurrentBitmap(m_target.Get())->LockPixelBits());
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x)
                bits[y * kWidth + x] = PatternPixel(x, y);
        }
        m_original = saku_test::ReadPixels(m_target.Get());
    }
    void TearDown() override
    {
        m_target = SAutoRef<IRenderTarget>();
        m_windowMgr.reset();
        SakuAppTest::TearDown();
    }

    // A floating window at `rect` with the margin, inserted under `parent` when given.
    static SAutoRef<SWindow> Place(const RECT& rect, const wchar_t* margin = L"0", SWindow* parent = nullptr)
    {
        auto window = SAutoRef<SWindow>::Adopt(new SWindow);
        window->ApplyAttribute(L"margin", margin, TRUE);
        if (parent) {
            parent->InsertChild(window.Get());
            window->AddRef();   // the parent's own reference, which it gives up at WM_DESTROY
        }
        window->Move(&rect);
        return window;
    }

    // Every pixel is its original, inverted inside `drawn`.
    void ExpectInvertedExactlyIn(const RECT& drawn)
    {
        const Pixels now = saku_test::ReadPixels(m_target.Get());
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const POINT point = {x, y};
                const std::uint32_t original = m_original[y * kWidth + x];
                const std::uint32_t expected = ::PtInRect(&drawn, point) ? Inverted(original) : original;
                if (now[y * kWidth + x] != expected && ++wrong <= 3)
                    ADD_FAILURE() << "pixel (" << x << "," << y << ") is 0x" << std::hex << now[y * kWidth + x]
                                  << ", expected 0x" << expected;
            }
        }
        EXPECT_EQ(0, wrong);
    }

    std::unique_ptr<SWindowMgr> m_windowMgr;
    SAutoRef<IRenderTarget> m_target;
    Pixels m_original;
};

}  // namespace

TEST_F(SCaretTest, DrawnTwiceAtOnePlaceLeavesEveryPixelAsItWas)
{
    auto owner = Place({0, 0, kWidth, kHeight});
    auto caret = SAutoRef<SCaret>::Adopt(new SCaret(owner->GetSwnd(), nullptr, 2, 14));
    EXPECT_EQ(2, caret->GetSize().cx);
    EXPECT_EQ(14, caret->GetSize().cy);

    const RECT drawn = caret->Draw(m_target.Get(), 10, 5);
    const RECT expected = {10, 5, 12, 19};
    EXPECT_TRUE(::EqualRect(&drawn, &expected)) << Describe(drawn);
    ExpectInvertedExactlyIn(drawn);

    const RECT erased = caret->Draw(m_target.Get(), 10, 5);
    EXPECT_TRUE(::EqualRect(&erased, &drawn)) << Describe(erased);
    ExpectInvertedExactlyIn(RECT{});
}

TEST_F(SCaretTest, ClipsToTheClientAreasOfItsWindowAndItsAncestors)
{
    // The parent's client area is (5,5)-(45,35); the window's is (30,0)-(60,40).
    auto parent = Place({0, 0, 50, 40}, L"5");
    auto owner = Place({30, 0, 60, 40}, L"0", parent.Get());
    const struct {
        int x, y;
        RECT expected;
    } cases[] = {
        {34, 10, {34, 10, 38, 30}},   // wholly inside both
        {40, 0,  {40, 5, 44, 20}},    // cut at the parent's top margin
        {43, 25, {43, 25, 45, 35}},   // cut at the parent's right and bottom margins
        {28, 10, {30, 10, 32, 30}},   // across the window's left edge: only what lies in it
        {50, 10, {0, 0, 0, 0}},       // in the window but beyond the parent
        {2, 2,   {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "caret at " << c.x << "," << c.y);
        auto caret = SAutoRef<SCaret>::Adopt(new SCaret(owner->GetSwnd(), nullptr, 4, 20));
        const RECT drawn = caret->Draw(m_target.Get(), c.x, c.y);
        EXPECT_TRUE(::EqualRect(&drawn, &c.expected)) << Describe(drawn);
        ExpectInvertedExactlyIn(drawn);
        caret->Draw(m_target.Get(), c.x, c.y);
        ExpectInvertedExactlyIn(RECT{});
    }
    parent->SendSwndMessage(WM_DESTROY);   // the parent gives up its children
}

TEST_F(SCaretTest, TheClipIsWhereTheContainerPutsTheTreeInTheHost)
{
    auto root = SAutoRef<OffsetContainer>::Adopt(new OffsetContainer(m_target.Get(), {20, 10}));
    root->SendSwndMessage(WM_CREATE);
    root->OnRelayout(RECT{0, 0, kWidth, kHeight});
    auto owner = Place({0, 0, 30, 20}, L"0", root.Get());   // at (20, 10)-(50, 30) in the host
    auto caret = SAutoRef<SCaret>::Adopt(new SCaret(owner->GetSwnd(), nullptr, 10, 4));

    const RECT drawn = caret->Draw(m_target.Get(), 45, 12);   // host coordinates
    const RECT expected = {45, 12, 50, 16};
    EXPECT_TRUE(::EqualRect(&drawn, &expected)) << Describe(drawn);
    ExpectInvertedExactlyIn(drawn);
    root->SendSwndMessage(WM_DESTROY);   // the root gives up its children
}

TEST_F(SCaretTest, ACaretWhoseWindowIsGoneDrawsNothing)
{
    auto owner = Place({0, 0, kWidth, kHeight});
    auto caret = SAutoRef<SCaret>::Adopt(new SCaret(owner->GetSwnd(), nullptr, 2, 14));
    owner = SAutoRef<SWindow>();

    const RECT drawn = caret->Draw(m_target.Get(), 10, 5);
    EXPECT_TRUE(::IsRectEmpty(&drawn)) << Describe(drawn);
    ExpectInvertedExactlyIn(RECT{});
}

TEST_F(SCaretTest, ACaretBitmapIsStretchedToTheCaretSize)
{
    auto owner = Place({0, 0, kWidth, kHeight});
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 1, -4, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(bitmap);
    auto caret = SAutoRef<SCaret>::Adopt(new SCaret(owner->GetSwnd(), bitmap.Get(), 3, 16));
    EXPECT_EQ(3, caret->GetSize().cx);
    EXPECT_EQ(16, caret->GetSize().cy);

    // The caret inverts what lies under it whatever it was made of.
    const RECT drawn = caret->Draw(m_target.Get(), 60, 40);   // cut at the bottom of the window
    const RECT expected = {60, 40, 63, 48};
    EXPECT_TRUE(::EqualRect(&drawn, &expected)) << Describe(drawn);
    ExpectInvertedExactlyIn(drawn);
}
