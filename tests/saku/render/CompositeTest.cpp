// A picture of the kind the wizard paints, on a memory target: a gradient, CJK text
// in "微软雅黑" on opaque and on transparent ground, translucent and outlined
// rectangles, a nine-patch and a PNG that ImageMagick made, decoded by the PNG
// module. Every pixel stays premultiplied, text leaves no holes in opaque ground and
// no boxes on transparent ground. The picture is saved through the PNG module as
// "render-composite.png" beside the test program, for a person to look at.

#include "RenderTestSupport.h"

#include "HostCommand.h"
#include "ScratchDir.h"
#include "WinePath.h"
#include "render/IFont.h"
#include "render/IPen.h"
#include "render/ImgDecoderCreators.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using saku_test::PixelAt;
using saku_test::Pixels;
using tivala::test::HostCommand;
using tivala::test::ScratchDir;

namespace {

constexpr int kWidth = 340;
constexpr int kHeight = 260;

std::wstring BesideTheProgram(const wchar_t* name)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

// A 12 x 12 frame: a dark border of 3 pixels with translucent outer corners around
// a light, half transparent centre.
Pixels NinePatchSource()
{
    Pixels pixels;
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool border = x < 3 || y < 3 || x >= 9 || y >= 9;
            const bool corner = (x == 0 || x == 11) && (y == 0 || y == 11);
            pixels.push_back(corner ? 0x40101820 : border ? 0xFF203050 : 0x80606060);
        }
    }
    return pixels;
}

struct Area {
    int opaque = 0;
    int transparent = 0;
    int partial = 0;
};

Area Measure(const Pixels& pixels, const RECT& rect)
{
    Area area;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const std::uint32_t alpha = PixelAt(pixels, kWidth, x, y) >> 24;
            (alpha == 0xFF ? area.opaque : alpha == 0 ? area.transparent : area.partial)++;
        }
    }
    return area;
}

class Composite : public saku_test::RenderTest {};

}  // namespace

