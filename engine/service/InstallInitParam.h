#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace tivala {

// What the wizard hands InstallService::Init, on the UI thread.
struct InstallInitParam {
    HWND dialog = nullptr;            // the wizard's main window
    int installType = 0;              // 0 online, 1 local
    std::wstring dataDir;             // the product's data directory
    const uint8_t* package = nullptr; // the local package (a 7z archive) or null; the caller's, alive until exit
    uint32_t packageSize = 0;
};

}  // namespace tivala
