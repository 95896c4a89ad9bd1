#pragma once

// The wizard's main dialog with the test in the places where it would wait for a
// person or start work of its own: the questions are answered from a script, the
// folder dialog returns the test's folders (or is the shell's own, for a test
// that answers it on screen), and starting the manifest's fetch,
// the installation or the product is only counted. Everything else is the
// dialog's own.

#include "CMainDlg.h"
#include "WizardTestRecords.h"

#include "service/InstallService.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace installer_test {

class ProbeMainDlg : public CMainDlg {
public:
    using CMainDlg::CMainDlg;
    using CMainDlg::Engine;

    std::deque<bool> answers;           // AskToContinue's, in turn; false when none are left
    bool realQuestions = false;         // the dialog's own message box asks instead
    std::vector<std::wstring> questions;
    std::deque<std::wstring> folders;   // BrowseForFolder's, in turn; empty (cancelled) when none are left
    bool realFolders = false;           // the shell's folder dialog asks instead
    int manifestStarts = 0;
    int installStarts = 0;
    std::vector<std::wstring> productStarts;

    // Created, initialised and shown in front as start-up does it, with `modules`
    // as the manifest's and an earlier installation in the given folders; the
    // splash's timer is the test's to tick. False when the window was not made.
    bool OpenAsStartUp(std::vector<tivala::ModuleRecord> modules, const std::wstring& installDir,
                       const std::wstring& resourceDir)
    {
        if (!Create(nullptr, 0, 0, 0, 0))
            return false;
        ::SendMessageW(GetHwnd(), WM_INITDIALOG, 0, 0);
        ::KillTimer(GetHwnd(), kFirstFrameTimer);   // it would start the splash's
        tivala::InstallService& service = tivala::InstallService::GetInstance();
        service.modules = std::move(modules);
        service.installedInfo = {};
        service.installedInfo.ProductVersion = L"2.0.1.0";
        service.installedInfo.installDir = installDir;
        service.installedInfo.installBiZhiDir = resourceDir;
        service.endProcessNames.clear();
        service.manifestProcessNames.clear();
        CenterWindow(GetHwnd());
        ::ShowWindow(GetHwnd(), SW_SHOWNORMAL);
        ::SetForegroundWindow(GetHwnd());
        return true;
    }

protected:
    bool AskToContinue(const std::wstring& question) override
    {
        questions.push_back(question);
        return realQuestions ? CMainDlg::AskToContinue(question) : TakeNext(answers, false);
    }
    bool RestartManifest() override { return ++manifestStarts, true; }
    bool RestartInstall() override { return ++installStarts, true; }
    std::wstring BrowseForFolder() override
    {
        return realFolders ? CMainDlg::BrowseForFolder() : TakeNext(folders, std::wstring());
    }
    void StartProduct(const std::wstring& path) override { productStarts.push_back(path); }
};

}  // namespace installer_test
