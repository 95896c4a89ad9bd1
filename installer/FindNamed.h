#pragma once

#include <cstddef>
#include <cwchar>

// The entry of `table` whose `name` field is `name` exactly, letter case
// included; nullptr when none is. The installer's tables that map an element's
// or a module's name to what it does share this one reading.
template <typename Entry, std::size_t count>
const Entry* FindNamed(const Entry (&table)[count], const wchar_t* name)
{
    for (const Entry& entry : table) {
        if (std::wcscmp(name, entry.name) == 0)
            return &entry;
    }
    return nullptr;
}
