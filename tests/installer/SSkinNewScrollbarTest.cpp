#include "InstallerTest.h"

#include "RenderTestSupport.h"

#include "core/SSkinPool.h"
#include "render/IBitmap.h"

#include <pugixml.hpp>

#include <cstdint>
#include <string>

using namespace SAKU;
using namespace installer_test;
using saku_test::CurrentBitmap;
using saku_test::Pixels;
using saku_test::ReadPixels;

namespace {

std::string Describe(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

}  // namespace

class SSkinNewScrollbarTest : public InstallerTest {
protected:
    // The skin the wizard's module list uses, from the UI definition's skin table.
    SSkinNewScrollbar* Shipped()
    {
        ISkinObj* const skin = SSkinPoolMgr::GetInstance()->GetSkin(L"skin_new_scrollbar", 100);
        return skin ? SObjCast<SSkinNewScrollbar>(skin) : nullptr;
    }

    SAutoRef<SSkinNewScrollbar> Make(const wchar_t* xml)
    {
        pugi::xml_document document;
        EXPECT_TRUE(document.load_string(xml)) << xml;
        const pugi::xml_node element = document.first_child();
        auto skin = SAutoRef<ISkinObj>::Adopt(App().CreateSkinByName(element.name()));
        if (!skin)
            return SAutoRef<SSkinNewScrollbar>();
        skin->BuildFromXml(element);
        return SAutoRef<SSkinNewScrollbar>(SObjCast<SSkinNewScrollbar>(skin.Get()));
    }

