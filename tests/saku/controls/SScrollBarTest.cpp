// The stand-alone scroll bar on a windowless host: its parts' geometry (an offset
// range, a full page, a bar too short for its arrows, an empty range), the arrow
// size, SBM_SETSCROLLINFO and SBM_GETSCROLLINFO, its pixels, and presses, hovers
// and thumb drags through the container with the events they raise.

#include "PanelTest.h"

#include "controls/SScrollBar.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

using Scroll = std::pair<int, int>;   // scroll code, position

struct ScrollRecorder {
    std::vector<Scroll> events;
    BOOL vertical = -1;
    BOOL OnScroll(EventArgs* args)
    {
        auto* const scroll = static_cast<EventScroll*>(args);
        events.emplace_back(scroll->code, scroll->position);
        vertical = scroll->vertical;
        return TRUE;
    }
};

// A part's extent along the bar, from the bar's start.
struct Span {
    int begin;
    int end;
};

class SScrollBarTest : public PanelTest {
protected:
    // A bar of the attributes at (10, 0) in the host, 20 across and `length` along,
    // without the margin the test's definitions give every window: the test host
    // repaints a margin on a copy that does not start from the canvas.
    SScrollBar* Bar(const std::wstring& attributes, int length = 200, bool vertical = true)
    {
        const std::wstring size = vertical ? L"@20,@" + std::to_wstring(length) : L"@" + std::to_wstring(length) + L",@20";
        Build((L"<root><scrollbar name='bar' pos='10,0," + size + L"' margin='0' vertical='" + (vertical ? L"1" : L"0") + L"' " +
               attributes + L"/></root>").c_str());
        SScrollBar* const bar = Find<SScrollBar>(L"bar");
        if (bar)
            bar->GetEventSet()->SubscribeEvent(EventScroll::EventID, Subscriber(&ScrollRecorder::OnScroll, &m_scrolls));
        return bar;
    }
    static Span Along(const SScrollBar* bar, int part)
    {
        const RECT rect = bar->ScrollPartRect(part);
        return bar->IsVertical() ? Span{rect.top, rect.bottom} : Span{rect.left - 10, rect.right - 10};
    }

    ScrollRecorder m_scrolls;
};

// The range of the bar's description: min 0, max 99, page 10, arrows of 16 on 200 pixels.
const wchar_t kBar[] = L"skin='bar' arrowSize='16' min='0' max='99' page='10'";

}  // namespace

TEST_F(SScrollBarTest, PartsLieAlongTheBarForThePositionsOffsetFromTheMinimum)
{
    // rail 168, thumb 168 x 10 / 100 = 16 raised to 18, slide 150 over 90 positions.
    const struct {
        const wchar_t* attributes;
        bool vertical;
        Span up, before, thumb, after, down;
    } cases[] = {
        {L"min='0' max='99' page='10' value='45'",   true,  {0, 16}, {16, 91},  {91, 109},  {109, 184}, {184, 200}},
        {L"min='0' max='99' page='10' value='0'",    true,  {0, 16}, {16, 16},  {16, 34},   {34, 184},  {184, 200}},
        {L"min='0' max='99' page='10' value='90'",   true,  {0, 16}, {16, 166}, {166, 184}, {184, 184}, {184, 200}},
        {L"min='0' max='99' page='10' value='45'",   false, {0, 16}, {16, 91},  {91, 109},  {109, 184}, {184, 200}},
        // The same range moved by 50: the thumb stands where position - minimum puts it.
        {L"min='50' max='149' page='10' value='50'", true,  {0, 16}, {16, 16},  {16, 34},   {34, 184},  {184, 200}},
        {L"min='50' max='149' page='10' value='140'", true, {0, 16}, {16, 166}, {166, 184}, {184, 184}, {184, 200}},
        // A position the attributes put past the end is shown at the end.
        {L"min='50' max='149' page='10' value='500'", true, {0, 16}, {16, 166}, {166, 184}, {184, 184}, {184, 200}},
        // A page covering the whole range: the thumb fills the rail.
        {L"min='0' max='9' page='10' value='0'",     true,  {0, 16}, {16, 16},  {16, 184},  {184, 184}, {184, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.attributes)) + (c.vertical ? " vertical" : " horizontal"));
        SScrollBar* const bar = Bar(std::wstring(L"skin='bar' arrowSize='16' ") + c.attributes, 200, c.vertical);
        ASSERT_NE(nullptr, bar);
        const std::pair<int, Span> parts[] = {{SB_LINEUP, c.up},       {SB_PAGEUP, c.before}, {SB_THUMBTRACK, c.thumb},
                                              {SB_PAGEDOWN, c.after},  {SB_LINEDOWN, c.down}};
        for (const auto& [part, expected] : parts) {
            SCOPED_TRACE(part);
            EXPECT_EQ(expected.begin, Along(bar, part).begin);
            EXPECT_EQ(expected.end, Along(bar, part).end);
            // Across the bar each part takes the whole window.
            const RECT rect = bar->ScrollPartRect(part);
            EXPECT_EQ(c.vertical ? 10 : 0, c.vertical ? rect.left : rect.top);
            EXPECT_EQ(c.vertical ? 30 : 20, c.vertical ? rect.right : rect.bottom);
        }
        bar->DestroyWindow();
    }
}

