#pragma once

#include <windows.h>

#include <cstddef>

namespace SAKU {

// Resources read straight from files, for the manager's "file" type and the
// folder provider alike.

// The low 32 bits of the file's size as a directory search reports it; 0 when the
// file does not exist.
size_t ResFileSize(LPCWSTR path);
// Reads the whole file into `buffer`: FALSE with the last error
// ERROR_INSUFFICIENT_BUFFER when it holds more than `size` bytes, FALSE when it
// cannot be opened or not every byte was read.
BOOL ReadResFile(LPCWSTR path, void* buffer, size_t size);

}  // namespace SAKU
