#pragma once

#include "layout/SakuLayoutParamStruct.h"
#include "layout/TLayoutParamImpl.h"

namespace SAKU {

// How a child asks SakuLayout to place it: "pos", "width", "height", "size" and
// "offset" (names in any case). Each window holds one, made by its parent's
// layout; cleared before the window reads its XML. UI thread.
class SakuLayoutParam : public TLayoutParamImpl<SakuLayoutParamStruct> {
public:
    SOBJECT_CLASS(TLayoutParamImpl<SakuLayoutParamStruct>, L"SakuLayoutParam", kObjTypeNone)

    BEGIN_ATTRIBUTES(SakuLayoutParam)
        ATTRIBUTE_SETTER(L"pos",    m_data, SetPos)
        ATTRIBUTE_SETTER(L"offset", m_data, SetOffset)
    END_ATTRIBUTES_CHAIN(TLayoutParamImpl<SakuLayoutParamStruct>)

    // ILayoutParam overrides
    void Clear() override { m_data = SakuLayoutParamStruct(); }
    // A size of -1, or no "pos" and no size.
    bool IsWrapContent(ORIENTATION orientation) const override
    {
        return SizesAre(orientation, [this](const SLayoutDim& size) { return m_data.WrapsContent(size); });
    }
};

}  // namespace SAKU
