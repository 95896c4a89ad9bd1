#include "ContainerTest.h"

#include "core/IAcceleratorMgr.h"
#include "core/SWindowMgr.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace SAKU;

namespace saku_test {
namespace {

using SwndContainerMouse = ContainerTest;

TEST_F(SwndContainerMouse, HoverAndLeaveFollowTheWindowUnderTheMouse)
{
    STestWnd* const a = Add(L"a", {10, 10, 60, 60});
    STestWnd* const b = Add(L"b", {100, 10, 150, 60});

    m_host->Mouse(WM_MOUSEMOVE, 20, 20);
    EXPECT_EQ((MessageLog{L"a:hover", L"a:move"}), Take());
    EXPECT_EQ(a->GetSwnd(), m_host->GetHover());
    m_host->Mouse(WM_MOUSEMOVE, 30, 30);
    EXPECT_EQ((MessageLog{L"a:move"}), Take());
    m_host->Mouse(WM_MOUSEMOVE, 120, 20);
    EXPECT_EQ((MessageLog{L"a:leave", L"b:hover", L"b:move"}), Take());
    EXPECT_EQ(b->GetSwnd(), m_host->GetHover());

    m_host->DoFrameEvent(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ((MessageLog{L"b:leave"}), Take());
    EXPECT_EQ(0u, m_host->GetHover());
}

TEST_F(SwndContainerMouse, DisabledWindowGetsNoMouseMessages)
{
    STestWnd* const a = Add(L"a", {10, 10, 60, 60});
    a->EnableWindow(FALSE, FALSE);

    m_host->Mouse(WM_MOUSEMOVE, 20, 20);
    m_host->Mouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    EXPECT_FALSE(m_host->IsMsgHandled());
    EXPECT_EQ(MessageLog{}, Take());
    EXPECT_EQ(0u, m_host->OnSetSwndCapture(a->GetSwnd()));   // nor can it take the capture
}

TEST_F(SwndContainerMouse, MarginIsHoveredAsNonClient)
{
    STestWnd* const a = Add(L"a", {10, 10, 90, 90});
    ASSERT_TRUE(SUCCEEDED(a->ApplyAttribute(L"margin", L"10", FALSE)));

    m_host->Mouse(WM_MOUSEMOVE, 50, 50);
    EXPECT_EQ((MessageLog{L"a:hover", L"a:move"}), Take());
    m_host->Mouse(WM_MOUSEMOVE, 15, 50);   // into the margin: no leave
    EXPECT_EQ((MessageLog{L"a:nchover", L"a:ncmove"}), Take());
    m_host->Mouse(WM_LBUTTONDOWN, 15, 50, MK_LBUTTON);
    EXPECT_EQ((MessageLog{L"a:nclbuttondown"}), Take());
    m_host->Mouse(WM_MOUSEMOVE, 50, 50);
    EXPECT_EQ((MessageLog{L"a:ncleave", L"a:move"}), Take());

    m_host->Mouse(WM_MOUSEMOVE, 15, 50);
    Take();
    m_host->DoFrameEvent(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ((MessageLog{L"a:leave", L"a:ncleave"}), Take());
}

TEST_F(SwndContainerMouse, CaptureHolderAloneHearsTheMouseUntilReleased)
{
    STestWnd* const a = Add(L"a", {10, 10, 60, 60});
    STestWnd* const b = Add(L"b", {100, 10, 150, 60});
    m_host->Mouse(WM_MOUSEMOVE, 20, 20);
    Take();

    EXPECT_EQ(0u, m_host->OnSetSwndCapture(a->GetSwnd()));
    EXPECT_EQ(a->GetSwnd(), m_host->OnGetSwndCapture());
    m_host->Mouse(WM_MOUSEMOVE, 120, 20);   // out over b: a is left, once
    EXPECT_EQ((MessageLog{L"a:leave", L"a:move"}), Take());
    m_host->Mouse(WM_MOUSEMOVE, 130, 20);
    EXPECT_EQ((MessageLog{L"a:move"}), Take());
    m_host->Mouse(WM_MOUSEWHEEL, 130, 20);
    EXPECT_EQ((MessageLog{L"a:wheel"}), Take());
    m_host->Mouse(WM_MOUSEMOVE, 20, 20);    // back in
    EXPECT_EQ((MessageLog{L"a:hover", L"a:move"}), Take());
    m_host->DoFrameEvent(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ((MessageLog{L"a:leave"}), Take());

    EXPECT_TRUE(m_host->OnReleaseSwndCapture());
    EXPECT_EQ(0u, m_host->OnGetSwndCapture());
    m_host->Mouse(WM_MOUSEMOVE, 120, 20);
    EXPECT_EQ((MessageLog{L"b:hover", L"b:move"}), Take());
    EXPECT_EQ(b->GetSwnd(), m_host->GetHover());
}

TEST_F(SwndContainerMouse, TrackingWindowHoversByItsOwnRectangle)
{
    STestWnd* const a = Add(L"a", {10, 10, 100, 100});
    a->ApplyAttribute(L"trackMouseEvent", L"1", FALSE);
    Add(L"b", {50, 50, 150, 150});   // on top of a's corner

    const struct {
        POINT point;
        MessageLog expected;
    } steps[] = {
        {{70, 70}, {L"b:hover", L"b:move", L"a:hover"}},
        {{30, 30}, {L"b:leave", L"a:move"}},
        {{70, 70}, {L"b:hover", L"b:move"}},   // a stays hovered under b
        {{120, 120}, {L"b:move", L"a:leave"}},
        {{70, 70}, {L"b:move", L"a:hover"}},
        {{180, 180}, {L"b:leave", L"a:leave"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << step.point.x << "," << step.point.y);
        m_host->Mouse(WM_MOUSEMOVE, step.point.x, step.point.y);
        EXPECT_EQ(step.expected, Take());
    }
    m_host->Mouse(WM_MOUSEMOVE, 70, 70);
    Take();
    m_host->DoFrameEvent(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ((MessageLog{L"b:leave", L"a:leave"}), Take());
}

TEST_F(SwndContainerMouse, WheelGoesToTheFocusOrTheWindowUnderTheMouse)
{
    STestWnd* const a = Add(L"a", {10, 10, 60, 60}, true);
    Add(L"b", {100, 10, 150, 60});
    m_host->OnSetSwndFocus(a->GetSwnd());
    Take();

    m_host->Mouse(WM_MOUSEWHEEL, 120, 20);
    EXPECT_EQ((MessageLog{L"a:wheel"}), Take());
    m_host->SetWheelToHover(true);
    m_host->Mouse(WM_MOUSEWHEEL, 120, 20);
    EXPECT_EQ((MessageLog{L"b:wheel"}), Take());
}

TEST_F(SwndContainerMouse, CursorFallsBackToTheArrow)
{
    ::SetCursor(nullptr);
    EXPECT_EQ(0, m_host->DoFrameEvent(WM_SETCURSOR, 0, MAKELPARAM(20, 20)));
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), ::GetCursor());
}

using SwndContainerKeys = ContainerTest;

TEST_F(SwndContainerKeys, KeysGoToTheFocusWindow)
{
    STestWnd* const a = Add(L"a", {10, 10, 60, 60}, true);
    m_host->DoFrameEvent(WM_KEYDOWN, 'K', 0);
    EXPECT_FALSE(m_host->IsMsgHandled());   // no focus window

    m_host->OnSetSwndFocus(a->GetSwnd());
    EXPECT_EQ(a->GetSwnd(), m_host->GetFocus());
    Take();
    m_host->DoFrameEvent(WM_KEYDOWN, 'K', 0);
    m_host->DoFrameEvent(WM_CHAR, 'k', 0);
    EXPECT_EQ((MessageLog{L"a:keydown", L"a:char"}), Take());
}

TEST_F(SwndContainerKeys, AltLetterIsOfferedAsAnUpperCaseAccelerator)
{
    STestWnd* const a = Add(L"a", {10, 10, 60, 60}, true);
    m_host->OnSetSwndFocus(a->GetSwnd());
    const DWORD altX = CAccelerator('X', false, true, false).GetPacked();

    const struct {
        const char* name;
        bool altHeld;
        bool targetTakes;
        UINT message;
        std::vector<DWORD> offered;
        MessageLog focusGets;
        LPARAM charSeen;   // the wParam the focus window got, 0 for none
    } cases[] = {
        {"alt, taken", true, true, WM_SYSCHAR, {altX}, {}, 0},
        {"alt, declined", true, false, WM_SYSCHAR, {altX}, {L"a:syschar"}, 'X'},
        {"no alt", false, true, WM_CHAR, {}, {L"a:char"}, 'x'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingTarget target("t", nullptr, c.targetTakes);
        m_host->GetAcceleratorMgr()->RegisterAccelerator(CAccelerator(altX), &target);
        Take();
        {
            std::unique_ptr<HeldKeys> keys = c.altHeld ? std::make_unique<HeldKeys>(std::initializer_list<int>{VK_MENU})
                                                       : std::make_unique<HeldKeys>(std::initializer_list<int>{});
            m_host->DoFrameEvent(c.message, 'x', 0);
        }
        EXPECT_EQ(c.offered, target.m_offered);
        EXPECT_EQ(c.focusGets, Take());
        m_host->GetAcceleratorMgr()->RemoveAccelerators(&target);
    }
}

// Notes the virtual key of each key message it is sent, beyond WM_KEYDOWN.
class KeyRecorder : public SWindow {
public:
    std::vector<UINT> keys;

    BOOL ProcessSwndMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP)
            keys.push_back(static_cast<UINT>(wParam));
        return SWindow::ProcessSwndMessage(message, wParam, lParam, result);
    }
};

TEST_F(SwndContainerKeys, AltKeysOfTheNumericPadAndFunctionRowStayTheirKeys)
{
    // F5 is 't' and the pad's 1 is 'a': with Alt held they are keys all the same.
    auto* const window = new KeyRecorder;   // the host holds it
    m_host->InsertChild(window);
    window->SendSwndMessage(WM_CREATE);
    window->OnRelayout(RECT{10, 10, 60, 60});
    m_host->OnSetSwndFocus(window->GetSwnd());
    RecordingTarget altT("t", nullptr, true);
    RecordingTarget altA("a", nullptr, true);
    m_host->GetAcceleratorMgr()->RegisterAccelerator(CAccelerator('T', false, true, false), &altT);
    m_host->GetAcceleratorMgr()->RegisterAccelerator(CAccelerator('A', false, true, false), &altA);
    {
        const HeldKeys alt({VK_MENU});
        for (const UINT message : {WM_SYSKEYDOWN, WM_SYSKEYUP, WM_KEYUP})
            m_host->DoFrameEvent(message, VK_F5, 0);
        m_host->DoFrameEvent(WM_SYSKEYDOWN, VK_NUMPAD1, 0);
    }
    EXPECT_TRUE(altT.m_offered.empty());
    EXPECT_TRUE(altA.m_offered.empty());
    EXPECT_EQ((std::vector<UINT>{VK_F5, VK_F5, VK_F5, VK_NUMPAD1}), window->keys);
    m_host->GetAcceleratorMgr()->RemoveAccelerators(&altT);
    m_host->GetAcceleratorMgr()->RemoveAccelerators(&altA);
}

class CountingHandler : public ITimelineHandler {
public:
    void OnNextFrame() override
    {
        ++m_frames;
        if (m_onFrame)
            m_onFrame();
    }

    int m_frames = 0;
    std::function<void()> m_onFrame;
};

using SwndContainerTimeline = ContainerTest;

TEST_F(SwndContainerTimeline, HandlerMayUnregisterItselfWhileTicking)
{
    CountingHandler first, self, last;
    self.m_onFrame = [&] { EXPECT_TRUE(m_host->UnregisterTimelineHandler(&self)); };
    EXPECT_TRUE(m_host->RegisterTimelineHandler(&first));
    EXPECT_TRUE(m_host->RegisterTimelineHandler(&self));
    EXPECT_TRUE(m_host->RegisterTimelineHandler(&last));
    EXPECT_FALSE(m_host->RegisterTimelineHandler(&first));   // once only

    m_host->OnNextFrame();
    m_host->OnNextFrame();
    EXPECT_EQ(2, first.m_frames);
    EXPECT_EQ(1, self.m_frames);
    EXPECT_EQ(2, last.m_frames);
    EXPECT_FALSE(m_host->UnregisterTimelineHandler(&self));
    EXPECT_TRUE(m_host->UnregisterTimelineHandler(&first));
    EXPECT_TRUE(m_host->UnregisterTimelineHandler(&last));
}

TEST_F(SwndContainerTimeline, HandlerUnregisteredByAnEarlierOneIsNotTicked)
{
    CountingHandler first, second;
    // As the owner of `second` does when the first tick destroys it: after this
    // call `second` may be freed memory.
    first.m_onFrame = [&] { m_host->UnregisterTimelineHandler(&second); };
    m_host->RegisterTimelineHandler(&first);
    m_host->RegisterTimelineHandler(&second);

    m_host->OnNextFrame();
    EXPECT_EQ(1, first.m_frames);
    EXPECT_EQ(0, second.m_frames);
    m_host->UnregisterTimelineHandler(&first);
}

TEST_F(SwndContainerTimeline, HiddenRootDoesNotTick)
{
    CountingHandler handler;
    m_host->RegisterTimelineHandler(&handler);
    m_host->SetVisible(FALSE, FALSE);
    m_host->OnNextFrame();
    EXPECT_EQ(0, handler.m_frames);
    m_host->SetVisible(TRUE, FALSE);
    m_host->OnNextFrame();
    EXPECT_EQ(1, handler.m_frames);
    m_host->UnregisterTimelineHandler(&handler);
}

using SwndContainerDestroyed = ContainerTest;

TEST_F(SwndContainerDestroyed, WindowLeavesNoCaptureHoverOrFocusBehind)
{
    STestWnd* const a = Add(L"a", {10, 10, 60, 60}, true);
    Add(L"b", {100, 10, 150, 60});
    m_host->Mouse(WM_MOUSEMOVE, 20, 20);
    m_host->OnSetSwndFocus(a->GetSwnd());
    m_host->OnSetSwndCapture(a->GetSwnd());
    const SWND gone = a->GetSwnd();

    a->DestroyWindow();
    ASSERT_EQ(nullptr, SWindowMgr::GetWindow(gone));
    EXPECT_EQ(0u, m_host->OnGetSwndCapture());
    EXPECT_EQ(0u, m_host->GetHover());
    EXPECT_EQ(0u, m_host->GetFocus());

    Take();
    m_host->Mouse(WM_LBUTTONDOWN, 120, 20, MK_LBUTTON);   // the click is not swallowed by the gone holder
    EXPECT_EQ((MessageLog{L"b:lbuttondown"}), Take());
    m_host->DoFrameEvent(WM_KEYDOWN, 'K', 0);
    EXPECT_FALSE(m_host->IsMsgHandled());
}

using TestHostCanvas = ContainerTest;

TEST_F(TestHostCanvas, TargetsDrawIntoTheCanvasAtTheirRectangle)
{
    const RECT rect = {20, 30, 60, 50};
    IRenderTarget* const target = m_host->OnGetRenderTarget(rect, kGdcOffscreen);
    ASSERT_NE(nullptr, target);
    const RECT inside = {25, 35, 30, 40};   // host coordinates
    target->FillSolidRect(&inside, 0xFF0000FF);
    m_host->OnReleaseRenderTarget(target, rect, kGdcOffscreen);

    // Stored pixels read 0xAARRGGBB.
    EXPECT_EQ(0xFF0000u, m_host->Canvas()->GetPixel(27, 37) & 0xFFFFFF);
    EXPECT_EQ(0u, m_host->Canvas()->GetPixel(22, 32) & 0xFFFFFF);
    EXPECT_EQ(0u, m_host->Canvas()->GetPixel(32, 42) & 0xFFFFFF);
}

using SwndContainerTree = ContainerTest;

TEST_F(SwndContainerTree, IsTheRootWindowOfItsTree)
{
    EXPECT_STREQ(L"SwndContainerImpl", m_host->GetObjectClass());
    EXPECT_TRUE(m_host->IsClass(L"SwndContainerImpl"));
    EXPECT_TRUE(m_host->IsClass(L"window"));
    EXPECT_EQ(kObjTypeWindow, m_host->GetObjectType());
    EXPECT_EQ(static_cast<ISwndContainer*>(m_host.Get()), m_host->GetContainer());
    STestWnd* const a = Add(L"a", {0, 0, 10, 10});
    EXPECT_EQ(static_cast<ISwndContainer*>(m_host.Get()), a->GetContainer());
}

TEST_F(SwndContainerTree, HandlesCountUpAndAreNeverGivenAgain)
{
    auto first = SAutoRef<SWindow>::Adopt(new SWindow);
    auto second = SAutoRef<SWindow>::Adopt(new SWindow);
    const SWND gone = first->GetSwnd();
    EXPECT_EQ(gone + 1, second->GetSwnd());
    EXPECT_EQ(first.Get(), SWindowMgr::GetWindow(gone));

    first = nullptr;
    EXPECT_EQ(nullptr, SWindowMgr::GetWindow(gone));
    EXPECT_FALSE(SWindowMgr::DestroyWindow(gone));
    auto third = SAutoRef<SWindow>::Adopt(new SWindow);
    EXPECT_EQ(second->GetSwnd() + 1, third->GetSwnd());
    EXPECT_EQ(nullptr, SWindowMgr::GetWindow(0));
}

TEST_F(SwndContainerTree, NumbersTheTreeInPreorder)
{
    STestWnd* const a = Add(L"a", {0, 0, 10, 10});
    STestWnd* const a1 = Add(L"a1", {0, 0, 5, 5}, false, a);
    STestWnd* const b = Add(L"b", {20, 0, 30, 10});
    m_host->SetWndTreeZorderDirty();
    m_host->BuildWndTreeZorder();
    EXPECT_EQ(0u, m_host->GetZOrder());
    EXPECT_EQ(1u, a->GetZOrder());
    EXPECT_EQ(2u, a1->GetZOrder());
    EXPECT_EQ(3u, b->GetZOrder());
}

}  // namespace
}  // namespace saku_test
