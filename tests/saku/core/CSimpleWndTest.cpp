// The window wrapper with real windows: the binding from the first message on,
// creations that fail or are made from two threads, the thunk heap, nested and
// final messages, message maps, styles, centring and reflection.

#include "SimpleWndTest.h"

#include "Win32Handles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <utility>
#include <vector>

using namespace SAKU;
using saku_test::kHostClass;
using saku_test::RecordingWnd;
using saku_test::SimpleWndTest;

namespace {

constexpr UINT kOuterMessage = WM_USER + 1;
constexpr UINT kInnerMessage = WM_USER + 2;
constexpr UINT kDestroyYourself = WM_USER + 3;
constexpr UINT kAsked = WM_USER + 4;

// Every message sent to a window procedure of the thread, seen by a hook that
// does not depend on the wrapper.
class SentMessages {
public:
    SentMessages() : m_hook(::SetWindowsHookExW(WH_CALLWNDPROC, &Hook, nullptr, ::GetCurrentThreadId()))
    {
        EXPECT_NE(nullptr, m_hook);
        s_current = this;
    }
    ~SentMessages()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_current = nullptr;
    }

    std::vector<UINT> To(HWND window) const
    {
        std::vector<UINT> messages;
        for (const auto& [hwnd, message] : m_sent) {
            if (hwnd == window && message != WM_NULL)
                messages.push_back(message);
        }
        return messages;
    }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) noexcept
    {
        if (code == HC_ACTION && s_current) {
            const auto* const sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
            s_current->m_sent.emplace_back(sent->hwnd, sent->message);
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline SentMessages* s_current = nullptr;
    HHOOK m_hook;
    std::vector<std::pair<HWND, UINT>> m_sent;
};

// How a window's creation ends, and what the test learns of its object.
struct Fate {
    int finalMessages = 0;
    bool deleted = false;
};

// A window that answers its creation messages as told and, made on the heap,
// deletes itself at its final message. Its memory is poisoned and kept when it
// is deleted, so that any later write into the object shows.
class FailingWnd : public RecordingWnd {
public:
    static constexpr unsigned char kPoison = 0xDD;

    FailingWnd(Fate& fate, BOOL ncCreate, int create, bool deleteAtEnd)
        : m_fate(fate), m_ncCreate(ncCreate), m_create(create), m_deleteAtEnd(deleteAtEnd)
    {
    }

    static void* operator new(size_t size) { return std::malloc(size); }
    static void operator delete(void* object, size_t size)
    {
        std::memset(object, kPoison, size);
        Graveyard().emplace_back(static_cast<unsigned char*>(object), size);
    }
    // Deleted objects, poisoned; the test frees them.
    static std::vector<std::pair<unsigned char*, size_t>>& Graveyard()
    {
        static std::vector<std::pair<unsigned char*, size_t>> graves;
        return graves;
    }

    BEGIN_MSG_MAP(FailingWnd)
        MSG_HANDLER  (WM_NCCREATE, OnNcCreate)
        MSG_HANDLER  (WM_CREATE,   OnCreate)
        CHAIN_MSG_MAP(RecordingWnd)
    END_MSG_MAP()

protected:
    void OnFinalMessage(HWND hwnd) override
    {
        RecordingWnd::OnFinalMessage(hwnd);
        ++m_fate.finalMessages;
        if (m_deleteAtEnd) {
            m_fate.deleted = true;
            delete this;
        }
    }

private:
    BOOL OnNcCreate(CREATESTRUCTW*)
    {
        if (m_ncCreate)
            SetMsgHandled(FALSE);   // the default procedure sets up the window's text
        return m_ncCreate;
    }
    int OnCreate(CREATESTRUCTW*) { return m_create; }

    Fate& m_fate;
    BOOL m_ncCreate;
    int m_create;
    bool m_deleteAtEnd;
};

bool AllPoisoned(const std::pair<unsigned char*, size_t>& grave)
{
    for (size_t i = 0; i < grave.second; ++i) {
        if (grave.first[i] != FailingWnd::kPoison)
            return false;
    }
    return true;
}

// Answers kOuterMessage by sending itself kInnerMessage, and destroys itself
// inside kDestroyYourself; remembers what it saw at each step.
class NestingWnd : public RecordingWnd {
public:
    UINT currentAfterInner = 0;
    WPARAM wParamAfterInner = 0;
    BOOL handledAfterInner = TRUE;
    int finalMessages = 0;
    int finalMessagesInsideHandler = -1;

    BEGIN_MSG_MAP(NestingWnd)
        MSG_RANGE_HANDLER(kOuterMessage,    kOuterMessage,    OnOuter)
        MSG_RANGE_HANDLER(kInnerMessage,    kInnerMessage,    OnInner)
        MSG_RANGE_HANDLER(kDestroyYourself, kDestroyYourself, OnDestroyYourself)
        CHAIN_MSG_MAP    (RecordingWnd)
    END_MSG_MAP()

protected:
    void OnFinalMessage(HWND hwnd) override
    {
        RecordingWnd::OnFinalMessage(hwnd);
        ++finalMessages;
    }

private:
    LRESULT OnOuter(UINT, WPARAM, LPARAM)
    {
        SetMsgHandled(FALSE);
        ::SendMessageW(GetHwnd(), kInnerMessage, 2, 0);
        currentAfterInner = GetCurrentMessage()->message;
        wParamAfterInner = GetCurrentMessage()->wParam;
        handledAfterInner = IsMsgHandled();
        return 0;
    }
    LRESULT OnInner(UINT, WPARAM, LPARAM) { return 2; }
    LRESULT OnDestroyYourself(UINT, WPARAM, LPARAM)
    {
        DestroyWindow();
        finalMessagesInsideHandler = finalMessages;
        return 0;
    }
};

}  // namespace

