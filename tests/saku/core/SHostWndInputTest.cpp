#include "HostTest.h"

#include "core/Events.h"
#include "core/ISlotFunctor.h"
#include "core/SWindowMgr.h"

#include "HelperProcess.h"
#include "TestProgram.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

class SHostWndInputTest : public HostTest {};

namespace {

const wchar_t kInputLayout[] =
    L"<SAKU width='200' height='150' resizable='1' margin='5,5,5,5' maxInset='2,3,4,5' minsize='100,80' "
    L"wndType='normal'><root colorBkgnd='#FFFFFFFF'>"
    L"<window name='target' id='9' pos='40,40,@60,@40' colorBkgnd='#FF0000FF'/>"
    L"</root></SAKU>";

// The host timer id of an element's own timer.
UINT_PTR ElementTimerId(SWND swnd, UINT id)
{
    return (static_cast<UINT_PTR>(id | 0x80) << 24) | (swnd & 0xFFFFFF);
}

struct CountingHandler : ITimelineHandler {
    int frames = 0;
    void OnNextFrame() override { ++frames; }
};

// An element that counts the timer ticks it receives.
class TimerProbe : public SWindow {
public:
    std::vector<WPARAM> ticks;
    BOOL ProcessSwndMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_TIMER) {
            ticks.push_back(wParam);
            return TRUE;
        }
        return SWindow::ProcessSwndMessage(message, wParam, lParam, result);
    }
};

// Counts the command events of one element.
struct CommandCounter {
    int commands = 0;
    BOOL OnCommand(EventArgs*)
    {
        ++commands;
        return TRUE;
    }
};

// A window of another "process" that receives the spy's descriptions.
class SpyWindow {
public:
    SpyWindow()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"HostTestSpy";
        ::RegisterClassW(&wc);
        m_window = ::CreateWindowExW(0, L"HostTestSpy", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this);
        ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~SpyWindow() { ::DestroyWindow(m_window); }
    HWND Handle() const { return m_window; }

    ULONG_PTR tag = 0;
    HWND from = nullptr;
    std::string bytes;
    int received = 0;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* const self = reinterpret_cast<SpyWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_COPYDATA && self) {
            const auto* const data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            self->tag = data->dwData;
            self->from = reinterpret_cast<HWND>(wParam);
            self->bytes.assign(static_cast<const char*>(data->lpData), data->cbData);
            ++self->received;
            return TRUE;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    HWND m_window = nullptr;
};

// A host that counts the commands its tree and its menus hand it.
class CommandCountingHost : public SHostWnd {
public:
    int commands = 0;
    BOOL HandleEvent(EventArgs* args) override
    {
        if (args->GetID() != EventCmd::EventID)
            return FALSE;
        ++commands;
        return TRUE;
    }
};

template <typename T>
T Field(const std::string& bytes, size_t offset)
{
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

std::wstring Text(const std::string& bytes, size_t offset, size_t chars)
{
    std::wstring text(chars, L'\0');
    std::memcpy(&text[0], bytes.data() + offset, chars * sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

}  // namespace

TEST_F(SHostWndInputTest, ResizableHostAnswersTheHitTestTable)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, kInputLayout));
    const HWND window = host.GetHwnd();
    const struct { POINT point; UINT code; } cases[] = {
        {{2, 75}, HTLEFT},          {{10, 75}, HTCLIENT},      {{197, 75}, HTRIGHT},
        {{100, 2}, HTTOP},          {{100, 147}, HTBOTTOM},    {{2, 2}, HTTOPLEFT},
        {{197, 2}, HTTOPRIGHT},     {{2, 147}, HTBOTTOMLEFT},  {{197, 147}, HTBOTTOMRIGHT},
        {{195, 75}, HTCLIENT},      // the margin starts past width - right
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        const POINT screen = OnScreen(window, c.point);
        EXPECT_EQ(c.code, ::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)));
    }
    // A host that may not be resized is client everywhere.
    SHostWnd fixed;
    ASSERT_TRUE(LoadLayout(fixed, L"<SAKU width='100' height='100' margin='5,5,5,5' wndType='normal'/>"));
    const POINT edge = OnScreen(fixed.GetHwnd(), POINT{2, 50});
    EXPECT_EQ(HTCLIENT, ::SendMessageW(fixed.GetHwnd(), WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y)));
}

