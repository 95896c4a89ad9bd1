#include "core/CAccelerator.h"

#include <cwctype>

namespace SAKU {

namespace {

// Modifier prefixes by modifier value; Alt comes last, as the program has always shown it.
const wchar_t* const kPrefixes[] = {
    L"", L"Alt+", L"Ctrl+", L"Ctrl+Alt+", L"Shift+", L"Shift+Alt+", L"Ctrl+Shift+", L"Ctrl+Shift+Alt+",
};

struct NamedKey {
    const wchar_t* name;
    WORD key;
};

// Names shown for keys; "ESC" keeps its spelling.
const NamedKey kKeyNames[] = {
    {L"Enter", VK_RETURN}, {L"ESC", VK_ESCAPE}, {L"PageUp", VK_PRIOR}, {L"PageDown", VK_NEXT},
    {L"End", VK_END},      {L"Home", VK_HOME},  {L"Left", VK_LEFT},    {L"Up", VK_UP},
    {L"Right", VK_RIGHT},  {L"Down", VK_DOWN},  {L"Insert", VK_INSERT}, {L"Num *", VK_MULTIPLY},
    {L"Num +", VK_ADD},    {L"Num Del", VK_DECIMAL},
};

// Names read back, in lower case. There is no "end": the text End does not parse.
const NamedKey kParsedNames[] = {
    {L"esc", VK_ESCAPE}, {L"enter", VK_RETURN}, {L"up", VK_UP},         {L"down", VK_DOWN},
    {L"left", VK_LEFT},  {L"right", VK_RIGHT},  {L"home", VK_HOME},     {L"pageup", VK_PRIOR},
    {L"pagedown", VK_NEXT}, {L"insert", VK_INSERT},
};

// Punctuation keys by the character they type.
const NamedKey kPunctuation[] = {
    {L",", VK_OEM_COMMA}, {L"-", VK_OEM_MINUS}, {L".", VK_OEM_PERIOD}, {L"/", VK_OEM_2},
    {L";", VK_OEM_1},     {L"=", VK_OEM_PLUS},  {L"[", VK_OEM_4},      {L"\\", VK_OEM_5},
    {L"]", VK_OEM_6},     {L"`", VK_OEM_3},     {L"'", VK_OEM_7},
};

constexpr int kMaxTextLength = 99;
constexpr int kMaxFunctionKey = 24;

// The number of a text of one or two decimal digits, or -1.
int SmallNumber(const wchar_t* digits)
{
    int number = 0;
    int count = 0;
    for (; digits[count]; ++count) {
        if (count == 2 || !iswdigit(digits[count]))
            return -1;
        number = number * 10 + (digits[count] - L'0');
    }
    return count > 0 ? number : -1;
}

WORD ParseKey(const SStringW& token)
{
    for (const NamedKey& named : kParsedNames) {
        if (token == named.name)
            return named.key;
    }
    const wchar_t first = token.c_str()[0];
    if (token.GetLength() == 1) {
        if (first >= L'a' && first <= L'z')
            return static_cast<WORD>(first - L'a' + 'A');
        if (first >= L'0' && first <= L'9')
            return first;
        for (const NamedKey& named : kPunctuation) {
            if (first == named.name[0])
                return named.key;
        }
        return 0;
    }
    // Only F1 to F24 are function keys, not every word that starts with f.
    if (first == L'f') {
        const int number = SmallNumber(token.c_str() + 1);
        return number >= 1 && number <= kMaxFunctionKey ? static_cast<WORD>(VK_F1 - 1 + number) : 0;
    }
    if (token.Left(4) == L"num ") {
        const SStringW rest = token.Mid(4);
        if (rest == L"del")
            return VK_DECIMAL;
        if (rest == L"*")
            return VK_MULTIPLY;
        if (rest == L"+")
            return VK_ADD;
        const int digit = SmallNumber(rest.c_str());
        return digit >= 0 && digit <= 9 && rest.GetLength() == 1 ? static_cast<WORD>(VK_NUMPAD0 + digit) : 0;
    }
    return 0;
}

}  // namespace

CAccelerator::CAccelerator(WORD key, bool ctrl, bool alt, bool shift)
    : m_modifiers(static_cast<WORD>((ctrl ? kAccelCtrl : 0) | (alt ? kAccelAlt : 0) | (shift ? kAccelShift : 0))),
      m_key(key)
{
}

CAccelerator::CAccelerator(DWORD packed) : m_modifiers(HIWORD(packed)), m_key(LOWORD(packed))
{
}

SStringW CAccelerator::FormatAccelText() const
{
    if (m_modifiers == 0 && m_key == 0)
        return L"无";
    SStringW text = m_modifiers < sizeof(kPrefixes) / sizeof(kPrefixes[0]) ? kPrefixes[m_modifiers] : L"";
    text += KeyName(m_key);
    return text;
}

SStringW CAccelerator::KeyName(WORD key)
{
    for (const NamedKey& named : kKeyNames) {
        if (key == named.key)
            return named.name;
    }
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        const wchar_t ch = key;
        return SStringW(&ch, 1);
    }
    SStringW name;
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        return name.Format(L"Num %d", key - VK_NUMPAD0);
    if (key >= VK_F1 && key < VK_F1 + kMaxFunctionKey)
        return name.Format(L"F%d", key - VK_F1 + 1);
    // Punctuation is named by the character the keyboard layout types with it.
    const UINT ch = ::MapVirtualKeyA(key, MAPVK_VK_TO_CHAR);
    for (const NamedKey& named : kPunctuation) {
        if (ch == static_cast<UINT>(named.name[0]))
            return named.name;
    }
    return name;
}

DWORD CAccelerator::ParseAccelText(const SStringW& text)
{
    if (text.GetLength() > kMaxTextLength)
        return 0;
    SStringW lower = text;
    lower.MakeLower();

    // Split at '+', except that the key "num +" keeps its own '+'; empty pieces are skipped.
    WORD modifiers = 0;
    SStringW token;
    const int length = lower.GetLength();
    for (int i = 0; i <= length; ++i) {
        const wchar_t ch = i < length ? lower.c_str()[i] : L'\0';
        if (i < length && (ch != L'+' || token == L"num ")) {
            token += ch;
            continue;
        }
        if (token.IsEmpty())
            continue;
        if (token == L"ctrl")
            modifiers |= kAccelCtrl;
        else if (token == L"alt")
            modifiers |= kAccelAlt;
        else if (token == L"shift")
            modifiers |= kAccelShift;
        else
            return static_cast<DWORD>(modifiers) << 16 | ParseKey(token);
        token.Empty();
    }
    return static_cast<DWORD>(modifiers) << 16;
}

}  // namespace SAKU

