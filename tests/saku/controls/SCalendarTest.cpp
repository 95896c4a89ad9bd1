// The month calendar on a windowless host: its dates, the cells of the days and
// the day under a point (also right of the grid and in cells of no size), the
// events of clicks and of SetDate, the hover of a day skin, and its painting,
// which leaves out the days of a December outside the calendar's years.

#include "ControlTest.h"

#include "controls/SCalendar.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

struct CalendarEvents {
    std::vector<std::pair<WORD, WORD>> selected;   // (old, new)
    int setDates = 0;
    BOOL OnSelDay(EventCalendarSelDay* event)
    {
        selected.emplace_back(event->oldDay, event->newDay);
        return TRUE;
    }
    BOOL OnSetDate(EventArgs*)
    {
        ++setDates;
        return TRUE;
    }
};

class SCalendarTest : public ControlTest {
protected:
    // A calendar at (0, 0) of 145 x 160: a title of 20, cells of 20 x 20 (and 5
    // pixels right of the seventh column), a footer of 20.
    SCalendar* Calendar(const std::wstring& attributes = L"", const wchar_t* size = L"@145,@160")
    {
        Build((L"<root><calendar name='cal' pos='0,0," + std::wstring(size) + L"' margin='0' " + attributes + L"/></root>")
                  .c_str());
        SCalendar* const calendar = Find<SCalendar>(L"cal");
        if (calendar) {
            calendar->GetEventSet()->SubscribeEvent(EventCalendarSelDay::EventID,
                                                    Subscriber(&CalendarEvents::OnSelDay, &m_events));
            calendar->GetEventSet()->SubscribeEvent(EventCalendarSetDate::EventID,
                                                    Subscriber(&CalendarEvents::OnSetDate, &m_events));
        }
        return calendar;
    }

    CalendarEvents m_events;
};

}  // namespace

TEST_F(SCalendarTest, StartsOnTodayAndStoresDatesAsGiven)
{
    SCalendar* const calendar = Calendar();
    ASSERT_NE(nullptr, calendar);
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    EXPECT_EQ(now.wYear, calendar->GetYear());
    EXPECT_EQ(now.wMonth, calendar->GetMonth());
    EXPECT_EQ(now.wDay, calendar->GetDay());
    EXPECT_STREQ(L"\u65e5", calendar->GetTitle(0).GetText().c_str());
    EXPECT_STREQ(L"\u516d", calendar->GetTitle(6).GetText().c_str());

    const struct {
        WORD year, month, day;
        WORD stored;
    } dates[] = {
        {2024, 4, 31, 0},   // past April's end: no day
        {2024, 2, 29, 29},
        {2023, 2, 29, 0},
        {2024, 13, 5, 0},   // no month has a day
        {7000, 12, 31, 31}, // December always has 31
        {2024, 6, 15, 15},
    };
    for (const auto& d : dates) {
        SCOPED_TRACE(testing::Message() << d.year << "-" << d.month << "-" << d.day);
        EXPECT_TRUE(calendar->SetDate(d.year, d.month, d.day));
        EXPECT_EQ(d.year, calendar->GetYear());
        EXPECT_EQ(d.month, calendar->GetMonth());
        EXPECT_EQ(d.stored, calendar->GetDay());
    }
    EXPECT_EQ(0, m_events.setDates);
    calendar->SetDate(2024, 6, 1, TRUE);
    EXPECT_EQ(1, m_events.setDates);
    EXPECT_TRUE(m_events.selected.empty());

    // The second constructor announces its date.
    const SAutoRef<SCalendar> made = SAutoRef<SCalendar>::Adopt(new SCalendar(2024, 4, 31));
    EXPECT_EQ(0, made->GetDay());
}

TEST_F(SCalendarTest, TitlesOfTheLayoutSurviveCreation)
{
    SCalendar* const calendar = Calendar(L"title-1='Su' title-7='Sa'");
    ASSERT_NE(nullptr, calendar);
    EXPECT_STREQ(L"Su", calendar->GetTitle(0).GetText().c_str());
    EXPECT_STREQ(L"\u4e00", calendar->GetTitle(1).GetText().c_str());
    EXPECT_STREQ(L"Sa", calendar->GetTitle(6).GetText().c_str());
}

