#include "core/SAttributeMap.h"

#include <shlwapi.h>

#include <cstdio>

namespace SAKU {

int ParseInt(const SStringW& value)
{
    int number = 0;
    if (!::StrToIntExW(value.c_str(), STIF_SUPPORT_HEX, &number))
        return 0;
    return number;
}

bool ParseBool(const SStringW& value)
{
    return ParseInt(value) != 0;
}

float ParseFloat(const SStringW& value)
{
    float number = 0.0f;
    if (swscanf(value.c_str(), L"%f", &number) != 1)
        return 0.0f;
    return number;
}

SStringW ParseText(const SStringW& value)
{
    return value;
}

}  // namespace SAKU
