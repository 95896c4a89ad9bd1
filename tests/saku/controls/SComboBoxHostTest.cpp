// Combo boxes in a real host window under the display server's mouse and
// keyboard: a click opens the list in a top-level popup below the control; Enter,
// Escape, a click outside and a click on an item close it, each leaving no popup,
// no filter and a normal button; closed, the keys and the wheel step through the
// items; an editable combo keeps what is typed. A combo without its list is an
// empty one.

#include "../core/HostTest.h"
#include "../render/RenderTestSupport.h"
#include "StaleHost.h"

#include "controls/SComboBox.h"
#include "controls/SComboEdit.h"
#include "controls/SListBox.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"

#include <gtest/gtest.h>

#include <richedit.h>

#include <memory>
#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// "list": ten entries of 20 px with 2-px margins, the third chosen; "five": five
// entries; "empty": none, a drop height of 150; "typed": editable; "broken": its
// list class is no list box.
const wchar_t kLayout[] =
    L"<SAKU width='400' height='300' wndType='normal' trCtx='page'>"
    L"<skin><scrollbar name='bar' src='png:sbar_cells'/>"
    L"<colorrect name='drop' normal='#808080' hover='#A0A0A0' pushdown='#404040'/></skin>"
    L"<root colorBkgnd='#FFFFFFFF'>"
    L"<combobox name='list' pos='20,20,@150,@24' animateTime='0' curSel='2' btnSkin='drop' colorText='#000000'>"
    L"<listStyle margin='2' itemHeight='20' colorBkgnd='#FFFFFF' colorItemSelBkgnd='#0000FF' colorText='#000000' sbSkin='bar'/>"
    L"<items><item text='zero'/><item text='one'/><item text='two'/><item text='three'/><item text='four'/>"
    L"<item text='five'/><item text='six'/><item text='seven'/><item text='eight'/><item text='nine'/></items>"
    L"</combobox>"
    L"<combobox name='five' pos='200,20,@150,@24' animateTime='0'>"
    L"<dropdownStyle trCtx='popup'><root colorBkgnd='#00FF00'/></dropdownStyle>"
    L"<listStyle margin='2' itemHeight='20'/>"
    L"<items><item text='a'/><item text='b'/><item text='c'/><item text='d'/><item text='e'/></items></combobox>"
    L"<combobox name='empty' pos='200,60,@150,@24' animateTime='0' dropHeight='150'/>"
    L"<combobox name='typed' dropDown='0' pos='20,120,@150,@24' animateTime='0' curSel='1'>"
    L"<listStyle itemHeight='20'/><items><item text='red'/><item text='green'/><item text='blue'/></items></combobox>"
    L"<combobox name='broken' pos='200,120,@150,@24' animateTime='0'>"
    L"<listStyle wndclass='edit'/><items><item text='lost'/></items></combobox>"
    L"</root></SAKU>";

struct ComboEvents {
    std::vector<int> selections;   // 19000, their index
    int dropdowns = 0;             // 19001
    BOOL OnSelChange(EventCBSelChange* event)
    {
        selections.push_back(event->index);
        return TRUE;
    }
    BOOL OnDropdown(EventCBDropdown* event)
    {
        dropdowns += event->dropDown ? 1 : 0;
        return TRUE;
    }
};

class SComboBoxHostTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        DispatchLoop() = App().GetMsgLoop();
        m_hostStore = std::make_unique<SHostWnd>();   // after the application, which gives it its handle
        ASSERT_TRUE(LoadLayout(m_host(), kLayout));
        m_window = m_host().GetHwnd();
        ::SetWindowPos(m_window, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        m_list = Combo(L"list");
        ASSERT_NE(nullptr, m_list);
    }
    void TearDown() override
    {
        if (m_hostStore && m_hostStore->GetHwnd())
            DestroyHost(*m_hostStore);
        m_hostStore.reset();
        HostTest::TearDown();
    }

    SComboBox* Combo(const wchar_t* name) { return m_host().FindChildByName2<SComboBox>(name); }
    void Listen(SComboBox* combo)
    {
        combo->GetEventSet()->SubscribeEvent(EventCBSelChange::EventID, Subscriber(&ComboEvents::OnSelChange, &m_events));
        combo->GetEventSet()->SubscribeEvent(EventCBDropdown::EventID, Subscriber(&ComboEvents::OnDropdown, &m_events));
    }
    // A point of the host's client area as xdotool takes it.
    std::string At(int x, int y) { return Xy(OnScreen(m_window, POINT{x, y})); }
    // Whether the application's loop has a filter that eats a Down key now.
    bool LoopEatsDown()
    {
        MSG msg = {m_window, WM_KEYDOWN, VK_DOWN, 0, 0, {}};
        return App().GetMsgLoop()->PreTranslateMessage(&msg) != FALSE;
    }
    // Opens `combo` with a real click; its popup's window.
    HWND ClickOpen(SComboBox* combo)
    {
        const RECT rect = combo->GetWindowRect();
        Drive("mousemove " + At(rect.left + 30, rect.top + 12) + " sleep 0.2 click 1 sleep 0.3");
        return combo->GetDropDownWnd() ? combo->GetDropDownWnd()->GetHwnd() : nullptr;
    }
    // What every way of closing leaves.
    void ExpectClosed(SComboBox* combo, HWND popup)
    {
        EXPECT_FALSE(::IsWindow(popup));
        EXPECT_EQ(0u, combo->GetButtonState());
        EXPECT_EQ(nullptr, combo->GetDropDownWnd());
        EXPECT_FALSE(LoopEatsDown());
        EXPECT_EQ(nullptr, combo->GetListBox()->GetParent());
    }

    SHostWnd& m_host() { return *m_hostStore; }

    std::unique_ptr<SHostWnd> m_hostStore;
    HWND m_window = nullptr;
    SComboBox* m_list = nullptr;
    ComboEvents m_events;
};

}  // namespace

