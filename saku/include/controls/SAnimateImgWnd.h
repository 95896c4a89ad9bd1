#pragma once

#include "core/ITimelineHandler.h"
#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

namespace SAKU {

// The animated image ("animateimg"): the states of its skin shown one after the
// other over the window, a frame every speed / 10 + 1 ticks of the container's
// timeline, for `repeat` loops or without end. It starts when shown (autoStart)
// or by Start, and raises "on_animate_start" and "on_animate_stop". While it is
// hidden it keeps its place and leaves the timeline, to go on when shown again.
// It never takes the mouse. Owned by its parent like every window; UI thread.
class SAnimateImgWnd : public SWindow, public ITimelineHandler {
public:
    SOBJECT_CLASS(SWindow, L"animateimg", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    SAnimateImgWnd();

    // Plays on from the current frame with no loop played; nothing while playing.
    void Start();
    // Nothing when not playing.
    void Stop();
    BOOL IsPlaying() const { return m_playing; }
    int GetCurFrame() const { return m_curFrame; }
    int GetLoopsPlayed() const { return m_loopsPlayed; }
    ISkinObj* GetAnimateSkin() const { return m_animateSkin; }
    int GetSpeed() const { return m_speed; }
    int GetRepeat() const { return m_repeat; }

    BEGIN_ATTRIBUTES(SAnimateImgWnd)
        ATTRIBUTE_SKIN   (L"skin",      m_animateSkin,               kRefresh)
        ATTRIBUTE_FIELD  (L"speed",     m_speed,     ParseIntOrZero, kNoRefresh)
        ATTRIBUTE_FIELD  (L"autoStart", m_autoStart, ParseIntOrZero, kNoRefresh)
        ATTRIBUTE_FIELD  (L"repeat",    m_repeat,    ParseIntOrZero, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // ITimelineHandler overrides
    void OnNextFrame() override;

    // SWindow overrides
    SIZE MeasureDesiredSize(const RECT* container) override;
    void ApplyColorize(COLORREF color) override;

    BEGIN_SWND_MSG_MAP(SAnimateImgWnd)
        MSG_HANDLER  (WM_PAINT,      OnPaint)
        MSG_HANDLER  (WM_DESTROY,    OnDestroy)
        MSG_HANDLER  (WM_SHOWWINDOW, OnShowWindow)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    void OnPaint(IRenderTarget* target);
    void OnDestroy();
    void OnShowWindow(BOOL show, UINT status);

private:
    ISkinObj* m_animateSkin = nullptr;   // the pools'
    int m_speed = 50;
    int m_autoStart = 1;
    int m_repeat = -1;                   // -1: without end
    int m_curFrame = 0;
    int m_ticks = 0;
    int m_loopsPlayed = 0;
    BOOL m_playing = FALSE;
};

}  // namespace SAKU
