#include "product/Registration.h"

#include "product/ProductAddresses.h"
#include "product/ProductFiles.h"
#include "product/ProductRegistry.h"
#include "sysutil/SysUtilFile.h"
#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilProcess.h"
#include "sysutil/SysUtilRegistry.h"
#include "Win32Handles.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cwchar>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <utility>
#include <vector>

namespace tivala::Registration {

namespace {

constexpr wchar_t kPublisher[] = L"Tivala团队";
constexpr wchar_t kDisplayName[] = L"Tivala";
constexpr wchar_t kCompatibilityLayer[] = L"WIN7RTM";
constexpr wchar_t kShortcutWord[] = L"tivala";
constexpr wchar_t kShortcutMark[] = L".lnk";

constexpr DWORD kServiceWaitMs = 15000;
constexpr DWORD kAfterServiceMs = 200;

using Value = std::pair<const wchar_t*, std::wstring>;

// Opens or creates root\subkey and writes each text as REG_SZ without a
// terminating zero. A key that cannot be opened stays unchanged.
void WriteTexts(HKEY root, const wchar_t* subkey, std::initializer_list<Value> values)
{
    const UniqueRegKey key = SysUtil::OpenOrCreateKey(root, subkey, KEY_ALL_ACCESS, true);
    if (!key)
        return;
    for (const Value& value : values) {
        const std::wstring& text = value.second;
        if (text.size() > std::numeric_limits<DWORD>::max() / sizeof(wchar_t))
            continue;
        ::RegSetValueExW(key.Get(), value.first, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>(text.size() * sizeof(wchar_t)));
    }
}

// Deletes the sub-key `name` of root\parent with everything below it.
void DeleteSubkeyTree(HKEY root, const wchar_t* parent, const wchar_t* name)
{
    const UniqueRegKey key = SysUtil::OpenOrCreateKey(root, parent, KEY_ALL_ACCESS, false);
    if (key)
        ::SHDeleteKeyW(key.Get(), name);
}

std::wstring TodayAsText()
{
    SYSTEMTIME today = {};
    ::GetLocalTime(&today);
    wchar_t text[16] = {};
    const int written = std::swprintf(text, std::size(text), L"%04d%02d%02d", today.wYear, today.wMonth, today.wDay);
    return written > 0 ? std::wstring(text, static_cast<size_t>(written)) : std::wstring();
}

bool IsFile(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void DeleteUninstallEntry()
{
    DeleteSubkeyTree(HKEY_LOCAL_MACHINE, ProductRegistry::kUninstallParentKey, ProductRegistry::kProductName);
}

void RemoveAutoStart()
{
    const UniqueRegKey key = SysUtil::OpenOrCreateKey(HKEY_CURRENT_USER, ProductRegistry::kRunKey, KEY_ALL_ACCESS, false);
    if (key)
        ::RegDeleteValueW(key.Get(), ProductRegistry::kProductName);
}

void DeleteContextMenuEntry()
{
    DeleteSubkeyTree(HKEY_CLASSES_ROOT, ProductRegistry::kContextMenuParentKey, ProductRegistry::kProductName);
}

void DeleteDesktopShortcuts()
{
    wchar_t desktop[MAX_PATH] = {};   // the size SHGetSpecialFolderPathW is documented to fill
    if (!::SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE))
        return;
    DeleteProductShortcutsIn(desktop);
}

void DeleteProductShortcutsIn(const std::wstring& folder)
{
    std::vector<std::wstring> folders;
    std::vector<std::wstring> files;
    if (!SysUtil::ListFolder(folder, folders, files))
        return;
    for (const std::wstring& file : files) {
        const std::wstring name = SysUtil::FileNameOf(file);
        if (name.find(kShortcutWord) != std::wstring::npos && name.find(kShortcutMark) != std::wstring::npos)
            ::DeleteFileW(file.c_str());
    }
}

void WriteUninstallEntry(const std::wstring& installDir, const std::wstring& resourceDir, const std::wstring& version)
{
    WriteTexts(HKEY_LOCAL_MACHINE, ProductRegistry::kUninstallKey,
               {
                   {L"Publisher",       kPublisher},
                   {L"DisplayName",     kDisplayName},
                   {L"DisplayIcon",     SysUtil::JoinPath(installDir, ProductFiles::kStarter)},
                   {L"DisplayVersion",  version},
                   {L"InstallDate",     TodayAsText()},
                   {L"InstallLocation", installDir},
                   {L"ResLocation",     resourceDir},
                   {L"UninstallString", SysUtil::JoinPath(installDir, ProductFiles::kUninstaller)},
                   {L"UrlInfoAbout",    ProductAddresses::kWebHost},
               });
}

void WriteProductValues(const std::wstring& installDir, const std::wstring& resourceDir, const std::wstring& version,
                        const std::wstring& dataDir)
{
    WriteTexts(HKEY_CURRENT_USER, ProductRegistry::kProductKey,
               {
                   {L"installBiZhiDir", resourceDir},
                   {L"installDir",      installDir},
                   {L"ProductVersion",  version},
                   {L"UpdateVersion",   version},
                   {L"TivalaAppData",   dataDir},
               });
}

void WriteAutoStart(const std::wstring& starterPath)
{
    WriteTexts(HKEY_CURRENT_USER, ProductRegistry::kRunKey, {{ProductRegistry::kProductName, starterPath}});
}

void SetCompatibilityLayer(const std::wstring& programPath)
{
    WriteTexts(HKEY_CURRENT_USER, ProductRegistry::kLayersKey, {{programPath.c_str(), kCompatibilityLayer}});
}

void WriteInstallPackageName(const std::wstring& name)
{
    WriteTexts(HKEY_CURRENT_USER, ProductRegistry::kProductKey, {{L"installPackageName", name}});
}

bool RunServiceCommand(const std::wstring& servicePath, const std::wstring& command)
{
    if (!IsFile(servicePath))
        return true;
    // CreateProcessW may write into the command line, so it gets a buffer of
    // its own, as long as the line needs: a cut line would run another command.
    const std::wstring line = L"\"" + servicePath + L"\" " + command;
    std::vector<wchar_t> commandLine(line.begin(), line.end());
    commandLine.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (!::CreateProcessW(servicePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started))
        return false;
    {
        const UniqueHandle process(started.hProcess);
        const UniqueHandle thread(started.hThread);
        // A service program that hangs is left running here, and ended by name below.
        ::WaitForSingleObject(process.Get(), kServiceWaitMs);
    }
    if (SysUtil::IsProcessRunning(ProductFiles::kServiceProgram))
        (void)SysUtil::KillProcess(ProductFiles::kServiceProgram);   // the process list is read again next time
    ::Sleep(kAfterServiceMs);
    return true;
}

}  // namespace tivala::Registration
