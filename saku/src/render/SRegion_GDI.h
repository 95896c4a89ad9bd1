#pragma once

#include "GdiHandles.h"
#include "TGdiRenderObjImpl.h"
#include "render/IRegion.h"

namespace SAKU {

// A GDI region, born empty. Without a region handle every operation does nothing
// and the region reads as empty.
class SRegion_GDI : public TGdiRenderObjImpl<IRegion, kRenderObjRegion> {
public:
    SOBJECT_CLASS(SObjectImpl<IRegion>, L"region", kObjTypeNone)

    explicit SRegion_GDI(IRenderFactory* factory);

    HRGN GetRegion() const { return m_region.Get(); }

    // IRegion overrides
    void CombineRect(const RECT* rect, int mode) override;
    void CombineRgn(const IRegion* other, int mode) override;
    void CombineRoundRect(const RECT* rect, int ellipseWidth, int ellipseHeight, int mode) override;
    void CombineEllipse(const RECT* rect, int mode) override;
    BOOL PtInRegion(int x, int y) const override;
    BOOL RectInRegion(const RECT* rect) const override;
    void GetRgnBox(RECT* box) const override;
    BOOL IsEmpty() const override;
    void Offset(int dx, int dy) override;
    void Clear() override;
    void CopyFromHRgn(HRGN region) override;

private:
    void Combine(HRGN other, int mode);

    UniqueRegion m_region;
};

}  // namespace SAKU
