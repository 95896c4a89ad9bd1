#pragma once

#include "core/TStringT.h"

namespace SAKU {

// Whatever gives texts their translation context (a window: its container's).
struct ITrCtxProvider {
    virtual LPCWSTR GetTrCtx() const = 0;

protected:
    ~ITrCtxProvider() = default;
};

// A text as written (raw) and as shown (translated by the application's
// translator in the owner's context). SetText translates at once; a language
// change calls TranslateText again.
class STranslatableText {
public:
    explicit STranslatableText(const ITrCtxProvider* owner) : m_owner(owner) {}

    void SetText(const SStringW& raw);
    const SStringW& GetText(BOOL raw = FALSE) const { return raw ? m_raw : m_translated; }
    // Nothing without an owner.
    void TranslateText();

    // A text as the application's translator gives it in `context`.
    static SStringW Translate(const SStringW& text, LPCWSTR context);

private:
    const ITrCtxProvider* m_owner;
    SStringW m_raw;
    SStringW m_translated;
};

}  // namespace SAKU
