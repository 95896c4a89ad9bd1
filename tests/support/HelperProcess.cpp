#include "HelperProcess.h"

#include "TestProgram.h"

namespace tivala::test {

HelperCopy::HelperCopy(const std::wstring& tag)
    : m_name(L"tvhelper-" + tag + L"-" + std::to_wstring(::GetCurrentProcessId()) + L".exe")
{
    m_copied = ::CopyFileW(BesideTestProgram(L"sysutil_helper.exe").c_str(), Path().c_str(), FALSE) != FALSE;
}

Child::Child(const HelperCopy& helper, const std::wstring& mode) : Child(helper.Path(), mode) {}

Child::Child(const std::wstring& program, const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        m_process.Reset(info.hProcess);
        ::CloseHandle(info.hThread);
    }
}

Child::~Child()
{
    if (m_process && ::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_process.Get(), 99);
        ::WaitForSingleObject(m_process.Get(), 10000);
    }
}

std::optional<DWORD> Child::WaitForExit(DWORD timeoutMs) const
{
    if (::WaitForSingleObject(m_process.Get(), timeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.Get(), &code);
    return code;
}

}  // namespace tivala::test
