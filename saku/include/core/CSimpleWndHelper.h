#pragma once

#include "core/SSingleton.h"
#include "core/TStringT.h"

#include <windows.h>

namespace SAKU {

// The process-wide owner of what the library's real windows share: the module and
// the name of their window class ("SAKUHOST"). For now it holds just these two;
// the window class, the thunk heap and the creation lock come with the window
// wrapper. Made once by the application and destroyed with it. UI thread.
class CSimpleWndHelper : public SSingleton<CSimpleWndHelper> {
public:
    // Makes the helper unless one exists; true when it was made now.
    static bool Init(HINSTANCE module, LPCWSTR className);
    // Deletes the helper; nothing when there is none.
    static void Destroy();

    HINSTANCE GetModule() const { return m_module; }
    const SStringW& GetHostClassName() const { return m_className; }

private:
    CSimpleWndHelper(HINSTANCE module, LPCWSTR className) : m_module(module), m_className(className) {}

    HINSTANCE m_module;
    SStringW m_className;
};

}  // namespace SAKU
