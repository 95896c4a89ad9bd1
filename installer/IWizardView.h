#pragma once

#include <string>

// What the engine's reports do to the wizard on screen, as CEngineMessages asks
// for it. The main dialog is the one implementation; the tests put a recorder in
// its place. UI thread.
struct IWizardView {
    // The module list with the manifest's modules, and the folders beside it.
    virtual void ShowModulePage() = 0;
    // The bar and its percentage text.
    virtual void ShowProgress(int value) = 0;
    // The line that says what the installation is doing.
    virtual void ShowActivity(const std::wstring& text) = 0;
    // A two-button question, modal; true for the right button ("continue
    // installing"), false for the left ("exit") or a box closed otherwise.
    virtual bool AskToContinue(const std::wstring& question) = 0;
    // Takes the wizard down, which ends the installer.
    virtual void Quit() = 0;
    // Start the manifest's fetch or the installation again; false when no
    // worker could be started, so that nothing will report.
    [[nodiscard]] virtual bool RestartManifest() = 0;
    [[nodiscard]] virtual bool RestartInstall() = 0;
    // The completion page, with the caption restored and the reports sent.
    virtual void ShowCompletion() = 0;
    virtual void FocusModuleList() = 0;

protected:
    ~IWizardView() = default;
};
