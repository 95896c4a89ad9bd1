#pragma once

#include "controls/SDropDownWnd.h"
#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

namespace SAKU {

class SCalendarEx;
class EventArgs;

// The date-time picker ("dateTimePicker"): the date, and optionally the time, as
// fields the user picks with the mouse or the arrow keys and changes by typing
// digits or stepping (arrows up and down, the wheel), and a drop button at the
// right. Typing and stepping raise nothing; a day picked in the calendar does
// (EventDateTimeChanged). The years stay within the calendar's 1600..6999.
// Owned by its parent like every window; it owns its calendar, which it lends to
// the popup while that is open. UI thread.
class SDateTimePicker : public SWindow, public ISDropDownOwner {
public:
    SOBJECT_CLASS(SWindow, L"dateTimePicker", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    // The fields, in their order on the line.
    enum Field { kFieldNone = 0, kFieldYear, kFieldMonth, kFieldDay, kFieldHour, kFieldMinute, kFieldSecond };
    enum ButtonState { kButtonNormal = 0, kButtonHover = 1, kButtonPushed = 2 };

    SDateTimePicker();
    ~SDateTimePicker() override;

    const SYSTEMTIME& GetValue() const { return m_value; }
    void SetValue(const SYSTEMTIME& value);
    int GetSelectedField() const { return m_field; }
    int GetButtonState() const { return m_buttonState; }
    bool IsTimeShown() const { return m_timeEnable; }
    SCalendarEx* GetCalendar() const { return m_calendar; }
    // The open popup; null when closed.
    SDropDownWnd* GetDropDown() const { return m_dropDown; }
    // Closes an open popup with IDCANCEL.
    void CloseDropDown();
    // The field under a point, measured from the text rectangle's left; kFieldNone
    // before the first paint measured the digits.
    int FieldFromPoint(POINT point) const;
    // The square at the right end of the client rectangle.
    RECT ButtonRect() const;

    BEGIN_ATTRIBUTES(SDateTimePicker)
        ATTRIBUTE_SKIN   (L"btnSkin",    m_btnSkin,                    kRefresh)
        ATTRIBUTE_FIELD  (L"dropWidth",  m_dropWidth,  ParseIntOrZero, kNoRefresh)
        ATTRIBUTE_HANDLER(L"timeEnable", OnAttrTimeEnable)
    END_ATTRIBUTES_CHAIN(SWindow)

    // SWindow overrides
    SStringW GetWindowText(BOOL raw = FALSE) const override;
    void DrawFocus(IRenderTarget*) override {}
    UINT OnGetDlgCode() const override { return kDlgCodeWantArrows | kDlgCodeWantChars; }
    BOOL BuildChildren(pugi::xml_node element) override;

    // ISDropDownOwner
    SWindow* OwnerWindow() override { return this; }
    void OnDropDownCreated(SDropDownWnd* dropDown) override;
    void OnDropDownDestroyed(SDropDownWnd* dropDown) override;

    BEGIN_SWND_MSG_MAP(SDateTimePicker)
        MSG_HANDLER  (WM_DESTROY,     OnDestroy)
        MSG_HANDLER  (WM_KILLFOCUS,   OnKillFocus)
        MSG_HANDLER  (WM_PAINT,       OnPaint)
        MSG_HANDLER  (WM_KEYDOWN,     OnKeyDown)
        MSG_HANDLER  (WM_CHAR,        OnChar)
        MSG_HANDLER  (WM_MOUSEMOVE,   OnMouseMove)
        MSG_HANDLER  (WM_LBUTTONDOWN, OnLButtonDown)
        MSG_HANDLER  (WM_MOUSEWHEEL,  OnMouseWheel)
        MSG_HANDLER  (WM_MOUSELEAVE,  OnMouseLeave)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    void OnDestroy();
    void OnKillFocus(SWND newFocus);
    void OnPaint(IRenderTarget* target);
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags);
    void OnChar(UINT character, UINT repeatCount, UINT flags);
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonDown(UINT flags, POINT point);
    LRESULT OnMouseWheel(UINT flags, short delta, POINT point);
    void OnMouseLeave();

private:
    HRESULT OnAttrTimeEnable(const SStringW& value, BOOL loading);
    BOOL OnCalendarChanged(EventArgs* args);
    BOOL OnCalendarCommand(EventArgs* args);

    void SelectField(int field);
    void TypeDigit(int digit);
    void Step(int delta);
    // A day past the month's end becomes its last day.
    void FitDayToMonth();
    void SetButtonState(int state);
    void DrawFields(IRenderTarget* target);
    SStringW FieldText(int field) const;
    void OpenDropDown();
    // The popup's place on the screen: below the control, or above it when the
    // monitor ends first; its right edge the control's.
    RECT PlaceDropDown(SIZE size) const;

    int m_buttonState = kButtonNormal;
    ISkinObj* m_btnSkin = nullptr;   // the pools'
    SDropDownWnd* m_dropDown = nullptr;   // owns itself once its window exists
    int m_field = kFieldNone;
    int m_digitWidth = 0;
    int m_digitHeight = 0;
    int m_separatorWidth = 0;
    COLORREF m_fieldBackColor = 0xFFD77800;
    COLORREF m_fieldTextColor = 0xFFFFFFFF;
    SYSTEMTIME m_value = {};
    int m_dropWidth = 220;   // dp
    bool m_timeEnable = true;
    SCalendarEx* m_calendar = nullptr;   // owned: the first reference
    WORD m_typed = 0;
    int m_typedDigits = 0;
};

}  // namespace SAKU
