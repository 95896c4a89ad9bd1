#pragma once

#include "GdiHandles.h"

namespace SAKU {

// A memory DC compatible with another, optionally with a bitmap selected that stays
// the caller's; the previous object goes back before the DC is deleted. UI thread.
class SMemoryDC {
public:
    explicit SMemoryDC(HDC compatibleWith, HBITMAP bitmap = nullptr);

    HDC Get() const { return m_dc.Get(); }
    operator HDC() const { return m_dc.Get(); }

private:
    UniqueMemoryDc m_dc;
    UniqueSelection m_selection;
};

}  // namespace SAKU
