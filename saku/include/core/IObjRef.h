#pragma once

#include <windows.h>

namespace SAKU {

// Reference counting of the UI library's objects and plug-in modules, COM-like:
// an object is born with count 1, owned by its creator; the last Release calls
// OnFinalRelease, which deletes it. Counts change with interlocked operations, so
// references may be taken and dropped on any thread.
struct IObjRef {
    virtual long AddRef() = 0;          // the new count
    virtual long Release() = 0;         // the new count; 0 means the object is gone
    virtual void OnFinalRelease() = 0;

protected:
    ~IObjRef() = default;               // never deleted through this interface
};

// The count for a class T whose IObjRef part is not its first base (a window
// is an IObject first): OnFinalRelease deletes the whole T through T's virtual
// destructor. T derives from TObjRefImpl2<IObjRef, T>.
template <typename I, typename T>
class TObjRefImpl2 : public I {
public:
    TObjRefImpl2() = default;
    TObjRefImpl2(const TObjRefImpl2&) = delete;
    TObjRefImpl2& operator=(const TObjRefImpl2&) = delete;

    long AddRef() override { return ::InterlockedIncrement(&m_refCount); }
    long Release() override
    {
        const long count = ::InterlockedDecrement(&m_refCount);
        if (count == 0)
            OnFinalRelease();
        return count;
    }
    void OnFinalRelease() override { delete static_cast<T*>(this); }

protected:
    ~TObjRefImpl2() = default;

private:
    volatile LONG m_refCount = 1;
};

// The count for an interface T derived from IObjRef (or for SObjectImpl<I> of such
// an interface): T's operations, then the count. OnFinalRelease deletes the object
// through the virtual destructor that follows T's own operations.
template <typename T>
class TObjRefImpl : public TObjRefImpl2<T, TObjRefImpl<T>> {
public:
    TObjRefImpl() = default;
    virtual ~TObjRefImpl() = default;
};

}  // namespace SAKU
