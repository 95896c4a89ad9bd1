#include "ContainerTest.h"

#include "core/CFocusManager.h"
#include "core/IAcceleratorMgr.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

using namespace SAKU;

namespace saku_test {
namespace {

class FocusTest : public ContainerTest {
protected:
    // Adds a focusable window; `windows` finds it by name afterwards.
    STestWnd* Focusable(const wchar_t* name, SWindow* parent = nullptr)
    {
        STestWnd* const window = Add(name, NextRect(), true, parent);
        m_windows[name] = window;
        return window;
    }
    STestWnd* Radio(const wchar_t* name, SWindow* parent, bool checked = false)
    {
        STestWnd* const radio = Focusable(name, parent);
        radio->SetGrouped(true);
        if (checked)
            radio->SetCheck(TRUE);
        return radio;
    }
    STestWnd* Panel(const wchar_t* name)
    {
        STestWnd* const panel = Add(name, NextRect());
        m_windows[name] = panel;
        return panel;
    }

    // The name of the focus window, "" for none.
    std::wstring Focused()
    {
        const SWND focus = m_host->GetFocus();
        for (const auto& entry : m_windows) {
            if (entry.second->GetSwnd() == focus)
                return entry.first;
        }
        return focus == 0 ? L"" : L"?";
    }
    void Focus(const wchar_t* name) { m_host->OnSetSwndFocus(m_windows.at(name)->GetSwnd()); }
    void Key(UINT key, std::initializer_list<int> held = {})
    {
        HeldKeys keys(held);
        m_host->DoFrameEvent(WM_KEYDOWN, key, 0);
    }
    // The focus after each press of `key` (with `held`), from no focus.
    std::vector<std::wstring> FocusWalk(UINT key, std::initializer_list<int> held, int presses)
    {
        std::vector<std::wstring> walk;
        for (int i = 0; i < presses; ++i) {
            Key(key, held);
            walk.push_back(Focused());
        }
        return walk;
    }

