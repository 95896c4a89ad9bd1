#include "CMainDlg.h"

#include "CMsgBox.h"
#include "CTestAdapterFlex.h"
#include "FindNamed.h"
#include "ShowAnimation.h"

#include "controls/SAnimateImgWnd.h"
#include "controls/SButton.h"
#include "controls/SCheckBox.h"
#include "controls/SListView.h"
#include "controls/SProgress.h"
#include "controls/SStatic.h"
#include "controls/STabCtrl.h"
#include "core/Events.h"

#include "product/InstallEnv.h"
#include "report/CompletionReports.h"
#include "report/DataDelivery.h"
#include "service/InstallInitParam.h"
#include "service/InstallService.h"
#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilProcess.h"

#include <shellapi.h>
#include <shlobj.h>

#include <string>

using namespace SAKU;
using tivala::InstallService;
namespace SysUtil = tivala::SysUtil;

namespace {

// Pages of "tab_main" and "tab_config".
constexpr int kModulePage = 1;
constexpr int kResourcePage = 2;
constexpr int kInstallPage = 3;
constexpr int kCompletionPage = 4;
constexpr int kInstallOptionsPage = 0;
constexpr int kInstallFolderPage = 1;

// A local package makes the data resource at least this big.
constexpr DWORD kLocalPackageMinBytes = 10240;
constexpr int kLocalPackageResource = 114;
constexpr int64_t kResourceFolderBytes = 1073741824;   // wallpapers take room
constexpr DWORD kKillSettleMs = 200;
constexpr DWORD kReportFlushMs = 4000;
constexpr UINT kFocusRetryMs = 50;

constexpr wchar_t kProcessesRunning[] = L"检测到Tivala正在运行，确定要强制关闭并继续安装吗？";
constexpr wchar_t kQuitQuestion[] = L"正在安装中，确定要退出吗？";

struct FolderLook {
    int editId;
    const wchar_t* ownName;       // the folder the installer puts under the one the user chose
    const wchar_t* warningIcon;
    const wchar_t* warningText;
};

const FolderLook& LookOf(CMainDlg::Folder folder)
{
    static const FolderLook install{1000, L"Tivala", L"icon_choose_install_directory_warning",
                                    L"text_choose_install_directory_warning"};
    static const FolderLook resource{1011, L"TivalaResource", L"icon_choose_res_directory_warning",
                                     L"text_choose_res_directory_warning"};
    return folder == CMainDlg::Folder::Install ? install : resource;
}

// What the selected modules take on disk: an archive its unpacked size, any
// other package its own.
int64_t RequiredInstallBytes(const std::vector<tivala::ModuleRecord>& modules)
{
    int64_t bytes = 0;
    for (const tivala::ModuleRecord& module : modules) {
        if (module.selected)
            bytes += module.unpack ? module.unzipSize : module.downloadSize;
    }
    return bytes;
}

// The installer's own data resource: a package set when it is big enough.
tivala::InstallInitParam ReadInstallMode()
{
    tivala::InstallInitParam param;
    const HMODULE self = ::GetModuleHandleW(nullptr);
    const HRSRC found = ::FindResourceW(self, MAKEINTRESOURCEW(kLocalPackageResource), MAKEINTRESOURCEW(10));   // RT_RCDATA
    const HGLOBAL loaded = found ? ::LoadResource(self, found) : nullptr;
    const void* const bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes)
        return param;
    param.package = static_cast<const uint8_t*>(bytes);
    param.packageSize = ::SizeofResource(self, found);
    param.installType = param.packageSize >= kLocalPackageMinBytes ? 1 : 0;
    return param;
}

}  // namespace

CMainDlg::CMainDlg(tivala::DataDelivery* reporter)
    : SHostWnd(L"LAYOUT:xml_mainwnd"), m_reporter(reporter ? *reporter : tivala::DataDelivery::GetInstance())
{
}

CMainDlg::~CMainDlg() = default;

BOOL CMainDlg::OnInitDialog(HWND, LPARAM)
{
    m_initialised = true;
    FindControls();

    InstallService& service = InstallService::GetInstance();
    tivala::InstallInitParam param = ReadInstallMode();
    param.dialog = GetHwnd();
    param.dataDir = tivala::InstallEnv::GetDataDir();
    (void)service.Init(param);   // always succeeds
    if (m_btnInstall && SysUtil::GetMajorVersion(service.installedInfo.ProductVersion) != 0)
        m_btnInstall->SetWindowText(L"立即升级");

    // The splash's four seconds count from its first frame on screen, which the
    // host paints only once the window shows and its queue is empty; a timer
    // ticks only after the paint that is due.
    SetHostTimer(kFirstFrameTimer, USER_TIMER_MINIMUM);
    if (!RestartManifest())
        m_engine.Handle(tivala::WM_UI_MANIFEST, 0, 0);   // asks, as when the server cannot be reached
    return FALSE;
}

