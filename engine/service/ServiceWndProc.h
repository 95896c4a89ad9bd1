#pragma once

#include <windows.h>

namespace tivala {

inline constexpr wchar_t kServiceWindowClass[] = L"InstallServiceMsgWndClass";

// The window procedure of the install service's hidden window, on the UI thread:
// adopts each worker message's record (InstallMessages.h), applies the result to
// InstallService's module list, and posts the wizard one message per worker
// message, with the overall percentages. Every message, handled or not, finally
// goes to DefWindowProcW.
LRESULT CALLBACK ServiceWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

// A percentage of part / whole, truncated toward zero, held within 0..100; 0 when
// the whole is 0, negative or unknown.
int BoundedPercent(double part, double whole);

}  // namespace tivala
