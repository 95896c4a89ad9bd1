#include "controls/SButton.h"

#include "core/ISkinObj.h"
#include "core/SkinLookup.h"

namespace SAKU {

namespace {

// Each frame of a fade adds this much alpha: from 5, ten frames reach 255.
constexpr BYTE kFadeStart = 5;
constexpr BYTE kFadeStep = 25;
constexpr BYTE kOpaque = 0xFF;

bool IsPressKey(UINT key)
{
    return key == VK_SPACE || key == VK_RETURN;
}

}  // namespace

SButton::SButton()
{
    m_skin = FindBuiltinSkin(L"_skin.sys.btn.normal");
    ApplyAttribute(L"focusable", L"1", TRUE);
}

BOOL SButton::BuildFromXml(pugi::xml_node element)
{
    if (!SWindow::BuildFromXml(element))
        return FALSE;   // refused and gone
    // "下一步(&N)": the character after the ampersand inside the closing
    // parentheses is the button's Alt key.
    const SStringW text = GetWindowText();
    const wchar_t* const chars = text.c_str();
    const int length = text.GetLength();
    if (length == 0 || chars[length - 1] != L')')
        return TRUE;
    int open = length - 1;
    while (open >= 0 && chars[open] != L'(')
        --open;
    if (open >= 0 && open + 2 < length && chars[open + 1] == L'&') {
        SStringW accel = L"alt+";
        accel += chars[open + 2];
        SetAccel(CAccelerator::ParseAccelText(accel));
    }
    return TRUE;
}

HRESULT SButton::OnAttrAccel(const SStringW& value, BOOL)
{
    return SetAccel(CAccelerator::ParseAccelText(value)) ? kRefresh : kNoRefresh;
}

bool SButton::SetAccel(DWORD packed)
{
    UnregisterAccel();
    m_accel = packed;
    if (m_accel == 0)
        return false;
    ISwndContainer* const container = GetContainer();
    if (IAcceleratorMgr* const accelerators = container ? container->GetAcceleratorMgr() : nullptr)
        accelerators->RegisterAccelerator(CAccelerator(m_accel), this);
    return true;
}

void SButton::UnregisterAccel()
{
    if (m_accel == 0)
        return;
    ISwndContainer* const container = GetContainer();
    if (IAcceleratorMgr* const accelerators = container ? container->GetAcceleratorMgr() : nullptr)
        accelerators->UnregisterAccelerator(CAccelerator(m_accel), this);
}

bool SButton::OnAcceleratorPressed(const CAccelerator&)
{
    if (IsDisabled(TRUE))
        return false;
    FireCommand();
    return true;
}

void SButton::OnNextFrame()
{
    m_fadeAlpha = static_cast<BYTE>(m_fadeAlpha + kFadeStep);
    if (m_fadeAlpha == kOpaque)
        StopCurAnimate();
    Invalidate();
}

// It takes characters: Space and Enter press it.
UINT SButton::OnGetDlgCode() const
{
    return kDlgCodeWantChars;
}

SIZE SButton::MeasureDesiredSize(const RECT* container)
{
    if (m_skin) {
        const SIZE size = m_skin->QuerySkinSize();
        if (size.cx != 0 && size.cy != 0)
            return size;
    }
    return SWindow::MeasureDesiredSize(container);
}

void SButton::OnStateChanged(DWORD oldState, DWORD newState)
{
    SWindow::OnStateChanged(oldState, newState);
    StopCurAnimate();
    // A press holds the capture: its hover changes are no fades.
    const bool hoverChange = (oldState == WndState_Normal && newState == WndState_Hover) ||
                             (oldState == WndState_Hover && newState == WndState_Normal);
    if (GetCapture() == GetSwnd() || m_animate == 0 || !hoverChange)
        return;
    ISwndContainer* const container = GetContainer();
    if (!container)
        return;
    m_fadeAlpha = kFadeStart;
    container->RegisterTimelineHandler(this);
}

void SButton::StopCurAnimate()
{
    if (ISwndContainer* const container = GetContainer())
        container->UnregisterTimelineHandler(this);
    m_fadeAlpha = kOpaque;
}

void SButton::OnDestroy()
{
    UnregisterAccel();
    m_accel = 0;
    StopCurAnimate();
    SWindow::OnDestroy();
}

void SButton::OnSizeChanged(UINT type, SIZE size)
{
    SWindow::OnSizeChanged(type, size);
    StopCurAnimate();
}

void SButton::OnPaint(IRenderTarget* target)
{
    if (!m_skin)
        return;   // not even the text
    RECT client;
    CopyClientRect(&client);
    if (m_fadeAlpha == kOpaque) {
        m_skin->DrawByIndex(target, &client, GetPaintStateIndex());
    } else {
        const BYTE alpha = m_skin->GetAlpha();
        const BYTE fade = static_cast<BYTE>((m_fadeAlpha * alpha) >> 8);
        m_skin->DrawByIndexAlpha(target, &client, 0, alpha);
        const bool fadingIn = (GetState() & WndState_Hover) != 0;
        m_skin->DrawByIndexAlpha(target, &client, 1, fadingIn ? fade : static_cast<BYTE>(alpha - fade));
    }
    SWindow::OnPaint(target);
}

BOOL SButton::OnEraseBkgnd(IRenderTarget*)
{
    return TRUE;
}

void SButton::OnKeyDown(UINT key, UINT, UINT)
{
    if (!IsPressKey(key)) {
        SetMsgHandled(FALSE);
        return;
    }
    ModifyState(WndState_PushDown, 0, TRUE);
}

void SButton::OnKeyUp(UINT key, UINT, UINT)
{
    if (!IsPressKey(key)) {
        SetMsgHandled(FALSE);
        return;
    }
    if (!(GetState() & WndState_PushDown))
        return;
    ModifyState(0, WndState_PushDown, TRUE);
    FireCommand();
}

}  // namespace SAKU
