#pragma once

#include "TComPtr.h"

#include <windows.h>

#include <new>
#include <utility>

// What the wrapper's own COM objects (callbacks and stream adapters) share: the
// reference count and the way they are born.
namespace SevenZip::intl {

// A reference count that starts at 0, as the library's own objects do, and moves
// with interlocked operations: the library may hold and release references from
// its decoder threads.
class ComRefCount {
public:
    ULONG Add() { return static_cast<ULONG>(::InterlockedIncrement(&m_count)); }
    // The new count; the owner deletes itself at 0.
    ULONG Drop() { return static_cast<ULONG>(::InterlockedDecrement(&m_count)); }

private:
    LONG volatile m_count = 0;
};

// A new object of the wrapper's with its first reference held by the result;
// empty when there is no memory for it. A constructor's own std::bad_alloc still
// propagates, so callers inside library callbacks catch it.
template <typename T, typename... Args>
TComPtr<T> NewComObject(Args&&... args)
{
    TComPtr<T> object;
    if (T* const raw = new (std::nothrow) T(std::forward<Args>(args)...)) {
        raw->AddRef();   // born at 0: this is the first reference
        object.Attach(raw);
    }
    return object;
}

}  // namespace SevenZip::intl
