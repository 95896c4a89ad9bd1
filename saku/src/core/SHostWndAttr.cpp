#include "core/SHostWndAttr.h"

#include "core/SApplication.h"
#include "core/SplitString.h"

namespace SAKU {

namespace {

RECT DimsToRect(const SLayoutDim (&dims)[4], int scale)
{
    return RECT{dims[0].ToPixelSize(scale), dims[1].ToPixelSize(scale), dims[2].ToPixelSize(scale),
                dims[3].ToPixelSize(scale)};
}

}  // namespace

SLayoutDim SHostWndAttr::ParseHostSize(const SStringW& value)
{
    SLayoutDim size(kSizeWrapContent, kUnitPx);   // what a blank text leaves
    size.ParseSizeText(std::wstring_view(value.c_str(), value.GetLength()));
    return size;
}

void SHostWndAttr::Init()
{
    m_trCtx = SStringW();
    m_title.SetText(SStringW());
    for (SLayoutDim& dim : m_maxInset)
        dim = SLayoutDim();
    m_width = SLayoutDim(kSizeInvalid, kUnitPx);
    m_height = SLayoutDim(kSizeInvalid, kUnitPx);
    for (SLayoutDim& dim : m_margin)
        dim = SLayoutDim();
    for (SLayoutDim& dim : m_minSize)
        dim = SLayoutDim();
    m_wndStyle = 0;
    m_wndStyleEx = 0;
    m_resizable = false;
    m_translucent = false;
    m_sendWheel2Hover = false;
    m_appWnd = false;
    m_toolWindow = false;
    m_smallIcon.Reset();
    m_bigIcon.Reset();
    m_alpha = 255;
    m_allowSpy = true;
    m_wndType = kWndTypeUndefine;
}

RECT SHostWndAttr::GetMarginRect(int scale) const
{
    return DimsToRect(m_margin, scale);
}

RECT SHostWndAttr::GetMaxRectInset(int scale) const
{
    return DimsToRect(m_maxInset, scale);
}

SIZE SHostWndAttr::GetMinSize(int scale) const
{
    return SIZE{m_minSize[0].ToPixelSize(scale), m_minSize[1].ToPixelSize(scale)};
}

void SHostWndAttr::ClearHorzMargin()
{
    m_margin[0] = SLayoutDim();
    m_margin[2] = SLayoutDim();
}

void SHostWndAttr::ClearVertMargin()
{
    m_margin[1] = SLayoutDim();
    m_margin[3] = SLayoutDim();
}

bool SHostWndAttr::ReadDimList(SLayoutDim* dims, int count, const SStringW& value)
{
    SDynArray<SStringW> parts;
    if (SplitString(value, L',', parts) != count)
        return false;
    for (int i = 0; i < count; ++i)
        dims[i] = SLayoutDim(parts[i]);
    return true;
}

bool SHostWndAttr::ReadIcon(UniqueIcon& icon, const SStringW& value)
{
    SApplication* const app = SApplication::GetInstance();
    icon.Reset(app ? app->LoadIconRef(value.c_str()) : nullptr);
    return true;
}

}  // namespace SAKU
