// The date-time picker on a windowless host: its text, the calendar it makes,
// digits typed into each field (the year's four and what follows them), stepping
// within each field's range and the calendar's years, the field under a point,
// its drop button and its popup, the date a calendar event brings, and its look.

#include "ControlTest.h"

#include "controls/SCalendarEx.h"
#include "controls/SDateTimePicker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0)
{
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    return time;
}

struct DateTimeLog {
    std::vector<std::wstring> values;
    BOOL OnChanged(EventDateTimeChanged* event)
    {
        wchar_t text[32];
        swprintf(text, 32, L"%04d-%02d-%02d", event->value.wYear, event->value.wMonth, event->value.wDay);
        values.emplace_back(text);
        return TRUE;
    }
};

class SDateTimePickerTest : public ControlTest {
protected:
    SDateTimePicker* Picker(const std::wstring& attributes = L"", const std::wstring& children = L"")
    {
        Build((L"<root><dateTimePicker name='dtp' pos='10,10,@180,@24' colorText='#000000' " + attributes + L">" +
               children + L"</dateTimePicker></root>")
                  .c_str());
        SDateTimePicker* const picker = Find<SDateTimePicker>(L"dtp");
        if (picker)
            picker->GetEventSet()->SubscribeEvent(EventDateTimeChanged::EventID,
                                                  Subscriber(&DateTimeLog::OnChanged, &m_log));
        return picker;
    }
    static void Type(SDateTimePicker* picker, wchar_t digit) { picker->SendSwndMessage(WM_CHAR, digit); }
    static void Key(SDateTimePicker* picker, UINT key) { picker->SendSwndMessage(WM_KEYDOWN, key); }
    // The field selected by keys from none: Right moves one field on.
    static void Select(SDateTimePicker* picker, int field)
    {
        Key(picker, VK_LEFT);
        Key(picker, VK_LEFT);
        Key(picker, VK_LEFT);
        Key(picker, VK_LEFT);
        Key(picker, VK_LEFT);
        Key(picker, VK_LEFT);
        for (int f = SDateTimePicker::kFieldYear; f < field; ++f)
            Key(picker, VK_RIGHT);
        ASSERT_EQ(field, picker->GetSelectedField());
    }

    DateTimeLog m_log;
};

}  // namespace

TEST_F(SDateTimePickerTest, ItsTextIsTheDateAndTheTime)
{
    SDateTimePicker* const picker = Picker();
    ASSERT_NE(nullptr, picker);
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    EXPECT_EQ(now.wYear, picker->GetValue().wYear);
    EXPECT_EQ(now.wDay, picker->GetValue().wDay);
    EXPECT_TRUE(picker->IsFocusable());
    EXPECT_EQ(SDateTimePicker::kFieldNone, picker->GetSelectedField());
    picker->SetValue(Time(2024, 6, 1, 9, 5, 7));
    EXPECT_STREQ(L"2024-06-01 09:05:07", picker->GetWindowText().c_str());

    const struct {
        const wchar_t* value;
        bool shown;
    } values[] = {{L"false", false}, {L"FALSE", false}, {L"0", false}, {L"1", true}, {L"no", true}, {L"", true}};
    for (const auto& v : values) {
        SCOPED_TRACE(v.value);
        picker->ApplyAttribute(L"timeEnable", v.value, FALSE);
        EXPECT_EQ(v.shown, picker->IsTimeShown());
        EXPECT_STREQ(v.shown ? L"2024-06-01 09:05:07" : L"2024-06-01", picker->GetWindowText().c_str());
    }
}

TEST_F(SDateTimePickerTest, MakesItsCalendarFromCalstyleAlone)
{
    SDateTimePicker* const picker =
        Picker(L"", L"<calstyle colorSelBg='#102030' yearHeight='40'/><button name='other'/>");
    ASSERT_NE(nullptr, picker);
    SCalendarEx* const calendar = picker->GetCalendar();
    ASSERT_NE(nullptr, calendar);
    EXPECT_EQ(picker, calendar->GetOwner());
    EXPECT_EQ(nullptr, calendar->GetParent());   // lent to the popup only
    EXPECT_EQ(0u, picker->GetChildrenCount());   // the picker's other children are not built
    EXPECT_EQ(nullptr, m_host->FindChildByName(L"other"));

    // A day the calendar reports becomes the picker's date, announced once.
    picker->SetValue(Time(2024, 6, 1, 12, 30, 0));
    calendar->SetDate(2024, 7, 9, 20, TRUE);
    EXPECT_EQ((std::vector<std::wstring>{L"2024-07-09"}), m_log.values);
    EXPECT_STREQ(L"2024-07-09 12:30:00", picker->GetWindowText().c_str());
}

