#pragma once

#include "core/TStringT.h"

namespace SAKU {

// Modifier bits of an accelerator.
constexpr WORD kAccelAlt = 1;
constexpr WORD kAccelCtrl = 2;
constexpr WORD kAccelShift = 4;

// A key combination (a virtual key and the Ctrl, Alt and Shift modifiers) with its
// text form both ways: "Ctrl+Shift+F5" to show it, the same text in any case to
// read it back. Its packed form, modifiers in the high word and the key in the low
// word, is what buttons and the focus manager register. A plain value; any thread.
class CAccelerator {
public:
    CAccelerator() = default;   // no key, no modifier
    CAccelerator(WORD key, bool ctrl, bool alt, bool shift);
    explicit CAccelerator(DWORD packed);

    WORD GetModifier() const { return m_modifiers; }
    WORD GetKey() const { return m_key; }
    DWORD GetPacked() const { return static_cast<DWORD>(m_modifiers) << 16 | m_key; }
    // Any word is kept as given; FormatAccelText shows no prefix for bits beyond 1, 2 and 4.
    void SetModifier(WORD modifiers) { m_modifiers = modifiers; }
    void SetKey(WORD key) { m_key = key; }

    // "无" for no key and no modifier; otherwise the modifiers' prefix and KeyName.
    SStringW FormatAccelText() const;
    // The shown name of one key; empty when it has none.
    static SStringW KeyName(WORD key);
    // The packed accelerator of a text such as "ctrl+num +"; 0 when it is unusable.
    // A text naming modifiers only gives them with key 0; so does an unknown key.
    static DWORD ParseAccelText(const SStringW& text);

private:
    WORD m_modifiers = 0;
    WORD m_key = 0;
};

}  // namespace SAKU
