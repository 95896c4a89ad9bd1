// The window's state: enabled and visible pushed down the tree while each window
// keeps its own flag, the state-change event, focus and capture given up, the
// mouse handlers, and the element timers on the host window.

#include "TestHost.h"
#include "WindowTest.h"

#include "core/Events.h"
#include "core/ISlotFunctor.h"
#include "core/STimer2.h"
#include "core/SwndMsgCracker.h"

#include "TestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

LPARAM PointParam(int x, int y)
{
    return MAKELPARAM(x, y);
}

// Records the events of one window that a test subscribes it to.
struct EventLog {
    std::vector<std::pair<DWORD, DWORD>> stateChanges;
    int commands = 0;
    int buttonUps = 0;
    int visibleChanges = 0;

    BOOL OnStateChanged(EventSwndStateChanged* event)
    {
        stateChanges.push_back({event->oldState, event->newState});
        return TRUE;
    }
    BOOL OnCommand(EventCmd*)
    {
        ++commands;
        return TRUE;
    }
    BOOL OnButtonUp(EventLButtonUp*)
    {
        ++buttonUps;
        return TRUE;
    }
    BOOL OnVisibleChanged(EventSwndVisibleChanged*)
    {
        ++visibleChanges;
        return TRUE;
    }
    void Watch(SWindow* window)
    {
        SEventSet* const events = window->GetEventSet();
        events->SubscribeEvent(EventSwndStateChanged::EventID, Subscriber(&EventLog::OnStateChanged, this));
        events->SubscribeEvent(EventCmd::EventID, Subscriber(&EventLog::OnCommand, this));
        events->SubscribeEvent(EventLButtonUp::EventID, Subscriber(&EventLog::OnButtonUp, this));
        events->SubscribeEvent(EventSwndVisibleChanged::EventID, Subscriber(&EventLog::OnVisibleChanged, this));
    }
};

constexpr const wchar_t* kTree = LR"(
    <window name="root">
      <window name="panel">
        <window name="plain"/>
        <window name="ownOff" enable="0" visible="0"/>
        <window name="inner"><window name="leaf" focusable="1"/></window>
      </window>
    </window>)";

class SWindowState : public WindowTest {};

}  // namespace

TEST_F(SWindowState, DisablingAParentDisablesTheSubtreeAndEnablingKeepsOwnChoices)
{
    SWindow* const root = Build(kTree);
    SWindow* const panel = root->FindChildByName(L"panel");
    const wchar_t* const descendants[] = {L"plain", L"ownOff", L"inner", L"leaf"};

    EXPECT_TRUE(root->FindChildByName(L"ownOff")->IsDisabled(TRUE));
    EXPECT_TRUE(root->FindChildByName(L"ownOff")->IsDisabled(FALSE));   // the layout's choice is its own
    EXPECT_FALSE(root->FindChildByName(L"plain")->IsDisabled(TRUE));

    panel->EnableWindow(FALSE);
    for (const wchar_t* name : descendants) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(root->FindChildByName(name)->IsDisabled(TRUE));
    }
    EXPECT_FALSE(root->FindChildByName(L"leaf")->IsDisabled(FALSE));   // its own flag stays enabled

    panel->EnableWindow(TRUE);
    const struct {
        const wchar_t* name;
        bool disabled;
    } expected[] = {{L"plain", false}, {L"ownOff", true}, {L"inner", false}, {L"leaf", false}};
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(e.disabled, root->FindChildByName(e.name)->IsDisabled(TRUE) != FALSE);
    }
}

