// The calendars and the date-time picker in a real host window under the display
// server's mouse and keyboard: days picked and cleared, months turned by the
// buttons, the wheel and clicks on the neighbouring months' days, today's line,
// digits typed into the picker's fields, and the picker's calendar in its popup:
// opened by the button, a day picked there, and no popup without a calendar or
// without a window to show it in.

#include "../core/HostTest.h"
#include "../render/RenderTestSupport.h"

#include "controls/SCalendar.h"
#include "controls/SCalendarEx.h"
#include "controls/SDateTimePicker.h"
#include "controls/SDropDownWnd.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"
#include "core/SApplication.h"

#include "WindowlessHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

using Change = std::tuple<WORD, WORD, WORD, int>;   // day, month, year, source

struct CalendarLog {
    std::vector<std::pair<WORD, WORD>> selected;   // the month calendar's (old, new)
    std::vector<Change> changes;                  // the extended calendar's
    std::vector<SYSTEMTIME> picked;               // the picker's
    BOOL OnSelDay(EventCalendarSelDay* event)
    {
        selected.emplace_back(event->oldDay, event->newDay);
        return TRUE;
    }
    BOOL OnChanged(EventCalendarExChanged* event)
    {
        changes.emplace_back(event->day, event->month, event->year, event->source);
        return TRUE;
    }
    BOOL OnPicked(EventDateTimeChanged* event)
    {
        picked.push_back(event->value);
        return TRUE;
    }
};

// A windowless host whose host window is gone, so that no popup can be made over it.
class StaleHost : public tivala::test::WindowlessHost {
public:
    StaleHost(IRenderTarget* canvas, HWND stale) : WindowlessHost(canvas, Targets::kCanvas), m_stale(stale) {}
    HWND GetHostHwnd() override { return m_stale; }

private:
    HWND m_stale;
};

SYSTEMTIME Date(WORD year, WORD month, WORD day, WORD hour)
{
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    return time;
}

class CalendarHostTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        DispatchLoop() = App().GetMsgLoop();   // the popup's filter sees the input
        m_host = std::make_unique<SHostWnd>();   // under the application
        ASSERT_TRUE(LoadLayout(*m_host, kLayout));
        m_window = m_host->GetHwnd();
        ShowInFront(*m_host);
        m_calendar = m_host->FindChildByName2<SCalendar>(L"cal");
        m_calendarEx = m_host->FindChildByName2<SCalendarEx>(L"calex");
        m_picker = m_host->FindChildByName2<SDateTimePicker>(L"dtp");
        ASSERT_NE(nullptr, m_calendar);
        ASSERT_NE(nullptr, m_calendarEx);
        ASSERT_NE(nullptr, m_picker);
        m_calendar->GetEventSet()->SubscribeEvent(EventCalendarSelDay::EventID,
                                                  Subscriber(&CalendarLog::OnSelDay, &m_log));
        m_calendarEx->GetEventSet()->SubscribeEvent(EventCalendarExChanged::EventID,
                                                    Subscriber(&CalendarLog::OnChanged, &m_log));
        m_picker->GetEventSet()->SubscribeEvent(EventDateTimeChanged::EventID,
                                                Subscriber(&CalendarLog::OnPicked, &m_log));
    }
    void TearDown() override
    {
        if (m_host && m_host->GetHwnd())
            DestroyHost(*m_host);
        m_host.reset();
        HostTest::TearDown();
    }

    void Redraw()
    {
        ::RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
    }
    std::string ClickAt(POINT client)
    {
        return "mousemove " + Xy(OnScreen(m_window, client)) + " sleep 0.3 click 1 sleep 0.3";
    }
    void Click(POINT client) { Drive(ClickAt(client)); }
    POINT CellCentre(int index) const
    {
        const RECT cell = m_calendarEx->CellRect(index);
        return POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    }
    std::vector<Change> Changes()
    {
        std::vector<Change> changes;
        changes.swap(m_log.changes);
        return changes;
    }

    // The month calendar at (10, 10) with cells of 20 x 20 from (10, 30), 5 pixels
    // to spare right of the seventh column; the extended one at (170, 10) with
    // cells of 30 x 24 from (170, 60); the picker below the month calendar.
    static constexpr wchar_t kLayout[] =
        L"<SAKU width='420' height='300' wndType='normal'><root colorBkgnd='#FFFFFFFF' colorText='#000000'>"
        L"<calendar name='cal' pos='10,10,@145,@160' margin='0'/>"
        L"<calendarex name='calex' pos='170,10,@210,@238' margin='0'/>"
        L"<dateTimePicker name='dtp' pos='10,200,@150,@24' margin='0' padding='0' timeEnable='1'/>"
        L"</root></SAKU>";

    std::unique_ptr<SHostWnd> m_host;
    HWND m_window = nullptr;
    SCalendar* m_calendar = nullptr;
    SCalendarEx* m_calendarEx = nullptr;
    SDateTimePicker* m_picker = nullptr;
    CalendarLog m_log;
};

}  // namespace

