// The linear layouts and their parameter object without windows: attributes,
// refused values, orientations, parameter kinds and the factories.

#include "layout/SGridLayoutParam.h"
#include "layout/SLinearLayout.h"
#include "layout/SLinearLayoutParam.h"
#include "layout/SakuLayoutParam.h"

#include "LayoutObjects.h"

#include <gtest/gtest.h>

using namespace SAKU;
using saku_test::MadeLayout;
using saku_test::New;

TEST(SLinearLayout, TakesOrientationAndGravityWordsExactly)
{
    const struct {
        const wchar_t* name;
        const wchar_t* value;
        HRESULT result;
        int orientation;
        int gravity;
    } cases[] = {
        {L"orientation", L"vertical", S_FALSE, SLinearLayout::kVertical, kGravityNone},
        {L"ORIENTATION", L"horizontal", S_FALSE, SLinearLayout::kHorizontal, kGravityNone},
        {L"orientation", L"diag", E_FAIL, SLinearLayout::kHorizontal, kGravityNone},
        {L"orientation", L"Vertical", E_FAIL, SLinearLayout::kHorizontal, kGravityNone},
        {L"gravity", L"center", S_FALSE, SLinearLayout::kHorizontal, kGravityCenter},
        {L"Gravity", L"bottom", S_FALSE, SLinearLayout::kHorizontal, kGravityFar},
        {L"gravity", L"top", S_FALSE, SLinearLayout::kHorizontal, kGravityNear},
        {L"gravity", L"fill", E_FAIL, SLinearLayout::kHorizontal, kGravityNone},
        {L"gravity", L"CENTER", E_FAIL, SLinearLayout::kHorizontal, kGravityNone},
        {L"weight", L"1", E_NOTIMPL, SLinearLayout::kHorizontal, kGravityNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << "=" << c.value);
        auto layout = New<SLinearLayout>();
        EXPECT_EQ(c.result, layout->ApplyAttribute(c.name, c.value, TRUE));
        EXPECT_EQ(c.orientation, layout->GetOrientation());
        EXPECT_EQ(c.gravity, layout->GetGravity());
    }
}

TEST(SLinearLayout, RefusedValuesKeepTheOldOnes)
{
    auto layout = New<SVBox>();
    EXPECT_EQ(S_FALSE, layout->ApplyAttribute(L"gravity", L"right", TRUE));
    EXPECT_EQ(E_FAIL, layout->ApplyAttribute(L"orientation", L"diag", TRUE));
    EXPECT_EQ(E_FAIL, layout->ApplyAttribute(L"gravity", L"middle", TRUE));
    EXPECT_EQ(SLinearLayout::kVertical, layout->GetOrientation());
    EXPECT_EQ(kGravityFar, layout->GetGravity());

    auto param = New<SLinearLayoutParam>();
    EXPECT_EQ(S_OK, param->ApplyAttribute(L"extend", L"1,2,3,4", TRUE));
    EXPECT_EQ(S_OK, param->ApplyAttribute(L"layout_gravity", L"center", TRUE));
    EXPECT_EQ(E_INVALIDARG, param->ApplyAttribute(L"extend", L"5,6", TRUE));
    EXPECT_EQ(E_INVALIDARG, param->ApplyAttribute(L"extend", L"5,6,7", TRUE));
    EXPECT_EQ(E_INVALIDARG, param->ApplyAttribute(L"extend", L"5,,6,7", TRUE));
    EXPECT_EQ(E_FAIL, param->ApplyAttribute(L"layout_gravity", L"fill", TRUE));
    EXPECT_EQ(E_FAIL, param->ApplyAttribute(L"size", L"10", TRUE));
    const SLinearLayoutParamStruct& data = param->GetData();
    EXPECT_EQ(1.0f, data.extendLeft.GetValue());
    EXPECT_EQ(2.0f, data.extendTop.GetValue());
    EXPECT_EQ(3.0f, data.extendRight.GetValue());
    EXPECT_EQ(4.0f, data.extendBottom.GetValue());
    EXPECT_EQ(kGravityCenter, data.layoutGravity);
    EXPECT_TRUE(data.width.IsWrapContent());
}

TEST(SLinearLayout, BoxesPresetTheOrientationThatTheAttributeStillChanges)
{
    EXPECT_EQ(SLinearLayout::kHorizontal, New<SLinearLayout>()->GetOrientation());
    EXPECT_EQ(SLinearLayout::kHorizontal, New<SHBox>()->GetOrientation());
    EXPECT_EQ(SLinearLayout::kVertical, New<SVBox>()->GetOrientation());
    auto row = New<SHBox>();
    EXPECT_EQ(S_FALSE, row->ApplyAttribute(L"orientation", L"vertical", TRUE));
    EXPECT_EQ(SLinearLayout::kVertical, row->GetOrientation());
}

