#pragma once

#include "product/InstallInfoRecord.h"
#include "service/ModuleRecord.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// What the install service hands its worker threads when it starts them, and
// what the manifest thread hands back. Each is a heap record that passes from one
// thread to the other (sysutil/HandOver.h): taken on the UI thread, so that a
// worker reads nothing of the service while it runs, and brought back by message,
// so that only the UI thread writes the service.
namespace tivala {

// The manifest thread's job, taken when InstallService::StartManifest runs.
struct ManifestRequest {
    HWND serviceWindow = nullptr;
    bool local = false;
    std::wstring url;                   // online: the request address followed by the manifest's file name
    const uint8_t* package = nullptr;   // local: the installer's package, alive until exit, only read
    uint32_t packageSize = 0;
};

// The manifest thread's result (WM_SVC_MANIFEST with wParam 1): the module list,
// sorted, and the manifest exactly as it was read, for the copy the installation keeps.
struct ManifestResult {
    std::vector<ModuleRecord> modules;
    std::vector<uint8_t> manifestBytes;
};

// The install thread's job, taken when InstallService::StartInstall runs.
struct InstallSnapshot {
    std::vector<ModuleRecord> modules;
    std::wstring installDirectory;    // without a trailing backslash
    std::wstring resourceDirectory;   // without a trailing backslash
    std::wstring dataDirectory;
    HWND serviceWindow = nullptr;
    bool local = false;
    std::vector<uint8_t> manifestBytes;
    InstallInfoRecord installedInfo;
    bool settingsFileExists = false;
    bool firstBoot = true;
    // The steps done once per process, as far as the service window has heard.
    bool directoriesPrepared = false;
    bool themesMoved = false;
};

}  // namespace tivala
