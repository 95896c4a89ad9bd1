// A menu bar in a real host window under the display server's mouse and keyboard:
// its buttons sit in a row, a press opens the button's menu below it, a chosen
// item is reported once, a dismissed menu not at all, and moving onto the next
// button switches menus without a click.

#include "MenuExTest.h"
#include "../layout/LayoutBoxes.h"

#include "controls/SMenuBar.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

struct SelectLog {
    std::vector<std::pair<UINT, SMenuEx*>> chosen;
    BOOL OnSelect(EventSelectMenu* selected)
    {
        chosen.emplace_back(selected->id, selected->menu);
        return TRUE;
    }
};

class SMenuBarHostTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        m_host = std::make_unique<SHostWnd>();
        ASSERT_TRUE(LoadLayout(*m_host, kLayout));
        ::SetWindowPos(m_host->GetHwnd(), nullptr, 80, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowInFront(*m_host);
        m_bar = m_host->FindChildByName2<SMenuBar>(L"bar");
        ASSERT_NE(nullptr, m_bar);
        m_bar->GetEventSet()->SubscribeEvent(EventSelectMenu::EventID, Subscriber(&SelectLog::OnSelect, &m_log));
        ::SetCursorPos(5, 5);
    }
    void TearDown() override
    {
        if (m_host && m_host->GetHwnd())
            DestroyHost(*m_host);
        m_host.reset();
        MenuTest::TearDown();
    }

    POINT OnButton(int index) const
    {
        const RECT rect = m_bar->GetButton(index)->GetWindowRect();
        return OnScreen(m_host->GetHwnd(), POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    }
    // Runs the input while the menus it opens run, and waits for both to end.
    void Drive(const std::string& input)
    {
        ::SetForegroundWindow(m_host->GetHwnd());
        StartXdotool(input);
        EXPECT_TRUE(PumpUntil([this] { return XdotoolDone() && !SMenuEx::IsRunning(); }, 30000));
        Pump();
    }

    static constexpr wchar_t kLayout[] =
        L"<SAKU width='300' height='150' wndType='normal'><root colorBkgnd='#FFFFFFFF'>"
        L"<menubar name='bar' pos='0,0,-0,@20' margin='0'><btnStyle colorText='#000000' skin='menu.item3'/><menus>"
        L"<menuItem menuName='menu_main'>File</menuItem>"
        L"<menuItem menuName='SMENUEX:menu_edit'>Edit</menuItem>"
        L"<menuItem>Nothing</menuItem>"
        L"<menuItem menuName='no_such_menu'>Missing</menuItem>"
        L"</menus></menubar>"
        L"</root></SAKU>";

    std::unique_ptr<SHostWnd> m_host;
    SMenuBar* m_bar = nullptr;
    SelectLog m_log;
};