TEST_F(SHostWndInputTest, MinMaxInfoFollowsTheWorkAreaAndTheLayout)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, kInputLayout));
    MINMAXINFO info = {};
    ::SendMessageW(host.GetHwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ASSERT_TRUE(::GetMonitorInfoW(::MonitorFromWindow(host.GetHwnd(), MONITOR_DEFAULTTONEAREST), &monitor));
    const RECT& work = monitor.rcWork;
    EXPECT_EQ(work.left - monitor.rcMonitor.left - 2, info.ptMaxPosition.x);
    EXPECT_EQ(work.top - monitor.rcMonitor.top - 3, info.ptMaxPosition.y);
    EXPECT_EQ(work.right - work.left + 6, info.ptMaxSize.x);
    EXPECT_EQ(work.bottom - work.top + 8, info.ptMaxSize.y);
    EXPECT_EQ(info.ptMaxSize.x, info.ptMaxTrackSize.x);
    EXPECT_EQ(100, info.ptMinTrackSize.x);
    EXPECT_EQ(80, info.ptMinTrackSize.y);
}

// A press whose release another window's capture swallows is released by the
// host itself, off every element: the element lets go and sees no click.
TEST_F(SHostWndInputTest, HeldButtonIsReleasedWhenTheCaptureGoes)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, kInputLayout));
    ::ShowWindow(host.GetHwnd(), SW_SHOWNOACTIVATE);
    SWindow* const target = host.FindChildByName(L"target");
    ASSERT_TRUE(target);
    CommandCounter counter;
    target->GetEventSet()->SubscribeEvent(EventCmd::EventID, Subscriber(&CommandCounter::OnCommand, &counter));

    ::SendMessageW(host.GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
    ::SendMessageW(host.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    EXPECT_EQ(target->GetSwnd(), host.OnGetSwndCapture());
    EXPECT_EQ(host.GetHwnd(), ::GetCapture());
    EXPECT_EQ(0, counter.commands);

    const HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ::SetCapture(other);   // the host hears WM_CAPTURECHANGED
    EXPECT_EQ(0, counter.commands);
    EXPECT_EQ(0u, host.OnGetSwndCapture());
    EXPECT_EQ(0, target->GetState() & WndState_PushDown);
    ::ReleaseCapture();
    ::DestroyWindow(other);
    Pump();
    EXPECT_EQ(0, counter.commands);
}

// The menu event and the script timer carry pointers of the host's own thread.
// Sent by another process they are answered 0 unread, whatever the pointer: none,
// a made-up one, or one that happens to name a live command of this process (what
// the sender cannot know, the host cannot check). The host lives on and still
// takes them from its own thread.
TEST_F(SHostWndInputTest, PointerMessagesFromAnotherProcessAreRefused)
{
    CommandCountingHost host;
    ASSERT_TRUE(LoadLayout(host, kInputLayout));
    const HWND window = host.GetHwnd();
    SWindow* const target = host.FindChildByName(L"target");
    ASSERT_TRUE(target);
    EventCmd command(target);
    const std::wstring live = std::to_wstring(reinterpret_cast<UINT_PTR>(static_cast<EventArgs*>(&command)));
    const std::wstring sender = tivala::test::BesideTestProgram(L"message_sender.exe");
    const struct {
        UINT message;
        std::wstring lParam;
    } sends[] = {{UM_MENUEVENT, L"0"}, {UM_MENUEVENT, L"0x12345678"}, {UM_MENUEVENT, live},
                 {UM_SCRIPTTIMER, L"0x12345678"}};
    for (const auto& send : sends) {
        SCOPED_TRACE(testing::Message() << std::hex << send.message << " " << send.lParam);
        const tivala::test::Child child(sender, std::to_wstring(reinterpret_cast<UINT_PTR>(window)) + L" " +
                                                    std::to_wstring(send.message) + L" 0 " + send.lParam);
        ASSERT_TRUE(child.Started());
        std::optional<DWORD> exitCode;
        ASSERT_TRUE(PumpUntil([&] { return (exitCode = child.WaitForExit(0)).has_value(); }, 30000));
        EXPECT_EQ(0u, *exitCode);   // answered, with 0
        EXPECT_TRUE(::IsWindow(window));
    }
    EXPECT_EQ(0, host.commands);

    EXPECT_EQ(TRUE, ::SendMessageW(window, UM_MENUEVENT, 0, reinterpret_cast<LPARAM>(&command)));
    EXPECT_EQ(1, host.commands);
    EXPECT_EQ(FALSE, ::SendMessageW(window, UM_MENUEVENT, 0, 0));   // no command, from here too
    EXPECT_EQ(1, host.commands);
}

TEST_F(SHostWndInputTest, TimelineTimerRunsWhileHandlersAreRegistered)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, kInputLayout));
    ::ShowWindow(host.GetHwnd(), SW_SHOWNOACTIVATE);
    const UINT_PTR timer2 = ElementTimerId(host.GetSwnd(), 2);
    CountingHandler first;
    CountingHandler second;
    EXPECT_TRUE(host.RegisterTimelineHandler(&first));
    EXPECT_FALSE(host.RegisterTimelineHandler(&first));   // once only
    EXPECT_TRUE(host.RegisterTimelineHandler(&second));
    EXPECT_TRUE(PumpUntil([&] { return first.frames >= 3 && second.frames >= 3; }));

    EXPECT_TRUE(host.UnregisterTimelineHandler(&first));
    const int frames = first.frames;
    EXPECT_TRUE(PumpUntil([&] { return second.frames >= frames + 3; }));
    EXPECT_EQ(frames, first.frames);
    EXPECT_TRUE(host.UnregisterTimelineHandler(&second));
    // The last one gone, the timer is gone: killing it again finds nothing.
    EXPECT_FALSE(::KillTimer(host.GetHwnd(), timer2));

    EXPECT_TRUE(host.RegisterTimelineHandler(&first));
    EXPECT_TRUE(::KillTimer(host.GetHwnd(), timer2));   // the first one started it again
    host.UnregisterTimelineHandler(&first);
}

