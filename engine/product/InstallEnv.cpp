#include "product/InstallEnv.h"

#include "product/ProductFiles.h"
#include "product/ProductRegistry.h"
#include "sysutil/SysUtilFile.h"
#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilRegistry.h"
#include "sysutil/SysUtilText.h"

#include <json/json.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cwctype>
#include <iterator>
#include <memory>
#include <mutex>

namespace tivala::InstallEnv {

namespace {

constexpr const wchar_t* kEndProcessNames[] = {
    L"Starter.exe",   L"SelfRefresh.exe", L"webhost.exe",  L"webhost1.exe",   L"shelfTool.exe", L"removeShelf.exe",
    L"Viewer.exe",    L"TIVALAViewer.exe", L"Sidepane.exe", L"QKHost.exe",     L"Lateglow.exe",  L"Showcase.exe",
    L"ctxMenuAid.exe", L"SkinShift.exe",  L"prefsvc.exe",  L"DexoInit.exe",   L"TIVALA.exe",    L"ZQDebugTool.exe",
};
constexpr const wchar_t* kManifestProcessNames[] = {
    L"Starter.exe", L"SelfRefresh.exe", L"tivalaservice.exe", L"TivalaEverything.exe",
};
constexpr const wchar_t* kV1ModuleFolders[] = {L"WallPaper", L"Lateglow", L"Dock"};
// Folders of an earlier installation that are not modules the user chose.
constexpr const wchar_t* kNotModuleFolders[] = {L"Browser", L"Main"};

constexpr wchar_t kDataDirValue[] = L"TivalaAppData";
constexpr wchar_t kDocumentsDataFolder[] = L"Tivala";
constexpr wchar_t kAppDataDataFolder[] = L"TivalaAppData";
constexpr wchar_t kResourceFolder[] = L"TivalaResource";

std::vector<std::wstring> Listed(const wchar_t* const* first, const wchar_t* const* last)
{
    return std::vector<std::wstring>(first, last);
}

// Appends the names of the member, split at commas, to `names`.
void AppendSplitMember(const Json::Value& module, const char* key, std::vector<std::wstring>& names)
{
    const std::vector<std::wstring> parts =
        SysUtil::SplitString(SysUtil::Utf8ToWide(SysUtil::JsonMemberToString(module, key)), L",");
    names.insert(names.end(), parts.begin(), parts.end());
}

// Parses with jsoncpp's nesting limit: a corrupt copy nested thousands deep is
// refused instead of exhausting the stack.
bool ParseJson(const std::vector<uint8_t>& bytes, Json::Value& root)
{
    if (bytes.empty())
        return false;
    const char* const text = reinterpret_cast<const char*>(bytes.data());
    const std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
    std::string errors;
    return reader->parse(text, text + bytes.size(), &root, &errors);
}

// Creates the folder with its parents and probes it with a file of its own.
bool IsUsableDataDir(const std::wstring& folder)
{
    if (folder.empty())
        return false;
    ::SHCreateDirectory(nullptr, folder.c_str());   // may exist already; the probe decides
    return SysUtil::CheckInstallPath(folder, 0) == SysUtil::kPathValid;
}

}  // namespace

InstallInfoRecord ReadInstalledInfo()
{
    InstallInfoRecord info;
    const std::wstring productKey = ProductRegistry::kProductKey;
    info.ProductVersion = SysUtil::ReadRegStringAt(HKEY_CURRENT_USER, productKey, L"ProductVersion");
    info.installDir = SysUtil::NormalizeFolderPath(SysUtil::ReadRegStringAt(HKEY_CURRENT_USER, productKey, L"installDir"));
    info.installBiZhiDir =
        SysUtil::NormalizeFolderPath(SysUtil::ReadRegStringAt(HKEY_CURRENT_USER, productKey, L"installBiZhiDir"));
    info.installPackageName = SysUtil::ReadRegStringAt(HKEY_CURRENT_USER, productKey, L"installPackageName");

    const UniqueRegKey uninstall =
        SysUtil::OpenOrCreateKey(HKEY_LOCAL_MACHINE, ProductRegistry::kUninstallKey, KEY_ALL_ACCESS, false);
    if (!uninstall)
        return info;
    info.Publisher = SysUtil::ReadRegString(uninstall.Get(), L"Publisher");
    info.DisplayName = SysUtil::ReadRegString(uninstall.Get(), L"DisplayName");
    info.DisplayIcon = SysUtil::ReadRegString(uninstall.Get(), L"DisplayIcon");
    info.InstallDate = SysUtil::ReadRegString(uninstall.Get(), L"InstallDate");
    info.UninstallString = SysUtil::ReadRegString(uninstall.Get(), L"UninstallString");
    info.UrlInfoAbout = SysUtil::ReadRegString(uninstall.Get(), L"UrlInfoAbout");
    return info;
}

std::vector<std::wstring> ReadEndProcessNames()
{
    return Listed(std::begin(kEndProcessNames), std::end(kEndProcessNames));
}

std::vector<std::wstring> ReadManifestProcessNames(const std::wstring& dataDir)
{
    std::vector<std::wstring> names = Listed(std::begin(kManifestProcessNames), std::end(kManifestProcessNames));
    const std::vector<uint8_t> bytes =
        SysUtil::ReadFileBytes(SysUtil::JoinPath(dataDir, ProductFiles::kManifestCopy));
    Json::Value root;
    try {
        if (!ParseJson(bytes, root) || !root.isArray())
            return names;
        for (Json::ArrayIndex i = 0; i < root.size(); ++i) {
            AppendSplitMember(root[i], "secondAppName", names);
            AppendSplitMember(root[i], "thirdAppName", names);
        }
    } catch (...) {
        // jsoncpp throws on what it cannot take; what was collected stays.
    }
    return names;
}

std::vector<std::wstring> ReadV1ModuleFolders()
{
    return Listed(std::begin(kV1ModuleFolders), std::end(kV1ModuleFolders));
}

std::vector<std::wstring> ReadPreviousModuleFolders(const std::wstring& installDir)
{
    std::vector<std::wstring> names;
    if (installDir.empty())
        return names;
    std::vector<std::wstring> folders;
    std::vector<std::wstring> files;
    if (!SysUtil::ListFolder(SysUtil::RemoveTrailingBackslash(installDir), folders, files))
        return names;
    for (const std::wstring& folder : folders) {
        const std::wstring name = SysUtil::FileNameOf(folder);
        if (std::find(std::begin(kNotModuleFolders), std::end(kNotModuleFolders), name) != std::end(kNotModuleFolders))
            continue;
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

std::wstring GetDataDir()
{
    static std::mutex lock;
    static std::wstring found;
    const std::lock_guard<std::mutex> hold(lock);
    if (found.empty())
        found = FindDataDir();
    return found;
}

std::wstring FindDataDir()
{
    const std::wstring fromRegistry = SysUtil::NormalizeFolderPath(
        SysUtil::ReadRegStringAt(HKEY_CURRENT_USER, ProductRegistry::kProductKey, kDataDirValue));
    if (IsUsableDataDir(fromRegistry))
        return fromRegistry;
    const std::wstring documents = SysUtil::GetDocumentsPath();
    if (!documents.empty()) {
        const std::wstring candidate = SysUtil::JoinPath(documents, kDocumentsDataFolder);
        if (IsUsableDataDir(candidate))
            return candidate;
    }
    const std::wstring appData = SysUtil::GetAppDataPath();
    if (!appData.empty()) {
        const std::wstring candidate = SysUtil::JoinPath(appData, kAppDataDataFolder);
        if (IsUsableDataDir(candidate))
            return candidate;
    }
    return {};
}

std::wstring GetDefaultResourceDir()
{
    const wchar_t drive = SysUtil::GetRoomiestFixedDrive();
    if (drive == 0)
        return {};
    wchar_t systemDir[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(systemDir, static_cast<UINT>(std::size(systemDir)));
    if (length == 0 || length >= std::size(systemDir))   // too long: the call returned the size it needs
        return {};
    // Drive letters name the same drive in either case.
    if (std::towupper(drive) == std::towupper(systemDir[0])) {
        const std::wstring appData = SysUtil::GetAppDataPath();
        if (appData.empty())   // the bare name would be a folder relative to wherever the installer runs
            return {};
        return SysUtil::JoinPath(appData, kResourceFolder);
    }
    return std::wstring{drive, L':', L'\\'} + kResourceFolder;
}

bool HasNoThemeFolder(const std::wstring& folder)
{
    std::vector<std::wstring> folders;
    std::vector<std::wstring> files;
    if (!SysUtil::ListFolder(SysUtil::RemoveTrailingBackslash(folder), folders, files))
        return true;
    return std::none_of(folders.begin(), folders.end(), [](const std::wstring& sub) {
        return SysUtil::PathExists(SysUtil::JoinPath(sub, ProductFiles::kThemeMarker));
    });
}

std::wstring ReadInstallPackageName()
{
    return SysUtil::ReadRegStringAt(HKEY_CURRENT_USER, ProductRegistry::kProductKey, L"installPackageName");
}

}  // namespace tivala::InstallEnv
