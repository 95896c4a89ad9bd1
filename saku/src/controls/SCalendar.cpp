#include "controls/SCalendar.h"

#include "RedrawNow.h"
#include "WeekdayTitles.h"
#include "controls/CalendarDates.h"
#include "core/Events.h"
#include "core/ISkinObj.h"
#include "render/IRenderTarget.h"

#include <stdio.h>

namespace SAKU {

namespace {

constexpr UINT kCentredLine = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

bool IsWeekend(int weekday)
{
    return weekday == 0 || weekday == 6;
}

}  // namespace

SCalendar::SCalendar()
{
    GetEventSet()->AddEvent(EventCalendarSelDay::EventID, EventCalendarSelDay::EventName());
    GetEventSet()->AddEvent(EventCalendarSetDate::EventID, EventCalendarSetDate::EventName());
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    SetDate(now.wYear, now.wMonth, now.wDay, FALSE);
}

SCalendar::SCalendar(WORD year, WORD month, WORD day) : SCalendar()
{
    SetDate(year, month, day, TRUE);
}

BOOL SCalendar::SetDate(WORD year, WORD month, WORD day, BOOL notify)
{
    if (day > DaysInMonth(year, month))
        day = 0;
    m_hoverDay = 0;
    m_year = year;
    m_month = month;
    m_day = day;
    Invalidate();
    if (notify) {
        EventCalendarSetDate changed(this);
        RaiseEvent(&changed);
    }
    return TRUE;
}

// ---- Geometry ------------------------------------------------------------------------------

RECT SCalendar::GridRect() const
{
    RECT grid;
    CopyClientRect(&grid);
    grid.top += m_titleHeight.ToPixelSize(GetScale());
    grid.bottom -= m_footerHeight.ToPixelSize(GetScale());
    return grid;
}

SIZE SCalendar::CellSize() const
{
    const RECT grid = GridRect();
    return SIZE{(grid.right - grid.left) / 7, (grid.bottom - grid.top) / 6};
}

RECT SCalendar::DayRect(WORD day) const
{
    const int column = DayOfWeek(m_year, m_month, day);
    const int first = DayOfWeek(m_year, m_month, 1);
    if (column < 0 || first < 0)
        return RECT{};
    const RECT grid = GridRect();
    const SIZE cell = CellSize();
    const int row = (day + first - 1) / 7;
    const int left = grid.left + column * cell.cx;
    const int top = grid.top + row * cell.cy;
    return RECT{left, top, left + cell.cx, top + cell.cy};
}

WORD SCalendar::DayFromPoint(POINT point) const
{
    const RECT grid = GridRect();
    const SIZE cell = CellSize();
    // Cells of 0 pixels hold nothing, and the strip right of the seventh column
    // (the width's remainder) belongs to no weekday.
    if (point.x < grid.left || point.y < grid.top || cell.cx <= 0 || cell.cy <= 0)
        return 0;
    const int column = (point.x - grid.left) / cell.cx;
    const int row = (point.y - grid.top) / cell.cy;
    const int first = DayOfWeek(m_year, m_month, 1);
    const int length = DaysInMonth(m_year, m_month);
    const int last = DayOfWeek(m_year, m_month, static_cast<WORD>(length));
    if (column > 6 || first < 0 || last < 0)
        return 0;
    const int lastRow = (length + first - 1) / 7;
    if ((row == 0 && column < first) || row > lastRow || (row == lastRow && column > last))
        return 0;
    return static_cast<WORD>(row * 7 + column - first + 1);
}

// ---- Painting ------------------------------------------------------------------------------

int SCalendar::OnCreate(LPCREATESTRUCT createStruct)
{
    const int created = OnWindowCreate(createStruct);
    if (created != 0)
        return created;
    SetDefaultWeekdayTitles(m_titles);
    return 0;
}

void SCalendar::OnPaint(IRenderTarget* target)
{
    SPaintState saved;
    PreparePaint(target, saved);
    DrawTitle(target);
    // A year outside the calendar's range has no weekdays, so its days have no
    // cells, December's 31 included.
    if (DayOfWeek(m_year, m_month, 1) >= 0) {
        const WORD length = DaysInMonth(m_year, m_month);
        for (WORD day = 1; day <= length; ++day)
            DrawDay(target, DayRect(day), day);
    }
    AfterPaint(target, saved);
}

void SCalendar::DrawTitle(IRenderTarget* target)
{
    RECT client;
    CopyClientRect(&client);
    RECT strip = client;
    strip.bottom = strip.top + m_titleHeight.ToPixelSize(GetScale());
    if (m_titleSkin)
        m_titleSkin->DrawByIndex(target, &strip, 0);
    else
        target->FillSolidRect(&strip, m_titleBackColor);

    const int width = (client.right - client.left) / 7;
    for (int weekday = 0; weekday < 7; ++weekday) {
        RECT column = {strip.left + weekday * width, strip.top, strip.left + (weekday + 1) * width, strip.bottom};
        const SStringW& title = m_titles[weekday].GetText();
        if (IsWeekend(weekday)) {
            const COLORREF old = target->SetTextColor(m_weekendColor);
            DrawText(target, title.c_str(), title.GetLength(), &column, kCentredLine);
            target->SetTextColor(old);
        } else {
            DrawText(target, title.c_str(), title.GetLength(), &column, kCentredLine);
        }
    }
}

void SCalendar::DrawDay(IRenderTarget* target, const RECT& rect, WORD day)
{
    wchar_t text[8];
    swprintf(text, 8, L"%2d", day);
    RECT cell = rect;
    const COLORREF old = target->GetTextColor();
    if (day == m_day) {
        if (m_daySkin)
            m_daySkin->DrawByIndex(target, &cell, 2);
        else
            target->FillSolidRect(&cell, m_dayBackColor);
        target->SetTextColor(m_dayTextColor);
    } else {
        if (m_daySkin)
            m_daySkin->DrawByIndex(target, &cell, day == m_hoverDay ? 1 : 0);
        if (IsWeekend(DayOfWeek(m_year, m_month, day)))
            target->SetTextColor(m_weekendColor);
    }
    DrawText(target, text, -1, &cell, kCentredLine);
    target->SetTextColor(old);
}

void SCalendar::RedrawDay(WORD day)
{
    const RECT cell = DayRect(day);
    RedrawNow(*this, cell, [&](IRenderTarget* target) { DrawDay(target, cell, day); });
}

// ---- Mouse ---------------------------------------------------------------------------------

void SCalendar::OnLButtonDown(UINT flags, POINT point)
{
    // The event's subscribers may destroy the control.
    const SAutoRef<SWindow> self(this);
    SWindow::OnLButtonDown(flags, point);
    const WORD day = DayFromPoint(point);
    if (day != 0 && day != m_day) {
        EventCalendarSelDay selected(this, m_day, day);
        RaiseEvent(&selected);
    }
    m_day = day;
    Invalidate();
}

void SCalendar::SetHoverDay(WORD day)
{
    if (day == m_hoverDay)
        return;
    const WORD old = m_hoverDay;
    m_hoverDay = day;
    // Only a day skin shows the hover.
    if (!m_daySkin)
        return;
    if (old != 0)
        RedrawDay(old);
    if (day != 0)
        RedrawDay(day);
}

void SCalendar::OnMouseMove(UINT, POINT point)
{
    SetHoverDay(DayFromPoint(point));
}

void SCalendar::OnMouseLeave()
{
    SWindow::OnMouseLeave();   // the window's hover state goes too
    SetHoverDay(0);
}

}  // namespace SAKU
