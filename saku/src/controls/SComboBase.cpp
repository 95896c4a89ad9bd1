#include "controls/SComboBase.h"

#include "controls/SComboEdit.h"
#include "core/DeflateRect.h"
#include "core/Events.h"
#include "core/SApplication.h"
#include "core/SXmlLookup.h"
#include "core/SkinLookup.h"
#include "res.mgr/SUiDef.h"

#include <richedit.h>

namespace SAKU {

namespace {

constexpr UINT kButtonNormal = 0;
constexpr UINT kButtonHover = 1;
constexpr UINT kButtonPushed = 2;

// The edit part is no registered class: it takes the edit's class defaults itself.
void ApplyEditDefaults(SWindow* edit)
{
    SApplication* const app = SApplication::GetInstance();
    SUiDef* const holder = SUiDef::GetInstance();
    IUiDefInfo* const uiDef = holder ? holder->GetUiDef() : nullptr;
    if (!app || !uiDef)
        return;
    SObjectFactoryMgr::ApplyDefaultAttributes(edit, uiDef->GetObjDefAttr().FindClassDefaults(*app, edit->GetObjectClass()));
}

// The mute of an event set for a scope; the earlier state comes back at its end.
class MutedEvents {
public:
    explicit MutedEvents(SWindow* window) : m_set(window->GetEventSet()), m_was(m_set->IsMuted()) { m_set->SetMuted(true); }
    ~MutedEvents() { m_set->SetMuted(m_was); }
    MutedEvents(const MutedEvents&) = delete;
    MutedEvents& operator=(const MutedEvents&) = delete;

private:
    SEventSet* m_set;
    bool m_was;
};

}  // namespace

SComboBase::SComboBase() : m_btnSkin(FindBuiltinSkin(L"_skin.sys.dropbtn"))
{
    ApplyAttribute(L"focusable", L"1", TRUE);
    m_style.ApplyAttribute(L"align", L"left", TRUE);
    m_style.ApplyAttribute(L"valign", L"middle", TRUE);
    GetEventSet()->AddEvent(EventCBSelChange::EventID, EventCBSelChange::EventName());
    GetEventSet()->AddEvent(EventRENotify::EventID, EventRENotify::EventName());
    GetEventSet()->AddEvent(EventCBDropdown::EventID, EventCBDropdown::EventName());
}

SComboBase::~SComboBase() = default;

// ---- Items -------------------------------------------------------------------------------

int SComboBase::FindItem(LPCWSTR text, int start) const
{
    const int count = ItemCount();
    for (int i = start < 0 ? 0 : start; i < count; ++i) {
        if (ItemText(i, TRUE) == text)
            return i;
    }
    return -1;
}

void SComboBase::OnSelectionChanged()
{
    if (m_edit && !m_edit->GetEventSet()->IsMuted()) {
        const MutedEvents muted(m_edit);
        m_edit->SetWindowText(ItemText(CurrentIndex(), FALSE).c_str());
    }
    Invalidate();
    EventCBSelChange changed(this, CurrentIndex());
    RaiseEvent(&changed);
}

void SComboBase::StepSelection(int step)
{
    const int next = CurrentIndex() + step;
    if (next >= 0 && next < ItemCount())
        SelectIndex(next);
}

// ---- Text --------------------------------------------------------------------------------

SStringW SComboBase::GetWindowText(BOOL raw) const
{
    if (!IsDropList())
        return EditText();
    const int current = CurrentIndex();
    return current == -1 ? SStringW() : ItemText(current, raw);
}

void SComboBase::SetWindowText(LPCWSTR text)
{
    SWindow::SetWindowText(text);
    SelectIndex(-1);
    if (m_edit)
        m_edit->SetWindowText(text);
}

SStringW SComboBase::EditText() const
{
    return m_edit ? m_edit->GetWindowText() : SStringW();
}

// ---- Building ----------------------------------------------------------------------------

BOOL SComboBase::BuildChildren(pugi::xml_node element)
{
    if (const pugi::xml_node style = XmlChild(element, L"dropdownStyle"))
        m_dropDownStyle.append_copy(style);
    if (!IsDropList())
        CreateEditPart(element);
    CreateDropList(element);
    return TRUE;
}

void SComboBase::CreateEditPart(pugi::xml_node element)
{
    auto edit = SAutoRef<SComboEdit>::Adopt(new SComboEdit(this));
    ApplyEditDefaults(edit.Get());
    InsertChild(edit.Get());
    m_edit = edit.Get();
    {
        const MutedEvents muted(m_edit);
        if (const pugi::xml_node style = XmlChild(element, L"editStyle"))
            m_edit->BuildFromXml(style);
        else
            m_edit->SendSwndMessage(WM_CREATE);
    }
    m_edit->ApplyAttribute(L"id", L"-100", TRUE);
    m_edit->SendSwndMessage(EM_SETEVENTMASK, 0, ENM_CHANGE);
    edit.Detach();   // the tree holds the child
}

SWindow* SComboBase::MakeDropList(pugi::xml_node element, LPCWSTR defaultClass, LPCWSTR requiredClass)
{
    SApplication* const app = SApplication::GetInstance();
    if (!app)
        return nullptr;
    const pugi::xml_node style = XmlChild(element, L"listStyle");
    const pugi::xml_attribute wndclass = XmlAttribute(style, L"wndclass");
    SWindow* const made = app->CreateWindowByName(wndclass ? wndclass.value() : defaultClass);
    if (!made)
        return nullptr;
    if (!made->IsClass(requiredClass)) {
        made->Release();
        return nullptr;
    }
    made->SetContainer(GetContainer());
    made->BuildFromXml(style);
    made->ApplyAttribute(L"pos", L"0,0,-0,-0", TRUE);
    made->ApplyAttribute(L"hotTrack", L"1", TRUE);
    made->SetOwner(this);
    made->ApplyAttribute(L"id", L"-200", TRUE);
    return made;
}

void SComboBase::ReleaseDropList(SWindow* list)
{
    if (!list)
        return;
    list->SendSwndMessage(WM_DESTROY);
    list->Release();
}

// ---- Geometry ----------------------------------------------------------------------------

int SComboBase::ButtonWidth(int height) const
{
    const SIZE skin = m_btnSkin ? m_btnSkin->QuerySkinSize() : SIZE{};
    // Without a skin (or one of no height) the button is a square.
    if (skin.cx <= 0 || skin.cy <= 0)
        return height;
    return height * skin.cx / skin.cy;
}

void SComboBase::DropButtonRect(RECT* rect) const
{
    const RECT client = GetClientRect();
    const int h = client.bottom - client.top;
    const int w = ButtonWidth(h);
    *rect = RECT{client.right - w, client.top, client.right, client.bottom};
    const SIZE skin = m_btnSkin ? m_btnSkin->QuerySkinSize() : SIZE{};
    if (m_autoFitDropBtn || skin.cx <= 0 || skin.cy <= 0)
        return;
    rect->top += (h - skin.cy) / 2;
    rect->left = client.right - w + (w - skin.cx) / 2;
    rect->right = rect->left + skin.cx;
    rect->bottom = rect->top + skin.cy;
}

void SComboBase::GetTextRect(RECT* rect) const
{
    SWindow::GetTextRect(rect);
    const RECT client = GetClientRect();
    rect->right -= ButtonWidth(client.bottom - client.top);
}

void SComboBase::UpdateChildrenPosition()
{
    SWindow::UpdateChildrenPosition();
    if (!m_edit)
        return;
    const RECT client = GetClientRect();
    const RECT padding = m_style.GetPaddingRect();
    RECT place = DeflateRect(client, padding);
    place.right -= ButtonWidth(client.bottom - client.top);
    m_edit->Move(&place);
}

BOOL SComboBase::PlaceDropDown(int height, RECT* rect) const
{
    const DropDownAnchor anchor = AnchorOfDropDown(*this);
    const RECT& control = anchor.control;
    if (anchor.bounds.bottom < control.bottom + height) {
        *rect = RECT{control.left, control.top - height, control.right, control.top};
        return FALSE;
    }
    *rect = RECT{control.left, control.bottom, control.right, control.bottom + height};
    return TRUE;
}

// ---- Popup -------------------------------------------------------------------------------

void SComboBase::OpenDropDown()
{
    // An empty combo whose list could not be made has nothing to show.
    if (m_btnState == kButtonPushed || !DropList())
        return;
    if (!m_dropDownWnd) {
        m_dropDownWnd = new SDropDownWnd_ComboBox(this);
        m_dropDownWnd->SendSwndMessage(UM_SETSCALE, GetScale());
    }
    EventCBDropdown dropping(this, m_dropDownWnd);
    RaiseEvent(&dropping);
    if (!m_dropDownWnd)
        return;   // a subscriber closed it again

    RECT place = {};
    const BOOL below = PlaceDropDown(DropListHeight(), &place);
    SDropDownWnd* const popup = m_dropDownWnd;
    if (!popup->CreatePopup(place, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST)) {
        // Never shown: the popup goes with its filter, and the combo stays closed.
        m_dropDownWnd = nullptr;
        popup->Release();
        SetButtonState(kButtonNormal);
        return;
    }
    if (m_animateTime < 1) {
        ::SetWindowPos(popup->GetHwnd(), nullptr, 0, 0, 0, 0,
                       SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    } else {
        popup->AnimateHostWindow(static_cast<DWORD>(m_animateTime), AW_SLIDE | (below ? AW_VER_POSITIVE : AW_VER_NEGATIVE));
    }
    if (m_dropDownWnd == popup && popup->GetHwnd())
        ::SetCapture(popup->GetHwnd());
}

void SComboBase::CloseDropDown()
{
    if (m_dropDownWnd)
        m_dropDownWnd->Dismiss(IDCANCEL);
}

void SComboBase::OnDropDownCreated(SDropDownWnd* dropDown)
{
    // The popup's texts translate as the combo's unless its style names a context;
    // without a style the popup takes no more than that context.
    pugi::xml_node style = XmlChild(m_dropDownStyle, L"dropdownStyle");
    if (!style)
        style = m_dropDownStyle.append_child(L"dropdownStyle");
    if (!XmlAttribute(style, L"trCtx"))
        style.append_attribute(L"trCtx") = GetTrCtx();
    dropDown->BuildFromXml(style);
    SetButtonState(kButtonPushed);

    SWindow* const list = DropList();
    dropDown->InsertChild(list);
    dropDown->UpdateChildrenPosition();
    list->SetVisible(TRUE);
    list->SetFocus();
    ShowCurrentInList();
}

void SComboBase::OnDropDownDestroyed(SDropDownWnd* dropDown)
{
    if (SWindow* const list = DropList()) {
        dropDown->RemoveChild(list);
        list->SetVisible(FALSE);
        list->SetContainer(GetContainer());
    }
    if (m_edit)
        m_edit->SetFocus();
    m_dropDownWnd = nullptr;
    SetButtonState(kButtonNormal);
    if (GetState() & WndState_Hover)
        ModifyState(0, WndState_Hover, TRUE);
    if (ISwndContainer* const container = GetContainer()) {
        // Whatever lies under the pointer now learns it, as the popup held the mouse.
        if (const HWND host = container->GetHostHwnd()) {
            POINT point = {};
            ::GetCursorPos(&point);
            ::ScreenToClient(host, &point);
            ::PostMessageW(host, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        }
    }
    if (dropDown->GetExitCode() == IDOK)
        OnSelectionChanged();
}

BOOL SComboBase::RaiseEvent(EventArgs* args)
{
    // Typing clears the list's choice but keeps the typed text: the edit is muted,
    // so the change does not write the (empty) item text back into it.
    if (args->GetID() == EventRENotify::EventID && m_edit && !m_edit->GetEventSet()->IsMuted() &&
        static_cast<EventRENotify*>(args)->code == EN_CHANGE) {
        const MutedEvents muted(m_edit);
        SelectIndex(-1);
    }
    return SWindow::RaiseEvent(args);
}

// ---- Environment -------------------------------------------------------------------------

void SComboBase::ApplyColorize(COLORREF color)
{
    SWindow::ApplyColorize(color);
    if (m_btnSkin)
        m_btnSkin->ApplyColorize(color);
    if (m_dropDownWnd)
        m_dropDownWnd->BroadcastMessage(UM_SETCOLORIZE, color);
}

int SComboBase::OnLanguageChanged()
{
    const int result = SWindow::OnLanguageChanged();
    if (m_dropDownWnd)
        m_dropDownWnd->BroadcastMessage(UM_SETLANGUAGE);
    return result;
}

void SComboBase::OnScaleChanged(int scale)
{
    SWindow::OnScaleChanged(scale);
    if (m_dropDownWnd)
        m_dropDownWnd->BroadcastMessage(UM_SETSCALE, scale);
    m_btnSkin = RescaleSkin(m_btnSkin, scale);
}

BOOL SComboBase::IsFocusable() const
{
    return IsDropList() && SWindow::IsFocusable();
}

// ---- Messages ----------------------------------------------------------------------------

void SComboBase::SetButtonState(UINT state)
{
    if (state == m_btnState)
        return;
    m_btnState = state;
    RECT button = {};
    DropButtonRect(&button);
    InvalidateRect(button);
}

void SComboBase::OnDestroy()
{
    CloseDropDown();
    SWindow::OnDestroy();
    DestroyDropList();
}

void SComboBase::OnSetFocus(SWND oldFocus, int reason)
{
    if (m_edit)
        m_edit->SetFocus();
    else
        SWindow::OnSetFocus(oldFocus, reason);
}

void SComboBase::OnKillFocus(SWND newFocus)
{
    SWindow::OnKillFocus(newFocus);
    CloseDropDown();
}

void SComboBase::OnPaint(IRenderTarget* target)
{
    SPaintState saved;
    PreparePaint(target, saved);
    if (IsDropList() && CurrentIndex() != -1) {
        RECT text = {};
        GetTextRect(&text);
        const SStringW shown = GetWindowText();
        DrawText(target, shown.c_str(), shown.GetLength(), &text, GetTextFormat());
    }
    if (IsFocused())
        DrawFocus(target);
    AfterPaint(target, saved);
    if (m_btnSkin) {
        RECT button = {};
        DropButtonRect(&button);
        const int state = m_btnState == kButtonPushed ? 2 : m_btnState == kButtonHover ? 1 : 0;
        m_btnSkin->DrawByIndex(target, &button, state);
    }
}

void SComboBase::OnKeyDown(UINT key, UINT, UINT)
{
    if (key == VK_LEFT || key == VK_UP)
        StepSelection(-1);
    else if (key == VK_RIGHT || key == VK_DOWN)
        StepSelection(1);
}

// The list box hands characters on with the key data's halves exchanged; the edit
// gets them back as the list received them.
void SComboBase::OnChar(UINT character, UINT repeatCount, UINT flags)
{
    if (IsDropList())
        return;
    if (SWindow* const edit = FindChildByID(kEditId, 1))
        edit->SendSwndMessage(WM_CHAR, character, MAKELPARAM(flags, repeatCount));
}

void SComboBase::OnMouseMove(UINT, POINT point)
{
    if (m_btnState == kButtonPushed)
        return;
    RECT button = {};
    DropButtonRect(&button);
    SetButtonState(::PtInRect(&button, point) ? kButtonHover : kButtonNormal);
}

void SComboBase::OnLButtonDown(UINT, POINT)
{
    SetFocus();
    OpenDropDown();
}

LRESULT SComboBase::OnMouseWheel(UINT, short delta, POINT)
{
    StepSelection(delta <= 0 ? 1 : -1);
    return 1;
}

void SComboBase::OnMouseLeave()
{
    if (m_btnState == kButtonPushed)
        return;
    if (GetState() & WndState_Hover)
        SWindow::OnMouseLeave();
    SetButtonState(kButtonNormal);
}

}  // namespace SAKU
