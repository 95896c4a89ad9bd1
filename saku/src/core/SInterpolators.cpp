#include "core/SInterpolators.h"

#include <cmath>

namespace SAKU {

namespace {

// One unit in the last place below the float nearest to π: the constant the
// animations have always used, kept so that their frames come out the same.
constexpr float kPi = 3.1415925f;

float Bounce(float t)
{
    return t * t * 8.0f;
}

}  // namespace

float SLinearInterpolator::getInterpolation(float input) const
{
    return input;
}

float SAccelerateInterpolator::getInterpolation(float input) const
{
    return input * input;
}

float SDecelerateInterpolator::getInterpolation(float input) const
{
    const float difference = static_cast<float>(std::fabs(static_cast<double>(m_factor) - 1.0));
    if (difference < 1e-8f)
        return 1.0f - (1.0f - input) * (1.0f - input);
    return 1.0f - static_cast<float>(std::pow(static_cast<double>(1.0f - input), static_cast<double>(2.0f * m_factor)));
}

float SAccelerateDecelerateInterpolator::getInterpolation(float input) const
{
    return static_cast<float>(std::cos(static_cast<double>((input + 1.0f) * kPi))) * 0.5f + 0.5f;
}

float SAnticipateInterpolator::getInterpolation(float input) const
{
    return ((m_tension + 1.0f) * input - m_tension) * (input * input);
}

float SAnticipateOvershootInterpolator::getInterpolation(float input) const
{
    const float tension = m_tension * m_extraTension;
    const float s = input * 2.0f;
    if (input < 0.5f)
        return 0.5f * ((tension + 1.0f) * s - tension) * (s * s);
    const float t = s - 2.0f;
    return 0.5f * (((tension + 1.0f) * t + tension) * (t * t) + 2.0f);
}

float SBounceInterpolator::getInterpolation(float input) const
{
    const float t = input * 1.1226f;
    if (t < 0.3535f)
        return Bounce(t);
    if (t < 0.7408f)
        return Bounce(t - 0.54719f) + 0.7f;
    if (t < 0.9644f)
        return Bounce(t - 0.8526f) + 0.9f;
    return Bounce(t - 1.0435f) + 0.95f;
}

float SCycleInterpolator::getInterpolation(float input) const
{
    return static_cast<float>(std::sin(static_cast<double>((m_cycles + m_cycles) * kPi * input)));
}

float SOvershootInterpolator::getInterpolation(float input) const
{
    const float t = input - 1.0f;
    return ((m_tension + 1.0f) * t + m_tension) * (t * t) + 1.0f;
}

}  // namespace SAKU
