// The yardstick of bench_startup: the least a 32-bit window program does before
// its first frame (register a class, make a window of the wizard's size, paint
// it one colour), started the same way in the same run. It runs until it is
// closed or ended.

#include "GdiHandles.h"

#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"BenchTrivialWindow";

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint = {};
        const UniquePaint session = BeginPaintOf(window, paint);
        const UniqueBrush brush(::CreateSolidBrush(RGB(40, 110, 200)));
        if (session && brush)
            ::FillRect(paint.hdc, &paint.rcPaint, brush.Get());
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (!::RegisterClassW(&windowClass))
        return 1;
    const HWND window = ::CreateWindowExW(0, kClassName, L"bench trivial window", WS_POPUP, 100, 100, 340, 420,
                                          nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ::ShowWindow(window, show);
    ::UpdateWindow(window);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
