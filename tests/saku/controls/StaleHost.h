#pragma once

// A windowless host whose host window is gone, for the popups that must fail to
// make their window over it: the system refuses a window whose parent no longer
// exists. It answers with its own message loop; the test owns it.

#include "WindowlessHost.h"

#include <windows.h>

namespace saku_test {

class StaleHost : public tivala::test::WindowlessHost {
public:
    // A handle of a window made and destroyed at once.
    StaleHost(SAKU::IRenderTarget* canvas)
        : WindowlessHost(canvas, Targets::kCanvas),
          m_stale(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr))
    {
        ::DestroyWindow(m_stale);
    }

    // Whether a filter of the host's loop eats a Down key now.
    bool LoopEatsDown()
    {
        MSG msg = {m_stale, WM_KEYDOWN, VK_DOWN, 0, 0, {}};
        return GetMsgLoop()->PreTranslateMessage(&msg) != FALSE;
    }

    HWND GetHostHwnd() override { return m_stale; }

private:
    HWND m_stale;
};

}  // namespace saku_test
