// The text of a child's layout parameters: "pos" items, sizes and offsets.

#include "layout/SakuLayoutParamStruct.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace SAKU;

namespace {

std::wstring DescribeDim(const SLayoutDim& dim)
{
    if (!dim.IsValid())
        return L"unset";
    if (dim.IsMatchParent())
        return L"match";
    if (dim.IsWrapContent())
        return L"wrap";
    static const wchar_t* const kUnits[] = {L"", L"dp", L"dip", L"sp"};
    wchar_t text[32] = {};
    swprintf(text, 32, L"%g%ls", dim.GetValue(), kUnits[dim.GetUnit()]);
    return text;
}

// An item written back in the form it was read from ("|-50", "sib.far@3:5"), so
// that a table of texts reads as what it means.
std::wstring DescribeItem(const SakuPosItem& item)
{
    std::wstring text;
    switch (item.type) {
    case kPosParentEdge: break;
    case kPosCenter: text = L"|"; break;
    case kPosPercent: text = L"%"; break;
    case kPosPrevFar: text = L"["; break;
    case kPosNextNear: text = L"]"; break;
    case kPosPrevNear: text = L"{"; break;
    case kPosNextFar: text = L"}"; break;
    case kPosSize: text = L"@"; break;
    case kPosSibNear: text = L"sib.near@" + std::to_wstring(item.siblingId) + L":"; break;
    case kPosSibFar: text = L"sib.far@" + std::to_wstring(item.siblingId) + L":"; break;
    default: text = L"?" + std::to_wstring(item.type); break;
    }
    if (item.sign < 0)
        text += L"-";
    return text + DescribeDim(item.offset);
}

struct Described {
    int count;
    std::wstring items[4];   // left, top, right, bottom
    std::wstring width;
    std::wstring height;
};

Described Describe(const SakuLayoutParamStruct& param)
{
    return {param.count,
            {DescribeItem(param.left), DescribeItem(param.top), DescribeItem(param.right), DescribeItem(param.bottom)},
            DescribeDim(param.width),
            DescribeDim(param.height)};
}

void ExpectDescribed(const Described& expected, const SakuLayoutParamStruct& param)
{
    const Described actual = Describe(param);
    EXPECT_EQ(expected.count, actual.count);
    for (int i = 0; i < expected.count; ++i)
        EXPECT_EQ(expected.items[i], actual.items[i]) << "item " << i;
    EXPECT_EQ(expected.width, actual.width);
    EXPECT_EQ(expected.height, actual.height);
}

}  // namespace

