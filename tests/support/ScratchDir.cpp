#include "ScratchDir.h"

#include "WinePath.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tivala::test {

namespace fs = std::filesystem;

ScratchDir::ScratchDir()
{
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    static unsigned counter = 0;
    for (;;) {
        m_path = std::wstring(temp) + L"tivala-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(::GetTickCount()) + L"-" + std::to_wstring(++counter);
        if (::CreateDirectoryW(m_path.c_str(), nullptr))
            break;
    }
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
