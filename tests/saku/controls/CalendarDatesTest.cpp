// The calendars' date arithmetic: leap years, valid dates, the day of the year,
// the weekday and the month's length, and the years outside the range refused.

#include "controls/CalendarDates.h"

#include <gtest/gtest.h>

using namespace SAKU;

TEST(CalendarDatesTest, LeapYearsFollowTheGregorianRule)
{
    const struct {
        WORD year;
        BOOL known;
        BOOL leap;
    } years[] = {
        {2000, TRUE, 1}, {1900, TRUE, 0}, {2024, TRUE, 1}, {2023, TRUE, 0}, {1600, TRUE, 1},
        {6999, TRUE, 0}, {1599, FALSE, 0}, {7000, FALSE, 0}, {0, FALSE, 0},
    };
    for (const auto& y : years) {
        SCOPED_TRACE(y.year);
        BOOL leap = 7;
        EXPECT_EQ(y.known, IsLeapYear(y.year, leap));
        if (y.known)
            EXPECT_EQ(y.leap, leap);
        else
            EXPECT_EQ(7, leap);   // untouched
    }
}

TEST(CalendarDatesTest, ValidDatesKeepToTheMonthsLengths)
{
    const struct {
        WORD year, month, day;
        BOOL valid;
    } dates[] = {
        {2000, 2, 29, TRUE},  {2024, 2, 29, TRUE},  {1900, 2, 29, FALSE}, {2023, 2, 29, FALSE},
        {2023, 2, 28, TRUE},  {2024, 4, 30, TRUE},  {2024, 4, 31, FALSE}, {2024, 6, 31, FALSE},
        {2024, 9, 31, FALSE}, {2024, 11, 31, FALSE}, {2024, 12, 31, TRUE}, {2024, 1, 32, FALSE},
        {2024, 0, 1, FALSE},  {2024, 13, 1, FALSE}, {2024, 5, 0, FALSE},  {1599, 12, 31, FALSE},
        {7000, 1, 1, FALSE},  {1600, 1, 1, TRUE},   {6999, 12, 31, TRUE},
    };
    for (const auto& d : dates) {
        SCOPED_TRACE(testing::Message() << d.year << "-" << d.month << "-" << d.day);
        EXPECT_EQ(d.valid, IsValidDate(d.year, d.month, d.day));
    }
}

TEST(CalendarDatesTest, DayOfYearCountsFromZero)
{
    const struct {
        WORD year, month, day;
        BOOL valid;
        WORD dayOfYear;
    } dates[] = {
        {2024, 1, 1, TRUE, 0},     {2024, 12, 31, TRUE, 365}, {2023, 12, 31, TRUE, 364},
        {2024, 3, 1, TRUE, 60},    {2023, 3, 1, TRUE, 59},    {2023, 2, 29, FALSE, 9},
        {7000, 1, 1, FALSE, 9},
    };
    for (const auto& d : dates) {
        SCOPED_TRACE(testing::Message() << d.year << "-" << d.month << "-" << d.day);
        WORD dayOfYear = 9;
        EXPECT_EQ(d.valid, DayOfYear(d.year, d.month, d.day, dayOfYear));
        EXPECT_EQ(d.dayOfYear, dayOfYear);
    }
}

TEST(CalendarDatesTest, WeekdaysRunFromSunday)
{
    const struct {
        WORD year, month, day;
        int weekday;
    } dates[] = {
        {2001, 1, 1, 1},   // a Monday
        {2024, 6, 1, 6},   // a Saturday
        {2025, 3, 1, 6},
        {2024, 5, 1, 3},
        {2000, 2, 29, 2},
        {1600, 1, 1, 6},
        {2023, 2, 29, -1},
        {1599, 12, 31, -1},
        {7000, 1, 1, -1},
    };
    for (const auto& d : dates) {
        SCOPED_TRACE(testing::Message() << d.year << "-" << d.month << "-" << d.day);
        EXPECT_EQ(d.weekday, DayOfWeek(d.year, d.month, d.day));
    }
}

TEST(CalendarDatesTest, MonthLengths)
{
    const struct {
        WORD year, month, days;
    } months[] = {
        {2024, 2, 29}, {2023, 2, 28}, {1900, 2, 28}, {2024, 1, 31}, {2024, 4, 30}, {2024, 11, 30},
        {2024, 12, 31}, {2024, 13, 0}, {2024, 0, 0}, {7000, 1, 0}, {1599, 11, 0},
        {7000, 12, 31},   // December answers without a look at the year
    };
    for (const auto& m : months) {
        SCOPED_TRACE(testing::Message() << m.year << "-" << m.month);
        EXPECT_EQ(m.days, DaysInMonth(m.year, m.month));
    }
    // March 2025 starts on a Saturday and has 31 days: its last day lies in the sixth row.
    const int first = DayOfWeek(2025, 3, 1);
    EXPECT_EQ(5, (DaysInMonth(2025, 3) + first - 1) / 7);
}
