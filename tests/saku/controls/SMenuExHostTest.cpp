// The extended popup menu from a test "SMENUEX" resource, run under the display
// server's real keyboard and mouse: keys walk and choose the enabled items, a
// click outside dismisses it, it stays on the monitor, and a hovered item opens
// its sub-menu on the menu's timer.

#include "MenuExTest.h"

#include "controls/SMenuExItem.h"
#include "controls/SMenuExRoot.h"

#include <gtest/gtest.h>

#include <windowsx.h>

#include <algorithm>
#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

constexpr RECT kOwnerRect = {60, 60, 360, 260};

class SMenuExHostTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        ASSERT_TRUE(m_owner.Create(kOwnerRect));
        ASSERT_TRUE(m_menu.LoadMenu(L"menu_main"));
        ::SetCursorPos(5, 5);   // off every menu
    }
    void TearDown() override
    {
        m_owner.DestroyWindow();
        MenuTest::TearDown();
    }

    // Shows the menu at (x, y) while xdotool runs `input` (after the menu had a
    // second to show; empty: none), and waits for the input to end.
    int Run(UINT flags, int x, int y, const std::string& input)
    {
        ::SetForegroundWindow(m_owner.GetHwnd());
        m_owner.messages.clear();
        if (!input.empty())
            StartXdotool("sleep 1 " + input);
        const int result = m_menu.ShowPopup(flags, x, y, m_owner.GetHwnd());
        if (!input.empty()) {
            EXPECT_TRUE(PumpUntil([this] { return XdotoolDone(); }, 20000));
        }
        return result;
    }
    SMenuExItem* Item(int id) { return static_cast<SMenuExItem*>(m_menu.GetMenuRoot()->FindChildByID(id, 1)); }
    SMenuEx* SubMenu() { return Item(9)->GetSubMenu(); }

    MenuExOwner m_owner;
    SMenuEx m_menu;
};

TEST_F(SMenuExHostTest, RealKeysChooseTheEnabledItems)
{
    const struct {
        const char* keys;
        int expected;
    } cases[] = {
        {"key Down Down Return", 3},   // the disabled item and the separator are passed by
        {"key Up Down Return", 1},     // Up takes the last item, Down wraps to the first
        {"key Escape", 0},
        {"type s", 4},                 // the disabled item with the same hot key is not chosen
        {"type o", 1},
        {"key Down Down Down Right Return", 51},   // Right opens the sub-menu on its first item
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        MenuExWatch watch([] {});
        EXPECT_EQ(c.expected, Run(kMenuExReturnCmd, 150, 150, c.keys));
        EXPECT_FALSE(watch.timedOut);
        EXPECT_FALSE(IsShown(&m_menu));
        EXPECT_FALSE(IsShown(SubMenu()));
        EXPECT_FALSE(SMenuEx::IsRunning());
        EXPECT_EQ(nullptr, m_menu.GetCurrentItem());
    }
}

