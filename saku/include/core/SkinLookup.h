#pragma once

#include "core/TStringT.h"

namespace SAKU {

struct ISkinObj;

// How windows take their skins from the application's skin pools. Each answers
// null when there are no pools or no pool has the name, and adds no reference.

// The skin of the name from the pool stack, newest pool first, for `scale`.
ISkinObj* FindSkin(const SStringW& name, int scale);
// The built-in skin of the name at scale 100: the default skin of a control.
ISkinObj* FindBuiltinSkin(LPCWSTR name);
// The pools' skin of the same name for a new scale; the skin itself when it has
// no name or the pools have none of that name.
ISkinObj* RescaleSkin(ISkinObj* skin, int scale);

}  // namespace SAKU
