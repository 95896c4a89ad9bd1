#include "core/SplitString.h"

namespace SAKU {

int SplitString(const SStringW& text, wchar_t separator, SDynArray<SStringW>& pieces)
{
    const int length = text.GetLength();
    int start = 0;
    for (int i = 0; i < length; ++i) {
        if (text.c_str()[i] != separator)
            continue;
        if (i > start)
            pieces.Add(text.Mid(start, i - start));
        start = i + 1;
    }
    if (length > start)
        pieces.Add(text.Mid(start));
    return pieces.GetCount();
}

}  // namespace SAKU
