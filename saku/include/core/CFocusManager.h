#pragma once

#include "core/IAcceleratorMgr.h"
#include "core/SHashMap.h"
#include "core/SLinkedList.h"
#include "core/SWnd.h"

namespace SAKU {

class SWindow;

// Why the focus moved last, as the new focus window sees it in WM_SETFOCUS's lParam.
enum FocusChangeReason : int {
    kFocusChangeDirect = 0,     // SetFocus of a window, or a click
    kFocusChangeKeyboard = 1,   // Tab, Shift+Tab or an arrow inside a group
    kFocusChangeRestored = 2,   // given back after the host was activated again
};

// The keyboard focus of one tree of windows: which window has it, Tab and
// Shift+Tab in tree order, the arrows inside a group of auto-grouped siblings,
// the parking of the focus while the host is inactive, and the tree's
// accelerators. Part of its container, which outlives it; it keeps handles,
// never pointers, of the windows it names. UI thread only.
class CFocusManager : public IAcceleratorMgr {
public:
    explicit CFocusManager(SWindow* root) : m_root(root) {}
    ~CFocusManager();
    CFocusManager(const CFocusManager&) = delete;
    CFocusManager& operator=(const CFocusManager&) = delete;

    // The focused handle; 0 when none or when its window is gone.
    SWND GetFocusedHwnd() const;
    // The focused window, null when there is none or it is gone (then forgotten).
    SWindow* GetFocusedWindow();
    int GetLastChangeReason() const { return m_reason; }
    // True while WM_KILLFOCUS and WM_SETFOCUS of a change go out.
    bool IsChanging() const { return m_changing; }

    // While the focus is parked, only changes what will be restored. Otherwise the
    // old window is told WM_KILLFOCUS and the new one, when it is enabled,
    // WM_SETFOCUS with the reason; a disabled one leaves no focus.
    void SetFocusedWindow(SWND swnd, int reason = kFocusChangeDirect);
    // Tab (forward) or Shift+Tab (reverse) from the focused window, wrapping once.
    void AdvanceFocus(bool reverse);
    // Parks the focus while the host is inactive; the window is told WM_KILLFOCUS.
    // Nothing when the focus is parked already.
    void SaveFocusedWindow();
    // Gives the parked window the focus back when it is still enabled and visible.
    void RestoreFocusedWindow();
    // Drops a focused handle whose window is gone or has left this tree.
    void ValidateFocusedView();
    // The next (or previous) focusable window after `start` (null: from the ends).
    SWindow* GetNextFocusableWindow(SWindow* start, bool reverse, bool cycle);

    // Tab traversal, arrows inside a group, then the accelerators; whether taken.
    bool OnKeyDown(UINT key);
    // Tab without Ctrl, unless the focused window wants Tab itself.
    bool IsTabTraversalKey(UINT key);
    // Offers the key to its targets, the newest first; whether one took it.
    bool HandleAccelerator(const CAccelerator& accelerator);

    // IAcceleratorMgr overrides
    void RegisterAccelerator(const CAccelerator& accelerator, IAcceleratorTarget* target) override;
    void UnregisterAccelerator(const CAccelerator& accelerator, IAcceleratorTarget* target) override;
    void RemoveAccelerators(IAcceleratorTarget* target) override;

private:
    using TargetList = SLinkedList<IAcceleratorTarget*>;

    void MoveInGroup(SWindow* focused, bool forward);
    bool IsRegistered(const CAccelerator& accelerator, IAcceleratorTarget* target) const;

    SWND m_focused = 0;
    SWND m_saved = 0;                  // 0: nothing parked; kParkedNone: parked without a focus
    bool m_changing = false;
    int m_reason = kFocusChangeDirect;
    SWindow* m_root;                   // the container's own root window
    SHashMap<DWORD, TargetList> m_accelerators;   // by packed accelerator; the newest target at the tail
};

}  // namespace SAKU
