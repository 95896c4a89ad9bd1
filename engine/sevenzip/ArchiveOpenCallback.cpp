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

HRESULT ArchiveOpenCallback::QueryInterface(REFIID iid, void** object) noexcept
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IArchiveOpenCallback)
        *object = static_cast<IArchiveOpenCallback*>(this);
    else if (iid == IID_ICryptoGetTextPassword)
        *object = static_cast<ICryptoGetTextPassword*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG ArchiveOpenCallback::AddRef() noexcept
{
    return m_refs.Add();
}

ULONG ArchiveOpenCallback::Release() noexcept
{
    const ULONG count = m_refs.Drop();
    if (count == 0)
        delete this;
    return count;
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
