#include "TestWindow.h"

namespace tivala::test {

namespace {

constexpr wchar_t kClassName[] = L"TivalaTestWindow";

void RegisterClassOnce()
{
    static const bool registered = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        return ::RegisterClassW(&windowClass) != 0;
    }();
    (void)registered;
}

}  // namespace

TestWindow::TestWindow(Handler handler) : m_handler(std::move(handler))
{
    RegisterClassOnce();
    m_window = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    if (m_window) {
        ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TestWindow::WindowProc));
    }
}

TestWindow::~TestWindow()
{
    if (m_window)
        ::DestroyWindow(m_window);
}

void TestWindow::Pump()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&message);
}

void TestWindow::PumpUntil(const std::function<bool()>& finished)
{
    while (!finished()) {
        Pump();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    Pump();
}

LRESULT CALLBACK TestWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* const self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message >= WM_USER) {
        self->m_handler(message, wParam, lParam);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tivala::test
