// The installer's art as the program carries it: every image its skins name is a
// PNG resource that the library decodes, as wide as its states side by side (the
// splash's stacked, as tall as its states) and as large as the control it is
// drawn in; the window's glass is translucent, the check boxes and buttons show
// the states the wizard relies on, the animations move, and the program icon
// comes in six sizes.

#include "GdiHandles.h"
#include "core/SApplication.h"
#include "core/SAutoRef.h"
#include "core/SObjectDefaultRegister.h"
#include "render/IBitmap.h"
#include "render/IRenderFactory.h"
#include "render/ImgDecoderCreators.h"
#include "render/RenderFactoryCreators.h"
#include "res.mgr/IResProvider.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace SAKU;

namespace {

struct ArtImage {
    const wchar_t* name;
    int states;
    int width;    // of one state
    int height;
    bool vertical = false;   // states stacked instead of side by side
};

// Each skin image of the wizard with its number of states and the size of one
// state: the sizes the wizard's resources fix, otherwise the size of the control
// that draws it (the image buttons' and the boxes' layout sizes, a list item, a
// page's panel).
constexpr ArtImage kImages[] = {
    {L"png_main_bk_png", 1, 680, 840},
    {L"png_btn_file_png", 3, 20, 20},
    {L"png_btn_down_png", 3, 13, 13},
    {L"png_check_24_png", 8, 24, 24},
    {L"png_check_15_png", 8, 15, 15},
    {L"png_btn_custom_png", 3, 51, 13},
    {L"png_scorll_png", 1, 9, 43},
    {L"png_progress_bk_png", 1, 254, 3},
    {L"png_progress_fore_png", 1, 254, 3},
    {L"png_custom_bk_png", 1, 340, 100},
    {L"png_animate_request_png", 115, 340, 420, true},
    {L"png_caption_logo_png", 1, 128, 24},
    {L"png_main_bk_float_png", 1, 340, 200},
    {L"png_module_bk_png", 1, 300, 70},
    {L"png_animate_install1_png", 10, 340, 420},
    {L"png_animate_install2_png", 8, 340, 420},
    {L"png_animate_install3_png", 10, 340, 420},
    {L"png_animate_install4_png", 9, 340, 420},
    {L"png_module_list_bk_png", 1, 300, 278},
    {L"png_btn_min_png", 3, 30, 30},
    {L"png_btn_close_png", 3, 30, 30},
    {L"png_module_bk_selected_png", 1, 300, 70},
    {L"png_animate_install_finished_png", 67, 340, 420},
    {L"png_page_install_finished_bk_png", 1, 340, 200},
    {L"png_messagebox_bk_png", 3, 320, 150},
    {L"png_msgbox_btn_ok_png", 3, 220, 60},
    {L"png_msgbox_btn_cancle_png", 3, 220, 60},
    {L"png_icon_warning_png", 1, 14, 12},
    {L"png_btn_back_png", 3, 37, 12},
    {L"png_btn_ok_png", 3, 110, 30},
    {L"png_module_icon_bk_png", 1, 60, 60},
    {L"png_btn_basic_png", 4, 160, 40},
};

// Premultiplied B, G, R, A of one pixel.
struct Pixel {
    uint8_t b, g, r, a;
};

// The test program's own resources through the library, decoded by the decoder
// that the installer uses.
class InstallerArtTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateRenderFactory_GDI(m_renderFactory.Put()));
        SAutoRef<IImgDecoderFactory> decoders;
        ASSERT_TRUE(CreateImgDecoderFactory_GDIP(decoders.Put()));
        m_renderFactory->SetImgDecoderFactory(decoders.Get());
        m_app = std::make_unique<SApplication>(m_renderFactory.Get(), ::GetModuleHandleW(nullptr), L"SAKUHOST",
                                               new SObjectDefaultRegister);
        SAutoRef<IResProvider> program;
        ASSERT_TRUE(CreateResProvider(kResProviderPE, program.Put()));
        ASSERT_TRUE(program->Init(reinterpret_cast<WPARAM>(::GetModuleHandleW(nullptr)), 0));
        m_app->AddResProvider(program.Get(), nullptr);
    }
    void TearDown() override { m_app.reset(); }

    SAutoRef<IBitmap> Load(const wchar_t* name)
    {
        return SAutoRef<IBitmap>::Adopt(m_app->LoadImage(L"png", name));
    }

    // The pixels of state `index` of an image of `states` side by side, or stacked.
    static std::vector<Pixel> State(IBitmap* image, int states, int index, bool vertical = false)
    {
        const int width = vertical ? image->Width() : image->Width() / states;
        const int height = vertical ? image->Height() / states : image->Height();
        const int left = vertical ? 0 : index * width;
        const int top = vertical ? index * height : 0;
        const auto* bits = static_cast<const Pixel*>(image->GetPixelBits());
        std::vector<Pixel> pixels;
        pixels.reserve(static_cast<size_t>(width) * height);
        for (int y = top; y < top + height; ++y) {
            const Pixel* row = bits + static_cast<size_t>(y) * image->Width() + left;
            pixels.insert(pixels.end(), row, row + width);
        }
        return pixels;
    }

    static bool Same(const std::vector<Pixel>& a, const std::vector<Pixel>& b)
    {
        return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(Pixel)) == 0;
    }

    SAutoRef<IRenderFactory> m_renderFactory;
    std::unique_ptr<SApplication> m_app;
};

}  // namespace

