#pragma once

// Where the build puts what the tests run or load: beside the running test
// program (build\tests).

#include <windows.h>

#include <string>

namespace tivala::test {

// NAME in the folder of the running test program.
inline std::wstring BesideTestProgram(const std::wstring& name)
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring self(path);
    return self.substr(0, self.rfind(L'\\') + 1) + name;
}

}  // namespace tivala::test
