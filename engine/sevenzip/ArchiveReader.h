#pragma once

#include "sevenzip/InStreamWrapper.h"

#include "CPP/7zip/Archive/IArchive.h"

#include <cstdint>
#include <string>
#include <vector>

namespace SevenZip {

struct PasswordOption;

// Opening readers over an archive stream and listing their items; what the
// archive and the extractor share. One thread at a time per stream.
namespace intl {

// Rewinds the stream and opens it with a new reader of the format, which stays
// open on success. A null `maxStartPosition` lets the reader search for the
// archive's start; 0 holds it to the first byte. `password` may be null.
[[nodiscard]] HRESULT OpenReader(int format, InStreamWrapper& stream, const UInt64* maxStartPosition,
                                 const PasswordOption* password, TComPtr<IInArchive>& reader);

// Every item's path ("" when it has none) and size (0 when it has none).
[[nodiscard]] HRESULT ListItems(IInArchive& reader, std::vector<std::wstring>& paths, std::vector<uint64_t>& sizes);

}  // namespace intl
}  // namespace SevenZip
