#pragma once

#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

namespace SAKU {

// The hyperlink ("link"): a text whose drawn extent alone (the hot rectangle)
// takes the mouse. A click on it fires the command and then opens href with the
// shell; a link without text shows its href. Owned by its parent like every
// window; UI thread only.
class SLink : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"link", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    SLink();

    const SStringW& GetHref() const { return m_href; }
    // Where the text was last drawn (host coordinates); empty before the first paint.
    RECT GetHotRect() const { return m_hotRect; }

    BEGIN_ATTRIBUTES(SLink)
        ATTRIBUTE_FIELD(L"href", m_href, SResProviderMgr::GetString, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // IObject overrides
    void OnInitFinished(pugi::xml_node element) override;

    // SWindow overrides
    void DrawText(IRenderTarget* target, LPCWSTR text, int length, RECT* rect, UINT format) override;
    BOOL OnSetCursor(const POINT& point) override;

    BEGIN_SWND_MSG_MAP(SLink)
        MSG_HANDLER  (WM_LBUTTONDOWN, OnLButtonDown)
        MSG_HANDLER  (WM_LBUTTONUP,   OnLeftButtonUp)
        MSG_HANDLER  (WM_MOUSEMOVE,   OnMouseMove)
        MSG_HANDLER  (WM_MOUSEHOVER,  OnMouseHover)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    void OnLButtonDown(UINT flags, POINT point);
    void OnLeftButtonUp(UINT flags, POINT point);
    void OnMouseMove(UINT flags, POINT point);
    void OnMouseHover(UINT flags, POINT point);

private:
    bool IsInHotRect(POINT point) const { return ::PtInRect(&m_hotRect, point) != FALSE; }

    SStringW m_href;
    RECT m_hotRect = {};
};

}  // namespace SAKU
