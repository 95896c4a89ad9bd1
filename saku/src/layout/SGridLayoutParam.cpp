#include "layout/SGridLayoutParam.h"

namespace SAKU {

int ParseGridGravity(const SStringW& value)
{
    static constexpr AttributeWord kWords[] = {
        {L"left", kGravityNear}, {L"top", kGravityNear},     {L"center", kGravityCenter},
        {L"right", kGravityFar}, {L"bottom", kGravityFar},   {L"fill", kGravityFill},
    };
    return WordValue(value, kWords, std::size(kWords), kAnyCase).value_or(kGravityNone);
}

HRESULT StoreGridCount(int& field, const SStringW& value, int least, bool followsAllowed, HRESULT answer)
{
    const std::optional<int> count = ParseInt(value);
    if (!count)
        return E_INVALIDARG;
    if (*count < least && !(followsAllowed && *count == -1))
        return E_FAIL;
    field = *count;
    return answer;
}

}  // namespace SAKU