TEST_F(SimpleWndTest, TheObjectSeesEveryMessageFromTheFirstOn)
{
    SentMessages sent;
    RecordingWnd window;
    // An overlapped window is asked for its size limits before WM_NCCREATE.
    const HWND hwnd = window.CreatePopup(10, 10, 200, 100, WS_OVERLAPPEDWINDOW);
    ASSERT_NE(nullptr, hwnd);
    EXPECT_EQ(hwnd, window.GetHwnd());

    const std::vector<UINT> delivered = sent.To(hwnd);
    ASSERT_FALSE(delivered.empty());
    EXPECT_EQ(WM_GETMINMAXINFO, delivered.front());
    EXPECT_EQ(delivered, window.messages);
    const auto ncCreate = std::find(window.messages.begin(), window.messages.end(), WM_NCCREATE);
    const auto create = std::find(window.messages.begin(), window.messages.end(), WM_CREATE);
    EXPECT_LT(ncCreate, create);
    EXPECT_NE(window.messages.end(), create);

    EXPECT_TRUE(window.DestroyWindow());
    EXPECT_EQ(nullptr, window.GetHwnd());
    EXPECT_EQ(WM_NCDESTROY, window.messages.back());
}

TEST_F(SimpleWndTest, CreationThatFailsAfterItsFirstMessageEndsTheWindowOnce)
{
    const struct {
        const char* what;
        BOOL ncCreate;
        int create;
    } cases[] = {
        {"WM_CREATE answers -1", TRUE, -1},
        {"WM_NCCREATE answers FALSE", FALSE, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int liveBefore = LiveThunks();

        // A window object that deletes itself at its end.
        Fate fate;
        auto* const doomed = new FailingWnd(fate, c.ncCreate, c.create, true);
        EXPECT_EQ(nullptr, doomed->CreatePopup());
        EXPECT_EQ(1, fate.finalMessages);
        EXPECT_TRUE(fate.deleted);
        ASSERT_EQ(1u, FailingWnd::Graveyard().size());
        EXPECT_TRUE(AllPoisoned(FailingWnd::Graveyard().front())) << "the object was written after its deletion";
        std::free(FailingWnd::Graveyard().front().first);
        FailingWnd::Graveyard().clear();
        EXPECT_TRUE(::HeapValidate(ThunkHeap(), 0, nullptr));
        EXPECT_EQ(liveBefore, LiveThunks());

        // One that stays: it can make its window again.
        Fate kept;
        FailingWnd survivor(kept, c.ncCreate, c.create, false);
        EXPECT_EQ(nullptr, survivor.CreatePopup());
        EXPECT_EQ(1, kept.finalMessages);
        EXPECT_EQ(nullptr, survivor.GetHwnd());
        EXPECT_TRUE(::HeapValidate(ThunkHeap(), 0, nullptr));
        EXPECT_EQ(liveBefore, LiveThunks());
    }
}

TEST_F(SimpleWndTest, AWindowDestroyedInsideCreationIsFinishedOnce)
{
    // Destroying itself in WM_CREATE and answering 0 still fails the creation.
    struct SelfDestroying : RecordingWnd {
        int finals = 0;
        BEGIN_MSG_MAP(SelfDestroying)
            MSG_HANDLER  (WM_CREATE, OnCreate)
            CHAIN_MSG_MAP(RecordingWnd)
        END_MSG_MAP()
        int OnCreate(CREATESTRUCTW*)
        {
            DestroyWindow();
            return 0;
        }
        void OnFinalMessage(HWND hwnd) override
        {
            RecordingWnd::OnFinalMessage(hwnd);
            ++finals;
        }
    } window;
    EXPECT_EQ(nullptr, window.CreatePopup());
    EXPECT_EQ(1, window.finals);
    EXPECT_TRUE(::HeapValidate(ThunkHeap(), 0, nullptr));
    EXPECT_EQ(0, LiveThunks());
}

TEST_F(SimpleWndTest, WindowsMadeOneAfterAnotherReuseThunkMemory)
{
    constexpr int kWindows = 300;
    std::set<LONG_PTR> procedures;
    for (int i = 0; i < kWindows; ++i) {
        RecordingWnd window;
        const HWND hwnd = window.CreatePopup();
        ASSERT_NE(nullptr, hwnd);
        const LONG_PTR procedure = ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
        EXPECT_TRUE(::HeapValidate(ThunkHeap(), 0, reinterpret_cast<void*>(procedure)));
        procedures.insert(procedure);
        EXPECT_EQ(1, LiveThunks());
        window.DestroyWindow();
        EXPECT_EQ(0, LiveThunks());
    }
    EXPECT_LE(procedures.size(), 2u);

    // Windows alive together each have their own.
    std::vector<std::unique_ptr<RecordingWnd>> windows;
    procedures.clear();
    for (int i = 0; i < 20; ++i) {
        windows.push_back(std::make_unique<RecordingWnd>());
        ASSERT_NE(nullptr, windows.back()->CreatePopup());
        procedures.insert(::GetWindowLongPtrW(windows.back()->GetHwnd(), GWLP_WNDPROC));
    }
    EXPECT_EQ(20u, procedures.size());
    EXPECT_EQ(20, LiveThunks());
    windows.clear();   // the objects destroy their windows
    EXPECT_EQ(0, LiveThunks());
    EXPECT_TRUE(::HeapValidate(ThunkHeap(), 0, nullptr));
}

TEST(CSimpleWndHelper, RegistersTheClassOnceAndUnregistersItWhenDestroyed)
{
    const HINSTANCE module = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW found = {};
    found.cbSize = sizeof(found);
    EXPECT_FALSE(::GetClassInfoExW(module, kHostClass, &found));

    ASSERT_TRUE(CSimpleWndHelper::Init(module, kHostClass));
    CSimpleWndHelper* const helper = CSimpleWndHelper::GetInstance();
    ASSERT_NE(nullptr, helper);
    const ATOM atom = ::GetClassInfoExW(module, kHostClass, &found);
    EXPECT_EQ(helper->GetClassAtom(), atom);
    EXPECT_EQ(static_cast<UINT>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS), found.style);
    EXPECT_EQ(0, found.cbClsExtra);
    EXPECT_EQ(0, found.cbWndExtra);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), found.hbrBackground);

    EXPECT_FALSE(CSimpleWndHelper::Init(module, kHostClass));   // one helper, one class
    EXPECT_EQ(helper, CSimpleWndHelper::GetInstance());

    {
        RecordingWnd window;
        ASSERT_NE(nullptr, window.CreatePopup());
        wchar_t className[64] = {};
        ::GetClassNameW(window.GetHwnd(), className, 64);
        EXPECT_STREQ(kHostClass, className);
    }

    CSimpleWndHelper::Destroy();
    EXPECT_EQ(nullptr, CSimpleWndHelper::GetInstance());
    EXPECT_FALSE(::GetClassInfoExW(module, kHostClass, &found));

    // Without the helper no window can be made.
    RecordingWnd orphan;
    EXPECT_EQ(nullptr, orphan.CreatePopup());
}

