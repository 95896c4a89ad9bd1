#pragma once

#include "res.mgr/SNamedValue.h"

#include <array>

// The ids of the layouts' named elements, which the application gives every
// element whose layout names it without an id of its own. Sorted by name in
// code-unit order ("btnSwitch" before "btn_back"), so that the application
// searches it by halves without sorting it again. Names that a layout gives an
// explicit id carry that id here too.
extern const std::array<SAKU::SNamedID::Entry, 53> kNamedIds;
