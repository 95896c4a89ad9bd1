#pragma once

#include "core/SSingleton.h"
#include "core/SWnd.h"

namespace SAKU {

// One element timer: the window that owns it and the window's own id for it.
struct tagTIMERINFO {
    SWND swnd = 0;
    UINT id = 0;
};

// Timers for windows of the UI library, which have no real window to own one: each
// is a thread timer of the system whose ticks reach the window as UM_TIMER2
// (0x1938; wParam = the window's own id). The map goes from the system's timer id to its
// owner. The application makes the one instance after the window manager; the
// window manager kills a window's timers when its handle goes. UI thread only: the
// ticks arrive through the UI thread's message loop.
class STimer2 : public SSingletonMap<STimer2, tagTIMERINFO, UINT> {
public:
    STimer2() = default;
    // Kills the timers still running, so that none ticks into a dead service.
    ~STimer2() override;

    // Starts the window's timer `id`, replacing a running one of the same id. FALSE,
    // with nothing stored, when the system gives no timer.
    BOOL SetTimer(SWND swnd, UINT id, UINT elapse);
    // Kills the window's timer `id`; nothing when it has none.
    void KillTimer2(SWND swnd, UINT id);
    // Kills every timer of the window.
    void KillTimer(SWND swnd);

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR systemId, DWORD) noexcept;

    // The system id of the window's timer `id`; 0 when it has none.
    UINT FindTimer(SWND swnd, UINT id) const;
    void Kill(UINT systemId);
};

}  // namespace SAKU
