#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Archives and file trees for the extraction tests, made at test time: by the
// host's archive tools, by 7-Zip's own LZMA encoder, or byte by byte where no tool
// writes what a test needs.
namespace tivala::test {

class ScratchDir;

struct FixtureFile {
    std::wstring path;      // relative, with backslashes
    std::string content;
};

// `size` bytes that compress well, and `size` bytes that do not; the same for a seed.
std::string SampleText(size_t size, unsigned seed);
std::string RandomBytes(size_t size, unsigned seed);

// Writes the files under `folder` (a full path), creating folders on the way.
bool WriteTree(const std::wstring& folder, const std::vector<FixtureFile>& files);

// Runs `command` with sh in `unixDir`; true when it ends with status 0. Its output
// goes to `log`, for the failure message.
bool RunHost(const std::string& command, const std::string& unixDir, std::string& log);

// A host command that packs `file` into `archive` as an lzma stream (the "alone"
// format) with liblzma through Python: 7zz reads that format but does not write it.
std::string LzmaCommand(const std::string& file, const std::string& archive);

// Writes the files and empty folders under the scratch folder's "src" and runs
// `command` there (an archive tool writing "../NAME").
bool PackWithHostTool(const ScratchDir& scratch, const std::vector<FixtureFile>& files,
                      const std::vector<std::wstring>& emptyFolders, const std::string& command, std::string& log);

// Every file and folder under `folder`, as relative paths, folders ending in "\";
// with the content of each file.
struct TreeEntry {
    bool folder = false;
    std::string content;
    bool operator==(const TreeEntry& other) const { return folder == other.folder && content == other.content; }
};
using Tree = std::vector<std::pair<std::wstring, TreeEntry>>;   // sorted by path
Tree ReadTree(const std::wstring& folder);
Tree TreeOf(const std::vector<FixtureFile>& files, const std::vector<std::wstring>& emptyFolders = {});
// A readable account of how `actual` differs from `expected`; empty when equal.
std::string TreeDifference(const Tree& expected, const Tree& actual);

// The content packed as lzma86: the filter byte 0, LZMA's five property bytes,
// the size as eight little-endian bytes, then the LZMA stream, made with the
// library's own encoder. `declaredSize` replaces the size field when given.
std::string Lzma86Bytes(const std::string& content);
std::string LzmaAloneBytes(const std::string& content, uint64_t declaredSize);

// A zip of stored entries whose names are written as given, made on "MS-DOS" so
// that readers take a backslash for a separator; a name ending in "/" is a folder.
struct ZipEntry {
    std::string name;
    std::string content;
};
std::string StoredZip(const std::vector<ZipEntry>& entries);

// The whole file; empty when it cannot be read.
std::string FileBytes(const std::wstring& path);

}  // namespace tivala::test
