#include "core/CSimpleWndHelper.h"

#include <memory>
#include <new>

namespace SAKU {

bool CSimpleWndHelper::Init(HINSTANCE module, LPCWSTR className)
{
    if (GetInstance())
        return false;
    // Held by the instance pointer from here until Destroy.
    return new (std::nothrow) CSimpleWndHelper(module, className) != nullptr;
}

void CSimpleWndHelper::Destroy()
{
    std::unique_ptr<CSimpleWndHelper> owned(GetInstance());
}

}  // namespace SAKU
