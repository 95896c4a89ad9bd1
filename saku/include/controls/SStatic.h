#pragma once

#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"

namespace SAKU {

// The static text ("text"): a label that never takes the mouse. With multiLines
// set it breaks its text itself, character by character, at "\n" (written as the
// two characters backslash and n), at line feeds and where a character would pass
// the right edge, and leaves interHeight pixels between lines. Owned by its parent
// like every window; UI thread only.
class SStatic : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"text", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    SStatic();

    int GetMultiLines() const { return m_multiLines; }
    int GetInterHeight() const { return m_interHeight; }

    BEGIN_ATTRIBUTES(SStatic)
        ATTRIBUTE_FIELD(L"multiLines",  m_multiLines,  ParseIntOrZero, kNoRefresh)
        ATTRIBUTE_FIELD(L"interHeight", m_interHeight, ParseIntOrZero, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // SWindow overrides
    void DrawText(IRenderTarget* target, LPCWSTR text, int length, RECT* rect, UINT format) override;

private:
    // The line breaker. With DT_CALCRECT in `format` it draws nothing and makes
    // `rect` the block's extent (right from the widest line, bottom from the last);
    // otherwise it draws each line into {left, y, right, y + line height}. A length
    // of -1 reads up to the terminating zero.
    void DrawMultiLine(IRenderTarget* target, LPCWSTR text, int length, RECT* rect, UINT format);

    int m_multiLines = 0;
    int m_interHeight = 5;   // pixels, not scaled
};

}  // namespace SAKU