TEST_F(SScrollBarTest, AShortBarSharesItsLengthBetweenTheArrowsAndAnEmptyRangeHasNoParts)
{
    SScrollBar* const shortBar = Bar(kBar, 20);
    ASSERT_NE(nullptr, shortBar);
    EXPECT_EQ(0, Along(shortBar, SB_LINEUP).begin);
    EXPECT_EQ(10, Along(shortBar, SB_LINEUP).end);
    EXPECT_EQ(10, Along(shortBar, SB_LINEDOWN).begin);
    EXPECT_EQ(20, Along(shortBar, SB_LINEDOWN).end);
    const RECT thumb = shortBar->ScrollPartRect(SB_THUMBTRACK);
    EXPECT_TRUE(::IsRectEmpty(&thumb));
    const RECT other = shortBar->ScrollPartRect(SB_THUMBPOSITION);   // no part's code
    EXPECT_TRUE(::IsRectEmpty(&other));
    EXPECT_EQ(SB_LINEUP, shortBar->ScrollPartFromPoint(POINT{20, 5}));
    EXPECT_EQ(SB_LINEDOWN, shortBar->ScrollPartFromPoint(POINT{20, 15}));
    shortBar->DestroyWindow();

    // Maximum one below the minimum: no part, so nothing to press or drag.
    SScrollBar* const empty = Bar(L"skin='bar' arrowSize='16' min='10' max='9' page='0'");
    ASSERT_NE(nullptr, empty);
    for (const int part : {SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBTRACK}) {
        const RECT rect = empty->ScrollPartRect(part);
        EXPECT_TRUE(::IsRectEmpty(&rect)) << part;
    }
    EXPECT_EQ(-1, empty->ScrollPartFromPoint(POINT{20, 100}));
    Press(20, 100);
    MoveTo(20, 180);
    Release(20, 180);
    EXPECT_TRUE(m_scrolls.events.empty());
    EXPECT_EQ(0, empty->GetScrollInfo().nPos);   // as loaded
}

TEST_F(SScrollBarTest, TheArrowSizeIsTheAttributesElseTheSkinsCellElseNothing)
{
    const struct {
        const wchar_t* attributes;
        int arrow;
    } cases[] = {
        {L"arrowSize='16'",             16},
        {L"skin='bar'",                 8},    // sbar_cells is 72 wide: nine cells of 8
        {L"skin='bar' arrowSize='0x0C'", 12},
        {L"",                           0},    // no skin at all: nothing is read from one
        {L"skin='four'",                0},    // not a scroll-bar skin: refused, none taken
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.attributes)));
        SScrollBar* const bar = Bar(std::wstring(c.attributes) + L" max='99' page='10'");
        ASSERT_NE(nullptr, bar);
        EXPECT_EQ(c.arrow, bar->GetArrowSize());
        EXPECT_EQ(c.arrow, Along(bar, SB_LINEUP).end);
        bar->DestroyWindow();
    }
}

