#pragma once

#include <cstdint>
#include <string>

// The heap records that the engine's messages carry (InstallMessages.h): the
// sender allocates one, the receiver adopts and deletes it (sysutil/HandOver.h).
namespace tivala {

// One package's download progress: worker to the install service's window.
struct ModuleProgress {
    int percent = 0;
    int64_t done = 0;    // bytes of this package received, a resumed part included
    int64_t total = 0;   // this package's size
    int tag = 0;         // always 0
    std::wstring name;   // the module's appPath
};

// A module unpacked (worker to service window), or the download progress over all
// selected packages (service window to wizard).
struct ProgressInfo {
    int percent = 0;
    int64_t done = 0;
    int64_t total = 0;
    std::wstring name;   // a module's appPath
};

// One theme folder moved into the new resource directory; the service window
// passes a copy on to the wizard.
struct ThemeMigrationProgress {
    int percent = 0;   // share of the theme folders moved so far
    int index = 0;     // of the folder just moved, from 1
    int count = 0;     // theme folders to move
    std::wstring folder;        // its old full path
    std::wstring destination;   // the new resource directory
};

// The share of the selected modules unpacked: service window to wizard.
struct UnpackProgress {
    int percent = 0;
    int unpacked = 0;
    int selected = 0;
    std::wstring name;   // the module's appPath
};

}  // namespace tivala