TEST_F(SCalendarTest, DaysLieInTheirWeekdaysColumns)
{
    SCalendar* const calendar = Calendar();
    ASSERT_NE(nullptr, calendar);
    calendar->SetDate(2024, 6, 15);   // 1 June is a Saturday: six rows
    const struct {
        WORD day;
        RECT rect;
    } cells[] = {
        {1, {120, 20, 140, 40}}, {2, {0, 40, 20, 60}}, {15, {120, 60, 140, 80}}, {30, {0, 120, 20, 140}},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(c.day);
        const RECT rect = calendar->DayRect(c.day);
        EXPECT_TRUE(::EqualRect(&c.rect, &rect)) << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
    }

    const struct {
        POINT point;
        WORD day;
    } points[] = {
        {{125, 25}, 1},  {{139, 39}, 1},  {{5, 45}, 2},    {{65, 105}, 26}, {{5, 125}, 30},
        {{5, 25}, 0},    // before the 1st
        {{25, 125}, 0},  // after the 30th
        {{125, 5}, 0},   // in the title
        {{142, 45}, 0},  // right of the seventh column
        {{5, 145}, 0},   // in the footer
    };
    for (const auto& p : points) {
        SCOPED_TRACE(testing::Message() << p.point.x << "," << p.point.y);
        EXPECT_EQ(p.day, calendar->DayFromPoint(p.point));
    }

    // December of a year the calendar does not know has no weekdays: no cells.
    calendar->SetDate(7000, 12, 1);
    EXPECT_EQ(0, calendar->DayFromPoint(POINT{5, 25}));
    const RECT none = calendar->DayRect(1);
    EXPECT_TRUE(::IsRectEmpty(&none));
}

TEST_F(SCalendarTest, GridsOfEmptyCellsHoldNoDays)
{
    // 6 pixels wide: cells of 0 pixels; 40 high: a grid of 0 pixels.
    for (const wchar_t* size : {L"@6,@160", L"@145,@40", L"@145,@45"}) {
        SCOPED_TRACE(size);
        SCalendar* const calendar = Calendar(L"", size);
        ASSERT_NE(nullptr, calendar);
        calendar->SetDate(2024, 6, 15);
        for (const POINT point : {POINT{0, 20}, POINT{3, 22}, POINT{5, 30}, POINT{120, 22}})
            EXPECT_EQ(0, calendar->DayFromPoint(point));
        m_host->DestroyChild(calendar);
    }
}

TEST_F(SCalendarTest, ClicksSelectDaysAndReportOnlyNewOnes)
{
    SCalendar* const calendar = Calendar();
    ASSERT_NE(nullptr, calendar);
    calendar->SetDate(2024, 6, 1);

    const struct {
        POINT point;
        WORD day;
        bool raised;
    } clicks[] = {
        {{25, 65}, 10, true},    // a day
        {{25, 65}, 10, false},   // the selected day again
        {{25, 25}, 0, false},    // a blank cell before the 1st clears the day
        {{125, 25}, 1, true},
        {{142, 65}, 0, false},   // right of the seventh column
    };
    WORD old = 1;
    for (const auto& c : clicks) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        m_events.selected.clear();
        m_host->Mouse(WM_LBUTTONDOWN, c.point.x, c.point.y, MK_LBUTTON);
        m_host->Mouse(WM_LBUTTONUP, c.point.x, c.point.y);
        EXPECT_EQ(c.day, calendar->GetDay());
        if (c.raised)
            EXPECT_EQ((std::vector<std::pair<WORD, WORD>>{{old, c.day}}), m_events.selected);
        else
            EXPECT_TRUE(m_events.selected.empty());
        old = c.day;
    }
    EXPECT_EQ(0, m_events.setDates);
}

