#include "ArchiveFixtures.h"

#include "HostCommand.h"
#include "ScratchDir.h"
#include "Win32Handles.h"
#include "WinePath.h"

#include "C/7zCrc.h"
#include "C/Alloc.h"
#include "C/LzmaEnc.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <random>

namespace tivala::test {

namespace {

void PutLittleEndian(std::string& out, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void ReadTreeInto(const std::wstring& root, const std::wstring& relative, Tree& tree)
{
    WIN32_FIND_DATAW found = {};
    const UniqueFind find(::FindFirstFileW((root + L"\\" + relative + L"*").c_str(), &found));
    if (!find)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree.push_back({relative + name + L"\\", TreeEntry{true, {}}});
            ReadTreeInto(root, relative + name + L"\\", tree);
        } else {
            tree.push_back({relative + name, TreeEntry{false, FileBytes(root + L"\\" + relative + name)}});
        }
    } while (::FindNextFileW(find.Get(), &found));
}

void SortTree(Tree& tree)
{
    std::sort(tree.begin(), tree.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
}

std::string LzmaStream(const std::string& content, std::string& properties)
{
    CLzmaEncProps props;
    LzmaEncProps_Init(&props);
    props.reduceSize = content.size();
    SizeT packedSize = content.size() + content.size() / 2 + 1024;
    std::string packed(packedSize, '\0');
    Byte encodedProps[LZMA_PROPS_SIZE];
    SizeT propsSize = LZMA_PROPS_SIZE;
    const SRes result = LzmaEncode(reinterpret_cast<Byte*>(packed.data()), &packedSize,
                                   reinterpret_cast<const Byte*>(content.data()), content.size(), &props,
                                   encodedProps, &propsSize, 0, nullptr, &g_Alloc, &g_Alloc);
    if (result != SZ_OK)
        return {};
    properties.assign(reinterpret_cast<const char*>(encodedProps), propsSize);
    packed.resize(packedSize);
    return packed;
}

}  // namespace

std::string SampleText(size_t size, unsigned seed)
{
    static const char* const kWords[] = {"wallpaper ", "Tivala ", "theme ", "module ", "install ", "package ",
                                         "desktop ", "动态壁纸 ", "\r\n", "0123456789 "};
    std::mt19937 random(seed);
    std::string text;
    while (text.size() < size)
        text += kWords[random() % (sizeof(kWords) / sizeof(kWords[0]))];
    text.resize(size);
    return text;
}

std::string RandomBytes(size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (auto& b : bytes)
        b = static_cast<char>(random() & 0xFF);
    return bytes;
}

bool WriteTree(const std::wstring& folder, const std::vector<FixtureFile>& files)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(folder), error);
    for (const auto& file : files) {
        const std::filesystem::path path = std::filesystem::path(folder) / file.path;
        std::filesystem::create_directories(path.parent_path(), error);
        UniqueStdioFile out(::_wfopen(path.wstring().c_str(), L"wb"));
        if (!out)
            return false;
        if (std::fwrite(file.content.data(), 1, file.content.size(), out.Get()) != file.content.size())
            return false;
    }
    return true;
}

bool RunHost(const std::string& command, const std::string& unixDir, std::string& log)
{
    std::string output;
    const std::optional<int> status = HostCommand::Run(command, unixDir, 120000, &output);
    log += "$ " + command + "\n" + output;
    if (!status)
        log += "(did not run or did not end)\n";
    return status == 0;
}

std::string LzmaCommand(const std::string& file, const std::string& archive)
{
    return "python3 -c 'import lzma, sys; sys.stdout.buffer.write(lzma.compress(open(sys.argv[1], \"rb\").read(), "
           "format=lzma.FORMAT_ALONE))' " +
           ShellQuote(file) + " > " + ShellQuote(archive);
}

bool PackWithHostTool(const ScratchDir& scratch, const std::vector<FixtureFile>& files,
                      const std::vector<std::wstring>& emptyFolders, const std::string& command, std::string& log)
{
    const std::wstring source = scratch.File(L"src");
    if (!WriteTree(source, files))
        return false;
    for (const auto& folder : emptyFolders) {
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::path(source + L"\\" + folder), error);
    }
    return RunHost(command, UnixPath(source), log);
}

Tree ReadTree(const std::wstring& folder)
{
    Tree tree;
    ReadTreeInto(folder, L"", tree);
    SortTree(tree);
    return tree;
}

Tree TreeOf(const std::vector<FixtureFile>& files, const std::vector<std::wstring>& emptyFolders)
{
    Tree tree;
    auto addFolders = [&](const std::wstring& path) {
        for (size_t slash = path.find(L'\\'); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1)) {
            const std::wstring folder = path.substr(0, slash + 1);
            if (std::none_of(tree.begin(), tree.end(), [&](const auto& entry) { return entry.first == folder; }))
                tree.push_back({folder, TreeEntry{true, {}}});
        }
    };
    for (const auto& file : files) {
        addFolders(file.path);
        tree.push_back({file.path, TreeEntry{false, file.content}});
    }
    for (const auto& folder : emptyFolders) {
        addFolders(folder + L"\\");
    }
    SortTree(tree);
    return tree;
}

