#include "layout/SplitKeepingEmpty.h"

#include "core/TrimBlanks.h"

namespace SAKU {

std::vector<std::wstring_view> SplitKeepingEmpty(std::wstring_view text, wchar_t separator)
{
    std::vector<std::wstring_view> pieces;
    for (;;) {
        const size_t at = text.find(separator);
        pieces.push_back(TrimBlanks(text.substr(0, at)));
        if (at == std::wstring_view::npos)
            return pieces;
        text.remove_prefix(at + 1);
    }
}

}  // namespace SAKU
