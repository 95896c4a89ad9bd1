#pragma once

#include "core/IObject.h"

#include <wchar.h>

// An attribute map turns XML attributes into fields: it is the class's
// ApplyAttribute, one line per attribute, tried in order without regard to letter
// case; the first match wins and its result goes through AfterAttribute. A field
// entry stores parser(value) and answers kRefresh or kNoRefresh; a handler entry
// calls HRESULT handler(const SStringW& value, BOOL loading). A name the map does
// not know goes to the chained base class. The parser may be any function or type
// that makes the field's value from the text (ParseInt, SLayoutDim, ...).
//
//     BEGIN_ATTRIBUTES(SButton)
//         ATTRIBUTE_FIELD  (L"animate", m_animate, ParseBool, kNoRefresh)
//         ATTRIBUTE_HANDLER(L"accel",   OnAttrAccel)
//     END_ATTRIBUTES_CHAIN(SWindow)
#define BEGIN_ATTRIBUTES(Class)                                                                       \
    HRESULT ApplyAttribute(const SAKU::SStringW& name, const SAKU::SStringW& value, BOOL loading) override \
    {                                                                                                 \
        HRESULT result = E_FAIL;                                                                      \
        if (false) {                                                                                  \
        }

#define ATTRIBUTE_FIELD(attrName, field, parser, refresh)                                             \
        else if (_wcsicmp(name.c_str(), attrName) == 0) {                                             \
            field = parser(value);                                                                    \
            result = refresh;                                                                         \
        }

#define ATTRIBUTE_HANDLER(attrName, handler)                                                          \
        else if (_wcsicmp(name.c_str(), attrName) == 0) {                                             \
            result = handler(value, loading);                                                         \
        }

#define END_ATTRIBUTES_CHAIN(...)                                                                     \
        else {                                                                                        \
            return __VA_ARGS__::ApplyAttribute(name, value, loading);                                 \
        }                                                                                             \
        return AfterAttribute(name, value, loading, result);                                          \
    }

namespace SAKU {

// The parsers of plain fields.
int ParseInt(const SStringW& value);         // decimal or "0x" hexadecimal (StrToIntExW); unreadable is 0
bool ParseBool(const SStringW& value);       // an integer as ParseInt, true when not 0
float ParseFloat(const SStringW& value);     // read with "%f"; unreadable is 0
SStringW ParseText(const SStringW& value);   // the text as written

}  // namespace SAKU
