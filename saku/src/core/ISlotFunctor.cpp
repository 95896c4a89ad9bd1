#include "core/ISlotFunctor.h"

#include <new>

namespace SAKU {

std::unique_ptr<ISlotFunctor> FreeFunctionSlot::Clone() const
{
    return std::unique_ptr<ISlotFunctor>(new (std::nothrow) FreeFunctionSlot(m_function));
}

BOOL FreeFunctionSlot::Equal(const ISlotFunctor& other) const
{
    if (other.GetSlotType() != kSlotFreeFunction)
        return FALSE;
    const auto* const same = dynamic_cast<const FreeFunctionSlot*>(&other);
    return same && same->m_function == m_function;
}

}  // namespace SAKU
