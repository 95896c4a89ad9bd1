#include "controls/SCheckBox.h"

namespace SAKU {

HRESULT SCheckBox::OnAttrChecked(const SStringW& value, BOOL)
{
    SetCheck(value != L"0");
    return kNoRefresh;
}

void SCheckBox::DrawFocus(IRenderTarget* target)
{
    if (!DrawFocusSkin(target))
        SWindow::DrawFocus(target);
}

// It takes characters: Space flips it.
UINT SCheckBox::OnGetDlgCode() const
{
    return kDlgCodeWantChars;
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
