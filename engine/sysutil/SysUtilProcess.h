#pragma once

#include "TComPtr.h"

#include <shldisp.h>

#include <string>
#include <vector>

// Other processes and the desktop shell: the system version test, finding and
// ending the product's processes by executable name (compared without regard to
// case), and starting a program through the desktop's own shell so that it runs as
// the signed-in user without the installer's elevation. Any thread; the shell
// functions need COM on the calling thread.
namespace tivala::SysUtil {

// The running system is at least major.minor (any service pack).
bool IsOsVersionAtLeast(unsigned major, unsigned minor);

// False also when the process list cannot be read.
bool IsProcessRunning(const std::wstring& exeName);
bool IsAnyProcessRunning(const std::vector<std::wstring>& exeNames);

// End every process of the name(s) except the caller, without waiting for them to
// go. True when the process list could be walked, whether or not each one ended;
// a process that cannot be opened is reported on the debugger output only.
[[nodiscard]] bool KillProcess(const std::wstring& exeName);
[[nodiscard]] bool KillProcesses(const std::vector<std::wstring>& exeNames);

// The desktop shell's automation object, or empty when no desktop shell answers.
TComPtr<IShellDispatch2> GetDesktopShellDispatch();
// Opens the file through the desktop shell ("open", shown normally); false when
// there is no desktop shell or it refused.
[[nodiscard]] bool ShellOpenAsDesktopUser(const std::wstring& path);

}  // namespace tivala::SysUtil
