#include "core/SwndStyle.h"

#include "core/SFontPool.h"
#include "core/SplitString.h"

namespace SAKU {

namespace {

RECT SidesToPixels(const SLayoutDim (&sides)[4], int scale)
{
    return RECT{sides[0].ToPixelSize(scale), sides[1].ToPixelSize(scale), sides[2].ToPixelSize(scale),
                sides[3].ToPixelSize(scale)};
}

bool ValidState(int state)
{
    return state >= 0 && state < SwndStyle::kStates;
}

}  // namespace

SwndStyle::SwndStyle() = default;
SwndStyle::~SwndStyle() = default;

bool SwndStyle::ReadSides(SLayoutDim (&sides)[4], const SStringW& value)
{
    SDynArray<SStringW> values;
    switch (SplitString(value, L',', values)) {
    case 1:
        sides[0] = sides[1] = sides[2] = sides[3] = SLayoutDim(values[0]);
        break;
    case 2:   // horizontal, vertical
        sides[0] = sides[2] = SLayoutDim(values[0]);
        sides[1] = sides[3] = SLayoutDim(values[1]);
        break;
    case 4:
        for (int i = 0; i < 4; ++i)
            sides[i] = SLayoutDim(values[i]);
        break;
    default:   // a count that names no sides changes none
        break;
    }
    return true;
}

RECT SwndStyle::GetMarginRect() const
{
    return SidesToPixels(m_margin, m_scale);
}

RECT SwndStyle::GetPaddingRect() const
{
    return SidesToPixels(m_padding, m_scale);
}

UINT SwndStyle::GetTextFormat() const
{
    if (m_textMode != 0)
        return static_cast<UINT>(m_textMode);
    UINT format = 0;
    if (m_align == kAlignCenter)
        format |= DT_CENTER;
    else if (m_align == kAlignRight)
        format |= DT_RIGHT;
    if (m_valign == kVAlignMiddle)
        format |= DT_VCENTER | DT_SINGLELINE;
    else if (m_valign == kVAlignBottom)
        format |= DT_BOTTOM | DT_SINGLELINE;
    if (m_bDotted)
        format |= DT_END_ELLIPSIS;
    return format;
}

COLORREF SwndStyle::GetTextColor(int state) const
{
    if (!ValidState(state) || m_crText[state] == kColorNone)
        return m_crText[0];
    return m_crText[state];
}

IFont* SwndStyle::GetTextFont(int state) const
{
    if (!ValidState(state) || !m_font[state])
        return m_font[0].Get();
    return m_font[state].Get();
}

int SwndStyle::GetStates() const
{
    int fonts = 0;
    int colors = 0;
    for (int state = 1; state < kStates; ++state) {
        if (m_font[state])
            ++fonts;
        if (m_crText[state] != kColorNone)
            ++colors;
    }
    return 1 + (fonts > colors ? fonts : colors);
}

void SwndStyle::SetScale(int scale)
{
    m_scale = scale;
    for (int state = 0; state < kStates; ++state) {
        if (!m_fontDesc[state].IsEmpty())
            m_font[state] = FindFont(m_fontDesc[state], m_scale);
    }
}

}  // namespace SAKU
