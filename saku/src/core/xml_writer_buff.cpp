#include "core/xml_writer_buff.h"

#include <cstring>

namespace pugi {

xml_writer_buff::xml_writer_buff()
    : m_buffer(static_cast<wchar_t*>(SAKU::MemAlloc((kMaxChars + 2) * sizeof(wchar_t))))
{
    if (m_buffer)
        m_buffer.get()[0] = 0;
}

void xml_writer_buff::write(const void* data, size_t size)
{
    const size_t chars = size / sizeof(wchar_t);
    if (!m_buffer || m_used + chars > kMaxChars)
        return;
    memcpy(m_buffer.get() + m_used, data, chars * sizeof(wchar_t));
    m_used += chars;
    m_buffer.get()[m_used] = 0;
}

}  // namespace pugi