TEST_F(SScrollBarTest, SetScrollInfoTakesWhatItsMaskNamesAndKeepsThePositionInRange)
{
    SScrollBar* const bar = Bar(kBar);
    ASSERT_NE(nullptr, bar);
    const struct {
        UINT mask;
        int minimum, maximum, page, position;
        int storedMin, storedMax, storedPage, storedPos;
    } cases[] = {
        {SIF_POS,              0, 0,   0,  200, 0,  99,  10, 90},   // at most maximum - page + 1
        {SIF_POS,              0, 0,   0,  -5,  0,  99,  10, 0},
        {SIF_POS,              0, 0,   0,  45,  0,  99,  10, 45},
        {SIF_PAGE,             0, 0,   50, 0,   0,  99,  50, 45},
        {SIF_PAGE,             0, 0,   80, 0,   0,  99,  80, 20},   // the page alone moves it back
        {SIF_RANGE,            50, 149, 0, 0,   50, 149, 80, 50},
        {SIF_RANGE | SIF_PAGE, 0, 9,   20, 0,   0,  9,   20, 0},    // a page past the range: the minimum
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mask << " " << c.position);
        SCROLLINFO info = {sizeof(SCROLLINFO), c.mask, c.minimum, c.maximum, static_cast<UINT>(c.page), c.position, 0};
        EXPECT_TRUE(bar->SendSwndMessage(SBM_SETSCROLLINFO, FALSE, reinterpret_cast<LPARAM>(&info)));
        const SCROLLINFO& stored = bar->GetScrollInfo();
        EXPECT_EQ(c.storedMin, stored.nMin);
        EXPECT_EQ(c.storedMax, stored.nMax);
        EXPECT_EQ(c.storedPage, static_cast<int>(stored.nPage));
        EXPECT_EQ(c.storedPos, stored.nPos);
    }

    // The redraw flag invalidates the bar.
    const int redraws = m_host->RedrawCount();
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 3, 0};
    bar->SendSwndMessage(SBM_SETSCROLLINFO, FALSE, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(redraws, m_host->RedrawCount());
    bar->SendSwndMessage(SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info));
    EXPECT_LT(redraws, m_host->RedrawCount());
}

TEST_F(SScrollBarTest, GetScrollInfoFillsOnlyWhatItsMaskAsksFor)
{
    SScrollBar* const bar = Bar(L"min='5' max='99' page='10' value='40'");
    ASSERT_NE(nullptr, bar);
    const struct {
        UINT mask;
        int minimum, maximum, page, position, track;
    } cases[] = {
        {SIF_POS,      -7, -7, 7,  40, -7},
        {SIF_PAGE,     -7, -7, 10, -7, -7},
        {SIF_RANGE,    5,  99, 7,  -7, -7},
        {SIF_TRACKPOS, -7, -7, 7,  -7, -1},   // no drag: no track position
        {SIF_ALL,      5,  99, 10, 40, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        SCROLLINFO info = {sizeof(SCROLLINFO), c.mask, -7, -7, 7, -7, -7};
        EXPECT_TRUE(bar->SendSwndMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info)));
        EXPECT_EQ(c.minimum, info.nMin);
        EXPECT_EQ(c.maximum, info.nMax);
        EXPECT_EQ(c.page, static_cast<int>(info.nPage));
        EXPECT_EQ(c.position, info.nPos);
        EXPECT_EQ(c.track, info.nTrackPos);
    }
}