TEST_F(SimpleWndTest, CreationOnAnotherThreadWaitsUntilTheFirstWindowIsMade)
{
    struct Shared {
        UniqueHandle starting{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        UniqueHandle created{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        HWND secondWindow = nullptr;
        std::vector<UINT> secondMessages;
        HWND secondBound = nullptr;
    } shared;

    // The first window, inside its first message and so inside the creation
    // lock, starts a second creation on another thread and finds it waiting.
    struct FirstWnd : RecordingWnd {
        Shared* shared = nullptr;
        UniqueHandle thread;
        DWORD waitedFor = 0;
        BEGIN_MSG_MAP(FirstWnd)
            MSG_HANDLER  (WM_NCCREATE, OnNcCreate)
            CHAIN_MSG_MAP(RecordingWnd)
        END_MSG_MAP()
        BOOL OnNcCreate(CREATESTRUCTW*)
        {
            SetMsgHandled(FALSE);
            thread.Reset(::CreateThread(nullptr, 0, &FirstWnd::Second, shared, 0, nullptr));
            ::WaitForSingleObject(shared->starting.Get(), INFINITE);
            // The other thread cannot get through while this creation holds the lock.
            waitedFor = ::WaitForSingleObject(shared->created.Get(), 300);
            return TRUE;
        }
        static DWORD WINAPI Second(void* param)
        {
            auto* const shared = static_cast<Shared*>(param);
            RecordingWnd second;
            ::SetEvent(shared->starting.Get());
            shared->secondWindow = second.CreatePopup();
            shared->secondBound = second.GetHwnd();
            ::SetEvent(shared->created.Get());
            shared->secondMessages = second.messages;
            second.DestroyWindow();
            return 0;
        }
    } first;
    first.shared = &shared;

    const HWND firstWindow = first.CreatePopup();
    ASSERT_NE(nullptr, firstWindow);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), first.waitedFor);
    ASSERT_TRUE(first.thread);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(first.thread.Get(), 60000));

    ASSERT_NE(nullptr, shared.secondWindow);
    EXPECT_NE(firstWindow, shared.secondWindow);
    EXPECT_EQ(shared.secondWindow, shared.secondBound);
    EXPECT_FALSE(shared.secondMessages.empty());
    EXPECT_EQ(firstWindow, first.GetHwnd());
    EXPECT_TRUE(first.DestroyWindow());
    EXPECT_EQ(0, LiveThunks());
}

