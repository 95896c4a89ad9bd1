// The extended calendar on a windowless host: the 42 cells of a month with its
// neighbours' days, the dates it refuses, the item under a point (the remainder
// rows and cells of no size included), what clicks, the month buttons, the today
// line and the wheel show and report, which releases are commands, and its look.

#include "ControlTest.h"

#include "controls/SCalendarEx.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

using Change = std::tuple<WORD, WORD, WORD, int>;   // day, month, year, source

struct ChangeLog {
    std::vector<Change> changes;
    BOOL OnChanged(EventCalendarExChanged* event)
    {
        changes.emplace_back(event->day, event->month, event->year, event->source);
        return TRUE;
    }
};

class SCalendarExTest : public ControlTest {
protected:
    // 196 x 193 at (0, 0): the header 0..30, the weekdays 30..50, cells of 28 x 20
    // from 50 (rows 50, 70 ... 150, and 3 pixels left over down to 173), the today
    // line 173..193.
    SCalendarEx* Calendar(const std::wstring& attributes = L"", const wchar_t* size = L"@196,@193")
    {
        Build((L"<root><calendarex name='cal' pos='0,0," + std::wstring(size) + L"' margin='0' " + attributes +
               L"/></root>")
                  .c_str());
        SCalendarEx* const calendar = Find<SCalendarEx>(L"cal");
        if (calendar)
            calendar->GetEventSet()->SubscribeEvent(EventCalendarExChanged::EventID,
                                                    Subscriber(&ChangeLog::OnChanged, &m_log));
        return calendar;
    }
    std::vector<Change> Changes()
    {
        std::vector<Change> changes;
        changes.swap(m_log.changes);
        return changes;
    }
    void Click(POINT point)
    {
        m_host->Mouse(WM_LBUTTONDOWN, point.x, point.y, MK_LBUTTON);
        m_host->Mouse(WM_LBUTTONUP, point.x, point.y);
    }
    static POINT CellCentre(int index) { return POINT{index % 7 * 28 + 14, 50 + index / 7 * 20 + 10}; }

    ChangeLog m_log;
};

}  // namespace

TEST_F(SCalendarExTest, TheGridHoldsTheNeighbouringMonthsDays)
{
    SCalendarEx* const calendar = Calendar();
    ASSERT_NE(nullptr, calendar);
    const SYSTEMTIME& today = calendar->GetToday();
    EXPECT_EQ(today.wYear, calendar->GetYear());
    EXPECT_EQ(today.wMonth, calendar->GetMonth());
    EXPECT_EQ(today.wDay, calendar->GetDay());
    EXPECT_TRUE(calendar->IsFocusable());
    EXPECT_EQ(0xFFFFFFFFu, calendar->GetStyle().m_crBg);

    ASSERT_TRUE(calendar->SetDate(2024, 6, 1));   // a Saturday
    EXPECT_EQ(6, calendar->GetSelectedCell());
    EXPECT_EQ(1, calendar->GetDay());
    for (int i = 0; i < SCalendarEx::kCellCount; ++i) {
        SCOPED_TRACE(i);
        if (i < 6) {
            EXPECT_EQ(26 + i, calendar->GetCellDay(i));
            EXPECT_EQ(-1, calendar->GetCellMonth(i));
        } else if (i < 36) {
            EXPECT_EQ(i - 5, calendar->GetCellDay(i));
            EXPECT_EQ(0, calendar->GetCellMonth(i));
        } else {
            EXPECT_EQ(i - 35, calendar->GetCellDay(i));
            EXPECT_EQ(1, calendar->GetCellMonth(i));
        }
    }
    // January's previous month is December of the year before.
    ASSERT_TRUE(calendar->SetDate(2024, 1, 31));   // a Monday the 1st
    EXPECT_EQ(31, calendar->GetCellDay(0));
    EXPECT_EQ(-1, calendar->GetCellMonth(0));
    EXPECT_EQ(31, calendar->GetSelectedCell());
    EXPECT_TRUE(Changes().empty());

    const SAutoRef<SCalendarEx> made = SAutoRef<SCalendarEx>::Adopt(new SCalendarEx(2024, 2, 29));
    EXPECT_EQ(2, made->GetMonth());
    EXPECT_EQ(29, made->GetDay());
    const SAutoRef<SCalendarEx> refused = SAutoRef<SCalendarEx>::Adopt(new SCalendarEx(2023, 2, 29));
    EXPECT_EQ(today.wMonth, refused->GetMonth());
    EXPECT_EQ(today.wDay, refused->GetDay());
}

