#pragma once

#include "CPP/7zip/Archive/IArchive.h"

#include <cstdint>
#include <optional>
#include <string>

// Typed reads of one item's properties through a reader. Each gives S_OK with an
// empty value when the item lacks the property, E_FAIL when the value has another
// type than expected, and the reader's failure when the read itself fails. Any
// thread that may use the reader.
namespace SevenZip::intl {

[[nodiscard]] HRESULT ReadTextProperty(IInArchive& reader, UInt32 index, PROPID id, std::optional<std::wstring>& value);
[[nodiscard]] HRESULT ReadBoolProperty(IInArchive& reader, UInt32 index, PROPID id, std::optional<bool>& value);
// Unsigned 32-bit only.
[[nodiscard]] HRESULT ReadUInt32Property(IInArchive& reader, UInt32 index, PROPID id, std::optional<uint32_t>& value);
// Any unsigned integer of 8 to 64 bits.
[[nodiscard]] HRESULT ReadUIntProperty(IInArchive& reader, UInt32 index, PROPID id, std::optional<uint64_t>& value);
[[nodiscard]] HRESULT ReadFileTimeProperty(IInArchive& reader, UInt32 index, PROPID id, std::optional<FILETIME>& value);

// The listing's lenient reads: a path of another type reads as "", a size of
// another type as 0; only a failing read fails.
[[nodiscard]] HRESULT ReadListedPath(IInArchive& reader, UInt32 index, std::wstring& path);
[[nodiscard]] HRESULT ReadListedSize(IInArchive& reader, UInt32 index, uint64_t& size);

}  // namespace SevenZip::intl
