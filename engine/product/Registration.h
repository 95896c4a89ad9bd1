#pragma once

#include <string>

// Makes the product known to Windows and to the installer's next run: removes
// what an earlier installation registered, writes the machine-wide uninstall
// entry, the per-user product values, the autostart value and a compatibility
// layer, records the installer's package name, and runs the product's service
// program. Called by the install thread, one after the other; stateless.
//
// Keys are opened with full access and no registry view flag; writes create a
// missing key and store REG_SZ values whose byte count is the characters × 2,
// without a terminating zero (as the product has always stored them). The
// registry operations report nothing: without administrator rights the
// machine-wide writes and deletions silently do nothing. Directories come in
// without a trailing backslash.
namespace tivala::Registration {

// Deletes HKEY_LOCAL_MACHINE's uninstall entry "tivala" with everything below it.
void DeleteUninstallEntry();
// Deletes the per-user autostart value "tivala"; the other autostart values stay.
void RemoveAutoStart();
// Deletes the desktop context-menu entry "tivala" of HKEY_CLASSES_ROOT with everything below it.
void DeleteContextMenuEntry();

// Deletes the product's shortcuts from the user's desktop folder: see DeleteProductShortcutsIn.
void DeleteDesktopShortcuts();
// Deletes every file directly in `folder` whose name contains both "tivala" and
// ".lnk" (exact case). Only the file's name counts, so a folder whose path
// holds those words keeps the user's other files.
void DeleteProductShortcutsIn(const std::wstring& folder);

// The uninstall entry: publisher, name, icon, version, today's local date
// (YYYYMMDD), the two directories, the uninstaller and the product's web address.
void WriteUninstallEntry(const std::wstring& installDir, const std::wstring& resourceDir, const std::wstring& version);
// The per-user values that the next installer run reads back.
void WriteProductValues(const std::wstring& installDir, const std::wstring& resourceDir, const std::wstring& version,
                        const std::wstring& dataDir);
// The per-user autostart value "tivala": the starter's full path, unquoted.
void WriteAutoStart(const std::wstring& starterPath);
// The per-user compatibility layer "WIN7RTM" for the program.
void SetCompatibilityLayer(const std::wstring& programPath);
// "installPackageName" of the per-user product key.
void WriteInstallPackageName(const std::wstring& name);

// Runs the service program as `"path" command` ("uninstall" or "install") and
// waits at most 15 seconds for it; then ends any process still named
// "tivalaservice.exe" and pauses 200 ms. A missing program is not run and
// nothing is ended (true). False only when the program exists but cannot be started.
[[nodiscard]] bool RunServiceCommand(const std::wstring& servicePath, const std::wstring& command);

}  // namespace tivala::Registration
