#pragma once

#include "product/InstallInfoRecord.h"

#include <string>
#include <vector>

// What an earlier installation left behind and where things go by default: the
// registry's record of it, the product's programs to end before installing, the
// modules it had, the data directory and the default resource directory. Run
// from the install service's initialisation and the wizard on the UI thread;
// HasNoThemeFolder also on the install thread. Only GetDataDir keeps state.
// Nothing reports an error: a missing key, value, file or folder gives an empty
// text or a shorter list.
namespace tivala::InstallEnv {

// The four per-user values of "SOFTWARE\tivala" (the two directories passed
// through SysUtil::NormalizeFolderPath) and the six values of the machine-wide
// uninstall entry, which is opened with full access and never created.
InstallInfoRecord ReadInstalledInfo();

// The product's programs that the wizard ends before installing, in order.
std::vector<std::wstring> ReadEndProcessNames();

// "Starter.exe", "SelfRefresh.exe", "tivalaservice.exe", "TivalaEverything.exe",
// then the names in "secondAppName" and "thirdAppName" of each module of the
// manifest copy "widgets_config.dexo" in `dataDir`, split at ",", in order,
// duplicates and empty names included. A missing or unparsable copy, or one
// whose root is not an array, adds nothing.
std::vector<std::wstring> ReadManifestProcessNames(const std::wstring& dataDir);

// The module folders preselected and locked after an installation of major version 1.
std::vector<std::wstring> ReadV1ModuleFolders();

// The names of the folders in the earlier installation directory, in the order
// the system lists them, without "Main" and "Browser" (exact case).
std::vector<std::wstring> ReadPreviousModuleFolders(const std::wstring& installDir);

// The product's data directory: the first of the "TivalaAppData" registry value,
// Documents\Tivala and the application-data folder's TivalaAppData that can be
// created and written into; empty when none can. GetDataDir remembers a found
// directory for the rest of the process (an empty result is asked again);
// FindDataDir looks afresh every time.
std::wstring GetDataDir();
std::wstring FindDataDir();

// The default resource (wallpaper) directory: "X:\TivalaResource" on the fixed
// drive X: with the most free space, or the application-data folder's
// TivalaResource when that drive is the system drive; empty without a fixed drive.
std::wstring GetDefaultResourceDir();

// True unless a direct sub-folder of `folder` holds "theme.dexo"; a missing or
// empty folder has no theme.
bool HasNoThemeFolder(const std::wstring& folder);

// "installPackageName" of the per-user product key, or empty.
std::wstring ReadInstallPackageName();

}  // namespace tivala::InstallEnv
