#include "res.mgr/IResProvider.h"

#include "res.mgr/SResProviderFiles.h"
#include "res.mgr/SResProviderPE.h"

#include <new>

namespace SAKU {

BOOL CreateResProvider(int kind, IResProvider** provider)
{
    if (!provider)
        return FALSE;
    *provider = nullptr;
    if (kind == kResProviderPE)
        *provider = new (std::nothrow) SResProviderPE;
    else if (kind == kResProviderFiles)
        *provider = new (std::nothrow) SResProviderFiles;
    return *provider != nullptr;
}

}  // namespace SAKU
