#pragma once

#include <unknwn.h>

#include <cassert>

// Holds one reference of a COM interface and releases it when it dies. Copies add
// a reference, moves pass it on. Adopting a reference that a call handed out goes
// through Put() (out-parameters) or Attach(), so ownership shows at the call site.
// The engine and the UI library share it; any thread, one owner at a time.
template <typename T>
class TComPtr {
public:
    TComPtr() = default;
    ~TComPtr() { Reset(); }

    TComPtr(const TComPtr& other) : m_ptr(other.m_ptr)
    {
        if (m_ptr)
            m_ptr->AddRef();
    }
    TComPtr& operator=(const TComPtr& other)
    {
        if (this != &other) {
            if (other.m_ptr)
                other.m_ptr->AddRef();
            Reset();
            m_ptr = other.m_ptr;
        }
        return *this;
    }
    TComPtr(TComPtr&& other) noexcept : m_ptr(other.Detach()) {}
    TComPtr& operator=(TComPtr&& other) noexcept
    {
        if (this != &other)
            Attach(other.Detach());
        return *this;
    }

    T* Get() const { return m_ptr; }
    T* operator->() const
    {
        assert(m_ptr);
        return m_ptr;
    }
    T& operator*() const
    {
        assert(m_ptr);
        return *m_ptr;
    }
    explicit operator bool() const { return m_ptr != nullptr; }

    // Adopts a reference the caller already owns; the old one is released.
    void Attach(T* ptr)
    {
        Reset();
        m_ptr = ptr;
    }
    // Gives up the reference without releasing it.
    T* Detach()
    {
        T* const ptr = m_ptr;
        m_ptr = nullptr;
        return ptr;
    }
    void Reset()
    {
        if (m_ptr) {
            T* const ptr = m_ptr;
            m_ptr = nullptr;
            ptr->Release();
        }
    }

    // For calls that hand out a reference through an out-parameter; the holder must be empty.
    T** Put()
    {
        assert(!m_ptr);
        return &m_ptr;
    }
    // The same for calls typed void** (QueryInterface, CoCreateInstance).
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    // Queries the held interface for another; `out` must be empty. E_POINTER when nothing is held.
    template <typename U>
    HRESULT As(REFIID iid, TComPtr<U>& out) const
    {
        if (!m_ptr)
            return E_POINTER;
        return m_ptr->QueryInterface(iid, out.PutVoid());
    }

private:
    T* m_ptr = nullptr;
};