TEST_F(SCalendarTest, PaintsTheSelectedDayAndTheTitle)
{
    SCalendar* const calendar = Calendar(L"colorText='#000000'");
    ASSERT_NE(nullptr, calendar);
    calendar->SetDate(2024, 6, 15);
    Paint();
    Keep(L"calendar_june_2024");
    EXPECT_EQ(0xFF00FF00u, Pixel(2, 2));       // the title's green
    EXPECT_EQ(0xFF0000FFu, Pixel(121, 61));    // day 15's blue
    EXPECT_EQ(0u, Pixel(101, 61));             // day 14: nothing behind its text
    EXPECT_EQ(0u, Pixel(2, 145));              // the footer stays empty

    // A day's digits: ink in the cell, red on Saturdays.
    const Pixels june = ReadPixels(m_host->Canvas());
    int red = 0;
    int black = 0;
    for (int x = 120; x < 140; ++x) {
        for (int y = 40; y < 60; ++y)   // Saturday the 8th
            red += (PixelAt(june, kWidth, x, y) >> 16 & 0xFF) > 0x80 && (PixelAt(june, kWidth, x, y) & 0xFF) < 0x40;
        for (int y = 40; y < 60; ++y)   // Friday the 7th
            black += PixelAt(june, kWidth, x - 20, y) >> 24 != 0;
    }
    EXPECT_GT(red, 0);
    EXPECT_GT(black, 0);

    // December 7000: the title alone.
    calendar->SetDate(7000, 12, 15);
    Paint();
    EXPECT_EQ(0xFF00FF00u, Pixel(2, 2));
    const Pixels none = ReadPixels(m_host->Canvas());
    for (int x = 0; x < 140; ++x) {
        for (int y = 20; y < 140; ++y)
            ASSERT_EQ(0u, PixelAt(none, kWidth, x, y)) << x << "," << y;
    }
}

TEST_F(SCalendarTest, ADaySkinShowsTheHoverAtOnce)
{
    SCalendar* const calendar = Calendar(L"daySkin='four'");
    ASSERT_NE(nullptr, calendar);
    calendar->SetDate(2024, 6, 15);
    Paint();
    EXPECT_EQ(kNormalRed, Pixel(101, 61));
    EXPECT_EQ(kPushedBlue, Pixel(121, 61));   // selected: state 2

    m_host->Mouse(WM_MOUSEMOVE, 105, 65);   // the 14th
    EXPECT_EQ(14, calendar->GetHoverDay());
    EXPECT_EQ(kHoverLime, Pixel(101, 61));   // redrawn without a paint
    m_host->Mouse(WM_MOUSEMOVE, 85, 65);    // the 13th
    EXPECT_EQ(13, calendar->GetHoverDay());
    EXPECT_EQ(kNormalRed, Pixel(101, 61));
    EXPECT_EQ(kHoverLime, Pixel(81, 61));
    Keep(L"calendar_hover");
    m_host->Mouse(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(0, calendar->GetHoverDay());
    EXPECT_EQ(kNormalRed, Pixel(81, 61));
}

TEST_F(SCalendarTest, AnEmptyColourIsRefused)
{
    SCalendar* const calendar = Calendar(L"colorWeekend='#00FF00'");
    ASSERT_NE(nullptr, calendar);
    EXPECT_EQ(E_FAIL, calendar->ApplyAttribute(L"colorWeekend", L"", FALSE));
    EXPECT_EQ(E_FAIL, calendar->ApplyAttribute(L"COLORTITLEBACK", L"", FALSE));
    calendar->SetDate(2024, 6, 15);
    Paint();
    EXPECT_EQ(0xFF00FF00u, Pixel(2, 2));   // the title keeps its green
    // Saturday the 8th keeps the weekend colour the layout gave: green digits.
    const Pixels pixels = ReadPixels(m_host->Canvas());
    int green = 0;
    for (int x = 120; x < 140; ++x) {
        for (int y = 40; y < 60; ++y)
            green += PixelAt(pixels, kWidth, x, y) == 0xFF00FF00u;
    }
    EXPECT_GT(green, 0);
}