TEST_F(SWindowState, HidingAParentHidesTheSubtreeAndShowingKeepsOwnChoices)
{
    SWindow* const root = Build(kTree);
    SWindow* const panel = root->FindChildByName(L"panel");
    SWindow* const ownOff = root->FindChildByName(L"ownOff");
    SWindow* const leaf = root->FindChildByName(L"leaf");
    EXPECT_FALSE(ownOff->IsVisible(TRUE));

    panel->SetVisible(FALSE);
    EXPECT_FALSE(leaf->IsVisible(TRUE));
    EXPECT_TRUE(leaf->IsVisible(FALSE));
    EXPECT_TRUE(leaf->GetState() & WndState_Invisible);

    panel->SetVisible(TRUE);
    EXPECT_TRUE(leaf->IsVisible(TRUE));
    EXPECT_FALSE(ownOff->IsVisible(TRUE));
    EXPECT_FALSE(ownOff->IsVisible(FALSE));
}

TEST_F(SWindowState, ChildrenBuiltUnderAHiddenOrDisabledParentTakeItsStateButKeepTheirFlags)
{
    SWindow* const root = Build(LR"(
        <window><window name="off" visible="0" enable="0"><window name="child"/></window></window>)");
    SWindow* const child = root->FindChildByName(L"child");
    EXPECT_EQ(WndState_Invisible | WndState_Disable, child->GetState() & (WndState_Invisible | WndState_Disable));
    EXPECT_TRUE(child->IsVisible(FALSE));
    EXPECT_FALSE(child->IsDisabled(FALSE));
}

TEST_F(SWindowState, AFocusedWindowLosesTheFocusWhenDisabledOrHidden)
{
    const struct {
        const wchar_t* what;
        void (*change)(SWindow* panel);
    } cases[] = {
        {L"disabled", [](SWindow* panel) { panel->EnableWindow(FALSE); }},
        {L"hidden", [](SWindow* panel) { panel->SetVisible(FALSE); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SWindow* const root = Build(kTree);
        SWindow* const leaf = root->FindChildByName(L"leaf");
        leaf->SetFocus();
        ASSERT_TRUE(leaf->IsFocused());
        c.change(root->FindChildByName(L"panel"));
        EXPECT_FALSE(leaf->IsFocused());
        EXPECT_EQ(0u, m_container.focus);

        leaf->SetFocus();   // an invisible or disabled window takes no focus
        EXPECT_EQ(0u, m_container.focus);
    }
}

TEST_F(SWindowState, AHiddenWindowGivesUpTheCaptureAndADisabledOneCannotTakeIt)
{
    SWindow* const root = Build(kTree);
    SWindow* const leaf = root->FindChildByName(L"leaf");
    EXPECT_EQ(0u, leaf->SetCapture());
    EXPECT_EQ(leaf->GetSwnd(), leaf->GetCapture());
    root->FindChildByName(L"panel")->SetVisible(FALSE);
    EXPECT_EQ(0u, m_container.capture);

    root->FindChildByName(L"panel")->SetVisible(TRUE);
    leaf->EnableWindow(FALSE);
    EXPECT_EQ(0u, leaf->SetCapture());
    EXPECT_EQ(0u, m_container.capture);
}

TEST_F(SWindowState, EveryStateChangeIsAnnouncedWithTheOldAndNewState)
{
    SWindow* const root = Build(LR"(<window><window name="w"/></window>)");
    SWindow* const w = root->FindChildByName(L"w");
    EventLog log;
    log.Watch(w);

    EXPECT_EQ(0u, w->ModifyState(WndState_Hover, 0));
    w->SetCheck(TRUE);
    EXPECT_TRUE(w->IsChecked());
    w->EnableWindow(FALSE);   // disabling takes the hover away
    w->SetCheck(FALSE);
    const std::vector<std::pair<DWORD, DWORD>> expected = {
        {0x00, 0x01},
        {0x01, 0x05},
        {0x05, 0x14},
        {0x14, 0x10},
    };
    EXPECT_EQ(expected, log.stateChanges);
}

TEST_F(SWindowState, APressAndReleaseInsideIsAClickAndOutsideNothing)
{
    SWindow* const root = Build(LR"(<window><window name="button" focusable="1"/></window>)");
    SWindow* const button = root->FindChildByName(L"button");
    const RECT place = {10, 10, 60, 40};
    button->Move(&place);
    EventLog log;
    log.Watch(button);

    button->SendSwndMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(20, 20));
    EXPECT_TRUE(button->GetState() & WndState_PushDown);
    EXPECT_EQ(button->GetSwnd(), m_container.capture);
    EXPECT_TRUE(button->IsFocused());
    button->SendSwndMessage(WM_LBUTTONUP, 0, PointParam(25, 25));
    EXPECT_EQ(1, log.buttonUps);
    EXPECT_EQ(1, log.commands);
    EXPECT_EQ(0u, m_container.capture);
    EXPECT_FALSE(button->GetState() & WndState_PushDown);

    const struct {
        const wchar_t* what;
        bool leaveFirst;
    } outside[] = {{L"released outside", false}, {L"moved out, then released outside", true}};
    for (const auto& c : outside) {
        SCOPED_TRACE(c.what);
        button->SendSwndMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(20, 20));
        if (c.leaveFirst) {
            button->SendSwndMessage(WM_MOUSELEAVE);
            EXPECT_FALSE(button->GetState() & WndState_PushDown);
        }
        button->SendSwndMessage(WM_LBUTTONUP, 0, PointParam(100, 100));
        EXPECT_EQ(1, log.buttonUps);
        EXPECT_EQ(1, log.commands);
        EXPECT_FALSE(button->GetState() & WndState_PushDown);
    }

    // Back in while the button still holds the capture: pushed again, and a click.
    button->SendSwndMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(20, 20));
    button->SendSwndMessage(WM_MOUSELEAVE);
    button->SendSwndMessage(WM_MOUSEHOVER, 0, PointParam(20, 20));
    EXPECT_EQ(WndState_PushDown | WndState_Hover, button->GetState() & (WndState_PushDown | WndState_Hover));
    button->SendSwndMessage(WM_LBUTTONUP, 0, PointParam(20, 20));
    EXPECT_EQ(2, log.commands);
}

