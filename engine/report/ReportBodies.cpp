#include "report/ReportBodies.h"

#include "sysutil/SysUtilText.h"
#include "Win32Handles.h"

#include <json/json.h>
#include <windows.h>

#include <mutex>

namespace tivala {

namespace {

constexpr wchar_t kCryptographyKey[] = L"SOFTWARE\\Microsoft\\Cryptography";
constexpr DWORD kMachineIdBufferBytes = 260;

std::mutex g_machineIdLock;
std::string g_machineId;

// A 32-bit process on 64-bit Windows sees a redirected SOFTWARE; the machine id
// lives in the native view. Looked up at run time: IsWow64Process is missing
// from the oldest systems the installer starts on.
bool RunsUnderWow64()
{
    static const bool wow64 = [] {
        using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
        const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
        if (!kernel)
            return false;
        const auto isWow64Process =
            reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(::GetProcAddress(kernel, "IsWow64Process")));
        BOOL result = FALSE;
        return isWow64Process && isWow64Process(::GetCurrentProcess(), &result) && result;
    }();
    return wow64;
}

}  // namespace

std::string BuildModuleReport(int installType, int moduleId)
{
    Json::Value report(Json::objectValue);
    report["installType"] = installType;
    report["moduleId"] = moduleId;
    return report.toStyledString();
}

std::string BuildChannelReport(const std::wstring& packName, const std::wstring& version)
{
    Json::Value report(Json::objectValue);
    report["packName"] = SysUtil::WideToUtf8(packName);
    report["type"] = 1;
    report["uid"] = GetMachineId();
    report["version"] = SysUtil::WideToUtf8(version);
    return report.toStyledString();
}

bool ReadMachineId()
{
    // Reading needs no more than query rights; asking for full access would lose
    // the id wherever HKEY_LOCAL_MACHINE is not writable.
    const REGSAM access = KEY_QUERY_VALUE | (RunsUnderWow64() ? KEY_WOW64_64KEY : 0);
    UniqueRegKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kCryptographyKey, 0, access, key.Put()) != ERROR_SUCCESS) {
        key.Release();   // a failed open leaves nothing to close
        return true;
    }
    char text[kMachineIdBufferBytes] = {};   // one byte stays zero for a value stored without one
    DWORD bytes = kMachineIdBufferBytes - 1;
    DWORD type = 0;
    if (::RegQueryValueExA(key.Get(), "MachineGuid", nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return true;
    const std::lock_guard<std::mutex> hold(g_machineIdLock);
    g_machineId = text;
    return true;
}

std::string GetMachineId()
{
    const std::lock_guard<std::mutex> hold(g_machineIdLock);
    return g_machineId;
}

}  // namespace tivala
