#include "sevenzip/ArchiveExtractCallback.h"

#include "sevenzip/ItemProperty.h"
#include "sevenzip/OutputPath.h"
#include "sevenzip/PasswordOption.h"
#include "sevenzip/ProgressCallback.h"
#include "sevenzip/SevenZipExtractor.h"
#include "sevenzip/Trace.h"

#include "sysutil/SysUtilFile.h"
#include "sysutil/SysUtilPath.h"
#include "Win32Handles.h"

#include <oleauto.h>
#include <shlwapi.h>

#include <new>

namespace SevenZip::intl {

namespace {

namespace NAskMode = NArchive::NExtract::NAskMode;
namespace NOperationResult = NArchive::NExtract::NOperationResult;

// The attributes SetFileAttributesW accepts. Archives made on Unix carry the file
// mode in the high half and 0x8000 as its marker, and folders carry their own bit;
// none of those can be set.
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                      FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_TEMPORARY |
                                      FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// An item's result other than "OK" as the failure of the whole extraction.
HRESULT ItemFailure(Int32 opRes)
{
    switch (opRes) {
    case NOperationResult::kUnsupportedMethod: return HRESULT_FROM_WIN32(ERROR_NOT_SUPPORTED);
    case NOperationResult::kCRCError: return HRESULT_FROM_WIN32(ERROR_CRC);
    case NOperationResult::kUnexpectedEnd: return HRESULT_FROM_WIN32(ERROR_HANDLE_EOF);
    case NOperationResult::kWrongPassword: return HRESULT_FROM_WIN32(ERROR_INVALID_PASSWORD);
    default: return HRESULT_FROM_WIN32(ERROR_INVALID_DATA);   // data errors, headers, missing parts
    }
}

std::wstring WithTrailingSeparator(const std::wstring& folder)
{
    if (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/'))
        return folder;
    return folder + L'\\';
}

}  // namespace

ArchiveExtractCallback::ArchiveExtractCallback(TComPtr<IInArchive> reader, const std::wstring& destination,
                                               int overwriteMode, ProgressCallback* progress,
                                               const PasswordOption* password)
    : m_reader(std::move(reader)),
      m_destination(WithTrailingSeparator(destination)),
      m_overwriteMode(overwriteMode),
      m_progress(progress)
{
    if (password && password->passwordDefined) {
        m_passwordDefined = true;
        m_password = password->password;
    }
}

void* ArchiveExtractCallback::InterfaceFor(REFIID iid) noexcept
{
    if (iid == IID_IUnknown || iid == IID_IArchiveExtractCallback)
        return static_cast<IArchiveExtractCallback*>(this);
    if (iid == IID_ICryptoGetTextPassword)
        return static_cast<ICryptoGetTextPassword*>(this);
    if (iid == IID_ICompressProgressInfo)
        return static_cast<ICompressProgressInfo*>(this);
    return nullptr;
}

HRESULT ArchiveExtractCallback::SetTotal(UInt64 total) noexcept
{
    if (!m_progress)
        return S_OK;
    try {
        // The library announces the total before the first item, so there is no
        // output path yet; passing none also keeps a late call from another thread
        // off the current item's path.
        m_progress->OnStart(std::wstring(), total);
        return S_OK;
    } catch (...) {
        return Note(E_FAIL);
    }
}

HRESULT ArchiveExtractCallback::SetCompleted(const UInt64* /*completeValue*/) noexcept
{
    return S_OK;
}

HRESULT ArchiveExtractCallback::GetStream(UInt32 index, ISequentialOutStream** outStream,
                                          Int32 askExtractMode) noexcept
{
    if (!outStream)
        return E_POINTER;
    *outStream = nullptr;
    try {
        return Note(PrepareItem(index, askExtractMode, *outStream));
    } catch (const std::bad_alloc&) {
        return Note(E_OUTOFMEMORY);
    } catch (...) {
        return Note(E_FAIL);
    }
}

HRESULT ArchiveExtractCallback::PrepareOperation(Int32 /*askExtractMode*/) noexcept
{
    return S_OK;
}

HRESULT ArchiveExtractCallback::SetOperationResult(Int32 opRes) noexcept
{
    try {
        return Note(FinishItem(opRes));
    } catch (const std::bad_alloc&) {
        return Note(E_OUTOFMEMORY);
    } catch (...) {
        return Note(E_FAIL);
    }
}

HRESULT ArchiveExtractCallback::CryptoGetTextPassword(BSTR* password) noexcept
{
    if (!password)
        return E_POINTER;
    *password = nullptr;
    if (!m_passwordDefined) {
        try {
            Trace(L"Password is not defined\n");
        } catch (...) {
        }
        return Note(E_ABORT);
    }
    *password = ::SysAllocStringLen(m_password.data(), static_cast<UINT>(m_password.size()));
    return *password ? S_OK : Note(E_OUTOFMEMORY);
}

HRESULT ArchiveExtractCallback::SetRatioInfo(const UInt64* inSize, const UInt64* outSize) noexcept
{
    // Without the packed size there is nothing to report a share of.
    if (!m_progress || !inSize)
        return S_OK;
    try {
        m_progress->OnProgress(*inSize, outSize ? *outSize : 0);
        return S_OK;
    } catch (...) {
        return Note(E_FAIL);
    }
}

HRESULT ArchiveExtractCallback::PrepareItem(UInt32 index, Int32 askExtractMode, ISequentialOutStream*& outStream)
{
    m_kind = ItemKind::None;
    m_fullPath.clear();
    m_output.Reset();

    std::optional<std::wstring> path;
    HRESULT result = ReadTextProperty(*m_reader, index, kpidPath, path);
    if (result != S_OK) {
        Trace(L"获取数据失败\n");
        return result;
    }
    m_itemPath = path ? *path : L"[Content]";
    if (askExtractMode != NAskMode::kExtract)
        return S_OK;

    result = ReadItemProperties(index);
    if (result != S_OK) {
        Trace(L"获取数据失败\n");
        return result;
    }
    // Before anything touches the disk: a path that leaves the destination could
    // make the delete, folder creation or write below act outside it.
    if (!IsContainedItemPath(m_itemPath)) {
        Trace(L"PathRefused:%s\n", m_itemPath);
        return HRESULT_FROM_WIN32(ERROR_BAD_PATHNAME);
    }
    m_fullPath = m_destination + m_itemPath;

    if (m_isFolder) {
        Trace(L"DirBegin:%s\n", m_fullPath);
        // A failure shows when the folder's files cannot be created.
        (void)CreateFolderTree(m_fullPath);
        m_kind = ItemKind::Folder;
        return S_OK;
    }
    if (m_itemPath.empty()) {
        m_fullPath.clear();
        m_kind = ItemKind::Skipped;
        return S_OK;
    }
    if (m_progress && !m_progress->OnFileStart(m_destination, m_itemPath))
        return E_FAIL;
    Trace(L"FileBegin:%s\n", m_fullPath);
    return CreateOutputFile(outStream);
}

HRESULT ArchiveExtractCallback::ReadItemProperties(UInt32 index)
{
    std::optional<bool> folder;
    HRESULT result = ReadUInt32Property(*m_reader, index, kpidAttrib, m_attributes);
    if (result == S_OK)
        result = ReadBoolProperty(*m_reader, index, kpidIsDir, folder);
    if (result == S_OK)
        result = ReadFileTimeProperty(*m_reader, index, kpidMTime, m_modified);
    if (result == S_OK)
        result = ReadFileTimeProperty(*m_reader, index, kpidCTime, m_created);
    if (result == S_OK)
        result = ReadFileTimeProperty(*m_reader, index, kpidATime, m_accessed);
    if (result == S_OK)
        result = ReadUIntProperty(*m_reader, index, kpidSize, m_size);
    m_isFolder = folder.value_or(false);
    return result;
}

HRESULT ArchiveExtractCallback::CreateOutputFile(ISequentialOutStream*& outStream)
{
    TComPtr<IStream> file;
    // Most output paths are free and their folder exists: creating a new file
    // there first spares the lookups of the full way, which Wine makes by reading
    // the whole folder for a name that does not exist. Anything else (something
    // stands at the path, the folder is missing) takes the full way.
    HRESULT result = ::SHCreateStreamOnFileEx(m_fullPath.c_str(), STGM_WRITE | STGM_FAILIFTHERE,
                                              FILE_ATTRIBUTE_NORMAL, TRUE, nullptr, file.Put());
    if (FAILED(result)) {
        result = ReplaceAndCreate(file);
        if (result != S_OK)
            return result;
    }
    m_output = NewComObject<OutStreamWrapper>(std::move(file));
    if (!m_output) {
        Trace(L"内存不足\n");
        return E_OUTOFMEMORY;
    }
    m_kind = ItemKind::File;
    TComPtr<OutStreamWrapper> handedOut = m_output;   // the library's own reference
    outStream = handedOut.Detach();
    return S_OK;
}

HRESULT ArchiveExtractCallback::ReplaceAndCreate(TComPtr<IStream>& file)
{
    if (m_overwriteMode == kOverwriteDeleteExisting && tivala::SysUtil::PathExists(m_fullPath)) {
        // Windows' shell deletes a read-only file when told not to ask; Wine's
        // refuses, which would fail every retry over a read-only file unpacked before.
        const DWORD attributes = ::GetFileAttributesW(m_fullPath.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
            !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            ::SetFileAttributesW(m_fullPath.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        ::SetLastError(ERROR_SUCCESS);
        if (!tivala::SysUtil::ShellDelete(m_fullPath)) {
            const DWORD error = ::GetLastError();
            Trace(L"移除路径失败:%s\n", m_fullPath);
            m_fullPath.clear();
            // The shell's delete does not always say why; the failure must not read as S_OK.
            return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
        }
    }
    const std::wstring folder = FolderPart(m_fullPath);
    if (!folder.empty() && !CreateFolderTree(folder)) {
        Trace(L"创建目录失败:%s\n", folder);
        return kCreateFolderFailed;
    }
    const HRESULT result = ::SHCreateStreamOnFileEx(m_fullPath.c_str(), STGM_CREATE | STGM_WRITE,
                                                    FILE_ATTRIBUTE_NORMAL, TRUE, nullptr, file.Put());
    if (FAILED(result)) {
        Trace(L"创建文件失败:%s\n", m_fullPath);
        m_fullPath.clear();
        return result;
    }
    return S_OK;
}

HRESULT ArchiveExtractCallback::FinishItem(Int32 opRes)
{
    const ItemKind kind = m_kind;
    m_kind = ItemKind::None;
    if (m_output) {
        m_output->Close();
        m_output.Reset();
    }
    if (opRes != NOperationResult::kOK) {
        // A broken item is neither dated nor reported as unpacked.
        Trace(L"ItemFailed:%s\n", m_fullPath.empty() ? m_itemPath : m_fullPath);
        return ItemFailure(opRes);
    }
    switch (kind) {
    case ItemKind::None:
        Trace(L"AllDone\n");
        if (m_progress)
            m_progress->OnDone(m_destination);
        return S_OK;
    case ItemKind::Skipped:
        return S_OK;
    case ItemKind::Folder:
    case ItemKind::File:
        break;
    }
    if (kind == ItemKind::File)
        ApplyTimes();
    if (m_attributes) {
        DWORD attributes = *m_attributes & kSettableAttributes;
        if (attributes == 0)
            attributes = FILE_ATTRIBUTE_NORMAL;
        // Most items carry what a new file has already (ARCHIVE); under Wine a
        // needless set costs as much as writing a small file.
        const DWORD current = ::GetFileAttributesW(m_fullPath.c_str());
        if (current == INVALID_FILE_ATTRIBUTES || (current & kSettableAttributes) != attributes)
            ::SetFileAttributesW(m_fullPath.c_str(), attributes);
    }
    Trace(L"FileDone:%s\n", m_fullPath);
    if (m_progress) {
        const uint64_t size = m_size.value_or(0);
        if (!m_progress->OnFileExtracted(m_fullPath, size))
            return E_FAIL;
        m_progress->OnFileDone(m_fullPath, size);
    }
    return S_OK;
}

void ArchiveExtractCallback::ApplyTimes() const
{
    if (!m_modified && !m_accessed && !m_created)
        return;
    const UniqueFile file(::CreateFileW(m_fullPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;   // the file keeps the times of its writing
    ::SetFileTime(file.Get(), m_created ? &*m_created : nullptr, m_accessed ? &*m_accessed : nullptr,
                  m_modified ? &*m_modified : nullptr);
}

HRESULT ArchiveExtractCallback::Note(HRESULT result)
{
    if (result != S_OK) {
        HRESULT none = S_OK;
        m_firstError.compare_exchange_strong(none, result);
    }
    return result;
}

}  // namespace SevenZip::intl
