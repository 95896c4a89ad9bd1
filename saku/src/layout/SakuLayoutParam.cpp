#include "layout/SakuLayoutParam.h"

namespace SAKU {

namespace {

// Whether the sizes of the orientation pass the test: either size for Any, both for Both.
template <typename Test>
bool SizesAre(const SakuLayoutParamStruct& data, ORIENTATION orientation, Test test)
{
    switch (orientation) {
    case Horz: return test(data.width);
    case Vert: return test(data.height);
    case Any: return test(data.width) || test(data.height);
    case Both: return test(data.width) && test(data.height);
    }
    return false;
}

template <typename Change>
void ChangeSizes(SakuLayoutParamStruct& data, ORIENTATION orientation, Change change)
{
    if (orientation == Horz || orientation == Both)
        change(data.width);
    if (orientation == Vert || orientation == Both)
        change(data.height);
}

}  // namespace

bool SakuLayoutParam::IsMatchParent(ORIENTATION orientation) const
{
    return SizesAre(m_data, orientation, [](const SLayoutDim& size) { return size.IsMatchParent(); });
}

bool SakuLayoutParam::IsWrapContent(ORIENTATION orientation) const
{
    return SizesAre(m_data, orientation, [this](const SLayoutDim& size) { return m_data.WrapsContent(size); });
}

bool SakuLayoutParam::IsSpecifiedSize(ORIENTATION orientation) const
{
    return SizesAre(m_data, orientation, [](const SLayoutDim& size) { return size.IsSpecified(); });
}

SLayoutDim SakuLayoutParam::GetSpecifiedSize(ORIENTATION orientation) const
{
    return orientation == Vert ? m_data.height : m_data.width;
}

void SakuLayoutParam::SetMatchParent(ORIENTATION orientation)
{
    ChangeSizes(m_data, orientation, [](SLayoutDim& size) { size.SetMatchParent(); });
}

void SakuLayoutParam::SetWrapContent(ORIENTATION orientation)
{
    ChangeSizes(m_data, orientation, [](SLayoutDim& size) { size.SetWrapContent(); });
}

void SakuLayoutParam::SetSpecifiedSize(ORIENTATION orientation, const SLayoutDim& size)
{
    ChangeSizes(m_data, orientation, [&size](SLayoutDim& target) { target = size; });
}

}  // namespace SAKU
