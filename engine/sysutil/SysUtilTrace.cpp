#include "sysutil/SysUtilTrace.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace tivala::SysUtil {

void WriteTrace(const std::wstring& text) noexcept
{
    if (text.empty())
        return;
    const int size =
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return;
    try {
        std::string bytes(static_cast<size_t>(size), '\0');
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                              nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    } catch (...) {
        // No memory for the line: it is not written.
    }
}

void Trace(const wchar_t* area, std::wstring_view text) noexcept
{
    try {
        WriteTrace(L"engine: " + std::wstring(area) + L": " + std::wstring(text) + L"\n");
    } catch (...) {
        // No memory for the line: it is not written.
    }
    std::fflush(stdout);
}

void TraceMessage(const wchar_t* area, unsigned message, const wchar_t* what) noexcept
{
    wchar_t number[16] = {};
    std::swprintf(number, std::size(number), L"0x%X", message);
    try {
        Trace(area, L"message " + std::wstring(number) + L" " + what);
    } catch (...) {
        // No memory for the line: it is not written.
    }
}

}  // namespace tivala::SysUtil
