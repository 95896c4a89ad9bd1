#pragma once

#include "TComPtr.h"

#include <windows.h>

#include <new>
#include <utility>

// What the wrapper's own COM objects (callbacks and stream adapters) share: the
// reference count, the frame of QueryInterface and the way they are born.
namespace SevenZip::intl {

// One of the wrapper's COM objects: `Base` (a callback or stream of the wrapper,
// which names its interfaces with `InterfaceFor`) with IUnknown around it. The
// count starts at 0, as the library's own objects do, and moves with interlocked
// operations: the library may hold and release references from its decoder
// threads. The object deletes itself when the count drops to 0. Made only by
// NewComObject.
template <typename Base>
class ComObject final : public Base {
public:
    template <typename... Args>
    explicit ComObject(Args&&... args) : Base(std::forward<Args>(args)...)
    {
    }

    // IUnknown. QueryInterface answers what Base::InterfaceFor finds (the
    // object itself for IUnknown), adding a reference; E_NOINTERFACE otherwise.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override
    {
        if (!object)
            return E_POINTER;
        *object = Base::InterfaceFor(iid);
        if (!*object)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return static_cast<ULONG>(::InterlockedIncrement(&m_count)); }
    ULONG STDMETHODCALLTYPE Release() noexcept override
    {
        const ULONG count = static_cast<ULONG>(::InterlockedDecrement(&m_count));
        if (count == 0)
            delete this;
        return count;
    }

private:
    ~ComObject() = default;

    LONG volatile m_count = 0;
};

// A new object of the wrapper's with its first reference held by the result;
// empty when there is no memory for it. A constructor's own std::bad_alloc still
// propagates, so callers inside library callbacks catch it.
template <typename T, typename... Args>
TComPtr<T> NewComObject(Args&&... args)
{
    TComPtr<T> object;
    if (T* const raw = new (std::nothrow) ComObject<T>(std::forward<Args>(args)...)) {
        raw->AddRef();   // born at 0: this is the first reference
        object.Attach(raw);
    }
    return object;
}

}  // namespace SevenZip::intl
