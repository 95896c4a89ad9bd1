#pragma once

#include "core/IObjRef.h"

#include <windows.h>

namespace SAKU {

class SRealWnd;

// The program's maker of the native windows that "realwnd" elements reserve room
// for. The application holds it; the library never provides one, so without it a
// realwnd only keeps its rectangle. Called on the UI thread.
struct IRealWndHandler : IObjRef {
    // The native child window for the element, made from its parameters; null for none.
    virtual HWND CreateNativeWindow(SRealWnd* realWnd) = 0;
    virtual void DestroyNativeWindow(SRealWnd* realWnd) = 0;
    // After creation and placement.
    virtual void InitNativeWindow(SRealWnd* realWnd) = 0;
    // TRUE when the handler sized the window itself.
    virtual BOOL SizeNativeWindow(SRealWnd* realWnd) = 0;
    // TRUE when the handler moved the window to `rect` (host coordinates) itself.
    virtual BOOL MoveNativeWindow(SRealWnd* realWnd, const RECT& rect) = 0;

protected:
    virtual ~IRealWndHandler() = default;   // deleted by its last Release only
};

}  // namespace SAKU
