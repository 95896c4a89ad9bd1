#include "core/SLayoutDim.h"

#include "core/TrimBlanks.h"

#include <climits>
#include <cmath>
#include <cwchar>

namespace SAKU {

namespace {

const wchar_t* const kUnitNames[] = {L"px", L"dp", L"dip", L"sp"};

bool EndsWithNoCase(const SStringW& text, const wchar_t* suffix)
{
    const int length = static_cast<int>(wcslen(suffix));
    return text.GetLength() >= length && _wcsicmp(text.c_str() + text.GetLength() - length, suffix) == 0;
}

// A size from a layout may be any number ("1e30dp"); the conversion to int is only
// defined inside int's range.
int ClampToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return INT_MAX;
    if (value <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

bool FloatEquals(float a, float b)
{
    return std::fabs(static_cast<float>(static_cast<double>(a) - static_cast<double>(b))) < 1e-8f;
}

void SLayoutDim::Parse(const SStringW& text)
{
    if (text.IsEmpty())
        return;
    m_unit = kUnitPx;
    for (int unit = 0; unit < static_cast<int>(sizeof(kUnitNames) / sizeof(kUnitNames[0])); ++unit) {
        if (EndsWithNoCase(text, kUnitNames[unit])) {
            m_unit = static_cast<SLayoutUnit>(unit);
            break;
        }
    }
    m_value = static_cast<float>(wcstod(text.c_str(), nullptr));
}

void SLayoutDim::ParseSizeText(std::wstring_view text)
{
    text = TrimBlanks(text);
    const SStringW value(text.data(), static_cast<int>(text.size()));
    if (value.CompareNoCase(L"matchParent") == 0 || value.CompareNoCase(L"full") == 0)
        SetMatchParent();
    else if (value.CompareNoCase(L"wrapContent") == 0)
        SetWrapContent();
    else
        Parse(value);
}

bool SLayoutDim::IsWrapContent() const
{
    return FloatEquals(m_value, kSizeWrapContent);
}

bool SLayoutDim::IsMatchParent() const
{
    return FloatEquals(m_value, kSizeMatchParent);
}

bool SLayoutDim::IsValid() const
{
    return !FloatEquals(m_value, kSizeInvalid);
}

bool SLayoutDim::IsZero() const
{
    return FloatEquals(m_value, 0.0f);
}

int SLayoutDim::ToPixelSize(int scale) const
{
    if (IsMatchParent())
        return -2;
    if (IsWrapContent())
        return -1;
    if (m_unit == kUnitPx)
        return ClampToInt(m_value);
    // Single-precision product, quotient and sum, then the floor in double.
    float pixels = static_cast<float>(scale) * m_value;
    pixels = pixels / 100.0f;
    pixels = pixels + 0.5f;
    return ClampToInt(std::floor(static_cast<double>(pixels)));
}

}  // namespace SAKU
