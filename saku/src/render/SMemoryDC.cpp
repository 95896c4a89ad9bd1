#include "render/SMemoryDC.h"

namespace SAKU {

SMemoryDC::SMemoryDC(HDC compatibleWith, HBITMAP bitmap) : m_dc(::CreateCompatibleDC(compatibleWith))
{
    if (m_dc && bitmap)
        m_selection = SelectInto(m_dc.Get(), bitmap);
}

}  // namespace SAKU
