#pragma once

#include "core/SMessageLoop.h"

#include <windows.h>

namespace SAKU {

struct SwndToolTipInfo;

// The tooltip of a host window. The host registers it as a filter of its message
// loop, so that it sees the mouse before the tree does, and tells it which tip
// the window under the mouse has (UpdateTip) or that there is none (ClearTip).
// Made and destroyed by the application's tooltip factory. UI thread.
struct IToolTip : IMessageFilter {
    // The tip of a window of the tree: its id (window handle and cookie), its
    // target rectangle in host client coordinates and its text; `scale` is the
    // host's, in percent. A tip with the id shown now changes nothing.
    virtual void UpdateTip(const SwndToolTipInfo& tip, int scale) = 0;
    // No window has a tip: the tip is hidden and forgotten.
    virtual void ClearTip() = 0;
    // Shows, moves or hides the tip for a mouse message of the thread.
    virtual void RelayEvent(const MSG* msg) = 0;

protected:
    ~IToolTip() = default;   // the factory destroys the tip's window, which ends it
};

}  // namespace SAKU