TEST_F(SMenuBarHostTest, ButtonsStandInARowAndOnlyNamedMenusMakeOne)
{
    ASSERT_EQ(2, m_bar->GetButtonCount());   // without a name, or with a missing menu, no button
    EXPECT_EQ(2u, m_bar->GetChildrenCount());
    const RECT first = m_bar->GetButton(0)->GetWindowRect();
    const RECT second = m_bar->GetButton(1)->GetWindowRect();
    EXPECT_EQ(DescribeRect(RECT{1, 0, 50, 20}), DescribeRect(first));
    EXPECT_EQ(DescribeRect(RECT{51, 0, 100, 20}), DescribeRect(second));
    EXPECT_EQ(L"File", std::wstring(m_bar->GetButton(0)->GetWindowText().c_str()));
    ::RedrawWindow(m_host->GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    KeepPng(m_host->GetCacheTarget(), L"TIVALA_PAINT_PNG", L"menubar");
}

TEST_F(SMenuBarHostTest, APressOpensTheMenuBelowTheButtonAndAChoiceIsReportedOnce)
{
    RECT shown = {};
    bool pictured = false;
    MenuExWatch watch([&] {
        SMenuEx* const menu = m_bar->GetButton(1)->GetMenu();
        if (!IsShown(menu))
            return;
        shown = ScreenRectOf(menu);
        if (!pictured && m_bar->GetButton(1)->IsChecked()) {
            pictured = true;   // the button shows checked while its menu is open
            KeepPng(m_host->GetCacheTarget(), L"TIVALA_PAINT_PNG", L"menubar_open");
            KeepPng(menu->GetCacheTarget(), L"TIVALA_PAINT_PNG", L"menubar_menu");
        }
    });
    // Edit's first item, Undo (ID 5), lies 12 pixels into the menu.
    const POINT onUndo = {OnButton(1).x, OnButton(1).y + 10 + 2 + 12};
    Drive("mousemove " + Xy(OnButton(1)) + " sleep 0.3 click 1 sleep 1.5 mousemove " + Xy(onUndo) +
          " sleep 0.5 click 1 sleep 0.5");
    EXPECT_FALSE(watch.timedOut);
    EXPECT_TRUE(pictured);
    RECT window = {};
    ::GetWindowRect(m_host->GetHwnd(), &window);
    EXPECT_EQ(window.left + 51, shown.left);
    EXPECT_EQ(window.top + 20 + 2, shown.top);
    ASSERT_EQ(1u, m_log.chosen.size());
    EXPECT_EQ(5u, m_log.chosen[0].first);
    EXPECT_EQ(m_bar->GetButton(1)->GetMenu(), m_log.chosen[0].second);
}

TEST_F(SMenuBarHostTest, ADismissedMenuReportsNothing)
{
    // With no owner set, the bar's menus belong to the host window it stands in.
    EXPECT_EQ(m_host->GetHwnd(), m_bar->GetOwnerWnd());
    MenuExOwner other;
    ASSERT_TRUE(other.Create(RECT{500, 400, 560, 440}));
    const struct {
        const char* name;
        const char* after;       // xdotool input once the menu showed
        bool loseForeground;     // the host loses the foreground while the menu shows
    } cases[] = {
        {"Escape", "key Escape sleep 0.5", false},
        {"foreground", "sleep 0.5", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MenuExWatch watch([&] {
            if (c.loseForeground && IsShown(m_bar->GetButton(0)->GetMenu()))
                ::SetForegroundWindow(other.GetHwnd());
        });
        Drive("mousemove " + Xy(OnButton(0)) + " sleep 0.3 click 1 sleep 1.5 " + c.after);
        EXPECT_FALSE(watch.timedOut);
        EXPECT_TRUE(m_log.chosen.empty());
        EXPECT_FALSE(IsShown(m_bar->GetButton(0)->GetMenu()));
    }
    other.DestroyWindow();
}

TEST_F(SMenuBarHostTest, MovingOntoTheNextButtonSwitchesMenusWithoutAClick)
{
    std::vector<int> opened;   // the button whose menu showed, each time one showed
    int showing = -1;
    MenuExWatch watch([&] {
        int now = -1;
        for (int i = 0; i < 2; ++i) {
            if (IsShown(m_bar->GetButton(i)->GetMenu()))
                now = i;
        }
        if (now != showing && now >= 0)
            opened.push_back(now);
        showing = now;
    });
    Drive("mousemove " + Xy(OnButton(0)) + " sleep 0.3 click 1 sleep 1.5 mousemove " + Xy(OnButton(1)) +
          " sleep 1.5 key Escape sleep 0.5");
    EXPECT_FALSE(watch.timedOut);
    EXPECT_EQ((std::vector<int>{0, 1}), opened);
    EXPECT_TRUE(m_log.chosen.empty());
    EXPECT_FALSE(IsShown(m_bar->GetButton(0)->GetMenu()));
    EXPECT_FALSE(IsShown(m_bar->GetButton(1)->GetMenu()));
}

}  // namespace
