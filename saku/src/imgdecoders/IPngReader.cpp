#include "imgdecoders/IPngReader.h"

#include <cstring>

namespace SAKU {

size_t IPngReader_Mem::Read(void* buffer, size_t size) noexcept
{
    const size_t count = size < m_size - m_position ? size : m_size - m_position;
    if (count != 0)
        std::memcpy(buffer, m_data + m_position, count);
    m_position += count;
    return count;
}

IPngReader_File::IPngReader_File(LPCWSTR path) : m_file(path ? ::_wfopen(path, L"rb") : nullptr) {}

size_t IPngReader_File::Read(void* buffer, size_t size) noexcept
{
    return m_file ? std::fread(buffer, 1, size, m_file.Get()) : 0;
}

}  // namespace SAKU
