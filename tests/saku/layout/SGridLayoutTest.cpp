// The grid layout and its parameter object without windows: attributes, refused
// counts and spans, gravity words, parameter kinds and the factory.

#include "layout/SGridLayout.h"
#include "layout/SGridLayoutParam.h"
#include "layout/SLinearLayoutParam.h"

#include "LayoutObjects.h"

#include <gtest/gtest.h>

using namespace SAKU;
using saku_test::MadeLayout;
using saku_test::New;

// A count is -1 (follows from the other) or at least 1; anything else is refused
// and the count stays.
TEST(SGridLayout, RefusesCountsOfZeroAndBelowMinusOne)
{
    const struct {
        const wchar_t* value;
        HRESULT result;
        int count;
    } cases[] = {
        {L"3", S_FALSE, 3},     {L"0x10", S_FALSE, 16},   {L"-1", S_FALSE, -1},      {L"1", S_FALSE, 1},
        {L"0", E_FAIL, 5},      {L"-2", E_FAIL, 5},       {L"-2147483648", E_FAIL, 5}, {L"many", E_INVALIDARG, 5},
        {L"2147483647", S_FALSE, 2147483647},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.value)));
        auto layout = New<SGridLayout>();
        ASSERT_EQ(S_FALSE, layout->ApplyAttribute(L"columnCount", L"5", TRUE));
        ASSERT_EQ(S_FALSE, layout->ApplyAttribute(L"rowCount", L"5", TRUE));
        EXPECT_EQ(c.result, layout->ApplyAttribute(L"ColumnCount", c.value, TRUE));
        EXPECT_EQ(c.result, layout->ApplyAttribute(L"ROWCOUNT", c.value, TRUE));
        EXPECT_EQ(c.count, layout->GetColumnCount());
        EXPECT_EQ(c.count, layout->GetRowCount());
    }
}

TEST(SGridLayout, TakesItsAttributesInAnyCase)
{
    const struct {
        const wchar_t* name;
        const wchar_t* value;
        HRESULT result;
    } cases[] = {
        {L"xInterval", L"4dp", S_FALSE}, {L"YINTERVAL", L"2", S_FALSE},  {L"xGravity", L"Fill", S_FALSE},
        {L"yGravity", L"nowhere", S_FALSE}, {L"orientation", L"vertical", E_NOTIMPL}, {L"columnSpan", L"2", E_NOTIMPL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << "=" << c.value);
        auto layout = New<SGridLayout>();
        EXPECT_EQ(c.result, layout->ApplyAttribute(c.name, c.value, TRUE));
    }
}

TEST(SGridLayout, ReadsGravityWordsInAnyCaseAndOthersAsNone)
{
    const struct {
        const wchar_t* text;
        int gravity;
    } cases[] = {
        {L"left", kGravityNear},  {L"TOP", kGravityNear},    {L"Center", kGravityCenter}, {L"right", kGravityFar},
        {L"bottom", kGravityFar}, {L"fill", kGravityFill},   {L"middle", kGravityNone},   {L"", kGravityNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        EXPECT_EQ(c.gravity, ParseGridGravity(c.text));
    }
}

TEST(SGridLayoutParam, RefusesSpansBelowOne)
{
    auto param = New<SGridLayoutParam>();
    EXPECT_EQ(S_OK, param->ApplyAttribute(L"columnSpan", L"3", TRUE));
    EXPECT_EQ(S_OK, param->ApplyAttribute(L"RowSpan", L"0x2", TRUE));
    for (const wchar_t* refused : {L"0", L"-1", L"-7"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(refused)));
        EXPECT_EQ(E_FAIL, param->ApplyAttribute(L"columnSpan", refused, TRUE));
        EXPECT_EQ(E_FAIL, param->ApplyAttribute(L"rowSpan", refused, TRUE));
    }
    EXPECT_EQ(E_INVALIDARG, param->ApplyAttribute(L"rowSpan", L"wide", TRUE));
    EXPECT_EQ(3, param->GetData().columnSpan);
    EXPECT_EQ(2, param->GetData().rowSpan);
}

TEST(SGridLayoutParam, TakesItsAttributesAndClearsToOneCell)
{
    const struct {
        const wchar_t* name;
        const wchar_t* value;
        HRESULT result;
    } cases[] = {
        {L"width", L"20", S_OK},              {L"height", L"wrapContent", S_OK},  {L"size", L"1,2", S_OK},
        {L"size", L"1,2,3", E_FAIL},          {L"layout_xGravity", L"fill", S_OK}, {L"LAYOUT_YGRAVITY", L"odd", S_OK},
        {L"columnWeight", L"1.5", S_OK},      {L"rowWeight", L"x", E_INVALIDARG}, {L"weight", L"1", E_NOTIMPL},
        {L"extend", L"1", E_NOTIMPL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << "=" << c.value);
        auto param = New<SGridLayoutParam>();
        EXPECT_EQ(c.result, param->ApplyAttribute(c.name, c.value, TRUE));
    }

    auto param = New<SGridLayoutParam>();
    ASSERT_EQ(S_OK, param->ApplyAttribute(L"layout_xGravity", L"right", TRUE));
    ASSERT_EQ(S_OK, param->ApplyAttribute(L"layout_yGravity", L"middle", TRUE));
    ASSERT_EQ(S_OK, param->ApplyAttribute(L"columnWeight", L"1.5", TRUE));
    ASSERT_EQ(S_OK, param->ApplyAttribute(L"columnSpan", L"4", TRUE));
    ASSERT_EQ(S_OK, param->ApplyAttribute(L"size", L"20,matchParent", TRUE));
    EXPECT_EQ(kGravityFar, param->GetData().layoutXGravity);
    EXPECT_EQ(kGravityNone, param->GetData().layoutYGravity);
    EXPECT_EQ(1.5f, param->GetData().columnWeight);
    EXPECT_TRUE(param->IsSpecifiedSize(Horz));
    EXPECT_TRUE(param->IsMatchParent(Vert));
    param->Clear();
    EXPECT_TRUE(param->IsWrapContent(Both));
    EXPECT_EQ(1, param->GetData().columnSpan);
    EXPECT_EQ(kGravityNone, param->GetData().layoutXGravity);
    EXPECT_EQ(0.0f, param->GetData().columnWeight);
}

TEST(SGridLayout, IsMadeByTheFactoriesAndTakesOnlyItsOwnKindOfParameter)
{
    const std::unique_ptr<IObject> made = MadeLayout(L"GridLayout");
    auto* const layout = SObjCast<SGridLayout>(made.get());
    ASSERT_NE(nullptr, layout);
    EXPECT_EQ(-1, layout->GetColumnCount());
    EXPECT_EQ(-1, layout->GetRowCount());

    auto param = SAutoRef<ILayoutParam>::Adopt(layout->CreateLayoutParam());
    ASSERT_TRUE(param);
    EXPECT_TRUE(param->IsClass(L"GridLayoutParam"));
    EXPECT_TRUE(layout->IsParamAcceptable(param.Get()));
    EXPECT_FALSE(layout->IsParamAcceptable(New<SLinearLayoutParam>().Get()));
}
