#include "controls/SSpinButtonCtrl.h"

#include "SpinStep.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"
#include "core/SWindowMgr.h"

#include <cwchar>

namespace SAKU {

namespace {

// A control without a width of its own is this wide.
constexpr int kDefaultWidth = 16;

}  // namespace

SSpinButtonCtrl::SSpinButtonCtrl()
{
    GetEventSet()->AddEvent(EventSpinValue2String::EventID, EventSpinValue2String::EventName());
}

HRESULT SSpinButtonCtrl::OnAttrValue(const SStringW& value, BOOL loading)
{
    wchar_t* end = nullptr;
    const long parsed = std::wcstol(value.c_str(), &end, 10);
    if (end == value.c_str())
        return E_INVALIDARG;
    m_value = static_cast<int>(parsed);
    if (!loading)
        UpdateBuddy();
    return S_FALSE;
}

SWindow* SSpinButtonCtrl::GetUpButton() const
{
    return m_upButton ? SWindowMgr::GetWindow(m_upButton) : nullptr;
}

SWindow* SSpinButtonCtrl::GetDownButton() const
{
    return m_downButton ? SWindowMgr::GetWindow(m_downButton) : nullptr;
}

BOOL SSpinButtonCtrl::BuildChildren(pugi::xml_node element)
{
    if (!SWindow::BuildChildren(element))
        return FALSE;
    SWindow* const up = FindChildByName(L"btn_up");
    SWindow* const down = FindChildByName(L"btn_down");
    if (!up || !down)
        return FALSE;
    m_upButton = up->GetSwnd();
    m_downButton = down->GetSwnd();
    for (SWindow* const button : {up, down})
        button->ApplyAttribute(L"focusable", L"0", FALSE);
    up->GetEventSet()->SubscribeEvent(EventCmd::EventID, Subscriber(&SSpinButtonCtrl::OnUpCommand, this));
    down->GetEventSet()->SubscribeEvent(EventCmd::EventID, Subscriber(&SSpinButtonCtrl::OnDownCommand, this));
    UpdateBuddy();
    return TRUE;
}

void SSpinButtonCtrl::UpdateChildrenPosition()
{
    SWindow* const up = GetUpButton();
    SWindow* const down = GetDownButton();
    RECT client;
    CopyClientRect(&client);
    if (!up || !down || ::IsRectEmpty(&client))
        return;
    const int half = (client.bottom - client.top) / 2;
    up->OnRelayout(RECT{client.left, client.top, client.right, client.top + half});
    down->OnRelayout(RECT{client.left, client.top + half, client.right, client.top + 2 * half});
}

SIZE SSpinButtonCtrl::MeasureDesiredSize(const RECT* container)
{
    ILayoutParam* const param = GetLayoutParam();
    const int scale = GetScale();
    SIZE size = {kDefaultWidth, container ? container->bottom - container->top : 0};
    if (param && param->IsSpecifiedSize(Horz))
        size.cx = param->GetSpecifiedSize(Horz).ToPixelSize(scale);
    if (param && param->IsSpecifiedSize(Vert))
        size.cy = param->GetSpecifiedSize(Vert).ToPixelSize(scale);
    return size;
}

BOOL SSpinButtonCtrl::OnUpCommand(EventArgs*)
{
    Step(true);
    return TRUE;
}

BOOL SSpinButtonCtrl::OnDownCommand(EventArgs*)
{
    Step(false);
    return TRUE;
}

void SSpinButtonCtrl::Step(bool up)
{
    m_value = SpinStep(m_value, m_step, up, m_min, m_max, m_circle != 0);
    UpdateBuddy();
}

void SSpinButtonCtrl::UpdateBuddy()
{
    SWindow* const parent = GetParent();
    if (!parent || m_buddyName.IsEmpty() || !parent->FindChildByName(m_buddyName.c_str()))
        return;
    EventSpinValue2String text(this, m_value);
    text.text.Format(L"%d", m_value);
    RaiseEvent(&text);
    // A subscriber may have taken the buddy away meanwhile.
    if (SWindow* const buddy = parent->FindChildByName(m_buddyName.c_str()))
        buddy->SetWindowText(text.text.c_str());
}

}  // namespace SAKU
