// The bars, spins, split window, hot key, lists, calendars and date-time picker
// in one real host window, arranged by rows, columns and a grid and painted by
// the host; the display server's mouse and keyboard move the slider, select an
// entry, expand a tree item, set a hot key and open the picker's calendar.

#include "../core/HostTest.h"
#include "../render/RenderTestSupport.h"
#include "ControlTest.h"   // CellColour

#include "controls/SCalendar.h"
#include "controls/SCalendarEx.h"
#include "controls/SDateTimePicker.h"
#include "controls/SHotKeyCtrl.h"
#include "controls/SListBox.h"
#include "controls/SSliderBar.h"
#include "controls/STreeCtrl.h"
#include "core/ILayout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

// The root is a row of columns: each column a "vbox" of controls stacked with
// 10 px between them, so a later control joins a column or a new column joins
// the row. The spins and their buddies sit in a grid of two columns.
const wchar_t kGallery[] =
    L"<SAKU width='920' height='280' wndType='normal' title='Extended gallery'>"
    L"<skin>"
    L"<scrollbar name='g_bar' src='png:sbar_cells'/>"
    L"<imglist name='g_cells' src='png:sbar_cells' states='9'/>"
    L"<colorrect name='g_btn' normal='#4080ff' hover='#60a0ff' pushdown='#2060c0' disable='#808080'/>"
    L"<colorrect name='g_sep' normal='#808080'/>"
    L"<shape name='g_thumb'><solid color='#0000ff'/><size width='20' height='20'/></shape>"
    L"<shape name='g_rail'><solid color='#d0d0d0'/><size width='8' height='8'/></shape>"
    L"<shape name='g_done'><solid color='#20a020'/><size width='8' height='8'/></shape>"
    L"</skin>"
    L"<root layout='hbox' padding='10' colorBkgnd='#FFFFFFFF'>"
    L"<window name='values' layout='vbox' margin='0' width='200' height='matchParent' extend_right='10'>"
    L"<scrollbar name='bar' width='matchParent' height='20' vertical='0' skin='g_bar' arrowSize='16' "
    L"min='0' max='99' page='10' value='30' extend_bottom='10'/>"
    L"<sliderbar name='slider' width='matchParent' height='20' margin='0' bkgndSkin='g_rail' posSkin='g_done' "
    L"thumbSkin='g_thumb' value='30' extend_bottom='10'/>"
    L"<window name='spins' layout='gridLayout' columnCount='2' xInterval='10' yInterval='10' margin='0' extend_bottom='10'>"
    L"<text name='buddy1' size='60,20' colorBkgnd='#FFFFE0FF'>5</text>"
    L"<spin name='spin' size='20,40' margin='0' buddy='buddy1' spinSkin='g_cells' max='100'/>"
    L"<text name='buddy2' size='60,20' colorBkgnd='#FFFFE0FF'>7</text>"
    L"<spinButton name='spinButton' size='20,40' margin='0' buddy='buddy2' value='7' max='100'>"
    L"<button name='btn_up' skin='g_btn'/><button name='btn_down' skin='g_btn'/></spinButton>"
    L"</window>"
    L"<hotkey name='hotkey' width='matchParent' height='24' colorText='#000000' colorBkgnd='#F0F0F0FF' extend_bottom='10'/>"
    L"<splitwnd name='split' width='matchParent' height='60' margin='0' sepSize='5' sepSkin='g_sep'>"
    L"<pane name='pane1' idealSize='60' margin='0' colorBkgnd='#ff0000'/>"
    L"<pane name='pane2' idealSize='60' margin='0' colorBkgnd='#00c000'/>"
    L"<pane name='pane3' idealSize='60' margin='0' priority='1' colorBkgnd='#0000ff'/>"
    L"</splitwnd>"
    L"</window>"
    L"<window name='lists' layout='vbox' margin='0' width='230' height='matchParent' extend_right='10'>"
    L"<listbox name='list' width='matchParent' height='100' margin='0' sbSkin='g_bar' itemHeight='20' "
    L"colorItemBkgnd='#FFF0E0' colorItemSelBkgnd='#0000FF' colorSelText='#FFFFFF' extend_bottom='10'>"
    L"<items><item text='Zero'/><item text='One'/><item text='Two'/><item text='Three'/><item text='Four'/>"
    L"<item text='Five'/></items>"
    L"</listbox>"
    L"<treectrl name='tree' width='matchParent' height='150' margin='0' sbSkin='g_bar' itemHeight='24' indent='10' "
    L"toggleSkin='g_cells' colorBkgnd='#E0FFE0FF' colorItemSelBkgnd='#0000FF'>"
    L"<item text='Fruit'><item text='Apple'/><item text='Pear'/></item>"
    L"<item text='Nuts' expand='0'><item text='Almond'/><item text='Walnut'/></item>"
    L"<item text='Grain'/>"
    L"</treectrl>"
    L"</window>"
    L"<window name='dates' layout='vbox' margin='0' width='210' height='matchParent' extend_right='10'>"
    L"<calendar name='calendar' width='matchParent' height='160' margin='0' colorText='#000000' extend_bottom='10'/>"
    L"<dateTimePicker name='picker' width='matchParent' height='24' colorText='#000000'/>"
    L"</window>"
    L"<calendarex name='calendarex' width='210' height='238' margin='0' colorText='#000000'/>"
    L"</root></SAKU>";

