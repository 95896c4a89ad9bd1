#include "ScratchDir.h"

#include "WinePath.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace tivala::test {

namespace fs = std::filesystem;

ScratchDir::ScratchDir()
{
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD tempLength = ::GetTempPathW(MAX_PATH, temp);
    static unsigned counter = 0;
    DWORD error = tempLength == 0 || tempLength > MAX_PATH ? ::GetLastError() : ERROR_ALREADY_EXISTS;
    // Only a name taken by another folder is worth another try.
    for (int attempt = 0; attempt < 100 && error == ERROR_ALREADY_EXISTS; ++attempt) {
        m_path = std::wstring(temp) + L"tivala-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(::GetTickCount()) + L"-" + std::to_wstring(++counter);
        if (::CreateDirectoryW(m_path.c_str(), nullptr))
            return;
        error = ::GetLastError();
    }
    // The test cannot go on without its folder; GoogleTest reports the exception
    // as the test's failure and ends the test.
    const std::wstring tried = m_path;
    m_path.clear();
    throw std::runtime_error("cannot make a scratch folder (\"" + Utf8(tried) + "\" under \"" + Utf8(temp) +
                             "\"): error " + std::to_string(error));
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;   // a test that failed half-way may leave files open; nothing to do about it here
    fs::remove_all(fs::path(m_path), ignored);
}

std::string ScratchDir::UnixPath() const
{
    return test::UnixPath(m_path);
}

bool ScratchDir::Write(const std::wstring& name, const std::string& bytes) const
{
    const fs::path path(File(name));
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool ScratchDir::Read(const std::wstring& path, std::string& bytes)
{
    std::ifstream in(fs::path(path), std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace tivala::test
