#include "sevenzip/InStreamWrapper.h"

#include <shlwapi.h>

namespace SevenZip::intl {

InStreamWrapper::InStreamWrapper(TComPtr<IStream> stream) : m_stream(std::move(stream)) {}

HRESULT InStreamWrapper::OpenFile(const std::wstring& path, TComPtr<InStreamWrapper>& stream)
{
    TComPtr<IStream> file;
    const HRESULT result = ::SHCreateStreamOnFileEx(path.c_str(), STGM_READ, FILE_ATTRIBUTE_NORMAL, FALSE, nullptr,
                                                    file.Put());
    if (FAILED(result))
        return result;
    stream = NewComObject<InStreamWrapper>(std::move(file));
    return stream ? S_OK : E_OUTOFMEMORY;
}

void* InStreamWrapper::InterfaceFor(REFIID iid) noexcept
{
    if (iid == IID_IUnknown || iid == IID_IInStream || iid == IID_ISequentialInStream)
        return static_cast<IInStream*>(this);
    if (iid == IID_IStreamGetSize)
        return static_cast<IStreamGetSize*>(this);
    return nullptr;
}

HRESULT InStreamWrapper::Read(void* data, UInt32 size, UInt32* processedSize) noexcept
{
    ULONG read = 0;
    const HRESULT result = m_stream->Read(data, size, &read);
    if (processedSize)
        *processedSize = read;
    // A file stream answers S_FALSE at the end, which the library would take for
    // "data error".
    return FAILED(result) ? result : S_OK;
}

HRESULT InStreamWrapper::Seek(Int64 offset, UInt32 seekOrigin, UInt64* newPosition) noexcept
{
    LARGE_INTEGER move;
    move.QuadPart = offset;
    ULARGE_INTEGER position = {};
    const HRESULT result = m_stream->Seek(move, seekOrigin, &position);
    if (newPosition)
        *newPosition = position.QuadPart;
    return result;
}

HRESULT InStreamWrapper::GetSize(UInt64* size) noexcept
{
    if (!size)
        return E_POINTER;
    STATSTG stat = {};
    const HRESULT result = m_stream->Stat(&stat, STATFLAG_NONAME);
    if (FAILED(result))
        return result;
    *size = stat.cbSize.QuadPart;
    return S_OK;
}

}  // namespace SevenZip::intl
