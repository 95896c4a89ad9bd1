#include "sysutil/SysUtilPath.h"

#include "sysutil/SysUtilText.h"
#include "TUniqueHandle.h"
#include "Win32Handles.h"

#include <windows.h>
#include <shlobj.h>

#include <cwchar>
#include <io.h>
#include <iterator>
#include <mutex>

namespace tivala::SysUtil {

namespace {

struct CoTaskMemTraits {               // shell item lists handed out by SHBrowseForFolderW
    static PIDLIST_ABSOLUTE Invalid() { return nullptr; }
    static void Close(PIDLIST_ABSOLUTE list) { ::CoTaskMemFree(list); }
};
using UniqueItemList = TUniqueHandle<CoTaskMemTraits>;

// A process-wide text computed on first use. The lock makes the "empty means
// ask again" rule safe when several threads ask at once.
class CachedText {
public:
    template <typename Compute>
    std::wstring Get(Compute compute)
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        if (m_text.empty())
            m_text = compute();
        return m_text;
    }

private:
    std::mutex m_lock;
    std::wstring m_text;
};

bool IsAsciiLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

std::wstring SpecialFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};   // the size this call is documented to fill
    if (!::SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE))
        return {};
    return path;
}

// The temporary folder with its trailing backslash; empty when the system cannot say.
std::wstring TempFolder()
{
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(static_cast<DWORD>(std::size(path)), path);
    if (length == 0 || length >= std::size(path))   // longer than the buffer: the count it needs
        return {};
    return std::wstring(path, length);
}

std::wstring ModulePath()
{
    // GetModuleFileNameW truncates silently when the buffer is short; grow until it fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 32768)
            return {};
        path.resize(path.size() * 2);
    }
}

// Writes and deletes a uniquely named file in the folder, creating the folder first.
bool CanWriteInto(const std::wstring& folder)
{
    const std::wstring guid = NewGuidText();
    if (guid.empty())   // a fixed name could truncate and delete a file of the user's
        return false;
    const std::wstring probe = JoinPath(folder, guid + L".tmp");
    const std::wstring probeFolder = probe.substr(0, probe.rfind(L'\\'));
    ::SHCreateDirectory(nullptr, probeFolder.c_str());   // fails harmlessly when it exists; the open below decides
    {
        const UniqueStdioFile file(::_wfopen(probe.c_str(), L"wb"));
        if (!file)
            return false;
    }
    ::DeleteFileW(probe.c_str());
    return true;
}

}  // namespace

unsigned CheckInstallPath(const std::wstring& path, int64_t requiredBytes)
{
    if (path.empty())
        return kPathEmpty;
    if (path.size() == 1)
        return kPathMalformed;
    if (!IsAsciiLetter(path[0]))
        return kPathBadDrive;
    if (path[1] != L':')
        return kPathMalformed;
    if (path.find_first_of(L"/:\"?<>|*", 2) != std::wstring::npos)
        return kPathIllegalCharacter;
    if (requiredBytes != 0) {
        int64_t freeBytes = 0;
        int64_t totalBytes = 0;
        // A drive whose free space cannot be read (one that does not exist, say)
        // cannot be shown to hold the modules; refuse it before creating anything.
        if (!GetDiskSpace(path, freeBytes, totalBytes))
            return kPathNotWritable;
        if (freeBytes < requiredBytes)
            return kPathNoSpace;
    }
    return CanWriteInto(path) ? kPathValid : kPathNotWritable;
}

std::wstring GetPathErrorText(unsigned code, int64_t requiredBytes)
{
    switch (code) {
    case kPathEmpty:            return L"路径不能为空！";
    case kPathBadDrive:         return L"无效的磁盘符号！";
    case kPathMalformed:        return L"无效的路径！";
    case kPathIllegalCharacter: return L"路径包含非法字符！";
    case kPathNoSpace:          return L"空间不足，至少需要" + FormatSize(requiredBytes) + L"！";
    case kPathNotWritable:      return L"所选路径没有写文件权限！";
    default:                    return {};
    }
}

std::wstring FormatSize(int64_t bytes)
{
    wchar_t text[260] = {};
    int written = 0;
    if (bytes < 0)   // shown as the low 32 bits, as a signed number
        written = std::swprintf(text, std::size(text), L"%dB", static_cast<int>(static_cast<uint32_t>(bytes)));
    else if (bytes > 1048576000)
        written = std::swprintf(text, std::size(text), L"%.2fGB", static_cast<double>(bytes) / 1073741824.0);
    else if (bytes > 1024000)
        written = std::swprintf(text, std::size(text), L"%.2fMB", static_cast<double>(bytes) / 1048576.0);
    else if (bytes > 1000)
        written = std::swprintf(text, std::size(text), L"%.2fKB", static_cast<double>(bytes) / 1024.0);
    else
        written = std::swprintf(text, std::size(text), L"%dB", static_cast<int>(bytes));
    if (written <= 0)
        return {};
    return std::wstring(text, static_cast<size_t>(written));
}

