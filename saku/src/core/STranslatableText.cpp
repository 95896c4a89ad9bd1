#include "core/STranslatableText.h"

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

// The application installs no translator of its own yet; the default one gives
// every text back as it is, whatever the context.
SStringW STranslatableText::Translate(const SStringW& text, LPCWSTR)
{
    return text;
}

}  // namespace SAKU