TEST_F(SScrollBarTest, PaintsItsFivePartsAtRestOrDisabled)
{
    SScrollBar* const bar = Bar(std::wstring(kBar) + L" value='45'");
    ASSERT_NE(nullptr, bar);
    Paint();
    Keep(L"scrollbar");
    const struct {
        int y;
        int column;
    } parts[] = {{8, kUpArrow}, {50, kRail}, {100, kThumb}, {150, kRail}, {192, kDownArrow}};
    for (const auto& p : parts)
        EXPECT_EQ(Cell(p.column, 0), Pixel(20, p.y)) << p.y;
    EXPECT_EQ(0u, Pixel(5, 100));   // nothing beside the bar

    bar->EnableWindow(FALSE, TRUE);
    Paint();
    for (const auto& p : parts)
        EXPECT_EQ(Cell(p.column, 3), Pixel(20, p.y)) << p.y;
    bar->DestroyWindow();

    // A horizontal bar draws the horizontal cells.
    Bar(std::wstring(kBar) + L" value='45'", 200, false);
    Paint();
    EXPECT_EQ(Cell(kUpArrow + kHorizontal, 0), Pixel(18, 10));
    EXPECT_EQ(Cell(kThumb + kHorizontal, 0), Pixel(110, 10));
    EXPECT_EQ(Cell(kRail + kHorizontal, 0), Pixel(150, 10));
}

TEST_F(SScrollBarTest, WithoutASkinItDrawsNothingAndItsPartsHaveNoArrows)
{
    SScrollBar* const bar = Bar(L"max='99' page='10'");
    ASSERT_NE(nullptr, bar);
    Paint();
    EXPECT_EQ(0u, Pixel(20, 8));
    EXPECT_EQ(0u, Pixel(20, 100));
    EXPECT_EQ(0, Along(bar, SB_THUMBTRACK).begin);   // the rail is the whole bar
}

TEST_F(SScrollBarTest, APressOnAnArrowOrTheRailRaisesOneStepAndMovesNothing)
{
    SScrollBar* const bar = Bar(std::wstring(kBar) + L" value='45'");
    ASSERT_NE(nullptr, bar);
    Paint();
    const struct {
        int y;
        int code;
        int column;   // the part's cell, -1 for a rail (drawn as it was)
    } presses[] = {{8, SB_LINEUP, kUpArrow}, {192, SB_LINEDOWN, kDownArrow}, {50, SB_PAGEUP, -1}, {150, SB_PAGEDOWN, -1}};
    for (const auto& p : presses) {
        SCOPED_TRACE(p.y);
        m_scrolls.events.clear();
        Press(20, p.y);
        EXPECT_EQ(bar->GetSwnd(), m_host->OnGetSwndCapture());
        if (p.column != -1) {
            EXPECT_EQ(Cell(p.column, 2), Pixel(20, p.y));   // pushed at once
        }
        Release(20, p.y);
        EXPECT_EQ(0u, m_host->OnGetSwndCapture());
        if (p.column != -1) {
            EXPECT_EQ(Cell(p.column, 0), Pixel(20, p.y));
        }
        EXPECT_EQ((std::vector<Scroll>{{p.code, 45}}), m_scrolls.events);
        EXPECT_EQ(45, bar->GetScrollInfo().nPos);
        EXPECT_TRUE(m_scrolls.vertical);
    }
}

TEST_F(SScrollBarTest, HoverDrawsThePartUnderTheMouseAndLeavingRestsIt)
{
    SScrollBar* const bar = Bar(kBar);
    ASSERT_NE(nullptr, bar);
    MoveTo(150, 150);
    Paint();
    const int redraws = m_host->RedrawCount();
    MoveTo(20, 25);   // the thumb (16 to 34)
    EXPECT_EQ(Cell(kThumb, 1), Pixel(20, 25));
    MoveTo(20, 8);    // the up arrow: the thumb rests
    EXPECT_EQ(Cell(kThumb, 0), Pixel(20, 25));
    EXPECT_EQ(Cell(kUpArrow, 1), Pixel(20, 8));
    MoveTo(150, 150);   // off the bar
    EXPECT_EQ(Cell(kUpArrow, 0), Pixel(20, 8));
    EXPECT_EQ(redraws, m_host->RedrawCount());   // drawn straight into the parts
}

