#pragma once

#include "core/ITimelineHandler.h"
#include "core/SWnd.h"

#include <windows.h>
#include <oleidl.h>

namespace SAKU {

class EventArgs;
class SMessageLoop;
struct IAcceleratorMgr;
struct IRenderTarget;
struct IScriptModule;

// gdc flags: how a window means to use a render target it asks for.
constexpr DWORD kGdcNoDrawing = 1;       // nothing drawn is kept or put on screen at release
constexpr DWORD kGdcPaintBkgnd = 2;      // the windows below are painted first, those above at release
constexpr DWORD kGdcOffscreen = 4;       // the target starts from what is on screen now

// What a tree of windows asks of the object that hosts it. SwndContainerImpl is
// the tree's half (capture, hover, focus, z-order, timeline handlers, mouse
// tracking, message dispatch); the host window gives the rest (render targets,
// redraw, caret, tooltip, the real window). Window handles may name windows that
// are gone: every use looks the window up again. UI thread.
struct ISwndContainer : ITimelineHandler {
    // Routes OLE drops over that window to the drop target.
    virtual BOOL RegisterDragDrop(SWND swnd, IDropTarget* dropTarget) = 0;
    virtual BOOL RevokeDragDrop(SWND swnd) = 0;
    // An event that bubbled out of the tree; whether it was handled.
    virtual BOOL OnFireEvent(EventArgs* args) = 0;
    virtual HWND GetHostHwnd() = 0;
    // The translation context of the tree's texts.
    virtual LPCWSTR GetTranslatorContext() const = 0;
    // Whether the host is a layered (translucent) window.
    virtual BOOL IsTranslucent() const = 0;
    // Whether wheel messages go to the window under the cursor rather than the focus.
    virtual BOOL IsSendWheel2Hover() const = 0;
    // The rectangle of the tree in the host.
    virtual RECT GetContainerRect() const = 0;
    // A render target to draw that rectangle (host coordinates), for `gdcFlags`
    // use; every one is given back with OnReleaseRenderTarget.
    virtual IRenderTarget* OnGetRenderTarget(const RECT& rect, DWORD gdcFlags) = 0;
    // Gives the target back, composing what was drawn.
    virtual void OnReleaseRenderTarget(IRenderTarget* target, const RECT& rect, DWORD gdcFlags) = 0;
    // Marks the rectangle for repainting.
    virtual void OnRedraw(const RECT& rect) = 0;
    virtual SWND OnGetSwndCapture() = 0;
    virtual BOOL OnReleaseSwndCapture() = 0;
    // The previous holder; 0 when the window may not take the capture.
    virtual SWND OnSetSwndCapture(SWND swnd) = 0;
    // 0 clears the focus.
    virtual void OnSetSwndFocus(SWND swnd) = 0;
    virtual SWND GetHover() const = 0;
    virtual SWND GetFocus() const = 0;
    // A caret of the bitmap (null: solid black) and size for that window.
    virtual BOOL OnCreateCaret(SWND swnd, HBITMAP bitmap, int width, int height) = 0;
    virtual BOOL OnShowCaret(BOOL show) = 0;
    virtual BOOL OnSetCaretPos(int x, int y) = 0;
    // Repaints what is pending now.
    virtual BOOL UpdateWindow() = 0;
    virtual void UpdateTooltip() = 0;
    // Converts a rectangle of the tree into host coordinates.
    virtual void FrameToHost(RECT& rect) const = 0;
    virtual IAcceleratorMgr* GetAcceleratorMgr() = 0;
    virtual BOOL RegisterTimelineHandler(ITimelineHandler* handler) = 0;
    virtual BOOL UnregisterTimelineHandler(ITimelineHandler* handler) = 0;
    // That window gets hover and leave by its own rectangle while the mouse is
    // anywhere over the tree.
    virtual void RegisterTrackMouseEvent(SWND swnd) = 0;
    virtual void UnregisterTrackMouseEvent(SWND swnd) = 0;
    virtual SMessageLoop* GetMsgLoop() = 0;
    virtual void SetWndTreeZorderDirty() = 0;
    // Numbers the tree in pre-order when the numbers are dirty.
    virtual void BuildWndTreeZorder() = 0;
    virtual IScriptModule* GetScriptModule() = 0;
    // The tree's scale in percent.
    virtual int GetScale() const = 0;
    // Hands a message of the real window to the tree.
    virtual LRESULT DoFrameEvent(UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~ISwndContainer() = default;   // never deleted through this interface
};

}  // namespace SAKU