TEST_F(InstallerArtTest, EverySkinImageIsAPngResourceWithItsStatesSideBySideOrStacked)
{
    for (const auto& image : kImages) {
        SCOPED_TRACE(testing::Message() << image.name);
        const auto bitmap = Load(image.name);
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(image.vertical ? image.width : image.width * image.states, bitmap->Width());
        EXPECT_EQ(image.vertical ? image.height * image.states : image.height, bitmap->Height());
    }
    EXPECT_FALSE(Load(L"png_update_png"));   // named by a skin that nothing uses
}

TEST_F(InstallerArtTest, TheWindowsAreTranslucentGlassWithCutCorners)
{
    const struct { const wchar_t* name; int states; } windows[] = {
        {L"png_main_bk_png", 1}, {L"png_messagebox_bk_png", 3},
    };
    for (const auto& window : windows) {
        SCOPED_TRACE(testing::Message() << window.name);
        const auto bitmap = Load(window.name);
        ASSERT_TRUE(bitmap);
        const int width = bitmap->Width() / window.states;
        const auto pixels = State(bitmap.Get(), window.states, 0);
        const auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; };
        EXPECT_EQ(0, at(0, 0).a);
        EXPECT_EQ(0, at(width - 1, bitmap->Height() - 1).a);
        const Pixel middle = at(width / 2, bitmap->Height() / 2);
        EXPECT_GT(middle.a, 200);
        EXPECT_LT(middle.a, 255);   // the desktop shows through
    }
}

TEST_F(InstallerArtTest, CheckBoxesShowTheirDisabledStatesAsTheNormalOnes)
{
    for (const wchar_t* name : {L"png_check_24_png", L"png_check_15_png"}) {
        SCOPED_TRACE(testing::Message() << name);
        const auto bitmap = Load(name);
        ASSERT_TRUE(bitmap);
        std::vector<std::vector<Pixel>> states;
        for (int i = 0; i < 8; ++i)
            states.push_back(State(bitmap.Get(), 8, i));
        EXPECT_TRUE(Same(states[0], states[3]));
        EXPECT_TRUE(Same(states[4], states[7]));
        for (int i = 0; i < 3; ++i) {
            EXPECT_FALSE(Same(states[i], states[i + 4])) << "state " << i;   // ticked differs from unticked
            EXPECT_FALSE(Same(states[i], states[(i + 1) % 3])) << "state " << i;
        }
    }
}

TEST_F(InstallerArtTest, ButtonsStatesDifferAndTheDisabledOneIsColourless)
{
    const struct { const wchar_t* name; int states; } buttons[] = {
        {L"png_btn_basic_png", 4}, {L"png_btn_ok_png", 3}, {L"png_msgbox_btn_ok_png", 3},
        {L"png_msgbox_btn_cancle_png", 3}, {L"png_btn_min_png", 3}, {L"png_btn_close_png", 3},
        {L"png_btn_file_png", 3}, {L"png_btn_down_png", 3}, {L"png_btn_back_png", 3}, {L"png_btn_custom_png", 3},
    };
    for (const auto& button : buttons) {
        SCOPED_TRACE(testing::Message() << button.name);
        const auto bitmap = Load(button.name);
        ASSERT_TRUE(bitmap);
        std::vector<std::vector<Pixel>> states;
        for (int i = 0; i < button.states; ++i)
            states.push_back(State(bitmap.Get(), button.states, i));
        for (int i = 0; i < button.states; ++i)
            for (int j = i + 1; j < button.states; ++j)
                EXPECT_FALSE(Same(states[i], states[j])) << "states " << i << " and " << j;
    }
    const auto basic = Load(L"png_btn_basic_png");
    ASSERT_TRUE(basic);
    const auto disabled = State(basic.Get(), 4, 3);
    EXPECT_TRUE(std::all_of(disabled.begin(), disabled.end(),
                            [](const Pixel& p) { return p.r == p.g && p.g == p.b; }));
    const auto normal = State(basic.Get(), 4, 0);
    EXPECT_FALSE(std::all_of(normal.begin(), normal.end(), [](const Pixel& p) { return p.r == p.g && p.g == p.b; }));
}

