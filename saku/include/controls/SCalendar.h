#pragma once

#include "core/SAttributeMap.h"
#include "core/SLayoutDim.h"
#include "core/SObjectFactory.h"
#include "core/STranslatableText.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"
#include "res.mgr/SResProviderMgr.h"

namespace SAKU {

// The month calendar ("calendar"): a title row of weekday names over a grid of six
// weeks by seven days (Sunday first) holding the days of one month, and an empty
// footer strip. A click picks a day (EventCalendarSelDay); SetDate can announce
// itself (EventCalendarSetDate). Owned by its parent like every window; UI thread.
class SCalendar : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"calendar", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    // Today's local date, without an event.
    SCalendar();
    // The date given, announced.
    SCalendar(WORD year, WORD month, WORD day);

    // A day past the month's length becomes 0 (none selected); the rest is stored
    // as given. Always TRUE.
    BOOL SetDate(WORD year, WORD month, WORD day, BOOL notify = FALSE);
    WORD GetYear() const { return m_year; }
    WORD GetMonth() const { return m_month; }
    WORD GetDay() const { return m_day; }
    WORD GetHoverDay() const { return m_hoverDay; }
    // The cell of a day of the shown month (host coordinates).
    RECT DayRect(WORD day) const;
    // The day under a point, 0 for none.
    WORD DayFromPoint(POINT point) const;
    // Paints one day's cell at once, outside the host's paint cycle.
    void RedrawDay(WORD day);
    const STranslatableText& GetTitle(int weekday) const { return m_titles[weekday]; }

    BEGIN_ATTRIBUTES(SCalendar)
        ATTRIBUTE_FIELD  (L"titleHeight",    m_titleHeight,  SLayoutDim, kRefresh)
        ATTRIBUTE_FIELD  (L"footerHeight",   m_footerHeight, SLayoutDim, kRefresh)
        ATTRIBUTE_SKIN   (L"daySkin",        m_daySkin,                  kRefresh)
        ATTRIBUTE_SKIN   (L"titleSkin",      m_titleSkin,                kRefresh)
        ATTRIBUTE_COLOR  (L"colorWeekend",   m_weekendColor,             kRefresh)
        ATTRIBUTE_COLOR  (L"colorTitleBack", m_titleBackColor,           kRefresh)
        ATTRIBUTE_COLOR  (L"colorDay",       m_dayTextColor,             kRefresh)
        ATTRIBUTE_TEXT   (L"title-1",        m_titles[0],                kRefresh)
        ATTRIBUTE_TEXT   (L"title-2",        m_titles[1],                kRefresh)
        ATTRIBUTE_TEXT   (L"title-3",        m_titles[2],                kRefresh)
        ATTRIBUTE_TEXT   (L"title-4",        m_titles[3],                kRefresh)
        ATTRIBUTE_TEXT   (L"title-5",        m_titles[4],                kRefresh)
        ATTRIBUTE_TEXT   (L"title-6",        m_titles[5],                kRefresh)
        ATTRIBUTE_TEXT   (L"title-7",        m_titles[6],                kRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    BEGIN_SWND_MSG_MAP(SCalendar)
        MSG_HANDLER  (WM_CREATE,      OnCreate)
        MSG_HANDLER  (WM_PAINT,       OnPaint)
        MSG_HANDLER  (WM_MOUSEMOVE,   OnMouseMove)
        MSG_HANDLER  (WM_LBUTTONDOWN, OnLButtonDown)
        MSG_HANDLER  (WM_MOUSELEAVE,  OnMouseLeave)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    virtual void DrawTitle(IRenderTarget* target);
    virtual void DrawDay(IRenderTarget* target, const RECT& rect, WORD day);

    int OnCreate(LPCREATESTRUCT createStruct);
    void OnPaint(IRenderTarget* target);
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonDown(UINT flags, POINT point);
    void OnMouseLeave();

private:
    // The client rectangle less the title and footer strips.
    RECT GridRect() const;
    SIZE CellSize() const;
    void SetHoverDay(WORD day);

    SLayoutDim m_titleHeight{20.0f, kUnitDp};
    SLayoutDim m_footerHeight{20.0f, kUnitDp};
    ISkinObj* m_daySkin = nullptr;     // the pools'
    ISkinObj* m_titleSkin = nullptr;
    COLORREF m_weekendColor = 0xFF0000FF;
    COLORREF m_titleBackColor = 0xFF00FF00;
    COLORREF m_dayTextColor = 0xFF0000FF;
    COLORREF m_dayBackColor = 0xFFFF0000;
    STranslatableText m_titles[7] = {STranslatableText(this), STranslatableText(this), STranslatableText(this),
                                     STranslatableText(this), STranslatableText(this), STranslatableText(this),
                                     STranslatableText(this)};
    WORD m_year = 0;
    WORD m_month = 0;
    WORD m_day = 0;
    WORD m_hoverDay = 0;
};

}  // namespace SAKU
