#pragma once

#include "core/IObjRef.h"
#include "core/IObject.h"

namespace SAKU {

struct IRenderFactory;

// What ObjectType answers, and the kinds that IRenderTarget::GetCurrentObject and
// SelectDefaultObject take.
constexpr int kRenderObjPen = 1;
constexpr int kRenderObjBrush = 2;
constexpr int kRenderObjBitmap = 3;
constexpr int kRenderObjFont = 4;
constexpr int kRenderObjRegion = 5;

// A drawing resource of a render module (pen, brush, bitmap, font, region): one
// handle of the module's drawing system behind an interface, made by the render
// factory or a render target and selected into targets. Reference counted, born
// with count 1 for its creator; a target holds one more of its current pen,
// brush, font and bitmap. The factory must outlive it. UI thread.
struct IRenderObj : IObject, IObjRef {
    virtual int ObjectType() const = 0;
    // The factory that made it; no reference is added (the object holds none).
    virtual IRenderFactory* GetRenderFactory() const = 0;
};

}  // namespace SAKU
