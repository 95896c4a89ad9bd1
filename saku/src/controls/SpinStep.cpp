#include "SpinStep.h"

#include <algorithm>
#include <climits>

namespace SAKU {

int SpinStep(long long value, int step, bool up, int minimum, int maximum, bool circle)
{
    // Beyond the int range the text means as much as the range's end, and the step cannot overflow.
    value = std::clamp<long long>(value, INT_MIN, INT_MAX);
    const long long next = up ? value + step : value - step;
    if (up && next > maximum)
        return circle ? minimum : maximum;
    if (!up && next < minimum)
        return circle ? maximum : minimum;
    // A value that stood outside the range before the step comes into it.
    return static_cast<int>(std::max<long long>(std::min<long long>(next, maximum), minimum));
}

}  // namespace SAKU
