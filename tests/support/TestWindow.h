#pragma once

#include <windows.h>

#include <functional>

namespace tivala::test {

// A hidden message-only window of the calling thread that hands every message
// from WM_USER up to a handler, as the install service's window receives the
// workers' messages. The creating thread pumps it and destroys it.
class TestWindow {
public:
    using Handler = std::function<void(UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit TestWindow(Handler handler);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return m_window; }

    // Dispatches the thread's queued messages.
    static void Pump();
    // Dispatches messages until `finished` answers true, then what is still queued.
    static void PumpUntil(const std::function<bool()>& finished);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Handler m_handler;
    HWND m_window = nullptr;
};

}  // namespace tivala::test
