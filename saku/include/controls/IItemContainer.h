#pragma once

#include <windows.h>

namespace SAKU {

class SItemPanel;

// What an item panel asks of the view that owns it: where the row lies and who
// holds the mouse. The view outlives its panels. UI thread.
struct IItemContainer {
    // A window inside the row took (or gave up) the mouse capture.
    virtual void SetItemCapture(SItemPanel* item, BOOL capture) = 0;
    // The row's rectangle in the owner's coordinates.
    virtual BOOL GetItemRect(SItemPanel* item, RECT& rect) = 0;
    // TRUE: a redraw inside a row invalidates the owner; FALSE: the row repaints at once.
    virtual BOOL IsItemRedrawDelayed() = 0;
    virtual void OnItemRequestRelayout(SItemPanel* item) = 0;

protected:
    ~IItemContainer() = default;
};

}  // namespace SAKU
