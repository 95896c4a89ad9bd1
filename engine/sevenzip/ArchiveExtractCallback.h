#pragma once

#include "sevenzip/ComObject.h"
#include "sevenzip/OutStreamWrapper.h"

#include "CPP/7zip/Archive/IArchive.h"
#include "CPP/7zip/ICoder.h"
#include "CPP/7zip/IPassword.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

namespace SevenZip {

class ProgressCallback;
struct PasswordOption;

namespace intl {

// GetStream's answer when an item's folder cannot be created: a plain number, not
// an HRESULT, so callers compare results with S_OK.
inline constexpr HRESULT kCreateFolderFailed = 1631;

// Creates the files and folders of an extraction under one destination folder,
// item by item as the reader asks, sets their times and attributes, and tells the
// progress callback. Refuses items whose paths would leave the destination, and
// treats an item's data or checksum error as the extraction's failure.
// Reference counted (see ComObject.h); made for one Extract call. The library
// calls it on the extracting thread, and SetRatioInfo also from decoder threads.
class ArchiveExtractCallback : public IArchiveExtractCallback,
                                     public ICryptoGetTextPassword,
                                     public ICompressProgressInfo {
public:
    // `progress` and `password` are borrowed for the callback's life and may be null.
    ArchiveExtractCallback(TComPtr<IInArchive> reader, const std::wstring& destination, int overwriteMode,
                           ProgressCallback* progress, const PasswordOption* password);

    // The first failure that the callback reported to the library; S_OK when
    // none. The reader may end with S_OK after such a failure (a data error it
    // passed on), so this decides as well.
    HRESULT FirstError() const { return m_firstError.load(); }

    // IUnknown, which ComObject gives
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override = 0;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override = 0;
    ULONG STDMETHODCALLTYPE Release() noexcept override = 0;

    // IProgress
    HRESULT STDMETHODCALLTYPE SetTotal(UInt64 total) noexcept override;
    HRESULT STDMETHODCALLTYPE SetCompleted(const UInt64* completeValue) noexcept override;

    // IArchiveExtractCallback
    HRESULT STDMETHODCALLTYPE GetStream(UInt32 index, ISequentialOutStream** outStream,
                                        Int32 askExtractMode) noexcept override;
    HRESULT STDMETHODCALLTYPE PrepareOperation(Int32 askExtractMode) noexcept override;
    HRESULT STDMETHODCALLTYPE SetOperationResult(Int32 opRes) noexcept override;

    // ICryptoGetTextPassword
    HRESULT STDMETHODCALLTYPE CryptoGetTextPassword(BSTR* password) noexcept override;

    // ICompressProgressInfo
    HRESULT STDMETHODCALLTYPE SetRatioInfo(const UInt64* inSize, const UInt64* outSize) noexcept override;

protected:
    // The part of the object that answers `iid`, or null (ComObject.h).
    void* InterfaceFor(REFIID iid) noexcept;
    virtual ~ArchiveExtractCallback() = default;

private:
    enum class ItemKind { None, Skipped, Folder, File };

    // The bodies of GetStream and SetOperationResult; they may throw std::bad_alloc.
    HRESULT PrepareItem(UInt32 index, Int32 askExtractMode, ISequentialOutStream*& outStream);
    HRESULT ReadItemProperties(UInt32 index);
    HRESULT CreateOutputFile(ISequentialOutStream*& outStream);
    // Deletes what stands at the output path, creates its folder and the file.
    HRESULT ReplaceAndCreate(TComPtr<IStream>& file);
    HRESULT FinishItem(Int32 opRes);
    void ApplyTimes() const;
    // Keeps the first failure and passes `result` on.
    HRESULT Note(HRESULT result);

    bool m_passwordDefined = false;
    std::wstring m_password;
    TComPtr<IInArchive> m_reader;
    std::wstring m_destination;   // ends with a separator

    // The current item; reset by each GetStream.
    ItemKind m_kind = ItemKind::None;
    std::wstring m_itemPath;
    std::wstring m_fullPath;      // its output path
    bool m_isFolder = false;
    std::optional<uint32_t> m_attributes;
    std::optional<FILETIME> m_modified;
    std::optional<FILETIME> m_accessed;
    std::optional<FILETIME> m_created;
    std::optional<uint64_t> m_size;
    TComPtr<OutStreamWrapper> m_output;

    int m_overwriteMode;
    ProgressCallback* m_progress;
    std::atomic<HRESULT> m_firstError{S_OK};
};

}  // namespace intl
}  // namespace SevenZip
