#include "sevenzip/ArchiveReader.h"

#include "sevenzip/ArchiveOpenCallback.h"
#include "sevenzip/ItemProperty.h"
#include "sevenzip/LibrarySetup.h"

namespace SevenZip::intl {

HRESULT OpenReader(int format, InStreamWrapper& stream, const UInt64* maxStartPosition,
                   const PasswordOption* password, TComPtr<IInArchive>& reader)
{
    HRESULT result = CreateReader(format, reader);
    if (result != S_OK)
        return result;
    result = stream.Seek(0, STREAM_SEEK_SET, nullptr);
    if (result != S_OK)
        return result;
    const TComPtr<ArchiveOpenCallback> callback = NewComObject<ArchiveOpenCallback>(password);
    if (!callback)
        return E_OUTOFMEMORY;
    return reader->Open(&stream, maxStartPosition, callback.Get());
}

HRESULT ListItems(IInArchive& reader, std::vector<std::wstring>& paths, std::vector<uint64_t>& sizes)
{
    UInt32 count = 0;
    HRESULT result = reader.GetNumberOfItems(&count);
    if (result != S_OK)
        return FAILED(result) ? result : E_FAIL;
    paths.assign(count, std::wstring());
    sizes.assign(count, 0);
    for (UInt32 i = 0; i < count && result == S_OK; ++i) {
        result = ReadListedSize(reader, i, sizes[i]);
        if (result == S_OK)
            result = ReadListedPath(reader, i, paths[i]);
    }
    return result;
}

}  // namespace SevenZip::intl
