#include "sysutil/SysUtilProcess.h"

#include "TUniqueHandle.h"
#include "Win32Handles.h"

#include <windows.h>
#include <exdisp.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <tlhelp32.h>

#include <cwchar>

namespace tivala::SysUtil {

namespace {

struct BstrTraits {
    static BSTR Invalid() { return nullptr; }
    static void Close(BSTR text) { ::SysFreeString(text); }
};
using UniqueBstr = TUniqueHandle<BstrTraits>;

// Calls visit(entry) for each process in snapshot order until it returns false.
// False when the process list cannot be read.
template <typename Visit>
bool WalkProcesses(Visit visit)
{
    const UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    if (!::Process32FirstW(snapshot.Get(), &entry))
        return false;
    do {
        if (!visit(entry))
            break;
    } while (::Process32NextW(snapshot.Get(), &entry));
    return true;
}

bool SameExeName(const PROCESSENTRY32W& entry, const std::wstring& exeName)
{
    return ::_wcsicmp(entry.szExeFile, exeName.c_str()) == 0;
}

void TerminateUnlessSelf(const PROCESSENTRY32W& entry)
{
    if (entry.th32ProcessID == ::GetCurrentProcessId())
        return;
    const UniqueHandle process(::OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID));
    if (!process) {
        ::OutputDebugStringW(L"KillProcess获取进程句柄失败！");
        return;
    }
    ::TerminateProcess(process.Get(), 0);   // not waited for: callers that need it gone ask again
}

VARIANT TextVariant(BSTR text)
{
    VARIANT value;
    ::VariantInit(&value);
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = text;   // borrowed: the caller's UniqueBstr frees it
    return value;
}

VARIANT IntVariant(LONG number)
{
    VARIANT value;
    ::VariantInit(&value);
    V_VT(&value) = VT_I4;
    V_I4(&value) = number;
    return value;
}

}  // namespace

bool IsOsVersionAtLeast(unsigned major, unsigned minor)
{
    OSVERSIONINFOEXW wanted = {};
    wanted.dwOSVersionInfoSize = sizeof(wanted);
    wanted.dwMajorVersion = major;
    wanted.dwMinorVersion = minor;
    wanted.wServicePackMajor = 0;
    DWORDLONG conditions = 0;
    conditions = ::VerSetConditionMask(conditions, VER_MAJORVERSION, VER_GREATER_EQUAL);
    conditions = ::VerSetConditionMask(conditions, VER_MINORVERSION, VER_GREATER_EQUAL);
    conditions = ::VerSetConditionMask(conditions, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    return ::VerifyVersionInfoW(&wanted, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR, conditions) != FALSE;
}

bool IsProcessRunning(const std::wstring& exeName)
{
    return IsAnyProcessRunning({exeName});
}

bool IsAnyProcessRunning(const std::vector<std::wstring>& exeNames)
{
    bool found = false;
    WalkProcesses([&](const PROCESSENTRY32W& entry) {
        for (const std::wstring& name : exeNames) {
            if (SameExeName(entry, name)) {
                found = true;
                return false;
            }
        }
        return true;
    });
    return found;
}

bool KillProcess(const std::wstring& exeName)
{
    return KillProcesses({exeName});
}

bool KillProcesses(const std::vector<std::wstring>& exeNames)
{
    return WalkProcesses([&](const PROCESSENTRY32W& entry) {
        for (const std::wstring& name : exeNames) {
            if (SameExeName(entry, name))
                TerminateUnlessSelf(entry);
        }
        return true;
    });
}

TComPtr<IShellDispatch2> GetDesktopShellDispatch()
{
    TComPtr<IShellWindows> shellWindows;
    if (FAILED(::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows, shellWindows.PutVoid())))
        return {};

    VARIANT location = IntVariant(CSIDL_DESKTOP);
    VARIANT root;
    ::VariantInit(&root);
    long desktopWindow = 0;
    TComPtr<IDispatch> desktop;
    // S_FALSE means that no desktop window was found.
    if (shellWindows->FindWindowSW(&location, &root, SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH, desktop.Put()) != S_OK || !desktop)
        return {};

    TComPtr<IShellBrowser> browser;
    if (FAILED(::IUnknown_QueryService(desktop.Get(), SID_STopLevelBrowser, IID_IShellBrowser, browser.PutVoid())) || !browser)
        return {};
    TComPtr<IShellView> view;
    if (FAILED(browser->QueryActiveShellView(view.Put())) || !view)
        return {};
    TComPtr<IDispatch> background;
    if (FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.PutVoid())) || !background)
        return {};
    TComPtr<IShellFolderViewDual> folderView;
    if (FAILED(background.As(IID_IShellFolderViewDual, folderView)) || !folderView)
        return {};
    TComPtr<IDispatch> application;
    if (FAILED(folderView->get_Application(application.Put())) || !application)
        return {};
    TComPtr<IShellDispatch2> shell;
    if (FAILED(application.As(IID_IShellDispatch2, shell)) || !shell)
        return {};
    return shell;
}

bool ShellOpenAsDesktopUser(const std::wstring& path)
{
    const TComPtr<IShellDispatch2> shell = GetDesktopShellDispatch();
    if (!shell)
        return false;
    const UniqueBstr file(::SysAllocStringLen(path.data(), static_cast<UINT>(path.size())));
    const UniqueBstr empty(::SysAllocString(L""));
    const UniqueBstr open(::SysAllocString(L"open"));
    if (!file || !empty || !open)
        return false;
    return shell->ShellExecute(file.Get(), TextVariant(empty.Get()), TextVariant(empty.Get()), TextVariant(open.Get()),
                               IntVariant(SW_SHOWNORMAL)) == S_OK;
}

}  // namespace tivala::SysUtil
