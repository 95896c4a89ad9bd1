// The records that the wrapper registers with 7-Zip's library itself: each format
// record makes a reader that opens an archive of its format, and each codec record
// makes a coder, so their classes are laid out as the library builds them.

#include "ScratchDir.h"
#include "ArchiveFixtures.h"

#include "sevenzip/InStreamWrapper.h"
#include "sevenzip/LibrarySetup.h"

#include "CPP/7zip/Common/RegisterArc.h"
#include "CPP/7zip/Common/RegisterCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

using namespace tivala::test;

TEST(SevenZipLibrarySetup, OwnFormatRecordsMakeReadersOfTheirFormats)
{
    SevenZip::intl::EnsureLibraryReady();
    const struct {
        const char* name;
        const char* command;
        const wchar_t* archive;
    } formats[] = {
        {"7z", "7zz a -bd ../pack -- *", L"pack.7z"},
        {"zip", "zip -q ../pack.zip a.txt b.txt", L"pack.zip"},
        {"Cab", "gcab -c ../pack.cab a.txt b.txt", L"pack.cab"},
    };
    const auto records = SevenZip::intl::OwnFormatRecords();
    ASSERT_EQ(std::size(formats), records.size());
    for (const auto& format : formats) {
        SCOPED_TRACE(format.name);
        const auto record = std::find_if(records.begin(), records.end(),
                                         [&](const CArcInfo* info) { return std::string(info->Name) == format.name; });
        ASSERT_NE(records.end(), record);
        ScratchDir scratch;
        std::string log;
        ASSERT_TRUE(PackWithHostTool(scratch, {{L"a.txt", "a"}, {L"b.txt", SampleText(50000, 1)}}, {},
                                     format.command, log))
            << log;
        TComPtr<SevenZip::intl::InStreamWrapper> stream;
        ASSERT_EQ(S_OK, SevenZip::intl::InStreamWrapper::OpenFile(scratch.File(format.archive), stream));

        IInArchive* const created = (*record)->CreateInArchive();
        ASSERT_NE(nullptr, created);
        created->AddRef();   // the library's objects are born with no reference
        TComPtr<IInArchive> reader;
        reader.Attach(created);
        ASSERT_EQ(S_OK, reader->Open(stream.Get(), nullptr, nullptr));
        UInt32 count = 0;
        EXPECT_EQ(S_OK, reader->GetNumberOfItems(&count));
        EXPECT_EQ(2u, count);
        EXPECT_EQ(S_OK, reader->Close());
    }
}

TEST(SevenZipLibrarySetup, OwnCodecRecordsMakeCoders)
{
    for (const CCodecInfo* codec : SevenZip::intl::OwnCodecRecords()) {
        SCOPED_TRACE(codec->Name);
        void* const created = codec->CreateDecoder();
        ASSERT_NE(nullptr, created);
        IUnknown* const coder = static_cast<IUnknown*>(created);
        coder->AddRef();
        REFIID expected = codec->IsFilter ? IID_ICompressFilter : IID_ICompressCoder;
        void* queried = nullptr;
        EXPECT_EQ(S_OK, coder->QueryInterface(expected, &queried));
        EXPECT_EQ(created, queried);
        if (queried)
            static_cast<IUnknown*>(queried)->Release();
        EXPECT_EQ(0u, coder->Release());
    }
}
