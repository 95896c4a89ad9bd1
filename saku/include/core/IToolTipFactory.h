#pragma once

#include "core/IObjRef.h"

#include <windows.h>

namespace SAKU {

struct IToolTip;

// Makes the tooltip of each host window: the host asks for one when it is
// created and hands it back when it is destroyed. Reference counted; UI thread.
struct IToolTipFactory : IObjRef {
    // The tooltip of the host window `host`, its window created; null when it
    // cannot be had, and the host then runs without one.
    virtual IToolTip* NewToolTip(HWND host) = 0;
    // Destroys the tooltip's window, which ends the tooltip; null is allowed.
    virtual void DestroyToolTip(IToolTip* toolTip) = 0;

protected:
    virtual ~IToolTipFactory() = default;   // deleted by its last Release only
};

// The library's own tooltips. The application makes it.
class SDefToolTipFactory : public TObjRefImpl<IToolTipFactory> {
public:
    // IToolTipFactory overrides
    IToolTip* NewToolTip(HWND host) override;
    void DestroyToolTip(IToolTip* toolTip) override;
};

}  // namespace SAKU
