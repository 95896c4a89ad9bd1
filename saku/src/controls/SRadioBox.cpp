#include "controls/SRadioBox.h"

#include "core/CFocusManager.h"

namespace SAKU {

namespace {

// Silences a window's events while the library changes its state for it.
class MutedEvents {
public:
    explicit MutedEvents(SWindow* window) : m_events(window->GetEventSet()), m_wasMuted(m_events->IsMuted())
    {
        m_events->SetMuted(true);
    }
    ~MutedEvents() { m_events->SetMuted(m_wasMuted); }
    MutedEvents(const MutedEvents&) = delete;
    MutedEvents& operator=(const MutedEvents&) = delete;

private:
    SEventSet* m_events;
    bool m_wasMuted;
};

}  // namespace

HRESULT SRadioBox::OnAttrChecked(const SStringW& value, BOOL loading)
{
    // A layout that checks a box is no change the program hears of.
    if (loading) {
        const MutedEvents muted(this);
        SetCheck(value != L"0");
    } else {
        SetCheck(value != L"0");
    }
    return kNoRefresh;
}

void SRadioBox::DrawFocus(IRenderTarget* target)
{
    if (!IsDrawFocusRect() || !IsFocusable() || !DrawFocusSkin(target))
        SWindow::DrawFocus(target);
}

SWindow* SRadioBox::GetSelectedSiblingInGroup()
{
    SWindow* const parent = GetParent();
    if (!parent)
        return nullptr;
    for (SWindow* sibling = parent->GetWindow(GSW_FIRSTCHILD); sibling; sibling = sibling->GetWindow(GSW_NEXTSIBLING)) {
        if (sibling->IsClass(ClassName()) && sibling->IsChecked())
            return sibling;
    }
    return nullptr;
}

void SRadioBox::OnStateChanging(DWORD oldState, DWORD newState)
{
    if ((oldState & WndState_Check) || !(newState & WndState_Check))
        return;
    SWindow* const checked = GetSelectedSiblingInGroup();
    if (!checked || checked == this)
        return;
    const MutedEvents muted(checked);
    checked->SetCheck(FALSE);
}

void SRadioBox::OnLButtonUp(UINT flags, POINT point)
{
    // A subscriber of the command may destroy the box.
    const SAutoRef<SRadioBox> self(this);
    SWindow::OnLeftButtonUp(flags, point);
    if (!IsChecked())
        SetCheck(TRUE);
}

void SRadioBox::OnSetFocus(SWND oldFocus, int reason)
{
    // The focus given back when the host is activated again is no choice of the user's.
    if (reason != kFocusChangeRestored && !IsChecked())
        SetCheck(TRUE);
    SWindow::OnSetFocus(oldFocus, reason);
}

}  // namespace SAKU
