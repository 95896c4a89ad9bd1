// The image and the icon: a bitmap stretched, unscaled or tiled over the window,
// a skin state without one, the sizes they ask for, and the icon window's own icon.

#include "ControlTest.h"

#include "controls/SIconWnd.h"
#include "controls/SImageWnd.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

class SImageWndTest : public ControlTest {
protected:
    // states16.png: 48 x 16, red, lime and blue thirds.
    SAutoRef<IBitmap> Thirds() { return SAutoRef<IBitmap>::Adopt(App().LoadImage(L"png", L"states16")); }
};

constexpr std::uint32_t kLime = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;

}  // namespace

TEST_F(SImageWndTest, TileModeSaysHowTheBitmapFillsTheWindow)
{
    const auto thirds = Thirds();
    ASSERT_TRUE(thirds);
    const struct {
        const wchar_t* tile;
        // Pixels at (x, y) in the window at 10,10 of 96 x 32.
        struct {
            int x, y;
            std::uint32_t expected;
        } pixels[3];
    } cases[] = {
        {L"0", {{20, 30, kNormalRed}, {55, 40, kLime}, {100, 40, kBlue}}},   // stretched to twice the size
        {L"1", {{15, 15, kNormalRed}, {30, 20, kLime}, {70, 20, 0}}},        // as it is, at the top-left
        {L"2", {{65, 15, kNormalRed}, {15, 30, kNormalRed}, {75, 35, kLime}}},   // repeated both ways
        {L"3", {{15, 15, 0}, {30, 20, 0}, {70, 20, 0}}},                     // no such mode: nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.tile)));
        Build((std::wstring(L"<root><img name='i' pos='10,10,@96,@32' skin='sized' tile='") + c.tile +
               L"'/></root>").c_str());
        SImageWnd* const image = Find<SImageWnd>(L"i");
        image->SetImage(thirds.Get());
        Paint();
        Keep((std::wstring(L"img_tile") + c.tile).c_str());
        for (const auto& p : c.pixels)
            EXPECT_EQ(p.expected, Pixel(p.x, p.y)) << p.x << "," << p.y;
        image->DestroyWindow();
    }
}

TEST_F(SImageWndTest, WithoutBitmapTheSkinStateOfIconIndex)
{
    Build(L"<root><img name='i' pos='10,10' skin='sized' iconIndex='2'/></root>");
    SImageWnd* const image = Find<SImageWnd>(L"i");
    RECT rect = image->GetWindowRect();
    EXPECT_EQ(30, rect.right - rect.left);   // the skin's size
    Paint();
    EXPECT_EQ(kBlue, Pixel(10, 10));
    EXPECT_EQ(kBlue, Pixel(39, 39));

    // A bitmap set later takes the skin's place and, wrapping, its size.
    const auto thirds = Thirds();
    image->SetImage(thirds.Get());
    m_host->UpdateLayout();
    rect = image->GetWindowRect();
    EXPECT_EQ(48, rect.right - rect.left);
    EXPECT_EQ(16, rect.bottom - rect.top);
    Paint();
    EXPECT_EQ(kNormalRed, Pixel(10, 10));
    EXPECT_EQ(kBlue, Pixel(57, 25));
    EXPECT_TRUE(image->IsMsgTransparent());
}

TEST_F(SImageWndTest, IconFromItsSourceSizedByItsHotSpot)
{
    Build(L"<root><icon name='i' pos='10,10' src='icon_test:32'/></root>");
    SIconWnd* const icon = Find<SIconWnd>(L"i");
    ASSERT_NE(nullptr, icon->GetIcon());
    const RECT rect = icon->GetWindowRect();
    EXPECT_EQ(32, rect.right - rect.left);
    EXPECT_EQ(32, rect.bottom - rect.top);
    Paint();
    Keep(L"icon");
    EXPECT_EQ(kLime, Pixel(20, 20));   // the 32-pixel image of the icon is lime
    EXPECT_EQ(0u, Pixel(10, 10));      // the margin

    // Another icon replaces it and the old one is destroyed; the same one changes nothing.
    const HICON old = icon->GetIcon();
    const HICON blue = App().LoadIconRef(L"icon_test:48");
    ASSERT_NE(nullptr, blue);
    icon->SetIcon(blue);
    icon->SetIcon(blue);
    EXPECT_EQ(blue, icon->GetIcon());
    ICONINFO info = {};
    EXPECT_FALSE(::GetIconInfo(old, &info));
    Paint();
    EXPECT_EQ(kBlue, Pixel(20, 20));

    icon->SetIcon(nullptr);
    EXPECT_FALSE(::GetIconInfo(blue, &info));
    EXPECT_EQ(0, icon->MeasureDesiredSize(nullptr).cx);
}
