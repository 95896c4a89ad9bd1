#pragma once

#include "core/IObjRef.h"
#include "core/IObject.h"

namespace SAKU {

// Maps the elapsed fraction of an animation onto the fraction of its way to show,
// so that an animation may start slowly, overshoot or bounce. Made by name through
// the factories (type kObjTypeInterpolator), configured by attributes, reference
// counted. UI thread.
struct IInterpolator : IObject, IObjRef {
    // `input` runs from 0 to 1; values outside follow the same formula.
    virtual float getInterpolation(float input) const = 0;
};

}  // namespace SAKU
