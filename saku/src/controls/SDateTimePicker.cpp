#include "controls/SDateTimePicker.h"

#include "controls/CalendarDates.h"
#include "controls/SCalendarEx.h"
#include "core/Events.h"
#include "core/ISkinObj.h"
#include "core/ISlotFunctor.h"
#include "core/SApplication.h"
#include "core/SkinLookup.h"
#include "core/SXmlLookup.h"
#include "render/IRenderTarget.h"

#include <stdio.h>

namespace SAKU {

namespace {

// Each field's place in the value and its smallest and greatest values, between
// which stepping wraps (the year stops at its ends instead).
struct FieldRange {
    WORD SYSTEMTIME::*member;
    WORD low;
    WORD high;
};
constexpr FieldRange kFieldRanges[] = {
    {nullptr, 0, 0},
    {&SYSTEMTIME::wYear, kFirstCalendarYear, kLastCalendarYear},
    {&SYSTEMTIME::wMonth, 1, 12},
    {&SYSTEMTIME::wDay, 1, 31},   // stepping wraps at the month's own length
    {&SYSTEMTIME::wHour, 0, 23},
    {&SYSTEMTIME::wMinute, 0, 59},
    {&SYSTEMTIME::wSecond, 0, 59},
};

bool IsCalendarYear(int year)
{
    return year >= kFirstCalendarYear && year <= kLastCalendarYear;
}

}  // namespace

SDateTimePicker::SDateTimePicker()
{
    m_btnSkin = FindSkin(L"_skin.sys.dropbtn", 100);
    m_ncSkin = FindSkin(L"_skin.sys.border", 100);
    m_style.ApplyAttribute(L"margin", L"1", TRUE);
    m_style.ApplyAttribute(L"align", L"left", TRUE);
    m_style.ApplyAttribute(L"valign", L"middle", TRUE);
    ApplyAttribute(L"focusable", L"1", TRUE);
    GetEventSet()->AddEvent(EventDateTimeChanged::EventID, EventDateTimeChanged::EventName());
    ::GetLocalTime(&m_value);
}

SDateTimePicker::~SDateTimePicker()
{
    if (m_calendar) {
        // Its last events must not reach a picker that is going.
        m_calendar->SetOwner(nullptr);
        m_calendar->GetEventSet()->SetMuted(true);
        m_calendar->SendSwndMessage(WM_DESTROY);
        m_calendar->Release();
    }
}

void SDateTimePicker::SetValue(const SYSTEMTIME& value)
{
    m_value = value;
    m_typed = 0;
    m_typedDigits = 0;
    Invalidate();
}

HRESULT SDateTimePicker::OnAttrTimeEnable(const SStringW& value, BOOL loading)
{
    m_timeEnable = !(value == L"0" || _wcsicmp(value.c_str(), L"false") == 0);
    return RefreshAnswer(kRefresh, loading);
}

SStringW SDateTimePicker::GetWindowText(BOOL) const
{
    wchar_t text[32];
    if (m_timeEnable)
        swprintf(text, 32, L"%04d-%02d-%02d %02d:%02d:%02d", m_value.wYear, m_value.wMonth, m_value.wDay,
                 m_value.wHour, m_value.wMinute, m_value.wSecond);
    else
        swprintf(text, 32, L"%04d-%02d-%02d", m_value.wYear, m_value.wMonth, m_value.wDay);
    return text;
}

// ---- The calendar ------------------------------------------------------------------------------

BOOL SDateTimePicker::BuildChildren(pugi::xml_node element)
{
    const SApplication* const app = SApplication::GetInstance();
    SWindow* const made = app ? app->CreateWindowByName(L"calendarex") : nullptr;
    if (!made)
        return FALSE;
    if (!made->IsClass(SCalendarEx::ClassName())) {
        made->Release();
        return FALSE;
    }
    m_calendar = static_cast<SCalendarEx*>(made);
    m_calendar->SetContainer(GetContainer());
    if (pugi::xml_node style = XmlChild(element, L"calstyle"))
        m_calendar->BuildFromXml(style);
    else
        m_calendar->SendSwndMessage(WM_CREATE);
    m_calendar->ApplyAttribute(L"pos", L"0,0,-0,-0", TRUE);
    m_calendar->SetOwner(this);
    m_calendar->GetEventSet()->SubscribeEvent(EventCalendarExChanged::EventID,
                                              Subscriber(&SDateTimePicker::OnCalendarChanged, this));
    m_calendar->GetEventSet()->SubscribeEvent(EventCmd::EventID, Subscriber(&SDateTimePicker::OnCalendarCommand, this));
    return TRUE;
}

BOOL SDateTimePicker::OnCalendarChanged(EventArgs* args)
{
    auto* const changed = static_cast<EventCalendarExChanged*>(args);
    m_value.wYear = changed->year;
    m_value.wMonth = changed->month;
    m_value.wDay = changed->day;
    Invalidate();
    EventDateTimeChanged event(this, m_value);
    RaiseEvent(&event);
    return TRUE;
}

BOOL SDateTimePicker::OnCalendarCommand(EventArgs*)
{
    CloseDropDown();
    return TRUE;
}

// ---- The popup -------------------------------------------------------------------------------

RECT SDateTimePicker::PlaceDropDown(SIZE size) const
{
    const DropDownAnchor anchor = AnchorOfDropDown(*this);
    const RECT& control = anchor.control;
    const int top = anchor.bounds.bottom < control.bottom + size.cy ? control.top - size.cy : control.bottom;
    return RECT{control.right - size.cx, top, control.right, top + size.cy};
}

void SDateTimePicker::OpenDropDown()
{
    // Without its calendar the picker has nothing to show.
    if (m_dropDown || !m_calendar)
        return;
    const int width = SLayoutDim(static_cast<float>(m_dropWidth), kUnitDp).ToPixelSize(GetScale());
    const RECT place = PlaceDropDown(SIZE{width, width * 4 / 5});
    SDropDownWnd* const popup = new SDropDownWnd_ComboBox(this);   // adopted below, or by its window
    m_dropDown = popup;
    if (!popup->CreatePopup(place, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST)) {
        // Never shown: the popup goes with its filter, and the picker stays closed.
        m_dropDown = nullptr;
        popup->Release();
        SetButtonState(kButtonNormal);
        return;
    }
    ::SetWindowPos(popup->GetHwnd(), nullptr, 0, 0, 0, 0,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    if (m_dropDown == popup && popup->GetHwnd())
        ::SetCapture(popup->GetHwnd());
}

void SDateTimePicker::CloseDropDown()
{
    if (m_dropDown)
        m_dropDown->Dismiss(IDCANCEL);
}

void SDateTimePicker::OnDropDownCreated(SDropDownWnd* dropDown)
{
    m_calendar->SetDate(m_value.wYear, m_value.wMonth, m_value.wDay);
    dropDown->InsertChild(m_calendar);
    dropDown->UpdateChildrenPosition();
    m_calendar->SetVisible(TRUE);
    m_calendar->SetFocus();
    SetButtonState(kButtonPushed);
}

void SDateTimePicker::OnDropDownDestroyed(SDropDownWnd* dropDown)
{
    dropDown->RemoveChild(m_calendar);
    m_calendar->SetVisible(FALSE);
    m_calendar->SetContainer(GetContainer());
    SetButtonState(kButtonNormal);
    m_dropDown = nullptr;
}

// ---- Fields --------------------------------------------------------------------------------

int SDateTimePicker::FieldFromPoint(POINT point) const
{
    if (m_digitWidth <= 0)
        return kFieldNone;
    RECT text;
    GetTextRect(&text);
    const int x = point.x - text.left;
    const int d = m_digitWidth;
    const int s = m_separatorWidth;
    if (x < 4 * d + s)
        return kFieldYear;
    if (x < 6 * d + 2 * s)
        return kFieldMonth;
    if (!m_timeEnable || x < 8 * d + 3 * s)
        return kFieldDay;
    if (x < 10 * d + 4 * s)
        return kFieldHour;
    if (x < 12 * d + 5 * s)
        return kFieldMinute;
    return kFieldSecond;
}

void SDateTimePicker::SelectField(int field)
{
    m_typed = 0;
    m_typedDigits = 0;
    m_field = field;
    Invalidate();
}

void SDateTimePicker::FitDayToMonth()
{
    if (!IsValidDate(m_value.wYear, m_value.wMonth, m_value.wDay))
        m_value.wDay = DaysInMonth(m_value.wYear, m_value.wMonth);
}

void SDateTimePicker::TypeDigit(int digit)
{
    // A year takes four digits; a fifth starts the next year typed, rather than
    // running the count past what a year can be.
    if (m_field == kFieldYear && m_typedDigits >= 4) {
        m_typed = 0;
        m_typedDigits = 0;
    }
    m_typed = static_cast<WORD>(m_typed * 10 + digit);
    ++m_typedDigits;
    const auto restart = [&] {
        m_typed = static_cast<WORD>(digit);
        m_typedDigits = 1;
    };
    switch (m_field) {
    case kFieldYear: {
        int year = -1;
        if (m_typed < 10)
            year = m_value.wYear / 10 * 10 + m_typed;
        else if (m_typed < 1000)
            year = m_value.wYear / 100 * 100 + m_typed;
        else if (m_typed > 1600)
            year = m_typed;
        if (IsCalendarYear(year)) {
            m_value.wYear = static_cast<WORD>(year);
            FitDayToMonth();
        }
        break;
    }
    case kFieldMonth:
        if (m_typed > 12)
            restart();
        if (m_typed != 0) {
            m_value.wMonth = m_typed;
            FitDayToMonth();
        }
        break;
    case kFieldDay:
        if (m_typed != 0 && !IsValidDate(m_value.wYear, m_value.wMonth, m_typed))
            restart();
        if (m_typed != 0)
            m_value.wDay = m_typed;
        break;
    case kFieldHour:
    case kFieldMinute:
    case kFieldSecond:
        if (m_typed > kFieldRanges[m_field].high)
            restart();
        m_value.*kFieldRanges[m_field].member = m_typed;
        break;
    default:
        break;
    }
    Invalidate();
}

void SDateTimePicker::Step(int delta)
{
    if (m_field == kFieldNone)
        return;
    const FieldRange& range = kFieldRanges[m_field];
    WORD& value = m_value.*range.member;
    if (m_field == kFieldYear) {
        // The calendar's years end where the date arithmetic does.
        const int year = value + delta;
        if (IsCalendarYear(year))
            value = static_cast<WORD>(year);
    } else {
        const WORD high = m_field == kFieldDay ? DaysInMonth(m_value.wYear, m_value.wMonth) : range.high;
        if (delta > 0)
            value = value >= high ? range.low : static_cast<WORD>(value + 1);
        else
            value = value <= range.low ? high : static_cast<WORD>(value - 1);
    }
    FitDayToMonth();
    m_typed = 0;
    m_typedDigits = 0;
    Invalidate();
}

// ---- Painting ------------------------------------------------------------------------------

SStringW SDateTimePicker::FieldText(int field) const
{
    const WORD value = m_value.*kFieldRanges[field].member;
    wchar_t text[16];
    if (field == m_field && m_typedDigits > 0) {
        if (field == kFieldYear) {
            static const wchar_t* const kYearFormats[] = {L"%d", L"%d", L"%02d", L"%03d", L"%04d"};
            swprintf(text, 16, kYearFormats[m_typedDigits < 4 ? m_typedDigits : 4], value);
        } else {
            swprintf(text, 16, L"%d", value);
        }
    } else {
        swprintf(text, 16, field == kFieldYear ? L"%04d" : L"%02d", value);
    }
    return text;
}

RECT SDateTimePicker::ButtonRect() const
{
    RECT client;
    CopyClientRect(&client);
    client.left = client.right - (client.bottom - client.top);
    return client;
}

void SDateTimePicker::DrawFields(IRenderTarget* target)
{
    RECT text;
    GetTextRect(&text);
    const int top = text.top + (text.bottom - text.top - m_digitHeight) / 2 + 1;
    const int bottom = top + m_digitHeight;
    const int d = m_digitWidth;
    const int s = m_separatorWidth;
    // Each field's width in digits, and the separator that follows it.
    const struct {
        int field;
        int digits;
        const wchar_t* separator;
    } line[] = {
        {kFieldYear, 4, L"-"}, {kFieldMonth, 2, L"-"}, {kFieldDay, 2, L" "},
        {kFieldHour, 2, L":"}, {kFieldMinute, 2, L":"}, {kFieldSecond, 2, nullptr},
    };
    int x = text.left;
    for (const auto& part : line) {
        if (!m_timeEnable && part.field > kFieldDay)
            break;
        RECT field = {x, top, x + part.digits * d, bottom};
        const SStringW shown = FieldText(part.field);
        if (part.field == m_field) {
            target->FillSolidRect(&field, m_fieldBackColor);
            const COLORREF old = target->SetTextColor(m_fieldTextColor);
            DrawText(target, shown.c_str(), shown.GetLength(), &field, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            target->SetTextColor(old);
        } else {
            DrawText(target, shown.c_str(), shown.GetLength(), &field, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        x = field.right;
        if (!part.separator)
            break;
        RECT separator = {x, top, x + s, bottom};
        if (part.separator[0] == L'-')
            DrawText(target, L"-", 1, &separator, GetTextFormat());
        else if (part.separator[0] == L':')
            DrawText(target, L":", 1, &separator, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        x = separator.right;
    }
}

void SDateTimePicker::OnPaint(IRenderTarget* target)
{
    SPaintState saved;
    PreparePaint(target, saved);
    if (m_digitWidth == 0) {
        SIZE digit = {};
        SIZE separator = {};
        target->MeasureText(L"5", 1, &digit);
        target->MeasureText(L"-", 1, &separator);
        m_digitWidth = digit.cx;
        m_digitHeight = digit.cy;
        m_separatorWidth = separator.cx;
    }
    DrawFields(target);
    AfterPaint(target, saved);

    const RECT button = ButtonRect();
    if (m_btnSkin) {
        const SIZE size = m_btnSkin->QuerySkinSize();
        const int left = button.left + (button.right - button.left - size.cx) / 2;
        const int top = button.top + (button.bottom - button.top - size.cy) / 2;
        const RECT rect = {left, top, left + size.cx, top + size.cy};
        m_btnSkin->DrawByIndex(target, &rect, m_buttonState);
    }
    if (m_buttonState == kButtonHover && m_ncSkin) {
        RECT frame = button;
        ::InflateRect(&frame, 1, 1);
        m_ncSkin->DrawByIndex(target, &frame, 1);
    }
}

// ---- Keys and mouse ------------------------------------------------------------------------

void SDateTimePicker::OnKeyDown(UINT key, UINT, UINT)
{
    switch (key) {
    case VK_LEFT:
        // From no field, Left starts at the year as Right does.
        SelectField(m_field > kFieldYear ? m_field - 1 : kFieldYear);
        break;
    case VK_RIGHT:
        SelectField(m_field < kFieldSecond ? m_field + 1 : kFieldSecond);
        break;
    case VK_UP:
        Step(1);
        break;
    case VK_DOWN:
        Step(-1);
        break;
    default:
        SetMsgHandled(FALSE);
        break;
    }
}

void SDateTimePicker::OnChar(UINT character, UINT, UINT)
{
    if (character < L'0' || character > L'9' || m_field == kFieldNone) {
        SetMsgHandled(FALSE);
        return;
    }
    TypeDigit(static_cast<int>(character - L'0'));
}

LRESULT SDateTimePicker::OnMouseWheel(UINT, short delta, POINT)
{
    Step(delta > 0 ? 1 : -1);
    return 1;
}

void SDateTimePicker::SetButtonState(int state)
{
    if (state == m_buttonState)
        return;
    m_buttonState = state;
    const RECT button = ButtonRect();
    InvalidateRect(button);
}

void SDateTimePicker::OnLButtonDown(UINT flags, POINT point)
{
    const SAutoRef<SWindow> self(this);
    SetFocus();
    if (m_buttonState == kButtonPushed)
        return;
    m_typed = 0;
    m_typedDigits = 0;
    const RECT button = ButtonRect();
    if (!::PtInRect(&button, point)) {
        SWindow::OnLButtonDown(flags, point);
        const int field = FieldFromPoint(point);
        if (field != m_field) {
            m_field = field;
            Invalidate();
        }
        return;
    }
    m_field = kFieldNone;
    Invalidate();
    OpenDropDown();
}

void SDateTimePicker::OnMouseMove(UINT, POINT point)
{
    if (m_buttonState == kButtonPushed)
        return;
    const RECT button = ButtonRect();
    SetButtonState(::PtInRect(&button, point) ? kButtonHover : kButtonNormal);
}

void SDateTimePicker::OnMouseLeave()
{
    if (m_buttonState == kButtonPushed)
        return;
    SWindow::OnMouseLeave();
    SetButtonState(kButtonNormal);
}

void SDateTimePicker::OnKillFocus(SWND newFocus)
{
    SWindow::OnKillFocus(newFocus);
    CloseDropDown();
}

void SDateTimePicker::OnDestroy()
{
    CloseDropDown();
    SWindow::OnDestroy();
}

}  // namespace SAKU
