#include "CEngineMessages.h"

#include "IWizardView.h"

#include "service/InstallMessages.h"
#include "service/ProgressRecords.h"
#include "sysutil/HandOver.h"
#include "sysutil/SysUtilPath.h"

#include <string>

using namespace tivala;

namespace {

constexpr wchar_t kNoServer[] = L"无法连接到服务器，确定要退出安装吗？";
constexpr wchar_t kDownloadFailed[] = L"下载文件出错，需要重试吗？";
constexpr wchar_t kUnpackFailed[] = L"解压文件出错，需要重试吗？";
constexpr wchar_t kMovingThemes[] = L"正在迁移资源文件...";
constexpr wchar_t kDownloading[] = L"正在下载文件...";
constexpr wchar_t kUnpackingFile[] = L"正在解压文件:";

}  // namespace

bool CEngineMessages::IsEngineMessage(UINT message)
{
    return (message >= WM_UI_MANIFEST && message <= WM_UI_INSTALL_DONE) || message == kFocusModuleList;
}

bool CEngineMessages::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_UI_MANIFEST:          OnManifestResult(wParam != 0);          break;
    case WM_UI_THEME_MIGRATE:     OnMigrateProgress(lParam);              break;
    case WM_UI_DOWNLOAD_PROGRESS: OnDownloadProgress(wParam != 0, lParam); break;
    case WM_UI_MODULE_UNPACKED:   OnUnzipProgress(wParam != 0, lParam);   break;
    case WM_UI_UNPACK_FILE:       OnUnzipFileName(wParam);                break;
    case WM_UI_INSTALL_PROGRESS:  Show(m_progress.OnUnpack(static_cast<int>(wParam))); break;
    case WM_UI_INSTALL_DONE:      m_view.ShowCompletion();                break;
    case kFocusModuleList:        m_view.FocusModuleList();               break;
    default:                      return false;
    }
    return true;
}

void CEngineMessages::OnSplashElapsed()
{
    if (m_splashDone)
        return;
    m_splashDone = true;
    if (m_manifestReady)
        m_view.ShowModulePage();
}

void CEngineMessages::OnInstallNotStarted()
{
    AskToRetry(kDownloadFailed, [this] { return m_view.RestartInstall(); });
}

void CEngineMessages::OnManifestResult(bool applied)
{
    if (!applied) {
        AskToRetry(kNoServer, [this] { return m_view.RestartManifest(); });
        return;
    }
    m_manifestReady = true;
    if (m_splashDone)
        m_view.ShowModulePage();
}

void CEngineMessages::OnMigrateProgress(LPARAM record)
{
    const auto progress = TakeRecord<ThemeMigrationProgress>(record);
    if (!progress)
        return;
    Show(m_progress.OnThemeMigrate(progress->percent));
    m_view.ShowActivity(kMovingThemes);
}

void CEngineMessages::OnDownloadProgress(bool progressing, LPARAM record)
{
    const auto progress = TakeRecord<ProgressInfo>(record);
    m_progress.MarkDownloadStarted();
    if (!progressing || !progress) {
        AskToRetry(kDownloadFailed, [this] { return m_view.RestartInstall(); });
        return;
    }
    Show(m_progress.OnDownload(progress->percent));
    m_view.ShowActivity(kDownloading);
}

void CEngineMessages::OnUnzipProgress(bool unpacked, LPARAM record)
{
    const auto progress = TakeRecord<UnpackProgress>(record);
    if (!unpacked || !progress) {
        AskToRetry(kUnpackFailed, [this] { return m_view.RestartInstall(); });
        return;
    }
    Show(m_progress.OnUnpack(progress->percent));
}

void CEngineMessages::OnUnzipFileName(WPARAM record)
{
    const auto path = TakeRecord<std::wstring>(record);
    if (path && !path->empty())
        m_view.ShowActivity(kUnpackingFile + SysUtil::FileNameOf(*path));
}

void CEngineMessages::Show(int value)
{
    m_view.ShowProgress(value);
}

template <typename Restart>
void CEngineMessages::AskToRetry(const wchar_t* question, Restart restart)
{
    // A retry whose worker cannot even start would leave the wizard waiting for
    // a report that never comes: the question is asked again instead.
    while (m_view.AskToContinue(question)) {
        if (restart())
            return;
    }
    m_view.Quit();
}
