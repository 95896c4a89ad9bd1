#include "controls/SHotKeyCtrl.h"

#include "core/Events.h"
#include "core/SApplication.h"
#include "render/IRenderFactory.h"
#include "render/IRenderTarget.h"

namespace SAKU {

namespace {

// The "invalidComb" bit of each modifier value (1 Alt, 2 Ctrl, 4 Shift, or-ed).
constexpr WORD kCombinationBits[] = {
    kHotKeyCombNone,  kHotKeyCombAlt,      kHotKeyCombCtrl,      kHotKeyCombCtrlAlt,
    kHotKeyCombShift, kHotKeyCombShiftAlt, kHotKeyCombCtrlShift, kHotKeyCombCtrlShiftAlt,
};

bool IsHeld(int key)
{
    return (::GetKeyState(key) & 0x8000) != 0;
}

bool IsModifierKey(UINT key)
{
    return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU;
}

// A render target to measure in; null without the application's render factory.
SAutoRef<IRenderTarget> MeasuringTarget()
{
    SApplication* const app = SApplication::GetInstance();
    IRenderFactory* const factory = app ? app->GetRenderFactory() : nullptr;
    SAutoRef<IRenderTarget> target;
    if (!factory || !factory->CreateRenderTarget(target.Put(), 0, 0))
        return nullptr;
    return target;
}

}  // namespace

SHotKeyCtrl::SHotKeyCtrl()
{
    ApplyAttribute(L"focusable", L"1", TRUE);
    GetEventSet()->AddEvent(EventSetHotKey::EventID, EventSetHotKey::EventName());
}

// ---- Attributes --------------------------------------------------------------------------

std::optional<WORD> SHotKeyCtrl::ParseLowWord(const SStringW& value)
{
    const std::optional<int> number = ParseInt(value);
    if (!number)
        return std::nullopt;
    return static_cast<WORD>(*number & 0xFFFF);
}

HRESULT SHotKeyCtrl::OnAttrCombKey(const SStringW& value, BOOL)
{
    const std::optional<WORD> modifiers = ParseLowWord(value);
    if (!modifiers)
        return E_INVALIDARG;
    SetModifier(*modifiers);
    return kRefresh;
}

HRESULT SHotKeyCtrl::OnAttrHotKey(const SStringW& value, BOOL)
{
    const std::optional<WORD> key = ParseLowWord(value);
    if (!key)
        return E_INVALIDARG;
    SetKey(*key);
    return kRefresh;
}

// ---- Keys ----------------------------------------------------------------------------------

void SHotKeyCtrl::ReadModifiers()
{
    const WORD held = static_cast<WORD>((IsHeld(VK_MENU) ? kAccelAlt : 0) | (IsHeld(VK_CONTROL) ? kAccelCtrl : 0) |
                                        (IsHeld(VK_SHIFT) ? kAccelShift : 0));
    SetModifier((kCombinationBits[held] & m_invalidComb) ? m_defCombKey : held);
    EventSetHotKey set(this, GetKey(), GetModifier());
    RaiseEvent(&set);
}

void SHotKeyCtrl::OnKeyDown(UINT key, UINT, UINT)
{
    // The event's subscribers may destroy the control.
    const SAutoRef<SWindow> self(this);
    if (!m_setting) {
        m_setting = true;
        SetKey(0);
        SetModifier(m_defCombKey);
    }
    // Keys that have no name (the modifiers themselves among them) leave the key as it is.
    if (!KeyName(static_cast<WORD>(key)).IsEmpty())
        SetKey(static_cast<WORD>(key));
    ReadModifiers();
    PlaceCaret();
    Invalidate();
}

void SHotKeyCtrl::OnKeyUp(UINT key, UINT, UINT)
{
    if (!m_setting)
        return;
    if (key == GetKey()) {
        m_setting = false;   // the combination is complete
        return;
    }
    if (GetKey() != 0 || IsHeld(VK_SHIFT) || IsHeld(VK_CONTROL) || IsHeld(VK_MENU)) {
        if (!IsModifierKey(key))
            return;
    } else {
        m_setting = false;   // everything was let go without a key: the modifiers read now stay
    }
    const SAutoRef<SWindow> self(this);
    ReadModifiers();
    PlaceCaret();
    Invalidate();
}

void SHotKeyCtrl::OnSysKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    if (!IsHeld(VK_MENU)) {
        SetMsgHandled(FALSE);   // F10 without Alt: the system's
        return;
    }
    OnKeyDown(key, repeatCount, flags);
}

void SHotKeyCtrl::OnSysKeyUp(UINT key, UINT repeatCount, UINT flags)
{
    if (key != VK_MENU && !IsHeld(VK_MENU)) {
        SetMsgHandled(FALSE);
        return;
    }
    OnKeyUp(key, repeatCount, flags);
}

// ---- Focus, caret and painting ---------------------------------------------------------------

int SHotKeyCtrl::OnCreate(LPCREATESTRUCT createStruct)
{
    const int created = OnWindowCreate(createStruct);
    if (created != 0)
        return created;
    // The font the control's text is painted in, inherited as painting inherits it.
    if (const SAutoRef<IRenderTarget> target = MeasuringTarget()) {
        ApplyAncestorPaintState(target.Get());
        m_font = static_cast<IFont*>(target->GetCurrentObject(kRenderObjFont));
    }
    return 0;
}

SIZE SHotKeyCtrl::MeasureText(const SStringW& text) const
{
    SIZE size = {0, 0};
    const SAutoRef<IRenderTarget> target = MeasuringTarget();
    if (!target)
        return size;
    if (m_font)
        target->SelectObject(m_font.Get());
    target->MeasureText(text.c_str(), text.GetLength(), &size);
    return size;
}

void SHotKeyCtrl::PlaceCaret()
{
    RECT text;
    GetTextRect(&text);
    const SIZE size = MeasureText(FormatAccelText());
    SetCaretPos(text.left + size.cx, text.top + (text.bottom - text.top - size.cy) / 2);
}

void SHotKeyCtrl::OnSetFocus(SWND oldFocus, int reason)
{
    CreateCaret(nullptr, 1, MeasureText(L"A").cy);
    PlaceCaret();
    ShowCaret(TRUE);
    SWindow::OnSetFocus(oldFocus, reason);
}

void SHotKeyCtrl::OnKillFocus(SWND newFocus)
{
    ShowCaret(FALSE);
    SWindow::OnKillFocus(newFocus);
}

void SHotKeyCtrl::OnPaint(IRenderTarget* target)
{
    SPaintState saved;
    PreparePaint(target, saved);
    RECT text;
    GetTextRect(&text);
    const SStringW shown = FormatAccelText();
    DrawText(target, shown.c_str(), shown.GetLength(), &text, DT_SINGLELINE | DT_VCENTER);
    AfterPaint(target, saved);
}

void SHotKeyCtrl::OnLButtonDown(UINT flags, POINT point)
{
    const SAutoRef<SWindow> self(this);
    SWindow::OnLButtonDown(flags, point);
    SetFocus();   // also when "focusable" was turned off
}

}  // namespace SAKU
