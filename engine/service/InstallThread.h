#pragma once

#include <string>

namespace tivala {

// The install thread's entry, started by InstallService::StartInstall with a heap
// InstallSnapshot that it adopts; returns 0. In one pass: prepares the directories
// and keeps the manifest copy, moves an earlier installation's themes, downloads
// the selected packages with their configuration files and default content, stops
// the service, unpacks, registers, creates the shortcut, installs the service and
// copies the uninstaller, reporting each step to the install service's window.
// It works from the snapshot alone and reads nothing of the service; the steps
// done once per process go back as WM_SVC_STEP_DONE. The first failed download or
// unpack is reported and ends the thread without WM_SVC_INSTALL_DONE; what was
// done stays for a retry.
unsigned __stdcall InstallThread(void* snapshot) noexcept;

// The file name that a configuration file's address gives (after its last "/"
// online, its last "\" in local mode); empty when that name would not name a
// file of the data directory: empty, "." or "..", or holding a path separator or
// a drive colon. Dots inside a name ("a..ini") are the name's.
std::wstring ConfigFileName(const std::wstring& configUrl, bool local);

}  // namespace tivala
