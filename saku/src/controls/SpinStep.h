#pragma once

namespace SAKU {

// One step of a spin control from `value` by `step`, up or down, kept within
// [minimum, maximum]: past the end it goes round to the other end when `circle`
// is set, else it stops at the end. Worked in 64 bits, so that a value from
// text beyond the int range steps into the range instead of wrapping round.
int SpinStep(long long value, int step, bool up, int minimum, int maximum, bool circle);

}  // namespace SAKU
