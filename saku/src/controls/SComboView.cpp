#include "controls/SComboView.h"

#include "controls/IListViewItemLocator.h"
#include "controls/ILvAdapter.h"
#include "controls/SListView.h"
#include "core/Events.h"

#include <algorithm>

namespace SAKU {

SComboView::~SComboView()
{
    DestroyDropList();
}

void SComboView::DestroyDropList()
{
    ReleaseDropList(m_listView);
    m_listView = nullptr;
}

int SComboView::CurrentIndex() const
{
    return m_listView ? m_listView->GetSel() : -1;
}

int SComboView::ItemCount() const
{
    ILvAdapter* const adapter = m_listView ? m_listView->GetAdapter() : nullptr;
    return adapter ? adapter->GetCount() : 0;
}

BOOL SComboView::SelectIndex(int index)
{
    if (!m_listView || index == m_listView->GetSel())
        return FALSE;
    m_listView->SetSel(index, FALSE);
    OnSelectionChanged();
    return TRUE;
}

SStringW SComboView::ItemText(int index, BOOL raw) const
{
    ILvAdapter* const adapter = m_listView ? m_listView->GetAdapter() : nullptr;
    if (!adapter || index == -1)
        return SStringW();
    const SStringW text = adapter->GetItemDesc(index);
    return raw ? text : TranslateString(text);
}

void SComboView::CreateDropList(pugi::xml_node element)
{
    m_listView = static_cast<SListView*>(MakeDropList(element, L"listview", SListView::ClassName()));
}

int SComboView::DropListHeight() const
{
    const int cap = DropHeightPx();
    IListViewItemLocator* const locator = m_listView ? m_listView->GetItemLocator() : nullptr;
    if (!locator || ItemCount() == 0)
        return cap;
    const RECT margin = m_listView->QueryStyle().GetMarginRect();
    return std::min(cap, locator->QueryTotalHeight() + static_cast<int>(margin.top + margin.bottom));
}

SWindow* SComboView::DropList() const
{
    return m_listView;
}

void SComboView::ShowCurrentInList()
{
    m_listView->EnsureVisible(m_listView->GetSel());
}

BOOL SComboView::RaiseEvent(EventArgs* args)
{
    if (GetDropDownWnd() && args->idFrom == kDropListId) {
        if (args->GetID() == EventLVSelChanged::EventID)
            OnSelectionChanged();
        else if (args->GetID() == EventCmd::EventID)
            CloseDropDown();
        return TRUE;
    }
    return SComboBase::RaiseEvent(args);
}

void SComboView::OnScaleChanged(int scale)
{
    SComboBase::OnScaleChanged(scale);
    if (m_listView)
        m_listView->SendSwndMessage(UM_SETSCALE, scale);
}

}  // namespace SAKU
