#pragma once

// The wizard's main dialog with the test in the places where it would wait for a
// person or start work of its own: the questions are answered from a script, the
// folder dialog returns the test's folders (or is the shell's own, for a test
// that answers it on screen), and starting the manifest's fetch,
// the installation or the product is only counted. Everything else is the
// dialog's own.

#include "CMainDlg.h"
#include "WizardTestRecords.h"

#include <deque>
#include <string>
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
