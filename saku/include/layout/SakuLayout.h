#pragma once

#include "core/ILayout.h"
#include "core/SObjectFactory.h"
#include "core/SObjectImpl.h"

namespace SAKU {

// The default layout of every window ("SakuLayout"): each child gives its
// rectangle in "pos" as offsets from the parent's edges or centre, percentages
// of the parent, or edges of its siblings, with optional sizes (SakuLayoutParam);
// the children are resolved together by SakuPositions.h. Keeps no state between
// calls. Owned by its window; UI thread.
class SakuLayout : public TObjRefImpl<SObjectImpl<ILayout>> {
public:
    SOBJECT_CLASS(SObjectImpl<ILayout>, L"SakuLayout", kObjTypeLayout)
    SOBJECT_BASE_CLASS(L"object")

    // ILayout overrides
    // Only a SakuLayoutParam.
    bool IsParamAcceptable(ILayoutParam* param) const override;
    // Places the parent's layout children inside its children-layout rectangle
    // through their OnRelayout.
    void LayoutChildren(SWindow* parent) override;
    // A cleared SakuLayoutParam; null when memory ran out.
    ILayoutParam* CreateLayoutParam() const override;
    SIZE MeasureChildren(SWindow* parent, int width, int height) const override;
};

}  // namespace SAKU
