// The image skins drawn on memory targets from images of one colour per state:
// states side by side and stacked, natural size and tiling, nine-patch margins,
// margins read from an image's guide pixels, the scroll bar's cells, colorizing
// and back, copies for other scales, and the attributes they refuse.

#include "SkinTest.h"

#include "../imgdecoders/DecoderFixtures.h"
#include "ScratchDir.h"

#include "core/SSkinGroup.h"
#include "core/SSkinImgFrame.h"
#include "core/SSkinPool.h"
#include "core/SSkinScrollbar.h"
#include "render/IBitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;
using tivala::test::ConvertRgba;
using tivala::test::ReadScratch;
using tivala::test::RgbaBytes;
using tivala::test::ScratchDir;

namespace {

using ImageSkinTest = SkinTest;

// Every pixel of the rectangle is `expected`.
::testing::AssertionResult Filled(IRenderTarget* target, const RECT& rect, std::uint32_t expected)
{
    const Pixels pixels = ReadPixels(target);
    const int width = CurrentBitmap(target)->Width();
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            if (PixelAt(pixels, width, x, y) != expected)
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex
                                                     << PixelAt(pixels, width, x, y) << ", not " << expected;
        }
    }
    return ::testing::AssertionSuccess();
}

std::string Bytes(IBitmap* image)
{
    ::GdiFlush();
    const auto* bits = static_cast<const char*>(image->GetPixelBits());
    return std::string(bits, size_t(image->Width()) * image->Height() * 4);
}

// A real bitmap behind the interface, except that its copies fail while
// `refuseClones` is set, as they do when memory runs out.
class UnclonableBitmap : public TObjRefImpl<SObjectImpl<IBitmap>> {
public:
    explicit UnclonableBitmap(IBitmap* real) : m_real(real) {}
    bool refuseClones = true;

    // IRenderObj and IBitmap overrides
    int ObjectType() const override { return kRenderObjBitmap; }
    IRenderFactory* GetRenderFactory() const override { return m_real->GetRenderFactory(); }
    HRESULT InitFromFrame(IImgFrame* frame) override { return m_real->InitFromFrame(frame); }
    HRESULT Init(int width, int height, const void* bits) override { return m_real->Init(width, height, bits); }
    HRESULT LoadFromFile(LPCWSTR path) override { return m_real->LoadFromFile(path); }
    HRESULT LoadFromMemory(const void* data, size_t size) override { return m_real->LoadFromMemory(data, size); }
    int Width() const override { return m_real->Width(); }
    int Height() const override { return m_real->Height(); }
    SIZE Size() const override { return m_real->Size(); }
    void* LockPixelBits() override { return m_real->LockPixelBits(); }
    void UnlockPixelBits(void* bits) override { m_real->UnlockPixelBits(bits); }
    const void* GetPixelBits() const override { return m_real->GetPixelBits(); }
    HRESULT Clone(IBitmap** clone) const override
    {
        *clone = nullptr;
        return refuseClones ? E_OUTOFMEMORY : m_real->Clone(clone);
    }
    HRESULT Scale(IBitmap** scaled, int width, int height, UINT filter) override
    {
        return m_real->Scale(scaled, width, height, filter);
    }
    HRESULT ScaleByPercent(IBitmap** scaled, int percent, UINT filter) override
    {
        return m_real->ScaleByPercent(scaled, percent, filter);
    }
    HRESULT Save(LPCWSTR path, REFGUID format) override { return m_real->Save(path, format); }

private:
    SAutoRef<IBitmap> m_real;
};

}  // namespace

