#include "core/STextServiceHelper.h"

#include <memory>
#include <new>

namespace SAKU {

bool STextServiceHelper::Init()
{
    if (GetInstance())
        return false;
    // Held by the instance pointer from here until Destroy.
    return new (std::nothrow) STextServiceHelper != nullptr;
}

void STextServiceHelper::Destroy()
{
    std::unique_ptr<STextServiceHelper> owned(GetInstance());
}

}  // namespace SAKU
