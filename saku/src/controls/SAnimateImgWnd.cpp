#include "controls/SAnimateImgWnd.h"

#include "core/Events.h"
#include "core/ISkinObj.h"

#include <algorithm>

namespace SAKU {

namespace {

// A timeline tick is 10 ms: the speed counts milliseconds.
constexpr int kTickMs = 10;

}  // namespace

SAnimateImgWnd::SAnimateImgWnd()
{
    ApplyAttribute(L"msgTransparent", L"1", TRUE);   // a picture never takes the mouse
    GetEventSet()->AddEvent(EventAnimateStart::EventID, EventAnimateStart::EventName());
    GetEventSet()->AddEvent(EventAnimateStop::EventID, EventAnimateStop::EventName());
}

void SAnimateImgWnd::Start()
{
    if (m_playing)
        return;
    ISwndContainer* const container = GetContainer();
    if (container && IsVisible(TRUE))
        container->RegisterTimelineHandler(this);
    m_loopsPlayed = 0;
    m_playing = TRUE;
    EventAnimateStart started(this);
    RaiseEvent(&started);
}

void SAnimateImgWnd::Stop()
{
    if (!m_playing)
        return;
    ISwndContainer* const container = GetContainer();
    if (container && IsVisible(TRUE))
        container->UnregisterTimelineHandler(this);
    m_playing = FALSE;
    EventAnimateStop stopped(this);
    RaiseEvent(&stopped);
}

void SAnimateImgWnd::OnNextFrame()
{
    if (!m_animateSkin) {
        if (ISwndContainer* const container = GetContainer())
            container->UnregisterTimelineHandler(this);
        return;
    }
    if (m_ticks > m_speed / kTickMs)
        m_ticks = 0;
    if (m_ticks == 0) {
        ++m_curFrame;
        Invalidate();
        // A skin without states is one picture: each step ends a loop.
        const int frames = std::max(1, m_animateSkin->GetStates());
        if (m_curFrame >= frames) {
            m_curFrame = 0;
            if (m_repeat != -1 && ++m_loopsPlayed == m_repeat) {
                const SAutoRef<SAnimateImgWnd> self(this);   // a subscriber of the stop may end the window
                Stop();
            }
        }
    }
    ++m_ticks;
}

SIZE SAnimateImgWnd::MeasureDesiredSize(const RECT*)
{
    return m_animateSkin ? m_animateSkin->QuerySkinSize() : SIZE{0, 0};
}

void SAnimateImgWnd::ApplyColorize(COLORREF color)
{
    SWindow::ApplyColorize(color);
    if (m_animateSkin)
        m_animateSkin->ApplyColorize(color);
}

void SAnimateImgWnd::OnPaint(IRenderTarget* target)
{
    if (!m_animateSkin)
        return;
    const RECT window = GetWindowRect();
    m_animateSkin->DrawByIndex(target, &window, m_curFrame);
}

void SAnimateImgWnd::OnDestroy()
{
    Stop();
    SWindow::OnDestroy();
}

void SAnimateImgWnd::OnShowWindow(BOOL show, UINT status)
{
    SWindow::OnShowWindow(show, status);
    ISwndContainer* const container = GetContainer();
    if (IsVisible(TRUE)) {
        if (!m_playing) {
            if (m_autoStart)
                Start();
        } else if (container) {
            container->RegisterTimelineHandler(this);
        }
    } else if (m_playing && container) {
        container->UnregisterTimelineHandler(this);
    }
}

}  // namespace SAKU