// A control of the gallery by name, its tag and where the layout put it.
struct Placed {
    const wchar_t* name;
    const wchar_t* tag;
    RECT rect;
};

class ExtendedGalleryHostTest : public HostTest {
protected:
    void TearDown() override
    {
        if (m_host && m_host->GetHwnd())
            DestroyHost(*m_host);
        m_host.reset();
        HostTest::TearDown();
    }

    // The gallery, shown in front and painted. Made after the application, whose
    // window manager and factories a host's tree needs from its construction on.
    void Open()
    {
        m_host = std::make_unique<SHostWnd>();
        ASSERT_TRUE(LoadLayout(*m_host, kGallery));
        // The pictures are of controls at rest, not hovered by where an earlier test left the pointer.
        ::SetCursorPos(0, 0);
        ShowInFront(*m_host);
        ::UpdateWindow(m_host->GetHwnd());
        Pump();
    }
    void Repaint()
    {
        ::RedrawWindow(m_host->GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
    }
    std::uint32_t Pixel(int x, int y) const
    {
        IRenderTarget* const surface = m_host->GetCacheTarget();
        return PixelAt(ReadPixels(surface), CurrentBitmap(surface)->Width(), x, y);
    }
    // A click at a point of the host's client area, then what it started.
    void Click(POINT client)
    {
        Drive("mousemove " + Xy(OnScreen(m_host->GetHwnd(), client)) + " sleep 0.3 click 1 sleep 0.3");
    }
    template <size_t N>
    void ExpectPlaced(const Placed (&controls)[N]) const
    {
        for (const Placed& c : controls) {
            SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
            SWindow* const window = m_host->FindChildByName(c.name);
            ASSERT_NE(nullptr, window);
            EXPECT_TRUE(window->IsClass(c.tag));
            const RECT rect = window->GetWindowRect();
            EXPECT_TRUE(::EqualRect(&c.rect, &rect))
                << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
        }
    }
    template <class T>
    T* Find(const wchar_t* name) const
    {
        return m_host->FindChildByName2<T>(name);
    }

    std::unique_ptr<SHostWnd> m_host;
};

}  // namespace

