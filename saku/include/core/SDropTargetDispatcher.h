#pragma once

#include "core/SHashMap.h"
#include "core/SWnd.h"

#include "TComPtr.h"

#include <ole2.h>

namespace SAKU {

class SWindow;

// The one OLE drop target of a host window. Windows of the tree register their
// own IDropTarget by handle; each drag event goes to the target of the window
// under the cursor, with DragLeave and DragEnter as the cursor crosses from one
// window to another, so that every inner DragEnter ends with DragLeave or Drop.
// Part of its container and not reference counted: AddRef and Release answer 1.
// OLE calls it on the UI thread, the thread that registered the host.
class SDropTargetDispatcher : public IDropTarget {
public:
    explicit SDropTargetDispatcher(SWindow* root) : m_root(root) {}
    virtual ~SDropTargetDispatcher();
    SDropTargetDispatcher(const SDropTargetDispatcher&) = delete;
    SDropTargetDispatcher& operator=(const SDropTargetDispatcher&) = delete;

    // Takes a reference on `target`; false when the window has a target already
    // (the new one is then not taken).
    bool RegisterDragDrop(SWND swnd, IDropTarget* target);
    // Releases the window's target; false when it had none.
    bool RevokeDragDrop(SWND swnd);

    // IUnknown overrides
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // IDropTarget overrides; each answers S_OK.
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

private:
    TComPtr<IDropTarget> TargetOf(SWND swnd) const;
    SWND WindowUnder(POINTL screenPoint) const;

    SHashMap<SWND, IDropTarget*> m_targets;   // one reference each
    TComPtr<IDataObject> m_data;              // of the drag in progress
    SWND m_current = 0;                       // the window under the drag
    SWindow* m_root;                          // the container
};

}  // namespace SAKU
