#pragma once

#include "sevenzip/SevenZipArchive.h"

#include <cstdint>
#include <string>

namespace SevenZip {

class ProgressCallback;
struct PasswordOption;

// Result codes of SevenZipExtractor::ExtractArchive besides the library's HRESULTs,
// which include positive codes: compare with kExtractOk, not with SUCCEEDED.
inline constexpr int32_t kExtractOk = 0;
inline constexpr int32_t kExtractCannotOpen = 110;

// The overwrite mode of every extractor: what stands at an item's output path is
// deleted before the item is written.
inline constexpr int kOverwriteDeleteExisting = 1;

// Extracts every item of an archive into a folder, replacing what stands at the
// items' paths, and reports through an optional ProgressCallback. Items whose
// paths would leave the folder are refused, and an item's data or checksum error
// fails the extraction. Made on the stack for one archive; one thread at a time.
class SevenZipExtractor : public SevenZipArchive {
public:
    SevenZipExtractor() = default;

    // kExtractOk; kExtractCannotOpen when the archive file cannot be opened; E_FAIL
    // when the item list for the callback cannot be read; E_INVALIDARG for an empty
    // destination; otherwise the first failure of opening or extracting, an item's
    // included (a refused path, a data or checksum error). Files written before a
    // failure stay. `progress` and `password` are borrowed for the call. The format
    // is detected again first, whatever SetFormat said.
    [[nodiscard]] virtual int32_t ExtractArchive(const std::wstring& destination, ProgressCallback* progress,
                                                 const PasswordOption* password);

private:
    int m_overwriteMode = kOverwriteDeleteExisting;
};

}  // namespace SevenZip
