#include "sevenzip/SevenZipExtractor.h"

#include "sevenzip/ArchiveExtractCallback.h"
#include "sevenzip/ArchiveReader.h"
#include "sevenzip/DecoderThreads.h"
#include "sevenzip/InStreamWrapper.h"
#include "sevenzip/ProgressCallback.h"

#include <new>
#include <vector>

namespace SevenZip {

namespace {

constexpr UInt32 kAllItems = static_cast<UInt32>(-1);

// Closes an open reader when the extraction leaves, whichever way.
class ReaderCloser {
public:
    explicit ReaderCloser(IInArchive& reader) : m_reader(reader) {}
    ~ReaderCloser() { m_reader.Close(); }
    ReaderCloser(const ReaderCloser&) = delete;
    ReaderCloser& operator=(const ReaderCloser&) = delete;

private:
    IInArchive& m_reader;
};

}  // namespace

int32_t SevenZipExtractor::ExtractArchive(const std::wstring& destination, ProgressCallback* progress,
                                          const PasswordOption* password)
{
    // Joined to an empty folder, item paths would start at the drive's root.
    if (destination.empty())
        return E_INVALIDARG;
    try {
        // A file that no reader recognises is then tried as 7z, whose error it gets.
        (void)DetectFormat();
        TComPtr<intl::InStreamWrapper> stream;
        if (intl::InStreamWrapper::OpenFile(ArchivePath(), stream) != S_OK)
            return kExtractCannotOpen;
        TComPtr<IInArchive> reader;
        HRESULT result = intl::OpenReader(CurrentFormat(), *stream.Get(), nullptr, password, reader);
        if (result != S_OK)
            return result;
        const ReaderCloser closer(*reader.Get());
        // Only the speed depends on it: blocks that cannot be read leave the
        // library's own choice, and the extraction meets the failure itself.
        (void)intl::FitDecoderThreads(*reader.Get());

        if (progress) {
            UInt32 count = 0;
            if (reader->GetNumberOfItems(&count) != S_OK)
                return E_FAIL;
            if (progress->OnItemCount(count)) {
                std::vector<std::wstring> paths;
                std::vector<uint64_t> sizes;
                if (intl::ListItems(*reader.Get(), paths, sizes) != S_OK)
                    return E_FAIL;
                if (!progress->OnItemList(paths, sizes))
                    return kExtractOk;
            }
        }

        const TComPtr<intl::ArchiveExtractCallback> callback =
            intl::NewComObject<intl::ArchiveExtractCallback>(reader, destination, m_overwriteMode, progress, password);
        if (!callback)
            return E_OUTOFMEMORY;
        result = reader->Extract(nullptr, kAllItems, 0, callback.Get());
        // The first failure wins: the reader may have turned it into another code,
        // or passed an item's data error on without failing itself.
        if (callback->FirstError() != S_OK)
            result = callback->FirstError();
        if (progress)
            progress->OnDone(ArchivePath());
        return result;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace SevenZip
