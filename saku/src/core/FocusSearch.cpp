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
        ? FindPreviousFocusable(start, checkStart, true, !IsFocusable(start), groupParent)
        : FindNextFocusable(start, checkStart, true, true, groupParent);
    if (found || !m_cycle)
        return found;
    m_cycle = false;
    return FindNextFocusableWindow(nullptr, reverse, true);
}

SWindow* FocusSearch::FindNextFocusable(SWindow* window, bool check, bool up, bool down, SWindow* groupParent)
{
    if (check && IsFocusableCandidate(window, groupParent)) {
        if (SWindow* const target = FocusTargetOf(window))
            return target;
    }
    if (down) {
        if (SWindow* const child = window->GetWindow(GSW_FIRSTCHILD)) {
            if (SWindow* const found = FindNextFocusable(child, true, false, true, groupParent))
                return found;
        }
    }
    if (window != m_root) {
        if (SWindow* const sibling = window->GetWindow(GSW_NEXTSIBLING)) {
            if (SWindow* const found = FindNextFocusable(sibling, true, false, true, groupParent))
                return found;
        }
    }
    if (!up)
        return nullptr;
    // Climb to the nearest ancestor below the root that has a next sibling.
    for (SWindow* parent = window->GetParent(); parent && parent != m_root; parent = parent->GetParent()) {
        if (SWindow* const sibling = parent->GetWindow(GSW_NEXTSIBLING))
            return FindNextFocusable(sibling, true, true, true, groupParent);
    }
    return nullptr;
}

SWindow* FocusSearch::FindPreviousFocusable(SWindow* window, bool check, bool up, bool down, SWindow* groupParent)
{
    if (down) {
        if (SWindow* const child = window->GetWindow(GSW_LASTCHILD)) {
            if (SWindow* const found = FindPreviousFocusable(child, true, false, true, groupParent))
                return found;
        }
    }
    if (check && IsFocusableCandidate(window, groupParent)) {
        if (SWindow* const target = FocusTargetOf(window))
            return target;
    }
    if (window == m_root)
        return nullptr;
    if (SWindow* const sibling = window->GetWindow(GSW_PREVSIBLING))
        return FindPreviousFocusable(sibling, true, up, true, groupParent);
    if (!up)
        return nullptr;
    SWindow* const parent = window->GetParent();
    if (!parent || parent == m_root)
        return nullptr;
    return FindPreviousFocusable(parent, true, true, false, groupParent);
}

}  // namespace SAKU