TEST_F(ImageSkinTest, AnImageListDrawsEachStateFromItsPartOfTheImage)
{
    const struct {
        const wchar_t* xml;
        int state;
        std::uint32_t colour;
    } cases[] = {
        {L"<imglist src='png:states_h' states='3'/>", 0, kRed},
        {L"<imglist src='png:states_h' states='3'/>", 1, kLime},
        {L"<imglist src='png:states_h' states='3'/>", 2, kBlue},   // columns 60-90
        {L"<imglist src='png:states_v' states='3' vertical='1'/>", 1, kLime},
        {L"<imglist src='png:states_v' states='3' vertical='1'/>", 2, kBlue},   // rows 60-90
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.xml << " state " << c.state);
        const auto skin = Make(c.xml);
        EXPECT_EQ(3, skin->GetStates());
        EXPECT_FALSE(skin->IgnoreState());
        EXPECT_EQ(30, skin->QuerySkinSize().cx);
        EXPECT_EQ(30, skin->QuerySkinSize().cy);
        const auto target = Target(30, 30);
        const RECT rect = {0, 0, 30, 30};
        skin->DrawByIndex(target.Get(), &rect, c.state);
        EXPECT_TRUE(Filled(target.Get(), rect, c.colour));
    }
}

TEST_F(ImageSkinTest, AutoFitZeroDrawsTheNaturalSizeAndTileRepeatsTheImage)
{
    const auto natural = Make(L"<imglist src='png:states_h' states='3' autoFit='0'/>");
    auto target = Target(60, 60);
    const RECT all = {0, 0, 60, 60};
    natural->DrawByIndex(target.Get(), &all, 0);
    EXPECT_TRUE(Filled(target.Get(), RECT{0, 0, 30, 30}, kRed));
    EXPECT_TRUE(Filled(target.Get(), RECT{30, 0, 60, 60}, 0));
    EXPECT_TRUE(Filled(target.Get(), RECT{0, 30, 30, 60}, 0));

    // A 12-pixel frame image over 24 pixels: tiled, x = 12 starts the image again
    // (a red corner); stretched, it is the middle of the top edge (lime).
    const struct {
        const wchar_t* xml;
        std::uint32_t at12;
    } cases[] = {
        {L"<imglist src='png:frame' tile='1'/>", kRed},
        {L"<imglist src='png:frame'/>", kLime},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.xml);
        target = Target(24, 12);
        const RECT rect = {0, 0, 24, 12};
        Make(c.xml)->DrawByIndex(target.Get(), &rect, 0);
        EXPECT_EQ(c.at12, Pixel(target.Get(), 12, 0));
        EXPECT_EQ(kRed, Pixel(target.Get(), 0, 0));
    }
}

TEST_F(ImageSkinTest, ExpandModesCarryTheFilterLevel)
{
    const struct {
        const wchar_t* xml;
        UINT mode;
    } cases[] = {
        {L"<imglist/>",                                   1},
        {L"<imglist tile='1'/>",                          2},
        {L"<imglist autoFit='0' tile='1'/>",              0},
        {L"<imglist filterLevel='high'/>",                0x30001},
        {L"<imglist filterLevel='low' tile='1'/>",        0x10002},
        {L"<imgframe autoFit='0'/>",                      1},
        {L"<imgframe autoFit='0' tile='1' filterLevel='medium'/>", 0x20002},
    };
    for (const auto& c : cases) {
        const auto skin = Make<SSkinImgList>(c.xml);
        ASSERT_TRUE(skin) << c.xml;
        EXPECT_EQ(c.mode, skin->GetExpandMode()) << c.xml;
    }
}

TEST_F(ImageSkinTest, AFrameKeepsItsCornersUnstretched)
{
    const auto frame = Make(L"<imgframe src='png:frame' margin='4,4,4,4'/>");
    const auto target = Target(40, 40);
    const RECT rect = {0, 0, 40, 40};
    frame->DrawByIndex(target.Get(), &rect, 0);
    Keep(target.Get(), L"imgframe");
    EXPECT_TRUE(Filled(target.Get(), RECT{0, 0, 4, 4}, kRed));
    EXPECT_TRUE(Filled(target.Get(), RECT{36, 0, 40, 4}, kRed));
    EXPECT_TRUE(Filled(target.Get(), RECT{0, 36, 4, 40}, kRed));
    EXPECT_TRUE(Filled(target.Get(), RECT{36, 36, 40, 40}, kRed));
    EXPECT_TRUE(Filled(target.Get(), RECT{4, 0, 36, 4}, kLime));
    EXPECT_TRUE(Filled(target.Get(), RECT{0, 4, 4, 36}, kLime));
    EXPECT_TRUE(Filled(target.Get(), RECT{4, 4, 36, 36}, kBlue));
}

