#pragma once

#include <cstddef>
#include <string>

// The install engine's two ways to unpack a package into a folder. Both run on
// the calling worker thread and report through the sink when it has a window.
namespace tivala {

class Tivala7z;

// Unpacks the archive file into `destination`; true only when every item was
// unpacked whole. The archive file stays: a retry of the installation unpacks
// the same downloaded package again.
[[nodiscard]] bool ExtractArchiveFile(Tivala7z& sink, const std::wstring& archivePath,
                                      const std::wstring& destination);

// Unpacks an archive held in memory (the package carried in the installer)
// through a temporary file that is removed afterwards; false for an empty buffer,
// when the temporary file cannot be written, or when the extraction fails.
[[nodiscard]] bool ExtractArchiveBuffer(Tivala7z& sink, const void* bytes, size_t count,
                                        const std::wstring& destination);

}  // namespace tivala
