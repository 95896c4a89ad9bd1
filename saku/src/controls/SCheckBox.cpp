#include "controls/SCheckBox.h"

namespace SAKU {

namespace {

// The dialog code of a check box: it takes characters (Space flips it).
constexpr UINT kDlgCodeWantChars = 8;

}  // namespace

SCheckBox::SCheckBox()
{
    m_style.ApplyAttribute(L"align", L"left", TRUE);
    ApplyAttribute(L"focusable", L"1", TRUE);
}

HRESULT SCheckBox::OnAttrSkin(const SStringW& value, BOOL)
{
    m_box.SetBox(value, GetScale());
    return kNoRefresh;
}

HRESULT SCheckBox::OnAttrFocusSkin(const SStringW& value, BOOL)
{
    m_box.SetFocus(value, GetScale());
    return kNoRefresh;
}

HRESULT SCheckBox::OnAttrChecked(const SStringW& value, BOOL)
{
    SetCheck(value != L"0");
    return kNoRefresh;
}

void SCheckBox::GetTextRect(RECT* rect) const
{
    CopyClientRect(rect);
    m_box.ShiftPastBox(rect);
}

SIZE SCheckBox::MeasureDesiredSize(const RECT* container)
{
    return m_box.AddBox(SWindow::MeasureDesiredSize(container));
}

void SCheckBox::DrawFocus(IRenderTarget* target)
{
    RECT client;
    CopyClientRect(&client);
    if (!m_box.DrawFocus(target, client))
        SWindow::DrawFocus(target);
}

UINT SCheckBox::OnGetDlgCode() const
{
    return kDlgCodeWantChars;
}

void SCheckBox::ApplyColorize(COLORREF color)
{
    SWindow::ApplyColorize(color);
    m_box.ApplyColorize(color);
}

void SCheckBox::OnScaleChanged(int scale)
{
    SWindow::OnScaleChanged(scale);
    m_box.OnScaleChanged(scale);
}

void SCheckBox::OnPaint(IRenderTarget* target)
{
    RECT client;
    CopyClientRect(&client);
    m_box.DrawBox(target, client, GetState());
    SWindow::OnPaint(target);
}

void SCheckBox::OnLButtonUp(UINT flags, POINT point)
{
    // A subscriber of the command may destroy the box.
    const SAutoRef<SCheckBox> self(this);
    const RECT window = GetWindowRect();
    if ((GetState() & WndState_PushDown) && ::PtInRect(&window, point))
        SetCheck(!IsChecked());
    SWindow::OnLeftButtonUp(flags, point);
}

void SCheckBox::OnKeyDown(UINT key, UINT, UINT)
{
    if (key != VK_SPACE) {
        SetMsgHandled(FALSE);   // Enter and the rest are the dialog's
        return;
    }
    const SAutoRef<SCheckBox> self(this);
    SetCheck(!IsChecked());
    FireCommand();
}

}  // namespace SAKU