    SAutoRef<IRenderTarget> Target(int width, int height)
    {
        SAutoRef<IRenderTarget> target;
        EXPECT_TRUE(m_renderFactory->CreateRenderTarget(target.Put(), width, height));
        return target;
    }
};

TEST_F(SSkinNewScrollbarTest, ShippedSkinCutsThumbAndRailOfEachStateFromItsImages)
{
    SSkinNewScrollbar* const skin = Shipped();
    ASSERT_TRUE(skin);
    ASSERT_TRUE(skin->GetVertImage());
    ASSERT_EQ(9, skin->GetVertImage()->Width());
    ASSERT_EQ(43, skin->GetVertImage()->Height());
    EXPECT_EQ(3, skin->GetStates());
    EXPECT_EQ(3, skin->GetBarThickness());
    EXPECT_FALSE(skin->HasArrowButtons());

    // A vertical image has a column of 3 x 21 per state; a horizontal one a row
    // of 4 x 14 per state.
    const struct { int part; int state; bool vertical; RECT cell; } cases[] = {
        {kSbPartThumb,    1, true,  {3, 0, 6, 21}},
        {kSbPartPageUp,   0, true,  {0, 21, 3, 42}},
        {kSbPartPageDown, 2, true,  {6, 21, 9, 42}},
        {kSbPartThumb,    4, true,  {0, 0, 3, 21}},      // at rest: drawn as the normal state
        {kSbPartThumb,    3, true,  {0, 0, 0, 0}},       // a state beyond the image: nothing
        {kSbPartThumb,    1, false, {0, 14, 4, 28}},
        {kSbPartPageUp,   2, false, {4, 28, 8, 42}},
        {kSbPartPageDown, 4, false, {4, 0, 8, 14}},
        {kSbPartLineUp,   0, true,  {0, 0, 0, 0}},       // no arrow buttons, corner or gripper
        {kSbPartLineDown, 1, false, {0, 0, 0, 0}},
        {kSbPartCorner,   0, true,  {0, 0, 0, 0}},
        {kSbPartGripper,  0, true,  {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "part " << c.part << " state " << c.state << " vertical " << c.vertical);
        const RECT cell = skin->GetPartSourceRect(c.part, c.state, c.vertical);
        if (::IsRectEmpty(&c.cell))
            EXPECT_TRUE(::IsRectEmpty(&cell)) << Describe(cell);
        else
            EXPECT_TRUE(::EqualRect(&cell, &c.cell)) << Describe(cell);
    }
}

TEST_F(SSkinNewScrollbarTest, NamesItselfAndItsBases)
{
    auto skin = Make(L"<newScrollbar/>");
    ASSERT_TRUE(skin);
    EXPECT_TRUE(skin->IsClass(L"newScrollbar"));
    EXPECT_TRUE(skin->IsClass(L"scrollbar"));
    EXPECT_TRUE(skin->IsClass(L"imglist"));
    EXPECT_FALSE(skin->IsClass(L"newscrollbar"));   // class tests are exact
    EXPECT_EQ(kObjTypeSkin, skin->GetObjectType());

    const TplSObjectFactory<SSkinNewScrollbar> factory;
    EXPECT_EQ(SStringW(L"newscrollbar"), factory.GetObjectInfo().GetName());
    EXPECT_EQ(kObjTypeSkin, factory.GetObjectInfo().GetType());
    EXPECT_STREQ(L"scrollbar", factory.BaseClassName());
}

TEST_F(SSkinNewScrollbarTest, StateCountStartsAtFourAndRefusesCountsBelowOne)
{
    const struct { const wchar_t* xml; int states; } cases[] = {
        {L"<newScrollbar/>", 4},
        {L"<newScrollbar states='3'/>", 3},
        {L"<newScrollbar states='0'/>", 4},
        {L"<newScrollbar states='-2'/>", 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::wstring(c.xml).c_str());
        auto skin = Make(c.xml);
        ASSERT_TRUE(skin);
        EXPECT_EQ(c.states, skin->GetStates());
    }
}

TEST_F(SSkinNewScrollbarTest, ImageThatDoesNotLoadKeepsTheOldOne)
{
    auto skin = Make(L"<newScrollbar srcVert='png:png_scorll_png'/>");
    ASSERT_TRUE(skin);
    IBitmap* const loaded = skin->GetVertImage();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(E_FAIL, skin->ApplyAttribute(L"srcVert", L"png:no_such_image", FALSE));
    EXPECT_EQ(E_FAIL, skin->ApplyAttribute(L"SRCHORZ", L"png:png_update_png", FALSE));   // named, but not carried
    EXPECT_EQ(loaded, skin->GetVertImage());
    EXPECT_EQ(nullptr, skin->GetHorzImage());
    EXPECT_EQ(S_OK, skin->ApplyAttribute(L"SRCHORZ", L"png:png_scorll_png", FALSE));
    EXPECT_TRUE(skin->GetHorzImage());
}

// Each part is its cell of the bar's image drawn as a nine-patch with the
// skin's margin along the bar: at the cell's own size, the target holds the
// cell's pixels exactly. (The shipped margin of 4 is for the wizard's vertical
// bars; a horizontal cell of the shipped image is only 4 pixels wide.)
TEST_F(SSkinNewScrollbarTest, DrawsThePartsCellOfItsBarsImage)
{
    SSkinNewScrollbar* const shipped = Shipped();
    ASSERT_TRUE(shipped);
    auto narrow = Make(L"<newScrollbar srcVert='png:png_scorll_png' srcHorz='png:png_scorll_png' states='3' margin='1'/>");
    ASSERT_TRUE(narrow);
    const struct { SSkinNewScrollbar* skin; int part; int state; bool vertical; } cases[] = {
        {shipped, kSbPartThumb, 1, true},       {shipped, kSbPartPageDown, 0, true},
        {narrow.Get(), kSbPartThumb, 2, false}, {narrow.Get(), kSbPartPageUp, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "part " << c.part << " state " << c.state << " vertical " << c.vertical);
        const RECT cell = c.skin->GetPartSourceRect(c.part, c.state, c.vertical);
        const int width = cell.right - cell.left;
        const int height = cell.bottom - cell.top;
        auto target = Target(width, height);
        const RECT all = {0, 0, width, height};
        c.skin->DrawByIndex(target.Get(), &all, SSkinScrollbar::MakeState(c.part, c.state, c.vertical));

        IBitmap* const image = c.vertical ? c.skin->GetVertImage() : c.skin->GetHorzImage();
        const auto* bits = static_cast<const std::uint32_t*>(image->GetPixelBits());
        const Pixels drawn = ReadPixels(target.Get());
        int differing = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                differing += drawn[size_t(y) * width + x] != bits[size_t(cell.top + y) * image->Width() + cell.left + x];
        }
        EXPECT_EQ(0, differing);
    }
}

TEST_F(SSkinNewScrollbarTest, DrawsNothingWithoutBothImagesOrForPartsWithoutCells)
{
    auto vertOnly = Make(L"<newScrollbar srcVert='png:png_scorll_png' states='3' margin='4'/>");
    ASSERT_TRUE(vertOnly);
    SSkinNewScrollbar* const shipped = Shipped();
    ASSERT_TRUE(shipped);
    const struct { SSkinNewScrollbar* skin; int part; bool vertical; } cases[] = {
        {vertOnly.Get(), kSbPartThumb, true},
        {vertOnly.Get(), kSbPartPageUp, false},
        {shipped, kSbPartLineUp, true},
        {shipped, kSbPartCorner, false},
        {shipped, kSbPartGripper, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "part " << c.part << " vertical " << c.vertical);
        auto target = Target(20, 40);
        const RECT all = {0, 0, 20, 40};
        c.skin->DrawByIndex(target.Get(), &all, SSkinScrollbar::MakeState(c.part, 0, c.vertical));
        const Pixels drawn = ReadPixels(target.Get());
        EXPECT_EQ(Pixels(drawn.size(), 0), drawn);
    }
}

TEST_F(SSkinNewScrollbarTest, ScaledCopyCarriesBothImagesAtItsScale)
{
    SSkinNewScrollbar* const shipped = Shipped();
    ASSERT_TRUE(shipped);
    auto scaled = SAutoRef<ISkinObj>::Adopt(shipped->Scale(200));
    ASSERT_TRUE(scaled);
    SSkinNewScrollbar* const copy = SObjCast<SSkinNewScrollbar>(scaled.Get());
    ASSERT_TRUE(copy);
    ASSERT_TRUE(copy->GetVertImage());
    ASSERT_TRUE(copy->GetHorzImage());
    EXPECT_EQ(18, copy->GetVertImage()->Width());
    EXPECT_EQ(86, copy->GetHorzImage()->Height());
    EXPECT_EQ(3, copy->GetStates());
    EXPECT_EQ(6, copy->GetBarThickness());
    const RECT thumb = copy->GetPartSourceRect(kSbPartThumb, 1, true);
    const RECT expected = {6, 0, 12, 43};
    EXPECT_TRUE(::EqualRect(&thumb, &expected)) << Describe(thumb);
}
