#include "controls/CalendarDates.h"

namespace SAKU {

namespace {

// The days before each month, and the year's length at the end.
constexpr WORD kMonthStarts[2][13] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366},
};

}  // namespace

BOOL IsLeapYear(WORD year, BOOL& leap)
{
    if (year < kFirstCalendarYear || year > kLastCalendarYear)
        return FALSE;
    leap = ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0) ? 1 : 0;
    return TRUE;
}

BOOL IsValidDate(WORD year, WORD month, WORD day)
{
    BOOL leap = FALSE;
    if (!IsLeapYear(year, leap) || month < 1 || month > 12 || day < 1)
        return FALSE;
    const WORD length = kMonthStarts[leap][month] - kMonthStarts[leap][month - 1];
    return day <= length;
}

BOOL DayOfYear(WORD year, WORD month, WORD day, WORD& dayOfYear)
{
    if (!IsValidDate(year, month, day))
        return FALSE;
    BOOL leap = FALSE;
    IsLeapYear(year, leap);
    dayOfYear = static_cast<WORD>(kMonthStarts[leap][month - 1] + day - 1);
    return TRUE;
}

int DayOfWeek(WORD year, WORD month, WORD day)
{
    WORD dayOfYear = 0;
    if (!DayOfYear(year, month, day, dayOfYear))
        return -1;
    const int y = year - 1;
    return (y + y / 4 - y / 100 + y / 400 + dayOfYear + 1) % 7;
}

WORD DaysInMonth(WORD year, WORD month)
{
    if (month == 12)
        return 31;
    WORD first = 0;
    WORD next = 0;
    if (!DayOfYear(year, month, 1, first) || !DayOfYear(year, static_cast<WORD>(month + 1), 1, next))
        return 0;
    return static_cast<WORD>(next - first);
}

}  // namespace SAKU
