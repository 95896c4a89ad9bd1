// A child program for the engine's process tests. The tests run it from a copy
// with a name of its own, so that tests running side by side never meet each
// other's children:
//   helper             writes the executable name of its parent process into the
//                      file "<its own path>.ran" and exits with 3 (the desktop shell
//                      starts it without arguments)
//   helper sleep       waits a minute and exits with 5 (a kill shows as exit code 0)
//   helper kill-one    KillProcess of its own name; exits with 43 when that returned true
//   helper kill-list   KillProcesses of a list holding its own name; exits with 44 likewise
// Surviving its own call is what shows that the caller is spared.

#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilProcess.h"
#include "sysutil/SysUtilText.h"
#include "Win32Handles.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstring>
#include <string>

namespace SysUtil = tivala::SysUtil;

namespace {

std::wstring ParentExeName()
{
    const UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return {};
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    DWORD parent = 0;
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == ::GetCurrentProcessId())
            parent = entry.th32ParentProcessID;
    }
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
        if (parent != 0 && entry.th32ProcessID == parent)
            return entry.szExeFile;
    }
    return {};
}

int ReportParent()
{
    const UniqueStdioFile report(::_wfopen((SysUtil::GetExePath() + L".ran").c_str(), L"wb"));
    if (!report)
        return 1;
    const std::string name = SysUtil::WideToUtf8(ParentExeName());
    std::fwrite(name.data(), 1, name.size(), report.Get());
    return 3;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 1)
        return ReportParent();
    if (argc != 2)
        return 2;
    if (std::strcmp(argv[1], "sleep") == 0) {
        ::Sleep(60000);
        return 5;
    }
    if (std::strcmp(argv[1], "kill-one") == 0)
        return SysUtil::KillProcess(SysUtil::GetExeFileName()) ? 43 : 1;
    if (std::strcmp(argv[1], "kill-list") == 0)
        return SysUtil::KillProcesses({L"no-such-program.exe", SysUtil::GetExeFileName()}) ? 44 : 1;
    return 2;
}