TEST_F(SComboBoxHostTest, ARealClickOpensTheListInATopmostPopupBelow)
{
    Listen(m_list);
    ::SetCursorPos(0, 0);
    ShowInFront(m_host());
    const HWND popup = ClickOpen(m_list);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(1, m_events.dropdowns);
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(popup, GWL_EXSTYLE));
    EXPECT_EQ(static_cast<DWORD>(WS_EX_TOPMOST | WS_EX_TOOLWINDOW), exStyle & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
    EXPECT_TRUE(::IsWindowVisible(popup));
    EXPECT_EQ(::GetDesktopWindow(), ::GetAncestor(popup, GA_PARENT));   // top-level,
    EXPECT_EQ(m_window, ::GetWindow(popup, GW_OWNER));                    // owned by the host
    EXPECT_EQ(2u, m_list->GetButtonState());
    RECT placed = {};
    ::GetWindowRect(popup, &placed);
    const POINT below = OnScreen(m_window, POINT{20, 44});
    EXPECT_EQ(below.x, placed.left);
    EXPECT_EQ(below.y, placed.top);
    EXPECT_EQ(150, placed.right - placed.left);
    EXPECT_EQ(200, placed.bottom - placed.top);   // 10 x 20 + 4, capped at 200
    SListBox* const list = m_list->GetListBox();
    EXPECT_EQ(m_list->GetDropDownWnd(), list->GetParent());
    EXPECT_TRUE(list->IsVisible(TRUE));
    EXPECT_LE(list->GetTopIndex(), 2);
    EXPECT_GT(list->GetTopIndex() + 9, 2);   // the current entry shows

    ::RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ::RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    KeepPng(m_list->GetDropDownWnd()->GetCacheTarget(), L"TIVALA_PAINT_PNG", L"combo_popup");
    KeepPng(m_host().GetCacheTarget(), L"TIVALA_PAINT_PNG", L"combo_host");
    const auto pixels = ReadPixels(m_list->GetDropDownWnd()->GetCacheTarget());
    EXPECT_EQ(0xFF0000FFu, PixelAt(pixels, 150, 100, 2 + 2 * 20 + 3));   // the chosen entry
    // The popup is a window of its own: the whole screen shows it with its host.
    if (const char* shot = ::getenv("TIVALA_SCREEN_PNG"))
        (void)tivala::test::HostCommand::Run(std::string("import -window root '") + shot + "'", m_scratch.UnixPath());
    Drive("key Escape sleep 0.3");
    ExpectClosed(m_list, popup);
}

TEST_F(SComboBoxHostTest, EachWayOfClosingLeavesNoPopupFilterOrPushedButton)
{
    Listen(m_list);
    ::SetCursorPos(0, 0);
    ShowInFront(m_host());

    // Down moves in the open list; Enter closes with IDOK and raises the change once more.
    HWND popup = ClickOpen(m_list);
    ASSERT_NE(nullptr, popup);
    Drive("key Down sleep 0.3");
    EXPECT_EQ(std::vector<int>{3}, m_events.selections);
    Drive("key Return sleep 0.3");
    EXPECT_EQ((std::vector<int>{3, 3}), m_events.selections);
    ExpectClosed(m_list, popup);

    // Escape closes without one.
    popup = ClickOpen(m_list);
    ASSERT_NE(nullptr, popup);
    Drive("key Escape sleep 0.3");
    EXPECT_EQ(2u, m_events.selections.size());
    ExpectClosed(m_list, popup);

    // A click on the host outside the popup dismisses it.
    popup = ClickOpen(m_list);
    ASSERT_NE(nullptr, popup);
    Drive("mousemove " + At(380, 280) + " sleep 0.2 click 1 sleep 0.3");
    EXPECT_EQ(2u, m_events.selections.size());
    EXPECT_EQ(3, m_list->CurrentIndex());
    ExpectClosed(m_list, popup);

    // A click on an entry selects it, then closes (IDCANCEL: no second change).
    popup = ClickOpen(m_list);
    ASSERT_NE(nullptr, popup);
    Drive("mousemove " + At(100, 44 + 2 + 5 * 20 + 10) + " sleep 0.2 click 1 sleep 0.3");
    EXPECT_EQ((std::vector<int>{3, 3, 5}), m_events.selections);
    EXPECT_EQ(5, m_list->CurrentIndex());
    EXPECT_EQ(SStringW(L"five"), m_list->GetWindowText());
    ExpectClosed(m_list, popup);
    EXPECT_EQ(4, m_events.dropdowns);
}

