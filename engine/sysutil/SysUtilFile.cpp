#include "sysutil/SysUtilFile.h"

#include "sysutil/SysUtilPath.h"
#include "TComPtr.h"
#include "Win32Handles.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <sys/stat.h>
#include <sys/types.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <new>

namespace tivala::SysUtil {

namespace {

// Silent, without questions or error dialogs, and without the recycle bin.
constexpr FILEOP_FLAGS kQuietShellFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
constexpr size_t kMaxShellDeletePath = 259;
constexpr size_t kMaxSearchPattern = MAX_PATH - 1;

// One path as the double-NUL-terminated list that SHFileOperationW reads.
std::vector<wchar_t> ShellPathList(const std::wstring& path)
{
    std::vector<wchar_t> list(path.begin(), path.end());
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

void CreateParentFolder(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    if (slash != std::wstring::npos)
        ::SHCreateDirectory(nullptr, path.substr(0, slash).c_str());   // an existing folder is fine; the open decides
}

}  // namespace

int64_t GetFileSize64(const std::wstring& path)
{
    struct _stat64 status = {};
    if (::_wstat64(path.c_str(), &status) != 0)
        return 0;
    return status.st_size;
}

std::vector<uint8_t> ReadFileBytes(const std::wstring& path)
{
    const int64_t size = GetFileSize64(path);
    if (size <= 0 || static_cast<uint64_t>(size) > static_cast<uint64_t>(PTRDIFF_MAX))
        return {};
    const UniqueStdioFile file(::_wfopen(path.c_str(), L"rb"));
    if (!file)
        return {};
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {   // a file larger than this 32-bit process can hold
        return {};
    }
    // A file that shrank since its size was read yields what is there, not zeros.
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.Get()));
    return bytes;
}

bool WriteBytesToFile(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    CreateParentFolder(path);
    UniqueStdioFile file(::_wfopen(path.c_str(), L"wb"));
    if (!file)
        return false;
    const size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), file.Get());
    // A full disk may show only when the buffered tail is flushed at close.
    const bool closed = std::fclose(file.Release()) == 0;
    return written == bytes.size() && closed;
}

bool ShellDelete(const std::wstring& path)
{
    if (path.empty() || path.size() > kMaxShellDeletePath)
        return false;
    wchar_t from[kMaxShellDeletePath + 2] = {};   // the zeros after the path end the list
    std::copy(path.begin(), path.end(), from);
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from;
    operation.fFlags = kQuietShellFlags;
    return ::SHFileOperationW(&operation) == 0;
}

bool ShellMove(const std::wstring& from, const std::wstring& to)
{
    if (from.empty() || to.empty())
        return false;
    const std::vector<wchar_t> fromList = ShellPathList(from);
    const std::vector<wchar_t> toList = ShellPathList(to);
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_MOVE;
    operation.pFrom = fromList.data();
    operation.pTo = toList.data();
    operation.fFlags = kQuietShellFlags;
    return ::SHFileOperationW(&operation) == 0;
}

bool ListFolder(const std::wstring& folder, std::vector<std::wstring>& folders, std::vector<std::wstring>& files)
{
    const std::wstring pattern = JoinPath(folder, L"*");
    if (pattern.size() > kMaxSearchPattern)
        return false;
    WIN32_FIND_DATAW entry = {};
    const UniqueFind search(::FindFirstFileW(pattern.c_str(), &entry));
    if (!search)
        return false;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..")
            continue;
        // Built without a length limit: a truncated entry path would name another file.
        std::wstring fullPath = JoinPath(folder, name);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            folders.push_back(std::move(fullPath));
        else
            files.push_back(std::move(fullPath));
    } while (::FindNextFileW(search.Get(), &entry));
    return true;
}

bool CreateDesktopShortcut(const std::wstring& target, const std::wstring& iconPath)
{
    const ComApartment com;   // for this call only; outlives every interface below
    if (!com.Usable())
        return false;
    wchar_t desktop[MAX_PATH] = {};   // the size SHGetSpecialFolderPathW is documented to fill
    if (!::SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE))
        return false;
    const std::wstring linkPath = std::wstring(desktop) + L"\\tivala.lnk";

    TComPtr<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())))
        return false;
    const size_t folderEnd = target.find_last_of(L"/\\");
    const std::wstring workingFolder = folderEnd == std::wstring::npos ? std::wstring() : target.substr(0, folderEnd);
    if (FAILED(link->SetPath(target.c_str())) || FAILED(link->SetWorkingDirectory(workingFolder.c_str())) ||
        FAILED(link->SetArguments(L"")))
        return false;
    if (!iconPath.empty() && FAILED(link->SetIconLocation(iconPath.c_str(), 0)))
        return false;
    TComPtr<IPersistFile> file;
    if (FAILED(link.As(IID_IPersistFile, file)))
        return false;
    return SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
}

}  // namespace tivala::SysUtil
