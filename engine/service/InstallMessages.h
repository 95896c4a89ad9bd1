#pragma once

#include <windows.h>

// The numbers of the messages between the engine's workers, the install service's
// hidden window and the wizard. Each record named here is allocated by the sender
// and deleted by the receiver (see sysutil/HandOver.h); a message without one
// carries plain numbers.
namespace tivala {

// Worker threads to the install service's window.
// wParam 1 success / 0 failure; lParam a ManifestResult on success.
inline constexpr UINT WM_SVC_MANIFEST = WM_USER + 2;
// lParam a ThemeMigrationProgress.
inline constexpr UINT WM_SVC_THEME_MIGRATE = WM_USER + 3;
// wParam 1 progress / 0 failure; lParam a ModuleProgress.
inline constexpr UINT WM_SVC_DOWNLOAD_PROGRESS = WM_USER + 4;
// wParam 1 unpacked / 0 failure; lParam a ProgressInfo.
inline constexpr UINT WM_SVC_MODULE_UNPACKED = WM_USER + 5;
// wParam a wide string: the file just written, empty when the archive is done.
inline constexpr UINT WM_SVC_UNPACK_FILE = WM_USER + 6;
// wParam the archive's percentage; lParam a wide string: the sink's label.
inline constexpr UINT WM_SVC_UNPACK_PERCENT = WM_USER + 7;
// No payload.
inline constexpr UINT WM_SVC_INSTALL_DONE = WM_USER + 8;
// wParam the step that the install thread has done once for the process (below),
// so that a retry skips it; the wizard hears nothing of it.
inline constexpr UINT WM_SVC_STEP_DONE = WM_USER + 9;
inline constexpr WPARAM kStepDirectoriesPrepared = 1;
inline constexpr WPARAM kStepThemesMoved = 2;

// The install service's window to the wizard's.
// wParam 1 manifest applied / 0 failed.
inline constexpr UINT WM_UI_MANIFEST = 0x501;
// lParam a ThemeMigrationProgress.
inline constexpr UINT WM_UI_THEME_MIGRATE = 0x502;
// wParam 1 progress / 0 failed; lParam a ProgressInfo over all packages.
inline constexpr UINT WM_UI_DOWNLOAD_PROGRESS = 0x503;
// wParam 1 unpacked / 0 failed; lParam an UnpackProgress.
inline constexpr UINT WM_UI_MODULE_UNPACKED = 0x504;
// wParam the wide string of WM_SVC_UNPACK_FILE, passed on.
inline constexpr UINT WM_UI_UNPACK_FILE = 0x505;
// wParam the overall unpack percentage.
inline constexpr UINT WM_UI_INSTALL_PROGRESS = 0x506;
// No payload.
inline constexpr UINT WM_UI_INSTALL_DONE = 0x507;

}  // namespace tivala
