#pragma once

#include <windows.h>

#include <string>

namespace installer_test {

// The installer as the build leaves it: build\installer\installer.exe, beside
// the tests' folder build\tests.
inline std::wstring InstallerPath()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path);
    file = file.substr(0, file.rfind(L'\\'));
    return file.substr(0, file.rfind(L'\\') + 1) + L"installer\\installer.exe";
}

}  // namespace installer_test
