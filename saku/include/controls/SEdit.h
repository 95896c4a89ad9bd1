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

    BEGIN_SWND_MSG_MAP(SEdit)
        MSG_HANDLER  (WM_PAINT,     OnPaint)
        MSG_HANDLER  (WM_SETFOCUS,  OnSetFocus)
        MSG_HANDLER  (WM_KILLFOCUS, OnKillFocus)
        CHAIN_MSG_MAP(SRichEdit)
    END_MSG_MAP()

protected:
    void OnPaint(IRenderTarget* target);
    void OnSetFocus(SWND oldFocus, int reason);
    void OnKillFocus(SWND newFocus);

private:
    // Whether the placeholder is what the edit shows now.
    bool ShowsCue() const;

    COLORREF m_cueColor = 0xFFCCCCCC;
    STranslatableText m_cueText{this};
};

}  // namespace SAKU
