#include "core/SHashTraits.h"

namespace SAKU {

UINT HashWideString(const wchar_t* text, UINT hash)
{
    for (const wchar_t* p = text; *p; ++p)
        hash = hash * 33 + *p;
    return hash;
}

}  // namespace SAKU
