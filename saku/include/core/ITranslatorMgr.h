#pragma once

#include "core/IObjRef.h"
#include "core/TStringT.h"

namespace SAKU {

// One language's translations of the UI's texts. Nothing of the library makes one;
// the translator manager's operations name it so that a program could.
struct ITranslator;

// Turns the UI's texts into the current language: every window text, tooltip and
// menu item passes through the application's translator, in the context its window
// names ("messagebox", ...). Reference counted; UI thread.
struct ITranslatorMgr : IObjRef {
    virtual void SetLanguage(const SStringW& language) = 0;
    virtual SStringW GetLanguage() const = 0;
    // A new translator with one reference for the caller, in `translator`; FALSE
    // and null when none can be made.
    virtual BOOL CreateTranslator(ITranslator** translator) = 0;
    virtual BOOL InstallTranslator(ITranslator* translator) = 0;
    virtual BOOL UninstallTranslator(ITranslator* translator) = 0;
    // The translation of `text` in `context`; the text itself when there is none.
    virtual SStringW Translate(const SStringW& text, const SStringW& context) = 0;

protected:
    virtual ~ITranslatorMgr() = default;   // deleted by its last Release only
};

// The translator of a program that ships one language: it has no language, makes
// and takes no translators, and gives every text back as it is. The application
// makes it.
class SNullTranslator : public TObjRefImpl<ITranslatorMgr> {
public:
    // ITranslatorMgr overrides
    void SetLanguage(const SStringW&) override {}
    SStringW GetLanguage() const override { return SStringW(); }
    BOOL CreateTranslator(ITranslator** translator) override;
    BOOL InstallTranslator(ITranslator*) override { return FALSE; }
    BOOL UninstallTranslator(ITranslator*) override { return FALSE; }
    SStringW Translate(const SStringW& text, const SStringW&) override { return text; }
};

}  // namespace SAKU
