#pragma once

namespace SAKU {

class SWindow;

// The tree walk behind Tab and Shift+Tab: the next or previous focusable window
// in document pre-order, a group of auto-grouped siblings counting as one stop
// that lands on its selected member. Never leaves the subtree of its root. A
// short-lived helper of the focus manager; UI thread only.
class FocusSearch {
public:
    FocusSearch(SWindow* root, bool cycle) : m_root(root), m_cycle(cycle) {}

    // From `start` (null: from the first or, in reverse, the deepest last window,
    // which is then itself checked); wraps around once when cycling.
    SWindow* FindNextFocusableWindow(SWindow* start, bool reverse, bool checkStart);

    // Focusable, visible and enabled, counting its ancestors.
    static bool IsFocusable(SWindow* window);

private:
    bool IsFocusableCandidate(SWindow* window, SWindow* groupParent) const;
    // The window itself, or the selected member of its group; null when that cannot take the focus.
    static SWindow* FocusTargetOf(SWindow* window);
    // The first candidate in document order from `start` on, or backwards from it
    // (after its own subtree when `fromDescendants`); `start` itself only when checked.
    SWindow* FindNextFocusable(SWindow* start, bool checkStart, SWindow* groupParent);
    SWindow* FindPreviousFocusable(SWindow* start, bool checkStart, bool fromDescendants, SWindow* groupParent);
    // The neighbours of a window in document order within the root's subtree; null past either end.
    SWindow* NextInPreorder(SWindow* window) const;
    SWindow* PreviousInPreorder(SWindow* window, SWindow* start) const;

    SWindow* m_root;
    bool m_cycle;
};

}  // namespace SAKU
