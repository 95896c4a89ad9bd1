#pragma once

#include "core/MemAlloc.h"

#include <pugixml.hpp>

#include <cstddef>
#include <memory>

namespace pugi {

// A writer that prints a node into a fixed wide-character buffer: 20479 characters
// and a terminator at most. A piece that would pass the limit is dropped whole, so
// an overlong print loses whole pieces, never single characters. Print with
// pugi::encoding_wchar: pugixml hands writers UTF-8 unless told otherwise. The
// font pool and the owner-drawn menu print elements into text with it.
class xml_writer_buff : public xml_writer {
public:
    static constexpr size_t kMaxChars = 0x4FFF;

    xml_writer_buff();

    void write(const void* data, size_t size) override;   // size in bytes

    // The text printed so far, always terminated.
    const wchar_t* buffer() const { return m_buffer ? m_buffer.get() : L""; }
    size_t size() const { return m_used; }

private:
    std::unique_ptr<wchar_t, SAKU::MemDeleter> m_buffer;   // kMaxChars + 2 characters
    size_t m_used = 0;
};

}  // namespace pugi