TEST_F(Composite, WizardLikePictureKeepsItsAlphaRight)
{
    SAutoRef<IImgDecoderFactory> png;
    ASSERT_TRUE(CreateImgDecoderFactory_PNG(png.Put()));
    m_factory->SetImgDecoderFactory(png.Get());
    ScratchDir scratch;
    std::string output;
    ASSERT_EQ(0, HostCommand::Run("/usr/bin/convert -size 64x64 radial-gradient:'rgba(230,40,40,1)-rgba(40,40,230,0)'"
                                  " PNG32:disc.png",
                                  scratch.UnixPath(), 60000, &output)
                     .value_or(-1))
        << output;
    SAutoRef<IBitmap> disc;
    ASSERT_TRUE(m_factory->CreateBitmap(disc.Put()));
    ASSERT_EQ(S_OK, disc->LoadFromFile(scratch.File(L"disc.png").c_str()));

    SAutoRef<IRenderTarget> target = MakeTarget(kWidth, kHeight);
    ASSERT_TRUE(target);
    const RECT banner = {0, 0, kWidth, 100};
    ASSERT_EQ(S_OK, target->GradientFill(&banner, TRUE, 0x00A05020, 0x00F0D8C0, 255));
    const RECT glass = {16, 150, 160, 250};
    ASSERT_EQ(S_OK, target->FillSolidRoundRect(&glass, {16, 16}, 0x80FFFFFF));
    SAutoRef<IPen> pen;
    ASSERT_EQ(S_OK, target->CreatePen(PS_SOLID, 0xFFFFFFFF, 1, pen.Put()));
    ASSERT_EQ(S_OK, target->SelectObject(pen.Get(), nullptr));
    const RECT outline = {8, 8, 332, 92};
    ASSERT_EQ(S_OK, target->DrawRectangle(&outline));
    SAutoRef<IBitmap> patch = MakeBitmap(12, 12, NinePatchSource());
    const RECT patchDest = {176, 150, 324, 250};
    const RECT patchSource = {0, 0, 12, 12};
    const RECT margins = {3, 3, 3, 3};
    ASSERT_EQ(S_OK, target->DrawBitmap9Patch(&patchDest, patch.Get(), &patchSource, &margins, kExpandStretch, 255));
    const RECT discDest = {216, 168, 280, 232};
    ASSERT_EQ(S_OK, target->DrawBitmap(&discDest, disc.Get(), 0, 0, 255));

    LOGFONTW logFont = {};
    logFont.lfHeight = -26;
    logFont.lfWeight = FW_BOLD;
    logFont.lfQuality = CLEARTYPE_QUALITY;
    wcscpy(logFont.lfFaceName, L"微软雅黑");
    SAutoRef<IFont> font;
    ASSERT_TRUE(m_factory->CreateFont(font.Put(), logFont));
    ASSERT_EQ(S_OK, target->SelectObject(font.Get(), nullptr));
    target->SetTextColor(0xFFFFFFFF);
    RECT onOpaque = {20, 20, 320, 60};
    ASSERT_EQ(S_OK, target->DrawText(L"欢迎安装 Tivala 壁纸", -1, &onOpaque, DT_SINGLELINE | DT_VCENTER));
    target->SetTextColor(0xFF3050A0);
    RECT onTransparent = {20, 100, 320, 140};          // between the banner and the panels
    ASSERT_EQ(S_OK, target->DrawText(L"微软雅黑 安装程序", -1, &onTransparent, DT_SINGLELINE | DT_VCENTER));
    target->SetTextColor(0xC0000000);
    RECT onGlass = {28, 175, 156, 225};
    ASSERT_EQ(S_OK, target->DrawText(L"半透明文字", -1, &onGlass, DT_SINGLELINE | DT_VCENTER));

    const std::wstring picture = BesideTheProgram(L"render-composite.png");
    ASSERT_EQ(S_OK, saku_test::CurrentBitmap(target.Get())->Save(picture.c_str(), GUID()));

    const Pixels pixels = saku_test::ReadPixels(target.Get());
    // Premultiplied everywhere: no channel above its alpha.
    int broken = 0;
    for (const std::uint32_t pixel : pixels) {
        const std::uint32_t alpha = pixel >> 24;
        broken += (pixel & 0xFF) > alpha || (pixel >> 8 & 0xFF) > alpha || (pixel >> 16 & 0xFF) > alpha;
    }
    EXPECT_EQ(0, broken);
    // Text on the opaque banner leaves no holes; text on transparent ground draws
    // opaque glyphs and no box around them.
    EXPECT_EQ(300 * 40, Measure(pixels, onOpaque).opaque);
    const Area strip = Measure(pixels, onTransparent);
    EXPECT_EQ(0, strip.partial);
    EXPECT_GT(strip.opaque, 150);
    EXPECT_GT(strip.transparent, strip.opaque);
    // Half-transparent text on the half-transparent panel stays translucent.
    const Area glassArea = Measure(pixels, onGlass);
    EXPECT_EQ(0, glassArea.transparent);
    EXPECT_EQ(0, glassArea.opaque);
    // The nine-patch's corners keep their pixels; its middle is stretched.
    EXPECT_EQ(0x40101820u, PixelAt(pixels, kWidth, 176, 150));
    EXPECT_EQ(0x40101820u, PixelAt(pixels, kWidth, 323, 249));
    EXPECT_EQ(0xFF203050u, PixelAt(pixels, kWidth, 250, 151));
    // The disc: opaque red in the middle; through its transparent corners the
    // nine-patch's centre shows.
    const std::uint32_t centre = PixelAt(pixels, kWidth, 248, 200);
    EXPECT_GE(centre >> 24, 0xF0u);
    EXPECT_GT(centre >> 16 & 0xFF, 0xC0u);
    EXPECT_EQ(0x80606060u, PixelAt(pixels, kWidth, 216, 168));

    // ImageMagick reads the saved picture back with its size and an alpha channel.
    ASSERT_EQ(0, HostCommand::Run("/usr/bin/identify -format '%w %h %A' " +
                                      tivala::test::ShellQuote(tivala::test::UnixPath(picture)),
                                  scratch.UnixPath(), 60000, &output)
                     .value_or(-1))
        << output;
    EXPECT_EQ(std::to_string(kWidth) + " " + std::to_string(kHeight) + " True", output.substr(0, output.find('\n')));
}
