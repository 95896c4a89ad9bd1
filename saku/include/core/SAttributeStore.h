#pragma once

#include "core/IObject.h"

#include <cstddef>
#include <optional>
#include <type_traits>
#include <utility>

// How the entries of an attribute map (SAttributeMap.h) store what they read, and
// the constants their columns name. Each store answers `refresh` when it stored,
// or a refusal with the field unchanged when the text could not be read. Used
// from the objects' ApplyAttribute, on the UI thread.

namespace SAKU {

// The refresh column's third answer, for a change that shows only once the object
// is loaded (a size, which a window measures after loading anyway): kNoRefresh
// while loading, kRefresh after.
struct RefreshOnceLoaded {};
inline constexpr RefreshOnceLoaded kRefreshOnceLoaded{};

constexpr HRESULT RefreshAnswer(HRESULT refresh, BOOL) { return refresh; }
constexpr HRESULT RefreshAnswer(RefreshOnceLoaded, BOOL loading) { return loading ? kNoRefresh : kRefresh; }

// A word a word attribute takes, and the value it stores.
struct AttributeWord {
    const wchar_t* word;
    int value;
};
enum WordCase { kExactCase, kAnyCase };

// The value of `value` among the `count` words; nothing when it is none of them
// (SAttributeMap.cpp, with the parsers).
std::optional<int> WordValue(const SStringW& value, const AttributeWord* words, size_t count, WordCase wordCase);

template <typename T>
struct IsOptional : std::false_type {};
template <typename T>
struct IsOptional<std::optional<T>> : std::true_type {};

// A parser's std::optional that holds nothing is refused with E_INVALIDARG.
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

template <typename F, typename V>
HRESULT StoreAttributePair(F& first, F& second, V&& parsed, HRESULT refresh)
{
    const HRESULT result = StoreAttribute(first, std::forward<V>(parsed), refresh);
    if (SUCCEEDED(result))
        second = first;
    return result;
}

template <typename F, typename V>
HRESULT StoreNamedAttribute(F& field, V&& found, SStringW& nameField, const SStringW& name, HRESULT refresh)
{
    nameField = name;
    return StoreAttribute(field, std::forward<V>(found), refresh);
}

template <typename F>
HRESULT StoreTextAttribute(F& field, const SStringW& text, HRESULT refresh)
{
    field.SetText(text);
    return refresh;
}

template <typename F, typename B>
HRESULT StoreFlagAttribute(F& word, B bit, std::optional<bool> on, HRESULT refresh)
{
    if (!on)
        return E_INVALIDARG;
    word = *on ? (word | bit) : (word & ~bit);
    return refresh;
}

template <typename F, size_t N>
HRESULT StoreWordAttribute(F& field, const SStringW& value, const AttributeWord (&words)[N], WordCase wordCase,
                           HRESULT refresh)
{
    const std::optional<int> word = WordValue(value, words, N, wordCase);
    if (!word)
        return E_FAIL;
    field = static_cast<F>(*word);
    return refresh;
}

}  // namespace SAKU
