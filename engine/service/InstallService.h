#pragma once

#include "http/IHttpDownloadToFileCalback.h"
#include "product/InstallInfoRecord.h"
#include "service/ModuleRecord.h"
#include "Win32Handles.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tivala {

struct InstallInitParam;

// The engine's facade: everything one installation needs and the hidden window
// ("InstallServiceMsgWndClass") through which the manifest and install threads
// report to the wizard. One per process (GetInstance), living until exit.
//
// UI thread only: the wizard and the service window use it there. A worker gets
// a copy of what it needs when it is started (WorkerRecords.h) and brings back
// what it learns by message, which the service window applies; no thread but the
// UI thread reads or writes the service. Modules are found by `appPath`, exactly;
// the first match counts.
class InstallService final : public IHttpDownloadToFileCalback {
public:
    static InstallService& GetInstance();

    // Stores the parameters, creates the service window on the calling thread and
    // reads the earlier installation, "devconfig.ini", "settings.ini" and the
    // edition. A second call (the tests') replaces the window. Always true.
    bool Init(const InstallInitParam& param);

    // Ignored when empty; one trailing backslash is removed. SetInstallDir also
    // applies the directory to every module.
    void SetInstallDir(const std::wstring& directory);
    void SetResourceDir(const std::wstring& directory);
    void ApplyInstallDir();

    ModuleRecord GetModule(const std::wstring& appPath) const;   // a default record when none matches
    void SetModuleSelected(const std::wstring& appPath, bool selected);
    void MarkModuleUnpacked(const std::wstring& appPath);
    void SetModuleProgress(const std::wstring& appPath, int64_t downloadedBytes);
    // Over the selected modules whose package size is known (a server may
    // announce none): `others` sums the recorded bytes of those not named
    // `appPath`, `total` the sizes of all. Always true.
    bool GetDownloadTotals(const std::wstring& appPath, int64_t& others, int64_t& total) const;
    bool CountUnpacked(int& unpacked, int& selected) const;   // always true
    // The module's package size is unknown, so its bytes count in no total.
    bool IsDownloadSizeUnknown(const std::wstring& appPath) const;
    void DropExcludedModule();   // the first "Lateglow"

    std::wstring GetStarterPath() const;
    std::wstring GetMainVersion() const;   // "Main"'s widgetver, or empty
    std::vector<int> GetSelectedOptionalModuleIds() const;
    std::wstring GetRequestUrl() const { return requestUrl; }
    std::vector<std::wstring> GetV1ModuleFolders() const { return v1ModuleFolders; }
    std::vector<std::wstring> GetPreviousInstallFolders() const { return previousModuleFolders; }
    std::vector<std::wstring> GetEndProcessNames() const { return endProcessNames; }
    std::vector<std::wstring> GetManifestProcessNames() const { return manifestProcessNames; }

    // Starts the manifest thread on a copy of the configuration; false when it
    // cannot be started (then nothing will report). The wizard calls it once, and
    // again after a reported failure.
    [[nodiscard]] bool StartManifest();
    // Starts an install thread on a snapshot of the service: the directories, a
    // copy of `modules`, the manifest, the earlier installation, the flags. Progress
    // already recorded stays. The wizard calls it once, and again after a reported
    // failure. False when the thread cannot be started.
    [[nodiscard]] bool StartInstall();
    // Waits until the manifest and install threads started last have returned,
    // at most `timeoutMs`; true when none is left. For a process that ends after
    // its work: a thread of its own still ending then races the process's teardown.
    [[nodiscard]] bool WaitForWorkers(DWORD timeoutMs) const;

    // IHttpDownloadToFileCalback: posts a ModuleProgress to the service window.
    // The install thread does not call it: it reads nothing of the service and
    // posts through a DownloadProgressPoster over its snapshot's window instead.
    void OnProgress(int percent, int64_t done, int64_t total, int tag, const std::wstring& name) override;

    HWND dialogWindow = nullptr;
    std::wstring installDirectory;    // without a trailing backslash
    std::wstring resourceDirectory;   // without a trailing backslash
    std::wstring dataDirectory;
    std::vector<uint8_t> manifestBytes;   // the manifest as fetched; the service window stores it
    std::vector<ModuleRecord> modules;    // sorted by numeric id
    HWND serviceWindow = nullptr;
    bool firstBoot = true;
    int installType = 0;   // 0 online, 1 local
    InstallInfoRecord installedInfo;
    std::vector<std::wstring> endProcessNames;
    std::vector<std::wstring> v1ModuleFolders;
    std::vector<std::wstring> manifestProcessNames;
    std::vector<std::wstring> previousModuleFolders;
    std::wstring requestUrl;
    std::wstring manifestFileName;
    bool settingsFileExists = false;
    const uint8_t* packageData = nullptr;
    uint32_t packageSize = 0;
    bool wideEdition = false;
    bool channelEdition = false;

    // The install thread's steps done once per process, as its messages report
    // them; never reset by the engine, so that a retry skips them.
    bool directoriesPrepared = false;
    bool themesMoved = false;

private:
    InstallService() = default;

    void ReadDevConfig();
    void CheckSettingsFile();
    void DetectEdition();

    UniqueHandle m_manifestThread;   // the last ones started, for WaitForWorkers
    UniqueHandle m_installThread;
};

}  // namespace tivala
