// The static text: its attributes, the line breaker measured and drawn (at "\n"
// written as two characters, at line feeds, at the right edge character by
// character, CJK and surrogate pairs included), the block placed by the vertical
// alignment, and the mouse passing through it.

#include "ControlTest.h"

#include "controls/SButton.h"
#include "controls/SStatic.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

class SStaticTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        m_target = Target(kWidth, kHeight);
        SIZE letter = {};
        m_target->MeasureText(L"A", 1, &letter);
        m_line = letter.cy;
    }

    SAutoRef<IRenderTarget> Target(int width, int height)
    {
        SAutoRef<IRenderTarget> target;
        EXPECT_TRUE(m_renderFactory->CreateRenderTarget(target.Put(), width, height));
        return target;
    }
    // The width of the text as the breaker advances over it: one character at a
    // time (a surrogate pair is one), not kerned as a run.
    int Width(const wchar_t* text)
    {
        int width = 0;
        for (const wchar_t* p = text; *p;) {
            const int length = IS_HIGH_SURROGATE(p[0]) && IS_LOW_SURROGATE(p[1]) ? 2 : 1;
            SIZE size = {};
            m_target->MeasureText(p, length, &size);
            width += size.cx;
            p += length;
        }
        return width;
    }
    // The extent the static measures for the text within `width`.
    RECT Measure(SStatic& text, const wchar_t* shown, int width)
    {
        RECT rect = {10, 20, 10 + width, 20};
        text.DrawText(m_target.Get(), shown, -1, &rect, DT_CALCRECT);
        return rect;
    }

    SAutoRef<IRenderTarget> m_target;
    int m_line = 0;
};

bool SamePixels(IRenderTarget* a, IRenderTarget* b)
{
    return ReadPixels(a) == ReadPixels(b);
}

}  // namespace

TEST_F(SStaticTest, IntegersAcceptDecimalAndHexAndUnreadableTextReadsAsZero)
{
    const struct {
        const wchar_t* value;
        int expected;
    } cases[] = {{L"26", 26}, {L"0x1A", 26}, {L"abc", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.value)));
        SStatic text;
        text.ApplyAttribute(L"interHeight", c.value, TRUE);
        text.ApplyAttribute(L"multiLines", c.value, TRUE);
        EXPECT_EQ(c.expected, text.GetInterHeight());
        EXPECT_EQ(c.expected, text.GetMultiLines());
    }
    SStatic text;
    EXPECT_EQ(5, text.GetInterHeight());
    EXPECT_EQ(0, text.GetMultiLines());
}