TEST_F(CalendarHostTest, ClicksOnTheMonthCalendar)
{
    m_calendar->SetDate(2024, 6, 1);   // a Saturday: the first row's six blanks
    Redraw();

    Click(POINT{10 + 2 * 20 + 10, 30 + 1 * 20 + 10});   // Tuesday the 4th
    EXPECT_EQ(4, m_calendar->GetDay());
    EXPECT_EQ((std::vector<std::pair<WORD, WORD>>{{1, 4}}), m_log.selected);
    m_log.selected.clear();

    Click(POINT{10 + 2 * 20 + 10, 30 + 1 * 20 + 10});   // the selected day again: nothing
    EXPECT_EQ(4, m_calendar->GetDay());
    EXPECT_TRUE(m_log.selected.empty());

    Click(POINT{10 + 3 * 20 + 10, 30 + 10});   // a blank before the 1st: no day, no event
    EXPECT_EQ(0, m_calendar->GetDay());
    EXPECT_TRUE(m_log.selected.empty());

    Click(POINT{10 + 6 * 20 + 10, 30 + 2 * 20 + 10});   // Saturday the 15th
    EXPECT_EQ((std::vector<std::pair<WORD, WORD>>{{0, 15}}), m_log.selected);
    m_log.selected.clear();
    Click(POINT{10 + 142, 30 + 2 * 20 + 10});   // right of the seventh column
    EXPECT_EQ(0, m_calendar->GetDay());
    EXPECT_TRUE(m_log.selected.empty());

    EXPECT_TRUE(m_calendar->SetDate(2024, 4, 31));
    EXPECT_EQ(0, m_calendar->GetDay());
    Redraw();
    KeepPng(m_host->GetCacheTarget(), L"TIVALA_PAINT_PNG", L"calendar_host");
}

TEST_F(CalendarHostTest, TheExtendedCalendarTurnsItsMonths)
{
    m_calendarEx->SetDate(2024, 5, 15);
    Redraw();

    // The 2nd of June in May's grid shows June; cell 37 of June's is the 2nd of July.
    Click(CellCentre(35));
    EXPECT_EQ((std::vector<Change>{{2, 6, 2024, 35}}), Changes());
    EXPECT_EQ(6, m_calendarEx->GetMonth());
    Click(CellCentre(37));
    EXPECT_EQ((std::vector<Change>{{2, 7, 2024, 37}}), Changes());
    EXPECT_EQ(7, m_calendarEx->GetMonth());
    EXPECT_EQ(2, m_calendarEx->GetDay());
    EXPECT_TRUE(m_calendarEx->IsFocused());

    // The wheel towards the user (button 5: -120) shows the next month.
    Drive("click 5 sleep 0.3");
    EXPECT_EQ((std::vector<Change>{{1, 8, 2024, -11}}), Changes());
    Drive("click 4 sleep 0.3");
    EXPECT_EQ((std::vector<Change>{{1, 7, 2024, -10}}), Changes());

    // The previous month of January is December of the year before.
    m_calendarEx->SetDate(2024, 1, 10);
    Redraw();
    Click(POINT{170 + 10, 10 + 15});
    EXPECT_EQ((std::vector<Change>{{1, 12, 2023, -10}}), Changes());
    EXPECT_EQ(2023, m_calendarEx->GetYear());
    Click(POINT{170 + 200, 10 + 15});
    EXPECT_EQ((std::vector<Change>{{1, 1, 2024, -11}}), Changes());

    // The today line.
    Redraw();
    const RECT today = m_calendarEx->GetTodayRect();
    ASSERT_FALSE(::IsRectEmpty(&today));
    Click(POINT{(today.left + today.right) / 2, (today.top + today.bottom) / 2});
    const SYSTEMTIME& now = m_calendarEx->GetToday();
    EXPECT_EQ((std::vector<Change>{{now.wDay, now.wMonth, now.wYear, 42}}), Changes());
    EXPECT_EQ(now.wMonth, m_calendarEx->GetMonth());
    EXPECT_EQ(now.wDay, m_calendarEx->GetDay());
    Redraw();
    KeepPng(m_host->GetCacheTarget(), L"TIVALA_PAINT_PNG", L"calendarex_host");
}

