// The decoder's threads follow the archive: one where no solid block was split
// into parts, the library's own choice otherwise; archives unpack the same
// either way.

#include "ScratchDir.h"
#include "ArchiveFixtures.h"

#include "sevenzip/ArchiveReader.h"
#include "sevenzip/DecoderThreads.h"
#include "sevenzip/InStreamWrapper.h"
#include "sevenzip/SevenZipArchive.h"
#include "sevenzip/SevenZipExtractor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace tivala::test;
using namespace SevenZip::intl;

namespace {

constexpr uint64_t kMB = uint64_t{1} << 20;

// The solid blocks of an archive file, as the extractor sees them, and whether
// the reader took the fitted thread count.
std::vector<SolidBlock> BlocksOf(const std::wstring& archive, HRESULT* fitted = nullptr)
{
    std::vector<SolidBlock> blocks;
    TComPtr<InStreamWrapper> stream;
    TComPtr<IInArchive> reader;
    if (InStreamWrapper::OpenFile(archive, stream) != S_OK ||
        OpenReader(SevenZip::kFormat7z, *stream.Get(), nullptr, nullptr, reader) != S_OK)
        return blocks;
    EXPECT_EQ(S_OK, ReadSolidBlocks(*reader.Get(), blocks));
    if (fitted)
        *fitted = FitDecoderThreads(*reader.Get());
    reader->Close();
    return blocks;
}

}  // namespace

TEST(DecoderThreads, ReadsTheLzma2DictionaryFromTheMethod)
{
    const struct {
        const wchar_t* method;
        uint64_t dictionary;
    } cases[] = {
        {L"LZMA2:25", 32 * kMB},
        {L"LZMA2:24 BCJ", 16 * kMB},
        {L"BCJ LZMA2:16", 64 * 1024},
        {L"LZMA2:1536k", 1536 * 1024},
        {L"LZMA2:48m", 48 * kMB},
        {L"LZMA:24", 0},         // LZMA, not LZMA2
        {L"xLZMA2:24", 0},
        {L"LZMA2:", 0},
        {L"Copy", 0},
        {L"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.method);
        EXPECT_EQ(c.dictionary, Lzma2DictionarySize(c.method));
    }
}

TEST(DecoderThreads, ThreadsPayOnlyWhereABlockWasSplitIntoParts)
{
    const struct {
        const char* name;
        std::vector<SolidBlock> blocks;
        bool parallel;
    } cases[] = {
        {"one part of four dictionaries", {{120 * kMB, L"LZMA2:25"}}, false},
        {"exactly one part", {{128 * kMB, L"LZMA2:25 BCJ"}}, false},
        {"two parts", {{209 * kMB, L"LZMA2:25 BCJ"}}, true},
        {"parts of at least 1 MB", {{kMB, L"LZMA2:16"}}, false},
        {"small dictionary, several parts", {{3 * kMB, L"LZMA2:16"}}, true},
        {"parts of at most 256 MB", {{300 * kMB, L"LZMA2:27"}}, true},
        {"one split block among others", {{kMB, L"LZMA2:25"}, {200 * kMB, L"LZMA2:25"}}, true},
        {"another coder keeps its own threads", {{kMB, L"BZip2"}}, true},
        {"no blocks", {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.parallel, SomeBlockDecodesInParallel(c.blocks));
    }
}

TEST(DecoderThreads, ReadsEachSolidBlockOfAnArchive)
{
    ScratchDir scratch;
    std::string log;
    // Two files to a block; the empty file and the folder have no data in any block.
    const std::vector<FixtureFile> files = {{L"a.txt", SampleText(1000, 1)},
                                            {L"b.txt", SampleText(2000, 2)},
                                            {L"c.txt", SampleText(3000, 3)},
                                            {L"d.txt", SampleText(4000, 4)},
                                            {L"empty.txt", ""}};
    ASSERT_TRUE(PackWithHostTool(scratch, files, {L"folder"}, "7zz a -bd -m0=LZMA2:d=1m -ms=2f ../pack.7z -- *", log))
        << log;

    HRESULT fitted = E_FAIL;
    std::vector<SolidBlock> blocks = BlocksOf(scratch.File(L"pack.7z"), &fitted);
    EXPECT_EQ(S_OK, fitted);   // the reader took one thread
    ASSERT_EQ(2u, blocks.size());
    std::vector<uint64_t> sizes = {blocks[0].size, blocks[1].size};
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ((std::vector<uint64_t>{3000, 7000}), sizes);
    // 7zz shrinks the dictionary to the data ("LZMA2:12k").
    for (const SolidBlock& block : blocks)
        EXPECT_GT(Lzma2DictionarySize(block.method), 0u) << std::string(block.method.begin(), block.method.end());
    EXPECT_FALSE(SomeBlockDecodesInParallel(blocks));
}

TEST(DecoderThreads, ArchivesUnpackTheSameWhateverTheirThreads)
{
    const struct {
        const char* name;
        const char* command;
        bool parallel;
    } cases[] = {
        {"one part", "7zz a -bd -mmt=4 -m0=LZMA2:d=2m ../pack.7z -- *", false},
        {"split into parts of 1 MB", "7zz a -bd -mmt=4 -m0=LZMA2:d=64k ../pack.7z -- *", true},
    };
    const std::vector<FixtureFile> files = {{L"text.txt", SampleText(3 * kMB, 5)},
                                            {L"data\\random.bin", RandomBytes(kMB, 6)},
                                            {L"data\\small.txt", "small"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir scratch;
        std::string log;
        ASSERT_TRUE(PackWithHostTool(scratch, files, {}, c.command, log)) << log;
        EXPECT_EQ(c.parallel, SomeBlockDecodesInParallel(BlocksOf(scratch.File(L"pack.7z"))));

        SevenZip::SevenZipExtractor extractor;
        extractor.SetArchivePath(scratch.File(L"pack.7z"));
        ASSERT_EQ(SevenZip::kExtractOk, extractor.ExtractArchive(scratch.File(L"out"), nullptr, nullptr));
        EXPECT_EQ("", TreeDifference(TreeOf(files), ReadTree(scratch.File(L"out"))));
    }
}