TEST(SLinearLayout, TakesOnlyItsOwnKindOfParameter)
{
    auto layout = New<SVBox>();
    auto made = SAutoRef<ILayoutParam>::Adopt(layout->CreateLayoutParam());
    ASSERT_TRUE(made);
    EXPECT_TRUE(made->IsClass(L"LinearLayoutParam"));
    EXPECT_TRUE(layout->IsParamAcceptable(made.Get()));
    EXPECT_FALSE(layout->IsParamAcceptable(New<SakuLayoutParam>().Get()));
    EXPECT_FALSE(layout->IsParamAcceptable(New<SGridLayoutParam>().Get()));
}

TEST(SLinearLayoutParam, TakesItsAttributesInAnyCase)
{
    const struct {
        const wchar_t* name;
        const wchar_t* value;
        HRESULT result;
    } cases[] = {
        {L"width", L"matchParent", S_OK},   {L"HEIGHT", L"7dp", S_OK},         {L"size", L"1,2", S_OK},
        {L"Size", L"1", E_FAIL},            {L"weight", L"0.5", S_OK},          {L"weight", L"heavy", E_INVALIDARG},
        {L"Layout_Gravity", L"right", S_OK}, {L"layout_gravity", L"Right", E_FAIL}, {L"extend", L"5", S_OK},
        {L"extend", L"1,2", E_INVALIDARG},  {L"EXTEND_left", L"3dp", S_OK},      {L"extend_top", L"3", S_OK},
        {L"extend_right", L"3", S_OK},      {L"extend_bottom", L"3", S_OK},      {L"pos", L"1,2", E_NOTIMPL},
        {L"columnSpan", L"2", E_NOTIMPL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << "=" << c.value);
        auto param = New<SLinearLayoutParam>();
        EXPECT_EQ(c.result, param->ApplyAttribute(c.name, c.value, TRUE));
    }
}

TEST(SLinearLayoutParam, OneExtendIsAllFourSides)
{
    auto param = New<SLinearLayoutParam>();
    ASSERT_EQ(S_OK, param->ApplyAttribute(L"extend", L"4dp", TRUE));
    const SLinearLayoutParamStruct& data = param->GetData();
    for (const SLayoutDim* side : {&data.extendLeft, &data.extendTop, &data.extendRight, &data.extendBottom}) {
        EXPECT_EQ(4.0f, side->GetValue());
        EXPECT_EQ(kUnitDp, side->GetUnit());
    }
    ASSERT_EQ(S_OK, param->ApplyAttribute(L"extend_top", L"9", TRUE));
    EXPECT_EQ(9.0f, data.extendTop.GetValue());
    EXPECT_EQ(4.0f, data.extendBottom.GetValue());
}

// Only -1 wraps content here: a size nobody set is no size at all.
TEST(SLinearLayoutParam, AnswersEachOrientationAndClearsAllButTheExtends)
{
    auto param = New<SLinearLayoutParam>();
    EXPECT_TRUE(param->IsWrapContent(Both));
    ASSERT_EQ(S_OK, param->ApplyAttribute(L"size", L"matchParent,30", TRUE));
    EXPECT_TRUE(param->IsMatchParent(Horz));
    EXPECT_TRUE(param->IsMatchParent(Any));
    EXPECT_FALSE(param->IsMatchParent(Both));
    EXPECT_TRUE(param->IsSpecifiedSize(Vert));
    EXPECT_EQ(30.0f, param->GetSpecifiedSize(Vert).GetValue());
    EXPECT_FALSE(param->IsWrapContent(Any));
    param->SetSpecifiedSize(Horz, SLayoutDim(-3.0f, kUnitPx));
    EXPECT_FALSE(param->IsWrapContent(Horz));

    ASSERT_EQ(S_OK, param->ApplyAttribute(L"weight", L"2", TRUE));
    ASSERT_EQ(S_OK, param->ApplyAttribute(L"layout_gravity", L"bottom", TRUE));
    ASSERT_EQ(S_OK, param->ApplyAttribute(L"extend", L"6", TRUE));
    param->Clear();
    const SLinearLayoutParamStruct& data = param->GetData();
    EXPECT_TRUE(param->IsWrapContent(Both));
    EXPECT_EQ(0.0f, data.weight);
    EXPECT_EQ(kGravityNone, data.layoutGravity);
    EXPECT_EQ(6.0f, data.extendLeft.GetValue());
}

TEST(SLinearLayout, EachTagIsMadeByTheFactoriesAsItsClass)
{
    const struct {
        const wchar_t* tag;
        int orientation;
    } cases[] = {
        {L"linearLayout", SLinearLayout::kHorizontal}, {L"HBox", SLinearLayout::kHorizontal},
        {L"vbox", SLinearLayout::kVertical},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.tag)));
        const std::unique_ptr<IObject> made = MadeLayout(c.tag);
        auto* const layout = SObjCast<SLinearLayout>(made.get());
        ASSERT_NE(nullptr, layout);
        EXPECT_EQ(c.orientation, layout->GetOrientation());
    }
}
