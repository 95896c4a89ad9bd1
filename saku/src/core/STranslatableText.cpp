// Scaffolding: translation arrives with the window object.
#include "core/STranslatableText.h"

namespace SAKU {

void STranslatableText::SetText(const SStringW& raw)
{
    m_raw = raw;
    m_translated = raw;
}

void STranslatableText::TranslateText() {}

}  // namespace SAKU
