#pragma once

#include "layout/LayoutGravity.h"
#include "layout/TLayoutParamImpl.h"

namespace SAKU {

// The parameters a child gives SLinearLayout. A plain value, owned by the child's
// SLinearLayoutParam.
struct SLinearLayoutParamStruct {
    SLayoutDim width{kSizeWrapContent, kUnitPx};
    SLayoutDim height{kSizeWrapContent, kUnitPx};
    // Space kept around the child inside its slot.
    SLayoutDim extendLeft;
    SLayoutDim extendRight;
    SLayoutDim extendTop;
    SLayoutDim extendBottom;
    float weight = 0.0f;                  // share of the free length; 0 none
    int layoutGravity = kGravityNone;     // across the row or column
};

// How a child asks SLinearLayout to place it: "width", "height", "size",
// "weight", "layout_gravity" ("left" or "top", "center", "right" or "bottom";
// another word E_FAIL), "extend" (1 value for all four sides or 4 for left, top,
// right, bottom; another count E_INVALIDARG) and "extend_left", "extend_top",
// "extend_right", "extend_bottom". UI thread.
class SLinearLayoutParam : public TLayoutParamImpl<SLinearLayoutParamStruct> {
public:
    SOBJECT_CLASS(TLayoutParamImpl<SLinearLayoutParamStruct>, L"LinearLayoutParam", kObjTypeNone)

    BEGIN_ATTRIBUTES(SLinearLayoutParam)
        ATTRIBUTE_FIELD  (L"weight",         m_data.weight,        ParseFloat,                        kRefresh)
        ATTRIBUTE_WORD   (L"layout_gravity", m_data.layoutGravity, kLinearGravityWords, kExactCase,   kRefresh)
        ATTRIBUTE_HANDLER(L"extend",         OnAttrExtend)
        ATTRIBUTE_FIELD  (L"extend_left",    m_data.extendLeft,    SLayoutDim,                        kRefresh)
        ATTRIBUTE_FIELD  (L"extend_top",     m_data.extendTop,     SLayoutDim,                        kRefresh)
        ATTRIBUTE_FIELD  (L"extend_right",   m_data.extendRight,   SLayoutDim,                        kRefresh)
        ATTRIBUTE_FIELD  (L"extend_bottom",  m_data.extendBottom,  SLayoutDim,                        kRefresh)
    END_ATTRIBUTES_CHAIN(TLayoutParamImpl<SLinearLayoutParamStruct>)

    // ILayoutParam overrides: the extends stay.
    void Clear() override;

private:
    HRESULT OnAttrExtend(const SStringW& value, BOOL loading);
};

}  // namespace SAKU
