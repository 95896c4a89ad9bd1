// Element timers through a real message loop: each tick reaches its own window
// with that window's id, a timer set twice runs once, killing a window's handle
// kills its timers, a timer whose window is gone ticks into nothing, and the
// service's end kills the system timers it still held. A second window ticks
// beside the one under test as the clock that shows the loop ran long enough.

#include "SakuAppTest.h"

#include "core/STimer2.h"
#include "core/SWindow.h"
#include "core/SWindowMgr.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace SAKU;
using saku_test::SakuAppTest;

namespace {

constexpr UINT kElapse = 10;

// A window that keeps the ids of the element-timer ticks it receives.
class TickWindow : public SWindow {
public:
    std::vector<WPARAM> ticks;
    std::vector<LPARAM> tickParams;

    BOOL ProcessSwndMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message != UM_TIMER2)
            return SWindow::ProcessSwndMessage(message, wParam, lParam, result);
        SetMsgHandled(TRUE);
        ticks.push_back(wParam);
        tickParams.push_back(lParam);
        result = 0;
        return TRUE;
    }
};

class STimer2Test : public SakuAppTest {
protected:
    void SetUp() override
    {
        SakuAppTest::SetUp();
        // The application makes both once it knows them; until then the test does.
        if (!SWindowMgr::GetInstance())
            m_windowMgr = std::make_unique<SWindowMgr>();
        if (!STimer2::GetInstance())
            m_timers = std::make_unique<STimer2>();
    }
    void TearDown() override
    {
        m_timers.reset();
        m_windowMgr.reset();
        SakuAppTest::TearDown();
    }

    static STimer2& Timers() { return *STimer2::GetInstance(); }

    static SAutoRef<TickWindow> NewWindow() { return SAutoRef<TickWindow>::Adopt(new TickWindow); }

    // Dispatches the thread's messages until `done` answers true; false when it
    // did not within `limitMs` (a guard against a hang, not a measure of speed).
    static bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 20000)
    {
        const DWORD start = ::GetTickCount();
        while (!done()) {
            const DWORD spent = ::GetTickCount() - start;
            if (spent >= limitMs)
                return false;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, limitMs - spent, QS_ALLINPUT);
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        return true;
    }

    // The system ids the service holds now.
    static std::vector<UINT> SystemTimers()
    {
        std::vector<UINT> ids;
        for (auto* node = Timers().GetStartPosition(); node; node = Timers().GetNext(node))
            ids.push_back(node->key);
        return ids;
    }

    std::unique_ptr<SWindowMgr> m_windowMgr;
    std::unique_ptr<STimer2> m_timers;
};

}  // namespace

TEST_F(STimer2Test, EachTickReachesItsWindowWithItsOwnId)
{
    auto first = NewWindow();
    auto second = NewWindow();
    ASSERT_NE(0u, first->GetSwnd());
    ASSERT_TRUE(Timers().SetTimer(first->GetSwnd(), 7, kElapse));
    ASSERT_TRUE(Timers().SetTimer(second->GetSwnd(), 300, kElapse));
    ASSERT_TRUE(PumpUntil([&] { return first->ticks.size() >= 3 && second->ticks.size() >= 3; }));

    EXPECT_EQ(std::vector<WPARAM>(first->ticks.size(), 7), first->ticks);
    EXPECT_EQ(std::vector<WPARAM>(second->ticks.size(), 300), second->ticks);
    EXPECT_EQ(std::vector<LPARAM>(first->tickParams.size(), 0), first->tickParams);
    Timers().KillTimer(first->GetSwnd());
    Timers().KillTimer(second->GetSwnd());
}

