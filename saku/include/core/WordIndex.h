#pragma once

#include "core/TStringT.h"

#include <cstddef>
#include <wchar.h>

namespace SAKU {

// The index of the value among `words` (without regard to case), for attributes
// that take one of a few words; -1 when it is none of them.
template <size_t N>
int WordIndex(const SStringW& value, const wchar_t* const (&words)[N])
{
    for (size_t i = 0; i < N; ++i) {
        if (_wcsicmp(value.c_str(), words[i]) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace SAKU
