#pragma once

#include "core/IObjRef.h"
#include "core/IObject.h"
#include "core/SLayoutDim.h"

namespace SAKU {

class SWindow;

// Which size a layout parameter's operation concerns. The setters act on
// horizontal, vertical and both; "any" asks whether either direction is so.
enum ORIENTATION {
    Horz = 0,
    Vert = 1,
    Any = 2,
    Both = 3,
};

// How a child asks its parent's layout to place it: one object per window, of
// the kind of the parent's layout, configured from the window's own attributes
// ("pos", "size", "width", ...). Reference counted; born with count 1.
struct ILayoutParam : IObjRef, IObject {
    virtual void Clear() = 0;
    virtual bool IsMatchParent(ORIENTATION orientation) const = 0;
    virtual bool IsWrapContent(ORIENTATION orientation) const = 0;
    virtual bool IsSpecifiedSize(ORIENTATION orientation) const = 0;
    virtual SLayoutDim GetSpecifiedSize(ORIENTATION orientation) const = 0;
    virtual void SetMatchParent(ORIENTATION orientation) = 0;
    virtual void SetWrapContent(ORIENTATION orientation) = 0;
    virtual void SetSpecifiedSize(ORIENTATION orientation, const SLayoutDim& size) = 0;
    // The parameter structure of the layout's kind.
    virtual void* GetRawData() = 0;

protected:
    virtual ~ILayoutParam() = default;   // deleted by its last Release only
};

// Places a window's children inside its children-layout rectangle. Made by the
// factories by class name (type 3); reference counted, born with count 1.
struct ILayout : IObject, IObjRef {
    // Whether the parameter is of this layout's kind.
    virtual bool IsParamAcceptable(ILayoutParam* param) const = 0;
    virtual void LayoutChildren(SWindow* parent) = 0;
    // A new parameter of this layout's kind, cleared, with count 1 for the caller.
    virtual ILayoutParam* CreateLayoutParam() const = 0;
    // The size the children need; a width or height of -1 is not given.
    virtual SIZE MeasureChildren(SWindow* parent, int width, int height) const = 0;

protected:
    virtual ~ILayout() = default;   // deleted by its last Release only
};

}  // namespace SAKU
