#pragma once

#include "core/SCriticalSection.h"
#include "core/SSingleton.h"
#include "core/SWnd.h"

namespace SAKU {

class SWindow;

// The process-wide table from window handle to window object. Every window takes
// its handle here when it is made and gives it back when it is destroyed; handles
// count up from 1 and are never given twice. The only structure of the window
// tree that may be reached from any thread: the table and the counter are locked.
class SWindowMgr : public SSingletonMap<SWindowMgr, SWindow*, SWND> {
public:
    SWindowMgr() = default;
    ~SWindowMgr() override = default;

    // The window for a handle; null for 0, an unknown or a destroyed handle.
    static SWindow* GetWindow(SWND swnd);
    // A new handle for the window.
    static SWND NewWindow(SWindow* window);
    // Forgets the handle and kills the element timers that it owns; whether it was known.
    static BOOL DestroyWindow(SWND swnd);

private:
    SCriticalSection m_lock;
    SWND m_nextHandle = 0;
};

}  // namespace SAKU