TEST_F(SWindowState, TheRightButtonAnswersTheContextMenuCancelFlag)
{
    struct Menu {
        BOOL OnMenu(EventCtxMenu* event)
        {
            point = event->point;
            event->cancel = TRUE;
            return TRUE;
        }
        POINT point = {};
    };
    SWindow* const root = Build(LR"(<window><window name="w"/></window>)");
    SWindow* const w = root->FindChildByName(L"w");
    EXPECT_EQ(0, w->SendSwndMessage(WM_RBUTTONDOWN, 0, PointParam(3, 4)));
    Menu menu;
    w->GetEventSet()->SubscribeEvent(EventCtxMenu::EventID, Subscriber(&Menu::OnMenu, &menu));
    EXPECT_EQ(1, w->SendSwndMessage(WM_RBUTTONDOWN, 0, PointParam(-3, 4)));
    EXPECT_EQ(-3, menu.point.x);   // the point's words are signed
    EXPECT_EQ(4, menu.point.y);
}

TEST_F(SWindowState, MessagesTellWhetherTheMapTookThem)
{
    SWindow* const root = Build(LR"(<window><window name="w"/></window>)");
    SWindow* const w = root->FindChildByName(L"w");
    const struct {
        UINT message;
        BOOL handled;
    } cases[] = {{WM_MOUSEMOVE, TRUE}, {WM_RBUTTONUP, TRUE}, {WM_ERASEBKGND, TRUE}, {WM_CHAR, FALSE}, {WM_USER + 7, FALSE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        BOOL handled = 2;
        w->SendSwndMessage(c.message, 0, 0, &handled);
        EXPECT_EQ(c.handled, handled);
        EXPECT_EQ(nullptr, w->GetCurMsg());
    }
}

TEST_F(SWindowState, ElementTimersRunOnTheHostWithTheWindowInTheirId)
{
    tivala::test::TestWindow host([](UINT, WPARAM, LPARAM) {});
    m_container.host = host.Handle();
    SWindow* const root = Build(LR"(<window><window name="w"/></window>)");
    SWindow* const w = root->FindChildByName(L"w");
    const UINT_PTR low = w->GetSwnd() & 0xFFFFFF;

    const struct {
        char id;
        UINT_PTR hostId;   // 0: refused
    } cases[] = {{0, (0x80u << 24) | low}, {5, (0x85u << 24) | low}, {127, (0xFFu << 24) | low}, {-1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.id));
        EXPECT_EQ(c.hostId != 0, w->SetTimer(c.id, 1000) != FALSE);
        if (c.hostId == 0)
            continue;
        EXPECT_TRUE(::KillTimer(host.Handle(), c.hostId));   // it ran under that id

        ASSERT_TRUE(w->SetTimer(c.id, 1000));
        w->KillTimer(c.id);
        EXPECT_FALSE(::KillTimer(host.Handle(), c.hostId));   // the window's own kill found it
    }
}

