#pragma once

#include "sysutil/SysUtilPath.h"
#include "TestProgram.h"
#include "Win32Handles.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>

namespace tivala::test {

// Tests run side by side in processes that share one Wine prefix. Those that
// touch what the product itself owns hold this lock for their whole duration:
// the key "SOFTWARE\tivala" of HKEY_CURRENT_USER, the uninstall entry "tivala"
// of HKEY_LOCAL_MACHINE, the autostart value "tivala", the context-menu key
// "tivala" of HKEY_CLASSES_ROOT, the desktop's product shortcuts ("tivala.lnk"
// among them), the data folders Documents\Tivala and the application-data
// folder's TivalaAppData, InstallEnv::GetDataDir, and processes named
// "tivalaservice.exe". It is the named mutex "TivalaTestProductState" of the
// prefix's wineserver; one that a crashed test abandoned is taken over.
class ProductStateLock {
public:
    ProductStateLock() : m_mutex(::CreateMutexW(nullptr, FALSE, L"TivalaTestProductState"))
    {
        if (!m_mutex)
            return;
        const DWORD waited = ::WaitForSingleObject(m_mutex.Get(), 240000);
        m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    ~ProductStateLock()
    {
        if (m_held)
            ::ReleaseMutex(m_mutex.Get());
    }
    ProductStateLock(const ProductStateLock&) = delete;
    ProductStateLock& operator=(const ProductStateLock&) = delete;

    bool Held() const { return m_held; }

private:
    UniqueHandle m_mutex;
    bool m_held = false;
};

// The product's registry state, held under the lock and cleared when the test
// starts (a crashed test may have left some) and when it ends: the per-user
// product key, the uninstall entry, the autostart value and the context-menu key.
class ProductRegistryScope {
public:
    ProductRegistryScope() { Clear(); }
    ~ProductRegistryScope() { Clear(); }
    ProductRegistryScope(const ProductRegistryScope&) = delete;
    ProductRegistryScope& operator=(const ProductRegistryScope&) = delete;

    bool Held() const { return m_lock.Held(); }

private:
    void Clear() const
    {
        if (!m_lock.Held())
            return;
        ::SHDeleteKeyW(HKEY_CURRENT_USER, L"SOFTWARE\\tivala");
        ::SHDeleteKeyW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\tivala");
        ::SHDeleteKeyW(HKEY_CLASSES_ROOT, L"Directory\\Background\\shell\\tivala");
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", L"tivala");
    }

    ProductStateLock m_lock;
};

// The product's desktop shortcut, "tivala.lnk" on the user's desktop; empty when
// the desktop folder is unknown.
inline std::wstring DesktopShortcut()
{
    wchar_t desktop[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE))
        return {};
    return SysUtil::JoinPath(desktop, L"tivala.lnk");
}

// What the product keeps outside the test's folders, removed at the end: the
// desktop shortcut and the browser's compatibility value for an installation
// into `installDir`.
struct ProductLeftovers {
    std::wstring installDir;
    ~ProductLeftovers()
    {
        ::DeleteFileW(DesktopShortcut().c_str());
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER,
                             L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers",
                             (installDir + L"\\TivalaBrowser\\TivalaBrowser.exe").c_str());
    }
};

// The stand-in for the product's service program, built beside the test
// executable; tests copy it under the service's name.
inline std::wstring ServiceStandInPath()
{
    return BesideTestProgram(L"service_stand_in.exe");
}

}  // namespace tivala::test
