#include "controls/STabPage.h"

#include "res.mgr/SResProviderMgr.h"

namespace SAKU {

STabPage::STabPage()
{
    SetVisible(FALSE);
}

void STabPage::SetTitle(LPCWSTR title)
{
    m_title.SetText(title ? title : L"");
}

HRESULT STabPage::OnAttrTitle(const SStringW& value, BOOL)
{
    m_title.SetText(SResProviderMgr::GetString(value));
    return kNoRefresh;
}

}  // namespace SAKU