TEST_F(SStaticTest, MultiLineTextBreaksAtWrittenNewlinesAndLineFeeds)
{
    SStatic text;
    text.ApplyAttribute(L"multiLines", L"1", TRUE);
    text.ApplyAttribute(L"interHeight", L"3", TRUE);
    const struct {
        const wchar_t* text;
        int lines;
        const wchar_t* widest;
    } cases[] = {
        {L"ab",         1, L"ab"},
        {L"ab\\ncde",   2, L"cde"},   // backslash and n: neither is measured
        {L"abc\nd",     2, L"abc"},
        {L"a\\n\\nb",   3, L"b"},     // an empty line between
        {L"ab\\",       1, L"ab\\"},  // a backslash at the end is a character
        {L"天璇\\n安装",  2, L"天璇"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        const RECT rect = Measure(text, c.text, 1000);
        EXPECT_EQ(10, rect.left);
        EXPECT_EQ(20, rect.top);
        EXPECT_EQ(c.lines * m_line + (c.lines - 1) * 3, rect.bottom - rect.top);
        EXPECT_EQ(Width(c.widest), rect.right - rect.left);
    }
}

TEST_F(SStaticTest, MultiLineTextWrapsCharacterByCharacterAtTheRightEdge)
{
    SStatic text;
    text.ApplyAttribute(L"multiLines", L"1", TRUE);
    const struct {
        const wchar_t* text;
        const wchar_t* fits;   // what one line holds
        int lines;
    } cases[] = {
        {L"abcdef",        L"abc",  2},
        {L"hello world",   L"hello w", 2},   // no word wrap: the break falls inside "world"
        {L"天璇安装程序",     L"天璇",   3},
        {L"WWW",           L"",     3},   // each character wider than the line stands alone
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        const int width = *c.fits ? Width(c.fits) : 1;
        const RECT rect = Measure(text, c.text, width);
        EXPECT_EQ(c.lines * m_line + (c.lines - 1) * 5, rect.bottom - rect.top);
        EXPECT_EQ(*c.fits ? Width(c.fits) : Width(L"W"), rect.right - rect.left);
    }
}

TEST_F(SStaticTest, SurrogatePairIsOneCharacter)
{
    SStatic text;
    text.ApplyAttribute(L"multiLines", L"1", TRUE);
    const wchar_t pair[] = L"\U00020000";
    const std::wstring two = std::wstring(pair) + pair;
    const RECT rect = Measure(text, two.c_str(), Width(pair));
    EXPECT_EQ(2 * m_line + 5, rect.bottom - rect.top);
    EXPECT_EQ(Width(pair), rect.right - rect.left);
}

TEST_F(SStaticTest, DrawnLinesAreThoseOfTheBreakerAndTheBlockIsPlacedByTheAlignment)
{
    SStatic text;
    text.ApplyAttribute(L"multiLines", L"1", TRUE);
    const RECT box = {10, 10, 190, 190};
    const UINT single = DT_SINGLELINE;
    const int block = 2 * m_line + 5;
    const struct {
        const wchar_t* name;
        UINT format;
        int top;   // of the first line
    } cases[] = {
        {L"text_top",    single,              10},
        {L"text_middle", single | DT_VCENTER, 10 + (180 - block) / 2},
        {L"text_bottom", single | DT_BOTTOM,  190 - block},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        const auto drawn = Target(kWidth, kHeight);
        RECT rect = box;
        text.DrawText(drawn.Get(), L"Wide\\nline", -1, &rect, c.format);
        KeepPng(drawn.Get(), L"TIVALA_PAINT_PNG", c.name);

        const auto expected = Target(kWidth, kHeight);
        RECT first = {10, c.top, 190, c.top + m_line};
        expected->DrawText(L"Wide", 4, &first, c.format);
        RECT second = {10, c.top + m_line + 5, 190, c.top + 2 * m_line + 5};
        expected->DrawText(L"line", 4, &second, c.format);
        EXPECT_TRUE(SamePixels(drawn.Get(), expected.Get()));
    }

    // With multiLines 0 the same text is one line, backslash and all.
    SStatic plain;
    const auto drawn = Target(kWidth, kHeight);
    RECT rect = box;
    plain.DrawText(drawn.Get(), L"Wide\\nline", -1, &rect, single);
    const auto expected = Target(kWidth, kHeight);
    rect = box;
    expected->DrawText(L"Wide\\nline", -1, &rect, single);
    EXPECT_TRUE(SamePixels(drawn.Get(), expected.Get()));
}

TEST_F(SStaticTest, WrappedContentSizeComesFromTheBreaker)
{
    Build(L"<root>"
          L"<text name='multi' pos='0,0' multiLines='1' interHeight='4' margin='0'>第一行\\n第二行\\n3</text>"
          L"<text name='words' pos='0,100' maxWidth='60' margin='0'>aaaa bbbb cccc</text>"
          L"</root>");
    SStatic* const multi = Find<SStatic>(L"multi");
    const RECT rect = multi->GetWindowRect();
    SAutoRef<IRenderTarget> measuring = Target(1, 1);
    multi->ApplyAncestorPaintState(measuring.Get());
    SIZE line = {};
    SIZE widest = {};
    measuring->MeasureText(L"A", 1, &line);
    measuring->MeasureText(L"第一行", -1, &widest);
    EXPECT_EQ(3 * line.cy + 2 * 4, rect.bottom - rect.top);
    EXPECT_EQ(widest.cx, rect.right - rect.left);
    Paint();
    Keep(L"text_multi");

    // Without multiLines the default format paints one line, and a width limit
    // measures that one line too.
    const RECT words = Find<SStatic>(L"words")->GetWindowRect();
    EXPECT_GT(words.right - words.left, 60);
    EXPECT_EQ(line.cy, words.bottom - words.top);
}

// A one-line format (the default vertical centring) paints one line, so it is
// measured as one: under a width limit and at a fixed width with the height
// wrapping it, the box is one line high and shows the pixels of the same text
// without a limit, none cut off and no empty line below.
TEST_F(SStaticTest, AOneLineTextIsMeasuredAsItPaints)
{
    Build(L"<root>"
          L"<text name='free' pos='0,0' margin='0'>aaaa bbbb cccc dddd</text>"
          L"<text name='limited' pos='0,40' maxWidth='60' margin='0'>aaaa bbbb cccc dddd</text>"
          L"<text name='fixed' pos='0,80,@60,@-1' margin='0'>aaaa bbbb cccc dddd</text>"
          L"</root>");
    SStatic* const freeText = Find<SStatic>(L"free");
    SAutoRef<IRenderTarget> measuring = Target(1, 1);
    freeText->ApplyAncestorPaintState(measuring.Get());
    SIZE letter = {};
    measuring->MeasureText(L"A", 1, &letter);
    const int line = letter.cy;
    const RECT free = freeText->GetWindowRect();
    const RECT limited = Find<SStatic>(L"limited")->GetWindowRect();
    const RECT fixed = Find<SStatic>(L"fixed")->GetWindowRect();
    const int width = free.right - free.left;
    ASSERT_GT(width, 60);
    EXPECT_EQ(line, free.bottom - free.top);
    EXPECT_EQ(0, limited.left);
    EXPECT_EQ(40, limited.top);
    EXPECT_EQ(width, limited.right - limited.left);
    EXPECT_EQ(line, limited.bottom - limited.top);
    EXPECT_EQ(0, fixed.left);
    EXPECT_EQ(80, fixed.top);
    EXPECT_EQ(60, fixed.right - fixed.left);
    EXPECT_EQ(line, fixed.bottom - fixed.top);

    Paint();
    Keep(L"text_one_line_measured");
    const Pixels pixels = ReadPixels(m_host->Canvas());
    int ink = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t shown = PixelAt(pixels, kWidth, x, y);
            ink += shown != 0;
            ASSERT_EQ(shown, PixelAt(pixels, kWidth, x, y + 40)) << "limited at " << x << "," << y;
            ASSERT_EQ(x < 60 ? shown : 0u, PixelAt(pixels, kWidth, x, y + 80)) << "fixed at " << x << "," << y;
        }
    }
    EXPECT_GT(ink, 0);
}

TEST_F(SStaticTest, MouseGoesThroughTheTextToTheWindowBelow)
{
    Build(L"<root><button name='b' pos='10,10,@100,@40' skin='four'/>"
          L"<text name='t' pos='10,10,@100,@40'>over the button</text></root>");
    CommandCounter counter;
    CountCommands(Find<SButton>(L"b"), counter);
    m_host->Mouse(WM_MOUSEMOVE, 50, 30);
    m_host->Mouse(WM_LBUTTONDOWN, 50, 30, MK_LBUTTON);
    m_host->Mouse(WM_LBUTTONUP, 50, 30);
    EXPECT_EQ(1, counter.commands);
}