TEST_F(SimpleWndTest, ANestedMessageLeavesTheOuterMessageAndFlagAsTheyWere)
{
    NestingWnd window;
    ASSERT_NE(nullptr, window.CreatePopup());
    EXPECT_EQ(nullptr, window.GetCurrentMessage());
    ::SendMessageW(window.GetHwnd(), kOuterMessage, 1, 0);
    EXPECT_EQ(kOuterMessage, window.currentAfterInner);
    EXPECT_EQ(1u, window.wParamAfterInner);
    EXPECT_FALSE(window.handledAfterInner);   // cleared by the outer handler, set by the inner one
    EXPECT_EQ(nullptr, window.GetCurrentMessage());
}

TEST_F(SimpleWndTest, DestroyingInsideAHandlerEndsTheWindowAfterTheOutermostMessage)
{
    NestingWnd window;
    ASSERT_NE(nullptr, window.CreatePopup());
    const HWND hwnd = window.GetHwnd();
    ::SendMessageW(hwnd, kDestroyYourself, 0, 0);
    EXPECT_EQ(0, window.finalMessagesInsideHandler);
    EXPECT_EQ(1, window.finalMessages);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(nullptr, window.GetHwnd());
    EXPECT_EQ(0, LiveThunks());
}

TEST_F(SimpleWndTest, AnObjectDeletedWithItsWindowAliveTakesTheWindowWithIt)
{
    HWND hwnd = nullptr;
    {
        RecordingWnd window;
        hwnd = window.CreatePopup();
        ASSERT_NE(nullptr, hwnd);
    }
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(0, LiveThunks());
}

