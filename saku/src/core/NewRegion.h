#pragma once

#include "core/SAutoRef.h"
#include "render/IRegion.h"

namespace SAKU {

// An empty region from the application's render factory, for the window tree and
// the host to collect invalid areas in. Null when there is no application or
// factory yet, which each caller checks where it uses the region. UI thread.
SAutoRef<IRegion> NewRegion();

}  // namespace SAKU