TEST(SakuLayoutParamStruct, ReadsEveryKindOfPositionItem)
{
    const struct {
        const wchar_t* pos;
        Described expected;
    } cases[] = {
        // The wizard's own.
        {L"-60,0", {2, {L"-60", L"0"}, L"wrap", L"wrap"}},
        {L"0,0,-0,-0", {4, {L"0", L"0", L"-0", L"-0"}, L"match", L"match"}},
        {L"0,0,-0,30", {4, {L"0", L"0", L"-0", L"30"}, L"match", L"unset"}},
        {L"[5,8", {2, {L"[5", L"8"}, L"wrap", L"wrap"}},
        {L"5,10,-5,-60", {4, {L"5", L"10", L"-5", L"-60"}, L"unset", L"unset"}},
        {L"0,-60,-0,-0", {4, {L"0", L"-60", L"-0", L"-0"}, L"match", L"unset"}},
        // Every prefix, with and without "-", blanks around items.
        {L"|-50,|-20,@100,@40", {4, {L"|-50", L"|-20", L"@100", L"@40"}, L"100", L"40"}},
        {L"%25, 0 , %-25 ,@30", {4, {L"%25", L"0", L"%-25", L"@30"}, L"unset", L"30"}},
        {L"]-10,{3", {2, {L"]-10", L"{3"}, L"wrap", L"wrap"}},
        {L"}2,[-4", {2, {L"}2", L"[-4"}, L"wrap", L"wrap"}},
        {L"10dp,1.5sp,-10dip,@20dp", {4, {L"10dp", L"1.5sp", L"-10dip", L"@20dp"}, L"unset", L"20dp"}},
        // Sibling edges: left and top read the near edge, right and bottom the far one.
        {L"sib.right@3:5,sib.top@3:0", {2, {L"sib.far@3:5", L"sib.near@3:0"}, L"wrap", L"wrap"}},
        {L"sib.left@7:-4,sib.bottom@-2:2dp", {2, {L"sib.near@7:-4", L"sib.far@-2:2dp"}, L"wrap", L"wrap"}},
        // "@" with a negative size wraps the content; "0" and "-0" only in that order match.
        {L"0,0,@-1,@0", {4, {L"0", L"0", L"@-1", L"@0"}, L"wrap", L"0"}},
        {L"-0,0,0,-0", {4, {L"-0", L"0", L"0", L"-0"}, L"unset", L"match"}},
        {L"|0,%0,|-0,%-0", {4, {L"|0", L"%0", L"|-0", L"%-0"}, L"unset", L"unset"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "pos " << c.pos);
        SakuLayoutParamStruct param;
        EXPECT_EQ(S_OK, param.SetPos(c.pos));
        ExpectDescribed(c.expected, param);
    }
}

TEST(SakuLayoutParamStruct, APositionOfAnotherCountIsRefused)
{
    for (const wchar_t* pos : {L"", L"10", L"1,2,3", L"1,2,3,4,5", L"10,,20", L"1,2,3,4,"}) {
        SCOPED_TRACE(testing::Message() << "pos \"" << pos << "\"");
        SakuLayoutParamStruct param;
        ASSERT_EQ(S_OK, param.SetPos(L"1,2,-3,-4"));
        param.width.Set(7.0f, kUnitPx);
        EXPECT_EQ(E_INVALIDARG, param.SetPos(pos));
        ExpectDescribed({4, {L"1", L"2", L"-3", L"-4"}, L"7", L"unset"}, param);
    }
}

// An item that does not parse answers S_OK and keeps the earlier items, count and
// sizes whole: none of the new items is taken.
TEST(SakuLayoutParamStruct, ItemsThatDoNotParseKeepTheEarlierPosition)
{
    const wchar_t* const malformed[] = {
        L"@10,0",             L"0,@10",              L" ,5",               L"5, ",
        L"1,2,,4",            L"1,2,3, ",            L"sib.left@0:5,0",    L"sib.left@3,0",
        L"sib.left@3:1:2,0",  L"sib.left@x:1,0",     L"sib.centre@3:1,0",  L"sib.Left@3:1,0",
        L"7,8,sib.right@:1,0", L",",
    };
    for (const wchar_t* pos : malformed) {
        SCOPED_TRACE(testing::Message() << "pos " << pos);
        SakuLayoutParamStruct param;
        ASSERT_EQ(S_OK, param.SetPos(L"|1,|2,@30,-4"));
        EXPECT_EQ(S_OK, param.SetPos(pos));
        ExpectDescribed({4, {L"|1", L"|2", L"@30", L"-4"}, L"30", L"unset"}, param);
    }
}

TEST(SakuLayoutParamStruct, TwoItemsLeaveOnlyUnsetSizesToTheContent)
{
    SakuLayoutParamStruct param;
    ASSERT_EQ(S_OK, param.SetPos(L"0,0,-0,5"));   // width match, height unset
    ASSERT_EQ(S_OK, param.SetPos(L"3,4"));
    ExpectDescribed({2, {L"3", L"4"}, L"match", L"wrap"}, param);
}

TEST(SakuLayoutParamStruct, ReadsWidthsHeightsAndSizes)
{
    const struct {
        const wchar_t* attribute;
        const wchar_t* value;
        HRESULT result;
        const wchar_t* width;
        const wchar_t* height;
    } cases[] = {
        {L"width", L"matchParent", S_OK, L"match", L"wrap"},
        {L"width", L"FULL", S_OK, L"match", L"wrap"},
        {L"height", L"WrapContent", S_OK, L"wrap", L"wrap"},
        {L"height", L"20dp", S_OK, L"wrap", L"20dp"},
        {L"size", L"340, 420", S_OK, L"340", L"420"},
        {L"size", L"full,wrapcontent", S_OK, L"match", L"wrap"},
        {L"size", L"10sp,matchparent", S_OK, L"10sp", L"match"},
        {L"size", L"100", E_FAIL, L"wrap", L"wrap"},
        {L"size", L"1,2,3", E_FAIL, L"wrap", L"wrap"},
        {L"size", L"100,", E_FAIL, L"wrap", L"wrap"},
        {L"size", L"", E_FAIL, L"wrap", L"wrap"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.attribute << "=" << c.value);
        SakuLayoutParamStruct param;
        const std::wstring name = c.attribute;
        const HRESULT result = name == L"width"    ? param.SetWidth(c.value)
                               : name == L"height" ? param.SetHeight(c.value)
                                                   : param.SetSize(c.value);
        EXPECT_EQ(c.result, result);
        EXPECT_EQ(c.width, DescribeDim(param.width));
        EXPECT_EQ(c.height, DescribeDim(param.height));
    }
}

TEST(SakuLayoutParamStruct, ReadsOffsetsAsTwoNumbers)
{
    const struct {
        const wchar_t* value;
        HRESULT result;
        float x;
        float y;
    } cases[] = {
        {L"-0.5,-0.5", S_OK, -0.5f, -0.5f}, {L"1,0.25", S_OK, 1.0f, 0.25f}, {L" 2, 3", S_OK, 2.0f, 3.0f},
        {L"0.5", E_FAIL, 0.1f, 0.2f},       {L"x,1", E_FAIL, 0.1f, 0.2f},   {L"", E_FAIL, 0.1f, 0.2f},
        {L"1;2", E_FAIL, 0.1f, 0.2f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "offset " << c.value);
        SakuLayoutParamStruct param;
        param.offsetX = 0.1f;
        param.offsetY = 0.2f;
        EXPECT_EQ(c.result, param.SetOffset(c.value));
        EXPECT_FLOAT_EQ(c.x, param.offsetX);
        EXPECT_FLOAT_EQ(c.y, param.offsetY);
    }
}