TEST_F(SScrollBarTest, ADraggedThumbTracksAndCommitsOnRelease)
{
    const struct {
        const wchar_t* range;
        int grip;      // y of the press on the thumb
        int to;        // y of the move
        int tracked;   // the track position, and the position on release
    } cases[] = {
        {L"min='0' max='99' page='10'",   25, 100, 45},   // +75 px of 150 over 90 positions
        {L"min='50' max='149' page='10' value='50'", 25, 100, 95},   // the same from a minimum of 50
        {L"min='0' max='99' page='10'",   25, 400, 90},   // past the end: the last position
        {L"min='0' max='99' page='10'",   25, -50, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.range)) + " to " + std::to_string(c.to));
        m_scrolls.events.clear();
        SScrollBar* const bar = Bar(std::wstring(L"skin='bar' arrowSize='16' ") + c.range);
        ASSERT_NE(nullptr, bar);
        const int start = bar->GetScrollInfo().nPos;
        Paint();
        Press(20, c.grip);
        EXPECT_EQ(start, bar->GetScrollInfo().nTrackPos);
        EXPECT_TRUE(m_scrolls.events.empty());
        MoveTo(20, c.to);
        const bool moved = c.tracked != start;
        EXPECT_EQ(c.tracked, bar->GetScrollInfo().nTrackPos);
        EXPECT_EQ(start, bar->GetScrollInfo().nPos);   // committed only on release
        if (moved) {
            const RECT thumb = bar->ScrollPartRect(SB_THUMBTRACK);
            EXPECT_EQ(Cell(kThumb, 1), Pixel(20, (thumb.top + thumb.bottom) / 2));
            EXPECT_EQ(Cell(kRail, 0), Pixel(20, 25));   // where it was is rail again
        }
        Release(20, c.to);
        EXPECT_EQ(c.tracked, bar->GetScrollInfo().nPos);
        EXPECT_EQ(-1, bar->GetScrollInfo().nTrackPos);
        EXPECT_EQ(0u, m_host->OnGetSwndCapture());
        std::vector<Scroll> expected;
        if (moved)
            expected.emplace_back(SB_THUMBTRACK, c.tracked);
        expected.emplace_back(SB_THUMBPOSITION, c.tracked);
        EXPECT_EQ(expected, m_scrolls.events);
        bar->DestroyWindow();
    }
}

TEST_F(SScrollBarTest, ADragThatLosesItsRangeMovesNothing)
{
    SScrollBar* const bar = Bar(kBar);
    ASSERT_NE(nullptr, bar);
    Press(20, 25);
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_RANGE, 10, 9, 0, 0, 0};
    bar->SendSwndMessage(SBM_SETSCROLLINFO, FALSE, reinterpret_cast<LPARAM>(&info));
    MoveTo(20, 120);
    Release(20, 120);
    // The release commits what the range allows: its minimum.
    EXPECT_EQ((std::vector<Scroll>{{SB_THUMBPOSITION, 10}}), m_scrolls.events);
    EXPECT_EQ(10, bar->GetScrollInfo().nPos);
}

TEST_F(SScrollBarTest, TheFactoryMakesItAndItAnswersItsClass)
{
    SScrollBar* const bar = Bar(kBar);
    ASSERT_NE(nullptr, bar);
    EXPECT_TRUE(bar->IsClass(L"scrollbar"));
    EXPECT_TRUE(bar->IsClass(L"window"));
    EXPECT_STREQ(L"scrollbar", bar->GetObjectClass());
    EXPECT_EQ(kObjTypeWindow, bar->GetObjectType());
}
