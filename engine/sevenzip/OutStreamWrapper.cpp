#include "sevenzip/OutStreamWrapper.h"

namespace SevenZip::intl {

OutStreamWrapper::OutStreamWrapper(TComPtr<IStream> stream) : m_stream(std::move(stream)) {}

void OutStreamWrapper::Close()
{
    m_stream.Reset();
}

HRESULT OutStreamWrapper::QueryInterface(REFIID iid, void** object) noexcept
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IOutStream || iid == IID_ISequentialOutStream)
        *object = static_cast<IOutStream*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG OutStreamWrapper::AddRef() noexcept
{
    return m_refs.Add();
}

ULONG OutStreamWrapper::Release() noexcept
{
    const ULONG count = m_refs.Drop();
    if (count == 0)
        delete this;
    return count;
}

HRESULT OutStreamWrapper::Write(const void* data, UInt32 size, UInt32* processedSize) noexcept
{
    ULONG written = 0;
    const HRESULT result = m_stream ? m_stream->Write(data, size, &written) : E_UNEXPECTED;
    if (processedSize)
        *processedSize = written;
    return result;
}

HRESULT OutStreamWrapper::Seek(Int64 offset, UInt32 seekOrigin, UInt64* newPosition) noexcept
{
    if (!m_stream)
        return E_UNEXPECTED;
    LARGE_INTEGER move;
    move.QuadPart = offset;
    ULARGE_INTEGER position = {};
    const HRESULT result = m_stream->Seek(move, seekOrigin, &position);
    if (newPosition)
        *newPosition = position.QuadPart;
    return result;
}

HRESULT OutStreamWrapper::SetSize(UInt64 newSize) noexcept
{
    if (!m_stream)
        return E_UNEXPECTED;
    ULARGE_INTEGER size;
    size.QuadPart = newSize;
    return m_stream->SetSize(size);
}

}  // namespace SevenZip::intl
