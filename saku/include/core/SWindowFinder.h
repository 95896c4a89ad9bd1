#pragma once

#include "core/SSingleton.h"

namespace SAKU {

// The cache of searches for a window's children by name or id. No search of the
// library goes through it, so it stays empty: it holds nothing until one does. The
// last of the application's singletons, made and deleted by it. UI thread.
class SWindowFinder : public SSingleton<SWindowFinder> {
};

}  // namespace SAKU
