#pragma once

#include <windows.h>

namespace SAKU {

// Gregorian date arithmetic shared by the calendars and the date-time picker.
// Only the years 1600..6999 are dates here; anything else is refused. Months
// run 1..12, days 1..31, weekdays 0 (Sunday) .. 6 (Saturday). Any thread.

constexpr WORD kFirstCalendarYear = 1600;
constexpr WORD kLastCalendarYear = 6999;

// FALSE for a year outside the range; else TRUE with `leap` set to 1 or 0.
BOOL IsLeapYear(WORD year, BOOL& leap);
BOOL IsValidDate(WORD year, WORD month, WORD day);
// The 0-based day of the year; FALSE for an invalid date.
BOOL DayOfYear(WORD year, WORD month, WORD day, WORD& dayOfYear);
// -1 for an invalid date.
int DayOfWeek(WORD year, WORD month, WORD day);
// 0 for an invalid year or month. December answers 31 without a look at the year.
WORD DaysInMonth(WORD year, WORD month);

}  // namespace SAKU