TEST_F(CalendarHostTest, DigitsTypedIntoThePicker)
{
    m_picker->SetValue(Date(2024, 6, 1, 10));
    Redraw();   // measures the digits
    ASSERT_EQ(SDateTimePicker::kFieldYear, m_picker->FieldFromPoint(POINT{12, 212}));

    Click(POINT{12, 212});
    ASSERT_TRUE(m_picker->IsFocused());
    ASSERT_EQ(SDateTimePicker::kFieldYear, m_picker->GetSelectedField());
    std::vector<WORD> years;
    for (const char* digit : {"2", "0", "3", "0", "1", "0"}) {
        Drive(std::string("key ") + digit + " sleep 0.2");
        years.push_back(m_picker->GetValue().wYear);
    }
    EXPECT_EQ((std::vector<WORD>{2022, 2020, 2203, 2030, 2031, 2010}), years);

    Drive("key Right sleep 0.2 key 1 sleep 0.2");
    EXPECT_EQ(1, m_picker->GetValue().wMonth);
    Drive("key 3 sleep 0.2");
    EXPECT_EQ(3, m_picker->GetValue().wMonth);

    Drive("key Right sleep 0.2 key Right sleep 0.2 key 2 sleep 0.2");
    EXPECT_EQ(SDateTimePicker::kFieldHour, m_picker->GetSelectedField());
    EXPECT_EQ(2, m_picker->GetValue().wHour);
    Drive("key 5 sleep 0.2");
    EXPECT_EQ(5, m_picker->GetValue().wHour);

    // 6999 stepped up stays.
    Drive("key Left sleep 0.2 key Left sleep 0.2 key Left sleep 0.2 key 6 9 9 9 sleep 0.2 key Up sleep 0.2");
    EXPECT_EQ(SDateTimePicker::kFieldYear, m_picker->GetSelectedField());
    EXPECT_EQ(6999, m_picker->GetValue().wYear);
    EXPECT_STREQ(L"6999-03-01 05:00:00", m_picker->GetWindowText().c_str());
    Redraw();
    KeepPng(m_host->GetCacheTarget(), L"TIVALA_PAINT_PNG", L"picker_host_typed");
}

