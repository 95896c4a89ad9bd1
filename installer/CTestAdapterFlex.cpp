#include "CTestAdapterFlex.h"

#include "controls/SCheckBox.h"
#include "controls/SImageWnd.h"
#include "controls/SStatic.h"
#include "core/EventArgs.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"
#include "core/SApplication.h"
#include "core/SEventSet.h"
#include "core/SXmlLookup.h"
#include "render/IBitmap.h"
#include "render/IRenderFactory.h"

#include "service/InstallService.h"

#include <utility>

using namespace SAKU;
using tivala::InstallService;

namespace {

constexpr wchar_t kRowBackground[] = L"png_module_bk_png";
constexpr wchar_t kTickedRowBackground[] = L"png_module_bk_selected_png";

SAutoRef<IBitmap> DecodeIcon(const std::vector<uint8_t>& bytes)
{
    SAutoRef<IBitmap> icon;
    SApplication* const app = SApplication::GetInstance();
    IRenderFactory* const factory = app ? app->GetRenderFactory() : nullptr;
    if (!factory || !factory->CreateBitmap(icon.Put()))
        return icon;
    if (!bytes.empty())
        (void)icon->LoadFromMemory(bytes.data(), bytes.size());   // an icon that does not decode shows empty
    return icon;
}

int IntAttribute(pugi::xml_node node, const wchar_t* name, int otherwise)
{
    const pugi::xml_attribute attribute = XmlAttribute(node, name);
    return attribute ? attribute.as_int(otherwise) : otherwise;
}

void ShowTicked(SWindow* row, bool ticked, BOOL loading)
{
    row->ApplyAttribute(L"ncskin", ticked ? kTickedRowBackground : kRowBackground, loading);
}

}  // namespace

CTestAdapterFlex::CTestAdapterFlex(std::vector<std::wstring> appPaths, std::function<void()> choiceChanged)
    : m_keys(std::move(appPaths)), m_choiceChanged(std::move(choiceChanged))
{
    const InstallService& service = InstallService::GetInstance();
    m_icons.reserve(m_keys.size());
    for (const std::wstring& key : m_keys)
        m_icons.push_back(DecodeIcon(service.GetModule(key).iconBytes));
}

void CTestAdapterFlex::InitByTemplate(pugi::xml_node xmlTemplate)
{
    m_oddHeight = IntAttribute(xmlTemplate, L"oddHeight", kDefaultRowHeight);
    m_evenHeight = IntAttribute(xmlTemplate, L"evenHeight", kDefaultRowHeight);
    m_evenSelHeight = IntAttribute(xmlTemplate, L"evenSelHeight", kDefaultRowHeight);
}

int CTestAdapterFlex::GetItemViewType(int position, DWORD state)
{
    if (state & kLvItemHover)
        return 2;
    return position % 2 ? 2 : 0;
}

void CTestAdapterFlex::GetViewDesiredSize(SIZE* size, int, SWindow*, const RECT*)
{
    *size = {0, m_evenSelHeight};
}

void CTestAdapterFlex::GetView(int position, SWindow* itemWnd, pugi::xml_node xmlTemplate)
{
    if (!itemWnd->GetWindow(GSW_FIRSTCHILD))
        itemWnd->BuildFromXml(XmlChild(xmlTemplate, L"itemOdd"));
    // The event set refuses a second equal subscription, so a recycled row
    // keeps one of each.
    itemWnd->GetEventSet()->SubscribeEvent(EventSwndStateChanged::EventID,
                                           Subscriber(&CTestAdapterFlex::OnItemStateChanged, this));
    itemWnd->GetEventSet()->SubscribeEvent(EventCmd::EventID, Subscriber(&CTestAdapterFlex::OnItemClick, this));

    const tivala::ModuleRecord module = InstallService::GetInstance().GetModule(m_keys[position]);
    if (auto* const box = itemWnd->FindChildByName2<SCheckBox>(L"checkbox")) {
        {
            const SScopedEventMute muted(box->GetEventSet());   // showing a row selects nothing
            box->SetCheck(module.selected);
        }
        ShowTicked(itemWnd, box->IsChecked(), TRUE);
        box->SetUserData(static_cast<DWORD>(position));
        box->EnableWindow(FALSE, FALSE);   // the row takes the clicks, not the box
        box->GetEventSet()->SubscribeEvent(EventSwndStateChanged::EventID,
                                           Subscriber(&CTestAdapterFlex::OnCheckboxStateChanged, this));
    }
    if (auto* const icon = itemWnd->FindChildByName2<SImageWnd>(L"net_img")) {
        if (position < static_cast<int>(m_icons.size()) && m_icons[position])
            icon->SetImage(m_icons[position].Get(), 0);
    }
    if (auto* const description = itemWnd->FindChildByName2<SStatic>(L"text_description_name")) {
        description->SetWindowText(module.desc.c_str());
        description->ApplyAttribute(L"tip", module.desc.c_str(), FALSE);
    }
    if (auto* const name = itemWnd->FindChildByName2<SStatic>(L"text_module_name"))
        name->SetWindowText(module.name.c_str());
}

BOOL CTestAdapterFlex::OnItemClick(EventArgs* args)
{
    auto* const row = SObjCast<SWindow>(args->sender);
    auto* const box = row ? row->FindChildByName2<SCheckBox>(L"checkbox") : nullptr;
    if (!box || box->GetUserData() >= m_keys.size())
        return FALSE;
    if (InstallService::GetInstance().GetModule(m_keys[box->GetUserData()]).locked)
        return TRUE;   // the earlier installation's modules stay installed
    box->SetCheck(!box->IsChecked());
    ShowTicked(row, box->IsChecked(), FALSE);
    return TRUE;
}

BOOL CTestAdapterFlex::OnCheckboxStateChanged(EventArgs* args)
{
    const auto* const change = static_cast<EventSwndStateChanged*>(args);
    if (!((change->oldState ^ change->newState) & WndState_Check))
        return FALSE;
    auto* const box = SObjCast<SWindow>(args->sender);
    if (!box || box->GetUserData() >= m_keys.size())
        return FALSE;
    InstallService::GetInstance().SetModuleSelected(m_keys[box->GetUserData()],
                                                    (change->newState & WndState_Check) != 0);
    box->SetMsgHandled(TRUE);
    if (m_choiceChanged)
        m_choiceChanged();
    return TRUE;
}

BOOL CTestAdapterFlex::OnItemStateChanged(EventArgs* args)
{
    const auto* const change = static_cast<EventSwndStateChanged*>(args);
    if (!((change->oldState ^ change->newState) & WndState_Check))
        return FALSE;
    NotifyDataSetInvalidated();   // the list lays its rows out again
    return TRUE;
}
