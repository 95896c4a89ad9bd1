#pragma once

#include "core/SCriticalSection.h"
#include "core/SSingleton.h"
#include "core/TStringT.h"

#include <windows.h>

namespace SAKU {

class CSimpleWnd;

// The process-wide owner of what the library's real windows (CSimpleWnd) share:
// their window class ("SAKUHOST" in the installer), the executable heap their
// thunks come from, and the lock held while one of them is created, so that the
// new window's first message finds its object. The application makes it before
// any window and destroys it after the last one. Windows may be created on any
// thread; the lock makes them wait for each other.
class CSimpleWndHelper : public SSingleton<CSimpleWndHelper> {
public:
    // Makes the helper for the module's window class unless one exists; true when
    // it was made now. False, and nothing made, when the heap or the class could
    // not be had.
    static bool Init(HINSTANCE module, LPCWSTR className);
    // Unregisters the class and gives up the heap; nothing when there is no helper.
    // Every window of the class must be gone.
    static void Destroy();

    HINSTANCE GetModule() const { return m_module; }
    const SStringW& GetHostClassName() const { return m_className; }
    ATOM GetClassAtom() const { return m_atom; }
    // The heap of the windows' thunks (HeapValidate, HeapWalk).
    HANDLE GetThunkHeap() const { return m_heap; }

    ~CSimpleWndHelper() override;

private:
    friend class CSimpleWnd;

    CSimpleWndHelper(HINSTANCE module, LPCWSTR className);
    ATOM RegisterWndClass();

    HINSTANCE m_module;
    SStringW m_className;
    SCriticalSection m_createLock;
    HANDLE m_heap = nullptr;
    ATOM m_atom = 0;
    // The object whose window is being created, and the thread creating it; set
    // only while m_createLock is held.
    CSimpleWnd* m_creating = nullptr;
    DWORD m_creatingThread = 0;
};

}  // namespace SAKU