TEST_F(CalendarHostTest, ThePickersCalendarOpensInAPopup)
{
    m_picker->SetValue(Date(2024, 6, 1, 10));
    Redraw();
    SCalendarEx* const calendar = m_picker->GetCalendar();
    ASSERT_NE(nullptr, calendar);
    calendar->GetEventSet()->SubscribeEvent(EventCalendarExChanged::EventID,
                                            Subscriber(&CalendarLog::OnChanged, &m_log));

    // The button is the square at the right end: (136, 200) to (160, 224).
    Click(POINT{148, 212});
    ASSERT_TRUE(PumpUntil([&] { return m_picker->GetDropDown() != nullptr; }));
    SDropDownWnd* const popup = m_picker->GetDropDown();
    const HWND window = popup->GetHwnd();
    ASSERT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(DWORD(WS_EX_TOPMOST | WS_EX_TOOLWINDOW),
              DWORD(::GetWindowLongW(window, GWL_EXSTYLE)) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
    EXPECT_EQ(window, ::GetCapture());
    EXPECT_EQ(SDateTimePicker::kButtonPushed, m_picker->GetButtonState());
    EXPECT_EQ(SDateTimePicker::kFieldNone, m_picker->GetSelectedField());
    EXPECT_EQ(static_cast<SWindow*>(popup), calendar->GetParent());
    EXPECT_TRUE(calendar->IsFocused());
    EXPECT_EQ(6, calendar->GetMonth());
    EXPECT_EQ(1, calendar->GetDay());
    // 220 x 176 below the picker, its right edge the picker's.
    RECT placed = {};
    ::GetWindowRect(window, &placed);
    const POINT pickerCorner = OnScreen(m_window, POINT{160, 224});
    EXPECT_EQ(pickerCorner.x, placed.right);
    EXPECT_EQ(pickerCorner.y, placed.top);
    EXPECT_EQ(220, placed.right - placed.left);
    EXPECT_EQ(176, placed.bottom - placed.top);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    KeepScreen(L"TIVALA_PAINT_PNG", L"picker_popup_screen");

    // A day picked in the popup: cell 20 of June 2024 is the 15th.
    const RECT cell = calendar->CellRect(20);
    POINT inPopup = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ::ClientToScreen(window, &inPopup);
    Drive("mousemove " + Xy(inPopup) + " sleep 0.3 click 1 sleep 0.3");
    ASSERT_TRUE(PumpUntil([&] { return m_picker->GetDropDown() == nullptr; }));
    EXPECT_EQ((std::vector<Change>{{15, 6, 2024, 20}}), Changes());
    ASSERT_EQ(1u, m_log.picked.size());
    EXPECT_EQ(15, m_log.picked[0].wDay);
    EXPECT_EQ(6, m_log.picked[0].wMonth);
    EXPECT_EQ(2024, m_log.picked[0].wYear);
    EXPECT_EQ(10, m_log.picked[0].wHour);
    EXPECT_STREQ(L"2024-06-15 10:00:00", m_picker->GetWindowText().c_str());
    // The release closed the popup: its window gone, the calendar back, the button normal.
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(nullptr, calendar->GetParent());
    EXPECT_EQ(m_picker->GetContainer(), calendar->GetContainer());
    EXPECT_FALSE(calendar->IsVisible());
    EXPECT_EQ(SDateTimePicker::kButtonNormal, m_picker->GetButtonState());
    MSG down = {m_window, WM_KEYDOWN, VK_DOWN, 0, 0, {}};
    EXPECT_FALSE(App().GetMsgLoop()->PreTranslateMessage(&down));   // no filter left

    // Opened again, Escape closes it without a change.
    Click(POINT{148, 212});
    ASSERT_TRUE(PumpUntil([&] { return m_picker->GetDropDown() != nullptr; }));
    Drive("key Escape sleep 0.3");
    ASSERT_TRUE(PumpUntil([&] { return m_picker->GetDropDown() == nullptr; }));
    EXPECT_EQ(1u, m_log.picked.size());
    EXPECT_EQ(SDateTimePicker::kButtonNormal, m_picker->GetButtonState());
}

TEST_F(CalendarHostTest, NoPopupWithoutACalendarOrAWindow)
{
    // A picker made by code, whose children were never built: it has no calendar.
    auto* const bare = new SDateTimePicker;   // the parent holds this first reference
    m_host->InsertChild(bare);
    bare->SendSwndMessage(WM_CREATE);
    const RECT place = {10, 240, 160, 264};
    bare->Move(&place);
    Redraw();
    ASSERT_EQ(nullptr, bare->GetCalendar());
    Click(POINT{148, 252});
    EXPECT_EQ(nullptr, bare->GetDropDown());
    EXPECT_NE(SDateTimePicker::kButtonPushed, bare->GetButtonState());
    EXPECT_TRUE(bare->IsFocused());

    // A picker over a host window that is gone: the popup cannot be made.
    const HWND stale = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, stale);
    ::DestroyWindow(stale);
    SAutoRef<IRenderTarget> canvas;
    ASSERT_TRUE(m_renderFactory->CreateRenderTarget(canvas.Put(), 200, 100));
    auto host = SAutoRef<StaleHost>::Adopt(new StaleHost(canvas.Get(), stale));
    pugi::xml_document layout;
    ASSERT_TRUE(layout.load_string(L"<root><dateTimePicker name='p' pos='0,0,@150,@24' margin='0'/></root>"));
    host->BuildChildren(layout.first_child());
    host->UpdateLayout();
    auto* const picker = host->FindChildByName2<SDateTimePicker>(L"p");
    ASSERT_NE(nullptr, picker);
    ASSERT_NE(nullptr, picker->GetCalendar());
    host->Mouse(WM_LBUTTONDOWN, 140, 12, MK_LBUTTON);
    host->Mouse(WM_LBUTTONUP, 140, 12);
    EXPECT_EQ(nullptr, picker->GetDropDown());
    EXPECT_EQ(SDateTimePicker::kButtonNormal, picker->GetButtonState());
    EXPECT_EQ(nullptr, picker->GetCalendar()->GetParent());
    MSG down = {stale, WM_KEYDOWN, VK_DOWN, 0, 0, {}};
    EXPECT_FALSE(host->GetMsgLoop()->PreTranslateMessage(&down));   // the failed popup's filter went with it
    host->DestroyWindow();
    (void)host.Detach();   // DestroyWindow released the host's own reference
}
