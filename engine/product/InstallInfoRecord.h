#pragma once

#include <string>

namespace tivala {

// What the registry says of an earlier installation (InstallEnv::ReadInstalledInfo);
// every text is empty when nothing was found. The install service keeps one
// for the life of the process; a plain value, copied freely.
struct InstallInfoRecord {
    std::wstring Publisher;
    std::wstring DisplayName;
    std::wstring DisplayIcon;
    std::wstring ProductVersion;   // an earlier installation exists when its major version is not 0
    std::wstring InstallDate;
    std::wstring installDir;
    std::wstring installBiZhiDir;   // the earlier resource (wallpaper) directory
    std::wstring UninstallString;
    std::wstring UrlInfoAbout;
    std::wstring installPackageName;
};

}  // namespace tivala