namespace {

// Writes its name into a shared list for every WM_USER it gets.
class STestListeningWindow : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"listening", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    static inline std::vector<std::wstring>* heard = nullptr;

    BEGIN_SWND_MSG_MAP(STestListeningWindow)
        MSG_RAW_HANDLER(WM_USER, OnUser)
        CHAIN_MSG_MAP  (SWindow)
    END_MSG_MAP()

private:
    LRESULT OnUser(UINT, WPARAM, LPARAM)
    {
        if (heard)
            heard->push_back(GetName());
        return 0;
    }
};

}  // namespace

TEST_F(SWindowState, ABroadcastReachesEveryWindowDepthFirst)
{
    App().RegisterFactoryOf<STestListeningWindow>();
    SWindow* const root = Build(LR"(
        <window>
          <listening name="a"><listening name="a1"/><listening name="a2"/></listening>
          <listening name="b"/>
        </window>)");
    std::vector<std::wstring> heard;
    STestListeningWindow::heard = &heard;
    root->BroadcastMessage(WM_USER);
    STestListeningWindow::heard = nullptr;
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"a1", L"a2", L"b"}), heard);

    root->BroadcastMessage(UM_SETSCALE, 150);
    EXPECT_EQ(150, root->FindChildByName(L"a2")->QueryStyle().GetScale());
}

TEST_F(SWindowState, TextAndTooltipChangesReachTheLayoutAndTheTooltip)
{
    SWindow* const root = Build(LR"(
        <window layout="testlayout" width="100" height="100">
          <window name="wraps" tip="first"/>
          <window name="fixed" width="50" height="20"/>
        </window>)");
    SWindow* const wraps = root->FindChildByName(L"wraps");
    SWindow* const fixed = root->FindChildByName(L"fixed");
    root->UpdateLayout();
    const int runs = static_cast<STestLayout*>(root->GetLayout())->layoutRuns;

    fixed->SetWindowText(L"same size");
    root->UpdateLayout();
    EXPECT_EQ(runs, static_cast<STestLayout*>(root->GetLayout())->layoutRuns);
    wraps->SetWindowText(L"a longer text");
    root->UpdateLayout();
    EXPECT_EQ(runs + 1, static_cast<STestLayout*>(root->GetLayout())->layoutRuns);
    EXPECT_STREQ(L"a longer text", wraps->GetWindowText(TRUE).c_str());

    SwndToolTipInfo info;
    ASSERT_TRUE(wraps->UpdateToolTip(POINT{}, info));
    EXPECT_STREQ(L"first", info.text.c_str());
    EXPECT_EQ(wraps->GetSwnd(), info.swnd);
    EXPECT_FALSE(fixed->UpdateToolTip(POINT{}, info));   // no tooltip text

    wraps->SetTipText(L"second");
    EXPECT_EQ(0, m_container.tooltipUpdates);   // the mouse is elsewhere
    m_container.hover = wraps->GetSwnd();
    wraps->SetTipText(L"third");
    EXPECT_EQ(1, m_container.tooltipUpdates);
    EXPECT_STREQ(L"third", wraps->GetToolTipText().c_str());
}