void CMainDlg::FindControls()
{
    m_progress = FindChildByName2<SProgress>(L"progress");
    m_textPercent = FindChildByName2<SStatic>(L"text_percent");
    m_textInstalling = FindChildByName2<SStatic>(L"text_installing");
    m_slides.FindAnimations();
    m_animateRequest = FindChildByName2<SAnimateImgWnd>(L"animate_request_install_menifest");
    m_animateFinished = FindChildByName2<SAnimateImgWnd>(L"animate_install_finished");
    m_btnInstall = FindChildByName2<SButton>(L"btn_next_to_choose_res_directory");
    m_checkReadInfo = FindChildByName2<SCheckBox>(L"check_read_info");
    m_checkFirstBoot = FindChildByName2<SCheckBox>(L"check_first_boot");
    m_tabMain = FindChildByName2<STabCtrl>(L"tab_main");
    m_tabConfig = FindChildByName2<STabCtrl>(L"tab_config");
    m_installDirEdit = FindChildByID(LookOf(Folder::Install).editId);
    m_resourceDirEdit = FindChildByID(LookOf(Folder::Resource).editId);
    m_btnMin = FindChildByName2<SButton>(L"btn_min");
    m_btnClose = FindChildByName2<SButton>(L"btn_close");
    m_btnNext1 = FindChildByName2<SButton>(L"next1");
}

BOOL CMainDlg::HandleEvent(EventArgs* args)
{
    if (args->GetID() != EventCmd::EventID)
        return FALSE;
    static const struct {
        const wchar_t* name;
        void (CMainDlg::*handler)();
    } kCommands[] = {
        {L"btn_close",                        &CMainDlg::OnClose},
        {L"btn_min",                          &CMainDlg::SendSysCommand<SC_MINIMIZE>},
        {L"btn_max",                          &CMainDlg::SendSysCommand<SC_MAXIMIZE>},
        {L"btn_restore",                      &CMainDlg::SendSysCommand<SC_RESTORE>},
        {L"btn_back",                         &CMainDlg::OnBtnBack},
        {L"select_dir_button",                &CMainDlg::OnSelectFolder<Folder::Install>},
        {L"select_bizhidir_button",           &CMainDlg::OnSelectFolder<Folder::Resource>},
        {L"btn_next_to_choose_res_directory", &CMainDlg::ShowMainPage<kResourcePage>},
        {L"check_read_info",                  &CMainDlg::UpdateNextButtons},
        {L"next1",                            &CMainDlg::OnNext1},
        {L"customize",                        &CMainDlg::ShowConfigPage<kInstallFolderPage>},
        {L"reback_tab11",                     &CMainDlg::ShowConfigPage<kInstallOptionsPage>},
        {L"btn_finished",                     &CMainDlg::OnBtnFinished},
        {L"check_first_boot",                 &CMainDlg::OnCheckFirstBoot},
    };
    const auto* const command = FindNamed(kCommands, args->nameFrom.c_str());
    if (!command)
        return FALSE;
    (this->*command->handler)();
    return TRUE;
}

void CMainDlg::OnBtnBack()
{
    SetPage(m_tabMain, kModulePage);
    ::PostMessageW(GetHwnd(), CEngineMessages::kFocusModuleList, 0, 0);
}

void CMainDlg::OnCheckFirstBoot()
{
    InstallService::GetInstance().firstBoot = m_checkFirstBoot && m_checkFirstBoot->IsChecked();
}

void CMainDlg::OnTimer(UINT_PTR id)
{
    // Compared whole: an element's timer carries its own id in the high bits
    // and the element's handle in the low ones, which may well read 100 or 101.
    if (id == kSplashTimer) {
        KillHostTimer(kSplashTimer);
        m_engine.OnSplashElapsed();
    } else if (id == kSlideTimer) {
        m_slides.Turn();
    } else if (id == kFocusListTimer) {
        KillHostTimer(kFocusListTimer);
        FocusModuleList();
    } else if (id == kFirstFrameTimer) {
        KillHostTimer(kFirstFrameTimer);
        SetHostTimer(kSplashTimer, kSplashMs);
    }
    PassMessageOn();   // the host runs its own timers
}

void CMainDlg::OnClose()
{
    const bool lastPage = m_tabMain && m_tabMain->GetCurSel() == m_tabMain->GetItemCount() - 1;
    if (lastPage || !AskToContinue(kQuitQuestion))
        DestroyHostWindow();
}

