#include "core/FocusSearch.h"

#include "core/SWindow.h"

namespace SAKU {

namespace {

SWindow* DeepestLastChild(SWindow* window)
{
    while (SWindow* const last = window->GetWindow(GSW_LASTCHILD))
        window = last;
    return window;
}

}  // namespace

bool FocusSearch::IsFocusable(SWindow* window)
{
    return window && window->IsFocusable() && window->IsVisible(TRUE) && !window->IsDisabled(TRUE);
}

bool FocusSearch::IsFocusableCandidate(SWindow* window, SWindow* groupParent) const
{
    if (!IsFocusable(window))
        return false;
    return !(groupParent && window->IsSiblingsAutoGrouped() && window->GetParent() == groupParent);
}

SWindow* FocusSearch::FocusTargetOf(SWindow* window)
{
    SWindow* const selected = window->GetSelectedSiblingInGroup();
    SWindow* const target = selected ? selected : window;
    return IsFocusable(target) ? target : nullptr;
}

SWindow* FocusSearch::FindNextFocusableWindow(SWindow* start, bool reverse, bool checkStart)
{
    if (!m_root->GetWindow(GSW_FIRSTCHILD))
        return nullptr;
    if (!start) {
        start = reverse ? DeepestLastChild(m_root) : m_root->GetWindow(GSW_FIRSTCHILD);
        checkStart = true;
    }
    // Leaving a group: its other members are no stop of their own.
    SWindow* const groupParent = start->IsSiblingsAutoGrouped() ? start->GetParent() : nullptr;
    SWindow* const found = reverse
        ? FindPreviousFocusable(start, checkStart, !IsFocusable(start), groupParent)
        : FindNextFocusable(start, checkStart, groupParent);
    if (found || !m_cycle)
        return found;
    m_cycle = false;
    return FindNextFocusableWindow(nullptr, reverse, true);
}

// The walks step through the tree by its links instead of recursing: a parent
// with tens of thousands of children must not cost a stack frame per sibling.

SWindow* FocusSearch::FindNextFocusable(SWindow* start, bool checkStart, SWindow* groupParent)
{
    for (SWindow* window = start; window; window = NextInPreorder(window)) {
        if ((window != start || checkStart) && IsFocusableCandidate(window, groupParent)) {
            if (SWindow* const target = FocusTargetOf(window))
                return target;
        }
    }
    return nullptr;
}

SWindow* FocusSearch::FindPreviousFocusable(SWindow* start, bool checkStart, bool fromDescendants,
                                            SWindow* groupParent)
{
    SWindow* window = fromDescendants ? DeepestLastChild(start) : start;
    for (; window; window = PreviousInPreorder(window, start)) {
        if ((window != start || checkStart) && IsFocusableCandidate(window, groupParent)) {
            if (SWindow* const target = FocusTargetOf(window))
                return target;
        }
    }
    return nullptr;
}

SWindow* FocusSearch::NextInPreorder(SWindow* window) const
{
    if (SWindow* const child = window->GetWindow(GSW_FIRSTCHILD))
        return child;
    for (; window && window != m_root; window = window->GetParent()) {
        if (SWindow* const sibling = window->GetWindow(GSW_NEXTSIBLING))
            return sibling;
    }
    return nullptr;
}

// The root comes last only when the walk began inside it from the root itself:
// climbing from elsewhere stops below it.
SWindow* FocusSearch::PreviousInPreorder(SWindow* window, SWindow* start) const
{
    if (window == m_root)
        return nullptr;
    if (SWindow* const sibling = window->GetWindow(GSW_PREVSIBLING))
        return DeepestLastChild(sibling);
    SWindow* const parent = window->GetParent();
    return parent && (parent != m_root || parent == start) ? parent : nullptr;
}

}  // namespace SAKU
