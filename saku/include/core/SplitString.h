#pragma once

#include "core/SDynArray.h"
#include "core/TStringT.h"

namespace SAKU {

// Appends to `pieces` the non-empty pieces of `text` between occurrences of
// `separator`, in order, and returns the array's count.
int SplitString(const SStringW& text, wchar_t separator, SDynArray<SStringW>& pieces);

}  // namespace SAKU
