#include "res.mgr/SNamedValue.h"

#include <climits>
#include <cstdio>
#include <cwchar>

namespace SAKU {

namespace {

constexpr wchar_t kColorRef[] = L"@color/";
constexpr wchar_t kStringRef[] = L"@string/";

bool StartsWith(const SStringW& text, const wchar_t* prefix, size_t prefixLength)
{
    return wcsncmp(text.c_str(), prefix, prefixLength) == 0;
}

}  // namespace

bool SIntParser::Parse(const SStringW& text, int& value)
{
    const long number = wcstol(text.c_str(), nullptr, 10);
    value = number > INT_MAX ? INT_MAX : number < INT_MIN ? INT_MIN : static_cast<int>(number);
    return true;
}

bool SStringParser::Parse(const SStringW& text, SStringW& value)
{
    value = text;
    return true;
}

bool SColorParser::Parse(const SStringW& text, COLORREF& value)
{
    SStringW lower = text;
    lower.MakeLower();
    int red = 0;
    int green = 0;
    int blue = 0;
    int alpha = 0xFF;
    int read = 0;
    if (lower.c_str()[0] == L'#') {
        unsigned parts[4] = {0, 0, 0, 0xFF};
        read = swscanf(lower.c_str(), L"#%02x%02x%02x%02x", &parts[0], &parts[1], &parts[2], &parts[3]);
        red = static_cast<int>(parts[0]);
        green = static_cast<int>(parts[1]);
        blue = static_cast<int>(parts[2]);
        alpha = static_cast<int>(parts[3]);
    } else if (StartsWith(lower, L"rgba", 4)) {
        read = swscanf(lower.c_str(), L"rgba(%d,%d,%d,%d)", &red, &green, &blue, &alpha);
    } else if (StartsWith(lower, L"rgb", 3)) {
        read = swscanf(lower.c_str(), L"rgb(%d,%d,%d)", &red, &green, &blue);
    }
    if (read != 3 && read != 4)
        return false;
    value = static_cast<COLORREF>(alpha & 0xFF) << 24 | static_cast<COLORREF>(blue & 0xFF) << 16 |
            static_cast<COLORREF>(green & 0xFF) << 8 | static_cast<COLORREF>(red & 0xFF);
    return true;
}

COLORREF SNamedColor::Get(const SStringW& text) const
{
    if (StartsWith(text, kColorRef, wcslen(kColorRef)))
        return Lookup(text.c_str() + wcslen(kColorRef));
    // A fresh word each call: text that does not parse never gives an earlier colour.
    COLORREF color = kColorNone;
    SColorParser::Parse(text, color);
    return color;
}

SStringW SNamedString::Get(const SStringW& text) const
{
    if (StartsWith(text, kStringRef, wcslen(kStringRef)))
        return Lookup(text.c_str() + wcslen(kStringRef));
    return text;
}

}  // namespace SAKU
