// SevenZipArchive: format detection over archives made by the real tools, and the
// lazily read item list.

#include "ScratchDir.h"
#include "ArchiveFixtures.h"

#include "sevenzip/SevenZipArchive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using namespace tivala::test;
using SevenZip::SevenZipArchive;

namespace {

const std::vector<FixtureFile> kFiles = {{L"a.txt", "alpha"}, {L"sub\\b.txt", "bravo!"}};

}  // namespace

TEST(SevenZipArchive, DetectsTheFormatOfEachKind)
{
    const struct {
        const char* name;
        std::string command;   // empty: the test writes the archive itself
        const wchar_t* archive;
        int format;
    } cases[] = {
        {"7z", "7zz a -bd ../pack.7z -- *", L"pack.7z", SevenZip::kFormat7z},
        {"zip", "zip -q -r ../pack.zip .", L"pack.zip", SevenZip::kFormatZip},
        {"cab", "gcab -c ../pack.cab a.txt sub/b.txt", L"pack.cab", SevenZip::kFormatCab},
        {"lzma", LzmaCommand("a.txt", "../pack.lzma"), L"pack.lzma", SevenZip::kFormatLzma},
        {"lzma86", "", L"pack.lzma86", SevenZip::kFormatLzma86},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir scratch;
        std::string log;
        if (c.command.empty()) {
            ASSERT_TRUE(scratch.Write(c.archive, Lzma86Bytes(SampleText(10000, 1))));
        } else {
            ASSERT_TRUE(PackWithHostTool(scratch, kFiles, {}, c.command, log)) << log;
        }
        // From the default format and from another, which is tried first.
        for (const int start : {SevenZip::kFormat7z, SevenZip::kFormatZip}) {
            SCOPED_TRACE(start);
            SevenZipArchive archive;
            archive.SetArchivePath(scratch.File(c.archive));
            archive.SetFormat(start);
            EXPECT_TRUE(archive.DetectFormat());
            EXPECT_EQ(c.format, archive.GetFormat());
        }
    }
}

TEST(SevenZipArchive, BytesThatAreNoArchiveAtTheirStartGiveFormatZero)
{
    ScratchDir scratch;
    std::string log;
    ASSERT_TRUE(PackWithHostTool(scratch, kFiles, {}, "7zz a -bd ../pack.7z -- *", log)) << log;
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"text", SampleText(5000, 2)},
        {"empty", ""},
        {"7z after other bytes", "MZ stub of a self-extractor " + FileBytes(scratch.File(L"pack.7z"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(scratch.Write(L"file.bin", c.bytes));
        SevenZipArchive archive;
        archive.SetArchivePath(scratch.File(L"file.bin"));
        EXPECT_FALSE(archive.DetectFormat());
        EXPECT_EQ(SevenZip::kFormatNone, archive.GetFormat());
    }
}

TEST(SevenZipArchive, MissingFileLeavesTheFormatAsItWas)
{
    ScratchDir scratch;
    SevenZipArchive archive;
    archive.SetArchivePath(scratch.File(L"missing.7z"));
    archive.SetFormat(SevenZip::kFormatCab);
    EXPECT_FALSE(archive.DetectFormat());
    EXPECT_EQ(SevenZip::kFormatCab, archive.GetFormat());
    EXPECT_EQ(0u, archive.GetItemCount());
}

TEST(SevenZipArchive, SetFormatIsAnsweredWithoutTheFile)
{
    SevenZipArchive archive;
    archive.SetArchivePath(L"C:\\no such folder\\pack.zip");
    archive.SetFormat(SevenZip::kFormatZip);
    EXPECT_EQ(SevenZip::kFormatZip, archive.GetFormat());
}

TEST(SevenZipArchive, ListsItemNamesAndSizesOnFirstRequest)
{
    ScratchDir scratch;
    std::string log;
    ASSERT_TRUE(PackWithHostTool(scratch, kFiles, {}, "zip -q -r ../pack.zip .", log)) << log;
    SevenZipArchive archive;
    archive.SetArchivePath(scratch.File(L"pack.zip"));

    ASSERT_EQ(3u, archive.GetItemCount());
    EXPECT_EQ(SevenZip::kFormatZip, archive.GetFormat());
    std::vector<std::wstring> names = archive.GetItemNames();
    std::vector<uint32_t> sizes = archive.GetItemSizes();
    ASSERT_EQ(3u, names.size());
    ASSERT_EQ(3u, sizes.size());
    std::vector<std::pair<std::wstring, uint32_t>> items;
    for (size_t i = 0; i < names.size(); ++i)
        items.emplace_back(names[i], sizes[i]);
    std::sort(items.begin(), items.end());
    EXPECT_EQ((std::vector<std::pair<std::wstring, uint32_t>>{{L"a.txt", 5}, {L"sub", 0}, {L"sub\\b.txt", 6}}), items);
}

TEST(SevenZipArchive, SizesKeepTheirLow32Bits)
{
    ScratchDir scratch;
    // The lzma header declares the size; 5 GiB is 1 GiB in the low 32 bits.
    ASSERT_TRUE(scratch.Write(L"big.lzma", LzmaAloneBytes(SampleText(1000, 3), 5ull << 30)));
    SevenZipArchive archive;
    archive.SetArchivePath(scratch.File(L"big.lzma"));

    EXPECT_EQ(std::vector<uint32_t>{1u << 30}, archive.GetItemSizes());
    EXPECT_EQ(std::vector<std::wstring>{L""}, archive.GetItemNames());
    EXPECT_EQ(SevenZip::kFormatLzma, archive.GetFormat());
}
