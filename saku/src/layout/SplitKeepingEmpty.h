#pragma once

#include <string_view>
#include <vector>

namespace SAKU {

// Every piece of `text` between separators, blanks trimmed, empty ones included,
// so that "10,,20" counts three items and a list of a fixed count refuses it
// rather than reading it as two. The pieces point into `text`.
std::vector<std::wstring_view> SplitKeepingEmpty(std::wstring_view text, wchar_t separator);

}  // namespace SAKU
