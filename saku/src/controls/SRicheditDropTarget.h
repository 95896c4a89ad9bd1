#pragma once

#include "TComPtr.h"

#include <oleidl.h>

struct ITextServices;

namespace SAKU {

// The drop target an edit registers with its container: it hands each drag event
// to the drop target of the edit's text services, asked for anew each time. The
// services may have none (Wine's give none for a windowless host): the drag is
// then refused. Reference counted (born with 1, plain count); UI thread.
class SRicheditDropTarget : public IDropTarget {
public:
    // A target over `services`, which it holds; null when out of memory.
    static TComPtr<SRicheditDropTarget> Make(ITextServices* services);

    // IUnknown overrides
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDropTarget overrides
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

private:
    explicit SRicheditDropTarget(ITextServices* services);
    virtual ~SRicheditDropTarget() = default;   // through Release only

    // The services' drop target now; empty when they have none.
    TComPtr<IDropTarget> ServicesTarget() const;

    ULONG m_refs = 1;
    TComPtr<ITextServices> m_services;
};

}  // namespace SAKU