TEST_F(SHostWndInputTest, ElementTimersReachTheirElementAndStaleOnesAreKilled)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, kInputLayout));
    auto* const probe = new TimerProbe;
    host.InsertChild(probe);
    const HWND window = host.GetHwnd();

    ::SendMessageW(window, WM_TIMER, ElementTimerId(probe->GetSwnd(), 5), 0);
    ASSERT_EQ(1u, probe->ticks.size());
    EXPECT_EQ(5u, probe->ticks[0]);

    const SWND gone = probe->GetSwnd();
    host.DestroyChild(probe);
    ASSERT_EQ(nullptr, SWindowMgr::GetWindow(gone));
    const UINT_PTR stale = ElementTimerId(gone, 5);
    ASSERT_TRUE(::SetTimer(window, stale, 100000, nullptr));
    ::SendMessageW(window, WM_TIMER, stale, 0);
    EXPECT_FALSE(::KillTimer(window, stale));   // the host killed it at its tick
}

TEST_F(SHostWndInputTest, SpyGetsDescriptionsByteForByte)
{
    const std::wstring longName(300, L'n');
    const std::wstring xml = L"<SAKU width='200' height='150' wndType='normal'><root>"
                             L"<window name='first' id='7' pos='10,20,@50,@30'/>"
                             L"<window name='" + longName + L"' id='8' pos='70,20,@50,@30'/>"
                             L"</root></SAKU>";
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, xml.c_str()));
    ::ShowWindow(host.GetHwnd(), SW_SHOWNOACTIVATE);
    const HWND window = host.GetHwnd();
    SpyWindow spy;
    EXPECT_EQ(FALSE, ::SendMessageW(window, SPYMSG_SETSPY, 0, 0x1234));   // not a window
    EXPECT_EQ(TRUE, ::SendMessageW(window, SPYMSG_SETSPY, 0, reinterpret_cast<LPARAM>(spy.Handle())));

    SWindow* const first = host.FindChildByName(L"first");
    ASSERT_TRUE(first);
    const SWND firstSwnd = static_cast<SWND>(::SendMessageW(window, SPYMSG_SWNDENUM, 0, GSW_FIRSTCHILD));
    EXPECT_EQ(first->GetSwnd(), firstSwnd);
    const SWND second = static_cast<SWND>(::SendMessageW(window, SPYMSG_SWNDENUM, firstSwnd, GSW_NEXTSIBLING));
    EXPECT_EQ(host.GetSwnd(), static_cast<SWND>(::SendMessageW(window, SPYMSG_SWNDENUM, second, GSW_PARENT)));
    EXPECT_EQ(0, ::SendMessageW(window, SPYMSG_SWNDENUM, second, GSW_NEXTSIBLING));
    EXPECT_EQ(0, ::SendMessageW(window, SPYMSG_SWNDENUM, firstSwnd, 6));    // no such relation
    EXPECT_EQ(0, ::SendMessageW(window, SPYMSG_SWNDENUM, firstSwnd, -1));

    ASSERT_EQ(TRUE, ::SendMessageW(window, SPYMSG_SWNDINFO, firstSwnd, 0));
    ASSERT_EQ(1, spy.received);
    EXPECT_EQ(12026u, spy.tag);
    EXPECT_EQ(window, spy.from);
    ASSERT_EQ(10650u, spy.bytes.size());
    EXPECT_EQ(firstSwnd, Field<DWORD>(spy.bytes, 0));
    const RECT expected = {10, 20, 60, 50};
    EXPECT_EQ(expected.left, Field<int>(spy.bytes, 4));
    EXPECT_EQ(expected.top, Field<int>(spy.bytes, 8));
    EXPECT_EQ(expected.right, Field<int>(spy.bytes, 12));
    EXPECT_EQ(expected.bottom, Field<int>(spy.bytes, 16));
    const RECT client = first->GetClientRect();
    EXPECT_EQ(client.left, Field<int>(spy.bytes, 20));
    EXPECT_EQ(client.bottom, Field<int>(spy.bytes, 32));
    EXPECT_EQ(1, Field<int>(spy.bytes, 36));
    EXPECT_EQ(7, Field<int>(spy.bytes, 40));
    EXPECT_EQ(L"first", Text(spy.bytes, 44, 251));
    EXPECT_EQ(L"window", Text(spy.bytes, 546, 51));
    EXPECT_EQ(L"##unavailable!", Text(spy.bytes, 648, 5001));

    ASSERT_EQ(TRUE, ::SendMessageW(window, SPYMSG_SWNDINFO, second, 0));
    EXPECT_EQ(L"##buf overflow!", Text(spy.bytes, 44, 251));
    EXPECT_EQ(8, Field<int>(spy.bytes, 40));
    ASSERT_EQ(TRUE, ::SendMessageW(window, SPYMSG_SWNDINFO, 0, 0));   // 0 is the root
    EXPECT_EQ(host.GetSwnd(), Field<DWORD>(spy.bytes, 0));
    EXPECT_EQ(L"hostwnd", Text(spy.bytes, 546, 51));

    const POINT inside = OnScreen(window, POINT{20, 30});
    EXPECT_EQ(firstSwnd, static_cast<SWND>(::SendMessageW(window, SPYMSG_HITTEST, 0, MAKELPARAM(inside.x, inside.y))));
}

