#include "SRicheditDropTarget.h"

#include <richedit.h>
#include <textserv.h>

#include <new>

namespace SAKU {

TComPtr<SRicheditDropTarget> SRicheditDropTarget::Make(ITextServices* services)
{
    TComPtr<SRicheditDropTarget> target;
    target.Attach(new (std::nothrow) SRicheditDropTarget(services));   // adopts the first reference
    return target;
}

SRicheditDropTarget::SRicheditDropTarget(ITextServices* services)
{
    services->AddRef();
    m_services.Attach(services);
}

TComPtr<IDropTarget> SRicheditDropTarget::ServicesTarget() const
{
    TComPtr<IDropTarget> target;
    if (FAILED(m_services->TxGetDropTarget(target.Put())))
        target.Reset();
    return target;
}

HRESULT SRicheditDropTarget::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDropTarget)
        return E_NOINTERFACE;
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
}

ULONG SRicheditDropTarget::AddRef()
{
    return ++m_refs;
}

ULONG SRicheditDropTarget::Release()
{
    const ULONG refs = --m_refs;
    if (refs == 0)
        delete this;
    return refs;
}

HRESULT SRicheditDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect)
{
    const TComPtr<IDropTarget> target = ServicesTarget();
    if (!target) {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    const HRESULT hr = target->DragEnter(data, keys, point, effect);
    *effect = DROPEFFECT_COPY;
    return hr;
}

HRESULT SRicheditDropTarget::DragOver(DWORD keys, POINTL point, DWORD* effect)
{
    const TComPtr<IDropTarget> target = ServicesTarget();
    if (!target) {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    const HRESULT hr = target->DragOver(keys, point, effect);
    *effect = DROPEFFECT_COPY;
    return hr;
}

HRESULT SRicheditDropTarget::DragLeave()
{
    const TComPtr<IDropTarget> target = ServicesTarget();
    return target ? target->DragLeave() : S_OK;
}

HRESULT SRicheditDropTarget::Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect)
{
    const TComPtr<IDropTarget> target = ServicesTarget();
    if (*effect == DROPEFFECT_NONE || !target)
        return S_FALSE;
    return target->Drop(data, keys, point, effect);
}

}  // namespace SAKU
