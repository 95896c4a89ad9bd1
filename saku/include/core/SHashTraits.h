#pragma once

#include "core/TStringT.h"

#include <type_traits>
#include <wchar.h>

namespace SAKU {

// The 32-bit hashes of the UI library's map keys. Maps store the hash in each node
// and compare it before the key, so a key type needs a hash and an equality; the
// owners of other key types (fonts, window finders) specialise SHashTraits.

// h = h * 33 + unit over the code units up to the terminator, starting from
// `hash`; 0 for "" from 0. Continuing a hash covers keys of several texts.
UINT HashWideString(const wchar_t* text, UINT hash = 0);
// The key of a name and an integer (class name and object type, skin name and scale).
inline UINT HashNameAndInt(const wchar_t* name, int value)
{
    return HashWideString(name) * 32 + static_cast<UINT>(value);
}

template <typename K, typename = void>
struct SHashTraits;

// Integer keys (timer ids) are their own hash.
template <typename K>
struct SHashTraits<K, std::enable_if_t<std::is_integral_v<K>>> {
    static UINT Hash(K key) { return static_cast<UINT>(key); }
    static bool Equals(K a, K b) { return a == b; }
};

template <>
struct SHashTraits<SStringW> {
    static UINT Hash(const SStringW& key) { return HashWideString(key.c_str()); }
    static bool Equals(const SStringW& a, const SStringW& b) { return wcscmp(a.c_str(), b.c_str()) == 0; }
};

}  // namespace SAKU
