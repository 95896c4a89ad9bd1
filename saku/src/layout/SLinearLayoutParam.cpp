#include "layout/SLinearLayoutParam.h"

#include "layout/SplitKeepingEmpty.h"

namespace SAKU {

void SLinearLayoutParam::Clear()
{
    m_data.width.SetWrapContent();
    m_data.height.SetWrapContent();
    m_data.weight = 0.0f;
    m_data.layoutGravity = kGravityNone;
}

HRESULT SLinearLayoutParam::OnAttrExtend(const SStringW& value, BOOL)
{
    const std::vector<std::wstring_view> items = SplitKeepingEmpty(std::wstring_view(value.c_str(), value.GetLength()), L',');
    if (items.size() != 1 && items.size() != 4)
        return E_INVALIDARG;
    SLayoutDim sides[4];   // left, top, right, bottom
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].empty())
            return E_INVALIDARG;   // "1,,2,3": a side left out is no size
        sides[i].Parse(SStringW(items[i].data(), static_cast<int>(items[i].size())));
    }
    if (items.size() == 1)
        sides[1] = sides[2] = sides[3] = sides[0];
    m_data.extendLeft = sides[0];
    m_data.extendTop = sides[1];
    m_data.extendRight = sides[2];
    m_data.extendBottom = sides[3];
    return S_OK;
}

}  // namespace SAKU
