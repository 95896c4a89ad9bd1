#pragma once

#include "controls/SRichEdit.h"
#include "core/STranslatableText.h"
#include "res.mgr/SResProviderMgr.h"

namespace SAKU {

// The plain edit box ("edit"): a rich edit without rich text that selects all its
// text when it takes the focus, and shows a placeholder ("cueText", in
// "cueColor") while it is empty and unfocused. Owned by its parent like every
// window; UI thread only.
class SEdit : public SRichEdit {
public:
    SOBJECT_CLASS(SRichEdit, L"edit", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"richedit")

    SEdit();

    const SStringW& GetCueText() const { return m_cueText.GetText(FALSE); }
    COLORREF GetCueColor() const { return m_cueColor; }

    BEGIN_ATTRIBUTES(SEdit)
        ATTRIBUTE_COLOR(L"cueColor", m_cueColor, kRefresh)
        ATTRIBUTE_TEXT (L"cueText",  m_cueText,  kRefresh)
    END_ATTRIBUTES_CHAIN(SRichEdit)

    // SWindow overrides
    int OnLanguageChanged() override;

    BEGIN_SWND_MESSAGES(SEdit)
        MSG_WM_PAINT_EX    (OnPaint)
        MSG_WM_SETFOCUS_EX (OnSetFocus)
        MSG_WM_KILLFOCUS_EX(OnKillFocus)
    END_SWND_MESSAGES_CHAIN(SRichEdit)

protected:
    void OnPaint(IRenderTarget* target);
    void OnSetFocus(SWND oldFocus);
    void OnKillFocus(SWND newFocus);

private:
    // Whether the placeholder is what the edit shows now.
    bool ShowsCue() const;

    COLORREF m_cueColor = 0xFFCCCCCC;
    STranslatableText m_cueText{this};
};

}  // namespace SAKU
