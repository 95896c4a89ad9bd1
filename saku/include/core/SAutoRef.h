#pragma once

#include <cassert>

namespace SAKU {

// Holds one reference of a reference-counted object (null allowed) and releases
// it when it dies. Assigning or copying a pointer adds a reference; adopting the
// first reference of a fresh object goes through Adopt or Attach, so that it shows
// at the call site. The holder of every long-lived reference of the library.
template <typename T>
class SAutoRef {
public:
    SAutoRef() = default;
    SAutoRef(T* object) : m_object(object)
    {
        if (m_object)
            m_object->AddRef();
    }
    SAutoRef(const SAutoRef& other) : SAutoRef(other.m_object) {}
    SAutoRef(SAutoRef&& other) noexcept : m_object(other.Detach()) {}
    ~SAutoRef()
    {
        if (m_object)
            m_object->Release();
    }

    SAutoRef& operator=(T* object)
    {
        if (object)
            object->AddRef();
        Attach(object);
        return *this;
    }
    SAutoRef& operator=(const SAutoRef& other) { return *this = other.m_object; }
    SAutoRef& operator=(SAutoRef&& other) noexcept
    {
        if (this != &other)
            Attach(other.Detach());
        return *this;
    }

    // A holder that takes over the caller's reference, such as a new object's first.
    static SAutoRef Adopt(T* object)
    {
        SAutoRef holder;
        holder.m_object = object;
        return holder;
    }

    T* Get() const { return m_object; }
    T* operator->() const
    {
        assert(m_object);
        return m_object;
    }
    explicit operator bool() const { return m_object != nullptr; }

    // Takes over a reference the caller owns; the old object is released.
    void Attach(T* object)
    {
        T* const old = m_object;
        m_object = object;
        if (old)
            old->Release();
    }
    // For calls that hand out a new reference through an out-parameter (a
    // factory's Create...); the holder must be empty.
    T** Put()
    {
        assert(!m_object);
        return &m_object;
    }
    // Gives up the reference without releasing it.
    T* Detach()
    {
        T* const object = m_object;
        m_object = nullptr;
        return object;
    }

private:
    T* m_object = nullptr;
};

}  // namespace SAKU
