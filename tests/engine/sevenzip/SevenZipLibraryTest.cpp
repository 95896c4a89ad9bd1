// 7-Zip's format library as the engine links it: the 7z handler, created by class
// id, lists an archive that the real 7zz made, read from memory.

#include "HostCommand.h"
#include "ScratchDir.h"

#include "CPP/7zip/Archive/IArchive.h"
#include "CPP/Common/MyCom.h"
#include "CPP/Windows/PropVariant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <ostream>
#include <string>
#include <utility>

// The library exports it for programs that load it as a DLL; no header declares it.
STDAPI CreateObject(const GUID* clsid, const GUID* iid, void** outObject);

using tivala::test::HostCommand;
using tivala::test::ScratchDir;

namespace {

// {23170F69-40C1-278A-1000-000110070000}: the 7z format's handler.
const GUID kSevenZipHandler = {0x23170F69, 0x40C1, 0x278A, {0x10, 0x00, 0x00, 0x01, 0x10, 0x07, 0x00, 0x00}};

// Archive bytes in memory, as the engine holds a downloaded package. Reference
// counted by the library's own scheme: born with count 0, owned by CMyComPtr.
Z7_CLASS_IMP_IInStream(MemoryInStream)
public:
    explicit MemoryInStream(std::string bytes) : m_bytes(std::move(bytes)) {}

private:
    std::string m_bytes;
    UInt64 m_position = 0;
};

Z7_COM7F_IMF(MemoryInStream::Read(void* data, UInt32 size, UInt32* processedSize))
{
    UInt32 count = 0;
    if (m_position < m_bytes.size()) {
        count = static_cast<UInt32>(std::min<UInt64>(size, m_bytes.size() - m_position));
        std::memcpy(data, m_bytes.data() + m_position, count);
        m_position += count;
    }
    if (processedSize)
        *processedSize = count;
    return S_OK;
}

Z7_COM7F_IMF(MemoryInStream::Seek(Int64 offset, UInt32 seekOrigin, UInt64* newPosition))
{
    Int64 base = 0;
    switch (seekOrigin) {
    case STREAM_SEEK_SET: base = 0; break;
    case STREAM_SEEK_CUR: base = static_cast<Int64>(m_position); break;
    case STREAM_SEEK_END: base = static_cast<Int64>(m_bytes.size()); break;
    default: return STG_E_INVALIDFUNCTION;
    }
    if (offset < -base)
        return HRESULT_WIN32_ERROR_NEGATIVE_SEEK;
    // Past the end is allowed; Read then returns nothing.
    m_position = static_cast<UInt64>(base + offset);
    if (newPosition)
        *newPosition = m_position;
    return S_OK;
}

struct Item {
    bool folder = false;
    UInt64 size = 0;

    bool operator==(const Item& other) const { return folder == other.folder && size == other.size; }
    friend std::ostream& operator<<(std::ostream& out, const Item& item)
    {
        return item.folder ? out << "folder" : out << item.size << " bytes";
    }
};

// A fresh 7z handler; empty when the library could not make one.
CMyComPtr<IInArchive> NewSevenZipHandler()
{
    CMyComPtr<IInArchive> archive;
    if (FAILED(CreateObject(&kSevenZipHandler, &IID_IInArchive, reinterpret_cast<void**>(&archive))))
        archive.Detach();   // a failed CreateObject leaves no object behind
    return archive;
}

// The handler's verdict on `bytes`: S_OK for an archive of its format.
HRESULT OpenInMemory(IInArchive* archive, const std::string& bytes)
{
    const CMyComPtr<IInStream> stream = new MemoryInStream(bytes);
    return archive->Open(stream, nullptr, nullptr);
}

}  // namespace

TEST(SevenZipLibrary, ListsArchiveMadeBy7zz)
{
    const struct { const wchar_t* path; std::string content; } files[] = {
        {L"readme.txt", "Tivala\r\n"},
        {L"壁纸.txt", std::string(70000, 'w')},
        {L"docs\\notes.txt", "notes"},
        {L"empty.txt", ""},   // 7z stores an empty file without a data stream
    };
    ScratchDir scratch;
    std::map<std::wstring, Item> expected = {{L"docs", {true, 0}}};
    for (const auto& file : files) {
        ASSERT_TRUE(scratch.Write(std::wstring(L"files\\") + file.path, file.content));
        expected[file.path] = {false, file.content.size()};
    }
    std::string output;
    ASSERT_EQ(0, HostCommand::Run("7zz a -bd ../pack.7z -- *", scratch.UnixPath() + "/files", 60000, &output).value_or(-1))
        << output;
    std::string bytes;
    ASSERT_TRUE(ScratchDir::Read(scratch.File(L"pack.7z"), bytes));

    const CMyComPtr<IInArchive> archive = NewSevenZipHandler();
    ASSERT_NE(nullptr, archive.Interface());
    ASSERT_EQ(S_OK, OpenInMemory(archive, bytes));
    UInt32 count = 0;
    ASSERT_EQ(S_OK, archive->GetNumberOfItems(&count));
    std::map<std::wstring, Item> listed;
    for (UInt32 i = 0; i < count; ++i) {
        NWindows::NCOM::CPropVariant path, folder, size;
        ASSERT_EQ(S_OK, archive->GetProperty(i, kpidPath, &path));
        ASSERT_EQ(S_OK, archive->GetProperty(i, kpidIsDir, &folder));
        ASSERT_EQ(S_OK, archive->GetProperty(i, kpidSize, &size));
        ASSERT_EQ(VT_BSTR, path.vt);
        ASSERT_EQ(VT_BOOL, folder.vt);
        Item& item = listed[path.bstrVal];
        item.folder = folder.boolVal != VARIANT_FALSE;
        if (!item.folder) {
            ASSERT_EQ(VT_UI8, size.vt);
            item.size = size.uhVal.QuadPart;
        }
    }
    EXPECT_EQ(expected.size(), count);
    EXPECT_EQ(expected, listed);
    EXPECT_EQ(S_OK, archive->Close());
}

TEST(SevenZipLibrary, RejectsBytesThatAreNoArchive)
{
    const struct { const char* name; std::string bytes; } cases[] = {
        {"empty", ""},
        {"text", std::string(4096, 'x')},
        {"signature only", std::string("7z\xBC\xAF\x27\x1C", 6)},   // no start header behind it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CMyComPtr<IInArchive> archive = NewSevenZipHandler();
        ASSERT_NE(nullptr, archive.Interface());
        // S_FALSE is the handler's "not my format", apart from the errors of reading.
        EXPECT_EQ(S_FALSE, OpenInMemory(archive, c.bytes));
        archive->Close();
    }
}
