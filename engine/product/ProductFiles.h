#pragma once

// The names of the product's programs and files that the installer places,
// runs, registers or ends without containing them; they arrive inside the
// module packages. Only these names, their folders and the service's two
// commands are relied on.
namespace tivala::ProductFiles {

// In the folder "Main" of the installation directory; run with "uninstall"
// before unpacking and "install" after registration, and ended by this name
// when it is still running afterwards.
inline constexpr wchar_t kServiceFolder[] = L"Main";
inline constexpr wchar_t kServiceProgram[] = L"tivalaservice.exe";
inline constexpr wchar_t kServiceUninstall[] = L"uninstall";
inline constexpr wchar_t kServiceInstall[] = L"install";

// In the installation directory.
inline constexpr wchar_t kStarter[] = L"Starter.exe";
inline constexpr wchar_t kUninstaller[] = L"uninstall.exe";
inline constexpr wchar_t kUninstallerCopy[] = L"unist.exe";

// The browser program's folder in the installation directory, and its name
// when the module names none.
inline constexpr wchar_t kBrowserFolder[] = L"TivalaBrowser";
inline constexpr wchar_t kBrowserDefaultProgram[] = L"TivalaBrowser.exe";

// A folder directly holding this file is a theme; its content is never read.
inline constexpr wchar_t kThemeMarker[] = L"theme.dexo";

// In the data directory.
inline constexpr wchar_t kManifestCopy[] = L"widgets_config.dexo";
inline constexpr wchar_t kDevConfig[] = L"devconfig.ini";
inline constexpr wchar_t kSettings[] = L"settings.ini";   // only its presence counts
inline constexpr wchar_t kDataFolder[] = L"Data";

// The desktop shortcut.
inline constexpr wchar_t kShortcut[] = L"tivala.lnk";

}  // namespace tivala::ProductFiles
