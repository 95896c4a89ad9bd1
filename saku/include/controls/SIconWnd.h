#pragma once

#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

#include "GdiHandles.h"

namespace SAKU {

// The icon ("icon"): a Windows icon drawn over the client rectangle. The window
// owns its icon and destroys it with itself or when another one replaces it.
// Owned by its parent like every window; UI thread.
class SIconWnd : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"icon", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    // Takes ownership of `icon` (null: none); the same icon again changes nothing.
    void SetIcon(HICON icon);
    HICON GetIcon() const { return m_icon.Get(); }

    BEGIN_ATTRIBUTES(SIconWnd)
        ATTRIBUTE_HANDLER(L"src", OnAttrSrc)
    END_ATTRIBUTES_CHAIN(SWindow)

    // SWindow overrides: twice the hot spot, which an icon has at its centre.
    SIZE MeasureDesiredSize(const RECT* container) override;

    BEGIN_SWND_MSG_MAP(SIconWnd)
        MSG_HANDLER  (WM_PAINT, OnPaint)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    void OnPaint(IRenderTarget* target);

private:
    // "name" or "name:size" through the application's resources.
    HRESULT OnAttrSrc(const SStringW& value, BOOL loading);

    UniqueIcon m_icon;
};

}  // namespace SAKU
