#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Folder and path helpers of the engine and the wizard: validating the folder the
// user chose, disk space, special folders, the program's own path, temporary files
// and path-text normalisation. Stateless but for the cached folder texts, which are
// process-wide; any thread.
namespace tivala::SysUtil {

// Results of CheckInstallPath, the order in which they are tested.
inline constexpr unsigned kPathValid = 0;
inline constexpr unsigned kPathEmpty = 1;
inline constexpr unsigned kPathBadDrive = 2;         // the first character is not a letter
inline constexpr unsigned kPathMalformed = 3;        // one character, or no ":" second
inline constexpr unsigned kPathIllegalCharacter = 4;
inline constexpr unsigned kPathNoSpace = 5;
inline constexpr unsigned kPathNotWritable = 6;     // also: the drive's free space cannot be read

// Validates a folder for installing `requiredBytes` (0 skips the space test). Writes
// and deletes a probe file there, creating the folder (which stays) on the way.
unsigned CheckInstallPath(const std::wstring& path, int64_t requiredBytes);
// The wizard's warning for a CheckInstallPath result; empty for 0 and unknown codes.
std::wstring GetPathErrorText(unsigned code, int64_t requiredBytes);
// A size for people: "1.46KB", "0.98MB", "1.00GB", "512B".
std::wstring FormatSize(int64_t bytes);
// Free and total bytes of the drive named by the path's first letter; the outputs
// are written only on success.
[[nodiscard]] bool GetDiskSpace(const std::wstring& path, int64_t& freeBytes, int64_t& totalBytes);

// The modal shell folder dialog; the chosen folder, or empty when cancelled or
// when the choice is not a file-system folder. Needs COM on the calling thread.
std::wstring BrowseForFolder();

// Cached; an empty result is asked again next time.
std::wstring GetAppDataPath();     // the roaming application-data folder
std::wstring GetDocumentsPath();
std::wstring GetExePath();         // the full path of the running program
std::wstring GetExeFileName();     // its file name
std::wstring GetExeBaseName();     // its file name without the last extension

// A new empty file with a unique name in the temporary folder (the system keeps
// the first three characters of the prefix); empty on failure.
std::wstring MakeTempFileName(const std::wstring& prefix);
// The temporary folder's subfolder `name`, created with its parents if missing;
// empty when the temporary folder is unknown.
std::wstring MakeTempFolder(const std::wstring& name);
bool PathExists(const std::wstring& path);   // a file or a folder

std::wstring AddTrailingBackslash(const std::wstring& path);   // none added to an empty path
// The folder and the name with exactly one backslash between them, whether or not
// the folder ends with one; the name alone when the folder is empty.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);
// The text after the last backslash: a path's file name (the whole text without one).
std::wstring FileNameOf(const std::wstring& path);
std::wstring RemoveTrailingBackslash(const std::wstring& path);
std::wstring RemoveTrailingSlash(const std::wstring& path);
std::wstring SlashesToBackslashes(const std::wstring& path);
// "D:/a/b/" and "D:\a\b\" both become "D:\a\b".
std::wstring NormalizeFolderPath(const std::wstring& path);

std::vector<wchar_t> GetLogicalDriveLetters();   // upper case, ascending
// The fixed drive with the most free bytes (the earlier letter on a tie); 0 when none.
wchar_t GetRoomiestFixedDrive();

// The number before the first "." of a version text; 0 when it does not start with one.
int GetMajorVersion(const std::wstring& version);

}  // namespace tivala::SysUtil
