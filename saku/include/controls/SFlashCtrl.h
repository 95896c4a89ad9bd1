#pragma once

#include "controls/SActiveX.h"

#include <oaidl.h>

namespace SAKU {

// The Flash host ("flash"): an SActiveX made for the Flash control, which it
// turns transparent and gives the movie of "url" as it activates. Where the
// control is not installed the element stays empty. Owned by its parent like
// every window; UI thread.
class SFlashCtrl : public SActiveX {
public:
    SOBJECT_CLASS(SActiveX, L"flash", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"activex")

    SFlashCtrl();
    ~SFlashCtrl() override;

    const SStringW& GetUrl() const { return m_url; }
    // The Flash control's own interface once it activated; null before or without one.
    IDispatch* GetFlash() const { return m_flash.Get(); }

    BEGIN_ATTRIBUTES(SFlashCtrl)
        ATTRIBUTE_HANDLER(L"url", OnAttrUrl)
    END_ATTRIBUTES_CHAIN(SActiveX)

protected:
    // SActiveX overrides
    void OnAxActivate(IUnknown* control) override;
    void ReleaseControl() override;

private:
    HRESULT OnAttrUrl(const SStringW& value, BOOL loading);
    // Sets a text property of the Flash control by name; false when it refused.
    bool PutText(LPCWSTR property, const SStringW& value);

    SStringW m_url;
    TComPtr<IDispatch> m_flash;   // the control's dual interface
};

}  // namespace SAKU
