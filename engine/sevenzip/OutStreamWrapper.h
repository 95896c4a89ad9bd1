#pragma once

#include "sevenzip/ComObject.h"

#include "CPP/7zip/IStream.h"

#include <objidl.h>

namespace SevenZip::intl {

// The library's output stream over a COM stream: where one extracted file goes.
// The extract callback hands it to the library and closes it when the item's
// result arrives: the library leaves closing the file to the callback then, and a
// file still open for writing could not get its times set. Reference counted (see
// ComObject.h). One thread at a time.
class OutStreamWrapper : public IOutStream {
public:
    explicit OutStreamWrapper(TComPtr<IStream> stream);

    // Lets go of the COM stream, which closes the file; later writes fail.
    void Close();

    // IUnknown, which ComObject gives
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override = 0;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override = 0;
    ULONG STDMETHODCALLTYPE Release() noexcept override = 0;

    // ISequentialOutStream, IOutStream
    HRESULT STDMETHODCALLTYPE Write(const void* data, UInt32 size, UInt32* processedSize) noexcept override;
    HRESULT STDMETHODCALLTYPE Seek(Int64 offset, UInt32 seekOrigin, UInt64* newPosition) noexcept override;
    HRESULT STDMETHODCALLTYPE SetSize(UInt64 newSize) noexcept override;

protected:
    // The part of the object that answers `iid`, or null (ComObject.h).
    void* InterfaceFor(REFIID iid) noexcept;
    ~OutStreamWrapper() = default;

private:
    TComPtr<IStream> m_stream;
};

}  // namespace SevenZip::intl
