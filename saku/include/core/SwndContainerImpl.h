#pragma once

#include "core/CFocusManager.h"
#include "core/ISwndContainer.h"
#include "core/SDropTargetDispatcher.h"
#include "core/SLinkedList.h"
#include "core/SWindow.h"

namespace SAKU {

// The tree's half of every host: the root window of its tree and the tree side of
// ISwndContainer (capture, hover, focus, z-order numbers, timeline handlers, the
// windows that track the mouse by their own rectangle). DoFrameEvent turns the
// host's real window messages into messages to the right window of the tree. The
// host (SHostWnd) derives from it and gives the rest of ISwndContainer. It keeps
// handles, never pointers, of the windows it names, and looks them up at each use.
// UI thread only.
class SwndContainerImpl : public ISwndContainer, public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"SwndContainerImpl", kObjTypeWindow)

    SwndContainerImpl();
    ~SwndContainerImpl() override;

    // The drop target the host registers with OLE for its real window; it lives
    // as long as the container.
    IDropTarget* GetDropTarget() { return &m_dropTarget; }

    // ISwndContainer overrides
    void OnNextFrame() override;
    BOOL RegisterDragDrop(SWND swnd, IDropTarget* target) override;
    BOOL RevokeDragDrop(SWND swnd) override;
    SWND OnGetSwndCapture() override;
    BOOL OnReleaseSwndCapture() override;
    SWND OnSetSwndCapture(SWND swnd) override;
    void OnSetSwndFocus(SWND swnd) override;
    SWND GetHover() const override;
    SWND GetFocus() const override;
    void FrameToHost(RECT& rect) const override;
    IAcceleratorMgr* GetAcceleratorMgr() override { return &m_focusMgr; }
    BOOL RegisterTimelineHandler(ITimelineHandler* handler) override;
    BOOL UnregisterTimelineHandler(ITimelineHandler* handler) override;
    void RegisterTrackMouseEvent(SWND swnd) override;
    void UnregisterTrackMouseEvent(SWND swnd) override;
    void SetWndTreeZorderDirty() override { m_zorderDirty = true; }
    void BuildWndTreeZorder() override;
    LRESULT DoFrameEvent(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // For containers inside another tree (item panels), whose owner parks and
    // restores their focus.
    CFocusManager* GetFocusManager() { return &m_focusMgr; }

private:
    SWindow* CaptureWindow();
    SWindow* HoverWindow();
    void OnFrameKeyDown(UINT key, LPARAM lParam);
    void OnFrameKeyEvent(UINT message, WPARAM wParam, LPARAM lParam);
    void OnFrameMouseEvent(UINT message, WPARAM wParam, LPARAM lParam);
    void OnFrameMouseMove(UINT keys, POINT point);
    void OnFrameMouseMoveWithCapture(SWindow* capture, UINT keys, POINT point);
    void OnFrameMouseWheel(UINT message, WPARAM wParam, LPARAM lParam);
    void OnFrameMouseLeave();
    BOOL OnFrameSetCursor(POINT point);
    void SendToFocus(UINT message, WPARAM wParam, LPARAM lParam);
    void UpdateTrackedWindows(const POINT* point);

    SWND m_capture = 0;
    SWND m_hover = 0;                      // the window under the mouse
    bool m_ncHover = false;                // the mouse is over the hover window's non-client part
    CFocusManager m_focusMgr;
    SDropTargetDispatcher m_dropTarget;
    bool m_zorderDirty = true;
    SLinkedList<ITimelineHandler*> m_timelineHandlers{10};   // borrowed; each unregisters before it dies
    SLinkedList<SWND> m_trackMouseWindows{10};
};

}  // namespace SAKU
