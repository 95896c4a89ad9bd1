#include "sevenzip/Trace.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace SevenZip::intl {

void Trace(const wchar_t* format, const std::wstring& path)
{
    std::wstring line(format);
    const size_t slot = line.find(L"%s");
    if (slot != std::wstring::npos)
        line.replace(slot, 2, path);
    const int size = ::WideCharToMultiByte(CP_ACP, 0, line.data(), static_cast<int>(line.size()), nullptr, 0,
                                           nullptr, nullptr);
    if (size <= 0)
        return;
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, line.data(), static_cast<int>(line.size()), bytes.data(), size, nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

}  // namespace SevenZip::intl
