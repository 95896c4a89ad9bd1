#pragma once

#include "sevenzip/ComObject.h"

#include "CPP/7zip/IStream.h"

#include <objidl.h>

#include <string>

namespace SevenZip::intl {

// The library's seekable input stream over a COM stream: how a reader sees the
// archive file. Reference counted (see ComObject.h); the library may hold it for
// as long as its reader is open. One thread at a time.
class InStreamWrapper final : public IInStream, public IStreamGetSize {
public:
    explicit InStreamWrapper(TComPtr<IStream> stream);

    // Opens `path` read-only as a COM file stream and wraps it; the failure of
    // the open when it cannot be.
    [[nodiscard]] static HRESULT OpenFile(const std::wstring& path, TComPtr<InStreamWrapper>& stream);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override;
    ULONG STDMETHODCALLTYPE Release() noexcept override;

    // ISequentialInStream, IInStream
    HRESULT STDMETHODCALLTYPE Read(void* data, UInt32 size, UInt32* processedSize) noexcept override;
    HRESULT STDMETHODCALLTYPE Seek(Int64 offset, UInt32 seekOrigin, UInt64* newPosition) noexcept override;

    // IStreamGetSize
    HRESULT STDMETHODCALLTYPE GetSize(UInt64* size) noexcept override;

private:
    ~InStreamWrapper() = default;

    ComRefCount m_refs;
    TComPtr<IStream> m_stream;
};

}  // namespace SevenZip::intl
