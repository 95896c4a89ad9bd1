#pragma once

#include <cassert>

// Owns one handle of the kind that Traits describes and releases it when it dies.
// Traits::Invalid() is the value that means "no handle" (NULL for most kinds,
// INVALID_HANDLE_VALUE for files and snapshots) and Traits::Close(h) releases
// one. Move-only: ownership never copies. The engine and the UI library use this
// one template for every handle kind. A handle that is a small record (a DC and
// the window it came from) needs only operator== for the holder to tell it from
// Invalid().
template <typename Traits>
class TUniqueHandle {
public:
    using Handle = decltype(Traits::Invalid());

    TUniqueHandle() = default;
    explicit TUniqueHandle(Handle handle) : m_handle(handle) {}
    ~TUniqueHandle() { Reset(); }

    TUniqueHandle(TUniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return Holds(m_handle); }

    // Gives up ownership without releasing.
    Handle Release()
    {
        const Handle handle = m_handle;
        m_handle = Traits::Invalid();
        return handle;
    }

    void Reset(Handle handle = Traits::Invalid())
    {
        if (Holds(m_handle))
            Traits::Close(m_handle);
        m_handle = handle;
    }

    // For APIs that return the handle through an out-parameter; the holder must be empty.
    Handle* Put()
    {
        assert(!Holds(m_handle));
        return &m_handle;
    }

private:
    static bool Holds(const Handle& handle) { return !(handle == Traits::Invalid()); }

    Handle m_handle = Traits::Invalid();
};
