#pragma once

#include <windows.h>

namespace SAKU {

// UpdateLayeredWindowIndirect for the translucent host windows, also on systems
// whose user32 lacks it: there an equivalent over UpdateLayeredWindow stands in.
// The application looks the functions up once at start-up, before any host window
// exists; afterwards they are only read. UI thread.

// FALSE when user32 or its UpdateLayeredWindow is missing: no layered host can be shown then.
bool InitLayeredWindowApi();

// The stored UpdateLayeredWindowIndirect (or its stand-in). FALSE, with
// ERROR_INVALID_FUNCTION, before InitLayeredWindowApi found one.
BOOL CallUpdateLayeredWindowIndirect(HWND window, const UPDATELAYEREDWINDOWINFO* info);

// UpdateLayeredWindowIndirect over UpdateLayeredWindow: the info's fields go over
// one by one; its dirty rectangle is not used, so the whole window is updated.
BOOL WINAPI UpdateLayeredWindowIndirectFallback(HWND window, const UPDATELAYEREDWINDOWINFO* info);

}  // namespace SAKU
