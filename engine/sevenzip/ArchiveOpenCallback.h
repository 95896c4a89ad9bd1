#pragma once

#include "sevenzip/ComObject.h"

#include "CPP/7zip/Archive/IArchive.h"
#include "CPP/7zip/IPassword.h"

#include <string>

namespace SevenZip {

struct PasswordOption;

namespace intl {

// What a reader asks while it opens an archive: progress, which is ignored, and
// the password of an archive whose headers are encrypted. Reference counted (see
// ComObject.h); made for one Open call, on the opening thread.
class ArchiveOpenCallback : public IArchiveOpenCallback, public ICryptoGetTextPassword {
public:
    // Without a password option, password requests are refused.
    explicit ArchiveOpenCallback(const PasswordOption* password);

    // IUnknown, which ComObject gives
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override = 0;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override = 0;
    ULONG STDMETHODCALLTYPE Release() noexcept override = 0;

    // IArchiveOpenCallback
    HRESULT STDMETHODCALLTYPE SetTotal(const UInt64* files, const UInt64* bytes) noexcept override;
    HRESULT STDMETHODCALLTYPE SetCompleted(const UInt64* files, const UInt64* bytes) noexcept override;

    // ICryptoGetTextPassword
    HRESULT STDMETHODCALLTYPE CryptoGetTextPassword(BSTR* password) noexcept override;

protected:
    // The part of the object that answers `iid`, or null (ComObject.h).
    void* InterfaceFor(REFIID iid) noexcept;
    virtual ~ArchiveOpenCallback() = default;

private:
    bool m_passwordDefined = false;
    std::wstring m_password;
};

}  // namespace intl
}  // namespace SevenZip
