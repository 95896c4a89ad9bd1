#pragma once

#include "core/TStringT.h"

namespace SAKU {

// Conversions between the narrow and wide strings in a code page: CP_ACP for the
// narrow attribute names and values, CP_UTF8 where a caller says so. The whole
// length converts, embedded 0 characters included. Results up to 1024 units are
// made without the heap. A text that does not convert gives the empty string.
SStringW CvtA2W(const SStringA& narrow, UINT codePage);
SStringA CvtW2A(const SStringW& wide, UINT codePage);
SStringW CvtW2W(const SStringW& wide, UINT codePage);   // a shared copy; the code page is ignored

}  // namespace SAKU
