#include "sevenzip/OutputPath.h"

#include <windows.h>

#include <cwchar>
#include <cwctype>

namespace SevenZip::intl {

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

bool IsForbiddenInName(wchar_t c)
{
    return c < 0x20 || std::wcschr(L":*?\"<>|", c) != nullptr;
}

// ".", "..", and names such as "..." or ". ." that Windows trims to them.
bool IsDotsOnly(const std::wstring& name)
{
    return name.find_first_not_of(L". ") == std::wstring::npos && name.find(L'.') != std::wstring::npos;
}

// CON, PRN, AUX, NUL, COM0-9, LPT0-9, CONIN$, CONOUT$: devices, with any extension
// and trailing spaces, in any case.
bool IsDeviceName(const std::wstring& name)
{
    std::wstring base = name.substr(0, name.find(L'.'));
    while (!base.empty() && base.back() == L' ')
        base.pop_back();
    for (auto& c : base)
        c = static_cast<wchar_t>(std::towupper(c));
    static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    for (const wchar_t* device : kDevices) {
        if (base == device)
            return true;
    }
    if (base.size() != 4 || (base.compare(0, 3, L"COM") != 0 && base.compare(0, 3, L"LPT") != 0))
        return false;
    const wchar_t digit = base[3];   // Windows also takes the superscripts 1, 2 and 3
    return (digit >= L'0' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' || digit == L'\u00B3';
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool IsContainedItemPath(const std::wstring& itemPath)
{
    if (!itemPath.empty() && IsSeparator(itemPath.front()))
        return false;   // rooted: "\x", "/x", "\\server\share", "\\?\C:\x"
    size_t start = 0;
    while (start <= itemPath.size()) {
        size_t end = start;
        while (end < itemPath.size() && !IsSeparator(itemPath[end]))
            ++end;
        const std::wstring name = itemPath.substr(start, end - start);
        for (wchar_t c : name) {
            if (IsForbiddenInName(c))
                return false;
        }
        if (IsDotsOnly(name) || IsDeviceName(name))
            return false;
        start = end + 1;
    }
    return true;
}

std::wstring FolderPart(const std::wstring& path)
{
    const size_t last = path.find_last_of(L"\\/");
    return last == std::wstring::npos ? std::wstring() : path.substr(0, last + 1);
}

bool CreateFolderTree(const std::wstring& folder)
{
    if (IsFolder(folder))
        return true;
    // Each prefix that ends before a separator, then the whole path. Failures on
    // the way (the drive, folders that exist) are expected; only the end counts.
    for (size_t i = 1; i < folder.size(); ++i) {
        if (IsSeparator(folder[i]) && !IsSeparator(folder[i - 1]) && folder[i - 1] != L':')
            ::CreateDirectoryW(folder.substr(0, i).c_str(), nullptr);
    }
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return IsFolder(folder);
}

}  // namespace SevenZip::intl