void CMainDlg::OnSizeChanged(UINT type, SIZE)
{
    PassMessageOn();   // the host lays itself out
    if (!m_initialised)
        return;
    SWindow* const maximize = FindChildByName(L"btn_max");
    SWindow* const restore = FindChildByName(L"btn_restore");
    if (!maximize || !restore)
        return;
    if (type == SIZE_MAXIMIZED) {
        restore->SetVisible(TRUE, TRUE);
        maximize->SetVisible(FALSE, TRUE);
    } else if (type == SIZE_RESTORED) {
        restore->SetVisible(FALSE, TRUE);
        maximize->SetVisible(TRUE, TRUE);
    }
}

void CMainDlg::OnDialogDestroy()
{
    PassMessageOn();   // the host takes its tree down
    // The process ends with this window: the completion reports go first, as
    // long as the report server answers within the bound.
    if (m_reportsQueued)
        (void)m_reporter.FlushReportsWithin(kReportFlushMs);   // reports not sent by then are lost
}

void CMainDlg::ShowModulePage()
{
    ShowAnimation(m_animateRequest, false);
    InstallService& service = InstallService::GetInstance();
    std::vector<std::wstring> offered;
    for (const tivala::ModuleRecord& module : service.modules) {
        if (!module.forced)
            offered.push_back(module.appPath);
    }
    if (auto* const list = FindChildByName2<SListView>(L"download_listview")) {
        // What the chosen modules take decides whether the install folder can hold them.
        const SAutoRef<CTestAdapterFlex> adapter = SAutoRef<CTestAdapterFlex>::Adopt(
            new CTestAdapterFlex(offered, [this] { ValidateFolder(Folder::Install); }));
        list->SetAdapter(adapter.Get());   // the list keeps its own reference
        ::PostMessageW(GetHwnd(), CEngineMessages::kFocusModuleList, 0, 0);
    }
    SetPage(m_tabMain, kModulePage);

    const tivala::InstallInfoRecord& previous = service.installedInfo;
    if (SysUtil::GetMajorVersion(previous.ProductVersion) != 0) {
        ShowFolder(Folder::Install, previous.installDir);
        ShowFolder(Folder::Resource, previous.installBiZhiDir);
    } else {
        const std::wstring installDir = SysUtil::AddTrailingBackslash(SysUtil::GetAppDataPath()) + L"Tivala";
        const std::wstring resourceDir = tivala::InstallEnv::GetDefaultResourceDir();
        (void)::SHCreateDirectory(nullptr, installDir.c_str());   // validation reports a folder that cannot be made
        (void)::SHCreateDirectory(nullptr, resourceDir.c_str());
        ShowFolder(Folder::Install, installDir);
        ShowFolder(Folder::Resource, resourceDir);
    }
    ValidateFolder(Folder::Install);
    ValidateFolder(Folder::Resource);
    if (auto* const version = FindChildByName2<SStatic>(L"text_main_version"))
        version->SetWindowText((L"v" + service.GetMainVersion()).c_str());
}

void CMainDlg::ChooseFolder(Folder folder)
{
    std::wstring path = BrowseForFolder();
    if (path.empty())
        return;
    const wchar_t* const ownName = LookOf(folder).ownName;
    if (SysUtil::FileNameOf(path) != ownName) {
        path = SysUtil::AddTrailingBackslash(path) + ownName;
        (void)::SHCreateDirectory(nullptr, path.c_str());   // validation reports a folder that cannot be made
    }
    ShowFolder(folder, path);
    ValidateFolder(folder);
}

void CMainDlg::ShowFolder(Folder folder, const std::wstring& path)
{
    if (SWindow* const edit = folder == Folder::Install ? m_installDirEdit : m_resourceDirEdit)
        edit->SetWindowText(path.c_str());
}

void CMainDlg::ValidateFolder(Folder folder)
{
    const FolderLook& look = LookOf(folder);
    SWindow* const edit = folder == Folder::Install ? m_installDirEdit : m_resourceDirEdit;
    const std::wstring path = edit ? edit->GetWindowText().c_str() : L"";
    const int64_t required =
        folder == Folder::Install ? RequiredInstallBytes(InstallService::GetInstance().modules) : kResourceFolderBytes;
    const unsigned code = SysUtil::CheckInstallPath(path, required);
    const bool valid = code == SysUtil::kPathValid;

    if (SWindow* const icon = FindChildByName(look.warningIcon))
        icon->SetVisible(!valid, TRUE);
    if (SWindow* const text = FindChildByName(look.warningText)) {
        text->SetWindowText(valid ? L"" : SysUtil::GetPathErrorText(code, required).c_str());
        text->SetVisible(!valid, TRUE);
    }
    if (folder == Folder::Install) {
        m_installFolderValid = valid;
        if (!valid)
            SetPage(m_tabConfig, kInstallFolderPage);   // where the warning is seen
    } else {
        m_resourceFolderValid = valid;
    }
    UpdateNextButtons();
}

