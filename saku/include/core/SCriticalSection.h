#pragma once

#include <windows.h>

namespace SAKU {

// A Win32 critical section. It is recursive: the thread that holds it may enter it
// again, which the resource-provider manager relies on when a provider's load
// comes back to the manager (a UI definition whose skins load their images).
class SCriticalSection {
public:
    SCriticalSection() { ::InitializeCriticalSection(&m_section); }
    virtual ~SCriticalSection() { ::DeleteCriticalSection(&m_section); }
    SCriticalSection(const SCriticalSection&) = delete;
    SCriticalSection& operator=(const SCriticalSection&) = delete;

    void Enter() { ::EnterCriticalSection(&m_section); }
    void Leave() { ::LeaveCriticalSection(&m_section); }

private:
    CRITICAL_SECTION m_section;
};

// Holds a critical section for the life of the scope.
class SAutoLock {
public:
    explicit SAutoLock(SCriticalSection& section) : m_section(section) { m_section.Enter(); }
    ~SAutoLock() { m_section.Leave(); }
    SAutoLock(const SAutoLock&) = delete;
    SAutoLock& operator=(const SAutoLock&) = delete;

private:
    SCriticalSection& m_section;
};

}  // namespace SAKU
