#pragma once

#include <windows.h>

namespace SAKU {

// The name of a window of a UI tree: handed out by SWindowMgr from 1 upwards and
// never reused, so that a handle kept across time (capture, hover, focus, timers)
// either finds its own window again or nothing. 0 is no window.
using SWND = DWORD;

}  // namespace SAKU