TEST_F(SimpleWndTest, HandlersPassMessagesOnByClearingTheFlag)
{
    struct Base : RecordingWnd {
        int baseCalls = 0;
        BEGIN_MSG_MAP(Base)
            MSG_RANGE_HANDLER(kAsked, kAsked, OnAsked)
            CHAIN_MSG_MAP    (RecordingWnd)
        END_MSG_MAP()
        LRESULT OnAsked(UINT, WPARAM, LPARAM)
        {
            ++baseCalls;
            return 7;
        }
    };
    struct Derived : Base {
        bool passOn = false;
        BEGIN_MSG_MAP(Derived)
            MSG_RANGE_HANDLER(kAsked, kAsked, OnAskedFirst)
            CHAIN_MSG_MAP    (Base)
        END_MSG_MAP()
        LRESULT OnAskedFirst(UINT, WPARAM, LPARAM)
        {
            if (passOn)
                SetMsgHandled(FALSE);
            return 3;
        }
    } window;
    ASSERT_NE(nullptr, window.CreatePopup());
    EXPECT_EQ(3, ::SendMessageW(window.GetHwnd(), kAsked, 0, 0));
    EXPECT_EQ(0, window.baseCalls);
    window.passOn = true;
    EXPECT_EQ(7, ::SendMessageW(window.GetHwnd(), kAsked, 0, 0));
    EXPECT_EQ(1, window.baseCalls);
    // Nobody handles WM_GETTEXTLENGTH: the default procedure answers.
    ::SetWindowTextW(window.GetHwnd(), L"four");
    EXPECT_EQ(4, ::SendMessageW(window.GetHwnd(), WM_GETTEXTLENGTH, 0, 0));
}