TEST_F(ExtendedGalleryHostTest, EveryControlIsArrangedAndPaintedInTheHost)
{
    Open();
    // The row of columns (the root, which is the host itself), the columns and
    // the grid are the layouts their tags name.
    const struct {
        const wchar_t* name;   // null: the root
        const wchar_t* layout;
    } boxes[] = {{nullptr, L"hbox"}, {L"values", L"vbox"}, {L"lists", L"vbox"}, {L"spins", L"gridLayout"}};
    for (const auto& b : boxes) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(b.name ? b.name : L"root")));
        SWindow* const box = b.name ? m_host->FindChildByName(b.name) : m_host.get();
        ASSERT_NE(nullptr, box);
        ASSERT_NE(nullptr, box->GetLayout());
        EXPECT_TRUE(box->GetLayout()->IsClass(b.layout));
    }

    const Placed controls[] = {
        {L"values",     L"window",     {10, 10, 210, 270}},
        {L"lists",      L"window",     {220, 10, 450, 270}},
        {L"bar",        L"scrollbar",  {10, 10, 210, 30}},
        {L"slider",     L"sliderbar",  {10, 40, 210, 60}},
        {L"spins",      L"window",     {10, 70, 100, 160}},
        {L"buddy1",     L"text",       {10, 80, 70, 100}},    // centred in its cell of 60 x 40
        {L"spin",       L"spin",       {80, 70, 100, 110}},
        {L"buddy2",     L"text",       {10, 130, 70, 150}},
        {L"spinButton", L"spinButton", {80, 120, 100, 160}},
        {L"btn_up",     L"button",     {80, 120, 100, 140}},
        {L"btn_down",   L"button",     {80, 140, 100, 160}},
        {L"hotkey",     L"hotkey",     {10, 170, 210, 194}},
        {L"split",      L"splitwnd",   {10, 204, 210, 264}},
        {L"pane1",      L"pane",       {10, 204, 70, 264}},
        {L"pane2",      L"pane",       {75, 204, 145, 264}},
        {L"pane3",      L"pane",       {150, 204, 210, 264}},
        {L"list",       L"listbox",    {220, 10, 450, 110}},
        {L"tree",       L"treectrl",   {220, 120, 450, 270}},
    };
    ExpectPlaced(controls);
    EXPECT_EQ(6, Find<SListBox>(L"list")->GetCount());
    EXPECT_EQ(5 * 24, Find<STreeCtrl>(L"tree")->GetViewSize().cy);   // the nuts collapsed
    EXPECT_EQ(L"\u65e0", std::wstring(Find<SHotKeyCtrl>(L"hotkey")->FormatAccelText().c_str()));   // no key yet

    Repaint();
    KeepPng(m_host->GetCacheTarget(), L"TIVALA_PAINT_PNG", L"extended_gallery");
    const struct {
        const char* what;
        POINT at;
        std::uint32_t colour;
    } pixels[] = {
        {"the slider's thumb",         {10 + 10 + 60, 50},  0xFF0000FFu},
        {"the slider's part done",     {10 + 12, 50},       0xFF20A020u},
        {"the slider's rail",          {10 + 188, 50},      0xFFD0D0D0u},
        {"a buddy",                    {60, 82},            0xFFFFFFE0u},
        {"the spin button's arrow",    {90, 125},           0xFF4080FFu},
        {"the hot key",                {200, 172},          0xFFF0F0F0u},
        {"the first pane",             {40, 230},           0xFFFF0000u},
        {"a gap",                      {72, 230},           0xFF808080u},
        {"the second pane",            {110, 230},          0xFF00C000u},
        {"the third pane",             {180, 230},          0xFF0000FFu},
        {"an entry",                   {400, 15},           0xFFFFF0E0u},
        {"the tree",                   {400, 125},          0xFFE0FFE0u},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(p.colour, Pixel(p.at.x, p.at.y)) << p.what;
    // The bar, the spin and the toggles draw cells of the test image. A cell is
    // 8 x 40 in five bands of 8; centred on a row of 24, its second band is at the row's top.
    EXPECT_NE(0xFFFFFFFFu, Pixel(12, 20)) << "the bar's left arrow";
    EXPECT_NE(0xFFFFFFFFu, Pixel(100, 20)) << "the bar's thumb or rail";
    EXPECT_NE(0xFFFFFFFFu, Pixel(90, 75)) << "the spin's up arrow";
    constexpr std::uint32_t kSecondBand = 40u << 8;
    EXPECT_EQ(CellColour(3) + kSecondBand, Pixel(220 + 2, 120 + 1)) << "the fruits' toggle, expanded";
    EXPECT_EQ(CellColour(0) + kSecondBand, Pixel(220 + 2, 120 + 3 * 24 + 1)) << "the nuts' toggle, collapsed";
}