TEST_F(ImageSkinTest, FrameMarginsTakeTheNumbersGiven)
{
    const struct {
        const wchar_t* xml;
        RECT margins;
    } cases[] = {
        {L"<imgframe margin='1,2,3,4'/>",                    {1, 2, 3, 4}},
        {L"<imgframe right='7' bottom='8' margin='4,4'/>",   {4, 4, 7, 8}},   // two numbers: left and top
        {L"<imgframe margin-x='3'/>",                        {3, 0, 3, 0}},
        {L"<imgframe margin-y='5' left='1' top='2'/>",       {1, 2, 0, 5}},
        {L"<imgframe left='6' margin='none'/>",              {6, 0, 0, 0}},   // unreadable: kept
        {L"<imgframe top='0x10' margin-x='x'/>",             {0, 16, 0, 0}},
    };
    for (const auto& c : cases) {
        const auto frame = Make<SSkinImgFrame>(c.xml);
        ASSERT_TRUE(frame) << c.xml;
        const RECT& margins = frame->GetMargins();
        EXPECT_TRUE(EqualRect(&margins, &c.margins)) << c.xml << ": " << margins.left << "," << margins.top << ","
                                                     << margins.right << "," << margins.bottom;
    }
    const auto frame = Make<SSkinImgFrame>(L"<imgframe/>");
    EXPECT_EQ(S_FALSE, frame->ApplyAttribute(L"margin", L"1,1,1,1", FALSE));
    EXPECT_EQ(E_INVALIDARG, frame->ApplyAttribute(L"margin", L"", FALSE));
}

TEST_F(ImageSkinTest, ASecondFrameReadsItsMarginsFromTheGuidePixels)
{
    const auto frame = Make<SSkinImgFrame>(L"<imgframe2 src='png:guides'/>");
    ASSERT_TRUE(frame);
    ASSERT_TRUE(frame->GetImage());
    EXPECT_EQ(8, frame->GetImage()->Width());
    EXPECT_EQ(8, frame->GetImage()->Height());
    const RECT expected = {2, 1, 3, 2};
    EXPECT_TRUE(EqualRect(&frame->GetMargins(), &expected));
    const auto target = Target(8, 8);
    const RECT rect = {0, 0, 8, 8};
    frame->DrawByIndex(target.Get(), &rect, 0);
    EXPECT_TRUE(Filled(target.Get(), RECT{0, 0, 4, 4}, kRed));   // the border is gone
    EXPECT_TRUE(Filled(target.Get(), RECT{4, 4, 8, 8}, kBlue));

    EXPECT_EQ(E_INVALIDARG, frame->ApplyAttribute(L"src", L"png:tiny", FALSE));
    EXPECT_EQ(E_FAIL, frame->ApplyAttribute(L"src", L"png:nothing", FALSE));
    EXPECT_EQ(8, frame->GetImage()->Width());   // both refusals kept the image
}

