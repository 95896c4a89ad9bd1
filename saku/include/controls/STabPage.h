#pragma once

#include "core/SAttributeMap.h"
#include "core/SWindow.h"
#include "res.mgr/SResProviderMgr.h"

namespace SAKU {

// One page of a tab control ("page"): a plain window with the title and icon its
// tab shows. The tab control creates, places, shows and destroys its pages; a page
// is born hidden, since only the current page of its control is visible. Reference
// counted like every window; UI thread.
class STabPage : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"page", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    STabPage();

    const SStringW& GetTitle() const { return m_title.GetText(FALSE); }
    void SetTitle(LPCWSTR title);
    // The icon's state in the control's icon skin; -1: the page's position.
    int GetIconIndex() const { return m_iconIndex; }
    void SetIconIndex(int index) { m_iconIndex = index; }
    void TranslateTitle() { m_title.TranslateText(); }

    BEGIN_ATTRIBUTES(STabPage)
        ATTRIBUTE_TEXT (L"title",     m_title,               kNoRefresh)
        ATTRIBUTE_FIELD(L"iconIndex", m_iconIndex, ParseInt, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // SWindow overrides: the tab control shows the page's tooltip text on its tab.
    BOOL UpdateToolTip(POINT, SwndToolTipInfo&) override { return FALSE; }

private:
    STranslatableText m_title{this};
    int m_iconIndex = -1;
};

}  // namespace SAKU
