// The nine interpolators: their curves against the textbook formulas, their
// parameters from XML attributes, and their class names.

#include "core/SAutoRef.h"
#include "core/SInterpolators.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cmath>
#include <functional>
#include <string>

using namespace SAKU;

namespace {

// The π of the curves: the float one unit in the last place below the float
// nearest to π.
const double kPi = 3.1415925f;

// The curves in double precision; the classes compute in single precision.
double Anticipate(double x, double t)
{
    return ((t + 1) * x - t) * x * x;
}

double Overshoot(double x, double t)
{
    return ((t + 1) * (x - 1) + t) * (x - 1) * (x - 1) + 1;
}

double AnticipateOvershoot(double x, double t)
{
    const double s = 2 * x;
    if (x < 0.5)
        return 0.5 * ((t + 1) * s - t) * s * s;
    return 0.5 * (((t + 1) * (s - 2) + t) * (s - 2) * (s - 2) + 2);
}

double Bounce(double x)
{
    const auto arc = [](double t) { return 8 * t * t; };
    const double t = x * 1.1226;
    if (t < 0.3535)
        return arc(t);
    if (t < 0.7408)
        return arc(t - 0.54719) + 0.7;
    if (t < 0.9644)
        return arc(t - 0.8526) + 0.9;
    return arc(t - 1.0435) + 0.95;
}

template <typename T>
SAutoRef<IInterpolator> Make(const wchar_t* xml = nullptr)
{
    auto interpolator = SAutoRef<IInterpolator>::Adopt(new T);
    if (xml) {
        pugi::xml_document document;
        EXPECT_TRUE(document.load_string(xml));
        EXPECT_TRUE(interpolator->BuildFromXml(document.first_child()));
    }
    return interpolator;
}

const float kInputs[] = {-0.25f, 0.0f, 0.05f, 0.1f, 0.2f, 0.25f, 0.3f, 0.4f, 0.5f,
                         0.6f, 0.66f, 0.7f, 0.75f, 0.8f, 0.9f, 0.95f, 1.0f, 1.25f};

void ExpectCurve(const IInterpolator& interpolator, const std::function<double(double)>& curve)
{
    for (const float x : kInputs) {
        SCOPED_TRACE(x);
        EXPECT_NEAR(curve(x), interpolator.getInterpolation(x), 1e-6);
    }
}

}  // namespace

