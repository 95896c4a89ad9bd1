// The default layout's parameter object and the layout object itself, without
// windows: attributes, orientations, parameter kinds, the factory.

#include "core/SAutoRef.h"
#include "core/SObjectDefaultRegister.h"
#include "core/SObjectFactoryMgr.h"
#include "layout/SakuLayout.h"
#include "layout/SakuLayoutParam.h"

#include <gtest/gtest.h>

using namespace SAKU;

namespace {

SAutoRef<SakuLayoutParam> NewParam()
{
    return SAutoRef<SakuLayoutParam>::Adopt(new SakuLayoutParam);
}

// The parameter of another layout's kind.
class ForeignParam : public TObjRefImpl<SObjectImpl<ILayoutParam>> {
public:
    SOBJECT_CLASS(SObjectImpl<ILayoutParam>, L"OtherLayoutParam", kObjTypeNone)

    void Clear() override {}
    bool IsMatchParent(ORIENTATION) const override { return false; }
    bool IsWrapContent(ORIENTATION) const override { return false; }
    bool IsSpecifiedSize(ORIENTATION) const override { return false; }
    SLayoutDim GetSpecifiedSize(ORIENTATION) const override { return SLayoutDim(); }
    void SetMatchParent(ORIENTATION) override {}
    void SetWrapContent(ORIENTATION) override {}
    void SetSpecifiedSize(ORIENTATION, const SLayoutDim&) override {}
    void* GetRawData() override { return nullptr; }
};

}  // namespace

TEST(SakuLayoutParam, TakesItsAttributesInAnyCase)
{
    const struct {
        const wchar_t* name;
        const wchar_t* value;
        HRESULT result;
    } cases[] = {
        {L"pos", L"1,2", S_OK},          {L"POS", L"1,2,3,4", S_OK},    {L"Pos", L"1,2,3", E_INVALIDARG},
        {L"pos", L"@1,2", S_OK},         {L"Width", L"full", S_OK},     {L"HEIGHT", L"7dp", S_OK},
        {L"size", L"1,2", S_OK},         {L"Size", L"1", E_FAIL},       {L"offset", L"0.5,1", S_OK},
        {L"OFFSET", L"0.5", E_FAIL},     {L"text", L"hello", E_NOTIMPL}, {L"layout", L"SakuLayout", E_NOTIMPL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << "=" << c.value);
        auto param = NewParam();
        EXPECT_EQ(c.result, param->ApplyAttribute(c.name, c.value, TRUE));
    }
}

TEST(SakuLayoutParam, AnswersEachOrientation)
{
    auto param = NewParam();
    ASSERT_EQ(S_OK, param->ApplyAttribute(L"pos", L"0,0,-0,@20", TRUE));   // width match parent, height 20
    const struct {
        ORIENTATION orientation;
        bool match;
        bool wrap;
        bool specified;
    } cases[] = {
        {Horz, true, false, false},
        {Vert, false, false, true},
        {Any, true, false, true},
        {Both, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.orientation);
        EXPECT_EQ(c.match, param->IsMatchParent(c.orientation));
        EXPECT_EQ(c.wrap, param->IsWrapContent(c.orientation));
        EXPECT_EQ(c.specified, param->IsSpecifiedSize(c.orientation));
    }
    EXPECT_FLOAT_EQ(20.0f, param->GetSpecifiedSize(Vert).GetValue());
    EXPECT_TRUE(param->GetSpecifiedSize(Any).IsMatchParent());     // the width unless vertical
    EXPECT_TRUE(param->GetSpecifiedSize(Both).IsMatchParent());
}

