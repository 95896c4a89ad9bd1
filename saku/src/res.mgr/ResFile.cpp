#include "res.mgr/ResFile.h"

#include "Win32Handles.h"

namespace SAKU {

size_t ResFileSize(LPCWSTR path)
{
    if (!path)
        return 0;
    WIN32_FIND_DATAW found;
    const UniqueFind search(::FindFirstFileW(path, &found));
    if (!search)
        return 0;
    return found.nFileSizeLow;
}

BOOL ReadResFile(LPCWSTR path, void* buffer, size_t size)
{
    if (!path)
        return FALSE;
    const UniqueFile file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return FALSE;
    LARGE_INTEGER length;
    if (!::GetFileSizeEx(file.Get(), &length))
        return FALSE;
    if (static_cast<ULONGLONG>(length.QuadPart) > size) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    auto* next = static_cast<BYTE*>(buffer);
    DWORD left = static_cast<DWORD>(length.QuadPart);
    while (left > 0) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), next, left, &read, nullptr) || read == 0)
            return FALSE;
        next += read;
        left -= read;
    }
    return TRUE;
}

}  // namespace SAKU