TEST(Interpolators, FollowTheirCurvesWithDefaultParameters)
{
    const struct {
        const char* what;
        SAutoRef<IInterpolator> interpolator;
        std::function<double(double)> curve;
    } cases[] = {
        {"Linear",       Make<SLinearInterpolator>(),       [](double x) { return x; }},
        {"Accelerate",   Make<SAccelerateInterpolator>(),   [](double x) { return x * x; }},
        {"Decelerate",   Make<SDecelerateInterpolator>(),   [](double x) { return 1 - (1 - x) * (1 - x); }},
        {"AccelDecel",   Make<SAccelerateDecelerateInterpolator>(),
                                                            [](double x) { return std::cos((x + 1) * kPi) / 2 + 0.5; }},
        {"Anticipate",   Make<SAnticipateInterpolator>(),   [](double x) { return Anticipate(x, 2); }},
        {"AnticipateOvershoot", Make<SAnticipateOvershootInterpolator>(),
                                                            [](double x) { return AnticipateOvershoot(x, 3); }},
        {"Bounce",       Make<SBounceInterpolator>(),       [](double x) { return Bounce(x); }},
        {"Cycle",        Make<SCycleInterpolator>(),        [](double x) { return std::sin(2 * kPi * x); }},
        {"Overshoot",    Make<SOvershootInterpolator>(),    [](double x) { return Overshoot(x, 2); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectCurve(*c.interpolator.Get(), c.curve);
    }
}

TEST(Interpolators, KnownPoints)
{
    const struct {
        const char* what;
        SAutoRef<IInterpolator> interpolator;
        float x;
        double expected;
    } cases[] = {
        {"Linear starts at 0",            Make<SLinearInterpolator>(),     0.0f,  0.0},
        {"Accelerate starts at 0",        Make<SAccelerateInterpolator>(), 0.0f,  0.0},
        {"Decelerate ends at 1",          Make<SDecelerateInterpolator>(), 1.0f,  1.0},
        {"AccelDecel starts at 0",        Make<SAccelerateDecelerateInterpolator>(), 0.0f, 0.0},
        {"AccelDecel ends at 1",          Make<SAccelerateDecelerateInterpolator>(), 1.0f, 1.0},
        {"Anticipate goes backwards",     Make<SAnticipateInterpolator>(), 0.25f, -0.078125},
        {"Overshoot goes past the end",   Make<SOvershootInterpolator>(),  0.75f, 1.078125},
        {"Bounce ends just above 1",      Make<SBounceInterpolator>(),     1.0f,  1.0000545},
        {"Bounce starts at 0",            Make<SBounceInterpolator>(),     0.0f,  0.0},
        {"Cycle peaks at a quarter",      Make<SCycleInterpolator>(),      0.25f, 1.0},
        {"Cycle crosses at a half",       Make<SCycleInterpolator>(),      0.5f,  0.0},
        {"Cycle dips at three quarters",  Make<SCycleInterpolator>(),      0.75f, -1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_NEAR(c.expected, c.interpolator->getInterpolation(c.x), 1e-6);
    }
}

TEST(Interpolators, TakeTheirParametersFromXmlInAnyCase)
{
    const struct {
        const char* what;
        SAutoRef<IInterpolator> interpolator;
        std::function<double(double)> curve;
    } cases[] = {
        {"factor 2",        Make<SDecelerateInterpolator>(L"<Decelerate FACTOR=\"2\"/>"),
                            [](double x) { return 1 - std::pow(1 - x, 4); }},
        {"factor 1.0",      Make<SDecelerateInterpolator>(L"<Decelerate factor=\"1.0\"/>"),
                            [](double x) { return 1 - (1 - x) * (1 - x); }},
        {"factor 0.5",      Make<SDecelerateInterpolator>(L"<Decelerate Factor=\"0.5\"/>"),
                            [](double x) { return x; }},
        {"unreadable",      Make<SDecelerateInterpolator>(L"<Decelerate factor=\"fast\"/>"),
                            [](double x) { return 1 - (1 - x) * (1 - x); }},
        {"tension 0",       Make<SAnticipateInterpolator>(L"<Anticipate Tension=\"0\"/>"),
                            [](double x) { return x * x * x; }},
        {"tension 1 x 3",   Make<SAnticipateOvershootInterpolator>(
                                L"<AnticipateOvershoot TENSION=\"1\" extratension=\"3\"/>"),
                            [](double x) { return AnticipateOvershoot(x, 3); }},
        {"tension 4 x 1.5", Make<SAnticipateOvershootInterpolator>(L"<AnticipateOvershoot tension=\"4\"/>"),
                            [](double x) { return AnticipateOvershoot(x, 6); }},
        {"cycles 2",        Make<SCycleInterpolator>(L"<Cycle Cycles=\"2\"/>"),
                            [](double x) { return std::sin(4 * kPi * x); }},
        {"cycles 0.5",      Make<SCycleInterpolator>(L"<Cycle cycles=\"0.5\"/>"),
                            [](double x) { return std::sin(kPi * x); }},
        {"overshoot 0",     Make<SOvershootInterpolator>(L"<Overshoot tension=\"0\"/>"),
                            [](double x) { return Overshoot(x, 0); }},
        {"overshoot 3.5",   Make<SOvershootInterpolator>(L"<Overshoot TENSION=\"3.5\"/>"),
                            [](double x) { return Overshoot(x, 3.5); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectCurve(*c.interpolator.Get(), c.curve);
    }
}

TEST(Interpolators, AnswerTheirAttributesWithoutRefreshAndRefuseOthers)
{
    auto decelerate = Make<SDecelerateInterpolator>();
    EXPECT_EQ(S_FALSE, decelerate->ApplyAttribute(L"factor", L"2", FALSE));
    EXPECT_EQ(E_INVALIDARG, decelerate->ApplyAttribute(L"factor", L"junk", FALSE));   // the factor stays 2
    EXPECT_NEAR(1 - std::pow(0.5, 4), decelerate->getInterpolation(0.5f), 1e-6);
    EXPECT_EQ(E_FAIL, decelerate->ApplyAttribute(L"tension", L"2", FALSE));

    // The accelerating curve has no parameter at all.
    auto accelerate = Make<SAccelerateInterpolator>();
    EXPECT_EQ(E_FAIL, accelerate->ApplyAttribute(L"factor", L"3", FALSE));
    EXPECT_NEAR(0.25, accelerate->getInterpolation(0.5f), 1e-7);

    for (const auto& interpolator : {Make<SLinearInterpolator>(), Make<SBounceInterpolator>(),
                                     Make<SAccelerateDecelerateInterpolator>()}) {
        EXPECT_EQ(E_FAIL, interpolator->ApplyAttribute(L"tension", L"1", FALSE));
    }
}

TEST(Interpolators, NameTheirClassesForTheFactories)
{
    const struct {
        SAutoRef<IInterpolator> interpolator;
        const wchar_t* tag;
    } cases[] = {
        {Make<SLinearInterpolator>(), L"Linear"},
        {Make<SAccelerateInterpolator>(), L"Accelerate"},
        {Make<SDecelerateInterpolator>(), L"Decelerate"},
        {Make<SAccelerateDecelerateInterpolator>(), L"AccelerateDecelerate"},
        {Make<SAnticipateInterpolator>(), L"Anticipate"},
        {Make<SAnticipateOvershootInterpolator>(), L"AnticipateOvershoot"},
        {Make<SBounceInterpolator>(), L"Bounce"},
        {Make<SCycleInterpolator>(), L"Cycle"},
        {Make<SOvershootInterpolator>(), L"Overshoot"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tag);
        IInterpolator* const interpolator = c.interpolator.Get();
        EXPECT_STREQ(c.tag, interpolator->GetObjectClass());
        EXPECT_EQ(kObjTypeInterpolator, interpolator->GetObjectType());
        EXPECT_TRUE(interpolator->IsClass(c.tag));
        EXPECT_TRUE(interpolator->IsClass(L"interpolator_base"));
        EXPECT_FALSE(interpolator->IsClass(std::wstring(c.tag).append(L"X").c_str()));
        EXPECT_NE(nullptr, SObjCast<SInterpolatorBase>(static_cast<IObject*>(interpolator)));
    }
}
