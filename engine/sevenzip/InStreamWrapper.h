#pragma once

#include "sevenzip/ComObject.h"

#include "CPP/7zip/IStream.h"

#include <objidl.h>

#include <string>

namespace SevenZip::intl {

// The library's seekable input stream over a COM stream: how a reader sees the
// archive file. Reference counted (see ComObject.h); the library may hold it for
// as long as its reader is open. One thread at a time.
class InStreamWrapper : public IInStream, public IStreamGetSize {
public:
    explicit InStreamWrapper(TComPtr<IStream> stream);

    // Opens `path` read-only as a COM file stream and wraps it; the failure of
    // the open when it cannot be.
    [[nodiscard]] static HRESULT OpenFile(const std::wstring& path, TComPtr<InStreamWrapper>& stream);

    // IUnknown, which ComObject gives
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override = 0;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override = 0;
    ULONG STDMETHODCALLTYPE Release() noexcept override = 0;

    // ISequentialInStream, IInStream
    HRESULT STDMETHODCALLTYPE Read(void* data, UInt32 size, UInt32* processedSize) noexcept override;
    HRESULT STDMETHODCALLTYPE Seek(Int64 offset, UInt32 seekOrigin, UInt64* newPosition) noexcept override;

    // IStreamGetSize
    HRESULT STDMETHODCALLTYPE GetSize(UInt64* size) noexcept override;

protected:
    // The part of the object that answers `iid`, or null (ComObject.h).
    void* InterfaceFor(REFIID iid) noexcept;
    ~InStreamWrapper() = default;

private:
    TComPtr<IStream> m_stream;
};

}  // namespace SevenZip::intl
