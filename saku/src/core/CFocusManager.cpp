#include "core/CFocusManager.h"

#include "core/FocusSearch.h"
#include "core/SAutoRef.h"
#include "core/SWindow.h"
#include "core/SWindowMgr.h"

namespace SAKU {

namespace {

// The saved handle of a focus parked while no window had it.
constexpr SWND kParkedNone = 0xFFFFFFFF;

bool IsKeyHeld(int key)
{
    return (::GetKeyState(key) & 0x8000) != 0;
}

SWindow* WindowOf(SWND swnd)
{
    return swnd != 0 && swnd != kParkedNone ? SWindowMgr::GetWindow(swnd) : nullptr;
}

}  // namespace

CFocusManager::~CFocusManager() = default;

SWND CFocusManager::GetFocusedHwnd() const
{
    return WindowOf(m_focused) ? m_focused : 0;
}

// A handle is looked up again at each use; one whose window is gone is dropped
// here, so that keys are not sent into the void and no later caller sees it.
SWindow* CFocusManager::GetFocusedWindow()
{
    SWindow* const window = WindowOf(m_focused);
    if (!window)
        m_focused = 0;
    return window;
}

void CFocusManager::SetFocusedWindow(SWND swnd, int reason)
{
    if (swnd == m_focused)
        return;
    if (m_saved != 0) {
        m_saved = swnd != 0 ? swnd : kParkedNone;
        return;
    }
    m_changing = true;
    m_reason = reason;
    const SWND old = m_focused;
    // The old window forgets the focus before it hears of it, so that its handler
    // sees the new state (and may move the focus again).
    m_focused = 0;
    if (SWindow* const oldWindow = WindowOf(old)) {
        SAutoRef<SWindow> hold(oldWindow);
        oldWindow->SendSwndMessage(WM_KILLFOCUS, swnd, 0);
    }
    SWindow* const newWindow = WindowOf(swnd);
    if (newWindow && !newWindow->IsDisabled(TRUE)) {
        m_focused = swnd;
        SAutoRef<SWindow> hold(newWindow);
        newWindow->SendSwndMessage(WM_SETFOCUS, old, reason);
    }
    m_changing = false;
}

void CFocusManager::AdvanceFocus(bool reverse)
{
    ValidateFocusedView();
    if (SWindow* const next = GetNextFocusableWindow(WindowOf(m_focused), reverse, true))
        SetFocusedWindow(next->GetSwnd(), kFocusChangeKeyboard);
}

// A host that loses activation hears both WM_ACTIVATE and WM_KILLFOCUS: the
// second call finds the focus parked already and must not park "nothing" over it.
void CFocusManager::SaveFocusedWindow()
{
    if (m_saved != 0)
        return;
    ValidateFocusedView();
    const SWND old = m_focused;
    m_saved = old != 0 ? old : kParkedNone;
    m_focused = 0;
    if (SWindow* const window = WindowOf(old)) {
        SAutoRef<SWindow> hold(window);
        window->SendSwndMessage(WM_KILLFOCUS, 0, 0);
    }
}

void CFocusManager::RestoreFocusedWindow()
{
    const SWND saved = m_saved;
    m_saved = 0;
    SWindow* const window = WindowOf(saved);
    if (!window || window->IsDisabled(TRUE) || !window->IsVisible(TRUE))
        return;
    m_reason = kFocusChangeRestored;
    m_focused = saved;
    SAutoRef<SWindow> hold(window);
    window->SendSwndMessage(WM_SETFOCUS, 0, kFocusChangeRestored);
}

void CFocusManager::ValidateFocusedView()
{
    SWindow* const window = GetFocusedWindow();
    if (window && window->GetRoot() != m_root)
        m_focused = 0;
}

SWindow* CFocusManager::GetNextFocusableWindow(SWindow* start, bool reverse, bool cycle)
{
    return FocusSearch(m_root, cycle).FindNextFocusableWindow(start, reverse, false);
}

bool CFocusManager::IsTabTraversalKey(UINT key)
{
    if (key != VK_TAB)
        return false;
    if (SWindow* const focused = GetFocusedWindow()) {
        if (focused->OnGetDlgCode() & kDlgCodeWantTab)
            return false;
    }
    return !IsKeyHeld(VK_CONTROL);
}

bool CFocusManager::OnKeyDown(UINT key)
{
    if (IsTabTraversalKey(key)) {
        AdvanceFocus(IsKeyHeld(VK_SHIFT));
        return true;
    }
    SWindow* const focused = GetFocusedWindow();
    if (focused && focused->IsSiblingsAutoGrouped()) {
        switch (key) {
        case VK_LEFT:
        case VK_UP:
            MoveInGroup(focused, false);
            return true;
        case VK_RIGHT:
        case VK_DOWN:
            MoveInGroup(focused, true);
            return true;
        default:
            break;
        }
    }
    return HandleAccelerator(CAccelerator(static_cast<WORD>(key), IsKeyHeld(VK_CONTROL), IsKeyHeld(VK_MENU),
                                          IsKeyHeld(VK_SHIFT)));
}

// Walks the siblings around the parent's child list, passing over those outside
// the group and those that cannot take the focus now. The walk ends where it
// began, so a group whose other members are all unfit keeps its focus.
void CFocusManager::MoveInGroup(SWindow* focused, bool forward)
{
    SWindow* const parent = focused->GetParent();
    if (!parent)
        return;
    const int step = forward ? GSW_NEXTSIBLING : GSW_PREVSIBLING;
    const int wrap = forward ? GSW_FIRSTCHILD : GSW_LASTCHILD;
    for (SWindow* sibling = focused;;) {
        SWindow* const next = sibling->GetWindow(step);
        sibling = next ? next : parent->GetWindow(wrap);
        if (!sibling || sibling == focused)
            return;
        if (sibling->IsSiblingsAutoGrouped() && FocusSearch::IsFocusable(sibling)) {
            SetFocusedWindow(sibling->GetSwnd(), kFocusChangeKeyboard);
            return;
        }
    }
}

bool CFocusManager::HandleAccelerator(const CAccelerator& accelerator)
{
    const auto* const node = m_accelerators.Lookup(accelerator.GetPacked());
    if (!node || node->value.GetCount() == 0)
        return false;
    // A target may register or unregister while it is asked: the walk goes over a
    // copy and asks only the targets that are still registered when their turn comes.
    TargetList targets;
    if (!targets.AddTailList(node->value))
        return false;
    for (auto* entry = targets.GetTail(); entry; entry = entry->prev) {
        if (IsRegistered(accelerator, entry->value) && entry->value->OnAcceleratorPressed(accelerator))
            return true;
    }
    return false;
}

bool CFocusManager::IsRegistered(const CAccelerator& accelerator, IAcceleratorTarget* target) const
{
    const auto* const node = m_accelerators.Lookup(accelerator.GetPacked());
    if (!node)
        return false;
    for (const auto* entry = node->value.GetHead(); entry; entry = entry->next) {
        if (entry->value == target)
            return true;
    }
    return false;
}

void CFocusManager::RegisterAccelerator(const CAccelerator& accelerator, IAcceleratorTarget* target)
{
    if (TargetList* const targets = m_accelerators.GetOrInsert(accelerator.GetPacked()))
        targets->AddTail(target);
}

void CFocusManager::UnregisterAccelerator(const CAccelerator& accelerator, IAcceleratorTarget* target)
{
    auto* const node = m_accelerators.Lookup(accelerator.GetPacked());
    if (!node)
        return;
    for (auto* entry = node->value.GetTail(); entry; entry = entry->prev) {
        if (entry->value == target) {
            node->value.RemoveAt(entry);
            break;
        }
    }
    if (node->value.GetCount() == 0)
        m_accelerators.RemoveKey(accelerator.GetPacked());
}

void CFocusManager::RemoveAccelerators(IAcceleratorTarget* target)
{
    for (auto* node = m_accelerators.GetStartPosition(); node; node = m_accelerators.GetNext(node)) {
        for (auto* entry = node->value.GetHead(); entry;) {
            auto* const next = entry->next;
            if (entry->value == target)
                node->value.RemoveAt(entry);
            entry = next;
        }
    }
}

}  // namespace SAKU