TEST_F(SMenuExHostTest, OnlyAChosenItemIsSentAsACommand)
{
    const struct {
        const char* name;
        const char* keys;      // empty: ExitPopup(7) from a timer
        int commands;
    } cases[] = {
        {"exit 7", "", 1},
        {"Escape", "key Escape", 0},
        {"Copy", "key Down Down Return", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool fromTimer = *c.keys == '\0';
        MenuExWatch watch([&] {
            if (fromTimer && IsShown(&m_menu))
                SMenuEx::ExitPopup(7);
        });
        EXPECT_EQ(1, Run(0, 150, 150, c.keys));
        ASSERT_EQ(c.commands, m_owner.Count(WM_COMMAND));
        if (c.commands) {
            EXPECT_EQ(WPARAM(fromTimer ? 7 : 3), m_owner.Last(WM_COMMAND)->wParam);
        }
    }
}

TEST_F(SMenuExHostTest, AnOwnerThatLosesTheForegroundEndsTheRunWithoutACommand)
{
    MenuExOwner other;
    ASSERT_TRUE(other.Create(RECT{400, 300, 500, 400}));
    ::SetForegroundWindow(m_owner.GetHwnd());
    const struct {
        UINT flags;
        int expected;
    } cases[] = {
        {kMenuExReturnCmd, -1},
        {0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        MenuExWatch watch([&] {
            if (IsShown(&m_menu))
                ::SetForegroundWindow(other.GetHwnd());
        });
        EXPECT_EQ(c.expected, Run(c.flags, 150, 150, ""));
        EXPECT_FALSE(watch.timedOut);
        EXPECT_EQ(0, m_owner.Count(WM_COMMAND));
    }
    other.DestroyWindow();
}

TEST_F(SMenuExHostTest, ExitPopupFromATimerIsTheResult)
{
    MenuExWatch watch([this] {
        if (IsShown(&m_menu))
            SMenuEx::ExitPopup(7);
    });
    EXPECT_EQ(7, Run(kMenuExReturnCmd, 150, 150, ""));
    EXPECT_FALSE(watch.timedOut);
}

TEST_F(SMenuExHostTest, ARealClickOutsideDismissesAndReachesTheOwner)
{
    MenuExWatch watch([] {});
    const POINT onOwner = {kOwnerRect.left + 20, kOwnerRect.top + 20};
    EXPECT_EQ(0, Run(kMenuExReturnCmd, 200, 100, "mousemove " + Xy(onOwner) + " sleep 0.3 click 1"));
    EXPECT_FALSE(watch.timedOut);
    Pump();
    ASSERT_EQ(1, m_owner.Count(WM_LBUTTONDOWN));
    const LPARAM at = m_owner.Last(WM_LBUTTONDOWN)->lParam;
    EXPECT_EQ(20, GET_X_LPARAM(at));
    EXPECT_EQ(20, GET_Y_LPARAM(at));
}

TEST_F(SMenuExHostTest, TheMenuIsAsBigAsItsItemsAndStaysOnTheMonitor)
{
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    const struct {
        const char* name;
        POINT at;
        bool leftOfPoint;
        bool abovePoint;
    } cases[] = {
        {"room", {150, 150}, false, false},
        {"right edge", {screenWidth - 10, 150}, true, false},
        {"bottom", {150, screenHeight - 10}, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RECT shown = {};
        MenuExWatch watch([&] {
            if (!IsShown(&m_menu))
                return;
            shown = ScreenRectOf(&m_menu);
            SMenuEx::ExitPopup(0);
        });
        EXPECT_EQ(0, Run(kMenuExReturnCmd, c.at.x, c.at.y, ""));
        // The root's own events (its size, as it is laid out to show) go to the owner.
        if (&c == &cases[0]) {
            const auto fromRoot = std::count_if(m_owner.menuEvents.begin(), m_owner.menuEvents.end(), [&](const auto& e) {
                return e.first == 8104 && e.second == static_cast<IObject*>(m_menu.GetMenuRoot());
            });
            EXPECT_LE(1, fromRoot);
        }
        int widest = 0;
        int height = 0;
        for (SWindow* item = m_menu.GetMenuRoot()->GetWindow(GSW_FIRSTCHILD); item; item = item->GetWindow(GSW_NEXTSIBLING)) {
            const SIZE size = item->GetDesiredSize(10000, 10000);
            if (size.cx < 2000)
                widest = std::max<int>(widest, size.cx);
            height += size.cy;
        }
        EXPECT_EQ(5 * 24 + 5, height);   // five items and the 5-pixel separator
        EXPECT_EQ(std::max(100, widest), shown.right - shown.left);
        EXPECT_EQ(height, shown.bottom - shown.top);
        EXPECT_EQ(c.leftOfPoint ? c.at.x : c.at.x + (shown.right - shown.left), shown.right);
        EXPECT_EQ(c.abovePoint ? c.at.y : c.at.y + height, shown.bottom);
    }
}

TEST_F(SMenuExHostTest, ASubMenuWithoutRoomOnTheRightOpensLeftOfItsParent)
{
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const struct {
        const char* name;
        int x;
        bool left;
    } cases[] = {
        {"room", 150, false},
        {"right edge", screenWidth - 150, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RECT parent = {};
        RECT sub = {};
        MenuExWatch watch([&] {
            if (!IsShown(SubMenu()))
                return;
            parent = ScreenRectOf(&m_menu);
            sub = ScreenRectOf(SubMenu());
            SMenuEx::ExitPopup(0);
        });
        EXPECT_EQ(0, Run(kMenuExReturnCmd, c.x, 150, "key Down Down Down Right"));
        EXPECT_FALSE(watch.timedOut);
        const int width = sub.right - sub.left;
        EXPECT_LT(0, width);
        EXPECT_EQ(c.left ? parent.left - 3 - width : parent.right + 3, sub.left);
        const RECT more = Item(9)->GetWindowRect();
        EXPECT_EQ(parent.top + more.top, sub.top);
    }
}

// Which timer messages the main menu's window took, and whether the sub-menu
// showed before the first of them.
struct TimerLog {
    static inline HWND menu = nullptr;
    static inline const SMenuEx* subMenu = nullptr;
    static inline int subMenuTimers = 0;
    static inline bool shownBeforeTimer = false;

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const MSG* const msg = reinterpret_cast<const MSG*>(lParam);
        if (code == HC_ACTION && wParam == PM_REMOVE && msg->hwnd == menu && msg->message == WM_TIMER &&
            msg->wParam == 100) {
            if (subMenuTimers == 0 && IsShown(subMenu))
                shownBeforeTimer = true;
            ++subMenuTimers;
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
};

TEST_F(SMenuExHostTest, ARealHoverOpensTheSubMenuOnTheMenusTimer)
{
    TimerLog::menu = m_menu.GetHwnd();
    TimerLog::subMenu = SubMenu();
    const HHOOK hook = ::SetWindowsHookExW(WH_GETMESSAGE, &TimerLog::Hook, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    int timersWhenShown = -1;
    bool pictured = false;
    MenuExWatch watch([&] {
        if (!IsShown(SubMenu()))
            return;
        if (timersWhenShown < 0)
            timersWhenShown = TimerLog::subMenuTimers;
        if (!XdotoolDone() || pictured)
            return;
        // The hover ended a while ago: both menus have painted.
        pictured = true;
        KeepPng(m_menu.GetCacheTarget(), L"TIVALA_PAINT_PNG", L"menuex_open");
        KeepPng(SubMenu()->GetCacheTarget(), L"TIVALA_PAINT_PNG", L"menuex_submenu");
        SMenuEx::ExitPopup(0);
    });
    // "More" is the fifth row: under two items, the 5-pixel separator and a third item.
    const POINT onMore = {150 + 50, 150 + 3 * 24 + 5 + 12};
    ::SetForegroundWindow(m_owner.GetHwnd());
    m_owner.messages.clear();
    StartXdotool("sleep 1 mousemove " + Xy(onMore) + " sleep 2");
    const int result = m_menu.ShowPopup(kMenuExReturnCmd, 150, 150, m_owner.GetHwnd());
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(0, result);
    EXPECT_TRUE(pictured);
    EXPECT_FALSE(TimerLog::shownBeforeTimer);
    EXPECT_EQ(1, timersWhenShown);
    ASSERT_EQ(1, m_owner.Count(WM_INITMENUPOPUP));
    EXPECT_EQ(reinterpret_cast<WPARAM>(SubMenu()), m_owner.Last(WM_INITMENUPOPUP)->wParam);
    EXPECT_EQ(4, m_owner.Last(WM_INITMENUPOPUP)->lParam);   // Open, Save as, the separator, Copy, then More
}

}  // namespace