TEST_F(SWindowState, MouseTrackingFollowsTheAttribute)
{
    SWindow* const root = Build(LR"(<window><window name="tracked" trackMouseEvent="1"/><window name="plain"/></window>)");
    SWindow* const tracked = root->FindChildByName(L"tracked");
    EXPECT_EQ(std::vector<SWND>{tracked->GetSwnd()}, m_container.trackedWindows);   // registered at creation
    tracked->ApplyAttribute(L"trackMouseEvent", L"0", FALSE);
    EXPECT_TRUE(m_container.trackedWindows.empty());
    root->FindChildByName(L"plain")->ApplyAttribute(L"trackMouseEvent", L"1", FALSE);
    EXPECT_EQ(std::vector<SWND>{root->FindChildByName(L"plain")->GetSwnd()}, m_container.trackedWindows);
}

TEST_F(SWindowState, ALayoutParameterIsTakenOnlyWhenTheParentsLayoutReadsIt)
{
    SWindow* const root = Build(LR"(<window><window name="child"/></window>)");
    SWindow* const child = root->FindChildByName(L"child");
    auto fitting = SAutoRef<ILayoutParam>::Adopt(root->GetLayout()->CreateLayoutParam());
    EXPECT_TRUE(child->SetLayoutParam(fitting.Get()));
    EXPECT_EQ(fitting.Get(), child->GetLayoutParam());
    EXPECT_FALSE(root->SetLayoutParam(fitting.Get()));   // a root has no parent to read it
}

TEST_F(SWindowState, TimersWithoutTheHostGoThroughTheProcessWideService)
{
    std::unique_ptr<STimer2> ownTimers;
    if (!STimer2::GetInstance())
        ownTimers = std::make_unique<STimer2>();
    STimer2* const timers = STimer2::GetInstance();
    SWindow* const root = Build(LR"(<window><window name="w"/></window>)");
    SWindow* const w = root->FindChildByName(L"w");
    const int before = timers->GetCount();
    EXPECT_TRUE(w->SetTimer2(3, 1000));
    EXPECT_TRUE(w->SetTimer2(3, 500));   // the same id again replaces it
    EXPECT_EQ(before + 1, timers->GetCount());
    w->KillTimer2(3);
    EXPECT_EQ(before, timers->GetCount());
}

TEST_F(SWindowState, AClickThroughTheRealContainerCommandsOnlyWhenReleasedInside)
{
    auto host = SAutoRef<TestHost>::Adopt(new TestHost(200, 200));
    auto* const button = new SWindow;   // the host holds this reference
    host->InsertChild(button);
    button->SendSwndMessage(WM_CREATE);
    const RECT place = {20, 20, 80, 60};
    button->Move(&place);
    EventLog log;
    log.Watch(button);

    const struct {
        const wchar_t* what;
        POINT moveTo;     // between the press at (30, 30) and the release
        POINT release;
        int commands;     // after this case, counted from the start
    } cases[] = {
        {L"released inside", {40, 40}, {40, 40}, 1},
        {L"moved out, released outside", {150, 150}, {150, 150}, 1},
        {L"moved out and back, released inside", {150, 150}, {50, 50}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        host->Mouse(WM_MOUSEMOVE, 30, 30);
        host->Mouse(WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
        host->Mouse(WM_MOUSEMOVE, c.moveTo.x, c.moveTo.y, MK_LBUTTON);
        host->Mouse(WM_MOUSEMOVE, c.release.x, c.release.y, MK_LBUTTON);
        host->Mouse(WM_LBUTTONUP, c.release.x, c.release.y);
        EXPECT_EQ(c.commands, log.commands);
        EXPECT_EQ(0u, host->OnGetSwndCapture());
        EXPECT_FALSE(button->GetState() & WndState_PushDown);
    }
    host->SendSwndMessage(WM_DESTROY);
}
