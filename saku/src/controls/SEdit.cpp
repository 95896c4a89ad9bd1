#include "controls/SEdit.h"

#include "render/RenderTargetHandles.h"

namespace SAKU {

SEdit::SEdit()
{
    ApplyAttribute(L"rich", L"0", TRUE);
    ApplyAttribute(L"autoSel", L"1", TRUE);
}

int SEdit::OnLanguageChanged()
{
    m_cueText.TranslateText();
    return SRichEdit::OnLanguageChanged();
}

bool SEdit::ShowsCue() const
{
    return !m_cueText.GetText(FALSE).IsEmpty() && !IsFocused() && GetWindowText().IsEmpty();
}

void SEdit::OnPaint(IRenderTarget* target)
{
    SRichEdit::OnPaint(target);
    if (!ShowsCue())
        return;
    SPaintState saved;
    PreparePaint(target, saved);
    RECT rect;
    CopyClientRect(&rect);
    const RECT inset = ScaledInset();
    rect.left += inset.left;
    rect.top += inset.top;
    rect.right -= inset.right;
    rect.bottom -= inset.bottom;
    {
        // Given back before AfterPaint puts the colour from before PreparePaint back.
        const UniqueTextColor cueColor = SetTargetTextColor(target, m_cueColor);
        const SStringW& cue = m_cueText.GetText(FALSE);
        target->DrawText(cue.c_str(), cue.GetLength(), &rect, DT_SINGLELINE | DT_VCENTER);
    }
    AfterPaint(target, saved);
}

void SEdit::OnSetFocus(SWND oldFocus, int reason)
{
    SRichEdit::OnSetFocus(oldFocus, reason);
    if (!m_cueText.GetText(FALSE).IsEmpty() && GetWindowText().IsEmpty())
        Invalidate();
}

void SEdit::OnKillFocus(SWND newFocus)
{
    SRichEdit::OnKillFocus(newFocus);
    if (!m_cueText.GetText(FALSE).IsEmpty() && GetWindowText().IsEmpty())
        Invalidate();
}

}  // namespace SAKU
