#include "controls/SComboEdit.h"

#include "core/Events.h"

namespace SAKU {

SComboEdit::SComboEdit(SWindow* combo)
{
    SetOwner(combo);
}

BOOL SComboEdit::RaiseEvent(EventArgs* args)
{
    if (args->GetID() == EventRENotify::EventID && GetOwner()) {
        args->idFrom = GetOwner()->GetID();
        args->nameFrom = GetOwner()->GetName();
    }
    return SEdit::RaiseEvent(args);
}

void SComboEdit::OnMouseHover(UINT keys, POINT point)
{
    SEdit::OnMouseHover(keys, point);
    if (GetOwner())
        GetOwner()->SendSwndMessage(WM_MOUSEHOVER, keys, MAKELPARAM(point.x, point.y));
}

void SComboEdit::OnMouseLeave()
{
    SEdit::OnMouseLeave();
    if (GetOwner())
        GetOwner()->SendSwndMessage(WM_MOUSELEAVE);
}

void SComboEdit::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    if ((key == VK_DOWN || key == VK_ESCAPE) && GetOwner()) {
        GetOwner()->SendSwndMessage(WM_KEYDOWN, key, MAKELPARAM(repeatCount, flags));
        return;
    }
    SetMsgHandled(FALSE);   // the edit's own keys
}

}  // namespace SAKU
