#pragma once

#include "CInstallProgress.h"

#include <windows.h>

struct IWizardView;

// The wizard's side of the install engine: takes the messages that the install
// service's window posts to the main dialog (the manifest, the progress of each
// phase, failures, the end) and the dialog's own request to focus the module
// list, adopts and frees their records, and tells the view what to show. It also
// keeps the splash rule: the module page comes when both the splash time is up
// and the manifest is in, whichever comes second. Owned by the main dialog,
// whose view it drives; UI thread.
class CEngineMessages {
public:
    // The dialog posts itself this once the module list is filled.
    static constexpr UINT kFocusModuleList = 0x600;

    explicit CEngineMessages(IWizardView& view) : m_view(view) {}
    CEngineMessages(const CEngineMessages&) = delete;
    CEngineMessages& operator=(const CEngineMessages&) = delete;

    // True when `message` is one of the wizard's engine messages (0x501 to
    // 0x507) or kFocusModuleList, which then is done and its record freed;
    // the message's result is 0.
    static bool IsEngineMessage(UINT message);
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // The splash's minimum time is up.
    void OnSplashElapsed();
    // The installation's worker could not be started: asked as a failed download.
    void OnInstallNotStarted();

    bool SplashDone() const { return m_splashDone; }
    bool ManifestReady() const { return m_manifestReady; }
    const CInstallProgress& Progress() const { return m_progress; }

private:
    void OnManifestResult(bool applied);
    void OnMigrateProgress(LPARAM record);
    void OnDownloadProgress(bool progressing, LPARAM record);
    void OnUnzipProgress(bool unpacked, LPARAM record);
    void OnUnzipFileName(WPARAM record);
    void Show(int value);
    // Asks until the user gives up or a new worker starts; gives up by quitting.
    template <typename Restart>
    void AskToRetry(const wchar_t* question, Restart restart);

    IWizardView& m_view;
    CInstallProgress m_progress;
    bool m_splashDone = false;
    bool m_manifestReady = false;
};
