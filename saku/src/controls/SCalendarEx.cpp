#include "controls/SCalendarEx.h"

#include "WeekdayTitles.h"
#include "controls/CalendarDates.h"
#include "core/Events.h"
#include "core/ISkinObj.h"
#include "core/SColor.h"
#include "core/SEventSet.h"
#include "core/SkinLookup.h"
#include "render/IRenderTarget.h"

#include <algorithm>
#include <stdio.h>

namespace SAKU {

namespace {

constexpr UINT kCentredLine = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr POINT kCorner = {1, 1};

// The month before or after, the year wrapping.
void StepMonth(WORD& year, WORD& month, int step)
{
    if (step < 0) {
        if (month <= 1) {
            month = 12;
            --year;
        } else {
            --month;
        }
    } else if (step > 0) {
        if (month >= 12) {
            month = 1;
            ++year;
        } else {
            ++month;
        }
    }
}

// A skin drawn at its own size in a corner of the header, as far in from the
// header's edges as it is short of the header's height.
void DrawHeaderButton(IRenderTarget* target, ISkinObj* skin, const RECT& header, bool right, int state)
{
    if (!skin)
        return;
    const SIZE size = skin->QuerySkinSize();
    const int inset = (header.bottom - header.top - size.cy) / 2;
    const int left = right ? header.right - inset - size.cx : header.left + inset;
    const RECT rect = {left, header.top + inset, left + size.cx, header.top + inset + size.cy};
    skin->DrawByIndex(target, &rect, state);
}

}  // namespace

SCalendarEx::SCalendarEx()
{
    m_prevSkin = FindSkin(L"_skin.sys.btn.prev", GetScale());
    m_nextSkin = FindSkin(L"_skin.sys.btn.next", GetScale());
    ApplyAttribute(L"focusable", L"1", TRUE);
    ::GetLocalTime(&m_today);
    GetEventSet()->AddEvent(EventCalendarExChanged::EventID, EventCalendarExChanged::EventName());
    m_style.m_crBg = 0xFFFFFFFF;
    SetDate(m_today.wYear, m_today.wMonth, m_today.wDay);
}

SCalendarEx::SCalendarEx(WORD year, WORD month, WORD day) : SCalendarEx()
{
    SetDate(year, month, day);
}

BOOL SCalendarEx::SetDate(WORD year, WORD month, WORD day, int source, BOOL notify)
{
    const int first = DayOfWeek(year, month, 1);
    if (first < 0)
        return FALSE;
    const int length = DaysInMonth(year, month);
    // A day outside the month would select no cell of the grid.
    if (day < 1 || day > length)
        return FALSE;
    WORD prevYear = year;
    WORD prevMonth = month;
    StepMonth(prevYear, prevMonth, -1);
    const int prevLength = DaysInMonth(prevYear, prevMonth);

    for (int i = 0; i < first; ++i)
        m_cells[i] = Cell{static_cast<WORD>(prevLength - first + 1 + i), -1};
    for (int i = 0; i < length; ++i)
        m_cells[first + i] = Cell{static_cast<WORD>(i + 1), 0};
    for (int i = first + length, next = 1; i < kCellCount; ++i, ++next)
        m_cells[i] = Cell{static_cast<WORD>(next), 1};

    m_year = year;
    m_month = month;
    m_hoverItem = -1;
    m_selected = first + day - 1;
    Invalidate();
    if (notify) {
        EventCalendarExChanged changed(this, day, month, year, source);
        RaiseEvent(&changed);
    }
    return TRUE;
}

void SCalendarEx::ShowPrevMonth()
{
    WORD year = m_year;
    WORD month = m_month;
    StepMonth(year, month, -1);
    SetDate(year, month, 1, kItemPrevMonth, TRUE);
}

void SCalendarEx::ShowNextMonth()
{
    WORD year = m_year;
    WORD month = m_month;
    StepMonth(year, month, 1);
    SetDate(year, month, 1, kItemNextMonth, TRUE);
}

// ---- Geometry ------------------------------------------------------------------------------

RECT SCalendarEx::HeaderRect() const
{
    RECT header;
    CopyClientRect(&header);
    header.bottom = header.top + m_headerHeight.ToPixelSize(GetScale());
    return header;
}

RECT SCalendarEx::GridRect() const
{
    RECT grid;
    CopyClientRect(&grid);
    grid.top += m_headerHeight.ToPixelSize(GetScale()) + m_weekHeight.ToPixelSize(GetScale());
    grid.bottom -= m_todayHeight.ToPixelSize(GetScale());
    return grid;
}

RECT SCalendarEx::CellRect(int index) const
{
    const RECT grid = GridRect();
    const int width = (grid.right - grid.left) / 7;
    const int height = (grid.bottom - grid.top) / 6;
    const int left = grid.left + index % 7 * width;
    const int top = grid.top + index / 7 * height;
    return RECT{left, top, left + width, top + height};
}

int SCalendarEx::ItemFromPoint(POINT point) const
{
    const RECT grid = GridRect();
    if (point.y < grid.top) {
        if (point.y >= grid.top - m_weekHeight.ToPixelSize(GetScale()))
            return kItemWeekdays;
        const int header = m_headerHeight.ToPixelSize(GetScale());
        if (point.x - grid.left < header)
            return kItemPrevMonth;
        if (grid.right - point.x < header)
            return kItemNextMonth;
        return kItemHeader;
    }
    if (point.y >= grid.bottom)
        return ::PtInRect(&m_todayRect, point) ? kItemToday : kItemNone;
    const int width = (grid.right - grid.left) / 7;
    const int height = (grid.bottom - grid.top) / 6;
    // Cells of 0 pixels hold nothing; the remainders right of and below the grid's
    // cells belong to the last column and row.
    if (width <= 0 || height <= 0)
        return kItemNone;
    const int column = std::clamp(int((point.x - grid.left) / width), 0, 6);
    const int row = std::clamp(int((point.y - grid.top) / height), 0, 5);
    return row * 7 + column;
}

bool SCalendarEx::IsToday(int index) const
{
    return m_cells[index].monthFlag == 0 && m_cells[index].day == m_today.wDay && m_month == m_today.wMonth &&
           m_year == m_today.wYear;
}

// ---- Painting ------------------------------------------------------------------------------

int SCalendarEx::OnCreate(LPCREATESTRUCT createStruct)
{
    const int created = OnWindowCreate(createStruct);
    if (created != 0)
        return created;
    SetDefaultWeekdayTitles(m_titles);
    return 0;
}

void SCalendarEx::OnPaint(IRenderTarget* target)
{
    SPaintState saved;
    PreparePaint(target, saved);
    DrawHeader(target);
    DrawWeekdays(target);
    for (int i = 0; i < kCellCount; ++i)
        DrawCell(target, i);
    DrawToday(target);
    AfterPaint(target, saved);
}

void SCalendarEx::DrawHeader(IRenderTarget* target)
{
    RECT header = HeaderRect();
    DrawHeaderButton(target, m_prevSkin, header, false, m_hoverItem == kItemPrevMonth ? 1 : 0);
    DrawHeaderButton(target, m_nextSkin, header, true, m_hoverItem == kItemNextMonth ? 1 : 0);
    wchar_t text[32];
    swprintf(text, 32, L"%04d\u5e74%d\u6708", m_year, m_month);
    const COLORREF old = target->GetTextColor();
    if (m_hoverItem == kItemHeader)
        target->SetTextColor(m_hoverTextColor);
    DrawText(target, text, -1, &header, kCentredLine);
    target->SetTextColor(old);
}

void SCalendarEx::DrawWeekdays(IRenderTarget* target)
{
    RECT client;
    CopyClientRect(&client);
    const int top = client.top + m_headerHeight.ToPixelSize(GetScale());
    const int bottom = top + m_weekHeight.ToPixelSize(GetScale());
    const int width = (client.right - client.left) / 7;
    for (int weekday = 0; weekday < 7; ++weekday) {
        RECT column = {client.left + weekday * width, top, client.left + (weekday + 1) * width, bottom};
        const SStringW& title = m_titles[weekday].GetText();
        DrawText(target, title.c_str(), title.GetLength(), &column, kCentredLine);
    }
}

void SCalendarEx::DrawCell(IRenderTarget* target, int index)
{
    RECT cell = CellRect(index);
    const COLORREF old = target->GetTextColor();
    if (m_cells[index].monthFlag != 0)
        target->SetTextColor(m_otherTextColor);
    else if (IsToday(index))
        target->DrawRoundRect(&cell, kCorner);

    int state = 0;
    if (index == m_selected) {
        if (m_selBackColor != kColorNone)
            target->FillSolidRoundRect(&cell, kCorner, m_selBackColor);
        if (m_selTextColor != kColorNone)
            target->SetTextColor(m_selTextColor);
        state = 2;
    } else if (index == m_hoverItem) {
        target->SetTextColor(m_hoverTextColor);
        state = 1;
    }
    if (m_daySkin)
        m_daySkin->DrawByIndex(target, &cell, state);
    wchar_t text[8];
    swprintf(text, 8, L"%d", m_cells[index].day);
    DrawText(target, text, -1, &cell, kCentredLine);
    target->SetTextColor(old);
}

void SCalendarEx::DrawToday(IRenderTarget* target)
{
    const RECT grid = GridRect();
    RECT client;
    CopyClientRect(&client);
    const RECT strip = {client.left, grid.bottom, client.right, client.bottom};
    wchar_t text[48];
    swprintf(text, 48, L"\u4eca\u5929:%04d/%d/%d", m_today.wYear, m_today.wMonth, m_today.wDay);
    RECT measured = strip;
    DrawText(target, text, -1, &measured, DT_CALCRECT | kCentredLine);
    const int width = measured.right - measured.left;
    const int left = strip.left + (strip.right - strip.left - width) / 2;
    m_todayRect = RECT{left, strip.top, left + width, strip.bottom};
    const COLORREF old = target->GetTextColor();
    if (m_hoverItem == kItemToday)
        target->SetTextColor(m_hoverTextColor);
    RECT shown = m_todayRect;
    DrawText(target, text, -1, &shown, kCentredLine);
    target->SetTextColor(old);
}

// ---- Mouse ---------------------------------------------------------------------------------

void SCalendarEx::OnLButtonDown(UINT flags, POINT point)
{
    // The event's subscribers may destroy the control.
    const SAutoRef<SWindow> self(this);
    SWindow::OnLButtonDown(flags, point);
    const int item = ItemFromPoint(point);
    if (item == kItemPrevMonth) {
        ShowPrevMonth();
    } else if (item == kItemNextMonth) {
        ShowNextMonth();
    } else if (item == kItemToday) {
        SetDate(m_today.wYear, m_today.wMonth, m_today.wDay, kItemToday, TRUE);
    } else if (item >= 0 && item < kCellCount && item != m_selected) {
        // A day of a neighbouring month shows that month, so that the grid and
        // the date reported agree.
        WORD year = m_year;
        WORD month = m_month;
        StepMonth(year, month, m_cells[item].monthFlag);
        SetDate(year, month, m_cells[item].day, item, TRUE);
    }
    Invalidate();
}

void SCalendarEx::OnLButtonUp(UINT flags, POINT point)
{
    const int item = ItemFromPoint(point);
    if (item >= 0 && item < kCellCount) {
        SWindow::OnLeftButtonUp(flags, point);
        return;
    }
    // Only a release over a day is a command: the buttons and the today line act on the press.
    SScopedEventMute mute(GetEventSet());
    SWindow::OnLeftButtonUp(flags, point);
}

void SCalendarEx::OnMouseMove(UINT, POINT point)
{
    m_hoverItem = ItemFromPoint(point);
    Invalidate();
}

void SCalendarEx::OnMouseLeave()
{
    SWindow::OnMouseLeave();   // the window's hover state goes too
    m_hoverItem = -1;
    Invalidate();
}

LRESULT SCalendarEx::OnMouseWheel(UINT, short delta, POINT)
{
    if (delta <= 0)
        ShowNextMonth();
    else
        ShowPrevMonth();
    return 1;
}

}  // namespace SAKU