TEST_F(SComboBoxHostTest, ThePopupGoesAboveOnlyWhenTheMonitorEndsFirst)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ASSERT_TRUE(::GetMonitorInfoW(::MonitorFromWindow(m_window, MONITOR_DEFAULTTOPRIMARY), &monitor));
    const int height = 100;
    const struct {
        int gap;   // below the control's bottom + height, to the monitor's bottom
        BOOL below;
    } cases[] = {{0, TRUE}, {-1, FALSE}, {50, TRUE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gap);
        // The control's bottom is 44 px under the host's top.
        const int hostTop = monitor.rcMonitor.bottom - c.gap - height - 44;
        ::SetWindowPos(m_window, nullptr, 100, hostTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        const POINT top = OnScreen(m_window, POINT{20, 20});
        RECT place = {};
        EXPECT_EQ(c.below, m_list->PlaceDropDown(height, &place));
        const RECT expected = c.below ? RECT{top.x, top.y + 24, top.x + 150, top.y + 24 + height}
                                      : RECT{top.x, top.y - height, top.x + 150, top.y};
        EXPECT_TRUE(::EqualRect(&expected, &place));
    }
}

TEST_F(SComboBoxHostTest, ThePopupIsAsHighAsTheEntriesUpToTheDropHeight)
{
    ShowInFront(m_host());
    const struct {
        const wchar_t* name;
        int height;
        const wchar_t* trCtx;   // the popup's: its style's, else the combo's
    } cases[] = {
        {L"five", 5 * 20 + 4, L"popup"},
        {L"list", 200, L"page"},    // 204 capped
        {L"empty", 150, L"page"},   // the drop height
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SComboBox* const combo = Combo(c.name);
        ASSERT_NE(nullptr, combo);
        combo->OpenDropDown();
        ASSERT_NE(nullptr, combo->GetDropDownWnd());
        const HWND popup = combo->GetDropDownWnd()->GetHwnd();
        RECT placed = {};
        ::GetWindowRect(popup, &placed);
        EXPECT_EQ(c.height, placed.bottom - placed.top);
        EXPECT_STREQ(c.trCtx, combo->GetDropDownWnd()->GetHostAttr().GetTrCtx());
        combo->CloseDropDown();
        Pump();
        EXPECT_FALSE(::IsWindow(popup));
        EXPECT_EQ(nullptr, combo->GetDropDownWnd());
    }
}

TEST_F(SComboBoxHostTest, ClosedTheKeysAndTheWheelStepWithinTheItems)
{
    const struct {
        UINT message;
        WPARAM wParam;
        int from;
        int to;
    } cases[] = {
        {WM_KEYDOWN, VK_DOWN, 2, 3},
        {WM_KEYDOWN, VK_RIGHT, 8, 9},
        {WM_KEYDOWN, VK_DOWN, 9, 9},    // the last stays
        {WM_KEYDOWN, VK_UP, 2, 1},
        {WM_KEYDOWN, VK_LEFT, 0, 0},    // the first stays
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 0), 4, 5},      // a delta of 0 steps on
        {WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 4, 5},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 4, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.message << " " << static_cast<int>(c.wParam) << " from " << c.from);
        ASSERT_TRUE(m_list->SelectIndex(c.from) || m_list->CurrentIndex() == c.from);
        m_list->SendSwndMessage(c.message, c.wParam);
        EXPECT_EQ(c.to, m_list->CurrentIndex());
    }
    EXPECT_EQ(nullptr, m_list->GetDropDownWnd());
}

