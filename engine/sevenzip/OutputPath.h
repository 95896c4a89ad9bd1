#pragma once

#include <string>

// Where extracted items go: which item paths may be joined to the destination,
// and the folders they need. Stateless; any thread.
namespace SevenZip::intl {

// True when the item path, joined to a destination folder, names a file system
// entry inside it: relative, without a drive or stream (":"), without "." or ".."
// components (nor the dots-and-spaces names that Windows reads as them), without
// wildcards or other characters Windows refuses in names (the shell's delete would
// expand wildcards), and without device names (CON, NUL, COM1...). An empty path is
// contained.
bool IsContainedItemPath(const std::wstring& itemPath);

// The folder part of `path`: up to and including its last "\" or "/"; empty when
// it has none.
std::wstring FolderPart(const std::wstring& path);

// Creates the folder with all missing parents; true when it exists afterwards.
bool CreateFolderTree(const std::wstring& folder);

}  // namespace SevenZip::intl
