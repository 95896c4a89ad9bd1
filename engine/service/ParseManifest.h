#pragma once

#include "service/ModuleRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tivala {

// Reads the manifest's JSON text into module records, without touching the
// network or the disk: one record per element of the root array, in order, each
// "Main" preceded by the "Browser" and "Starter" that it describes. Every record
// comes with `unpack` set; the package paths, sizes and icons are the fetching
// side's to fill in (ManifestThread), and so is the sort.
//
// With `localFolder` (local mode, the folder the local package was unpacked into,
// ending in a backslash) each address becomes the file of that folder named by
// the address's last part: the package address always, the others when not empty.
//
// Nothing when the text is no JSON, its root has members but is no array (an
// object), or an element is neither an object nor null (a null element is a
// module with every key missing); a root without elements (an empty array,
// null, a number) gives no records. Pure; any thread.
[[nodiscard]] std::optional<std::vector<ModuleRecord>> ParseManifest(const std::vector<uint8_t>& json,
                                                                     const std::optional<std::wstring>& localFolder);

}  // namespace tivala
