#pragma once

// Child processes of the tests/helpers/SysUtilHelper.cpp program, run from a copy
// with a name that no other test uses: tests run side by side under one
// wineserver and must never end each other's children (or each other).

#include "ScratchDir.h"
#include "Win32Handles.h"

#include <windows.h>

#include <optional>
#include <string>

namespace tivala::test {

// The helper program copied, from beside the test program, as
// "tvhelper-TAG-PID.exe" into a scratch folder.
class HelperCopy {
public:
    explicit HelperCopy(const std::wstring& tag);

    bool Copied() const { return m_copied; }
    const std::wstring& Name() const { return m_name; }
    std::wstring Path() const { return m_dir.File(m_name); }

private:
    ScratchDir m_dir;   // outlives the children, which the test declares after the copy
    std::wstring m_name;
    bool m_copied = false;
};

// One child process of a helper copy (or of another program), ended when the
// object dies if it has not ended by then.
class Child {
public:
    Child(const HelperCopy& helper, const std::wstring& mode);
    // Any program, by its path, with its arguments.
    Child(const std::wstring& program, const std::wstring& arguments);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Started() const { return static_cast<bool>(m_process); }
    // Its exit code once it has ended within the time, else nothing.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs) const;

private:
    UniqueHandle m_process;
};

// What a child ended by TerminateProcess exits with; the helper's own exits are never 0.
constexpr DWORD kEndedByKill = 0;

}  // namespace tivala::test
