// The colour and shape skins on memory targets: states and their fallbacks, the
// button's corner clipping and flat fill, alpha on a colour, gradients, colorizing
// from the originals, the ring's radius, and the attributes they refuse.

#include "SkinTest.h"

#include "core/SColor.h"
#include "core/SSkinButton.h"
#include "core/SSkinColorRect.h"
#include "core/SSkinGradation.h"
#include "core/SSkinShape.h"

#include <gtest/gtest.h>

using namespace SAKU;
using namespace saku_test;

namespace {

using ColourSkinTest = SkinTest;

BYTE Alpha(std::uint32_t pixel)
{
    return static_cast<BYTE>(pixel >> 24);
}

BYTE Red(std::uint32_t pixel)
{
    return static_cast<BYTE>(pixel >> 16);
}

BYTE Blue(std::uint32_t pixel)
{
    return static_cast<BYTE>(pixel);
}

}  // namespace

TEST(SColor, AlphaOnAColourScalesItsOwnAlpha)
{
    const struct {
        COLORREF color;
        BYTE alpha;
        COLORREF drawn;
    } cases[] = {
        {0xFF0000FF, 128, 0x7F0000FF},
        {0xFF0000FF, 255, 0xFF0000FF},
        {0x800000FF, 128, 0x400000FF},
        {0x000000FF, 128, 0x000000FF},
        {0xFF123456, 0,   0x00123456},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.drawn, ColorAtAlpha(c.color, c.alpha)) << std::hex << c.color << " at " << int(c.alpha);
}