TEST_F(InstallerArtTest, EveryAnimationFrameDiffersFromTheNext)
{
    for (const auto& image : kImages) {
        if (image.states < 8 || image.width != 340)
            continue;
        SCOPED_TRACE(testing::Message() << image.name);
        const auto bitmap = Load(image.name);
        ASSERT_TRUE(bitmap);
        // the loop closes on frame 0
        auto previous = State(bitmap.Get(), image.states, image.states - 1, image.vertical);
        for (int i = 0; i < image.states; ++i) {
            auto frame = State(bitmap.Get(), image.states, i, image.vertical);
            EXPECT_FALSE(Same(previous, frame)) << "frame " << i;
            previous = std::move(frame);
        }
    }
}

namespace {

#pragma pack(push, 2)
struct IconGroupEntry {   // GRPICONDIRENTRY
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// The bytes of a resource of the test program; empty when it has none.
std::string ResourceBytes(LPCWSTR type, LPCWSTR name)
{
    HRSRC found = ::FindResourceW(nullptr, name, type);
    if (!found)
        return std::string();
    HGLOBAL loaded = ::LoadResource(nullptr, found);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    return data ? std::string(static_cast<const char*>(data), ::SizeofResource(nullptr, found)) : std::string();
}

// The pixel size of an icon image: a PNG's IHDR width, or a DIB header's width.
int IconImageSide(const std::string& image)
{
    if (image.size() >= 24 && image.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0) {
        const auto* b = reinterpret_cast<const unsigned char*>(image.data()) + 16;
        return (b[0] << 24) | (b[1] << 16) | (b[2] << 8) | b[3];
    }
    if (image.size() < sizeof(BITMAPINFOHEADER))
        return 0;
    BITMAPINFOHEADER header;
    std::memcpy(&header, image.data(), sizeof header);
    return header.biHeight == 2 * header.biWidth ? header.biWidth : 0;
}

}  // namespace

TEST(InstallerIcon, TheLogoGroupHoldsSixSizesInIconsOneToSix)
{
    const std::string group = ResourceBytes(RT_GROUP_ICON, L"ICON_LOGO");
    ASSERT_GE(group.size(), 6u);
    WORD count = 0;
    std::memcpy(&count, group.data() + 4, sizeof count);
    ASSERT_EQ(6, count);
    ASSERT_EQ(6 + 6 * sizeof(IconGroupEntry), group.size());
    std::set<int> sides;
    std::set<int> ids;
    for (int i = 0; i < count; ++i) {
        IconGroupEntry entry;
        std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
        const std::string image = ResourceBytes(RT_ICON, MAKEINTRESOURCEW(entry.id));
        SCOPED_TRACE(testing::Message() << "icon " << entry.id);
        ASSERT_EQ(entry.bytes, image.size());
        const int side = IconImageSide(image);
        EXPECT_EQ(side % 256, entry.width);   // 0 stands for 256 and above
        sides.insert(side);
        ids.insert(entry.id);
    }
    EXPECT_EQ((std::set<int>{16, 32, 64, 128, 256, 512}), sides);
    EXPECT_EQ((std::set<int>{1, 2, 3, 4, 5, 6}), ids);
}

TEST(InstallerIcon, LoadsAtTheWindowIconSizes)
{
    for (int side : {16, 32, 256}) {
        SCOPED_TRACE(testing::Message() << side);
        const UniqueIcon icon(static_cast<HICON>(
            ::LoadImageW(::GetModuleHandleW(nullptr), L"ICON_LOGO", IMAGE_ICON, side, side, LR_DEFAULTCOLOR)));
        ASSERT_TRUE(icon);
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(icon.Get(), &info));
        const UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
        BITMAP bitmap = {};
        ASSERT_TRUE(::GetObjectW(colour.Get(), sizeof bitmap, &bitmap));
        EXPECT_EQ(side, bitmap.bmWidth);
        EXPECT_EQ(side, bitmap.bmHeight);
    }
}
