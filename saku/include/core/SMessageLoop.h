#pragma once

#include "core/SDynArray.h"

#include <windows.h>

namespace SAKU {

// Sees every message of the UI thread before it is translated and dispatched:
// tooltips and drop-down windows register one with the loop.
struct IMessageFilter {
    // TRUE when the filter consumed the message: no one else sees it.
    virtual BOOL PreTranslateMessage(MSG* msg) = 0;

protected:
    ~IMessageFilter() = default;
};

// Called once in each period during which the thread's queue is empty.
struct IIdleHandler {
    virtual BOOL OnIdle() = 0;

protected:
    ~IIdleHandler() = default;
};

// The Win32 message loop of the UI thread: the application's main loop and the
// loop of each modal dialog. It ends when WM_QUIT arrives or when Quit is called
// during a dispatch, and may be run again. Filters and idle handlers are borrowed:
// their owners remove them before they die. The thread that runs the loop is the
// only one that may touch it.
class SMessageLoop {
public:
    SMessageLoop() = default;
    virtual ~SMessageLoop() = default;
    SMessageLoop(const SMessageLoop&) = delete;
    SMessageLoop& operator=(const SMessageLoop&) = delete;

    // Asks the filters, the last added first; TRUE as soon as one consumes the message.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Calls every idle handler; FALSE, so that each idle period gets one pass.
    virtual BOOL OnIdle(int idleCount);
    // Pumps messages until the loop ends; the exit code is the wParam of the last
    // message read (the PostQuitMessage code when WM_QUIT ended it).
    virtual int Run();
    virtual BOOL IsRunning() const { return m_running; }

    bool AddMessageFilter(IMessageFilter* filter) { return m_filters.Add(filter) >= 0; }
    // Removes the first occurrence; false when the filter is not registered.
    bool RemoveMessageFilter(IMessageFilter* filter);
    bool AddIdleHandler(IIdleHandler* handler) { return m_idleHandlers.Add(handler) >= 0; }
    bool RemoveIdleHandler(IIdleHandler* handler);

    // Ends a running Run right after the current dispatch, without WM_QUIT; does
    // nothing when the loop is not running.
    void Quit();
    // Whether the message ends a stretch of activity, so that idle work may run
    // again: mouse moves, paints and the system timer do not.
    static bool IsIdleMessage(const MSG& msg);
    // Translates and dispatches the message unless a filter consumes it.
    void DispatchOne(MSG* msg);

private:
    // The place of a pass over the filters that is under way: the index of the
    // filter being asked. Removals move it so that each filter is asked once.
    struct FilterPass {
        int index;
        FilterPass* outer;   // a pass further out, when a filter's call nests one
    };

    SDynArray<IMessageFilter*> m_filters;
    FilterPass* m_filterPasses = nullptr;   // the innermost pass under way
    SDynArray<IIdleHandler*> m_idleHandlers;
    MSG m_msg = {};
    bool m_running = false;
    bool m_quitRequested = false;
};

}  // namespace SAKU
