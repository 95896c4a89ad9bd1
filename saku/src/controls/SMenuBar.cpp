#include "controls/SMenuBar.h"

#include "core/Events.h"
#include "core/SXmlLookup.h"
#include "core/TrimBlanks.h"
#include "res.mgr/SResProviderMgr.h"

#include <wchar.h>

namespace SAKU {

namespace {

// Each button is this wide and high, a pixel after the previous one's end.
constexpr int kButtonStep = 50;
constexpr int kButtonHeight = 20;
constexpr int kSwitchDelay = 10;

}  // namespace

// ---- The button ------------------------------------------------------------------

SMenuItem::SMenuItem(SMenuBar* bar, LPCWSTR menuName) : m_bar(bar), m_menuName(menuName ? menuName : L"")
{
    ApplyAttribute(L"drawFocusRect", L"0", TRUE);
    m_loaded = m_menu.LoadMenu(m_menuName.c_str()) != FALSE;
}

SMenuItem::~SMenuItem() = default;

HRESULT SMenuItem::OnAttrMenuName(const SStringW& value, BOOL)
{
    m_menuName = SResProviderMgr::GetString(value);
    return S_FALSE;
}

int SMenuItem::OpenMenu()
{
    const SAutoRef<SWindow> self(this);   // the run's subscribers may destroy the bar
    const HWND owner = m_bar->GetOwnerWnd();
    m_bar->m_tracking = true;
    m_bar->m_openItem = this;
    SetCheck(TRUE);
    RECT ownerRect = {};
    ::GetWindowRect(owner, &ownerRect);
    const RECT client = GetClientRect();
    const int id = m_menu.ShowPopup(kMenuExReturnCmd, ownerRect.left + client.left, ownerRect.top + client.bottom + 2,
                                    owner, 100);
    SetCheck(FALSE);
    m_bar->m_tracking = false;
    const bool chosen = m_bar->m_openItem == this && id > 0;   // 0 dismissed, -1 the owner lost the foreground
    m_bar->m_openItem = nullptr;
    if (chosen) {
        EventSelectMenu selected(m_bar, static_cast<UINT>(id), &m_menu);
        RaiseEvent(&selected);
    }
    return id;
}

void SMenuItem::OnLButtonDown(UINT flags, POINT point)
{
    SWindow::OnLButtonDown(flags, point);
    BringWindowToTop();
    if (::IsWindow(m_bar->GetOwnerWnd()))
        OpenMenu();
}

void SMenuItem::OnMouseMove(UINT, POINT)
{
    if (!m_bar->m_tracking || !m_bar->m_openItem || m_bar->m_openItem == this)
        return;
    m_bar->m_openItem = this;
    SMenuEx::ExitPopup(0);
    SetTimer(kSwitchTimer, kSwitchDelay);
}

void SMenuItem::OnTimer(char id)
{
    if (id != kSwitchTimer) {
        SetMsgHandled(FALSE);
        return;
    }
    if (m_bar->m_tracking)
        return;   // the menu being closed still runs: its loop ends first
    OpenMenu();
    KillTimer(kSwitchTimer);
}

// ---- The bar ------------------------------------------------------------------------

SMenuBar::SMenuBar()
{
    GetEventSet()->AddEvent(EventSelectMenu::EventID, EventSelectMenu::EventName());
}

HWND SMenuBar::GetOwnerWnd() const
{
    // The menus are the host window's popups: they open at its place and end
    // when it loses the foreground.
    ISwndContainer* const container = GetContainer();
    return container ? container->GetHostHwnd() : nullptr;
}

BOOL SMenuBar::InsertMenuButton(LPCWSTR text, LPCWSTR menuName, int index)
{
    if (!menuName || !*menuName)
        return FALSE;
    auto item = SAutoRef<SMenuItem>::Adopt(new SMenuItem(this, menuName));
    if (!item->IsMenuLoaded())
        return FALSE;
    InsertChild(item.Get());
    item->SetOwner(this);   // its events go on to the bar's subscribers
    item->BuildFromXml(m_btnStyle.document_element());
    if (text && *text)
        item->SetWindowText(text);
    SMenuItem* const button = item.Detach();   // the bar's child reference
    if (m_items.Add(button) < 0)
        return FALSE;
    if (index >= 0 && index < m_items.GetCount() - 1) {
        for (int i = m_items.GetCount() - 1; i > index; --i)
            m_items[i] = m_items[i - 1];
        m_items[index] = button;
    }
    RequestRelayoutSelf();
    return TRUE;
}

BOOL SMenuBar::BuildChildren(pugi::xml_node element)
{
    if (!element)
        return FALSE;
    m_btnStyle.reset();
    if (const pugi::xml_node style = XmlChild(element, L"btnStyle"))
        m_btnStyle.append_copy(style);
    const pugi::xml_node menus = XmlChild(element, L"menus");
    for (pugi::xml_node node = menus.first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element || _wcsicmp(node.name(), L"menuItem") != 0)
            continue;
        const std::wstring_view text = TrimBlanks(node.text().get());
        (void)InsertMenuButton(SStringW(text.data(), static_cast<int>(text.size())).c_str(),
                               XmlAttribute(node, L"menuName").value(), -1);   // a button whose menu is missing is left out
    }
    return TRUE;
}

void SMenuBar::UpdateChildrenPosition()
{
    const RECT client = GetClientRect();
    int x = client.left;
    for (int i = 0; i < m_items.GetCount(); ++i) {
        m_items[i]->OnRelayout(RECT{x + 1, client.top, x + kButtonStep, client.top + kButtonHeight});
        x += kButtonStep;
    }
}

}  // namespace SAKU
