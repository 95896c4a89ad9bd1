#pragma once

#include "core/TStringT.h"

#include <string_view>

namespace SAKU {

// The units a layout size may carry, as written after the number.
enum SLayoutUnit : int {
    kUnitPx = 0,    // "px": device pixels, never scaled
    kUnitDp = 1,    // "dp", "dip" and "sp" grow with the window's scale
    kUnitDip = 2,
    kUnitSp = 3,
};

// The special sizes of layouts.
constexpr float kSizeWrapContent = -1.0f;
constexpr float kSizeMatchParent = -2.0f;
constexpr float kSizeInvalid = -3.0f;   // unset

// A size written in a layout, style or font description: a number and a unit
// ("12", "12dp", "1.5SP"), or one of the special sizes. Consumers turn it into
// pixels for the window's scale with ToPixelSize. A plain value; any thread.
class SLayoutDim {
public:
    SLayoutDim() = default;   // 0 px
    SLayoutDim(float value, SLayoutUnit unit) : m_value(value), m_unit(unit) {}
    explicit SLayoutDim(const SStringW& text) { Parse(text); }

    // The number at the start and the unit the text ends with (any case; none is
    // px). An empty text changes nothing.
    void Parse(const SStringW& text);
    // A "width" or "height" as layouts and host windows write it: "matchParent" or
    // "full", "wrapContent" (any case), or a size as Parse reads it; blanks around
    // the text do not count. The special sizes keep the unit, and a blank text
    // changes nothing.
    void ParseSizeText(std::wstring_view text);
    void Set(float value, SLayoutUnit unit)
    {
        m_value = value;
        m_unit = unit;
    }

    float GetValue() const { return m_value; }
    SLayoutUnit GetUnit() const { return m_unit; }

    bool IsWrapContent() const;
    bool IsMatchParent() const;
    bool IsValid() const;       // not unset
    bool IsSpecified() const { return m_value >= 0; }   // a real size, not a special one
    bool IsZero() const;

    // The unit stays as it is.
    void SetWrapContent() { m_value = kSizeWrapContent; }
    void SetMatchParent() { m_value = kSizeMatchParent; }
    void SetInvalid() { m_value = kSizeInvalid; }

    // Pixels at `scale` percent: -2 for match parent, -1 for wrap content, px
    // truncated, other units rounded half up. Test IsValid first: an unset size
    // converts like any negative number.
    int ToPixelSize(int scale) const;

private:
    float m_value = 0.0f;
    SLayoutUnit m_unit = kUnitPx;
};

// Whether two floats differ by less than 1e-8.
bool FloatEquals(float a, float b);

}  // namespace SAKU