TEST_F(SComboBoxHostTest, TypingIntoTheEditPartKeepsTheTextAndClearsTheChoice)
{
    SComboBox* const typed = Combo(L"typed");
    ASSERT_NE(nullptr, typed);
    ASSERT_NE(nullptr, typed->GetEditPart());
    EXPECT_EQ(1, typed->CurrentIndex());
    EXPECT_EQ(SStringW(L"green"), typed->EditText());
    ShowInFront(m_host());
    const RECT edit = typed->GetEditPart()->GetWindowRect();
    Drive("mousemove " + At(edit.left + 20, edit.top + 12) + " sleep 0.2 click 1 sleep 0.3");
    Drive("key ctrl+a sleep 0.2 type ab");
    Drive("sleep 0.3");
    EXPECT_EQ(SStringW(L"ab"), typed->EditText());
    EXPECT_EQ(SStringW(L"ab"), typed->GetWindowText());
    EXPECT_EQ(-1, typed->CurrentIndex());

    // A character the list hands on reaches the edit with the key data it had.
    struct CharSeen {
        SComboEdit* edit;
        LPARAM lParam = 0;
        BOOL OnNotify(EventRENotify*)
        {
            if (const MSG* current = edit->GetCurMsg(); current && current->message == WM_CHAR)
                lParam = current->lParam;
            return FALSE;
        }
    } seen{typed->GetEditPart()};
    typed->GetEditPart()->GetEventSet()->SubscribeEvent(EventRENotify::EventID, Subscriber(&CharSeen::OnNotify, &seen));
    const LPARAM keyData = MAKELPARAM(1, 0x2E);
    typed->GetListBox()->SendSwndMessage(WM_CHAR, L'c', keyData);
    EXPECT_EQ(SStringW(L"abc"), typed->EditText());
    EXPECT_EQ(keyData, seen.lParam);
}

TEST_F(SComboBoxHostTest, AComboWithoutItsListIsAnEmptyOne)
{
    SComboBox* const broken = Combo(L"broken");
    ASSERT_NE(nullptr, broken);
    EXPECT_EQ(nullptr, broken->GetListBox());
    EXPECT_EQ(0, broken->ItemCount());
    EXPECT_EQ(-1, broken->CurrentIndex());
    EXPECT_FALSE(broken->SelectIndex(0));
    EXPECT_TRUE(broken->GetWindowText().IsEmpty());
    Listen(broken);
    ShowInFront(m_host());
    const RECT rect = broken->GetWindowRect();
    Drive("mousemove " + At(rect.left + 30, rect.top + 12) + " sleep 0.2 click 1 sleep 0.3");
    broken->SendSwndMessage(WM_KEYDOWN, VK_DOWN);
    broken->SendSwndMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -120));
    broken->OpenDropDown();
    ::RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    EXPECT_EQ(nullptr, broken->GetDropDownWnd());
    EXPECT_EQ(0, m_events.dropdowns);
    EXPECT_TRUE(m_events.selections.empty());
    EXPECT_EQ(0u, broken->GetButtonState());
    EXPECT_FALSE(LoopEatsDown());
}

TEST_F(SComboBoxHostTest, WithoutASkinTheDropButtonIsASquareOfTheClientHeight)
{
    for (const wchar_t* autoFit : {L"1", L"0"}) {
        SCOPED_TRACE(autoFit);
        SComboBox* const five = Combo(L"five");   // no "btnSkin", and no system skins here
        five->ApplyAttribute(L"autoFitDropBtn", autoFit, FALSE);
        RECT button = {};
        five->DropButtonRect(&button);
        const RECT client = five->GetClientRect();
        EXPECT_EQ(client.right, button.right);
        EXPECT_EQ(client.bottom - client.top, button.right - button.left);
        EXPECT_EQ(client.bottom - client.top, button.bottom - button.top);
    }
}

TEST_F(SComboBoxHostTest, APopupThatCannotBeMadeLeavesTheComboClosed)
{
    SAutoRef<IRenderTarget> canvas;
    ASSERT_TRUE(m_renderFactory->CreateRenderTarget(canvas.Put(), 200, 100));
    auto host = SAutoRef<StaleHost>::Adopt(new StaleHost(canvas.Get()));
    host->SetContainer(host.Get());
    host->OnRelayout(RECT{0, 0, 200, 100});
    pugi::xml_document layout;
    ASSERT_TRUE(layout.load_string(L"<combobox pos='10,10,@150,@24' animateTime='0' curSel='0'>"
                                   L"<items><item text='only'/></items></combobox>"));
    host->BuildChildren(layout);
    host->UpdateChildrenPosition();
    auto* const combo = static_cast<SComboBox*>(host->GetWindow(GSW_FIRSTCHILD));
    ASSERT_NE(nullptr, combo);
    Listen(combo);

    host->Mouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    host->Mouse(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(1, m_events.dropdowns);   // it was about to show
    EXPECT_EQ(nullptr, combo->GetDropDownWnd());
    EXPECT_EQ(0u, combo->GetButtonState());
    EXPECT_FALSE(host->LoopEatsDown());
    EXPECT_EQ(nullptr, combo->GetListBox()->GetParent());
    EXPECT_EQ(0, combo->CurrentIndex());
    host->SendSwndMessage(WM_DESTROY);
}
