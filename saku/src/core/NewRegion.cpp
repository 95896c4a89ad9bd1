#include "core/NewRegion.h"

#include "core/SApplication.h"
#include "render/IRenderFactory.h"

namespace SAKU {

SAutoRef<IRegion> NewRegion()
{
    SAutoRef<IRegion> region;
    SApplication* const app = SApplication::GetInstance();
    if (IRenderFactory* const factory = app ? app->GetRenderFactory() : nullptr)
        (void)factory->CreateRegion(region.Put());   // the caller checks for null
    return region;
}

}  // namespace SAKU