TEST_F(STimer2Test, SettingTheSameTimerTwiceLeavesOne)
{
    auto window = NewWindow();
    ASSERT_TRUE(Timers().SetTimer(window->GetSwnd(), 5, kElapse));
    ASSERT_TRUE(Timers().SetTimer(window->GetSwnd(), 5, kElapse));
    ASSERT_TRUE(Timers().SetTimer(window->GetSwnd(), 6, kElapse));
    EXPECT_EQ(2, Timers().GetCount());

    Timers().KillTimer2(window->GetSwnd(), 5);
    EXPECT_EQ(1, Timers().GetCount());
    window->ticks.clear();
    ASSERT_TRUE(PumpUntil([&] { return window->ticks.size() >= 4; }));
    // Only the one left ticks: had the first id 5 survived, its ticks would show here.
    EXPECT_EQ(std::vector<WPARAM>(window->ticks.size(), 6), window->ticks);

    Timers().KillTimer2(window->GetSwnd(), 99);   // no such timer: nothing happens
    EXPECT_EQ(1, Timers().GetCount());
    Timers().KillTimer2(window->GetSwnd(), 6);
    EXPECT_EQ(0, Timers().GetCount());
}

TEST_F(STimer2Test, KillingAHandleKillsEveryTimerOfIt)
{
    auto killed = NewWindow();
    auto clock = NewWindow();
    ASSERT_TRUE(Timers().SetTimer(killed->GetSwnd(), 1, kElapse));
    ASSERT_TRUE(Timers().SetTimer(killed->GetSwnd(), 2, kElapse));
    ASSERT_TRUE(Timers().SetTimer(clock->GetSwnd(), 1, kElapse));

    Timers().KillTimer(killed->GetSwnd());
    EXPECT_EQ(1, Timers().GetCount());
    killed->ticks.clear();
    ASSERT_TRUE(PumpUntil([&] { return clock->ticks.size() >= 4; }));
    EXPECT_TRUE(killed->ticks.empty());
    Timers().KillTimer(clock->GetSwnd());
}

TEST_F(STimer2Test, ADestroyedWindowTakesItsTimersWithIt)
{
    auto doomed = NewWindow();
    auto clock = NewWindow();
    const SWND doomedHandle = doomed->GetSwnd();
    ASSERT_TRUE(Timers().SetTimer(doomedHandle, 1, kElapse));
    ASSERT_TRUE(Timers().SetTimer(doomedHandle, 2, kElapse));
    ASSERT_TRUE(Timers().SetTimer(clock->GetSwnd(), 1, kElapse));

    doomed = SAutoRef<TickWindow>();   // the last reference: the window and its handle go
    EXPECT_EQ(nullptr, SWindowMgr::GetWindow(doomedHandle));
    EXPECT_EQ(1, Timers().GetCount());
    ASSERT_TRUE(PumpUntil([&] { return clock->ticks.size() >= 3; }));
    Timers().KillTimer(clock->GetSwnd());
}

TEST_F(STimer2Test, ATimerWhoseWindowIsGoneTicksIntoNothing)
{
    auto clock = NewWindow();
    const SWND neverAWindow = clock->GetSwnd() + 1000;
    ASSERT_TRUE(Timers().SetTimer(neverAWindow, 4, kElapse));
    ASSERT_TRUE(Timers().SetTimer(clock->GetSwnd(), 1, kElapse));
    ASSERT_TRUE(PumpUntil([&] { return clock->ticks.size() >= 4; }));
    // It stays until its handle is unregistered.
    EXPECT_EQ(2, Timers().GetCount());
    SWindowMgr::DestroyWindow(neverAWindow);
    EXPECT_EQ(1, Timers().GetCount());
    Timers().KillTimer(clock->GetSwnd());
}

TEST_F(STimer2Test, TheServiceEndKillsTheSystemTimersItHeld)
{
    {
        auto window = NewWindow();
        ASSERT_TRUE(Timers().SetTimer(window->GetSwnd(), 1, kElapse));
        ASSERT_TRUE(Timers().SetTimer(window->GetSwnd(), 2, kElapse));
        const std::vector<UINT> systemIds = SystemTimers();
        ASSERT_EQ(2u, systemIds.size());
        // The window outlives the service here, as it may at exit.
        if (m_timers)
            m_timers.reset();
        else
            m_app.reset();   // the application's own service
        ASSERT_EQ(nullptr, STimer2::GetInstance());
        for (const UINT id : systemIds)
            EXPECT_FALSE(::KillTimer(nullptr, id)) << "timer " << id << " was still running";
    }
    // A tick already queued finds no service and does nothing.
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
}
