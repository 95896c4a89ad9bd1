#pragma once

#include "core/IObject.h"
#include "core/SAttributeStore.h"
#include "core/SkinLookup.h"

#include <optional>
#include <wchar.h>

// An attribute map turns XML attributes into fields: it is the class's
// ApplyAttribute, one line per attribute, tried in order without regard to letter
// case; the first match wins and its result goes through AfterAttribute. An entry
// names the attribute, the field it fills, how the text becomes the field's value
// and what a change answers: kRefresh, kNoRefresh or kRefreshOnceLoaded. Text an
// entry cannot read is refused and the field keeps its value. An attribute that
// needs code has a handler entry: HRESULT handler(const SStringW& value, BOOL
// loading). A name the map does not know goes to the chained base class.
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

// What every entry is: the attribute's name and the expression that answers for it.
#define ATTRIBUTE_ENTRY(attrName, store)                                                              \
        else if (_wcsicmp(name.c_str(), attrName) == 0) {                                             \
            result = store;                                                                           \
        }

// field = parser(value). The parser is any function or type that makes the field's
// value from the text (ParseInt, SLayoutDim, ...); one that answers std::optional
// refuses text it cannot read with E_INVALIDARG, the one rule for unreadable numbers.
#define ATTRIBUTE_FIELD(attrName, field, parser, refresh)                                             \
    ATTRIBUTE_ENTRY(attrName,                                                                         \
        SAKU::StoreAttribute(field, parser(value), SAKU::RefreshAnswer(refresh, loading)))

// One value into both fields of an axis ("margin-x"), read as ATTRIBUTE_FIELD reads.
#define ATTRIBUTE_PAIR(attrName, first, second, parser, refresh)                                      \
    ATTRIBUTE_ENTRY(attrName,                                                                         \
        SAKU::StoreAttributePair(first, second, parser(value), SAKU::RefreshAnswer(refresh, loading)))

// A field read in place by bool reader(Field& field, const SStringW& value): for an
// array, or a value that keeps what the text leaves out. A reader answers false,
// with the field as it was, for text it refuses; the entry then answers E_INVALIDARG.
#define ATTRIBUTE_READ(attrName, field, reader, refresh)                                              \
    ATTRIBUTE_ENTRY(attrName, reader(field, value) ? SAKU::RefreshAnswer(refresh, loading) : E_INVALIDARG)

// A field that reads its own text: HRESULT field.setter(value) is the entry's answer.
#define ATTRIBUTE_SETTER(attrName, field, setter)                                                     \
    ATTRIBUTE_ENTRY(attrName, (field).setter(value))

// A bit of a flag word: an integer as ParseInt; the bit is set when it is not 0,
// cleared when it is.
#define ATTRIBUTE_FLAG(attrName, field, bit, refresh)                                                 \
    ATTRIBUTE_ENTRY(attrName,                                                                         \
        SAKU::StoreFlagAttribute(field, bit, SAKU::ParseBool(value), SAKU::RefreshAnswer(refresh, loading)))

// One of a table's words (AttributeWord[]), compared as `wordCase` says (kExactCase,
// kAnyCase): the field takes the word's value; another word is refused with E_FAIL.
#define ATTRIBUTE_WORD(attrName, field, words, wordCase, refresh)                                     \
    ATTRIBUTE_ENTRY(attrName,                                                                         \
        SAKU::StoreWordAttribute(field, value, words, wordCase, SAKU::RefreshAnswer(refresh, loading)))

// A colour through the current UI definition's named colours ("@color/name" or a
// colour text); an empty value is refused with E_FAIL. The class includes
// "res.mgr/SResProviderMgr.h".
#define ATTRIBUTE_COLOR(attrName, field, refresh)                                                     \
    ATTRIBUTE_ENTRY(attrName, SAKU::StoreColorAttribute(field, value, SAKU::RefreshAnswer(refresh, loading)))

// A translatable text (STranslatableText) through the named strings ("@string/name"
// or the text as written), translated at once. The class includes
// "res.mgr/SResProviderMgr.h".
#define ATTRIBUTE_TEXT(attrName, field, refresh)                                                      \
    ATTRIBUTE_ENTRY(attrName,                                                                         \
        SAKU::StoreTextAttribute(field, SAKU::SResProviderMgr::GetString(value),                      \
                                 SAKU::RefreshAnswer(refresh, loading)))

// The skin of the name from the skin pools at the object's own scale (GetScale());
// null when no pool has it. The field borrows it (ISkinObj*) or holds it (SAutoRef).
#define ATTRIBUTE_SKIN(attrName, field, refresh)                                                      \
    ATTRIBUTE_ENTRY(attrName,                                                                         \
        SAKU::StoreAttribute(field, SAKU::FindSkin(value, GetScale()), SAKU::RefreshAnswer(refresh, loading)))

// A pooled object of the name at the object's own scale, finder(value, GetScale())
// (FindSkin, FindFont), whose name stays in `nameField` so that the object can
// look it up again at another scale.
#define ATTRIBUTE_LOOKUP(attrName, field, nameField, finder, refresh)                                 \
    ATTRIBUTE_ENTRY(attrName,                                                                         \
        SAKU::StoreNamedAttribute(field, finder(value, GetScale()), nameField, value,                 \
                                  SAKU::RefreshAnswer(refresh, loading)))

#define ATTRIBUTE_HANDLER(attrName, handler)                                                          \
    ATTRIBUTE_ENTRY(attrName, handler(value, loading))

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

}  // namespace SAKU
