#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tivala {

// One installable module, built from one element of the manifest (or the
// "Browser" and "Starter" modules that "Main" describes). A plain value: the
// install service keeps the list on the UI thread, the manifest thread builds it
// and the install thread works on a copy of its own.
struct ModuleRecord {
    bool unpack = false;     // the package is an archive unpacked into targetDir
    bool selected = false;   // to be installed
    bool forced = false;     // always installed, never offered to the user
    bool locked = false;     // the earlier installation has it; the wizard keeps it selected
    bool unpacked = false;   // unpacked in this run
    int64_t downloadSize = 0;      // of the package on the server (-1: not announced) or of the local file
    int64_t unzipSize = 0;         // bytes needed once unpacked
    int64_t downloadedBytes = 0;   // received so far, as the service window records it
    std::wstring id;               // a decimal number as text; the sort key
    std::wstring appPath;          // the module's name and folder; every lookup's key (exact)
    std::wstring widgetver;
    std::wstring name;
    std::wstring desc;
    std::wstring md5;                 // stored, never compared
    std::wstring downLoadUrl;         // in local mode a file of the unpacked local package
    std::wstring smallEnableImgUrl;
    std::wstring introduceVideoUrl;
    std::wstring configUrl;
    std::vector<uint8_t> iconBytes;
    std::wstring packagePath;         // the file the package is downloaded into
    std::wstring targetDir;           // where it is unpacked: the installation directory
    std::vector<std::wstring> secondAppName;
    std::vector<std::wstring> thirdAppName;
    std::wstring wallpaperDefaultPaperUrl;
    std::wstring mainResourceUrl;
    std::wstring rainmeterDefaultPaperUrl;
    int64_t wallpaperDefaultPaperUnzipSize = 0;
    int64_t rainmeterDefaultPaperUnzipSize = 0;
};

// The first module of the list whose appPath is `appPath` (exact, letter case
// included); null when there is none.
ModuleRecord* FindModule(std::vector<ModuleRecord>& modules, const std::wstring& appPath);
const ModuleRecord* FindModule(const std::vector<ModuleRecord>& modules, const std::wstring& appPath);

}  // namespace tivala
