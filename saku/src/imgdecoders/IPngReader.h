#pragma once

#include "Win32Handles.h"

#include <cstddef>

namespace SAKU {

// The bytes the PNG module decodes from, read in order. Read runs inside libpng's
// read callback, so it never throws.
struct IPngReader {
    // Copies up to `size` bytes into `buffer`; the count copied, short at the end.
    virtual size_t Read(void* buffer, size_t size) noexcept = 0;

protected:
    ~IPngReader() = default;
};

// Reads a memory block that the caller keeps alive while decoding.
class IPngReader_Mem final : public IPngReader {
public:
    IPngReader_Mem(const void* data, size_t size) : m_data(static_cast<const BYTE*>(data)), m_size(size) {}
    size_t Read(void* buffer, size_t size) noexcept override;

private:
    const BYTE* m_data;
    size_t m_size;
    size_t m_position = 0;
};

// Reads a file opened "rb"; IsOpen is false when it could not be opened.
class IPngReader_File final : public IPngReader {
public:
    explicit IPngReader_File(LPCWSTR path);
    bool IsOpen() const { return static_cast<bool>(m_file); }
    size_t Read(void* buffer, size_t size) noexcept override;

private:
    UniqueStdioFile m_file;
};

}  // namespace SAKU