bool GetDiskSpace(const std::wstring& path, int64_t& freeBytes, int64_t& totalBytes)
{
    if (path.empty())
        return false;
    const std::wstring root = path.substr(0, 1) + L":\\";
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    if (!::GetDiskFreeSpaceW(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return false;
    // Each product is 64-bit: a few million clusters of 4 KiB already pass 4 GiB.
    const uint64_t clusterBytes = uint64_t{sectorsPerCluster} * bytesPerSector;
    freeBytes = static_cast<int64_t>(uint64_t{freeClusters} * clusterBytes);
    totalBytes = static_cast<int64_t>(uint64_t{totalClusters} * clusterBytes);
    return true;
}

std::wstring BrowseForFolder()
{
    BROWSEINFOW info = {};
    info.hwndOwner = ::GetForegroundWindow();
    info.lpszTitle = L"浏览文件夹";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE | BIF_UAHINT | BIF_NONEWFOLDERBUTTON;
    const UniqueItemList item(::SHBrowseForFolderW(&info));
    if (!item)
        return {};
    wchar_t path[MAX_PATH] = {};   // the size SHGetPathFromIDListW is documented to fill
    if (!::SHGetPathFromIDListW(item.Get(), path))
        return {};
    return path;
}

std::wstring GetAppDataPath()
{
    static CachedText cache;
    return cache.Get([] { return SpecialFolder(CSIDL_APPDATA); });
}

std::wstring GetDocumentsPath()
{
    static CachedText cache;
    return cache.Get([] { return SpecialFolder(CSIDL_PERSONAL); });
}

std::wstring GetExePath()
{
    static CachedText cache;
    return cache.Get(ModulePath);
}

std::wstring GetExeFileName()
{
    static CachedText cache;
    return cache.Get([] { return FileNameOf(GetExePath()); });
}

std::wstring GetExeBaseName()
{
    static CachedText cache;
    return cache.Get([] {
        const std::wstring name = GetExeFileName();
        return name.substr(0, name.rfind(L'.'));
    });
}

std::wstring MakeTempFileName(const std::wstring& prefix)
{
    const std::wstring folder = TempFolder();
    if (folder.empty())
        return {};
    wchar_t path[MAX_PATH] = {};   // GetTempFileNameW writes at most MAX_PATH characters
    if (::GetTempFileNameW(folder.c_str(), prefix.c_str(), 0, path) == 0)
        return {};
    return path;
}

std::wstring MakeTempFolder(const std::wstring& name)
{
    const std::wstring folder = TempFolder();
    if (folder.empty())
        return {};
    const std::wstring path = folder + name;
    ::SHCreateDirectory(nullptr, path.c_str());   // an existing folder is fine
    return path;
}

bool PathExists(const std::wstring& path)
{
    return ::_waccess(path.c_str(), 0) == 0;
}

std::wstring AddTrailingBackslash(const std::wstring& path)
{
    if (path.empty() || path.back() == L'\\')
        return path;
    return path + L'\\';
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name)
{
    return AddTrailingBackslash(folder) + name;
}

std::wstring FileNameOf(const std::wstring& path)
{
    return path.substr(path.rfind(L'\\') + 1);   // npos + 1 is 0: the whole text
}

std::wstring RemoveTrailingBackslash(const std::wstring& path)
{
    if (!path.empty() && path.back() == L'\\')
        return path.substr(0, path.size() - 1);
    return path;
}

std::wstring RemoveTrailingSlash(const std::wstring& path)
{
    if (!path.empty() && path.back() == L'/')
        return path.substr(0, path.size() - 1);
    return path;
}

std::wstring SlashesToBackslashes(const std::wstring& path)
{
    std::wstring result(path);
    for (wchar_t& c : result) {
        if (c == L'/')
            c = L'\\';
    }
    return result;
}

std::wstring NormalizeFolderPath(const std::wstring& path)
{
    return SlashesToBackslashes(RemoveTrailingSlash(RemoveTrailingBackslash(path)));
}

std::vector<wchar_t> GetLogicalDriveLetters()
{
    std::vector<wchar_t> letters;
    const DWORD drives = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (drives & (DWORD{1} << i))
            letters.push_back(static_cast<wchar_t>(L'A' + i));
    }
    return letters;
}

wchar_t GetRoomiestFixedDrive()
{
    wchar_t best = 0;
    int64_t bestFree = 0;
    for (const wchar_t letter : GetLogicalDriveLetters()) {
        const std::wstring root{letter, L':', L'\\'};   // GetDriveTypeW wants the trailing backslash
        if (::GetDriveTypeW(root.c_str()) != DRIVE_FIXED)
            continue;
        int64_t freeBytes = 0;
        int64_t totalBytes = 0;
        if (!GetDiskSpace(root, freeBytes, totalBytes))
            continue;
        if (best == 0 || freeBytes > bestFree) {
            best = letter;
            bestFree = freeBytes;
        }
    }
    return best;
}

int GetMajorVersion(const std::wstring& version)
{
    return ::_wtoi(version.substr(0, version.find(L'.')).c_str());
}

}  // namespace tivala::SysUtil