// A skin built from XML decodes its image as it is built, or with "delayDecode"
// at its first measure or drawing: the image file appears only after both skins
// are built, so only the delayed one finds it.
TEST_F(ImageSkinTest, ADelayedImageIsDecodedAtItsFirstUse)
{
    const size_t size = App().GetRawDataSize(L"png", L"states_h");
    ASSERT_GT(size, 0u);
    std::string bytes(size, '\0');
    ASSERT_TRUE(App().GetRawData(L"png", L"states_h", bytes.data(), size));
    const ScratchDir folder;
    const std::wstring source = L"file:" + folder.File(L"states.png");
    const std::wstring eagerXml = L"<imglist src='" + source + L"' states='3'/>";
    const std::wstring delayedXml = L"<imglist src='" + source + L"' states='3' delayDecode='1'/>";
    const auto eager = Make<SSkinImgList>(eagerXml.c_str());
    const auto delayed = Make<SSkinImgList>(delayedXml.c_str());
    ASSERT_TRUE(eager && delayed);
    ASSERT_TRUE(folder.Write(L"states.png", bytes));

    EXPECT_FALSE(eager->GetImage());
    const SIZE stateSize = delayed->QuerySkinSize();
    EXPECT_EQ(30, stateSize.cx);
    const auto target = Target(30, 10);
    const RECT rect = {0, 0, 30, 10};
    delayed->DrawByIndex(target.Get(), &rect, 1);
    EXPECT_TRUE(Filled(target.Get(), rect, kLime));
}