TEST_F(SCalendarExTest, DatesOutsideTheCalendarAreRefused)
{
    SCalendarEx* const calendar = Calendar();
    ASSERT_NE(nullptr, calendar);
    ASSERT_TRUE(calendar->SetDate(2024, 6, 15, 5, TRUE));
    EXPECT_EQ((std::vector<Change>{{15, 6, 2024, 5}}), Changes());
    const struct {
        WORD year, month, day;
    } refused[] = {
        {1599, 12, 1}, {7000, 1, 1}, {2024, 0, 1}, {2024, 13, 1}, {2024, 6, 0}, {2024, 6, 31}, {2023, 2, 29},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(testing::Message() << r.year << "-" << r.month << "-" << r.day);
        EXPECT_FALSE(calendar->SetDate(r.year, r.month, r.day, 1, TRUE));
        EXPECT_EQ(2024, calendar->GetYear());
        EXPECT_EQ(6, calendar->GetMonth());
        EXPECT_EQ(20, calendar->GetSelectedCell());
    }
    EXPECT_TRUE(Changes().empty());
}

TEST_F(SCalendarExTest, ItemsUnderPoints)
{
    SCalendarEx* const calendar = Calendar(L"font='size:12'");
    ASSERT_NE(nullptr, calendar);
    calendar->SetDate(2024, 6, 1);
    Paint();   // places the today text
    const RECT today = calendar->GetTodayRect();
    ASSERT_FALSE(::IsRectEmpty(&today));
    EXPECT_EQ(173, today.top);
    EXPECT_EQ(193, today.bottom);
    EXPECT_GT(today.left, 20);
    EXPECT_LE(std::abs(196 - today.right - today.left), 1);   // centred, within a pixel
    const int todayX = (today.left + today.right) / 2;

    const struct {
        POINT point;
        int item;
    } points[] = {
        {{5, 5}, -10},   {{29, 29}, -10},  {{30, 5}, -12},  {{166, 5}, -12}, {{167, 5}, -11}, {{195, 5}, -11},
        {{5, 30}, -1},   {{195, 49}, -1},  {{0, 50}, 0},    {{27, 69}, 0},   {{28, 50}, 1},   {{195, 50}, 6},
        {{14, 160}, 35}, {{14, 171}, 35},  // the rows' remainder is the last row
        {{195, 172}, 41}, {{todayX, 180}, 42}, {{2, 180}, 43}, {{195, 192}, 43},
    };
    for (const auto& p : points) {
        SCOPED_TRACE(testing::Message() << p.point.x << "," << p.point.y);
        EXPECT_EQ(p.item, calendar->ItemFromPoint(p.point));
    }
    const RECT cell = calendar->CellRect(8);
    const RECT expected = {28, 70, 56, 90};
    EXPECT_TRUE(::EqualRect(&expected, &cell));

    // Cells of no size: a grid under 7 pixels wide or under 6 high.
    for (const wchar_t* size : {L"@6,@193", L"@196,@75"}) {
        SCOPED_TRACE(size);
        m_host->DestroyChild(m_host->FindChildByName(L"cal"));
        SCalendarEx* const small = Calendar(L"", size);
        ASSERT_NE(nullptr, small);
        EXPECT_EQ(43, small->ItemFromPoint(POINT{3, 52}));
        EXPECT_EQ(43, small->ItemFromPoint(POINT{0, 50}));
        Click(POINT{3, 52});
        EXPECT_TRUE(Changes().empty());
        EXPECT_GE(small->GetSelectedCell(), 0);
        EXPECT_LT(small->GetSelectedCell(), 42);
    }
}

TEST_F(SCalendarExTest, ClicksShowTheDayTheyReport)
{
    SCalendarEx* const calendar = Calendar();
    ASSERT_NE(nullptr, calendar);
    calendar->SetDate(2024, 5, 15);
    CommandCounter commands;
    CountCommands(calendar, commands);

    // The 2nd of June in May's grid: June shows, with the 2nd selected.
    Click(CellCentre(35));
    EXPECT_EQ((std::vector<Change>{{2, 6, 2024, 35}}), Changes());
    EXPECT_EQ(6, calendar->GetMonth());
    EXPECT_EQ(2, calendar->GetDay());
    EXPECT_EQ(7, calendar->GetSelectedCell());
    EXPECT_EQ(1, commands.commands);
    // Cell 37 of June's grid is the 2nd of July, and reports so.
    Click(CellCentre(37));
    EXPECT_EQ((std::vector<Change>{{2, 7, 2024, 37}}), Changes());
    EXPECT_EQ(7, calendar->GetMonth());
    EXPECT_EQ(2, calendar->GetDay());
    // Back into June from July's first row.
    Click(CellCentre(0));
    EXPECT_EQ((std::vector<Change>{{30, 6, 2024, 0}}), Changes());
    EXPECT_EQ(6, calendar->GetMonth());
    // A day of the month shown; then the selected one again, which reports nothing.
    Click(CellCentre(20));
    EXPECT_EQ((std::vector<Change>{{15, 6, 2024, 20}}), Changes());
    Click(CellCentre(20));
    EXPECT_TRUE(Changes().empty());
    EXPECT_EQ(5, commands.commands);   // every release over a cell

    // The header, the weekdays and the blank below the grid: nothing, no command.
    for (const POINT point : {POINT{100, 10}, POINT{100, 40}, POINT{2, 185}}) {
        Click(point);
        EXPECT_TRUE(Changes().empty());
    }
    EXPECT_EQ(5, commands.commands);
}

