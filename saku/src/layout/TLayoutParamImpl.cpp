#include "layout/TLayoutParamImpl.h"

#include "layout/SplitKeepingEmpty.h"

namespace SAKU {

bool ReadSizeText(SLayoutDim& size, const SStringW& value)
{
    size.ParseSizeText(std::wstring_view(value.c_str(), value.GetLength()));
    return true;
}

HRESULT ReadSizePair(const SStringW& value, SLayoutDim& width, SLayoutDim& height)
{
    const std::vector<std::wstring_view> sizes = SplitKeepingEmpty(std::wstring_view(value.c_str(), value.GetLength()), L',');
    if (sizes.size() != 2 || sizes[0].empty() || sizes[1].empty())
        return E_FAIL;
    width.ParseSizeText(sizes[0]);
    height.ParseSizeText(sizes[1]);
    return S_OK;
}

}  // namespace SAKU
