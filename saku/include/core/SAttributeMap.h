#pragma once

#include "core/IObject.h"

#include <optional>
#include <type_traits>
#include <utility>
#include <wchar.h>

// An attribute map turns XML attributes into fields: it is the class's
// ApplyAttribute, one line per attribute, tried in order without regard to letter
// case; the first match wins and its result goes through AfterAttribute. A field
// entry stores parser(value) and answers kRefresh or kNoRefresh; a handler entry
// calls HRESULT handler(const SStringW& value, BOOL loading). A name the map does
// not know goes to the chained base class. The parser may be any function or type
// that makes the field's value from the text (ParseInt, SLayoutDim, ...). A parser
// that answers std::optional refuses text it cannot read: the field keeps its
// value and the entry answers E_INVALIDARG, the one rule for unreadable numbers.
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
            result = SAKU::StoreAttribute(field, parser(value), refresh);                             \
        }

// A colour through the current UI definition's named colours ("@color/name" or a
// colour text); an empty value is refused with E_FAIL and the field kept. The class
// includes "res.mgr/SResProviderMgr.h".
#define ATTRIBUTE_COLOR(attrName, field, refresh)                                                     \
        else if (_wcsicmp(name.c_str(), attrName) == 0) {                                             \
            result = SAKU::StoreColorAttribute(field, value, refresh);                                \
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

// The parsers of plain fields. The numbers answer nothing for text that does not
// start with one (leading blanks and a sign allowed; what follows it is ignored).
std::optional<int> ParseInt(const SStringW& value);       // decimal or "0x" hexadecimal (StrToIntExW)
int ParseIntOrZero(const SStringW& value);                // as ParseInt, for fields whose unreadable text reads as 0
std::optional<bool> ParseBool(const SStringW& value);     // an integer as ParseInt, true when not 0
std::optional<bool> ParseFlag(const SStringW& value);     // an integer as ParseInt, its bit 0
std::optional<float> ParseFloat(const SStringW& value);   // read with "%f"
SStringW ParseText(const SStringW& value);                // the text as written

template <typename T>
struct IsOptional : std::false_type {};
template <typename T>
struct IsOptional<std::optional<T>> : std::true_type {};

// How an attribute entry stores what its parser made: `refresh` when stored,
// E_INVALIDARG with the field unchanged when the parser could not read the text.
template <typename F, typename V>
HRESULT StoreAttribute(F& field, V&& parsed, HRESULT refresh)
{
    if constexpr (IsOptional<std::decay_t<V>>::value) {
        if (!parsed)
            return E_INVALIDARG;
        field = *parsed;
    } else {
        field = std::forward<V>(parsed);
    }
    return refresh;
}

}  // namespace SAKU