TEST_F(SDateTimePickerTest, TypedDigitsFillTheSelectedField)
{
    SDateTimePicker* const picker = Picker();
    ASSERT_NE(nullptr, picker);
    const struct {
        int field;
        SYSTEMTIME start;
        const wchar_t* digits;
        std::vector<std::wstring> texts;   // after each digit
    } cases[] = {
        // Units, then tens and hundreds added to the year's rest, then four digits; a fifth starts again.
        {SDateTimePicker::kFieldYear, Time(2024, 6, 1), L"203010",
         {L"2022-06-01", L"2020-06-01", L"2203-06-01", L"2030-06-01", L"2031-06-01", L"2010-06-01"}},
        // Years the calendar does not know change nothing.
        {SDateTimePicker::kFieldYear, Time(6950, 6, 1), L"980",
         {L"6959-06-01", L"6998-06-01", L"6998-06-01"}},
        {SDateTimePicker::kFieldYear, Time(2024, 6, 1), L"7000",
         {L"2027-06-01", L"2070-06-01", L"2700-06-01", L"2700-06-01"}},
        {SDateTimePicker::kFieldYear, Time(2024, 2, 29), L"2023",
         {L"2022-02-28", L"2020-02-28", L"2202-02-28", L"2023-02-28"}},
        // 13 is no month: "3" starts again.
        {SDateTimePicker::kFieldMonth, Time(2024, 6, 15), L"13", {L"2024-01-15", L"2024-03-15"}},
        {SDateTimePicker::kFieldMonth, Time(2024, 6, 15), L"0", {L"2024-06-15"}},
        {SDateTimePicker::kFieldMonth, Time(2024, 1, 31), L"2", {L"2024-02-29"}},
        {SDateTimePicker::kFieldMonth, Time(2023, 1, 31), L"2", {L"2023-02-28"}},
        {SDateTimePicker::kFieldDay, Time(2024, 6, 15), L"35", {L"2024-06-03", L"2024-06-05"}},
        {SDateTimePicker::kFieldDay, Time(2024, 6, 15), L"30", {L"2024-06-03", L"2024-06-30"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.field << " " << c.digits);
        picker->SetValue(c.start);
        picker->ApplyAttribute(L"timeEnable", L"false", FALSE);
        Select(picker, c.field);
        std::vector<std::wstring> texts;
        for (const wchar_t* digit = c.digits; *digit; ++digit) {
            Type(picker, *digit);
            texts.emplace_back(picker->GetWindowText().c_str());
        }
        EXPECT_EQ(c.texts, texts);
    }

    // The time's fields: 25 is no hour, 67 no minute.
    picker->ApplyAttribute(L"timeEnable", L"1", FALSE);
    picker->SetValue(Time(2024, 6, 1, 10, 20, 30));
    Select(picker, SDateTimePicker::kFieldHour);
    Type(picker, L'2');
    EXPECT_EQ(2, picker->GetValue().wHour);
    Type(picker, L'5');
    EXPECT_EQ(5, picker->GetValue().wHour);
    Key(picker, VK_RIGHT);
    Type(picker, L'6');
    Type(picker, L'7');
    EXPECT_EQ(7, picker->GetValue().wMinute);
    Key(picker, VK_RIGHT);
    Type(picker, L'5');
    Type(picker, L'9');
    EXPECT_EQ(59, picker->GetValue().wSecond);
    EXPECT_STREQ(L"2024-06-01 05:07:59", picker->GetWindowText().c_str());
    // Not a digit: nothing.
    Type(picker, L'x');
    EXPECT_STREQ(L"2024-06-01 05:07:59", picker->GetWindowText().c_str());
    EXPECT_TRUE(m_log.values.empty());   // typing raises nothing
}

TEST_F(SDateTimePickerTest, SteppingWrapsWithinEachField)
{
    SDateTimePicker* const picker = Picker();
    ASSERT_NE(nullptr, picker);
    const struct {
        int field;
        SYSTEMTIME start;
        UINT key;
        const wchar_t* text;
    } steps[] = {
        {SDateTimePicker::kFieldYear, Time(6999, 6, 1), VK_UP, L"6999-06-01 00:00:00"},
        {SDateTimePicker::kFieldYear, Time(1600, 6, 1), VK_DOWN, L"1600-06-01 00:00:00"},
        {SDateTimePicker::kFieldYear, Time(2024, 2, 29), VK_UP, L"2025-02-28 00:00:00"},
        {SDateTimePicker::kFieldMonth, Time(2024, 12, 5), VK_UP, L"2024-01-05 00:00:00"},
        {SDateTimePicker::kFieldMonth, Time(2024, 1, 5), VK_DOWN, L"2024-12-05 00:00:00"},
        {SDateTimePicker::kFieldMonth, Time(2024, 3, 31), VK_DOWN, L"2024-02-29 00:00:00"},
        {SDateTimePicker::kFieldDay, Time(2024, 6, 30), VK_UP, L"2024-06-01 00:00:00"},
        {SDateTimePicker::kFieldDay, Time(2024, 2, 1), VK_DOWN, L"2024-02-29 00:00:00"},
        {SDateTimePicker::kFieldHour, Time(2024, 6, 1, 23), VK_UP, L"2024-06-01 00:00:00"},
        {SDateTimePicker::kFieldHour, Time(2024, 6, 1, 0), VK_DOWN, L"2024-06-01 23:00:00"},
        {SDateTimePicker::kFieldMinute, Time(2024, 6, 1, 0, 59), VK_UP, L"2024-06-01 00:00:00"},
        {SDateTimePicker::kFieldSecond, Time(2024, 6, 1, 0, 0, 0), VK_DOWN, L"2024-06-01 00:00:59"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.text);
        picker->SetValue(s.start);
        Select(picker, s.field);
        Key(picker, s.key);
        EXPECT_STREQ(s.text, picker->GetWindowText().c_str());
    }
    // The wheel steps too: up away from the user.
    picker->SetValue(Time(2024, 6, 1));
    Select(picker, SDateTimePicker::kFieldMonth);
    EXPECT_EQ(1, picker->SendSwndMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(20, 20)));
    EXPECT_EQ(7, picker->GetValue().wMonth);
    picker->SendSwndMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(20, 20));
    picker->SendSwndMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(20, 20));
    EXPECT_EQ(5, picker->GetValue().wMonth);
    // A step after typed digits starts the typing again.
    Select(picker, SDateTimePicker::kFieldYear);
    Type(picker, L'2');
    Type(picker, L'0');
    Key(picker, VK_UP);
    Type(picker, L'7');
    EXPECT_EQ(2027, picker->GetValue().wYear);
    EXPECT_TRUE(m_log.values.empty());
}

