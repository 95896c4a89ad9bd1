#include "WinePath.h"

#include "HostCommand.h"

#include <windows.h>

namespace tivala::test {

namespace {

using UnixNameFn = char*(CDECL*)(const wchar_t*);
using DosNameFn = wchar_t*(CDECL*)(const char*);

template <typename Fn>
Fn WineExport(const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), name)));
}

}  // namespace

std::string UnixPath(const std::wstring& windowsPath)
{
    static const auto toUnix = WineExport<UnixNameFn>("wine_get_unix_file_name");
    if (!toUnix)
        return {};
    char* name = toUnix(windowsPath.c_str());
    if (!name)
        return {};
    std::string result(name);
    ::HeapFree(::GetProcessHeap(), 0, name);   // Wine allocates the name on the process heap
    return result;
}

std::wstring WindowsPath(const std::string& unixPath)
{
    static const auto toDos = WineExport<DosNameFn>("wine_get_dos_file_name");
    if (!toDos)
        return {};
    wchar_t* name = toDos(unixPath.c_str());
    if (!name)
        return {};
    std::wstring result(name);
    ::HeapFree(::GetProcessHeap(), 0, name);
    return result;
}

bool LiesInsidePrefixDriveC(const std::wstring& windowsPath, std::string& why)
{
    std::string resolved;
    const std::optional<int> status = HostCommand::Run(
        "realpath -e " + ShellQuote(UnixPath(windowsPath)) + " " + ShellQuote(UnixPath(L"C:\\")), "/", 60000, &resolved);
    if (status.value_or(-1) != 0) {
        why = "realpath failed: " + resolved;
        return false;
    }
    const size_t lineEnd = resolved.find('\n');
    if (lineEnd == std::string::npos) {
        why = "realpath said: " + resolved;
        return false;
    }
    const std::string pathReal = resolved.substr(0, lineEnd);
    std::string driveReal = resolved.substr(lineEnd + 1);
    driveReal.erase(driveReal.find_last_not_of('\n') + 1);
    if (pathReal.compare(0, driveReal.size() + 1, driveReal + "/") != 0) {
        why = pathReal + " is outside " + driveReal;
        return false;
    }
    return true;
}

std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(size, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring Wide(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring result(size, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), result.data(), size);
    return result;
}

}  // namespace tivala::test
