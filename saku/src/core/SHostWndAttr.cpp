#include "core/SHostWndAttr.h"

#include "core/SApplication.h"
#include "core/SplitString.h"

namespace SAKU {

namespace {

// A list of layout sizes with exactly `count` parts separated by ','; anything
// else is refused and the sizes keep their values.
HRESULT ParseDimList(const SStringW& value, SLayoutDim* dims, int count)
{
    SDynArray<SStringW> parts;
    if (SplitString(value, L',', parts) != count)
        return E_INVALIDARG;
    for (int i = 0; i < count; ++i)
        dims[i] = SLayoutDim(parts[i]);
    return kRefresh;
}

RECT DimsToRect(const SLayoutDim (&dims)[4], int scale)
{
    return RECT{dims[0].ToPixelSize(scale), dims[1].ToPixelSize(scale), dims[2].ToPixelSize(scale),
                dims[3].ToPixelSize(scale)};
}

HRESULT ReplaceIcon(UniqueIcon& icon, const SStringW& value)
{
    SApplication* const app = SApplication::GetInstance();
    icon.Reset(app ? app->LoadIconRef(value.c_str()) : nullptr);
    return kRefresh;
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

HRESULT SHostWndAttr::OnAttrTrCtx(const SStringW& value, BOOL)
{
    m_trCtx = SResProviderMgr::GetString(value);
    return kRefresh;
}

HRESULT SHostWndAttr::OnAttrTitle(const SStringW& value, BOOL)
{
    m_title.SetText(SResProviderMgr::GetString(value));
    return kRefresh;
}

HRESULT SHostWndAttr::OnAttrMaxInset(const SStringW& value, BOOL)
{
    return ParseDimList(value, m_maxInset, 4);
}

HRESULT SHostWndAttr::OnAttrMargin(const SStringW& value, BOOL)
{
    return ParseDimList(value, m_margin, 4);
}

HRESULT SHostWndAttr::OnAttrMinSize(const SStringW& value, BOOL)
{
    return ParseDimList(value, m_minSize, 2);
}

HRESULT SHostWndAttr::OnAttrSmallIcon(const SStringW& value, BOOL)
{
    return ReplaceIcon(m_smallIcon, value);
}

HRESULT SHostWndAttr::OnAttrBigIcon(const SStringW& value, BOOL)
{
    return ReplaceIcon(m_bigIcon, value);
}

HRESULT SHostWndAttr::OnAttrWndType(const SStringW& value, BOOL)
{
    // The values are the layout's own words and compare exactly.
    static const struct {
        const wchar_t* name;
        int type;
    } kTypes[] = {
        {L"undefine", kWndTypeUndefine},
        {L"appMain",  kWndTypeAppMain},
        {L"normal",   kWndTypeNormal},
    };
    for (const auto& type : kTypes) {
        if (value == type.name) {
            m_wndType = type.type;
            return kRefresh;
        }
    }
    return E_FAIL;
}

}  // namespace SAKU
