#pragma once

// What the host window tests share: the application with the test program's
// resources and UI definition, the layered-window functions, message pumps with
// a deadline, and real mouse input from the display server through xdotool.

#include "SakuAppTest.h"

#include "core/LayeredWindowApi.h"
#include "core/SHostWnd.h"
#include "core/SMessageLoop.h"

#include "HostCommand.h"
#include "ScratchDir.h"

#include <pugixml.hpp>

#include <functional>
#include <string>

namespace saku_test {

class HostTest : public SakuAppTest {
protected:
    void SetUp() override
    {
        SakuAppTest::SetUp();
        ASSERT_TRUE(SAKU::InitLayeredWindowApi());
        AddProgramResources(L"UIDEF:XML_INIT");
    }

    // While set, the pumps dispatch through this loop (SMessageLoop::DispatchOne),
    // so that its message filters (tooltips, drop-down windows) see every message
    // as under the application's loop; plain dispatch while null. TearDown clears it.
    static SAKU::SMessageLoop*& DispatchLoop()
    {
        static SAKU::SMessageLoop* loop = nullptr;
        return loop;
    }
    void TearDown() override
    {
        DispatchLoop() = nullptr;
        SakuAppTest::TearDown();
    }

    // Dispatches the thread's messages until `done` answers true; false when
    // `timeoutMs` passed first. The deadline only stops a test that went wrong.
    static bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs = 10000)
    {
        const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
        while (!done()) {
            if (::GetTickCount64() > deadline)
                return false;
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    ::PostQuitMessage(static_cast<int>(msg.wParam));   // not ours to take
                    return done();
                }
                if (SAKU::SMessageLoop* const loop = DispatchLoop()) {
                    loop->DispatchOne(&msg);
                } else {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageW(&msg);
                }
            }
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return true;
    }
    // Dispatches what the thread has queued now, and what that posts in turn.
    static void Pump() { PumpUntil([] { return false; }, 50); }

    // Builds a host from layout text (the "SAKU" element) in a window of its own.
    static bool LoadLayout(SAKU::SHostWnd& host, const wchar_t* xml, int cx = 0, int cy = 0)
    {
        pugi::xml_document document;
        if (!document.load_string(xml))
            return false;
        if (!host.Create(nullptr, 0, 0, 0, 0))
            return false;
        return host.LoadFromXml(document.child(L"SAKU"), cx, cy) != FALSE;
    }

    // Shows a host made by LoadLayout in front, so that the display server's input reaches it.
    static void ShowInFront(SAKU::SHostWnd& host)
    {
        ::ShowWindow(host.GetHwnd(), SW_SHOWNORMAL);
        ::SetForegroundWindow(host.GetHwnd());
        Pump();
    }
    // Takes the quit message that an application window's end posts: the test's
    // loop is not the window's. True when there was one.
    static bool DropQuitMessage()
    {
        MSG quit;
        return ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
    }
    // Destroys a host window (a layout host, a dialog) and takes the quit
    // message its end may post.
    static void DestroyHost(SAKU::CSimpleWnd& host)
    {
        host.DestroyWindow();
        DropQuitMessage();
    }

    // A point of the host's client area on the screen.
    static POINT OnScreen(HWND window, POINT client)
    {
        ::ClientToScreen(window, &client);
        return client;
    }

    // A screen point as xdotool's arguments take it.
    static std::string Xy(POINT point) { return std::to_string(point.x) + " " + std::to_string(point.y); }

    // Runs an xdotool command line on the display server in the background; the
    // caller pumps messages until XdotoolDone says it ended, so that what the
    // input starts (a move loop, a modal loop) runs meanwhile.
    void StartXdotool(const std::string& arguments)
    {
        ::DeleteFileW(m_scratch.File(L"done").c_str());   // a run before this one
        ASSERT_TRUE(tivala::test::HostCommand::Start("xdotool " + arguments + "; touch '" + m_scratch.UnixPath() + "/done'", m_scratch));
    }
    bool XdotoolDone() const
    {
        return ::GetFileAttributesW(m_scratch.File(L"done").c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // Runs the xdotool command and waits for it and for what it started.
    void Drive(const std::string& arguments)
    {
        StartXdotool(arguments);
        ASSERT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
        Pump();
    }

    // Keeps the display server's whole screen for the eye: NAME.png in the folder
    // that the environment variable names, when it names one.
    void KeepScreen(const wchar_t* variable, const wchar_t* name)
    {
        const wchar_t* const folder = _wgetenv(variable);
        if (!folder || !*folder)
            return;
        tivala::test::HostCommand::Run("import -window root '" + m_scratch.UnixPath() + "/screen.png'",
                                       m_scratch.UnixPath());
        ::CopyFileW(m_scratch.File(L"screen.png").c_str(), (std::wstring(folder) + L"\\" + name + L".png").c_str(),
                    FALSE);
    }

    tivala::test::ScratchDir m_scratch;
};

}  // namespace saku_test
