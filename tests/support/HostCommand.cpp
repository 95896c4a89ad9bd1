#include "HostCommand.h"

#include "ScratchDir.h"
#include "WinePath.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

namespace tivala::test {

namespace {

bool StartHostProgram(const std::wstring& commandLine)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    // Wine hands out no handles for host programs; close whatever came back.
    if (info.hThread)
        ::CloseHandle(info.hThread);
    if (info.hProcess)
        ::CloseHandle(info.hProcess);
    return true;
}

}  // namespace

bool WaitForFile(const std::wstring& path, unsigned timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (::GetTickCount64() > deadline)
            return false;
        ::Sleep(10);
    }
    return true;
}

std::optional<int> HostCommand::Run(const std::string& command, const std::string& unixDir,
                                    unsigned timeoutMs, std::string* output)
{
    const ScratchDir work;
    const std::string unixWork = work.UnixPath();
    const std::string script =
        "cd " + ShellQuote(unixDir) + " || exit 1\n"
        "( " + command + " ) > " + ShellQuote(unixWork + "/output") + " 2>&1 < /dev/null\n"
        "echo $? > " + ShellQuote(unixWork + "/status.part") + "\n"
        "mv " + ShellQuote(unixWork + "/status.part") + " " + ShellQuote(unixWork + "/status") + "\n";
    if (!work.Write(L"run.sh", script))
        return std::nullopt;
    if (!StartHostProgram(L"/bin/sh \"" + Wide(unixWork) + L"/run.sh\""))
        return std::nullopt;
    if (!WaitForFile(work.File(L"status"), timeoutMs))
        return std::nullopt;
    std::string status;
    ScratchDir::Read(work.File(L"status"), status);
    if (output)
        ScratchDir::Read(work.File(L"output"), *output);
    return std::atoi(status.c_str());
}

bool HostCommand::Start(const std::string& command, const ScratchDir& dir)
{
    return dir.Write(L"start.sh", command + "\n") &&
           StartHostProgram(L"/bin/sh \"" + Wide(dir.UnixPath()) + L"/start.sh\"");
}

std::string HostCommand::RunTag()
{
    const char* tag = std::getenv("TIVALA_RUN_TAG");
    return tag ? tag : "";
}

}  // namespace tivala::test