void CMainDlg::UpdateNextButtons()
{
    const bool accepted = m_checkReadInfo && m_checkReadInfo->IsChecked();
    if (m_btnInstall)
        m_btnInstall->EnableWindow(accepted && m_installFolderValid, TRUE);
    // "next1" starts the installation, into both folders.
    if (m_btnNext1)
        m_btnNext1->EnableWindow(m_installFolderValid && m_resourceFolderValid, TRUE);
}

void CMainDlg::OnNext1()
{
    const InstallService& service = InstallService::GetInstance();
    if (!EndRunningProcesses(service.GetEndProcessNames()) || !EndRunningProcesses(service.GetManifestProcessNames())) {
        DestroyHostWindow();
        return;
    }
    InstallService& writable = InstallService::GetInstance();
    writable.SetInstallDir(m_installDirEdit ? m_installDirEdit->GetWindowText().c_str() : L"");
    writable.SetResourceDir(m_resourceDirEdit ? m_resourceDirEdit->GetWindowText().c_str() : L"");

    SetPage(m_tabMain, kInstallPage);
    m_slides.Start();
    if (m_btnClose)
        m_btnClose->SetVisible(FALSE, TRUE);
    if (m_btnMin)
        m_btnMin->ApplyAttribute(L"pos", L"-30,0", FALSE);
    if (!RestartInstall())
        m_engine.OnInstallNotStarted();
}

bool CMainDlg::EndRunningProcesses(const std::vector<std::wstring>& names)
{
    while (SysUtil::IsAnyProcessRunning(names)) {
        if (!AskToContinue(kProcessesRunning))
            return false;
        (void)SysUtil::KillProcesses(names);   // a survivor is found by the next test
        ::Sleep(kKillSettleMs);
    }
    return true;
}

void CMainDlg::OnBtnFinished()
{
    StartProduct(InstallService::GetInstance().GetStarterPath());
    DestroyHostWindow();
}

void CMainDlg::StartProduct(const std::wstring& path)
{
    if (!SysUtil::ShellOpenAsDesktopUser(path))
        (void)::ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);   // nothing more to try
}

std::wstring CMainDlg::BrowseForFolder()
{
    return SysUtil::BrowseForFolder();
}

bool CMainDlg::RestartManifest()
{
    return InstallService::GetInstance().StartManifest();
}

bool CMainDlg::RestartInstall()
{
    return InstallService::GetInstance().StartInstall();
}

bool CMainDlg::AskToContinue(const std::wstring& question)
{
    CMsgBox box(GetHwnd(), L"提示", question.c_str(), CMsgBox::kTwoButtons);
    (void)box.DoModal(GetHwnd());   // the answer is the box's, not the loop's
    return box.GetAnswer() == 1;
}

void CMainDlg::SetPage(STabCtrl* tabs, int page)
{
    if (tabs)
        tabs->SetCurSel(page);
}

LRESULT CMainDlg::OnEngineMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_engine.Handle(message, wParam, lParam);
    return 0;
}

void CMainDlg::ShowProgress(int value)
{
    if (m_progress)
        m_progress->SetValue(value);
    if (m_textPercent)
        m_textPercent->SetWindowText((std::to_wstring(value) + L"%").c_str());
}

void CMainDlg::ShowActivity(const std::wstring& text)
{
    if (m_textInstalling)
        m_textInstalling->SetWindowText(text.c_str());
}

void CMainDlg::FocusModuleList()
{
    auto* const list = FindChildByName2<SListView>(L"download_listview");
    if (!list)
        return;
    // A hidden window takes no focus, and the tab control shows its new page
    // only once the slide to it has ended: the list is asked again then.
    if (!list->IsVisible(TRUE) && m_tabMain && m_tabMain->GetCurSel() == kModulePage) {
        SetHostTimer(kFocusListTimer, kFocusRetryMs);
        return;
    }
    list->SetFocus();
}

void CMainDlg::ShowCompletion()
{
    m_slides.Stop();
    ShowAnimation(m_animateFinished, true);
    SetPage(m_tabMain, kCompletionPage);
    if (m_btnMin)
        m_btnMin->ApplyAttribute(L"pos", L"-60,0", FALSE);
    if (m_btnClose)
        m_btnClose->SetVisible(TRUE, TRUE);
    tivala::QueueCompletionReports(m_reporter, tivala::InstallService::GetInstance());
    m_reportsQueued = true;
}

void CMainDlg::StartSlideTimer()
{
    SetHostTimer(kSlideTimer, kSlideMs);
}

void CMainDlg::StopSlideTimer()
{
    KillHostTimer(kSlideTimer);
}
