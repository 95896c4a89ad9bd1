#include "controls/SSpinButton.h"

#include "SpinStep.h"
#include "core/Events.h"
#include "core/ISkinObj.h"
#include "core/SkinLookup.h"

#include <cwchar>

namespace SAKU {

namespace {

// Timeline frames of 10 ms: a held arrow first waits this many, then repeats
// every kRepeatFrames.
constexpr int kFirstDelayFrames = 50;
constexpr int kRepeatFrames = 6;

constexpr int kStateNormal = 0;
constexpr int kStateHover = 1;
constexpr int kStatePushed = 2;
// The down arrow's looks follow the up arrow's in the skin.
constexpr int kDownStates = 3;

}  // namespace

SSpinButton::SSpinButton()
{
    m_spinSkin = FindBuiltinSkin(L"_skin.sys.btn.spin");
    ApplyAttribute(L"focusable", L"1", TRUE);
    GetEventSet()->AddEvent(EventSpinValue2String::EventID, EventSpinValue2String::EventName());
}

bool SSpinButton::ParseCircle(const SStringW& value)
{
    return !(value == L"0" || _wcsicmp(value.c_str(), L"false") == 0);
}

SWindow* SSpinButton::GetBuddy() const
{
    if (m_buddyName.IsEmpty())
        return nullptr;
    for (SWindow* ancestor = GetParent(); ancestor; ancestor = ancestor->GetParent()) {
        if (SWindow* const buddy = ancestor->FindChildByName(m_buddyName.c_str()))
            return buddy;
    }
    return nullptr;
}

int SSpinButton::ArrowFromPoint(POINT point) const
{
    RECT client;
    CopyClientRect(&client);
    return point.y >= client.top + (client.bottom - client.top) / 2 ? kArrowDown : kArrowUp;
}

void SSpinButton::StepValue(int arrow)
{
    const SWindow* const buddy = GetBuddy();
    if (!buddy) {
        EventSpinValue2String direction(this, arrow);
        RaiseEvent(&direction);
        return;
    }
    // Text that is no number reads as 0, as the C library reads it.
    const SStringW text = buddy->GetWindowText(TRUE);
    const int value = SpinStep(std::wcstoll(text.c_str(), nullptr, 10), m_step, arrow == kArrowUp, m_min, m_max,
                               m_circle != FALSE);
    EventSpinValue2String stepped(this, value);
    stepped.text.Format(L"%d", value);
    RaiseEvent(&stepped);
    if (!stepped.bubbleUp)
        return;
    // A subscriber may have taken the buddy away meanwhile.
    if (SWindow* const shown = GetBuddy())
        shown->SetWindowText(stepped.text.c_str());
}

// ---- Repeating --------------------------------------------------------------------------

void SSpinButton::StartRepeat()
{
    m_frames = 0;
    m_firstDelay = TRUE;
    ISwndContainer* const container = GetContainer();
    if (container && IsVisible(TRUE))
        container->RegisterTimelineHandler(this);
}

void SSpinButton::StopRepeat()
{
    // Also when hidden: the handler must not outlive a press whatever came between.
    if (ISwndContainer* const container = GetContainer())
        container->UnregisterTimelineHandler(this);
}

void SSpinButton::OnNextFrame()
{
    if (m_firstDelay) {
        if (m_frames < kFirstDelayFrames) {
            ++m_frames;
            return;
        }
        m_frames = 0;
        m_firstDelay = FALSE;
    } else if (m_frames >= kRepeatFrames) {
        m_frames = 0;
    }
    if (m_frames == 0 && (GetState() & WndState_PushDown) && m_pressedArrow == m_hoverArrow) {
        const SAutoRef<SSpinButton> self(this);   // a subscriber of the step may end the window
        StepValue(m_pressedArrow);
    }
    ++m_frames;
}

// ---- Messages ---------------------------------------------------------------------------

void SSpinButton::OnDestroy()
{
    StopRepeat();
    SWindow::OnDestroy();
}

void SSpinButton::OnShowWindow(BOOL show, UINT status)
{
    SWindow::OnShowWindow(show, status);
    // A held arrow goes on where it was when shown again.
    ISwndContainer* const container = GetContainer();
    if (m_pressedArrow == -1 || !container)
        return;
    if (IsVisible(TRUE))
        container->RegisterTimelineHandler(this);
    else
        container->UnregisterTimelineHandler(this);
}

void SSpinButton::OnPaint(IRenderTarget* target)
{
    SWindow::OnPaint(target);
    if (!m_spinSkin)
        return;
    const SIZE arrow = m_spinSkin->QuerySkinSize();
    RECT client;
    CopyClientRect(&client);
    const int inset = (client.bottom - client.top - arrow.cy) / 4;
    const int left = client.left + (client.right - client.left - arrow.cx) / 2;
    int look = kStateNormal;
    if (!IsDisabled(TRUE))
        look = GetState() & WndState_PushDown ? kStatePushed : GetState() & WndState_Hover ? kStateHover : kStateNormal;
    const RECT up = {left, client.top + inset, left + arrow.cx, client.top + inset + arrow.cy};
    const RECT down = {left, client.bottom - inset - arrow.cy, left + arrow.cx, client.bottom - inset};
    m_spinSkin->DrawByIndex(target, &up, m_hoverArrow == kArrowUp ? look : kStateNormal);
    m_spinSkin->DrawByIndex(target, &down, (m_hoverArrow == kArrowDown ? look : kStateNormal) + kDownStates);
}

void SSpinButton::OnMouseMove(UINT, POINT point)
{
    const int arrow = ArrowFromPoint(point);
    if (arrow == m_hoverArrow)
        return;
    m_hoverArrow = arrow;
    Invalidate();
}

void SSpinButton::OnLButtonDown(UINT flags, POINT point)
{
    const SAutoRef<SSpinButton> self(this);   // subscribers of the press and the step may end the window
    SWindow::OnLButtonDown(flags, point);
    m_pressedArrow = ArrowFromPoint(point);
    StepValue(m_pressedArrow);
    StartRepeat();
}

void SSpinButton::OnLButtonUp(UINT flags, POINT point)
{
    const SAutoRef<SSpinButton> self(this);
    SWindow::OnLeftButtonUp(flags, point);
    Invalidate();
    if (IsFocused())
        KillFocus();
    StopRepeat();
    m_pressedArrow = -1;
}

void SSpinButton::OnMouseLeave()
{
    SWindow::OnMouseLeave();
    m_hoverArrow = -1;
    Invalidate();
}

}  // namespace SAKU