    std::map<std::wstring, STestWnd*> m_windows;

private:
    RECT NextRect()
    {
        const int left = 4 * m_placed++;
        return RECT{left, 0, left + 4, 4};
    }
    int m_placed = 0;
};

using FocusTab = FocusTest;

TEST_F(FocusTab, WalksPreorderAndSkipsDisabledAndHiddenWindows)
{
    Focusable(L"a");
    STestWnd* const panel = Panel(L"p");   // not focusable itself
    Focusable(L"p1", panel);
    Focusable(L"p2", panel)->EnableWindow(FALSE, FALSE);
    Focusable(L"h")->SetVisible(FALSE, FALSE);
    STestWnd* const hiddenPanel = Panel(L"q");
    Focusable(L"q1", hiddenPanel);
    hiddenPanel->SetVisible(FALSE, FALSE);   // hidden through its parent
    Focusable(L"c");

    EXPECT_EQ((std::vector<std::wstring>{L"a", L"p1", L"c", L"a"}), FocusWalk(VK_TAB, {}, 4));
    m_host->OnSetSwndFocus(0);
    EXPECT_EQ((std::vector<std::wstring>{L"c", L"p1", L"a", L"c"}), FocusWalk(VK_TAB, {VK_SHIFT}, 4));
}

TEST_F(FocusTab, ShiftTabFromNothingTakesTheDeepestLastWindow)
{
    Focusable(L"a");
    STestWnd* const panel = Focusable(L"p");
    STestWnd* const inner = Focusable(L"p1", panel);
    Focusable(L"p11", inner);
    EXPECT_EQ((std::vector<std::wstring>{L"p11", L"p1", L"p", L"a"}), FocusWalk(VK_TAB, {VK_SHIFT}, 4));
}

TEST_F(FocusTab, NothingFocusableChangesNothing)
{
    Panel(L"a");
    Key(VK_TAB);
    EXPECT_EQ(L"", Focused());
    EXPECT_TRUE(m_host->IsMsgHandled());
}

TEST_F(FocusTab, GroupIsOneStopOnItsCheckedMember)
{
    Focusable(L"a");
    STestWnd* const group = Panel(L"g");
    Radio(L"r1", group);
    Radio(L"r2", group, true);
    Radio(L"r3", group);
    Focusable(L"c");

    EXPECT_EQ((std::vector<std::wstring>{L"a", L"r2", L"c", L"a"}), FocusWalk(VK_TAB, {}, 4));
    Focus(L"c");
    EXPECT_EQ((std::vector<std::wstring>{L"r2", L"a"}), FocusWalk(VK_TAB, {VK_SHIFT}, 2));
}

TEST_F(FocusTab, WindowThatWantsTabGetsItAndCtrlTabNeverMoves)
{
    STestWnd* const a = Focusable(L"a");
    Focusable(L"b");
    a->SetDlgCode(0x2);
    Focus(L"a");
    Take();

    Key(VK_TAB);
    EXPECT_EQ(L"a", Focused());
    Focus(L"b");
    Take();
    Key(VK_TAB, {VK_CONTROL});
    EXPECT_EQ(L"b", Focused());
    EXPECT_EQ((MessageLog{L"b:keydown"}), Take());
}

// A panel of a hundred thousand windows that take no focus lies between the two
// stops: each press crosses all of them, into the panel and out again.
TEST_F(FocusTab, CrossesAHundredThousandSiblingsBothWays)
{
    Focusable(L"a");
    STestWnd* const panel = Panel(L"p");
    for (int i = 0; i < 100000; ++i)
        panel->InsertChild(new SWindow);   // the panel adopts the first reference
    Focusable(L"z");

    EXPECT_EQ((std::vector<std::wstring>{L"a", L"z", L"a"}), FocusWalk(VK_TAB, {}, 3));
    EXPECT_EQ((std::vector<std::wstring>{L"z", L"a", L"z"}), FocusWalk(VK_TAB, {VK_SHIFT}, 3));
}

using FocusGroup = FocusTest;

TEST_F(FocusGroup, ArrowsMoveAroundTheGroupPassingOverOthers)
{
    STestWnd* const group = Panel(L"g");
    Radio(L"r1", group);
    Radio(L"r2", group);
    Focusable(L"x", group);   // not a member
    Radio(L"r3", group);

    const struct {
        const wchar_t* from;
        UINT key;
        const wchar_t* to;
    } cases[] = {
        {L"r1", VK_RIGHT, L"r2"}, {L"r2", VK_DOWN, L"r3"}, {L"r3", VK_DOWN, L"r1"},
        {L"r1", VK_UP, L"r3"},    {L"r3", VK_LEFT, L"r2"}, {L"x", VK_DOWN, L"x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " " << c.key);
        Focus(c.from);
        Key(c.key);
        EXPECT_EQ(c.to, Focused());
    }
    EXPECT_EQ(kFocusChangeKeyboard, static_cast<int>(m_windows[L"r2"]->LastLParam(WM_SETFOCUS)));
}

TEST_F(FocusGroup, ArrowsSkipUnfitMembersAndStopWhereTheyBegan)
{
    STestWnd* const group = Panel(L"g");
    Radio(L"r1", group)->EnableWindow(FALSE, FALSE);
    Radio(L"r2", group);
    Radio(L"r3", group)->SetVisible(FALSE, FALSE);
    Focus(L"r2");
    Take();

    Key(VK_DOWN);
    EXPECT_EQ(L"r2", Focused());
    EXPECT_TRUE(m_host->IsMsgHandled());   // taken, not sent on
    EXPECT_EQ(MessageLog{}, Take());
}

using FocusActivation = FocusTest;

TEST_F(FocusActivation, DeactivationParksTheFocusAndActivationRestoresIt)
{
    Focusable(L"a");
    Focus(L"a");
    Take();

    m_host->DoFrameEvent(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(L"", Focused());
    EXPECT_EQ((MessageLog{L"a:killfocus"}), Take());
    m_host->DoFrameEvent(WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(L"a", Focused());
    EXPECT_EQ((MessageLog{L"a:setfocus"}), Take());
    EXPECT_EQ(kFocusChangeRestored, m_windows[L"a"]->LastLParam(WM_SETFOCUS));

    m_host->DoFrameEvent(WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(L"", Focused());
    m_host->DoFrameEvent(WM_SETFOCUS, 0, 0);
    EXPECT_EQ(L"a", Focused());
}

TEST_F(FocusActivation, FocusParkedTwiceIsStillRestored)
{
    Focusable(L"a");
    Focus(L"a");
    Take();

    // What a host hears when another program is activated, then when it comes back.
    m_host->DoFrameEvent(WM_KILLFOCUS, 0, 0);
    m_host->DoFrameEvent(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ((MessageLog{L"a:killfocus"}), Take());
    m_host->DoFrameEvent(WM_SETFOCUS, 0, 0);
    m_host->DoFrameEvent(WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(L"a", Focused());
    EXPECT_EQ((MessageLog{L"a:setfocus"}), Take());
}

TEST_F(FocusActivation, WhileParkedOnlyWhatIsRestoredChanges)
{
    const struct {
        const char* name;
        std::function<void()> whileParked;
        const wchar_t* restored;
    } cases[] = {
        {"focus moved", [this] { Focus(L"b"); }, L"b"},
        {"window disabled", [this] { m_windows[L"a"]->EnableWindow(FALSE, FALSE); }, L""},
        {"window hidden", [this] { m_windows[L"a"]->SetVisible(FALSE, FALSE); }, L""},
        {"window destroyed", [this] { m_windows[L"a"]->DestroyWindow(); m_windows.erase(L"a"); }, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Focusable(L"a");
        Focusable(L"b");
        Focus(L"a");
        m_host->DoFrameEvent(WM_ACTIVATE, WA_INACTIVE, 0);
        c.whileParked();
        EXPECT_EQ(L"", Focused());
        m_host->DoFrameEvent(WM_ACTIVATE, WA_ACTIVE, 0);
        EXPECT_EQ(c.restored, Focused());
        for (auto& entry : m_windows)
            entry.second->DestroyWindow();
        m_windows.clear();
    }
}

TEST_F(FocusActivation, DisabledTargetEndsWithNoFocus)
{
    Focusable(L"a");
    Focusable(L"b")->EnableWindow(FALSE, FALSE);
    Focus(L"a");
    Take();
    Focus(L"b");
    EXPECT_EQ(L"", Focused());
    EXPECT_EQ((MessageLog{L"a:killfocus"}), Take());
}

using FocusAccelerators = FocusTest;

TEST_F(FocusAccelerators, NewestTargetIsAskedFirst)
{
    std::vector<std::string> asked;
    RecordingTarget older("older", &asked, true);
    RecordingTarget declining("declining", &asked, false);
    RecordingTarget newest("newest", &asked, true);
    const CAccelerator ctrlS('S', true, false, false);
    IAcceleratorMgr* const mgr = m_host->GetAcceleratorMgr();
    mgr->RegisterAccelerator(ctrlS, &older);
    mgr->RegisterAccelerator(ctrlS, &declining);

    Key('S', {VK_CONTROL});
    EXPECT_EQ((std::vector<std::string>{"declining", "older"}), asked);
    EXPECT_TRUE(m_host->IsMsgHandled());

    asked.clear();
    mgr->RegisterAccelerator(ctrlS, &newest);
    Key('S', {VK_CONTROL});
    EXPECT_EQ((std::vector<std::string>{"newest"}), asked);

    asked.clear();
    mgr->UnregisterAccelerator(ctrlS, &newest);
    mgr->RemoveAccelerators(&older);
    Key('S', {VK_CONTROL});
    EXPECT_EQ((std::vector<std::string>{"declining"}), asked);
    EXPECT_FALSE(m_host->IsMsgHandled());   // no focus window to take it either

    asked.clear();
    Key('S');   // without Ctrl another accelerator
    EXPECT_EQ(std::vector<std::string>{}, asked);
    mgr->RemoveAccelerators(&declining);
}

}  // namespace
}  // namespace saku_test
