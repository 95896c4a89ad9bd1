#include "core/STextServiceHelper.h"

#include <memory>
#include <new>

namespace SAKU {

const IID kIID_ITextServices = {0x8D33F740, 0xCF58, 0x11CE, {0xA8, 0x9D, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};
const IID kIID_ITextHost = {0xC5BDD8D0, 0xD26E, 0x11CE, {0xA8, 0x9E, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};

bool STextServiceHelper::Init()
{
    if (GetInstance())
        return false;
    // Held by the instance pointer from here until Destroy.
    return new (std::nothrow) STextServiceHelper != nullptr;
}

void STextServiceHelper::Destroy()
{
    std::unique_ptr<STextServiceHelper> owned(GetInstance());
}

STextServiceHelper::STextServiceHelper() : m_module(::LoadLibraryW(L"riched20.dll"))
{
    if (m_module)
        m_create = reinterpret_cast<CreateFunction>(
            reinterpret_cast<void*>(::GetProcAddress(m_module.Get(), "CreateTextServices")));
}

HRESULT STextServiceHelper::CreateTextServices(ITextHost* host, IUnknown** services) const
{
    *services = nullptr;
    if (!m_create)
        return E_FAIL;
    return m_create(nullptr, host, services);
}

}  // namespace SAKU
