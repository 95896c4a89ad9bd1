#pragma once

#include "render/IRenderObj.h"

namespace SAKU {

// An area of pixels, made empty by the factory or a target. Modes are GDI's RGN_
// values; for RGN_DIFF the region loses the other shape, for the rest it becomes
// the combination of the other shape with itself (RGN_COPY: the other shape).
// Reference counted, born with one reference for the caller that asked for it;
// windows and hosts keep their invalid areas in one. UI thread.
struct IRegion : IRenderObj {
    virtual void CombineRect(const RECT* rect, int mode) = 0;
    virtual void CombineRgn(const IRegion* other, int mode) = 0;
    // The shape alone replaces the region, whatever the mode.
    virtual void CombineRoundRect(const RECT* rect, int ellipseWidth, int ellipseHeight, int mode) = 0;
    virtual void CombineEllipse(const RECT* rect, int mode) = 0;
    virtual BOOL PtInRegion(int x, int y) const = 0;
    virtual BOOL RectInRegion(const RECT* rect) const = 0;
    virtual void GetRgnBox(RECT* box) const = 0;
    // TRUE when the bounding box has no width or no height.
    virtual BOOL IsEmpty() const = 0;
    virtual void Offset(int dx, int dy) = 0;
    virtual void Clear() = 0;
    // Copies the shape of a region handle that stays the caller's.
    virtual void CopyFromHRgn(HRGN region) = 0;
};

}  // namespace SAKU
