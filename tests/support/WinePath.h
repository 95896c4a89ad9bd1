#pragma once

#include <string>

namespace tivala::test {

// Translations between the Windows paths a test program sees and the host paths
// that the Linux tools it drives need. Tests run only under Wine, whose kernel32
// exports the translations.
std::string UnixPath(const std::wstring& windowsPath);
std::wstring WindowsPath(const std::string& unixPath);

// True when the Windows path, with every link resolved on the host, lies in the
// prefix's drive C: a test refuses to write where a prefix folder links into the
// host user's home. `why` says what was found otherwise.
bool LiesInsidePrefixDriveC(const std::wstring& windowsPath, std::string& why);

// A host path quoted for sh.
std::string ShellQuote(const std::string& text);

std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& utf8);

}  // namespace tivala::test
