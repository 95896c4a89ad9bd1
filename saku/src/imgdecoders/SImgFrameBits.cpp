#include "imgdecoders/SImgFrameBits.h"

#include <cstring>

namespace SAKU {

BOOL SImgFrameBits::GetSize(UINT* width, UINT* height)
{
    if (!m_bits || !width || !height)
        return FALSE;
    *width = m_width;
    *height = m_height;
    return TRUE;
}

BOOL SImgFrameBits::CopyPixels(const RECT*, UINT, UINT bufferSize, BYTE* buffer)
{
    const unsigned long long size = 4ull * m_width * m_height;
    if (!m_bits || !buffer || bufferSize != size)
        return FALSE;
    std::memcpy(buffer, m_bits, bufferSize);
    return TRUE;
}

}  // namespace SAKU
