#include "service/ServiceWndProc.h"

#include "service/InstallMessages.h"
#include "service/InstallService.h"
#include "service/ModuleRecord.h"
#include "service/ProgressRecords.h"
#include "service/WorkerRecords.h"
#include "sysutil/HandOver.h"
#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilTrace.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace tivala {

namespace {

bool Contains(const std::vector<std::wstring>& names, const std::wstring& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The wizard's window is on this thread: its queue empties only when this
// handler returns, so a refused post is not retried; it is traced instead.
void TraceLost(UINT message)
{
    SysUtil::TraceMessage(L"service", message, L"could not be posted to the wizard; lost");
}

void PostToWizard(HWND dialog, UINT message, WPARAM wParam)
{
    if (!dialog || !::PostMessageW(dialog, message, wParam, 0))
        TraceLost(message);
}

template <typename Record>
void PostRecordToWizard(HWND dialog, UINT message, WPARAM wParam, std::unique_ptr<Record> record)
{
    if (!PostRecord(dialog, message, wParam, std::move(record)))
        TraceLost(message);
}

void OnManifest(InstallService& service, WPARAM succeeded, LPARAM result)
{
    auto received = TakeRecord<ManifestResult>(result);
    if (!succeeded || !received) {
        PostToWizard(service.dialogWindow, WM_UI_MANIFEST, 0);
        return;
    }
    service.modules = std::move(received->modules);
    service.manifestBytes = std::move(received->manifestBytes);
    received.reset();
    if (service.channelEdition)
        service.DropExcludedModule();
    service.ApplyInstallDir();

    const std::vector<std::wstring> v1Folders = service.v1ModuleFolders;
    const std::vector<std::wstring> previousFolders = service.previousModuleFolders;
    const int major = SysUtil::GetMajorVersion(service.installedInfo.ProductVersion);
    for (ModuleRecord& module : service.modules) {
        if (major == 1 && Contains(v1Folders, module.appPath)) {
            module.locked = true;
            module.selected = true;
        } else if (major > 1 && Contains(previousFolders, module.appPath)) {
            module.locked = true;
            module.selected = true;
        }
        if (module.appPath == L"WallPaper")
            module.selected = true;
        if (service.wideEdition)
            module.selected = true;
    }
    PostToWizard(service.dialogWindow, WM_UI_MANIFEST, 1);
}

void OnThemeMigrate(const InstallService& service, LPARAM progress)
{
    const auto received = TakeRecord<ThemeMigrationProgress>(progress);
    if (!received)
        return;
    PostRecordToWizard(service.dialogWindow, WM_UI_THEME_MIGRATE, 0, std::make_unique<ThemeMigrationProgress>(*received));
}

void OnDownloadProgress(InstallService& service, WPARAM isProgress, LPARAM progress)
{
    const auto received = TakeRecord<ModuleProgress>(progress);
    auto info = std::make_unique<ProgressInfo>();
    if (received)
        info->name = received->name;
    if (!isProgress || !received) {
        PostRecordToWizard(service.dialogWindow, WM_UI_DOWNLOAD_PROGRESS, 0, std::move(info));
        return;
    }
    service.SetModuleProgress(received->name, received->done);
    int64_t others = 0;
    int64_t total = 0;
    service.GetDownloadTotals(received->name, others, total);
    // A package of unknown size counts in neither sum, so the percentage runs
    // over the packages whose sizes are known.
    info->done = (service.IsDownloadSizeUnknown(received->name) ? 0 : received->done) + others;
    info->total = total;
    info->percent = BoundedPercent(double(info->done), double(total));
    PostRecordToWizard(service.dialogWindow, WM_UI_DOWNLOAD_PROGRESS, 1, std::move(info));
}

void OnModuleUnpacked(InstallService& service, WPARAM succeeded, LPARAM progress)
{
    const auto received = TakeRecord<ProgressInfo>(progress);
    auto info = std::make_unique<UnpackProgress>();
    if (received)
        info->name = received->name;
    if (!succeeded || !received) {
        PostRecordToWizard(service.dialogWindow, WM_UI_MODULE_UNPACKED, 0, std::move(info));
        return;
    }
    service.MarkModuleUnpacked(received->name);
    service.CountUnpacked(info->unpacked, info->selected);
    info->percent = BoundedPercent(info->unpacked, info->selected);
    PostRecordToWizard(service.dialogWindow, WM_UI_MODULE_UNPACKED, 1, std::move(info));
}

void OnUnpackFile(const InstallService& service, WPARAM name)
{
    if (!PostRecordInWParam(service.dialogWindow, WM_UI_UNPACK_FILE, TakeRecord<std::wstring>(name), 0))
        TraceLost(WM_UI_UNPACK_FILE);
}

void OnUnpackPercent(const InstallService& service, WPARAM archivePercent, LPARAM label)
{
    const auto received = TakeRecord<std::wstring>(label);   // the module's label; only freed
    int unpacked = 0;
    int selected = 0;
    service.CountUnpacked(unpacked, selected);
    const double share = selected > 0 ? selected : 1;
    const double overall = std::trunc(double(archivePercent) / share) + std::trunc(unpacked * 100.0 / share);
    PostToWizard(service.dialogWindow, WM_UI_INSTALL_PROGRESS, static_cast<WPARAM>(std::clamp(overall, 0.0, 100.0)));
}

void OnInstallDone(const InstallService& service)
{
    PostToWizard(service.dialogWindow, WM_UI_INSTALL_DONE, 0);
}

void OnStepDone(InstallService& service, WPARAM step)
{
    if (step == kStepDirectoriesPrepared)
        service.directoriesPrepared = true;
    else if (step == kStepThemesMoved)
        service.themesMoved = true;
}

}  // namespace

int BoundedPercent(double part, double whole)
{
    if (!(whole > 0) || !(part > 0))
        return 0;
    return static_cast<int>(std::clamp(std::trunc(part / whole * 100.0), 0.0, 100.0));
}

LRESULT CALLBACK ServiceWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    try {
        InstallService& service = InstallService::GetInstance();
        switch (message) {
        case WM_SVC_MANIFEST:          OnManifest(service, wParam, lParam);         break;
        case WM_SVC_THEME_MIGRATE:     OnThemeMigrate(service, lParam);             break;
        case WM_SVC_DOWNLOAD_PROGRESS: OnDownloadProgress(service, wParam, lParam); break;
        case WM_SVC_MODULE_UNPACKED:   OnModuleUnpacked(service, wParam, lParam);   break;
        case WM_SVC_UNPACK_FILE:       OnUnpackFile(service, wParam);               break;
        case WM_SVC_UNPACK_PERCENT:    OnUnpackPercent(service, wParam, lParam);    break;
        case WM_SVC_INSTALL_DONE:      OnInstallDone(service);                      break;
        case WM_SVC_STEP_DONE:         OnStepDone(service, wParam);                 break;
        default:                       break;
        }
    } catch (...) {
        // Only allocation throws here; the message's record was adopted and freed
        // on the way out.
        SysUtil::TraceMessage(L"service", message, L"failed");
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tivala
