#include "service/InstallThread.h"

#include "extract/ExtractArchive.h"
#include "extract/Tivala7z.h"
#include "http/HttpDownloadToBuffer.h"
#include "http/HttpDownloadToFile.h"
#include "product/InstallEnv.h"
#include "product/ProductFiles.h"
#include "product/Registration.h"
#include "service/DownloadProgressPoster.h"
#include "service/InstallMessages.h"
#include "service/ModuleRecord.h"
#include "service/PostMustArrive.h"
#include "service/ProgressRecords.h"
#include "service/WorkerRecords.h"
#include "sysutil/HandOver.h"
#include "sysutil/SysUtilFile.h"
#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilProcess.h"
#include "sysutil/SysUtilText.h"
#include "sysutil/SysUtilTrace.h"

#include <shlobj.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace tivala {

namespace {

void CreateFolder(const std::wstring& folder)
{
    ::SHCreateDirectory(nullptr, folder.c_str());   // an existing folder is fine; a failure shows later
}

void Trace(const std::wstring& text)
{
    SysUtil::Trace(L"install", text);
}

void ReportDownloadFailed(const InstallSnapshot& job, const ModuleRecord& module)
{
    auto progress = std::make_unique<ModuleProgress>();
    progress->name = module.appPath;
    (void)PostRecordMustArrive(job.serviceWindow, WM_SVC_DOWNLOAD_PROGRESS, 0, std::move(progress));
}

// Tells the service window that a step done once per process is done, so that
// the snapshot of a retry says so.
void ReportStepDone(const InstallSnapshot& job, WPARAM step)
{
    (void)PostMustArrive(job.serviceWindow, WM_SVC_STEP_DONE, step, 0);
}

void PrepareDirectories(const InstallSnapshot& job)
{
    if (job.directoriesPrepared)
        return;
    CreateFolder(job.dataDirectory);
    CreateFolder(SysUtil::JoinPath(job.dataDirectory, ProductFiles::kDataFolder));
    CreateFolder(job.resourceDirectory);
    if (!SysUtil::WriteBytesToFile(SysUtil::JoinPath(job.dataDirectory, ProductFiles::kManifestCopy), job.manifestBytes))
        Trace(L"the manifest copy could not be written");
    ReportStepDone(job, kStepDirectoriesPrepared);
}

void MoveThemes(const InstallSnapshot& job)
{
    if (job.themesMoved)
        return;
    // Done whether or not anything moves.
    ReportStepDone(job, kStepThemesMoved);
    const std::wstring& oldDirectory = job.installedInfo.installBiZhiDir;
    if (SysUtil::GetMajorVersion(job.installedInfo.ProductVersion) == 0 || oldDirectory == job.resourceDirectory)
        return;
    std::vector<std::wstring> folders;
    std::vector<std::wstring> files;
    if (!SysUtil::ListFolder(oldDirectory, folders, files))
        return;
    std::vector<std::wstring> themes;
    for (const std::wstring& folder : folders) {
        if (SysUtil::PathExists(SysUtil::JoinPath(folder, ProductFiles::kThemeMarker)))
            themes.push_back(folder);
    }
    const int count = static_cast<int>(themes.size());
    CreateFolder(job.resourceDirectory);   // the move goes into it, so it must exist
    for (int i = 1; i <= count; ++i) {
        const std::wstring& folder = themes[static_cast<size_t>(i - 1)];
        if (!SysUtil::ShellMove(folder, job.resourceDirectory))
            Trace(L"the theme " + folder + L" could not be moved");
        auto progress = std::make_unique<ThemeMigrationProgress>();
        // Single precision, as the wizard has always been told: 33, 66, 100 for three.
        progress->percent = static_cast<int>(std::trunc(static_cast<float>(i) / static_cast<float>(count) * 100.0f));
        progress->index = i;
        progress->count = count;
        progress->folder = folder;
        progress->destination = job.resourceDirectory;
        (void)PostRecord(job.serviceWindow, WM_SVC_THEME_MIGRATE, 0, std::move(progress));
    }
}

// Unpacks a default-content package into `destination`, online after fetching
// it into a fresh temporary file. Neither step's outcome is looked at: the
// product runs without its default content.
void InstallSpecialPackage(const InstallSnapshot& job, const wchar_t* word, const std::wstring& address,
                           const std::wstring& destination)
{
    std::wstring archive = address;
    if (!job.local) {
        archive = SysUtil::MakeTempFileName(word + SysUtil::NewGuidText());
        HttpDownloadToFile download(nullptr, address, archive, 0, L"");
        if (download.Run() != HttpDownloadToFile::kDone)
            Trace(std::wstring(word) + L" could not be fetched");
    }
    Tivala7z sink;
    if (!ExtractArchiveFile(sink, archive, destination))
        Trace(std::wstring(word) + L" could not be unpacked");
}

// Fetches (online) or reads (local) the configuration file into the data
// directory; false when an online fetch failed. A file whose name would not stay
// in the data directory is skipped, as one that cannot be written is.
bool InstallConfigFile(const InstallSnapshot& job, const ModuleRecord& module)
{
    const std::wstring name = ConfigFileName(module.configUrl, job.local);
    if (name.empty()) {
        Trace(L"skipped the configuration file " + module.configUrl + L": its name leaves the data directory");
        return true;
    }
    std::vector<uint8_t> bytes;
    if (job.local) {
        bytes = SysUtil::ReadFileBytes(module.configUrl);
    } else {
        HttpDownloadToBuffer download(module.configUrl, &bytes);
        if (!download.Run())
            return false;
    }
    if (!SysUtil::WriteBytesToFile(SysUtil::JoinPath(job.dataDirectory, name), bytes))
        Trace(L"the configuration file " + name + L" could not be written");
    return true;
}

// Every selected module's package, configuration file and default content;
// false, reported, at the first failed package or configuration download.
bool DownloadModules(const InstallSnapshot& job)
{
    DownloadProgressPoster progress(job.serviceWindow);
    for (const ModuleRecord& module : job.modules) {
        if (!module.selected || module.unpacked)
            continue;
        if (!job.local && SysUtil::GetFileSize64(module.packagePath) != module.downloadSize) {
            HttpDownloadToFile download(&progress, module.downLoadUrl, module.packagePath, 0, module.appPath);
            if (download.Run() != HttpDownloadToFile::kDone) {
                Trace(module.appPath + L": " + SysUtil::Utf8ToWide(download.GetErrorText()));
                ReportDownloadFailed(job, module);
                return false;
            }
        }
        if (!module.configUrl.empty() && !InstallConfigFile(job, module)) {
            ReportDownloadFailed(job, module);
            return false;
        }
        if (module.appPath == L"Main" && !module.mainResourceUrl.empty() && !job.settingsFileExists) {
            InstallSpecialPackage(job, L"mainresource", module.mainResourceUrl, job.dataDirectory);
        } else if (module.appPath == L"WallPaper" && InstallEnv::HasNoThemeFolder(job.resourceDirectory) &&
                   !module.wallpaperDefaultPaperUrl.empty()) {
            CreateFolder(job.resourceDirectory);
            InstallSpecialPackage(job, L"defaultpaper", module.wallpaperDefaultPaperUrl, job.resourceDirectory);
        } else if (module.appPath == L"Rainmeter" && !module.rainmeterDefaultPaperUrl.empty()) {
            InstallSpecialPackage(job, L"defaultrainmeterskin", module.rainmeterDefaultPaperUrl, job.dataDirectory);
        }
    }
    return true;
}

// Every selected package, a retry's already unpacked ones too; false, reported,
// at the first package that did not unpack whole.
bool UnpackModules(const InstallSnapshot& job)
{
    for (const ModuleRecord& module : job.modules) {
        if (!module.selected)
            continue;
        const std::wstring& package = job.local ? module.downLoadUrl : module.packagePath;
        Tivala7z sink(job.serviceWindow, WM_SVC_UNPACK_FILE, WM_SVC_UNPACK_PERCENT, module.appPath);
        CreateFolder(module.targetDir);
        const bool unpacked = ExtractArchiveFile(sink, package, module.targetDir);
        auto progress = std::make_unique<ProgressInfo>();
        progress->percent = unpacked ? 100 : 0;
        progress->name = module.appPath;
        if (!unpacked) {
            Trace(module.appPath + L": the package did not unpack");
            (void)PostRecordMustArrive(job.serviceWindow, WM_SVC_MODULE_UNPACKED, 0, std::move(progress));
            return false;
        }
        (void)PostRecord(job.serviceWindow, WM_SVC_MODULE_UNPACKED, 1, std::move(progress));
    }
    return true;
}

void Register(const InstallSnapshot& job)
{
    const ModuleRecord* main = FindModule(job.modules, L"Main");
    const std::wstring version = main ? main->widgetver : std::wstring();
    Registration::DeleteUninstallEntry();
    Registration::RemoveAutoStart();
    Registration::DeleteDesktopShortcuts();
    Registration::DeleteContextMenuEntry();
    Registration::WriteUninstallEntry(job.installDirectory, job.resourceDirectory, version);
    Registration::WriteProductValues(job.installDirectory, job.resourceDirectory, version, job.dataDirectory);
    if (job.firstBoot)
        Registration::WriteAutoStart(SysUtil::JoinPath(job.installDirectory, ProductFiles::kStarter));
    if (SysUtil::IsOsVersionAtLeast(6, 1) && !SysUtil::IsOsVersionAtLeast(10, 0)) {
        const ModuleRecord* browser = FindModule(job.modules, L"TivalaBrowser");
        const std::wstring program = browser && !browser->secondAppName.empty() ? browser->secondAppName.front()
                                                                                : ProductFiles::kBrowserDefaultProgram;
        Registration::SetCompatibilityLayer(SysUtil::JoinPath(SysUtil::JoinPath(job.installDirectory, ProductFiles::kBrowserFolder), program));
    }
    Registration::WriteInstallPackageName(SysUtil::GetExeBaseName());
}

void Install(const InstallSnapshot& job)
{
    PrepareDirectories(job);
    MoveThemes(job);
    if (!DownloadModules(job))
        return;
    const std::wstring servicePath =
        SysUtil::JoinPath(SysUtil::JoinPath(job.installDirectory, ProductFiles::kServiceFolder), ProductFiles::kServiceProgram);
    if (!Registration::RunServiceCommand(servicePath, ProductFiles::kServiceUninstall))
        Trace(L"the service program could not be started to uninstall");
    CreateFolder(job.installDirectory);
    if (!UnpackModules(job))
        return;
    Register(job);
    if (!SysUtil::CreateDesktopShortcut(SysUtil::JoinPath(job.installDirectory, ProductFiles::kStarter), L""))
        Trace(L"the desktop shortcut could not be created");
    if (!Registration::RunServiceCommand(servicePath, ProductFiles::kServiceInstall))
        Trace(L"the service program could not be started to install");
    const std::wstring uninstaller = SysUtil::JoinPath(job.installDirectory, ProductFiles::kUninstaller);
    if (!::CopyFileW(uninstaller.c_str(), SysUtil::JoinPath(job.installDirectory, ProductFiles::kUninstallerCopy).c_str(), FALSE))
        Trace(L"the uninstaller could not be copied");
    (void)PostMustArrive(job.serviceWindow, WM_SVC_INSTALL_DONE, 0, 0);
}

}  // namespace

std::wstring ConfigFileName(const std::wstring& configUrl, bool local)
{
    const size_t cut = configUrl.find_last_of(local ? L'\\' : L'/');
    const std::wstring name = cut == std::wstring::npos ? configUrl : configUrl.substr(cut + 1);
    if (name.empty() || name == L"." || name == L".." || name.find_first_of(L"\\/:") != std::wstring::npos)
        return {};
    return name;
}

unsigned __stdcall InstallThread(void* snapshot) noexcept
{
    const auto job = TakeRecord<InstallSnapshot>(snapshot);
    if (!job)
        return 0;
    try {
        Install(*job);
    } catch (...) {
        // Only allocation throws; the wizard must still hear that the installation stopped.
        try {
            Trace(L"the installation stopped on an error");
            (void)PostRecordMustArrive(job->serviceWindow, WM_SVC_DOWNLOAD_PROGRESS, 0,
                                       std::make_unique<ModuleProgress>());
        } catch (...) {
            (void)PostMustArrive(job->serviceWindow, WM_SVC_DOWNLOAD_PROGRESS, 0, 0);
        }
    }
    return 0;
}

}  // namespace tivala