TEST_F(ExtendedGalleryHostTest, RealInputMovesTheSliderSelectsExpandsAndSetsAHotKey)
{
    Open();
    SSliderBar* const slider = Find<SSliderBar>(L"slider");
    SListBox* const list = Find<SListBox>(L"list");
    STreeCtrl* const tree = Find<STreeCtrl>(L"tree");
    SHotKeyCtrl* const hotkey = Find<SHotKeyCtrl>(L"hotkey");
    ASSERT_TRUE(slider && list && tree && hotkey);

    // The slider's end: its rail runs between the thumb's halves, 20 to 200.
    Click(POINT{200, 50});
    EXPECT_EQ(100, slider->GetValue());
    // An entry takes the selection at the press.
    Click(POINT{300, 10 + 2 * 20 + 10});
    EXPECT_EQ(2, list->GetCurSel());
    // The nuts' toggle, on the fourth row, shows their two children.
    Click(POINT{220 + 4, 120 + 3 * 24 + 12});
    EXPECT_EQ(7 * 24, tree->GetViewSize().cy);
    // A click gives the hot key the focus; Ctrl held around B makes the combination.
    Click(POINT{100, 182});
    ASSERT_TRUE(hotkey->IsFocused());
    Drive("keydown ctrl sleep 0.2 key b sleep 0.2 keyup ctrl sleep 0.3");
    EXPECT_EQ(L"Ctrl+B", std::wstring(hotkey->FormatAccelText().c_str()));

    ::SetCursorPos(0, 0);
    Repaint();
    KeepPng(m_host->GetCacheTarget(), L"TIVALA_PAINT_PNG", L"extended_gallery_after_input");
    EXPECT_EQ(0xFF0000FFu, Pixel(400, 10 + 2 * 20 + 3)) << "the selected entry";
    EXPECT_EQ(0xFF0000FFu, Pixel(205, 50)) << "the thumb at the slider's end";
}

TEST_F(ExtendedGalleryHostTest, TheDateControlsShowAndThePickerOpensItsCalendar)
{
    Open();
    const Placed controls[] = {
        {L"dates",      L"window",         {460, 10, 670, 270}},
        {L"calendar",   L"calendar",       {460, 10, 670, 170}},
        {L"picker",     L"dateTimePicker", {460, 180, 670, 204}},
        {L"calendarex", L"calendarex",     {680, 10, 890, 248}},
    };
    ExpectPlaced(controls);
    SCalendar* const calendar = Find<SCalendar>(L"calendar");
    SCalendarEx* const calendarEx = Find<SCalendarEx>(L"calendarex");
    SDateTimePicker* const picker = Find<SDateTimePicker>(L"picker");
    ASSERT_TRUE(calendar && calendarEx && picker);
    calendar->SetDate(2024, 6, 15);
    calendarEx->SetDate(2024, 6, 15);
    SYSTEMTIME value = {};
    value.wYear = 2024;
    value.wMonth = 6;
    value.wDay = 15;
    value.wHour = 9;
    value.wMinute = 30;
    picker->SetValue(value);
    Repaint();
    EXPECT_EQ(0xFF00FF00u, Pixel(462, 12)) << "the calendar's title";
    EXPECT_EQ(0xFF0000FFu, Pixel(460 + 6 * 30 + 2, 30 + 2 * 20 + 2)) << "the calendar's 15th";
    const RECT selected = calendarEx->CellRect(20);
    EXPECT_EQ(0xFF007ACCu, Pixel(selected.left + 3, selected.top + 3)) << "the extended calendar's 15th";

    // A real click on the picker's button opens the calendar in a window of its own;
    // the wide gallery moves to the screen's left edge first, so that the button is on it.
    ::SetWindowPos(m_host->GetHwnd(), nullptr, 0, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Pump();
    const RECT button = picker->ButtonRect();
    DispatchLoop() = App().GetMsgLoop();
    Click(POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2});
    ASSERT_TRUE(PumpUntil([&] { return picker->GetDropDown() != nullptr; }));
    const HWND popup = picker->GetDropDown()->GetHwnd();
    EXPECT_TRUE(::IsWindowVisible(popup));
    EXPECT_EQ(15, picker->GetCalendar()->GetDay());
    ::RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Repaint();
    KeepScreen(L"TIVALA_PAINT_PNG", L"extended_gallery_picker_open");
    Drive("key Escape sleep 0.3");
    ASSERT_TRUE(PumpUntil([&] { return picker->GetDropDown() == nullptr; }));
    EXPECT_FALSE(::IsWindow(popup));
}
