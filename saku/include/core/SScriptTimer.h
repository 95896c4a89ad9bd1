#pragma once

#include "core/SSingleton.h"
#include "core/TStringT.h"

#include <windows.h>

namespace SAKU {

// One script timer: the window whose script runs, the handler text, and whether
// the timer repeats.
struct SCRIPTTIMERINFO {
    HWND hwnd = nullptr;
    SStringA handler;
    BOOL repeat = FALSE;
};

// The library's registry of script timers, by Win32 timer id. The application
// makes it among its singletons and deletes it with them; deleting it kills every
// thread timer still registered. UI thread.
class SScriptTimer : public SSingletonMap<SScriptTimer, SCRIPTTIMERINFO, unsigned int> {
public:
    SScriptTimer() = default;
    ~SScriptTimer() override;
};

}  // namespace SAKU
