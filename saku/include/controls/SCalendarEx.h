#pragma once

#include "core/SAttributeMap.h"
#include "core/SLayoutDim.h"
#include "core/SObjectFactory.h"
#include "core/STranslatableText.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"
#include "res.mgr/SResProviderMgr.h"

namespace SAKU {

// The extended calendar ("calendarex"): a header with the year and month between
// a previous-month and a next-month button, a row of weekday names, a grid of 42
// cells (six weeks from Sunday, the neighbouring months' days greyed) and a line
// with today's date. Clicks, the buttons and the wheel change the date and raise
// EventCalendarExChanged. Owned by its parent, or by the date-time picker that
// lends it to its popup; UI thread.
class SCalendarEx : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"calendarex", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    // What ItemFromPoint answers besides a cell 0..41.
    static constexpr int kItemWeekdays = -1;
    static constexpr int kItemPrevMonth = -10;
    static constexpr int kItemNextMonth = -11;
    static constexpr int kItemHeader = -12;
    static constexpr int kItemToday = 42;
    static constexpr int kItemNone = 43;
    static constexpr int kCellCount = 42;

    // Today's month with today selected.
    SCalendarEx();
    // That date, or today when SetDate refuses it. Neither raises an event.
    SCalendarEx(WORD year, WORD month, WORD day);

    // Shows the month of the date with the day selected; FALSE, nothing changed,
    // for a year outside the calendar's range, a month outside 1..12 or a day
    // outside the month. With `notify`, EventCalendarExChanged carries `source`.
    BOOL SetDate(WORD year, WORD month, WORD day, int source = -1, BOOL notify = FALSE);
    void ShowPrevMonth();
    void ShowNextMonth();
    int ItemFromPoint(POINT point) const;
    RECT CellRect(int index) const;

    WORD GetYear() const { return m_year; }
    WORD GetMonth() const { return m_month; }
    // The selected cell's day.
    WORD GetDay() const { return m_cells[m_selected].day; }
    int GetSelectedCell() const { return m_selected; }
    int GetHoverItem() const { return m_hoverItem; }
    WORD GetCellDay(int index) const { return m_cells[index].day; }
    // -1 the previous month, 0 the shown one, 1 the next.
    int GetCellMonth(int index) const { return m_cells[index].monthFlag; }
    const SYSTEMTIME& GetToday() const { return m_today; }
    RECT GetTodayRect() const { return m_todayRect; }

    BEGIN_ATTRIBUTES(SCalendarEx)
        ATTRIBUTE_FIELD  (L"yearHeight",     m_headerHeight,  SLayoutDim, kRefresh)
        ATTRIBUTE_FIELD  (L"weekHeight",     m_weekHeight,    SLayoutDim, kRefresh)
        ATTRIBUTE_FIELD  (L"todayHeight",    m_todayHeight,   SLayoutDim, kRefresh)
        ATTRIBUTE_COLOR  (L"colorSelText",   m_selTextColor,              kRefresh)
        ATTRIBUTE_COLOR  (L"colorOtherText", m_otherTextColor,            kRefresh)
        ATTRIBUTE_COLOR  (L"colorSelBg",     m_selBackColor,              kRefresh)
        ATTRIBUTE_COLOR  (L"colorHoverText", m_hoverTextColor,            kRefresh)
        ATTRIBUTE_SKIN   (L"prevSkin",       m_prevSkin,                  kRefresh)
        ATTRIBUTE_SKIN   (L"nextSkin",       m_nextSkin,                  kRefresh)
        ATTRIBUTE_SKIN   (L"daySkin",        m_daySkin,                   kRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    BEGIN_SWND_MSG_MAP(SCalendarEx)
        MSG_HANDLER  (WM_CREATE,      OnCreate)
        MSG_HANDLER  (WM_PAINT,       OnPaint)
        MSG_HANDLER  (WM_MOUSEMOVE,   OnMouseMove)
        MSG_HANDLER  (WM_LBUTTONDOWN, OnLButtonDown)
        MSG_HANDLER  (WM_LBUTTONUP,   OnLButtonUp)
        MSG_HANDLER  (WM_MOUSEWHEEL,  OnMouseWheel)
        MSG_HANDLER  (WM_MOUSELEAVE,  OnMouseLeave)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    int OnCreate(LPCREATESTRUCT createStruct);
    void OnPaint(IRenderTarget* target);
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    LRESULT OnMouseWheel(UINT flags, short delta, POINT point);
    void OnMouseLeave();

private:
    struct Cell {
        WORD day = 0;
        int monthFlag = 0;
    };

    RECT HeaderRect() const;
    // From below the weekday row to above the today strip.
    RECT GridRect() const;
    void DrawHeader(IRenderTarget* target);
    void DrawWeekdays(IRenderTarget* target);
    void DrawCell(IRenderTarget* target, int index);
    void DrawToday(IRenderTarget* target);
    // Whether a cell holds today's date.
    bool IsToday(int index) const;

    SLayoutDim m_headerHeight{30.0f, kUnitDp};
    SLayoutDim m_weekHeight{20.0f, kUnitDp};
    SLayoutDim m_todayHeight{20.0f, kUnitDp};
    COLORREF m_selTextColor = 0xFFFFFFFF;
    COLORREF m_otherTextColor = 0xFFA0A0A0;
    COLORREF m_selBackColor = 0xFFCC7A00;
    COLORREF m_hoverTextColor = 0xFFCC7A00;
    ISkinObj* m_prevSkin = nullptr;   // the pools'
    ISkinObj* m_nextSkin = nullptr;
    ISkinObj* m_daySkin = nullptr;
    STranslatableText m_titles[7] = {STranslatableText(this), STranslatableText(this), STranslatableText(this),
                                     STranslatableText(this), STranslatableText(this), STranslatableText(this),
                                     STranslatableText(this)};
    Cell m_cells[kCellCount];
    RECT m_todayRect = {};   // where the today text was last painted
    int m_selected = 0;
    int m_hoverItem = -1;
    WORD m_year = 0;
    WORD m_month = 0;
    SYSTEMTIME m_today = {};
};

}  // namespace SAKU