TEST(SakuLayoutParam, SettersActOnTheirDirectionsAndAnyOnNone)
{
    auto param = NewParam();
    param->SetSpecifiedSize(Both, SLayoutDim(30.0f, kUnitDp));
    EXPECT_TRUE(param->IsSpecifiedSize(Both));
    param->SetMatchParent(Any);
    param->SetWrapContent(Any);
    param->SetSpecifiedSize(Any, SLayoutDim(1.0f, kUnitPx));
    EXPECT_FLOAT_EQ(30.0f, param->GetData().width.GetValue());
    EXPECT_FLOAT_EQ(30.0f, param->GetData().height.GetValue());
    param->SetMatchParent(Vert);
    EXPECT_TRUE(param->IsMatchParent(Vert));
    EXPECT_FALSE(param->IsMatchParent(Horz));
    param->SetWrapContent(Horz);
    EXPECT_TRUE(param->IsWrapContent(Horz));
    EXPECT_TRUE(param->IsMatchParent(Vert));
}

// No "pos" and no size wraps the content; with a "pos" an unset size follows
// the positions instead.
TEST(SakuLayoutParam, ClearLeavesNoPositionAndSizesThatWrap)
{
    auto param = NewParam();
    ASSERT_EQ(S_OK, param->ApplyAttribute(L"pos", L"1,2,-3,-4", TRUE));
    ASSERT_EQ(S_OK, param->ApplyAttribute(L"offset", L"1,1", TRUE));
    EXPECT_FALSE(param->IsWrapContent(Any));
    param->Clear();
    const auto* data = static_cast<const SakuLayoutParamStruct*>(param->GetRawData());
    ASSERT_EQ(&param->GetData(), data);
    EXPECT_EQ(0, data->count);
    EXPECT_EQ(0.0f, data->offsetX);
    EXPECT_EQ(0.0f, data->offsetY);
    EXPECT_TRUE(param->IsWrapContent(Both));
    param->SetSpecifiedSize(Both, SLayoutDim(kSizeInvalid, kUnitPx));
    EXPECT_TRUE(param->IsWrapContent(Both));
}

TEST(SakuLayout, AcceptsOnlyItsOwnParameters)
{
    auto layout = SAutoRef<SakuLayout>::Adopt(new SakuLayout);
    auto param = SAutoRef<ILayoutParam>::Adopt(layout->CreateLayoutParam());
    ASSERT_TRUE(param);
    EXPECT_STREQ(L"SakuLayoutParam", param->GetObjectClass());
    EXPECT_TRUE(layout->IsParamAcceptable(param.Get()));
    EXPECT_TRUE(param->IsWrapContent(Both));   // cleared
    EXPECT_EQ(0, static_cast<SakuLayoutParamStruct*>(param->GetRawData())->count);
    EXPECT_EQ(2, param->AddRef());             // born with one reference, the caller's
    param->Release();

    auto foreign = SAutoRef<ForeignParam>::Adopt(new ForeignParam);
    EXPECT_FALSE(layout->IsParamAcceptable(foreign.Get()));
    EXPECT_FALSE(layout->IsParamAcceptable(nullptr));
}

TEST(SakuLayout, IsMadeByTheDefaultRegistrarAsALayout)
{
    SObjectFactoryMgr factories;
    auto registrar = SAutoRef<ISystemObjectRegister>::Adopt(new SObjectDefaultRegister);
    registrar->RegisterLayouts(&factories);
    for (const wchar_t* name : {L"SakuLayout", L"sakulayout", L"SAKULAYOUT"}) {
        SCOPED_TRACE(name);
        IObject* const object = factories.CreateObject(SObjectInfo(name, kObjTypeLayout));
        ASSERT_NE(nullptr, object);
        auto layout = SAutoRef<SakuLayout>::Adopt(SObjCast<SakuLayout>(object));
        ASSERT_TRUE(layout);
        EXPECT_STREQ(L"SakuLayout", layout->GetObjectClass());
        EXPECT_EQ(kObjTypeLayout, layout->GetObjectType());
    }
    EXPECT_EQ(nullptr, factories.CreateObject(SObjectInfo(L"SakuLayout", kObjTypeWindow)));
}
