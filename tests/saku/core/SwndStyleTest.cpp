// The window style: its attribute table with the results a window acts on,
// margins and padding of one, two, three and four values at a scale, the text
// format from alignment, colours and fonts per paint state with their fallbacks to
// the normal state, the fonts taken again at a new scale, and the number of states.

#include "SakuAppTest.h"

#include "core/SFontPool.h"
#include "core/SwndStyle.h"
#include "render/IFont.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <utility>
#include <vector>

using namespace SAKU;
using saku_test::SakuAppTest;

namespace {

using Attributes = std::vector<std::pair<const wchar_t*, const wchar_t*>>;

bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& rect)
{
    return "{" + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom) + "}";
}

// A style with the application and the test program's UI definition current, so
// that named colours, named strings and fonts resolve.
class SwndStyleTest : public SakuAppTest {
protected:
    void SetUp() override
    {
        SakuAppTest::SetUp();
        AddProgramResources(L"uidef:xml_init");   // default font: 15 pixels, "宋体"
    }

    // A style with the attributes applied in order, as a layout gives them.
    static void Apply(SwndStyle& style, const Attributes& attributes)
    {
        for (const auto& attribute : attributes)
            style.ApplyAttribute(attribute.first, attribute.second, TRUE);
    }
};

}  // namespace

TEST_F(SwndStyleTest, AttributesAnswerWhetherTheWindowMustRedraw)
{
    const struct {
        const wchar_t* name;
        const wchar_t* value;
        BOOL loading;
        HRESULT expected;
    } cases[] = {
        {L"textMode",         L"0x10",         TRUE,  S_OK},
        {L"TEXTMODE",         L"abc",          FALSE, E_INVALIDARG},   // no number: the old mode stays
        {L"align",            L"right",        FALSE, S_OK},
        {L"align",            L"Right",        FALSE, E_FAIL},         // values compare exactly
        {L"valign",           L"sideways",     FALSE, E_FAIL},
        {L"colorBkgnd",       L"#ff0000",      FALSE, S_OK},
        {L"colorborder",      L"",             FALSE, E_FAIL},
        {L"colorTextDisable", L"@color/grey",  FALSE, S_OK},
        {L"fontPush",         L"bold:1",       FALSE, S_OK},
        {L"margin",           L"2",            TRUE,  S_FALSE},
        {L"margin",           L"2",            FALSE, S_OK},
        {L"Margin-X",         L"2",            TRUE,  S_FALSE},
        {L"margin-y",         L"2",            FALSE, S_OK},
        {L"inset",            L"1,2",          TRUE,  S_FALSE},
        {L"padding",          L"1,2,3,4",      FALSE, S_OK},
        {L"margin",           L"1,2,3",        FALSE, S_OK},           // taken, though it changes nothing
        {L"cursor",           L"hand",         FALSE, S_FALSE},
        {L"dotted",           L"1",            FALSE, S_FALSE},
        {L"trackMouseEvent",  L"1",            FALSE, S_FALSE},
        {L"alpha",            L"0x80",         FALSE, S_OK},
        {L"bkgndBlend",       L"0",            FALSE, S_OK},
        {L"sepSpace",         L"8",            FALSE, S_OK},
        {L"pos",              L"0,0,-0,-0",    FALSE, E_NOTIMPL},      // the window offers it to its layout next
        {L"skin",             L"btn",          TRUE,  E_NOTIMPL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << "=" << c.value);
        SwndStyle style;
        EXPECT_EQ(c.expected, style.ApplyAttribute(c.name, c.value, c.loading));
    }
}

