#pragma once

#include "core/SColor.h"
#include "core/SDynArray.h"
#include "core/SXmlLookup.h"
#include "core/TStringT.h"

#include <pugixml.hpp>

#include <algorithm>
#include <wchar.h>

namespace SAKU {

// One named value. The name field holds at most 49 characters and a terminator,
// zero-padded; a program may hand in a static array of entries of this shape.
template <typename T>
struct SNamedEntry {
    static constexpr int kNameField = 52;
    static constexpr int kMaxName = 49;

    wchar_t name[kNameField];
    T value;
};

// A table of named values sorted by name (ordinal, case-sensitive), searched by
// halves. Names longer than 49 characters are refused when loading and not found
// when looking up. The parser makes a value from text and says whether it took
// it; its Fallback is what a missing name gives. UI thread.
template <typename T, typename Parser>
class SNamedValue {
public:
    using Entry = SNamedEntry<T>;

    SNamedValue() = default;
    virtual ~SNamedValue() = default;
    SNamedValue(const SNamedValue&) = delete;
    SNamedValue& operator=(const SNamedValue&) = delete;

    // Replaces the table with a copy of `entries`, sorted unless `sorted` says they
    // are already. Entries whose name is not terminated within its field are left out.
    void Init(const Entry* entries, int count, bool sorted);
    // Appends a value for each element child: the tag is the name, the "value"
    // attribute the text; the parser may refuse it. FALSE for an empty element,
    // which leaves the table as it was.
    virtual BOOL LoadFromXml(pugi::xml_node element);
    // The value of the name, or the parser's fallback.
    T Lookup(const wchar_t* name) const;
    int GetCount() const { return m_entries.GetCount(); }

private:
    static bool Less(const Entry& a, const Entry& b) { return wcscmp(a.name, b.name) < 0; }
    static bool IsNameTerminated(const wchar_t* name) { return wmemchr(name, L'\0', Entry::kMaxName + 1) != nullptr; }
    void Append(const wchar_t* name, const T& value);
    void Sort();

    SDynArray<Entry> m_entries;
};

// Integers as wcstol reads decimal text: leading blanks and a sign; 0 when there
// is no number. Takes every text.
struct SIntParser {
    static bool Parse(const SStringW& text, int& value);
    static int Fallback() { return 0; }
};

struct SStringParser {
    static bool Parse(const SStringW& text, SStringW& value);
    static SStringW Fallback() { return SStringW(); }
};

// Colour text in any case: "#rrggbb" (opaque), "#rrggbbaa", "rgb(r,g,b)" (opaque)
// or "rgba(r,g,b,a)", each part cut to its low byte. Refuses anything else,
// "#fff" among it, and leaves `value` unchanged then.
struct SColorParser {
    static bool Parse(const SStringW& text, COLORREF& value);
    static COLORREF Fallback() { return kColorNone; }
};

// The named colours of a UI definition.
class SNamedColor : public SNamedValue<COLORREF, SColorParser> {
public:
    // "@color/name" (case-sensitive prefix) looks the name up; any other text is a
    // colour text, kColorNone when it does not parse.
    COLORREF Get(const SStringW& text) const;
};

// The named strings of a UI definition.
class SNamedString : public SNamedValue<SStringW, SStringParser> {
public:
    // "@string/name" (case-sensitive prefix) looks the name up; any other text is
    // returned as it is.
    SStringW Get(const SStringW& text) const;
};

// The program's named window ids.
class SNamedID : public SNamedValue<int, SIntParser> {
};

template <typename T, typename Parser>
void SNamedValue<T, Parser>::Init(const Entry* entries, int count, bool sorted)
{
    m_entries.SetCount(0);
    for (int i = 0; i < count; ++i) {
        if (IsNameTerminated(entries[i].name))
            m_entries.Add(entries[i]);
    }
    if (!sorted)
        Sort();
}

template <typename T, typename Parser>
BOOL SNamedValue<T, Parser>::LoadFromXml(pugi::xml_node element)
{
    if (!element)
        return FALSE;
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        T value = Parser::Fallback();
        if (Parser::Parse(XmlAttribute(child, L"value").value(), value))
            Append(child.name(), value);
    }
    Sort();
    return TRUE;
}

template <typename T, typename Parser>
T SNamedValue<T, Parser>::Lookup(const wchar_t* name) const
{
    if (!name || wcslen(name) > Entry::kMaxName || m_entries.GetCount() == 0)
        return Parser::Fallback();
    Entry key{};
    wcscpy_s(key.name, name);
    const Entry* const first = m_entries.GetData();
    const Entry* const last = first + m_entries.GetCount();
    const Entry* const found = std::lower_bound(first, last, key, Less);
    if (found == last || wcscmp(found->name, name) != 0)
        return Parser::Fallback();
    return found->value;
}

template <typename T, typename Parser>
void SNamedValue<T, Parser>::Append(const wchar_t* name, const T& value)
{
    const size_t length = wcslen(name);
    if (length == 0 || length > Entry::kMaxName)
        return;
    Entry entry{};
    wmemcpy(entry.name, name, length);
    entry.value = value;
    m_entries.Add(entry);
}

// Stable, so that of two entries with one name a lookup finds the first loaded.
template <typename T, typename Parser>
void SNamedValue<T, Parser>::Sort()
{
    if (m_entries.GetCount() > 1)
        std::stable_sort(m_entries.GetData(), m_entries.GetData() + m_entries.GetCount(), Less);
}

}  // namespace SAKU
