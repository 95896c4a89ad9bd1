#pragma once

#include "CEngineMessages.h"
#include "CInstallSlides.h"
#include "ISlideTimer.h"
#include "IWizardView.h"

#include "core/SHostWnd.h"
#include "service/InstallMessages.h"

#include <string>
#include <vector>

namespace SAKU {
class SAnimateImgWnd;
class SButton;
class SCheckBox;
class SProgress;
class SStatic;
class STabCtrl;
}  // namespace SAKU

namespace tivala {
class DataDelivery;
}

// The installer's main window: the translucent wizard drawn from
// "LAYOUT:xml_mainwnd", whose tab control "tab_main" holds its five pages
// (splash, modules, resource folder, installation, completion). It starts the
// install service with its own window as the wizard, shows what the engine
// reports (through CEngineMessages) and the slides while it installs (through
// CInstallSlides), validates the two folders, asks before ending running
// product processes, and starts the product at the end. The layout makes it
// the application's main window, so destroying it ends the main message loop.
// Made and owned by the program's entry, which sends it WM_INITDIALOG once
// after creating it. UI thread.
class CMainDlg : public SAKU::SHostWnd, protected IWizardView, private ISlideTimer {
public:
    static constexpr UINT_PTR kSlideTimer = 100;
    static constexpr UINT_PTR kSplashTimer = 101;
    static constexpr UINT_PTR kFocusListTimer = 102;   // the module page is still sliding in
    static constexpr UINT_PTR kFirstFrameTimer = 103;  // ticks once the splash's first frame is painted
    static constexpr UINT kSlideMs = 4000;
    static constexpr UINT kSplashMs = 4000;
    enum class Folder { Install, Resource };

    // `reporter` sends the completion reports; the process-wide one by default.
    explicit CMainDlg(tivala::DataDelivery* reporter = nullptr);
    ~CMainDlg() override;

    // SHostWnd overrides
    BOOL HandleEvent(SAKU::EventArgs* args) override;

    BEGIN_MSG_MAP(CMainDlg)
        MSG_HANDLER      (WM_TIMER,                          OnTimer)           // passes it on to the host's timers
        MSG_RANGE_HANDLER(tivala::WM_UI_MANIFEST,            tivala::WM_UI_INSTALL_DONE, OnEngineMessage)
        MSG_RAW_HANDLER  (CEngineMessages::kFocusModuleList, OnEngineMessage)   // to the engine's table as it came
        MSG_HANDLER      (WM_INITDIALOG,                     OnInitDialog)
        MSG_HANDLER      (WM_CLOSE,                          OnClose)
        MSG_HANDLER      (WM_SIZE,                           OnSizeChanged)     // passes it on to the host's layout
        MSG_HANDLER      (WM_DESTROY,                        OnDialogDestroy)   // passes it on to the host
        CHAIN_MSG_MAP    (SAKU::SHostWnd)
        MSG_RANGE_HANDLER(WM_NULL + 1,                       0xFFFF,            ReflectNotificationsOrDefault)
    END_MSG_MAP()

protected:
    // IWizardView overrides; protected so that the tests can stand in for the
    // message boxes, the folder dialog, the engine's workers and the product's
    // start.
    void ShowModulePage() override;
    void ShowProgress(int value) override;
    void ShowActivity(const std::wstring& text) override;
    bool AskToContinue(const std::wstring& question) override;
    void Quit() override { DestroyHostWindow(); }
    bool RestartManifest() override;
    bool RestartInstall() override;
    void ShowCompletion() override;
    void FocusModuleList() override;

    // The shell's folder dialog; empty when cancelled.
    virtual std::wstring BrowseForFolder();
    // Opens the product's start program without the installer's elevation.
    virtual void StartProduct(const std::wstring& path);

    const CEngineMessages& Engine() const { return m_engine; }

private:
    // ---- Pages and flow (CMainDlg.cpp) ----------------------------------------
    // FALSE: the dialog chose its own focus.
    BOOL OnInitDialog(HWND focus, LPARAM initParam);
    void FindControls();
    void OnTimer(UINT_PTR id);
    void OnClose();
    void OnSizeChanged(UINT type, SIZE size);
    void OnDialogDestroy();
    void OnNext1();
    void OnBtnFinished();
    // Element commands that only HandleEvent's table calls.
    void OnBtnBack();
    void OnCheckFirstBoot();
    template <UINT command>
    void SendSysCommand() { ::SendMessageW(GetHwnd(), WM_SYSCOMMAND, command, 0); }
    template <Folder folder>
    void OnSelectFolder() { ChooseFolder(folder); }
    template <int page>
    void ShowMainPage() { SetPage(m_tabMain, page); }
    template <int page>
    void ShowConfigPage() { SetPage(m_tabConfig, page); }
    void ChooseFolder(Folder folder);
    void ShowFolder(Folder folder, const std::wstring& path);
    void ValidateFolder(Folder folder);
    // "Install now" goes only while the licence is accepted and the install
    // folder holds the chosen modules; "next1" only while both folders pass.
    void UpdateNextButtons();
    // False when the user would rather quit than end the product's processes.
    bool EndRunningProcesses(const std::vector<std::wstring>& names);
    void SetPage(SAKU::STabCtrl* tabs, int page);

    // ---- Progress and completion ---------------------------------------------
    LRESULT OnEngineMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // ISlideTimer overrides
    void StartSlideTimer() override;
    void StopSlideTimer() override;

    CEngineMessages m_engine{*this};
    CInstallSlides m_slides{*this, *this};
    tivala::DataDelivery& m_reporter;
    bool m_initialised = false;
    bool m_installFolderValid = false;
    bool m_resourceFolderValid = false;
    bool m_reportsQueued = false;
    SAKU::SProgress* m_progress = nullptr;
    SAKU::SStatic* m_textPercent = nullptr;
    SAKU::SStatic* m_textInstalling = nullptr;
    SAKU::STabCtrl* m_tabMain = nullptr;
    SAKU::STabCtrl* m_tabConfig = nullptr;
    SAKU::SCheckBox* m_checkReadInfo = nullptr;
    SAKU::SCheckBox* m_checkFirstBoot = nullptr;
    SAKU::SWindow* m_installDirEdit = nullptr;
    SAKU::SWindow* m_resourceDirEdit = nullptr;
    SAKU::SButton* m_btnInstall = nullptr;
    SAKU::SButton* m_btnNext1 = nullptr;
    SAKU::SButton* m_btnClose = nullptr;
    SAKU::SButton* m_btnMin = nullptr;
    SAKU::SAnimateImgWnd* m_animateRequest = nullptr;
    SAKU::SAnimateImgWnd* m_animateFinished = nullptr;
};
