#pragma once

// A stand-in for the host of a window tree: it records what the windows ask of
// their container (redraws, capture, focus, hover, mouse tracking, events that
// leave the tree, tooltip and caret calls) and answers with what a test sets.
// Tests of windows, layouts and painting share it; a test that needs render
// targets derives from it and overrides OnGetRenderTarget/OnReleaseRenderTarget.

#include "core/EventArgs.h"
#include "core/ISwndContainer.h"
#include "core/SWindow.h"
#include "core/SWindowMgr.h"

#include <algorithm>
#include <string>
#include <vector>

namespace saku_test {

class RecordingContainer : public SAKU::ISwndContainer {
public:
    RecordingContainer() = default;
    virtual ~RecordingContainer() = default;
    RecordingContainer(const RecordingContainer&) = delete;
    RecordingContainer& operator=(const RecordingContainer&) = delete;

    // What the windows did.
    std::vector<RECT> redraws;
    std::vector<SAKU::SWND> focusCalls;        // every OnSetSwndFocus, 0 included
    std::vector<SAKU::SWND> captureCalls;      // every OnSetSwndCapture that was granted
    int captureReleases = 0;
    std::vector<SAKU::SWND> trackedWindows;    // registered for mouse tracking now
    struct FiredEvent {
        int id;
        std::wstring sender;                   // the sender's name
    };
    std::vector<FiredEvent> firedEvents;       // the events that bubbled out
    int zorderDirtyMarks = 0;
    int tooltipUpdates = 0;
    int windowUpdates = 0;

    // What the container answers.
    SAKU::SWND focus = 0;
    SAKU::SWND capture = 0;
    SAKU::SWND hover = 0;
    HWND host = nullptr;
    int scale = 100;
    BOOL eventsHandled = FALSE;                // OnFireEvent's answer

    void ClearRecords()
    {
        redraws.clear();
        focusCalls.clear();
        captureCalls.clear();
        captureReleases = 0;
        firedEvents.clear();
        zorderDirtyMarks = 0;
        tooltipUpdates = 0;
        windowUpdates = 0;
    }

    // ITimelineHandler
    void OnNextFrame() override {}

    // ISwndContainer
    BOOL RegisterDragDrop(SAKU::SWND, IDropTarget*) override { return FALSE; }
    BOOL RevokeDragDrop(SAKU::SWND) override { return FALSE; }
    BOOL OnFireEvent(SAKU::EventArgs* args) override
    {
        firedEvents.push_back({args->GetID(), args->nameFrom.c_str()});
        return eventsHandled;
    }
    HWND GetHostHwnd() override { return host; }
    LPCWSTR GetTranslatorContext() const override { return L""; }
    BOOL IsTranslucent() const override { return FALSE; }
    BOOL IsSendWheel2Hover() const override { return FALSE; }
    RECT GetContainerRect() const override { return RECT{0, 0, 0, 0}; }
    SAKU::IRenderTarget* OnGetRenderTarget(const RECT&, DWORD) override { return nullptr; }
    void OnReleaseRenderTarget(SAKU::IRenderTarget*, const RECT&, DWORD) override {}
    void OnRedraw(const RECT& rect) override { redraws.push_back(rect); }
    SAKU::SWND OnGetSwndCapture() override { return capture; }
    BOOL OnReleaseSwndCapture() override
    {
        ++captureReleases;
        capture = 0;
        return TRUE;
    }
    // As the real container: a disabled window may not take the capture.
    SAKU::SWND OnSetSwndCapture(SAKU::SWND swnd) override
    {
        SAKU::SWindow* const window = SAKU::SWindowMgr::GetWindow(swnd);
        if (!window || window->IsDisabled(TRUE))
            return 0;
        captureCalls.push_back(swnd);
        const SAKU::SWND previous = capture;
        capture = swnd;
        return previous;
    }
    void OnSetSwndFocus(SAKU::SWND swnd) override
    {
        focusCalls.push_back(swnd);
        focus = swnd;
    }
    SAKU::SWND GetHover() const override { return hover; }
    SAKU::SWND GetFocus() const override { return focus; }
    BOOL OnCreateCaret(SAKU::SWND, HBITMAP, int, int) override { return FALSE; }
    BOOL OnShowCaret(BOOL) override { return FALSE; }
    BOOL OnSetCaretPos(int, int) override { return FALSE; }
    BOOL UpdateWindow() override
    {
        ++windowUpdates;
        return TRUE;
    }
    void UpdateTooltip() override { ++tooltipUpdates; }
    void FrameToHost(RECT&) const override {}
    SAKU::IAcceleratorMgr* GetAcceleratorMgr() override { return nullptr; }
    BOOL RegisterTimelineHandler(SAKU::ITimelineHandler*) override { return FALSE; }
    BOOL UnregisterTimelineHandler(SAKU::ITimelineHandler*) override { return FALSE; }
    void RegisterTrackMouseEvent(SAKU::SWND swnd) override
    {
        if (std::find(trackedWindows.begin(), trackedWindows.end(), swnd) == trackedWindows.end())
            trackedWindows.push_back(swnd);
    }
    void UnregisterTrackMouseEvent(SAKU::SWND swnd) override
    {
        trackedWindows.erase(std::remove(trackedWindows.begin(), trackedWindows.end(), swnd), trackedWindows.end());
    }
    SAKU::SMessageLoop* GetMsgLoop() override { return nullptr; }
    void SetWndTreeZorderDirty() override { ++zorderDirtyMarks; }
    void BuildWndTreeZorder() override {}
    SAKU::IScriptModule* GetScriptModule() override { return nullptr; }
    int GetScale() const override { return scale; }
    LRESULT DoFrameEvent(UINT, WPARAM, LPARAM) override { return 0; }
};

}  // namespace saku_test