TEST_F(SimpleWndTest, ChangeStyleTouchesTheWindowOnlyWhenTheStyleChanges)
{
    RecordingWnd window;
    ASSERT_NE(nullptr, window.CreatePopup(0, 0, 100, 100, WS_POPUP | WS_CLIPCHILDREN));
    const struct {
        const char* what;
        bool extended;
        DWORD remove;
        DWORD add;
        BOOL changed;
    } cases[] = {
        {"adds a bit already set", false, 0, WS_CLIPCHILDREN, FALSE},
        {"removes a bit not set", false, WS_TABSTOP, 0, FALSE},
        {"adds a bit", false, 0, WS_TABSTOP, TRUE},
        {"removes and adds", false, WS_TABSTOP, WS_GROUP, TRUE},
        {"extended, unchanged", true, WS_EX_TOPMOST, 0, FALSE},
        {"extended, adds", true, 0, WS_EX_TOOLWINDOW, TRUE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int index = c.extended ? GWL_EXSTYLE : GWL_STYLE;
        const DWORD before = static_cast<DWORD>(::GetWindowLongW(window.GetHwnd(), index));
        window.messages.clear();
        const BOOL changed = c.extended ? window.ChangeStyleEx(c.remove, c.add, SWP_FRAMECHANGED)
                                        : window.ChangeStyle(c.remove, c.add, SWP_FRAMECHANGED);
        EXPECT_EQ(c.changed, changed);
        EXPECT_EQ((before & ~c.remove) | c.add, static_cast<DWORD>(::GetWindowLongW(window.GetHwnd(), index)));
        EXPECT_EQ(c.changed == TRUE, window.Saw(WM_WINDOWPOSCHANGING));
    }
}

TEST_F(SimpleWndTest, CenterWindowCentresOnTheRightRectangle)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    RecordingWnd window;
    ASSERT_NE(nullptr, window.CreatePopup(3, 5, 101, 51));
    ::GetMonitorInfoW(::MonitorFromWindow(window.GetHwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork;

    // Hidden and centred on itself: on the work area.
    EXPECT_TRUE(window.CenterWindow(window.GetHwnd()));
    RECT rect = window.GetWindowRect();
    EXPECT_EQ((work.left + work.right) / 2 - 101 / 2, rect.left);
    EXPECT_EQ((work.top + work.bottom) / 2 - 51 / 2, rect.top);
    EXPECT_EQ(101, rect.right - rect.left);

    // On a visible window near the top-left corner: kept inside the work area.
    RecordingWnd corner;
    ASSERT_NE(nullptr, corner.CreatePopup(work.left, work.top, 40, 30, WS_POPUP | WS_VISIBLE));
    EXPECT_TRUE(window.CenterWindow(corner.GetHwnd()));
    rect = window.GetWindowRect();
    EXPECT_EQ(work.left, rect.left);
    EXPECT_EQ(work.top, rect.top);

    // A child: on its parent's client area.
    RecordingWnd parent;
    ASSERT_NE(nullptr, parent.CreatePopup(100, 100, 300, 200));
    RecordingWnd child;
    ASSERT_NE(nullptr, child.CreateWindow(L"child", WS_CHILD, 0, 0, 0, 60, 40, parent.GetHwnd(), nullptr));
    EXPECT_TRUE(child.CenterWindow());
    rect = child.GetWindowRect();
    ::MapWindowPoints(HWND_DESKTOP, parent.GetHwnd(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(300 / 2 - 60 / 2, rect.left);
    EXPECT_EQ(200 / 2 - 40 / 2, rect.top);
}

TEST_F(SimpleWndTest, NotificationsAreReflectedToTheControlThatSentThem)
{
    struct Parent : RecordingWnd {
        BEGIN_MSG_MAP(Parent)
            CHAIN_MSG_MAP(RecordingWnd)
            REFLECT_NOTIFICATIONS()
        END_MSG_MAP()
    } parent;
    struct Control : RecordingWnd {
        BEGIN_MSG_MAP(Control)
            MSG_RANGE_HANDLER(OCM_BASE, OCM_BASE + 0x1FFF, OnReflected)
            CHAIN_MSG_MAP    (RecordingWnd)
        END_MSG_MAP()
        LRESULT OnReflected(UINT message, WPARAM, LPARAM)
        {
            messages.push_back(message);
            return message;
        }
    } control;
    ASSERT_NE(nullptr, parent.CreatePopup(0, 0, 200, 200));
    ASSERT_NE(nullptr, control.CreateWindow(L"control", WS_CHILD, 0, 0, 0, 50, 20, parent.GetHwnd(),
                                            nullptr));
    const HWND hwnd = control.GetHwnd();
    ::SetWindowLongPtrW(hwnd, GWLP_ID, 42);

    NMHDR header = {hwnd, 42, 0};
    DRAWITEMSTRUCT draw = {};
    draw.hwndItem = hwnd;
    MEASUREITEMSTRUCT measure = {};
    measure.CtlID = 42;
    const struct {
        const char* what;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool reflected;
    } cases[] = {
        {"command from the control", WM_COMMAND, MAKEWPARAM(42, BN_CLICKED), reinterpret_cast<LPARAM>(hwnd), true},
        {"command from a menu", WM_COMMAND, 42, 0, false},
        {"notify", WM_NOTIFY, 42, reinterpret_cast<LPARAM>(&header), true},
        {"draw item of the control", WM_DRAWITEM, 42, reinterpret_cast<LPARAM>(&draw), true},
        {"draw item of a menu", WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), false},
        {"measure item by id", WM_MEASUREITEM, 42, reinterpret_cast<LPARAM>(&measure), true},
        {"control colour", WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(hwnd), true},
        {"parent notify of a click", WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 42), 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        control.messages.clear();
        const LRESULT result = ::SendMessageW(parent.GetHwnd(), c.message, c.wParam, c.lParam);
        EXPECT_EQ(c.reflected, control.Saw(OCM_BASE + c.message));
        if (c.reflected) {
            EXPECT_EQ(static_cast<LRESULT>(OCM_BASE + c.message), result);
        }
    }
}

TEST_F(SimpleWndTest, ColourRequestAControlLeavesGoesToTheDefaultProcedure)
{
    struct Parent : RecordingWnd {
        BEGIN_MSG_MAP(Parent)
            MSG_RANGE_HANDLER(WM_NULL + 1, 0xFFFF, ReflectNotificationsOrDefault)
        END_MSG_MAP()
    } parent;
    struct Control : RecordingWnd {
        BEGIN_MSG_MAP(Control)
            MSG_RANGE_HANDLER(OCM_BASE + WM_CTLCOLORSTATIC, OCM_BASE + WM_CTLCOLORSTATIC, OnColour)
        END_MSG_MAP()
        LRESULT OnColour(UINT, WPARAM, LPARAM) { return brush; }
        LRESULT brush = 0;
    } control;
    ASSERT_NE(nullptr, parent.CreatePopup(0, 0, 200, 200));
    ASSERT_NE(nullptr, control.CreateWindow(L"control", WS_CHILD, 0, 0, 0, 50, 20, parent.GetHwnd(), nullptr));
    const HDC dc = ::GetDC(parent.GetHwnd());
    const auto ask = [&] {
        return ::SendMessageW(parent.GetHwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control.GetHwnd()));
    };
    control.brush = reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(control.brush, ask());
    control.brush = 0;
    EXPECT_NE(0, ask());   // the default procedure's brush
    ::ReleaseDC(parent.GetHwnd(), dc);
}

TEST_F(SimpleWndTest, AnObjectMakesAWindowAgainAfterItsLastOneEnded)
{
    // Its final message keeps the thunk, which then serves the next window.
    struct Keeping : RecordingWnd {
        void OnFinalMessage(HWND) override {}
    } keeping;
    RecordingWnd plain;
    RecordingWnd* const windows[] = {&plain, &keeping};
    for (RecordingWnd* window : windows) {
        for (int round = 0; round < 3; ++round) {
            const HWND hwnd = window->CreateWindow(L"again", WS_POPUP, 0, 0, 0, 10, 10, nullptr, nullptr);
            ASSERT_NE(nullptr, hwnd);
            EXPECT_EQ(1, LiveThunks());
            ::SendMessageW(hwnd, WM_USER, 0, 0);
            EXPECT_EQ(static_cast<UINT>(WM_USER), window->messages.back());   // bound to its object
            EXPECT_TRUE(window->DestroyWindow());
            EXPECT_FALSE(::IsWindow(hwnd));
        }
    }
    EXPECT_TRUE(::HeapValidate(ThunkHeap(), 0, nullptr));
}

TEST_F(SimpleWndTest, AMapThatHandlesTheLastMessageStillEndsTheWindow)
{
    struct Handling : RecordingWnd {
        int finals = 0;
        BEGIN_MSG_MAP(Handling)
            MSG_RANGE_HANDLER(WM_NCDESTROY, WM_NCDESTROY, OnNcDestroy)
            CHAIN_MSG_MAP    (RecordingWnd)
        END_MSG_MAP()
        LRESULT OnNcDestroy(UINT, WPARAM, LPARAM) { return 0; }
        void OnFinalMessage(HWND hwnd) override
        {
            RecordingWnd::OnFinalMessage(hwnd);
            ++finals;
        }
    } window;
    ASSERT_NE(nullptr, window.CreatePopup());
    EXPECT_TRUE(window.DestroyWindow());
    EXPECT_EQ(1, window.finals);
    EXPECT_EQ(nullptr, window.GetHwnd());
    EXPECT_EQ(0, LiveThunks());
}
