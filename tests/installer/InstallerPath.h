#pragma once

#include "TestProgram.h"

#include <string>

namespace installer_test {

// The installer as the build leaves it: build\installer\installer.exe, beside
// the tests' folder build\tests.
inline std::wstring InstallerPath()
{
    std::wstring tests = tivala::test::BesideTestProgram(L"");
    tests.pop_back();
    return tests.substr(0, tests.rfind(L'\\') + 1) + L"installer\\installer.exe";
}

}  // namespace installer_test
