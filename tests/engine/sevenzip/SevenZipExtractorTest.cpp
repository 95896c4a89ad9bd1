// SevenZipExtractor with archives made by the real tools: every format unpacks
// byte for byte with its times and attributes, existing files are replaced, the
// progress callback sees and steers the extraction, and encrypted, broken and
// hostile archives fail without touching anything outside the destination.

#include "ScratchDir.h"
#include "ArchiveFixtures.h"
#include "WinePath.h"

#include "sevenzip/ArchiveExtractCallback.h"
#include "sevenzip/PasswordOption.h"
#include "sevenzip/ProgressCallback.h"
#include "sevenzip/SevenZipExtractor.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

using namespace tivala::test;
using SevenZip::SevenZipExtractor;

namespace {

std::vector<FixtureFile> SourceFiles()
{
    return {
        {L"readme.txt", "Tivala\r\n"},
        {L"docs\\notes.txt", SampleText(150000, 1)},
        {L"docs\\deep\\data.bin", RandomBytes(70000, 2)},
        {L"壁纸.txt", SampleText(5000, 3)},
        {L"empty.txt", ""},
    };
}

int32_t Extract(const std::wstring& archive, const std::wstring& destination,
                SevenZip::ProgressCallback* progress = nullptr, const SevenZip::PasswordOption* password = nullptr)
{
    SevenZipExtractor extractor;
    extractor.SetArchivePath(archive);
    return extractor.ExtractArchive(destination, progress, password);
}

// 2001-02-03 04:05:06 UTC.
FILETIME KnownTime()
{
    const SYSTEMTIME time = {2001, 2, 6, 3, 4, 5, 6, 0};
    FILETIME fileTime = {};
    ::SystemTimeToFileTime(&time, &fileTime);
    return fileTime;
}

bool GetWriteTime(const std::wstring& path, FILETIME& time)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return false;
    time = data.ftLastWriteTime;
    return true;
}

