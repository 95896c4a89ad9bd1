#pragma once

#include "render/IRenderFactory.h"

namespace SAKU {

// The creator of the GDI render module: the factory with one reference, owned by
// the caller, and no image-decoder factory yet; TRUE.
BOOL CreateRenderFactory_GDI(IRenderFactory** factory);

}  // namespace SAKU
