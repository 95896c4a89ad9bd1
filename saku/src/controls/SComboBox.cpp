#include "controls/SComboBox.h"

#include "controls/SListBox.h"
#include "core/Events.h"
#include "core/SXmlLookup.h"

#include <algorithm>

namespace SAKU {

SComboBox::~SComboBox()
{
    DestroyDropList();
}

void SComboBox::DestroyDropList()
{
    ReleaseDropList(m_listBox);
    m_listBox = nullptr;
}

int SComboBox::CurrentIndex() const
{
    return m_listBox ? m_listBox->GetCurSel() : -1;
}

int SComboBox::ItemCount() const
{
    return m_listBox ? m_listBox->GetCount() : 0;
}

BOOL SComboBox::SelectIndex(int index)
{
    if (!m_listBox || !m_listBox->SetCurSel(index))
        return FALSE;
    OnSelectionChanged();
    return TRUE;
}

SStringW SComboBox::ItemText(int index, BOOL raw) const
{
    return m_listBox ? m_listBox->GetText(index, raw) : SStringW();
}

void SComboBox::CreateDropList(pugi::xml_node element)
{
    m_listBox = static_cast<SListBox*>(MakeDropList(element, L"listbox", SListBox::ClassName()));
    if (!m_listBox)
        return;
    m_listBox->SendSwndMessage(UM_SETSCALE, GetScale());
    for (pugi::xml_node item = XmlChild(XmlChild(element, L"items"), L"item"); item; item = item.next_sibling()) {
        if (_wcsicmp(item.name(), L"item") != 0)
            continue;
        m_listBox->AddString(XmlAttribute(item, L"text").value(), XmlAttribute(item, L"icon").as_int(0),
                             static_cast<DWORD>(XmlAttribute(item, L"data").as_int(0)));
    }
    if (InitialSelection() != -1)
        SelectIndex(InitialSelection());
}

int SComboBox::DropListHeight() const
{
    const int cap = DropHeightPx();
    if (!m_listBox || m_listBox->GetCount() == 0)
        return cap;
    const RECT margin = m_listBox->QueryStyle().GetMarginRect();
    return std::min(cap, m_listBox->GetItemHeight() * m_listBox->GetCount() + static_cast<int>(margin.top + margin.bottom));
}

SWindow* SComboBox::DropList() const
{
    return m_listBox;
}

void SComboBox::ShowCurrentInList()
{
    m_listBox->EnsureVisible(m_listBox->GetCurSel());
}

BOOL SComboBox::RaiseEvent(EventArgs* args)
{
    if (GetDropDownWnd() && args->idFrom == kDropListId) {
        if (args->GetID() == EventLBSelChanged::EventID)
            OnSelectionChanged();
        else if (args->GetID() == EventCmd::EventID)
            CloseDropDown();
        return TRUE;
    }
    return SComboBase::RaiseEvent(args);
}

int SComboBox::OnLanguageChanged()
{
    const int result = SComboBase::OnLanguageChanged();
    if (m_listBox)
        m_listBox->SendSwndMessage(UM_SETLANGUAGE);
    return result;
}

void SComboBox::OnScaleChanged(int scale)
{
    SComboBase::OnScaleChanged(scale);
    if (m_listBox)
        m_listBox->SendSwndMessage(UM_SETSCALE, scale);
}

}  // namespace SAKU
