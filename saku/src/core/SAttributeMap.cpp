#include "core/SAttributeMap.h"

#include <shlwapi.h>

#include <cstdio>
#include <wchar.h>

namespace SAKU {

std::optional<int> ParseInt(const SStringW& value)
{
    int number = 0;
    if (!::StrToIntExW(value.c_str(), STIF_SUPPORT_HEX, &number))
        return std::nullopt;
    return number;
}

int ParseIntOrZero(const SStringW& value)
{
    return ParseInt(value).value_or(0);
}

std::optional<bool> ParseBool(const SStringW& value)
{
    const std::optional<int> number = ParseInt(value);
    if (!number)
        return std::nullopt;
    return *number != 0;
}

std::optional<bool> ParseFlag(const SStringW& value)
{
    const std::optional<int> number = ParseInt(value);
    if (!number)
        return std::nullopt;
    return (*number & 1) != 0;
}

std::optional<float> ParseFloat(const SStringW& value)
{
    float number = 0.0f;
    if (swscanf(value.c_str(), L"%f", &number) != 1)
        return std::nullopt;
    return number;
}

SStringW ParseText(const SStringW& value)
{
    return value;
}

std::optional<int> WordValue(const SStringW& value, const AttributeWord* words, size_t count, WordCase wordCase)
{
    for (size_t i = 0; i < count; ++i) {
        const bool same = wordCase == kAnyCase ? _wcsicmp(value.c_str(), words[i].word) == 0
                                               : wcscmp(value.c_str(), words[i].word) == 0;
        if (same)
            return words[i].value;
    }
    return std::nullopt;
}

}  // namespace SAKU
