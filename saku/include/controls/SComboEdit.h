#pragma once

#include "controls/SEdit.h"

namespace SAKU {

// The edit part of an editable combo box: its notifications name the combo as
// their sender, its hover follows to the combo, and Down and Escape go to the
// combo. Made and owned (as a child) by the combo; UI thread.
class SComboEdit : public SEdit {
public:
    explicit SComboEdit(SWindow* combo);

    // SWindow overrides
    BOOL RaiseEvent(EventArgs* args) override;

    BEGIN_SWND_MSG_MAP(SComboEdit)
        MSG_HANDLER  (WM_MOUSEHOVER, OnMouseHover)
        MSG_HANDLER  (WM_MOUSELEAVE, OnMouseLeave)
        MSG_HANDLER  (WM_KEYDOWN,    OnKeyDown)
        CHAIN_MSG_MAP(SEdit)
    END_MSG_MAP()

protected:
    void OnMouseHover(UINT keys, POINT point);
    void OnMouseLeave();
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags);
};

}  // namespace SAKU
