#include "core/SHostWndAttr.h"

#include <gtest/gtest.h>

using namespace SAKU;

namespace {

HRESULT Apply(SHostWndAttr& attr, const wchar_t* name, const wchar_t* value)
{
    return attr.ApplyAttribute(name, value, TRUE);
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(SHostWndAttr, ReadsNumbersFlagsAndTypes)
{
    SHostWndAttr attr;
    EXPECT_EQ(S_OK, Apply(attr, L"wndStyle", L"0x10000"));
    EXPECT_EQ(0x10000u, attr.GetWndStyle());
    EXPECT_EQ(S_OK, Apply(attr, L"ALPHA", L"0x80"));   // names in any case, numbers in hex
    EXPECT_EQ(0x80, attr.GetAlpha());
    EXPECT_EQ(S_OK, Apply(attr, L"translucent", L"1"));
    EXPECT_TRUE(attr.IsTranslucent());
    EXPECT_EQ(S_OK, Apply(attr, L"allowSpy", L"0"));
    EXPECT_FALSE(attr.IsAllowSpy());

    const struct { const wchar_t* value; HRESULT result; int type; } types[] = {
        {L"appMain", S_OK, SHostWndAttr::kWndTypeAppMain},
        {L"normal", S_OK, SHostWndAttr::kWndTypeNormal},
        {L"undefine", S_OK, SHostWndAttr::kWndTypeUndefine},
        {L"AppMain", E_FAIL, SHostWndAttr::kWndTypeUndefine},   // the values compare exactly
        {L"popup", E_FAIL, SHostWndAttr::kWndTypeUndefine},
    };
    for (const auto& c : types) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(c.result, Apply(attr, L"wndType", c.value));
        EXPECT_EQ(c.type, attr.GetWndType());
    }
    EXPECT_EQ(S_OK, Apply(attr, L"appMainWnd", L"2"));
    EXPECT_EQ(SHostWndAttr::kWndTypeNormal, attr.GetWndType());
    EXPECT_EQ(E_FAIL, Apply(attr, L"noSuchAttribute", L"1"));

    EXPECT_EQ(S_OK, Apply(attr, L"width", L"WrapContent"));
    EXPECT_TRUE(attr.GetWidth().IsWrapContent());
    EXPECT_EQ(S_OK, Apply(attr, L"height", L"20dp"));
    EXPECT_EQ(30, attr.GetHeight().ToPixelSize(150));
}

TEST(SHostWndAttr, ListsNeedTheirExactNumberOfParts)
{
    SHostWndAttr attr;
    EXPECT_EQ(S_OK, Apply(attr, L"maxInset", L"1,2,3,4"));
    const struct { const wchar_t* name; const wchar_t* value; } refused[] = {
        {L"maxInset", L"5,6,7"}, {L"maxInset", L"5,6,7,8,9"}, {L"margin", L"5"}, {L"minsize", L"1,2,3"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(E_INVALIDARG, Apply(attr, c.name, c.value));
    }
    EXPECT_TRUE(SameRect(RECT{1, 2, 3, 4}, attr.GetMaxRectInset(100)));   // the old inset stays
    EXPECT_TRUE(SameRect(RECT{0, 0, 0, 0}, attr.GetMarginRect(100)));

    EXPECT_EQ(S_OK, Apply(attr, L"margin", L"4,4dp,6,8"));
    EXPECT_TRUE(SameRect(RECT{4, 6, 6, 8}, attr.GetMarginRect(150)));   // dp grows with the scale
    EXPECT_EQ(S_OK, Apply(attr, L"minsize", L"100,80"));
    EXPECT_EQ(100, attr.GetMinSize(100).cx);
    EXPECT_EQ(80, attr.GetMinSize(100).cy);
}

TEST(SHostWndAttr, InitRestoresEveryDefault)
{
    SHostWndAttr attr;
    for (const auto* name : {L"resizable", L"translucent", L"appWnd", L"toolWindow", L"sendWheel2Hover"})
        EXPECT_EQ(S_OK, Apply(attr, name, L"1"));
    Apply(attr, L"alpha", L"10");
    Apply(attr, L"allowSpy", L"0");
    Apply(attr, L"wndType", L"appMain");
    Apply(attr, L"wndStyleEx", L"0x80");
    Apply(attr, L"width", L"100");
    attr.Init();
    EXPECT_FALSE(attr.IsResizable() || attr.IsTranslucent() || attr.IsAppWnd() || attr.IsToolWindow() ||
                 attr.IsSendWheel2Hover());
    EXPECT_EQ(255, attr.GetAlpha());
    EXPECT_TRUE(attr.IsAllowSpy());
    EXPECT_EQ(SHostWndAttr::kWndTypeUndefine, attr.GetWndType());
    EXPECT_EQ(0u, attr.GetWndStyleEx());
    EXPECT_FALSE(attr.GetWidth().IsValid());
}