// Everything a spy request carries comes from outside: handles of nothing, of
// another host's tree, and a spy window that went away are refused.
TEST_F(SHostWndInputTest, SpyRequestsAreCheckedAndAllowSpyZeroRefusesThem)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, kInputLayout));
    SHostWnd other;
    ASSERT_TRUE(LoadLayout(other, kInputLayout));
    const HWND window = host.GetHwnd();
    auto spy = std::make_unique<SpyWindow>();
    ASSERT_TRUE(::SendMessageW(window, SPYMSG_SETSPY, 0, reinterpret_cast<LPARAM>(spy->Handle())));

    const SWND foreign = other.FindChildByName(L"target")->GetSwnd();
    const WPARAM refused[] = {foreign, 0xFFFFFF, 0x7FFFFFFF};
    for (const WPARAM swnd : refused) {
        SCOPED_TRACE(swnd);
        EXPECT_EQ(0, ::SendMessageW(window, SPYMSG_SWNDINFO, swnd, 0));
        EXPECT_EQ(0, ::SendMessageW(window, SPYMSG_SWNDENUM, swnd, GSW_PARENT));
    }
    EXPECT_EQ(0, spy->received);
    const HWND spyHandle = spy->Handle();
    spy.reset();
    ASSERT_FALSE(::IsWindow(spyHandle));
    EXPECT_EQ(0, ::SendMessageW(window, SPYMSG_SWNDINFO, 0, 0));   // nobody to tell

    SHostWnd closed;
    ASSERT_TRUE(LoadLayout(closed, L"<SAKU width='100' height='100' allowSpy='0' wndType='normal'>"
                                   L"<root><window name='w' pos='0,0,@10,@10'/></root></SAKU>"));
    SpyWindow watcher;
    EXPECT_EQ(TRUE, ::SendMessageW(closed.GetHwnd(), SPYMSG_SETSPY, 0, reinterpret_cast<LPARAM>(watcher.Handle())));
    EXPECT_EQ(0, ::SendMessageW(closed.GetHwnd(), SPYMSG_SWNDENUM, 0, GSW_FIRSTCHILD));
    EXPECT_EQ(0, ::SendMessageW(closed.GetHwnd(), SPYMSG_SWNDINFO, 0, 0));
    EXPECT_EQ(0, watcher.received);
    const POINT inside = OnScreen(closed.GetHwnd(), POINT{5, 5});
    EXPECT_EQ(closed.FindChildByName(L"w")->GetSwnd(),
              static_cast<SWND>(::SendMessageW(closed.GetHwnd(), SPYMSG_HITTEST, 0, MAKELPARAM(inside.x, inside.y))));
}
