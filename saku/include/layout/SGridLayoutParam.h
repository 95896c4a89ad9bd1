#pragma once

#include "layout/LayoutGravity.h"
#include "layout/TLayoutParamImpl.h"

namespace SAKU {

// A gravity text of the grid ("left" or "top", "center", "right" or "bottom",
// "fill", in any case); another text is kGravityNone.
int ParseGridGravity(const SStringW& value);
// An integer as ParseInt reads it into `field` when it is at least `least`, or -1
// where `followsAllowed`; another number is refused with E_FAIL, text that is no
// number with E_INVALIDARG, and the field keeps its value.
HRESULT StoreGridCount(int& field, const SStringW& value, int least, bool followsAllowed, HRESULT answer);

// The parameters a child gives SGridLayout. A plain value, owned by the child's
// SGridLayoutParam.
struct SGridLayoutParamStruct {
    int columnSpan = 1;
    int rowSpan = 1;
    int layoutXGravity = kGravityNone;   // kGravityNone: the layout's
    int layoutYGravity = kGravityNone;
    SLayoutDim width{kSizeWrapContent, kUnitPx};
    SLayoutDim height{kSizeWrapContent, kUnitPx};
    float columnWeight = 0.0f;
    float rowWeight = 0.0f;
};

// How a child asks SGridLayout to place it: "columnSpan" and "rowSpan" (at least
// 1; less is refused with E_FAIL), "width", "height", "size", "layout_xGravity",
// "layout_yGravity", "columnWeight" and "rowWeight". UI thread.
class SGridLayoutParam : public TLayoutParamImpl<SGridLayoutParamStruct> {
public:
    SOBJECT_CLASS(TLayoutParamImpl<SGridLayoutParamStruct>, L"GridLayoutParam", kObjTypeNone)

    BEGIN_ATTRIBUTES(SGridLayoutParam)
        ATTRIBUTE_HANDLER(L"columnSpan",      OnAttrColumnSpan)
        ATTRIBUTE_HANDLER(L"rowSpan",         OnAttrRowSpan)
        ATTRIBUTE_FIELD  (L"layout_xGravity", m_data.layoutXGravity, ParseGridGravity, kRefresh)
        ATTRIBUTE_FIELD  (L"layout_yGravity", m_data.layoutYGravity, ParseGridGravity, kRefresh)
        ATTRIBUTE_FIELD  (L"columnWeight",    m_data.columnWeight,   ParseFloat,       kRefresh)
        ATTRIBUTE_FIELD  (L"rowWeight",       m_data.rowWeight,      ParseFloat,       kRefresh)
    END_ATTRIBUTES_CHAIN(TLayoutParamImpl<SGridLayoutParamStruct>)

    // ILayoutParam overrides
    void Clear() override { m_data = SGridLayoutParamStruct(); }

private:
    HRESULT OnAttrColumnSpan(const SStringW& value, BOOL)
    {
        return StoreGridCount(m_data.columnSpan, value, 1, false, kRefresh);
    }
    HRESULT OnAttrRowSpan(const SStringW& value, BOOL) { return StoreGridCount(m_data.rowSpan, value, 1, false, kRefresh); }
};

}  // namespace SAKU
