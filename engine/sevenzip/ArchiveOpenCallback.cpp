#include "sevenzip/ArchiveOpenCallback.h"

#include "sevenzip/PasswordOption.h"

#include <oleauto.h>

namespace SevenZip::intl {

ArchiveOpenCallback::ArchiveOpenCallback(const PasswordOption* password)
{
    if (password && password->passwordDefined) {
        m_passwordDefined = true;
        m_password = password->password;
    }
}

void* ArchiveOpenCallback::InterfaceFor(REFIID iid) noexcept
{
    if (iid == IID_IUnknown || iid == IID_IArchiveOpenCallback)
        return static_cast<IArchiveOpenCallback*>(this);
    if (iid == IID_ICryptoGetTextPassword)
        return static_cast<ICryptoGetTextPassword*>(this);
    return nullptr;
}

HRESULT ArchiveOpenCallback::SetTotal(const UInt64* /*files*/, const UInt64* /*bytes*/) noexcept
{
    return S_OK;
}

HRESULT ArchiveOpenCallback::SetCompleted(const UInt64* /*files*/, const UInt64* /*bytes*/) noexcept
{
    return S_OK;
}

HRESULT ArchiveOpenCallback::CryptoGetTextPassword(BSTR* password) noexcept
{
    if (!password)
        return E_POINTER;
    *password = nullptr;
    if (!m_passwordDefined)
        return E_ABORT;
    *password = ::SysAllocStringLen(m_password.data(), static_cast<UINT>(m_password.size()));
    return *password ? S_OK : E_OUTOFMEMORY;
}

}  // namespace SevenZip::intl
