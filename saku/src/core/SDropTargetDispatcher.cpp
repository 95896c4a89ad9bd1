#include "core/SDropTargetDispatcher.h"

#include "core/ISwndContainer.h"
#include "core/SWindow.h"

namespace SAKU {

SDropTargetDispatcher::~SDropTargetDispatcher()
{
    DragLeave();
    for (auto* node = m_targets.GetStartPosition(); node; node = m_targets.GetNext(node))
        node->value->Release();
    m_targets.RemoveAll();
}

bool SDropTargetDispatcher::RegisterDragDrop(SWND swnd, IDropTarget* target)
{
    if (!target || m_targets.Lookup(swnd))
        return false;
    IDropTarget** const slot = m_targets.GetOrInsert(swnd);
    if (!slot)
        return false;
    target->AddRef();
    *slot = target;
    return true;
}

bool SDropTargetDispatcher::RevokeDragDrop(SWND swnd)
{
    auto* const node = m_targets.Lookup(swnd);
    if (!node)
        return false;
    IDropTarget* const target = node->value;
    m_targets.RemoveKey(swnd);
    target->Release();
    return true;
}

HRESULT SDropTargetDispatcher::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT SDropTargetDispatcher::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    if (data)
        data->AddRef();
    m_data.Attach(data);
    return DragOver(keyState, point, effect);
}

HRESULT SDropTargetDispatcher::DragOver(DWORD keyState, POINTL point, DWORD* effect)
{
    if (effect)
        *effect = DROPEFFECT_NONE;
    const SWND under = WindowUnder(point);
    if (under != m_current) {
        if (const TComPtr<IDropTarget> old = TargetOf(m_current))
            old->DragLeave();
        m_current = under;
        if (const TComPtr<IDropTarget> target = TargetOf(m_current))
            target->DragEnter(m_data.Get(), keyState, point, effect);
    } else if (const TComPtr<IDropTarget> target = TargetOf(m_current)) {
        target->DragOver(keyState, point, effect);
    }
    return S_OK;
}

// The window under the drag hears that it left too: OLE pairs every DragEnter
// with a DragLeave or a Drop, and a target may hold state (a drop marker) till then.
HRESULT SDropTargetDispatcher::DragLeave()
{
    if (const TComPtr<IDropTarget> target = TargetOf(m_current))
        target->DragLeave();
    m_current = 0;
    m_data.Reset();
    return S_OK;
}

// Without a target the effect is none, so that the source does not take a
// move for done and delete what it dragged.
HRESULT SDropTargetDispatcher::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    if (const TComPtr<IDropTarget> target = TargetOf(m_current))
        target->Drop(data, keyState, point, effect);
    else if (effect)
        *effect = DROPEFFECT_NONE;
    m_current = 0;
    m_data.Reset();
    return S_OK;
}

// A reference for the call: a target may revoke itself while it is told.
TComPtr<IDropTarget> SDropTargetDispatcher::TargetOf(SWND swnd) const
{
    TComPtr<IDropTarget> target;
    const auto* const node = swnd != 0 ? m_targets.Lookup(swnd) : nullptr;
    if (node) {
        node->value->AddRef();
        target.Attach(node->value);
    }
    return target;
}

SWND SDropTargetDispatcher::WindowUnder(POINTL screenPoint) const
{
    POINT point = {screenPoint.x, screenPoint.y};
    if (ISwndContainer* const container = m_root->GetContainer()) {
        if (HWND const host = container->GetHostHwnd())
            ::ScreenToClient(host, &point);
    }
    return m_root->SwndFromPoint(point, FALSE);
}

}  // namespace SAKU
