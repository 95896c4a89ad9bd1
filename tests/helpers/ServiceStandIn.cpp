// A stand-in for the product's programs: the registration tests run it from a
// copy named "tivalaservice.exe", and the demo product of tools/run ships it as
// the service, the starter, the uninstaller and the browser. Each run appends
// its whole command line, as UTF-8, and a line end to the file
// "<its own path>.runs".
// When a file "hang" lies beside it, it then waits two minutes, as a service
// program that hangs would; otherwise it ends at once with 0.

#include "Win32Handles.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring OwnPath()
{
    wchar_t path[32768] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, 32768);
    return length == 0 || length >= 32768 ? std::wstring() : std::wstring(path, length);
}

std::string Utf8(const wchar_t* text)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    bytes.resize(static_cast<size_t>(size) - 1);
    return bytes;
}

}  // namespace

int main()
{
    const std::wstring self = OwnPath();
    if (self.empty())
        return 1;
    {
        const UniqueStdioFile runs(::_wfopen((self + L".runs").c_str(), L"ab"));
        if (!runs)
            return 1;
        const std::string line = Utf8(::GetCommandLineW()) + "\n";
        std::fwrite(line.data(), 1, line.size(), runs.Get());
    }
    const std::wstring hang = self.substr(0, self.rfind(L'\\')) + L"\\hang";
    if (::GetFileAttributesW(hang.c_str()) != INVALID_FILE_ATTRIBUTES)
        ::Sleep(120000);
    return 0;
}
