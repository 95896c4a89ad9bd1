#include "controls/STabPage.h"

namespace SAKU {

STabPage::STabPage()
{
    SetVisible(FALSE);
}

void STabPage::SetTitle(LPCWSTR title)
{
    m_title.SetText(title ? title : L"");
}

}  // namespace SAKU