TEST_F(SwndStyleTest, MarginAndPaddingTakeOneTwoOrFourSizes)
{
    const struct {
        const wchar_t* name;
        const wchar_t* value;
        int scale;
        RECT expected;   // left, top, right, bottom
    } cases[] = {
        {L"margin",   L"3",           100, {3, 3, 3, 3}},
        {L"margin",   L"1,2",         100, {1, 2, 1, 2}},
        {L"margin",   L"1,2,3,4",     100, {1, 2, 3, 4}},
        {L"margin",   L"1,2,3",       100, {9, 9, 9, 9}},       // three sizes change nothing
        {L"margin",   L"1,2,3,4,5",   100, {9, 9, 9, 9}},
        {L"margin",   L"2dp,4",       150, {3, 4, 3, 4}},       // dp grows with the scale, px does not
        {L"margin-x", L"5",           100, {5, 9, 5, 9}},
        {L"margin-y", L"10dp",        200, {9, 20, 9, 20}},     // the 9 px stay 9 at any scale
        {L"padding",  L"1,2,3,4",     100, {1, 2, 3, 4}},
        {L"inset",    L"6,7",         100, {6, 7, 6, 7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << "=" << c.value << " at " << c.scale);
        SwndStyle style;
        Apply(style, {{L"margin", L"9"}, {L"padding", L"9"}});
        style.SetScale(c.scale);
        style.ApplyAttribute(c.name, c.value, FALSE);
        const bool padding = wcscmp(c.name, L"padding") == 0 || wcscmp(c.name, L"inset") == 0;
        const RECT sides = padding ? style.GetPaddingRect() : style.GetMarginRect();
        EXPECT_TRUE(sides == c.expected) << Describe(sides);
        const RECT other = padding ? style.GetMarginRect() : style.GetPaddingRect();
        EXPECT_TRUE(other == (RECT{9, 9, 9, 9})) << "the other sides moved: " << Describe(other);
    }
}

TEST_F(SwndStyleTest, TextFormatFollowsAlignmentUnlessATextModeIsSet)
{
    const struct {
        Attributes attributes;
        UINT expected;
    } cases[] = {
        {{},                                                     0x25},   // centred on one line
        {{{L"align", L"right"}, {L"valign", L"bottom"}},         0x2A},
        {{{L"align", L"left"}, {L"valign", L"top"}},             0x00},
        {{{L"align", L"center"}, {L"valign", L"top"}},           0x01},
        {{{L"align", L"left"}, {L"valign", L"middle"}},          0x24},
        {{{L"dotted", L"1"}},                                    0x8025},
        {{{L"dotted", L"2"}},                                    0x25},   // the flag is bit 0
        {{{L"align", L"right"}, {L"align", L"wide"}},            0x26},   // a value it does not know keeps the old one
        {{{L"textMode", L"0x10"}, {L"align", L"right"}},         0x10},   // the mode wins whatever the alignment
        {{{L"textMode", L"0x10"}, {L"dotted", L"1"}},            0x10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "expected 0x" << std::hex << c.expected);
        SwndStyle style;
        Apply(style, c.attributes);
        EXPECT_EQ(c.expected, style.GetTextFormat());
    }
}

TEST_F(SwndStyleTest, StateColoursFallBackToTheNormalColour)
{
    SwndStyle style;
    Apply(style, {{L"colorText", L"#102030"}, {L"colorTextHover", L"@color/red"},
                  {L"colorTextPush", L"@color/missing"}});   // a missing name reads as no colour
    EXPECT_EQ(0xFF302010u, style.GetTextColor(0));
    EXPECT_EQ(0xFF0000FFu, style.GetTextColor(1));
    EXPECT_EQ(0xFF302010u, style.GetTextColor(2));
    EXPECT_EQ(0xFF302010u, style.GetTextColor(3));
    EXPECT_EQ(0xFF302010u, style.GetTextColor(7));   // no such state

    Apply(style, {{L"colorTextHover", L"#ffffff00"}});   // 0x00FFFFFF is "no colour" itself
    EXPECT_EQ(0xFF302010u, style.GetTextColor(1));

    Apply(style, {{L"colorBkgnd", L"rgb(1,2,3)"}, {L"colorBorder", L"@color/green"}});
    EXPECT_EQ(0xFF030201u, style.m_crBg);
    EXPECT_EQ(0xFF00FF00u, style.m_crBorder);
    EXPECT_EQ(E_FAIL, style.ApplyAttribute(L"colorBkgnd", L"", FALSE));
    EXPECT_EQ(0xFF030201u, style.m_crBg);
}

TEST_F(SwndStyleTest, StateFontsComeFromThePoolAndFallBackToTheNormalFont)
{
    SwndStyle style;
    EXPECT_EQ(nullptr, style.GetTextFont(0));
    Apply(style, {{L"font", L"size:12"}, {L"fontHover", L"underline:1,italic:1"}, {L"FONTDISABLE", L"ITALIC:1"}});

    SFontPool& pool = *SFontPool::GetInstance();
    EXPECT_EQ(pool.GetFont(L"size:12", 100), style.GetTextFont(0));
    EXPECT_EQ(pool.GetFont(L"underline:1,italic:1", 100), style.GetTextFont(1));
    EXPECT_EQ(style.GetTextFont(0), style.GetTextFont(2));
    EXPECT_EQ(pool.GetFont(L"italic:1", 100), style.GetTextFont(3));
    EXPECT_EQ(style.GetTextFont(0), style.GetTextFont(-1));
    EXPECT_EQ(-12, style.GetTextFont(0)->LogFont()->lfHeight);
    EXPECT_EQ(-15, style.GetTextFont(1)->LogFont()->lfHeight);   // the default size
    EXPECT_TRUE(style.GetTextFont(1)->IsUnderline());
    EXPECT_TRUE(style.GetTextFont(3)->IsItalic());
}

TEST_F(SwndStyleTest, ANewScaleTakesEveryDescribedFontAgain)
{
    SwndStyle style;
    Apply(style, {{L"font", L"size:12dp"}, {L"fontPush", L""}, {L"fontHover", L"bold:1"}});
    EXPECT_EQ(-12, style.GetTextFont(0)->LogFont()->lfHeight);
    IFont* const emptyAtFirst = style.GetTextFont(2);

    style.SetScale(150);
    EXPECT_EQ(150, style.GetScale());
    EXPECT_EQ(-18, style.GetTextFont(0)->LogFont()->lfHeight);
    EXPECT_EQ(-22, style.GetTextFont(1)->LogFont()->lfHeight);   // 15 x 150 / 100
    EXPECT_TRUE(style.GetTextFont(1)->IsBold());
    EXPECT_EQ(SFontPool::GetInstance()->GetFont(L"size:12dp", 150), style.GetTextFont(0));
    // An empty description is not taken again: it keeps the font it had.
    EXPECT_EQ(emptyAtFirst, style.GetTextFont(2));

    // A font set after the change is taken at the new scale.
    Apply(style, {{L"fontDisable", L"size:10dp"}});
    EXPECT_EQ(-15, style.GetTextFont(3)->LogFont()->lfHeight);
}

TEST_F(SwndStyleTest, StatesCountTheLargerOfOwnFontsAndOwnColours)
{
    const struct {
        Attributes attributes;
        int expected;
    } cases[] = {
        {{},                                                                         1},
        {{{L"colorText", L"#000000"}, {L"font", L"bold:1"}},                         1},   // the normal state counts once
        {{{L"colorTextHover", L"#ff0000"}},                                          2},   // so its window redraws on hover
        {{{L"fontHover", L"bold:1"}, {L"fontPush", L"italic:1"}},                    3},
        {{{L"colorTextHover", L"#ff0000"}, {L"fontPush", L"italic:1"},
          {L"fontDisable", L"bold:1"}},                                              3},
        {{{L"colorTextHover", L"#ff0000"}, {L"colorTextPush", L"#00ff00"},
          {L"colorTextDisable", L"#0000ff"}, {L"fontHover", L"bold:1"}},             4},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        SwndStyle style;
        Apply(style, cases[i].attributes);
        EXPECT_EQ(cases[i].expected, style.GetStates());
    }
}

TEST_F(SwndStyleTest, FlagsBytesAndCursorKeepWhatTheyAreGiven)
{
    SwndStyle style;
    EXPECT_EQ(0xFF, style.m_byAlpha);
    EXPECT_EQ(5, style.m_bySepSpace);
    EXPECT_TRUE(style.m_bBkgndBlend);
    EXPECT_FALSE(style.m_bTrackMouseEvent);
    EXPECT_STREQ(L"arrow", style.m_strCursor.c_str());

    Apply(style, {{L"alpha", L"0x80"}, {L"sepSpace", L"12"}, {L"bkgndBlend", L"0"}, {L"trackMouseEvent", L"3"},
                  {L"cursor", L"@string/ok"}});
    EXPECT_EQ(0x80, style.m_byAlpha);
    EXPECT_EQ(12, style.m_bySepSpace);
    EXPECT_FALSE(style.m_bBkgndBlend);
    EXPECT_TRUE(style.m_bTrackMouseEvent);
    EXPECT_STREQ(L"确定", style.m_strCursor.c_str());

    Apply(style, {{L"alpha", L"0x1FF"}, {L"cursor", L"hand"}});   // the low byte
    EXPECT_EQ(0xFF, style.m_byAlpha);
    EXPECT_STREQ(L"hand", style.m_strCursor.c_str());
}