// "decodeByState" on a stacked strip: every state draws as the eagerly decoded
// skin draws it, whatever the order; only the rows down to the state drawn are
// decoded, which a strip whose data ends half-way shows: its first state draws,
// its last stays empty, where the eager skin of the same file has no image at
// all. A strip side by side, or interlaced, decodes whole at its first use.
TEST_F(ImageSkinTest, AStackedStripDecodedByStateDrawsEachStateAsTheWholeImage)
{
    const ScratchDir folder;
    std::vector<std::uint32_t> noise(64 * 384);
    std::uint32_t seed = 7;
    for (std::uint32_t& pixel : noise) {
        seed = seed * 1103515245u + 12345u;
        pixel = seed ^ (seed >> 11);
    }
    ConvertRgba(folder, 64, 384, RgbaBytes(noise), "PNG32:stacked.png");
    ConvertRgba(folder, 64, 384, RgbaBytes(noise), "-interlace PNG PNG32:interlaced.png");
    const std::string whole = ReadScratch(folder, L"stacked.png");
    const size_t idat = whole.find("IDAT");
    ASSERT_NE(std::string::npos, idat);
    ASSERT_TRUE(folder.Write(L"cut.png", whole.substr(0, idat + (whole.size() - idat) / 2)));

    const auto skin = [&](const wchar_t* file, const wchar_t* extra) {
        const std::wstring xml = L"<imglist src='file:" + folder.File(file) + L"' states='3' " + extra + L"/>";
        return Make<SSkinImgList>(xml.c_str());
    };
    const auto drawn = [&](SSkinImgList* list, int state) {
        const auto target = Target(64, 128);
        const RECT rect = {0, 0, 64, 128};
        list->DrawByIndex(target.Get(), &rect, state);
        return ReadPixels(target.Get());
    };
    const auto eager = skin(L"stacked.png", L"vertical='1'");
    ASSERT_TRUE(eager && eager->GetImage());
    const struct { const char* what; const wchar_t* file; const wchar_t* attributes; } cases[] = {
        {"stacked", L"stacked.png", L"vertical='1' decodeByState='1'"},
        {"interlaced", L"interlaced.png", L"vertical='1' decodeByState='1'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto byState = skin(c.file, c.attributes);
        ASSERT_TRUE(byState);
        EXPECT_EQ(128, byState->QuerySkinSize().cy);
        for (int state : {2, 0, 1, 2})
            EXPECT_EQ(drawn(eager.Get(), state), drawn(byState.Get(), state)) << "state " << state;
        EXPECT_EQ(Bytes(eager->GetImage()), Bytes(byState->GetImage()));
    }

    const auto sideBySide = skin(L"stacked.png", L"decodeByState='1'");
    ASSERT_TRUE(sideBySide && sideBySide->GetImage());
    EXPECT_EQ(21, sideBySide->QuerySkinSize().cx);   // three states of 21 x 384
    EXPECT_EQ(Bytes(eager->GetImage()), Bytes(sideBySide->GetImage()));

    EXPECT_FALSE(skin(L"cut.png", L"vertical='1'")->GetImage());
    const auto cut = skin(L"cut.png", L"vertical='1' decodeByState='1'");
    EXPECT_EQ(drawn(eager.Get(), 0), drawn(cut.Get(), 0));
    EXPECT_EQ(Pixels(64 * 128, 0), drawn(cut.Get(), 2));
    EXPECT_EQ(drawn(eager.Get(), 0), drawn(cut.Get(), 0));   // what was decoded stays
}

TEST_F(ImageSkinTest, TheScrollbarSkinTakesEachPartFromItsCell)
{
    const auto bar = Make<SSkinScrollbar>(L"<scrollbar src='png:sbar_cells' states='1'/>");
    ASSERT_TRUE(bar);
    EXPECT_EQ(8, bar->GetBarThickness());
    EXPECT_TRUE(bar->HasArrowButtons());
    const struct {
        const char* what;
        int part;
        int state;
        bool vertical;
        RECT cell;
    } cases[] = {
        {"vertical thumb, hover",     kSbPartThumb,    1, true,  {16, 8, 24, 16}},
        {"horizontal thumb, hover",   kSbPartThumb,    1, false, {48, 8, 56, 16}},
        {"line up, pushed",           kSbPartLineUp,   2, true,  {0, 16, 8, 24}},
        {"line down, disabled",       kSbPartLineDown, 3, false, {40, 24, 48, 32}},
        {"page up rail",              kSbPartPageUp,   0, true,  {24, 0, 32, 8}},
        {"page down rail",            kSbPartPageDown, 0, false, {56, 0, 64, 8}},
        {"inactive without its row",  kSbPartThumb,    4, true,  {16, 0, 24, 8}},
        {"corner",                    kSbPartCorner,   3, true,  {64, 0, 72, 8}},
        {"vertical gripper",          kSbPartGripper,  0, true,  {64, 8, 72, 16}},
        {"horizontal gripper",        kSbPartGripper,  0, false, {64, 16, 72, 24}},
        {"a part without a cell",     4,               0, true,  {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const RECT cell = bar->GetPartSourceRect(c.part, c.state, c.vertical);
        EXPECT_TRUE(EqualRect(&cell, &c.cell)) << cell.left << "," << cell.top << "," << cell.right << "," << cell.bottom;
    }
    const auto inactive = Make<SSkinScrollbar>(L"<scrollbar src='png:sbar_cells' hasInactive='1'/>");
    const RECT row4 = {16, 32, 24, 40};
    const RECT cell = inactive->GetPartSourceRect(kSbPartThumb, kSbStateInactive, true);
    EXPECT_TRUE(EqualRect(&cell, &row4));

    // Drawn: the cell's own colour (red 20 x column + 10, green 40 x row + 10, blue 200).
    auto target = Target(8, 8);
    RECT rect = {0, 0, 8, 8};
    bar->DrawByIndex(target.Get(), &rect, SSkinScrollbar::MakeState(kSbPartThumb, 1, true));
    EXPECT_TRUE(Filled(target.Get(), rect, 0xFF3232C8));
    bar->DrawByIndex(target.Get(), &rect, SSkinScrollbar::MakeState(kSbPartLineDown, 3, false));
    EXPECT_TRUE(Filled(target.Get(), rect, 0xFF6E82C8));

    // A gripper of one cell in the middle of a 24-pixel thumb.
    const auto gripped = Make(L"<scrollbar src='png:sbar_cells' hasGripper='1'/>");
    target = Target(8, 24);
    rect = {0, 0, 8, 24};
    gripped->DrawByIndex(target.Get(), &rect, SSkinScrollbar::MakeState(kSbPartThumb, 0, true));
    Keep(target.Get(), L"scrollbar-thumb");
    EXPECT_TRUE(Filled(target.Get(), RECT{0, 0, 8, 8}, 0xFF320AC8));
    EXPECT_TRUE(Filled(target.Get(), RECT{0, 8, 8, 16}, 0xFFAA32C8));
    EXPECT_TRUE(Filled(target.Get(), RECT{0, 16, 8, 24}, 0xFF320AC8));
}

TEST_F(ImageSkinTest, ColorizingAndGoingBackRestoresTheExactPixels)
{
    const auto skin = Make<SSkinImgList>(L"<imglist src='png:frame'/>");
    ASSERT_TRUE(skin);
    const std::string original = Bytes(skin->GetImage());
    skin->ApplyColorize(0xFF2080F0);
    const std::string first = Bytes(skin->GetImage());
    EXPECT_NE(original, first);
    skin->ApplyColorize(0xFF10C010);
    EXPECT_NE(first, Bytes(skin->GetImage()));
    skin->ApplyColorize(0xFF2080F0);   // from the original pixels each time
    EXPECT_EQ(first, Bytes(skin->GetImage()));
    skin->ApplyColorize(0);
    EXPECT_EQ(original, Bytes(skin->GetImage()));

    const auto fixed = Make<SSkinImgList>(L"<imglist src='png:frame' enableColorize='0'/>");
    fixed->ApplyColorize(0xFF2080F0);
    EXPECT_EQ(original, Bytes(fixed->GetImage()));
}

// Without a copy of its plain pixels the skin could never go back, so a colour
// whose copy failed is not taken: the skin keeps its pixels and its colour, and
// the same colour asked again is tried again.
TEST_F(ImageSkinTest, AColorizeWhoseCopyFailsLeavesTheSkinAsItWas)
{
    const auto skin = Make<SSkinImgList>(L"<imglist src='png:frame'/>");
    ASSERT_TRUE(skin);
    const auto image = SAutoRef<UnclonableBitmap>::Adopt(new UnclonableBitmap(skin->GetImage()));
    const std::string original = Bytes(image.Get());
    skin->SetImage(image.Get());

    skin->ApplyColorize(0xFF2080F0);
    EXPECT_EQ(original, Bytes(image.Get()));

    image->refuseClones = false;
    skin->ApplyColorize(0xFF2080F0);
    const std::string colorized = Bytes(image.Get());
    EXPECT_NE(original, colorized);

    // Colorized, a second colour starts from the saved pixels: no copy is needed.
    image->refuseClones = true;
    skin->ApplyColorize(0xFF10C010);
    EXPECT_NE(colorized, Bytes(image.Get()));
    skin->ApplyColorize(0);
    EXPECT_EQ(original, Bytes(image.Get()));
}

TEST_F(ImageSkinTest, ScaledCopiesResizeImagesAndMargins)
{
    const auto list = Make(L"<imglist name='list' src='png:states16' states='3' alpha='200'/>");
    const auto scaled = SAutoRef<ISkinObj>::Adopt(list->Scale(150));
    ASSERT_TRUE(scaled);
    EXPECT_STREQ(L"imglist", scaled->GetObjectClass());
    EXPECT_STREQ(L"list", scaled->GetName());
    EXPECT_EQ(150, scaled->GetScale());
    EXPECT_EQ(200, scaled->GetAlpha());
    EXPECT_EQ(3, scaled->GetStates());
    const auto* copy = SObjCast<SSkinImgList>(scaled.Get());
    EXPECT_EQ(72, copy->GetImage()->Width());
    EXPECT_EQ(24, copy->GetImage()->Height());
    EXPECT_EQ(24, scaled->QuerySkinSize().cx);
    const auto target = Target(24, 24);
    const RECT rect = {0, 0, 24, 24};
    scaled->DrawByIndex(target.Get(), &rect, 1);
    EXPECT_EQ(0xC800C800u, Pixel(target.Get(), 12, 12));   // lime at the copied alpha 200

    const auto frame = Make(L"<imgframe src='png:frame' margin='4,2,4,0'/>");
    const auto frameCopy = SAutoRef<ISkinObj>::Adopt(frame->Scale(150));
    const RECT margins = {6, 3, 6, 0};
    EXPECT_TRUE(EqualRect(&SObjCast<SSkinImgFrame>(frameCopy.Get())->GetMargins(), &margins));
    EXPECT_EQ(18, frameCopy->QuerySkinSize().cx);
}

TEST_F(ImageSkinTest, AStatesCountBelowOneIsRefused)
{
    const auto skin = Make<SSkinImgList>(L"<imglist src='png:states_h' states='3'/>");
    for (const wchar_t* value : {L"0", L"-1", L"none", L""})
        EXPECT_EQ(E_INVALIDARG, skin->ApplyAttribute(L"states", value, FALSE)) << value;
    EXPECT_EQ(3, skin->GetStates());
    EXPECT_FALSE(skin->SetStates(0));
    const auto target = Target(30, 30);
    const RECT rect = {0, 0, 30, 30};
    skin->DrawByIndex(target.Get(), &rect, 2);
    EXPECT_EQ(kBlue, Pixel(target.Get(), 15, 15));

    const auto zero = Make<SSkinImgList>(L"<imglist src='png:states_h' states='0'/>");
    EXPECT_EQ(1, zero->GetStates());
    EXPECT_EQ(90, zero->QuerySkinSize().cx);

    EXPECT_EQ(E_FAIL, skin->ApplyAttribute(L"filterLevel", L"High", FALSE));   // case-sensitive
    EXPECT_EQ(S_OK, skin->ApplyAttribute(L"filterLevel", L"high", FALSE));
    EXPECT_EQ(E_FAIL, skin->ApplyAttribute(L"src", L"png:nothing", FALSE));
    EXPECT_EQ(90, skin->GetImage()->Width());
    EXPECT_EQ(E_FAIL, skin->ApplyAttribute(L"src", L"png:notimage", FALSE));
    EXPECT_EQ(90, skin->GetImage()->Width());   // no empty image replaced the good one
}

TEST_F(ImageSkinTest, AGroupDrawsTheFirstStateOfEachStatesSkin)
{
    SSkinPoolMgr* const pools = SSkinPoolMgr::GetInstance();
    ASSERT_NE(nullptr, pools);
    const auto pool = SAutoRef<SSkinPool>::Adopt(new SSkinPool);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(L"<skin>"
                                     L"<imglist name='red' src='png:states_h' states='3'/>"
                                     L"<imglist name='blue' src='png:states_v' states='3' vertical='1'/>"
                                     L"<group name='g' normal='red' pushDown='blue' hover='none'/>"
                                     L"</skin>"));
    EXPECT_EQ(3, pool->LoadSkins(document.first_child()));
    pools->PushPool(pool.Get());
    auto* const group = SObjCast<SSKinGroup>(pools->GetSkin(L"g", 100));
    ASSERT_NE(nullptr, group);
    EXPECT_EQ(4, group->GetStates());
    EXPECT_FALSE(group->IgnoreState());
    EXPECT_EQ(nullptr, group->GetStateSkin(1));
    EXPECT_EQ(30, group->QuerySkinSize().cx);
    const struct {
        int state;
        std::uint32_t colour;
    } cases[] = {{0, kRed}, {1, 0}, {2, kRed}, {3, 0}, {4, 0}, {-1, 0}};   // each skin's state 0
    for (const auto& c : cases) {
        const auto target = Target(10, 10);
        const RECT rect = {0, 0, 10, 10};
        group->DrawByIndex(target.Get(), &rect, c.state);
        EXPECT_EQ(c.colour, Pixel(target.Get(), 5, 5)) << c.state;
    }
    // A copy for another scale finds its states at that scale.
    auto* const scaled = SObjCast<SSKinGroup>(pools->GetSkin(L"g", 200));
    ASSERT_NE(nullptr, scaled);
    EXPECT_NE(group, scaled);
    EXPECT_EQ(pools->GetSkin(L"red", 200), scaled->GetStateSkin(0));
    EXPECT_EQ(60, scaled->QuerySkinSize().cx);
    pools->PopPool(pool.Get());
}
