// ExtractArchiveFile and ExtractArchiveBuffer: their result is the extraction's,
// the downloaded package stays, and the buffer's temporary file goes.

#include "ArchiveFixtures.h"
#include "ScratchDir.h"

#include "extract/ExtractArchive.h"
#include "extract/Tivala7z.h"
#include "Win32Handles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

using namespace tivala;
using namespace tivala::test;

namespace {

const std::vector<FixtureFile> kFiles = {{L"a.txt", "alpha"}, {L"sub\\b.txt", "bravo"}};

// The *.tmp files in the temporary folder whose bytes are `bytes`.
std::set<std::wstring> TemporaryCopies(const std::string& bytes)
{
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    std::set<std::wstring> copies;
    WIN32_FIND_DATAW found = {};
    const UniqueFind find(::FindFirstFileW((std::wstring(temp) + L"*.tmp").c_str(), &found));
    if (!find)
        return copies;
    do {
        const std::wstring path = std::wstring(temp) + found.cFileName;
        if (found.nFileSizeHigh == 0 && found.nFileSizeLow == bytes.size() && FileBytes(path) == bytes)
            copies.insert(path);
    } while (::FindNextFileW(find.Get(), &found));
    return copies;
}

}  // namespace

TEST(ExtractArchiveFile, TellsWhetherEveryItemWasUnpacked)
{
    ScratchDir scratch;
    std::string log;
    ASSERT_TRUE(PackWithHostTool(scratch, kFiles, {}, "7zz a -bd -m0=Copy ../pack.7z -- *", log)) << log;
    const std::string good = FileBytes(scratch.File(L"pack.7z"));
    std::string flipped = good;
    flipped[40] ^= 0xFF;   // inside the files' stored bytes, which follow the 32-byte start header
    const std::string noArchive = "just text";
    const std::string cut = good.substr(0, good.size() / 2);
    const struct {
        const char* name;
        const std::string* bytes;   // null: no file at all
        bool fileWhereFolderGoes;   // "sub" of the destination is a file
        bool fileInUse;             // "a.txt" of the destination is held open without sharing
        bool unpacked;
    } cases[] = {
        {"good", &good, false, false, true},
        {"missing", nullptr, false, false, false},
        {"no archive", &noArchive, false, false, false},
        {"cut short", &cut, false, false, false},
        {"checksum error", &flipped, false, false, false},
        {"a file where a folder must go", &good, true, false, false},
        {"a file in use where a file goes", &good, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring archive = scratch.File(L"package.7z");
        ::DeleteFileW(archive.c_str());
        if (c.bytes) {
            ASSERT_TRUE(scratch.Write(L"package.7z", *c.bytes));
        }
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(scratch.File(L"out")), ignored);
        if (c.fileWhereFolderGoes) {
            ASSERT_TRUE(scratch.Write(L"out\\sub", "a file"));
        }
        UniqueFile inUse;
        if (c.fileInUse) {
            ASSERT_TRUE(scratch.Write(L"out\\a.txt", "in use"));
            inUse.Reset(::CreateFileW(scratch.File(L"out\\a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_TRUE(inUse);
        }
        Tivala7z sink;
        EXPECT_EQ(c.unpacked, ExtractArchiveFile(sink, archive, scratch.File(L"out")));
        if (c.fileInUse) {
            // What the installer's retry meets once the other program let go.
            inUse.Reset();
            EXPECT_TRUE(ExtractArchiveFile(sink, archive, scratch.File(L"out")));
            EXPECT_EQ("alpha", FileBytes(scratch.File(L"out\\a.txt")));
        }
        if (c.bytes) {
            EXPECT_EQ(*c.bytes, FileBytes(archive));   // the package stays for a retry
        }
    }
}

TEST(ExtractArchiveBuffer, UnpacksTheBytesAndRemovesItsTemporaryFile)
{
    ScratchDir scratch;
    std::string log;
    ASSERT_TRUE(PackWithHostTool(scratch, kFiles, {}, "7zz a -bd ../pack.7z -- *", log)) << log;
    const std::string bytes = FileBytes(scratch.File(L"pack.7z"));
    Tivala7z sink;

    EXPECT_TRUE(ExtractArchiveBuffer(sink, bytes.data(), bytes.size(), scratch.File(L"out")));
    EXPECT_EQ("", TreeDifference(TreeOf(kFiles), ReadTree(scratch.File(L"out"))));
    EXPECT_EQ(std::set<std::wstring>{}, TemporaryCopies(bytes));
}

TEST(ExtractArchiveBuffer, FailsForBytesThatAreNoArchiveAndCleansUp)
{
    ScratchDir scratch;
    const std::string bytes = SampleText(3000, 5);
    Tivala7z sink;

    EXPECT_FALSE(ExtractArchiveBuffer(sink, bytes.data(), bytes.size(), scratch.File(L"out")));
    EXPECT_EQ(std::set<std::wstring>{}, TemporaryCopies(bytes));
}

TEST(ExtractArchiveBuffer, EmptyBufferGivesFalseWithoutTouchingTheDisk)
{
    ScratchDir scratch;
    const char byte = '7';
    Tivala7z sink;
    EXPECT_FALSE(ExtractArchiveBuffer(sink, nullptr, 10, scratch.File(L"out")));
    EXPECT_FALSE(ExtractArchiveBuffer(sink, &byte, 0, scratch.File(L"out")));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(scratch.File(L"out").c_str()));
}
