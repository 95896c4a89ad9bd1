#pragma once

#include "core/IInterpolator.h"
#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SObjectImpl.h"

namespace SAKU {

// The nine interpolators, registered under their tags ("Linear", "Bounce", ...;
// found in any letter case). Arithmetic is in single precision, as animations
// have always been computed; only cos, sin and pow work in double. Parameters are
// attributes read as "%f"; a value that does not read leaves the parameter as it
// was. Born with one reference, owned by the creator. UI thread.
class SInterpolatorBase : public TObjRefImpl<SObjectImpl<IInterpolator>> {
public:
    SOBJECT_CLASS(SObjectImpl<IInterpolator>, L"interpolator_base", kObjTypeInterpolator)
};

// Declares an interpolator class's name and base for the factories.
#define SINTERPOLATOR_CLASS(tag)                                           \
    SOBJECT_CLASS(SInterpolatorBase, tag, kObjTypeInterpolator)            \
    SOBJECT_BASE_CLASS(L"interpolator_base")                               \
    float getInterpolation(float input) const override;

class SLinearInterpolator : public SInterpolatorBase {
public:
    SINTERPOLATOR_CLASS(L"Linear")
};

// Always the square: its factor is fixed at 1.
class SAccelerateInterpolator : public SInterpolatorBase {
public:
    SINTERPOLATOR_CLASS(L"Accelerate")
};

class SDecelerateInterpolator : public SInterpolatorBase {
public:
    SINTERPOLATOR_CLASS(L"Decelerate")

    BEGIN_ATTRIBUTES(SDecelerateInterpolator)
        ATTRIBUTE_FIELD(L"factor", m_factor, ParseFloat, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SInterpolatorBase)

private:
    float m_factor = 1.0f;
};

class SAccelerateDecelerateInterpolator : public SInterpolatorBase {
public:
    SINTERPOLATOR_CLASS(L"AccelerateDecelerate")
};

// Moves backwards before it goes forwards.
class SAnticipateInterpolator : public SInterpolatorBase {
public:
    SINTERPOLATOR_CLASS(L"Anticipate")

    BEGIN_ATTRIBUTES(SAnticipateInterpolator)
        ATTRIBUTE_FIELD(L"tension", m_tension, ParseFloat, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SInterpolatorBase)

private:
    float m_tension = 2.0f;
};

// Backwards first, then past the end, then back to it; the tension is
// tension × extraTension.
class SAnticipateOvershootInterpolator : public SInterpolatorBase {
public:
    SINTERPOLATOR_CLASS(L"AnticipateOvershoot")

    BEGIN_ATTRIBUTES(SAnticipateOvershootInterpolator)
        ATTRIBUTE_FIELD(L"tension",      m_tension,      ParseFloat, kNoRefresh)
        ATTRIBUTE_FIELD(L"extraTension", m_extraTension, ParseFloat, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SInterpolatorBase)

private:
    float m_tension = 2.0f;
    float m_extraTension = 1.5f;
};

// Four parabolic arcs that end slightly above 1 at input 1.
class SBounceInterpolator : public SInterpolatorBase {
public:
    SINTERPOLATOR_CLASS(L"Bounce")
};

// A sine wave of `cycles` periods: 0 at both ends of each period.
class SCycleInterpolator : public SInterpolatorBase {
public:
    SINTERPOLATOR_CLASS(L"Cycle")

    BEGIN_ATTRIBUTES(SCycleInterpolator)
        ATTRIBUTE_FIELD(L"cycles", m_cycles, ParseFloat, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SInterpolatorBase)

private:
    float m_cycles = 1.0f;
};

// Goes past the end, then comes back to it.
class SOvershootInterpolator : public SInterpolatorBase {
public:
    SINTERPOLATOR_CLASS(L"Overshoot")

    BEGIN_ATTRIBUTES(SOvershootInterpolator)
        ATTRIBUTE_FIELD(L"tension", m_tension, ParseFloat, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SInterpolatorBase)

private:
    float m_tension = 2.0f;
};

}  // namespace SAKU
