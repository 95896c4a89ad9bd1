#include "service/InstallService.h"

#include "product/InstallEnv.h"
#include "product/ProductAddresses.h"
#include "product/ProductFiles.h"
#include "service/DownloadProgressPoster.h"
#include "service/InstallInitParam.h"
#include "service/InstallThread.h"
#include "service/ManifestThread.h"
#include "service/ServiceWndProc.h"
#include "service/WorkerRecords.h"
#include "sysutil/HandOver.h"
#include "sysutil/SysUtilPath.h"

#include <cwchar>
#include <memory>
#include <utility>

namespace tivala {

namespace {

constexpr DWORD kIniBufferChars = 260;

std::wstring ReadIniText(const std::wstring& file, const wchar_t* key, const wchar_t* fallback)
{
    wchar_t text[kIniBufferChars] = {};
    ::GetPrivateProfileStringW(L"install", key, fallback, text, kIniBufferChars, file.c_str());
    return text;
}

// Keeps a started thread's handle for the waits of a process that ends; false
// when it did not start, and the handle of the one before is kept.
bool KeepStarted(UniqueHandle started, UniqueHandle& kept)
{
    if (!started)
        return false;
    kept = std::move(started);
    return true;
}

}  // namespace

InstallService& InstallService::GetInstance()
{
    static InstallService service;   // constructed once, whichever thread asks first
    return service;
}

bool InstallService::Init(const InstallInitParam& param)
{
    dialogWindow = param.dialog;
    installType = param.installType;
    packageData = param.package;
    packageSize = param.packageSize;
    dataDirectory = param.dataDir;

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &ServiceWndProc;
    windowClass.lpszClassName = kServiceWindowClass;
    ::RegisterClassW(&windowClass);   // already registered on a second Init
    if (serviceWindow)
        ::DestroyWindow(serviceWindow);
    serviceWindow = ::CreateWindowExW(0, kServiceWindowClass, nullptr, WS_OVERLAPPED, CW_USEDEFAULT, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);

    installedInfo = InstallEnv::ReadInstalledInfo();
    endProcessNames = InstallEnv::ReadEndProcessNames();
    manifestProcessNames = InstallEnv::ReadManifestProcessNames(dataDirectory);
    v1ModuleFolders = InstallEnv::ReadV1ModuleFolders();
    previousModuleFolders = InstallEnv::ReadPreviousModuleFolders(installedInfo.installDir);

    ReadDevConfig();
    CheckSettingsFile();
    DetectEdition();
    return true;
}

void InstallService::ReadDevConfig()
{
    const std::wstring file = SysUtil::JoinPath(dataDirectory, ProductFiles::kDevConfig);
    requestUrl = ReadIniText(file, L"urlrequest", ProductAddresses::kDefaultRequestUrl);
    manifestFileName = ReadIniText(file, L"filewidget", ProductFiles::kManifestCopy);
}

void InstallService::CheckSettingsFile()
{
    settingsFileExists = SysUtil::PathExists(SysUtil::JoinPath(dataDirectory, ProductFiles::kSettings));
}

void InstallService::DetectEdition()
{
    const std::wstring exeName = SysUtil::GetExeFileName();
    wideEdition = exeName == L"installerwide.exe";
    channelEdition = exeName == L"installerchan.exe";
}

void InstallService::SetInstallDir(const std::wstring& directory)
{
    if (directory.empty())
        return;
    installDirectory = SysUtil::RemoveTrailingBackslash(directory);
    ApplyInstallDir();
}

void InstallService::SetResourceDir(const std::wstring& directory)
{
    if (!directory.empty())
        resourceDirectory = SysUtil::RemoveTrailingBackslash(directory);
}

void InstallService::ApplyInstallDir()
{
    if (installDirectory.empty())
        return;
    for (ModuleRecord& module : modules)
        module.targetDir = installDirectory;
}

ModuleRecord InstallService::GetModule(const std::wstring& appPath) const
{
    const ModuleRecord* module = FindModule(modules, appPath);
    return module ? *module : ModuleRecord();
}

void InstallService::SetModuleSelected(const std::wstring& appPath, bool selected)
{
    if (ModuleRecord* module = FindModule(modules, appPath))
        module->selected = selected;
}

void InstallService::MarkModuleUnpacked(const std::wstring& appPath)
{
    if (ModuleRecord* module = FindModule(modules, appPath))
        module->unpacked = true;
}

void InstallService::SetModuleProgress(const std::wstring& appPath, int64_t downloadedBytes)
{
    if (ModuleRecord* module = FindModule(modules, appPath))
        module->downloadedBytes = downloadedBytes;
}

bool InstallService::GetDownloadTotals(const std::wstring& appPath, int64_t& others, int64_t& total) const
{
    others = 0;
    total = 0;
    for (const ModuleRecord& module : modules) {
        if (!module.selected || module.downloadSize < 0)
            continue;
        if (module.appPath != appPath)
            others += module.downloadedBytes;
        total += module.downloadSize;
    }
    return true;
}

bool InstallService::CountUnpacked(int& unpacked, int& selected) const
{
    unpacked = 0;
    selected = 0;
    for (const ModuleRecord& module : modules) {
        if (!module.selected)
            continue;
        ++selected;
        if (module.unpacked)
            ++unpacked;
    }
    return true;
}

bool InstallService::IsDownloadSizeUnknown(const std::wstring& appPath) const
{
    const ModuleRecord* module = FindModule(modules, appPath);
    return module && module->downloadSize < 0;
}

void InstallService::DropExcludedModule()
{
    for (auto it = modules.begin(); it != modules.end(); ++it) {
        if (it->appPath == L"Lateglow") {
            modules.erase(it);
            return;
        }
    }
}

std::wstring InstallService::GetStarterPath() const
{
    return SysUtil::JoinPath(installDirectory, ProductFiles::kStarter);
}

std::wstring InstallService::GetMainVersion() const
{
    const ModuleRecord* main = FindModule(modules, L"Main");
    return main ? main->widgetver : std::wstring();
}

std::vector<int> InstallService::GetSelectedOptionalModuleIds() const
{
    std::vector<int> ids;
    for (const ModuleRecord& module : modules) {
        if (module.selected && !module.forced)
            ids.push_back(static_cast<int>(std::wcstol(module.id.c_str(), nullptr, 10)));
    }
    return ids;
}

bool InstallService::StartManifest()
{
    auto request = std::make_unique<ManifestRequest>();
    request->serviceWindow = serviceWindow;
    request->local = installType == 1;
    // Joined as they are: the request address ends with its own "/".
    request->url = requestUrl + manifestFileName;
    request->package = packageData;
    request->packageSize = packageSize;
    return KeepStarted(StartWaitableThreadWithRecord(&ManifestThread, std::move(request)), m_manifestThread);
}

bool InstallService::StartInstall()
{
    auto snapshot = std::make_unique<InstallSnapshot>();
    snapshot->modules = modules;
    snapshot->installDirectory = installDirectory;
    snapshot->resourceDirectory = resourceDirectory;
    snapshot->dataDirectory = dataDirectory;
    snapshot->serviceWindow = serviceWindow;
    snapshot->local = installType == 1;
    snapshot->manifestBytes = manifestBytes;
    snapshot->installedInfo = installedInfo;
    snapshot->settingsFileExists = settingsFileExists;
    snapshot->firstBoot = firstBoot;
    snapshot->directoriesPrepared = directoriesPrepared;
    snapshot->themesMoved = themesMoved;
    return KeepStarted(StartWaitableThreadWithRecord(&InstallThread, std::move(snapshot)), m_installThread);
}

bool InstallService::WaitForWorkers(DWORD timeoutMs) const
{
    HANDLE threads[2] = {};
    DWORD count = 0;
    for (const UniqueHandle* thread : {&m_manifestThread, &m_installThread}) {
        if (*thread)
            threads[count++] = thread->Get();
    }
    if (count == 0)
        return true;
    const DWORD result = ::WaitForMultipleObjects(count, threads, TRUE, timeoutMs);
    return result >= WAIT_OBJECT_0 && result < WAIT_OBJECT_0 + count;
}

void InstallService::OnProgress(int percent, int64_t done, int64_t total, int tag, const std::wstring& name)
{
    DownloadProgressPoster(serviceWindow).OnProgress(percent, done, total, tag, name);
}

}  // namespace tivala
