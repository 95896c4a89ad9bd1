#include "controls/SFlashCtrl.h"

namespace SAKU {

namespace {

constexpr CLSID kFlashClsid = {0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
// The Flash control's dual interface, which carries its properties.
constexpr IID kFlashInterface = {0xD27CDB6C, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

}  // namespace

SFlashCtrl::SFlashCtrl()
{
    SetClsid(kFlashClsid);
}

SFlashCtrl::~SFlashCtrl()
{
    m_flash.Reset();
}

void SFlashCtrl::OnAxActivate(IUnknown* control)
{
    m_flash.Reset();
    if (!control || FAILED(control->QueryInterface(kFlashInterface, reinterpret_cast<void**>(m_flash.Put()))))
        return;
    (void)PutText(L"WMode", L"transparent");   // an opaque movie would hide the tree under it
    if (!m_url.IsEmpty())
        (void)PutText(L"Movie", m_url);
}

void SFlashCtrl::ReleaseControl()
{
    m_flash.Reset();
    SActiveX::ReleaseControl();
}

HRESULT SFlashCtrl::OnAttrUrl(const SStringW& value, BOOL loading)
{
    m_url = value;
    if (loading || !m_flash)
        return S_FALSE;
    return PutText(L"Movie", m_url) ? S_OK : S_FALSE;
}

bool SFlashCtrl::PutText(LPCWSTR property, const SStringW& value)
{
    LPOLESTR name = const_cast<LPOLESTR>(property);
    DISPID id = 0;
    if (FAILED(m_flash->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id)))
        return false;
    VARIANT argument;
    ::VariantInit(&argument);
    argument.vt = VT_BSTR;
    argument.bstrVal = ::SysAllocString(value.c_str());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {&argument, &named, 1, 1};
    const HRESULT put = m_flash->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &parameters,
                                        nullptr, nullptr, nullptr);
    ::VariantClear(&argument);
    return SUCCEEDED(put);
}

}  // namespace SAKU
