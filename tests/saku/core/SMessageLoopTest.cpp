// The UI thread's message loop, run for real on the test's thread with a
// message-only window: filters, idle passes, Quit and WM_QUIT, and the exit log line.

#include "TestLogSink.h"

#include "Win32Handles.h"
#include "core/SMessageLoop.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace SAKU;
using saku_test::ScopedLogSink;

namespace {

constexpr UINT kSystemTimer = 0x118;
constexpr UINT_PTR kTimerId = 1;

// A message-only window whose procedure hands every message to the test.
class TestWindow {
public:
    using Handler = std::function<void(UINT message, WPARAM wParam)>;

    explicit TestWindow(Handler handler) : m_handler(std::move(handler))
    {
        static const ATOM atom = [] {
            WNDCLASSW windowClass = {};
            windowClass.lpfnWndProc = &TestWindow::Proc;
            windowClass.hInstance = ::GetModuleHandleW(nullptr);
            windowClass.lpszClassName = L"SMessageLoopTestWindow";
            return ::RegisterClassW(&windowClass);
        }();
        EXPECT_NE(0, atom);
        m_window.Reset(::CreateWindowExW(0, L"SMessageLoopTestWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                         ::GetModuleHandleW(nullptr), this));
        EXPECT_TRUE(m_window);
    }
    ~TestWindow() { DrainQueue(); }

    HWND Get() const { return m_window.Get(); }
    void Post(UINT message, WPARAM wParam = 0) const { EXPECT_TRUE(::PostMessageW(Get(), message, wParam, 0)); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
    {
        if (message == WM_NCCREATE) {
            const auto* const create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* const self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && IsTestMessage(message)) {
            self->m_handler(message, wParam);
            return 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    // What the tests post or set; the rest is the window's own business.
    static bool IsTestMessage(UINT message)
    {
        return message >= WM_USER || message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE || message == WM_PAINT ||
               message == kSystemTimer || message == WM_TIMER;
    }

    // A test ends what it starts: messages left in the queue go with the window.
    static void DrainQueue()
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    Handler m_handler;
    UniqueWindow m_window;
};

// Records what a filter sees of the test window's messages.
class RecordingFilter : public SAKU::IMessageFilter {   // objidl.h has a COM IMessageFilter too
public:
    RecordingFilter(std::string name, HWND window, std::vector<std::string>& trace)
        : m_name(std::move(name)), m_window(window), m_trace(trace) {}

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->hwnd != m_window)
            return FALSE;
        m_trace.push_back(m_name + ":" + std::to_string(msg->message - WM_APP));
        if (m_onMessage)
            m_onMessage();
        return msg->message == m_consumes;
    }

    UINT m_consumes = 0;
    std::function<void()> m_onMessage;

private:
    std::string m_name;
    HWND m_window;
    std::vector<std::string>& m_trace;
};

}  // namespace

TEST(SMessageLoop, TheFilterAddedLastSeesMessagesFirstAndMayConsumeThem)
{
    std::vector<std::string> trace;
    TestWindow window([&](UINT message, WPARAM) { trace.push_back("window:" + std::to_string(message - WM_APP)); });
    SMessageLoop loop;
    RecordingFilter first("first", window.Get(), trace);
    RecordingFilter last("last", window.Get(), trace);
    last.m_consumes = WM_APP + 2;
    EXPECT_TRUE(loop.AddMessageFilter(&first));
    EXPECT_TRUE(loop.AddMessageFilter(&last));

    window.Post(WM_APP + 1);
    window.Post(WM_APP + 2);
    ::PostQuitMessage(0);
    EXPECT_EQ(0, loop.Run());
    EXPECT_EQ((std::vector<std::string>{"last:1", "first:1", "window:1", "last:2"}), trace);

    EXPECT_TRUE(loop.RemoveMessageFilter(&last));
    EXPECT_FALSE(loop.RemoveMessageFilter(&last));
    trace.clear();
    window.Post(WM_APP + 2);
    ::PostQuitMessage(0);
    loop.Run();
    EXPECT_EQ((std::vector<std::string>{"first:2", "window:2"}), trace);
    EXPECT_TRUE(loop.RemoveMessageFilter(&first));
}

TEST(SMessageLoop, FiltersMayRemoveFiltersWhileTheyLook)
{
    std::vector<std::string> trace;
    TestWindow window([&](UINT message, WPARAM) { trace.push_back("window:" + std::to_string(message - WM_APP)); });
    SMessageLoop loop;
    RecordingFilter first("first", window.Get(), trace);
    RecordingFilter last("last", window.Get(), trace);
    last.m_onMessage = [&] {   // a drop-down closing itself and its sibling
        loop.RemoveMessageFilter(&first);
        loop.RemoveMessageFilter(&last);
    };
    loop.AddMessageFilter(&first);
    loop.AddMessageFilter(&last);

    window.Post(WM_APP + 1);
    ::PostQuitMessage(0);
    loop.Run();
    EXPECT_EQ((std::vector<std::string>{"last:1", "window:1"}), trace);
}

TEST(SMessageLoop, EachFilterIsAskedOnceAboutAMessageWhateverTheOthersRemove)
{
    // Filters 0, 1 and 2 are added in that order and asked 2, 1, 0; one of them
    // removes some filters while it looks at the message.
    const struct {
        const char* name;
        int remover;
        std::vector<int> removed;
        std::vector<std::string> expected;
    } cases[] = {
        {"a filter removes one not yet asked", 2, {0}, {"2:1", "1:1", "window:1"}},
        {"the middle one removes one not yet asked", 1, {0}, {"2:1", "1:1", "window:1"}},
        {"a filter removes one already asked", 1, {2}, {"2:1", "1:1", "0:1", "window:1"}},
        {"a filter removes itself", 2, {2}, {"2:1", "1:1", "0:1", "window:1"}},
        {"a filter removes the next one and itself", 2, {1, 2}, {"2:1", "0:1", "window:1"}},
        {"a filter removes every filter", 1, {0, 1, 2}, {"2:1", "1:1", "window:1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> trace;
        TestWindow window([&](UINT message, WPARAM) { trace.push_back("window:" + std::to_string(message - WM_APP)); });
        SMessageLoop loop;
        RecordingFilter filters[] = {{"0", window.Get(), trace}, {"1", window.Get(), trace}, {"2", window.Get(), trace}};
        filters[c.remover].m_onMessage = [&] {
            for (int index : c.removed)
                loop.RemoveMessageFilter(&filters[index]);
        };
        for (auto& filter : filters)
            loop.AddMessageFilter(&filter);

        window.Post(WM_APP + 1);
        ::PostQuitMessage(0);
        loop.Run();
        EXPECT_EQ(c.expected, trace);
        for (auto& filter : filters)
            loop.RemoveMessageFilter(&filter);
    }
}

TEST(SMessageLoop, QuitDuringADispatchEndsRunWithThatMessagesValue)
{
    ScopedLogSink sink;
    SMessageLoop loop;
    std::vector<std::string> trace;
    TestWindow window([&](UINT message, WPARAM wParam) {
        trace.push_back(std::to_string(message - WM_APP) + "/" + std::to_string(wParam));
        EXPECT_TRUE(loop.IsRunning());
        if (message == WM_APP + 1)
            loop.Quit();
    });

    window.Post(WM_APP + 1, 42);
    window.Post(WM_APP + 2, 43);   // still queued when Run returns
    EXPECT_EQ(42, loop.Run());
    EXPECT_FALSE(loop.IsRunning());
    EXPECT_EQ((std::vector<std::string>{"1/42"}), trace);
    EXPECT_TRUE(sink.Lines().empty());   // only WM_QUIT writes the exit line
}

TEST(SMessageLoop, PostQuitMessageEndsRunWithItsCodeAndLogsIt)
{
    ScopedLogSink sink;
    SMessageLoop loop;
    EXPECT_FALSE(loop.IsRunning());
    ::PostQuitMessage(3);
    EXPECT_EQ(3, loop.Run());
    EXPECT_FALSE(loop.IsRunning());

    ASSERT_EQ(1u, sink.Lines().size());
    const auto& line = sink.Lines()[0];
    EXPECT_EQ("SMessageLoop::Run - exiting,code = 3", line.text);
    EXPECT_EQ(0, line.level);
    EXPECT_EQ("saku", line.tag);
    EXPECT_EQ("src\\core\\SMsgLoop", line.file);
    EXPECT_EQ(49, line.line);
    EXPECT_EQ("SAKU::SMessageLoop::Run", line.function);
}

TEST(SMessageLoop, QuitOutsideRunIsForgotten)
{
    std::vector<std::string> trace;
    TestWindow window([&](UINT message, WPARAM) { trace.push_back(std::to_string(message - WM_APP)); });
    SMessageLoop loop;
    loop.Quit();
    window.Post(WM_APP + 1);
    window.Post(WM_APP + 2);
    ::PostQuitMessage(7);
    EXPECT_EQ(7, loop.Run());
    EXPECT_EQ((std::vector<std::string>{"1", "2"}), trace);

    // And a loop that ended may run again.
    ::PostQuitMessage(8);
    EXPECT_EQ(8, loop.Run());
}

TEST(SMessageLoop, MouseMovesPaintsAndSystemTimersDoNotRestartTheIdlePass)
{
    // Each idle period gets passes 0, 1, 2 (the third declines); the message under
    // test arrives after the first period. A message that restarts idling gets a
    // second period, whose last pass ends the run. One that does not leaves the
    // loop waiting for the timer that its handler set; the timer is far beyond
    // any idle period, so a slow machine cannot put it between two passes.
    const struct {
        UINT message;
        bool restartsIdle;
    } cases[] = {
        {WM_MOUSEMOVE, false}, {WM_NCMOUSEMOVE, false}, {WM_PAINT, false}, {kSystemTimer, false},
        {WM_APP + 1, true},    {WM_NULL + WM_USER, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        std::vector<std::string> trace;
        HWND target = nullptr;
        bool seen = false;
        struct CountingLoop : SMessageLoop {
            BOOL OnIdle(int idleCount) override
            {
                m_trace->push_back("idle" + std::to_string(idleCount));
                if (idleCount == 2 && !m_posted) {
                    m_posted = true;
                    ::PostMessageW(*m_target, m_message, 0, 0);
                } else if (idleCount == 2 && *m_seen) {
                    ::PostQuitMessage(0);
                }
                SMessageLoop::OnIdle(idleCount);
                return idleCount < 2;
            }
            std::vector<std::string>* m_trace = nullptr;
            HWND* m_target = nullptr;
            const bool* m_seen = nullptr;
            UINT m_message = 0;
            bool m_posted = false;
        } loop;
        loop.m_trace = &trace;
        loop.m_target = &target;
        loop.m_seen = &seen;
        loop.m_message = c.message;

        TestWindow window([&](UINT message, WPARAM) {
            if (message == c.message) {
                trace.push_back("message");
                seen = true;
                ::SetTimer(target, kTimerId, 1000, nullptr);
            } else if (message == WM_TIMER) {
                ::KillTimer(target, kTimerId);
                trace.push_back("timer");
                ::PostQuitMessage(0);
            }
        });
        target = window.Get();

        loop.Run();
        std::vector<std::string> expected{"idle0", "idle1", "idle2", "message"};
        if (c.restartsIdle)
            expected.insert(expected.end(), {"idle0", "idle1", "idle2"});
        else
            expected.push_back("timer");
        EXPECT_EQ(expected, trace);
    }
}

TEST(SMessageLoop, IdleHandlersRunOncePerIdlePeriodAndMayQuit)
{
    SMessageLoop loop;
    struct QuittingHandler : IIdleHandler {
        BOOL OnIdle() override
        {
            ++m_calls;
            m_loop->Quit();
            return FALSE;
        }
        SMessageLoop* m_loop = nullptr;
        int m_calls = 0;
    } handler;
    handler.m_loop = &loop;
    EXPECT_TRUE(loop.AddIdleHandler(&handler));

    loop.Run();   // ends after the first idle pass: nothing was posted
    EXPECT_EQ(1, handler.m_calls);
    EXPECT_FALSE(loop.IsRunning());

    EXPECT_TRUE(loop.RemoveIdleHandler(&handler));
    EXPECT_FALSE(loop.RemoveIdleHandler(&handler));
    ::PostQuitMessage(1);
    EXPECT_EQ(1, loop.Run());
    EXPECT_EQ(1, handler.m_calls);
}

TEST(SMessageLoop, IdleMessagesAreAllButMovesPaintsAndTheSystemTimer)
{
    const struct {
        UINT message;
        bool idle;
    } cases[] = {
        {WM_MOUSEMOVE, false}, {WM_NCMOUSEMOVE, false}, {WM_PAINT, false}, {kSystemTimer, false},
        {WM_TIMER, true},      {WM_KEYDOWN, true},      {WM_LBUTTONDOWN, true}, {WM_APP, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        MSG msg = {};
        msg.message = c.message;
        EXPECT_EQ(c.idle, SMessageLoop::IsIdleMessage(msg));
    }
}