std::string TreeDifference(const Tree& expected, const Tree& actual)
{
    std::string difference;
    for (const auto& [path, entry] : expected) {
        const auto found = std::find_if(actual.begin(), actual.end(), [&](const auto& e) { return e.first == path; });
        if (found == actual.end())
            difference += "missing: " + Utf8(path) + "\n";
        else if (!(found->second == entry))
            difference += "differs: " + Utf8(path) + " (" + std::to_string(found->second.content.size()) +
                          " bytes, expected " + std::to_string(entry.content.size()) + ")\n";
    }
    for (const auto& [path, entry] : actual) {
        if (std::none_of(expected.begin(), expected.end(), [&](const auto& e) { return e.first == path; }))
            difference += "unexpected: " + Utf8(path) + "\n";
    }
    return difference;
}

std::string Lzma86Bytes(const std::string& content)
{
    std::string properties;
    const std::string stream = LzmaStream(content, properties);
    std::string bytes(1, '\0');   // no x86 filter
    bytes += properties;
    PutLittleEndian(bytes, content.size(), 8);
    return bytes + stream;
}

std::string LzmaAloneBytes(const std::string& content, uint64_t declaredSize)
{
    std::string properties;
    const std::string stream = LzmaStream(content, properties);
    std::string bytes = properties;
    PutLittleEndian(bytes, declaredSize, 8);
    return bytes + stream;
}

std::string StoredZip(const std::vector<ZipEntry>& entries)
{
    constexpr uint16_t kMadeByDos20 = 20;   // high byte 0: MS-DOS, whose names use backslashes
    constexpr uint16_t kDosDate1980 = 0x21;
    std::string zip;
    std::string directory;
    for (const auto& entry : entries) {
        const uint32_t crc = CrcCalc(entry.content.data(), entry.content.size());
        const uint32_t offset = static_cast<uint32_t>(zip.size());
        const bool folder = !entry.name.empty() && entry.name.back() == '/';
        PutLittleEndian(zip, 0x04034B50, 4);
        PutLittleEndian(zip, 20, 2);              // version needed
        PutLittleEndian(zip, 0, 2);               // flags
        PutLittleEndian(zip, 0, 2);               // stored
        PutLittleEndian(zip, 0, 2);               // time
        PutLittleEndian(zip, kDosDate1980, 2);
        PutLittleEndian(zip, crc, 4);
        PutLittleEndian(zip, entry.content.size(), 4);
        PutLittleEndian(zip, entry.content.size(), 4);
        PutLittleEndian(zip, entry.name.size(), 2);
        PutLittleEndian(zip, 0, 2);               // extra field
        zip += entry.name + entry.content;

        PutLittleEndian(directory, 0x02014B50, 4);
        PutLittleEndian(directory, kMadeByDos20, 2);
        PutLittleEndian(directory, 20, 2);
        PutLittleEndian(directory, 0, 2);
        PutLittleEndian(directory, 0, 2);
        PutLittleEndian(directory, 0, 2);
        PutLittleEndian(directory, kDosDate1980, 2);
        PutLittleEndian(directory, crc, 4);
        PutLittleEndian(directory, entry.content.size(), 4);
        PutLittleEndian(directory, entry.content.size(), 4);
        PutLittleEndian(directory, entry.name.size(), 2);
        PutLittleEndian(directory, 0, 2);         // extra field
        PutLittleEndian(directory, 0, 2);         // comment
        PutLittleEndian(directory, 0, 2);         // disk
        PutLittleEndian(directory, 0, 2);         // internal attributes
        PutLittleEndian(directory, folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE, 4);
        PutLittleEndian(directory, offset, 4);
        directory += entry.name;
    }
    const uint32_t directoryOffset = static_cast<uint32_t>(zip.size());
    zip += directory;
    PutLittleEndian(zip, 0x06054B50, 4);
    PutLittleEndian(zip, 0, 2);
    PutLittleEndian(zip, 0, 2);
    PutLittleEndian(zip, entries.size(), 2);
    PutLittleEndian(zip, entries.size(), 2);
    PutLittleEndian(zip, directory.size(), 4);
    PutLittleEndian(zip, directoryOffset, 4);
    PutLittleEndian(zip, 0, 2);                   // comment
    return zip;
}

std::string FileBytes(const std::wstring& path)
{
    std::string bytes;
    ScratchDir::Read(path, bytes);
    return bytes;
}

}  // namespace tivala::test