TEST_F(SCalendarExTest, TheButtonsTheWheelAndTheTodayLineChangeTheMonth)
{
    SCalendarEx* const calendar = Calendar();
    ASSERT_NE(nullptr, calendar);
    calendar->SetDate(2024, 1, 20);
    CommandCounter commands;
    CountCommands(calendar, commands);

    Click(POINT{10, 10});
    EXPECT_EQ((std::vector<Change>{{1, 12, 2023, -10}}), Changes());
    EXPECT_EQ(2023, calendar->GetYear());
    Click(POINT{186, 10});
    Click(POINT{186, 10});
    EXPECT_EQ((std::vector<Change>{{1, 1, 2024, -11}, {1, 2, 2024, -11}}), Changes());

    // The wheel towards the user shows the next month, away the previous; 0 counts as towards.
    calendar->SendSwndMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(100, 100));
    EXPECT_EQ(3, calendar->GetMonth());
    calendar->SendSwndMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 0), MAKELPARAM(100, 100));
    EXPECT_EQ(1, calendar->SendSwndMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(100, 100)));
    EXPECT_EQ((std::vector<Change>{{1, 3, 2024, -11}, {1, 4, 2024, -11}, {1, 3, 2024, -10}}), Changes());

    Paint();
    const RECT todayText = calendar->GetTodayRect();
    Click(POINT{(todayText.left + todayText.right) / 2, 183});
    const SYSTEMTIME& today = calendar->GetToday();
    EXPECT_EQ((std::vector<Change>{{today.wDay, today.wMonth, today.wYear, 42}}), Changes());
    EXPECT_EQ(today.wMonth, calendar->GetMonth());
    EXPECT_EQ(today.wDay, calendar->GetDay());
    EXPECT_EQ(0, commands.commands);   // none of these is a command

    // The ends of the calendar's years go no further.
    calendar->SetDate(1600, 1, 1);
    calendar->ShowPrevMonth();
    calendar->SetDate(6999, 12, 1);
    calendar->ShowNextMonth();
    EXPECT_EQ(6999, calendar->GetYear());
    EXPECT_EQ(12, calendar->GetMonth());
    EXPECT_TRUE(Changes().empty());
}

TEST_F(SCalendarExTest, PaintsTheSelectionTheHoverAndTheOtherMonths)
{
    SCalendarEx* const calendar = Calendar(L"colorText='#000000' prevSkin='sized' nextSkin='sized'");
    ASSERT_NE(nullptr, calendar);
    calendar->SetDate(2024, 6, 13);   // cell 18
    m_host->Mouse(WM_MOUSEMOVE, CellCentre(19).x, CellCentre(19).y);
    EXPECT_EQ(19, calendar->GetHoverItem());
    Paint();
    Keep(L"calendarex_june_2024");
    EXPECT_EQ(0xFFFFFFFFu, Pixel(100, 45));    // the white background
    const RECT selected = calendar->CellRect(18);
    EXPECT_EQ(0xFF007ACCu, Pixel(selected.left + 2, selected.top + 2));

    // Digits in their colours: grey for May's, white on the selection, blue under the mouse.
    const Pixels pixels = ReadPixels(m_host->Canvas());
    auto countIn = [&](int index, auto&& test) {
        const RECT cell = calendar->CellRect(index);
        int count = 0;
        for (int x = cell.left + 3; x < cell.right - 3; ++x) {
            for (int y = cell.top + 3; y < cell.bottom - 3; ++y)
                count += test(PixelAt(pixels, kWidth, x, y));
        }
        return count;
    };
    EXPECT_GT(countIn(0, [](std::uint32_t p) { return p != 0xFFFFFFFFu && (p & 0xFF) == (p >> 8 & 0xFF) && (p & 0xFF) >= 0xA0 && (p & 0xFF) < 0xFF; }), 0);
    EXPECT_GT(countIn(18, [](std::uint32_t p) { return p == 0xFFFFFFFFu; }), 0);
    EXPECT_GT(countIn(19, [](std::uint32_t p) { return (p & 0xFF) > 0xA0 && (p >> 16 & 0xFF) < 0x40; }), 0);
    EXPECT_EQ(0, countIn(19, [](std::uint32_t p) { return p == 0xFF000000u; }));

    m_host->Mouse(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(-1, calendar->GetHoverItem());
}
