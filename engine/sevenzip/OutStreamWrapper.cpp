#include "sevenzip/OutStreamWrapper.h"

namespace SevenZip::intl {

OutStreamWrapper::OutStreamWrapper(TComPtr<IStream> stream) : m_stream(std::move(stream)) {}

void OutStreamWrapper::Close()
{
    m_stream.Reset();
}

void* OutStreamWrapper::InterfaceFor(REFIID iid) noexcept
{
    if (iid == IID_IUnknown || iid == IID_IOutStream || iid == IID_ISequentialOutStream)
        return static_cast<IOutStream*>(this);
    return nullptr;
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
