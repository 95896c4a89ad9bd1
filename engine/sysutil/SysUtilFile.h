#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Whole-file operations of the engine: sizes, whole reads and writes, silent shell
// deletes and moves, folder listings and the product's desktop shortcut. Stateless;
// any thread. Bytes are std::vector<uint8_t>.
namespace tivala::SysUtil {

// The file's size; 0 when it cannot be examined.
int64_t GetFileSize64(const std::wstring& path);

// The whole file; empty when it is empty, cannot be read or does not fit in memory.
std::vector<uint8_t> ReadFileBytes(const std::wstring& path);
// Replaces the file with the bytes, creating missing folders first; false when the
// file cannot be opened or not every byte reached it.
[[nodiscard]] bool WriteBytesToFile(const std::wstring& path, const std::vector<uint8_t>& bytes);

// Deletes a file or a folder with its contents, silently and without the recycle
// bin. Paths longer than 259 characters are refused (false).
[[nodiscard]] bool ShellDelete(const std::wstring& path);
// Moves a file or folder silently, creating the target's folders without asking.
[[nodiscard]] bool ShellMove(const std::wstring& from, const std::wstring& to);

// Appends the full paths of the folder's entries (not recursive, without "." and
// "..") to `folders` or `files`, in the order the system lists them. False, with
// both lists unchanged, when the folder cannot be listed or its search pattern
// would pass 259 characters.
[[nodiscard]] bool ListFolder(const std::wstring& folder, std::vector<std::wstring>& folders,
                              std::vector<std::wstring>& files);

// Creates or replaces "tivala.lnk" on the user's desktop, pointing at `target` and
// starting in its folder; `iconPath` (icon 0) when not empty. Initialises COM on
// the calling thread for the call.
[[nodiscard]] bool CreateDesktopShortcut(const std::wstring& target, const std::wstring& iconPath);

}  // namespace tivala::SysUtil
