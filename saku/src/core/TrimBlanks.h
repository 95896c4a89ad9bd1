#pragma once

#include <string_view>

namespace SAKU {

// `text` without the blanks (space, tab, CR, LF) at either end, as layouts and
// element texts are read: indentation and line breaks around a value are the
// XML's layout, not part of the value. A view into `text`; any thread.
std::wstring_view TrimBlanks(std::wstring_view text);

}  // namespace SAKU
