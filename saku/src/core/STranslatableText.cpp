#include "core/STranslatableText.h"

#include "core/ITranslatorMgr.h"
#include "core/SApplication.h"

namespace SAKU {

void STranslatableText::SetText(const SStringW& raw)
{
    m_raw = raw;
    if (m_owner)
        TranslateText();
    else
        m_translated = raw;
}

void STranslatableText::TranslateText()
{
    if (m_owner)
        m_translated = Translate(m_raw, m_owner->GetTrCtx());
}

SStringW STranslatableText::Translate(const SStringW& text, LPCWSTR context)
{
    SApplication* const app = SApplication::GetInstance();
    ITranslatorMgr* const translator = app ? app->GetTranslator() : nullptr;
    return translator ? translator->Translate(text, context ? context : L"") : text;
}

}  // namespace SAKU