TEST_F(SDateTimePickerTest, ArrowsMoveBetweenFields)
{
    SDateTimePicker* const picker = Picker(L"timeEnable='false'");
    ASSERT_NE(nullptr, picker);
    Key(picker, VK_LEFT);
    EXPECT_EQ(SDateTimePicker::kFieldYear, picker->GetSelectedField());
    Key(picker, VK_LEFT);
    EXPECT_EQ(SDateTimePicker::kFieldYear, picker->GetSelectedField());
    for (int i = 0; i < 8; ++i)
        Key(picker, VK_RIGHT);
    EXPECT_EQ(SDateTimePicker::kFieldSecond, picker->GetSelectedField());   // also when the time is hidden
}

TEST_F(SDateTimePickerTest, ClicksChooseFieldsAndTheButtonClearsThem)
{
    SDateTimePicker* const picker = Picker(L"btnSkin='cells' margin='0' padding='0'");
    ASSERT_NE(nullptr, picker);
    picker->SetValue(Time(2024, 6, 1, 9, 5, 7));
    EXPECT_EQ(SDateTimePicker::kFieldNone, picker->FieldFromPoint(POINT{12, 20}));   // not measured yet
    Paint();
    const RECT button = picker->ButtonRect();
    const RECT expected = {166, 10, 190, 34};
    EXPECT_TRUE(::EqualRect(&expected, &button));

    // The fields' places follow the digits' width: find each field's first column.
    std::vector<int> starts;
    int last = SDateTimePicker::kFieldNone;
    for (int x = 10; x < 166; ++x) {
        const int field = picker->FieldFromPoint(POINT{x, 20});
        if (field != last)
            starts.push_back(x);
        EXPECT_GE(field, last);
        last = field;
    }
    ASSERT_EQ(6u, starts.size());
    for (size_t i = 0; i < starts.size(); ++i) {
        SCOPED_TRACE(i);
        m_host->Mouse(WM_LBUTTONDOWN, starts[i] + 1, 20, MK_LBUTTON);
        m_host->Mouse(WM_LBUTTONUP, starts[i] + 1, 20);
        EXPECT_EQ(static_cast<int>(i) + 1, picker->GetSelectedField());
        EXPECT_TRUE(picker->IsFocused());
    }
    Paint();
    Keep(L"picker_second_selected");

    // The button: hovered under the mouse, and a press selects no field.
    const std::uint32_t normal = Pixel(178, 22);
    EXPECT_NE(0u, normal);
    m_host->Mouse(WM_MOUSEMOVE, 178, 22);
    EXPECT_EQ(SDateTimePicker::kButtonHover, picker->GetButtonState());
    Paint();
    EXPECT_NE(0u, Pixel(178, 22));
    EXPECT_NE(normal, Pixel(178, 22));   // the skin's hover state
    m_host->Mouse(WM_MOUSEMOVE, 100, 22);
    EXPECT_EQ(SDateTimePicker::kButtonNormal, picker->GetButtonState());
    m_host->Mouse(WM_LBUTTONDOWN, 178, 22, MK_LBUTTON);
    m_host->Mouse(WM_LBUTTONUP, 178, 22);
    EXPECT_EQ(SDateTimePicker::kFieldNone, picker->GetSelectedField());
    // The popup is open: the button stays pushed while the mouse leaves.
    ASSERT_NE(nullptr, picker->GetDropDown());
    EXPECT_EQ(SDateTimePicker::kButtonPushed, picker->GetButtonState());
    m_host->Mouse(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(SDateTimePicker::kButtonPushed, picker->GetButtonState());
    picker->CloseDropDown();
    EXPECT_EQ(nullptr, picker->GetDropDown());
    EXPECT_EQ(SDateTimePicker::kButtonNormal, picker->GetButtonState());

    // Losing the focus closes the popup, and so does the picker's end.
    m_host->Mouse(WM_LBUTTONDOWN, 178, 22, MK_LBUTTON);
    m_host->Mouse(WM_LBUTTONUP, 178, 22);
    ASSERT_NE(nullptr, picker->GetDropDown());
    picker->KillFocus();
    EXPECT_EQ(nullptr, picker->GetDropDown());
    m_host->Mouse(WM_LBUTTONDOWN, 178, 22, MK_LBUTTON);
    m_host->Mouse(WM_LBUTTONUP, 178, 22);
    ASSERT_NE(nullptr, picker->GetDropDown());
    const HWND popup = picker->GetDropDown()->GetHwnd();
    ASSERT_TRUE(::IsWindow(popup));
    m_host->DestroyChild(picker);
    EXPECT_FALSE(::IsWindow(popup));
}

TEST_F(SDateTimePickerTest, PaintsTheSelectedFieldHighlighted)
{
    SDateTimePicker* const picker = Picker(L"margin='0' padding='0'");
    ASSERT_NE(nullptr, picker);
    picker->SetValue(Time(2024, 6, 1, 9, 5, 7));
    Paint();
    Select(picker, SDateTimePicker::kFieldMonth);
    Paint();
    Keep(L"picker_month_selected");
    // The month's box is the highlight's blue, the year's not.
    int monthX = 0;
    for (int x = 10; x < 166 && !monthX; ++x) {
        if (picker->FieldFromPoint(POINT{x, 20}) == SDateTimePicker::kFieldMonth)
            monthX = x;
    }
    ASSERT_GT(monthX, 0);
    const Pixels pixels = ReadPixels(m_host->Canvas());
    auto highlighted = [&](int left, int right) {
        int count = 0;
        for (int x = left; x < right; ++x) {
            for (int y = 10; y < 34; ++y)
                count += PixelAt(pixels, kWidth, x, y) == 0xFF0078D7u;
        }
        return count;
    };
    EXPECT_GT(highlighted(monthX, monthX + 4), 20);
    EXPECT_EQ(0, highlighted(10, monthX - 2));
}