TEST_F(ColourSkinTest, AColourRectangleCountsItsStatesUpToTheLastOneSet)
{
    AddProgramResources(L"uidef:xml_init");
    const struct {
        const wchar_t* xml;
        int states;
        std::uint32_t drawn[5];   // states 0-4 at the centre
    } cases[] = {
        {L"<colorrect normal='@color/red'/>", 1, {kRed, kRed, kRed, kRed, 0}},
        {L"<colorrect normal='#ff0000' disable='#0000ff'/>", 4, {kRed, kRed, kRed, kBlue, 0}},
        {L"<colorrect normal='#ff0000' hover='#00ff00'/>", 2, {kRed, kLime, kRed, kRed, 0}},
        {L"<colorrect/>", 1, {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.xml);
        const auto skin = Make(c.xml);
        EXPECT_EQ(c.states, skin->GetStates());
        EXPECT_EQ(c.states < 2, skin->IgnoreState() != FALSE);
        for (int state = 0; state < 5; ++state) {
            const auto target = Target(10, 10);
            const RECT rect = {0, 0, 10, 10};
            skin->DrawByIndex(target.Get(), &rect, state);
            EXPECT_EQ(c.drawn[state], Pixel(target.Get(), 5, 5)) << "state " << state;
        }
    }
    const auto none = Make<SSkinColorRect>(L"<colorrect normal='#00000000'/>");
    ASSERT_TRUE(none);
    EXPECT_EQ(0x00000000u, none->GetStateColor(0));
    EXPECT_EQ(1, none->GetStates());
    EXPECT_EQ(S_OK, none->ApplyAttribute(L"normal", L"@color/nothing", FALSE));   // 0x00FFFFFF: no colour at all
    EXPECT_EQ(0, none->GetStates());
}

TEST_F(ColourSkinTest, DrawingAtAlpha128MakesAnOpaqueColourAlpha127)
{
    const auto skin = Make(L"<colorrect normal='#ff0000'/>");
    const auto target = Target(10, 10);
    const RECT rect = {0, 0, 10, 10};
    skin->DrawByIndexAlpha(target.Get(), &rect, 0, 128);
    const std::uint32_t pixel = Pixel(target.Get(), 5, 5);
    EXPECT_EQ(127, Alpha(pixel));
    EXPECT_EQ(127, Red(pixel));

    const auto halfAlpha = Make(L"<colorrect normal='#ff0000' alpha='128'/>");
    const auto second = Target(10, 10);
    halfAlpha->DrawByIndex(second.Get(), &rect, 0);   // the skin's own alpha
    EXPECT_EQ(127, Alpha(Pixel(second.Get(), 5, 5)));
}

TEST_F(ColourSkinTest, AButtonClipsItsCornersOnlyAboveRadiusTwo)
{
    const struct {
        const wchar_t* xml;
        bool cornerDrawn;
    } cases[] = {
        {L"<button colorBorder='#000000' colorUp='#ff0000' colorDown='#ff0000' cornerRadius='2'/>", true},
        {L"<button colorBorder='#000000' colorUp='#ff0000' colorDown='#ff0000' cornerRadius='3'/>", false},
        {L"<button colorBorder='#000000' colorUp='#ff0000' colorDown='#ff0000' cornerRadius='8'/>", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.xml);
        const auto target = Target(30, 20);
        const RECT rect = {0, 0, 30, 20};
        Make(c.xml)->DrawByIndex(target.Get(), &rect, 0);
        EXPECT_EQ(c.cornerDrawn, Pixel(target.Get(), 0, 0) != 0);
        EXPECT_EQ(kRed, Pixel(target.Get(), 15, 10));
    }
}

TEST_F(ColourSkinTest, AButtonFillsFlatWhenItsColoursAreEqualAndGradesInsideTheBorderOtherwise)
{
    // An invisible border shows what the face covers.
    const auto flat = Make(L"<button colorBorder='#00000000' colorUp='#ff0000' colorDown='#ff0000' cornerRadius='0'/>");
    auto target = Target(20, 20);
    const RECT rect = {0, 0, 20, 20};
    flat->DrawByIndex(target.Get(), &rect, 0);
    EXPECT_EQ(kRed, Pixel(target.Get(), 0, 0));   // border included
    EXPECT_EQ(kRed, Pixel(target.Get(), 19, 19));

    const auto graded = Make(L"<button colorBorder='#00000000' colorUpPush='#ff0000' colorDownPush='#0000ff' cornerRadius='0'/>");
    target = Target(20, 20);
    graded->DrawByIndex(target.Get(), &rect, 2);
    Keep(target.Get(), L"button-pushed");
    EXPECT_EQ(0u, Pixel(target.Get(), 0, 0));   // only inside the border
    const std::uint32_t top = Pixel(target.Get(), 10, 1);
    const std::uint32_t bottom = Pixel(target.Get(), 10, 18);
    EXPECT_GT(Red(top), Blue(top));
    EXPECT_GT(Blue(bottom), Red(bottom));

    // The default colours carry alpha 0: the border and a flat face are invisible.
    const auto defaults = Make<SSkinButton>(L"<button/>");
    EXPECT_EQ(0x707070u, defaults->GetBorderColor());
    EXPECT_EQ(0xCECECEu, defaults->GetUpColor(2));
    EXPECT_EQ(0x808080u, defaults->GetDownColor(3));
    EXPECT_EQ(4, defaults->GetStates());
    EXPECT_FALSE(defaults->IgnoreState());
    target = Target(20, 20);
    defaults->DrawByIndex(target.Get(), &rect, 7);   // no such state: nothing
    EXPECT_EQ(0u, Pixel(target.Get(), 10, 10));
}

TEST_F(ColourSkinTest, ColorizingStartsFromTheOriginalColoursEachTime)
{
    const auto button = Make<SSkinButton>(L"<button colorUp='#204060' colorDown='#608040'/>");
    const COLORREF up = button->GetUpColor(0);
    button->ApplyColorize(0xFF0000FF);
    const COLORREF towardsRed = button->GetUpColor(0);
    EXPECT_NE(up, towardsRed);
    button->ApplyColorize(0xFFFF0000);
    EXPECT_NE(towardsRed, button->GetUpColor(0));
    button->ApplyColorize(0xFF0000FF);
    EXPECT_EQ(towardsRed, button->GetUpColor(0));
    button->ApplyColorize(0);
    EXPECT_EQ(up, button->GetUpColor(0));
    EXPECT_EQ(0x707070u, button->GetBorderColor());

    const auto gradation = Make<SSkinGradation>(L"<gradation colorFrom='#ff0000' colorTo='#0000ff'/>");
    gradation->ApplyColorize(0xFF00FF00);
    EXPECT_NE(0xFF0000FFu, gradation->GetColorFrom());
    gradation->ApplyColorize(0);
    EXPECT_EQ(0xFF0000FFu, gradation->GetColorFrom());
    EXPECT_EQ(0xFFFF0000u, gradation->GetColorTo());

    const auto fixed = Make<SSkinButton>(L"<button colorUp='#204060' enableColorize='0'/>");
    fixed->ApplyColorize(0xFF0000FF);
    EXPECT_EQ(0xFF604020u, fixed->GetUpColor(0));
}

TEST_F(ColourSkinTest, AGradationRunsTopToBottomUnlessHorizontal)
{
    const RECT rect = {0, 0, 20, 20};
    auto target = Target(20, 20);
    Make(L"<gradation colorFrom='#ff0000' colorTo='#0000ff'/>")->DrawByIndex(target.Get(), &rect, 0);
    EXPECT_GT(Red(Pixel(target.Get(), 10, 0)), Blue(Pixel(target.Get(), 10, 0)));
    EXPECT_GT(Blue(Pixel(target.Get(), 10, 19)), Red(Pixel(target.Get(), 10, 19)));
    EXPECT_EQ(Pixel(target.Get(), 0, 10), Pixel(target.Get(), 19, 10));

    target = Target(20, 20);
    Make(L"<gradation colorFrom='#ff0000' colorTo='#0000ff' vertical='0'/>")->DrawByIndex(target.Get(), &rect, 0);
    EXPECT_GT(Red(Pixel(target.Get(), 0, 10)), Blue(Pixel(target.Get(), 0, 10)));
    EXPECT_GT(Blue(Pixel(target.Get(), 19, 10)), Red(Pixel(target.Get(), 19, 10)));
}

TEST_F(ColourSkinTest, ColourSkinsHaveNoCopyForAnotherScale)
{
    for (const wchar_t* xml : {L"<button/>", L"<colorrect/>", L"<gradation/>"})
        EXPECT_EQ(nullptr, Make(xml)->Scale(200)) << xml;
}

TEST_F(ColourSkinTest, ARingStrokesAnArcAtTheInnerRadiusPlusHalfThePen)
{
    const auto ring = Make(L"<shape shape='ring'><stroke width='4' color='#000000'/>"
                           L"<ring innerRadio='10'/><solid color='#ff0000'/></shape>");
    const auto target = Target(40, 40);
    const RECT rect = {0, 0, 40, 40};
    ring->DrawByIndex(target.Get(), &rect, 0);
    Keep(target.Get(), L"ring");
    // The centre of the inner rectangle (1, 1, 39, 39) is (20, 20); radius 12.
    for (const POINT on : {POINT{32, 20}, POINT{8, 20}, POINT{20, 8}, POINT{20, 32}})
        EXPECT_EQ(0xFF000000u, Pixel(target.Get(), on.x, on.y)) << on.x << "," << on.y;
    for (const POINT off : {POINT{20, 20}, POINT{27, 20}, POINT{37, 20}, POINT{2, 2}})
        EXPECT_EQ(0u, Pixel(target.Get(), off.x, off.y)) << off.x << "," << off.y;   // a ring is never filled

    const auto bare = Make(L"<shape shape='ring'><stroke width='4' color='#000000'/></shape>");
    const auto empty = Target(40, 40);
    bare->DrawByIndex(empty.Get(), &rect, 0);
    EXPECT_TRUE(ReadPixels(empty.Get()) == Pixels(40 * 40, 0));
}

TEST_F(ColourSkinTest, ShapesFillAndStrokeInsideTheirRectangle)
{
    const RECT rect = {0, 0, 30, 30};
    auto target = Target(30, 30);
    Make(L"<shape><solid color='#ff0000'/><stroke width='1' color='#0000ff'/></shape>")
        ->DrawByIndex(target.Get(), &rect, 0);
    EXPECT_EQ(0u, Pixel(target.Get(), 0, 0));        // drawn inside a one-pixel margin
    EXPECT_EQ(kBlue, Pixel(target.Get(), 1, 1));
    EXPECT_EQ(kRed, Pixel(target.Get(), 15, 15));

    target = Target(30, 30);
    Make(L"<shape shape='oval'><solid color='#ff0000'/></shape>")->DrawByIndex(target.Get(), &rect, 0);
    EXPECT_EQ(0u, Pixel(target.Get(), 2, 2));
    EXPECT_EQ(kRed, Pixel(target.Get(), 15, 15));

    target = Target(30, 30);
    Make(L"<shape><solid color='#ff0000'/><corners radius='16'/></shape>")->DrawByIndex(target.Get(), &rect, 0);
    Keep(target.Get(), L"rounded");
    EXPECT_EQ(0u, Pixel(target.Get(), 2, 2));
    EXPECT_EQ(kRed, Pixel(target.Get(), 15, 15));
    EXPECT_EQ(kRed, Pixel(target.Get(), 15, 2));

    // Only a size: reported, nothing drawn.
    const auto sized = Make(L"<shape><size width='12' height='8dp'/></shape>");
    EXPECT_EQ(12, sized->QuerySkinSize().cx);
    EXPECT_EQ(8, sized->QuerySkinSize().cy);
    target = Target(30, 30);
    sized->DrawByIndex(target.Get(), &rect, 0);
    EXPECT_TRUE(ReadPixels(target.Get()) == Pixels(30 * 30, 0));
    EXPECT_EQ(SIZE{}.cx, Make(L"<shape/>")->QuerySkinSize().cx);

    // A copy for another scale shares the parts and converts them at its own scale.
    const auto scaled = SAutoRef<ISkinObj>::Adopt(sized->Scale(200));
    ASSERT_TRUE(scaled);
    EXPECT_EQ(12, scaled->QuerySkinSize().cx);   // px stays
    EXPECT_EQ(16, scaled->QuerySkinSize().cy);   // dp grows
}

TEST_F(ColourSkinTest, ShapesRefuseUnknownWordsAndKeepWhatTheyHad)
{
    const auto shape = Make<SSkinShape>(L"<shape shape='oval'/>");
    ASSERT_TRUE(shape);
    EXPECT_EQ(E_FAIL, shape->ApplyAttribute(L"shape", L"circle", FALSE));
    EXPECT_EQ(E_FAIL, shape->ApplyAttribute(L"shape", L"Ring", FALSE));   // case-sensitive
    EXPECT_EQ(SSkinShape::kOval, shape->GetShape());
    EXPECT_EQ(S_OK, shape->ApplyAttribute(L"SHAPE", L"ring", FALSE));      // the name in any case
    EXPECT_EQ(SSkinShape::kRing, shape->GetShape());

    // The parts' refusals, each leaving a drawable shape.
    const auto parts = Make<SSkinShape>(L"<shape><stroke style='dotted' width='2' color='#000000'/>"
                                        L"<gradient type='conic'/><corners radius='1,2,3'/><solid color=''/></shape>");
    ASSERT_TRUE(parts);
    EXPECT_EQ(kColorNone, parts->GetFillColor());
    const auto target = Target(20, 20);
    const RECT rect = {0, 0, 20, 20};
    FillTarget(target.Get(), 0xFFFFFFFF);   // outlines keep the alpha beneath them
    parts->DrawByIndex(target.Get(), &rect, 0);
    for (int y = 2; y < 18; ++y)   // a solid pen: the style stayed solid
        EXPECT_EQ(0xFF000000u, Pixel(target.Get(), 1, y)) << y;

    const auto rect2 = Make<SSkinColorRect>(L"<colorrect normal='#ff0000'/>");
    EXPECT_EQ(E_FAIL, rect2->ApplyAttribute(L"normal", L"", FALSE));
    EXPECT_EQ(0xFF0000FFu, rect2->GetStateColor(0));
}