// Read-only files would stay behind in the scratch folder.
void ClearReadOnly(const std::wstring& folder)
{
    for (const auto& [path, entry] : ReadTree(folder))
        ::SetFileAttributesW((folder + L"\\" + path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The entries of a scratch folder's tree that are not in its "out".
Tree Outside(Tree tree)
{
    const auto inOut = [](const auto& entry) { return entry.first.rfind(L"out\\", 0) == 0; };
    tree.erase(std::remove_if(tree.begin(), tree.end(), inOut), tree.end());
    return tree;
}

// Records what the extraction reports and refuses the file it is told to.
class RecordingCallback : public SevenZip::ProgressCallback {
public:
    std::wstring refuse;
    bool wantList = false;
    bool acceptList = true;
    std::vector<std::wstring> events;
    std::vector<std::wstring> listedPaths;
    std::vector<uint64_t> listedSizes;
    uint64_t total = 0;

    bool OnItemCount(uint32_t count) override
    {
        events.push_back(L"count " + std::to_wstring(count));
        return wantList;
    }
    bool OnItemList(const std::vector<std::wstring>& paths, const std::vector<uint64_t>& sizes) override
    {
        listedPaths = paths;
        listedSizes = sizes;
        return acceptList;
    }
    void OnStart(const std::wstring& path, uint64_t totalBytes) override
    {
        total = totalBytes;
        events.push_back(L"start " + path);
    }
    bool OnFileStart(const std::wstring&, const std::wstring& itemPath) override
    {
        events.push_back(L"file " + itemPath);
        return itemPath != refuse;
    }
    bool OnFileExtracted(const std::wstring& path, uint64_t size) override
    {
        events.push_back(L"extracted " + path + L" " + std::to_wstring(size));
        return true;
    }
    void OnFileDone(const std::wstring& path, uint64_t size) override
    {
        events.push_back(L"done " + path + L" " + std::to_wstring(size));
    }
    void OnDone(const std::wstring& path) override { events.push_back(L"end " + path); }
};

}  // namespace

TEST(SevenZipExtractor, UnpacksArchivesOfEveryFormatByteForByte)
{
    const std::string files = "$(find . -type f | sed 's|^\\./||')";
    const struct {
        const char* name;
        std::string command;
        const wchar_t* archive;
        bool keepsFolders;
    } cases[] = {
        {"7z LZMA", "7zz a -bd -m0=LZMA ../pack.7z -- *", L"pack.7z", true},
        {"7z LZMA2", "7zz a -bd -m0=LZMA2 ../pack.7z -- *", L"pack.7z", true},
        {"7z PPMd", "7zz a -bd -m0=PPMd ../pack.7z -- *", L"pack.7z", true},
        {"7z BZip2", "7zz a -bd -m0=BZip2 ../pack.7z -- *", L"pack.7z", true},
        {"7z Deflate", "7zz a -bd -m0=Deflate ../pack.7z -- *", L"pack.7z", true},
        {"7z BCJ2", "7zz a -bd -mf=BCJ2 ../pack.7z -- *", L"pack.7z", true},
        {"7z stored", "7zz a -bd -m0=Copy ../pack.7z -- *", L"pack.7z", true},
        {"zip by zip", "zip -r -q ../pack.zip .", L"pack.zip", true},
        {"zip Deflate64", "7zz a -bd -tzip -mm=Deflate64 ../pack.zip -- *", L"pack.zip", true},
        {"cab stored", "gcab -c ../pack.cab " + files, L"pack.cab", false},
        {"cab MSZIP", "gcab -c -z ../pack.cab " + files, L"pack.cab", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir scratch;
        std::string log;
        ASSERT_TRUE(PackWithHostTool(scratch, SourceFiles(), {L"emptydir"}, c.command, log)) << log;

        EXPECT_EQ(SevenZip::kExtractOk, Extract(scratch.File(c.archive), scratch.File(L"out")));
        const Tree expected = TreeOf(SourceFiles(), c.keepsFolders ? std::vector<std::wstring>{L"emptydir"}
                                                                   : std::vector<std::wstring>{});
        EXPECT_EQ("", TreeDifference(expected, ReadTree(scratch.File(L"out"))));
    }
}

TEST(SevenZipExtractor, UnpacksNamelessStreamsAsContent)
{
    const std::string data = SampleText(300000, 4) + RandomBytes(20000, 5);
    const struct {
        const char* name;
        std::string command;   // empty: the test writes the archive itself
        const wchar_t* archive;
    } cases[] = {
        {"lzma by liblzma", LzmaCommand("data.bin", "../pack.lzma"), L"pack.lzma"},
        {"lzma86 by the library's encoder", "", L"pack.lzma86"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir scratch;
        std::string log;
        if (c.command.empty()) {
            ASSERT_TRUE(scratch.Write(c.archive, Lzma86Bytes(data)));
        } else {
            ASSERT_TRUE(PackWithHostTool(scratch, {{L"data.bin", data}}, {}, c.command, log)) << log;
        }

        EXPECT_EQ(SevenZip::kExtractOk, Extract(scratch.File(c.archive), scratch.File(L"out")));
        EXPECT_EQ("", TreeDifference(TreeOf({{L"[Content]", data}}), ReadTree(scratch.File(L"out"))));
    }
}

TEST(SevenZipExtractor, UnpacksExecutablesPackedWithDefaultFilters)
{
    ScratchDir scratch;
    ASSERT_TRUE(::CreateDirectoryW(scratch.File(L"src").c_str(), nullptr));
    wchar_t system[MAX_PATH] = {};
    ASSERT_NE(0u, ::GetSystemDirectoryW(system, MAX_PATH));
    std::vector<FixtureFile> files;
    for (const wchar_t* name : {L"notepad.exe", L"winver.exe", L"cmd.exe"}) {
        const std::wstring copy = scratch.File(L"src\\" + std::wstring(name));
        ASSERT_TRUE(::CopyFileW((std::wstring(system) + L"\\" + name).c_str(), copy.c_str(), FALSE));
        files.push_back({name, FileBytes(copy)});
        ASSERT_GT(files.back().content.size(), 1000u);
    }
    std::string log;
    ASSERT_TRUE(RunHost("7zz a -bd ../pack.7z -- * && 7zz l -slt ../pack.7z", scratch.UnixPath() + "/src", log)) << log;
    ASSERT_NE(std::string::npos, log.find("BCJ")) << "7zz chose no branch filter:\n" << log;

    EXPECT_EQ(SevenZip::kExtractOk, Extract(scratch.File(L"pack.7z"), scratch.File(L"out")));
    EXPECT_EQ("", TreeDifference(TreeOf(files), ReadTree(scratch.File(L"out"))));
}

TEST(SevenZipExtractor, KeepsModificationTimesAndReadOnlyAttribute)
{
    const struct {
        const char* name;
        const char* command;
        const wchar_t* archive;
        bool readOnlyKept;   // zip made on Unix carries the mode, not Windows' read-only bit; cab none
    } cases[] = {
        {"7z", "7zz a -bd ../pack.7z -- *", L"pack.7z", true},
        {"zip", "zip -q ../pack.zip *", L"pack.zip", false},
        {"cab", "gcab -c ../pack.cab old.txt locked.txt", L"pack.cab", false},   // local times, as Wine's
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir scratch;
        std::string log;
        const std::string command = "touch -d '2001-02-03 04:05:06 UTC' old.txt && chmod 444 locked.txt && " +
                                    std::string(c.command);
        ASSERT_TRUE(PackWithHostTool(scratch, {{L"old.txt", "old"}, {L"locked.txt", "locked"}}, {}, command, log))
            << log;

        EXPECT_EQ(SevenZip::kExtractOk, Extract(scratch.File(c.archive), scratch.File(L"out")));
        FILETIME written = {};
        ASSERT_TRUE(GetWriteTime(scratch.File(L"out\\old.txt"), written));
        const FILETIME expected = KnownTime();
        EXPECT_EQ(0, ::CompareFileTime(&expected, &written));
        EXPECT_EQ(c.readOnlyKept,
                  (::GetFileAttributesW(scratch.File(L"out\\locked.txt").c_str()) & FILE_ATTRIBUTE_READONLY) != 0);
        EXPECT_EQ(0u, ::GetFileAttributesW(scratch.File(L"out\\old.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
        ClearReadOnly(scratch.Path());
    }
}

TEST(SevenZipExtractor, ReplacesWhatStandsAtItemPathsAndKeepsOtherFiles)
{
    ScratchDir scratch;
    std::string log;
    const std::vector<FixtureFile> files = {{L"a.txt", "new a"}, {L"sub\\b.txt", "new b"}, {L"c.txt", "new c"}};
    ASSERT_TRUE(PackWithHostTool(scratch, files, {}, "7zz a -bd ../pack.7z -- *", log)) << log;
    const std::wstring out = scratch.File(L"out");
    ASSERT_TRUE(WriteTree(out, {{L"a.txt", "old a, longer than the new one"},
                                {L"sub\\b.txt", "old b"},
                                {L"keep.txt", "not in the archive"},
                                {L"c.txt\\inside.txt", "a folder where the archive has a file"}}));
    ASSERT_TRUE(::SetFileAttributesW((out + L"\\sub\\b.txt").c_str(), FILE_ATTRIBUTE_READONLY));

    EXPECT_EQ(SevenZip::kExtractOk, Extract(scratch.File(L"pack.7z"), out));
    std::vector<FixtureFile> expected = files;
    expected.push_back({L"keep.txt", "not in the archive"});
    EXPECT_EQ("", TreeDifference(TreeOf(expected), ReadTree(out)));
    ClearReadOnly(scratch.Path());
}

TEST(SevenZipExtractor, FileStandingWhereAFolderMustGoFailsTheExtraction)
{
    ScratchDir scratch;
    std::string log;
    ASSERT_TRUE(PackWithHostTool(scratch, {{L"sub\\b.txt", "b"}}, {}, "7zz a -bd ../pack.7z -- *", log)) << log;
    ASSERT_TRUE(WriteTree(scratch.File(L"out"), {{L"sub", "a file"}}));

    // A positive code: it would pass for success with SUCCEEDED.
    EXPECT_EQ(SevenZip::intl::kCreateFolderFailed, Extract(scratch.File(L"pack.7z"), scratch.File(L"out")));
    EXPECT_EQ("a file", FileBytes(scratch.File(L"out\\sub")));
}

TEST(SevenZipExtractor, DestinationGetsOneSeparatorUnlessItEndsWithOne)
{
    ScratchDir scratch;
    std::string log;
    const std::vector<FixtureFile> files = {{L"a.txt", "a"}, {L"sub\\b.txt", "b"}};
    ASSERT_TRUE(PackWithHostTool(scratch, files, {}, "7zz a -bd ../pack.7z -- *", log)) << log;
    for (const wchar_t* suffix : {L"", L"\\", L"/"}) {
        SCOPED_TRACE(Utf8(suffix));
        const std::wstring out = scratch.File(L"out");
        EXPECT_EQ(SevenZip::kExtractOk, Extract(scratch.File(L"pack.7z"), out + suffix));
        EXPECT_EQ("", TreeDifference(TreeOf(files), ReadTree(out)));
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(out), ignored);
    }
}

TEST(SevenZipExtractor, CallbackSeesTotalFilesAndEndInOrder)
{
    ScratchDir scratch;
    std::string log;
    const std::vector<FixtureFile> files = {{L"a.txt", SampleText(1000, 6)}, {L"sub\\b.txt", SampleText(3000, 7)}};
    ASSERT_TRUE(PackWithHostTool(scratch, files, {}, "7zz a -bd ../pack.7z -- *", log)) << log;
    const std::wstring out = scratch.File(L"out");
    RecordingCallback callback;

    EXPECT_EQ(SevenZip::kExtractOk, Extract(scratch.File(L"pack.7z"), out, &callback));
    const std::vector<std::wstring> expected = {
        L"count 3",
        L"start ",
        L"extracted " + out + L"\\sub 0",   // 7z lists folders first
        L"done " + out + L"\\sub 0",
        L"file a.txt",
        L"extracted " + out + L"\\a.txt 1000",
        L"done " + out + L"\\a.txt 1000",
        L"file sub\\b.txt",
        L"extracted " + out + L"\\sub\\b.txt 3000",
        L"done " + out + L"\\sub\\b.txt 3000",
        L"end " + scratch.File(L"pack.7z"),
    };
    EXPECT_EQ(expected, callback.events);
    EXPECT_EQ(4000u, callback.total);
}

TEST(SevenZipExtractor, CallbackRefusingAFileStopsBeforeItIsCreated)
{
    ScratchDir scratch;
    std::string log;
    ASSERT_TRUE(PackWithHostTool(scratch, {{L"a.txt", "a"}, {L"b.txt", "b"}, {L"c.txt", "c"}}, {},
                                 "7zz a -bd ../pack.7z -- *", log))
        << log;
    RecordingCallback callback;
    callback.refuse = L"b.txt";

    EXPECT_EQ(E_FAIL, Extract(scratch.File(L"pack.7z"), scratch.File(L"out"), &callback));
    EXPECT_EQ("", TreeDifference(TreeOf({{L"a.txt", "a"}}), ReadTree(scratch.File(L"out"))));
}

TEST(SevenZipExtractor, ItemListAnswerCanCancelBeforeAnythingIsWritten)
{
    ScratchDir scratch;
    std::string log;
    ASSERT_TRUE(PackWithHostTool(scratch, {{L"a.txt", "aa"}, {L"sub\\b.txt", "bbb"}}, {},
                                 "7zz a -bd ../pack.7z -- *", log))
        << log;
    RecordingCallback callback;
    callback.wantList = true;
    callback.acceptList = false;

    EXPECT_EQ(SevenZip::kExtractOk, Extract(scratch.File(L"pack.7z"), scratch.File(L"out"), &callback));
    EXPECT_EQ((std::vector<std::wstring>{L"sub", L"a.txt", L"sub\\b.txt"}), callback.listedPaths);
    EXPECT_EQ((std::vector<uint64_t>{0, 2, 3}), callback.listedSizes);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(scratch.File(L"out").c_str()));
}

TEST(SevenZipExtractor, EncryptedArchiveAbortsWithoutItsPasswordAndOpensWithIt)
{
    const struct {
        const char* name;
        const char* command;
        const wchar_t* archive;
    } cases[] = {
        {"7z", "7zz a -bd -pSECRET ../pack.7z -- *", L"pack.7z"},
        {"7z with encrypted headers", "7zz a -bd -pSECRET -mhe=on ../pack.7z -- *", L"pack.7z"},
        {"zip", "zip -q -P SECRET ../pack.zip *", L"pack.zip"},
    };
    const std::vector<FixtureFile> files = {{L"a.txt", SampleText(20000, 8)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir scratch;
        std::string log;
        ASSERT_TRUE(PackWithHostTool(scratch, files, {}, c.command, log)) << log;

        EXPECT_EQ(E_ABORT, Extract(scratch.File(c.archive), scratch.File(L"refused")));
        const SevenZip::PasswordOption password{true, L"SECRET"};
        EXPECT_EQ(SevenZip::kExtractOk, Extract(scratch.File(c.archive), scratch.File(L"out"), nullptr, &password));
        EXPECT_EQ("", TreeDifference(TreeOf(files), ReadTree(scratch.File(L"out"))));
    }
}

TEST(SevenZipExtractor, BrokenArchivesFail)
{
    const struct {
        const char* name;
        std::string command;
        const wchar_t* archive;
        double cutAt;      // keep this share of the bytes, or 1
        double flipAt;     // invert the byte at this share of the size, or -1
    } cases[] = {
        {"7z cut short", "7zz a -bd ../pack.7z -- *", L"pack.7z", 0.5, -1},
        {"7z with a flipped packed byte", "7zz a -bd ../pack.7z -- *", L"pack.7z", 1, 0.3},
        {"7z stored with a flipped byte", "7zz a -bd -m0=Copy ../pack.7z -- *", L"pack.7z", 1, 0.3},
        {"zip cut short", "zip -q ../pack.zip *", L"pack.zip", 0.5, -1},
        {"zip stored with a flipped byte", "zip -q -0 ../pack.zip *", L"pack.zip", 1, 0.3},
        {"zip with a flipped packed byte", "zip -q ../pack.zip *", L"pack.zip", 1, 0.3},
        {"cab stored with a flipped byte", "gcab -c ../pack.cab a.txt b.bin", L"pack.cab", 1, 0.3},
        {"lzma cut short", LzmaCommand("a.txt", "../pack.lzma"), L"pack.lzma", 0.5, -1},
    };
    const std::vector<FixtureFile> files = {{L"a.txt", SampleText(200000, 9)}, {L"b.bin", RandomBytes(50000, 10)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir scratch;
        std::string log;
        ASSERT_TRUE(PackWithHostTool(scratch, files, {}, c.command, log)) << log;
        std::string bytes = FileBytes(scratch.File(c.archive));
        bytes.resize(static_cast<size_t>(bytes.size() * c.cutAt));
        if (c.flipAt >= 0)
            bytes[static_cast<size_t>(bytes.size() * c.flipAt)] ^= 0xFF;
        ASSERT_TRUE(scratch.Write(c.archive, bytes));

        EXPECT_NE(SevenZip::kExtractOk, Extract(scratch.File(c.archive), scratch.File(L"out")));
    }
}

// Paths that climb out, carry a drive or a root, or name no plain file (a stream,
// a device, a wildcard that the delete before the write would expand).
TEST(SevenZipExtractor, RefusesHostileItemPaths)
{
    const std::string victim = "tivala-victim-" + std::to_string(::GetCurrentProcessId()) + ".txt";
    const std::wstring rootVictim = L"C:\\" + Wide(victim);
    const struct {
        const char* name;
        std::string entry;
    } cases[] = {
        {"climbs with backslashes", "..\\" + victim},
        {"climbs with slashes", "../" + victim},
        {"climbs from a subfolder", "sub\\..\\..\\" + victim},
        {"climbs as a folder", "..\\evil\\"},
        {"has a drive", "C:\\" + victim},
        {"has a drive without a root", "C:" + victim},
        {"is rooted with a backslash", "\\" + victim},
        {"is rooted with a slash", "/" + victim},
        {"names a stream", "ok.txt:hidden"},
        {"names a device", "NUL"},
        {"holds a wildcard", "*.txt"},
        {"is dots", "...\\" + victim},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir scratch;
        // What the entry aims at outside the destination stands there already;
        // neither a write nor the delete before it may reach it.
        ASSERT_TRUE(scratch.Write(Wide(victim), "outside"));
        const std::wstring out = scratch.File(L"out");
        ASSERT_TRUE(WriteTree(out, {{L"a.txt", "inside"}}));
        ASSERT_TRUE(scratch.Write(L"pack.zip", StoredZip({{"ok.txt", "fine"}, {c.entry, "evil"}})));
        const Tree outsideBefore = ReadTree(scratch.Path());

        EXPECT_NE(SevenZip::kExtractOk, Extract(scratch.File(L"pack.zip"), out));
        EXPECT_EQ("outside", FileBytes(scratch.File(Wide(victim))));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(rootVictim.c_str()));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(scratch.File(L"evil").c_str()));
        EXPECT_EQ("inside", FileBytes(out + L"\\a.txt"));
        EXPECT_EQ("", TreeDifference(Outside(outsideBefore), Outside(ReadTree(scratch.Path()))));
        ::DeleteFileW(rootVictim.c_str());
    }
}
