// Style pools: named "class" elements, the first of two names kept, nameless ones
// left out, and the stack asked newest first.

#include "SakuAppTest.h"

#include "core/SStylePool.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

using namespace SAKU;
using saku_test::SakuAppTest;

namespace {

using StylePoolTest = SakuAppTest;

SAutoRef<SStylePool> Styles(const wchar_t* xml)
{
    pugi::xml_document document;
    EXPECT_TRUE(document.load_string(xml));
    auto pool = SAutoRef<SStylePool>::Adopt(new SStylePool);
    EXPECT_TRUE(pool->LoadStyles(document.first_child()));
    return pool;
}

}  // namespace

TEST(SStylePool, KeepsTheFirstOfTwoNamesAndLeavesNamelessClassesOut)
{
    const auto pool = Styles(L"<style>"
                             L"<class name='btn' font='underline:1' colorText='#ff0000'/>"
                             L"<CLASS NAME='btn' font='italic:1'/>"
                             L"<class font='bold:1'/>"
                             L"<other name='o'/>"
                             L"<class name='Btn' font='strike:1'/>"
                             L"</style>");
    EXPECT_EQ(2, pool->GetCount());
    const pugi::xml_node style = pool->GetStyle(L"btn");
    EXPECT_STREQ(L"underline:1", style.attribute(L"font").value());
    EXPECT_FALSE(style.attribute(L"name"));   // the name is no attribute of the style
    EXPECT_STREQ(L"strike:1", pool->GetStyle(L"Btn").attribute(L"font").value());   // names are case-sensitive
    EXPECT_FALSE(pool->GetStyle(L"o"));
    EXPECT_FALSE(pool->GetStyle(L"none"));
    EXPECT_FALSE(SAutoRef<SStylePool>::Adopt(new SStylePool)->LoadStyles(pugi::xml_node()));
}

TEST_F(StylePoolTest, TheLaterPushedPoolAnswersFirst)
{
    SStylePoolMgr& styles = *SStylePoolMgr::GetInstance();
    const auto first = Styles(L"<style><class name='btn' font='underline:1'/><class name='only' font='bold:1'/></style>");
    const auto second = Styles(L"<style><class name='btn' font='italic:1'/></style>");
    styles.PushPool(first.Get());
    styles.PushPool(second.Get());
    EXPECT_STREQ(L"italic:1", styles.FindStyle(L"btn").attribute(L"font").value());
    EXPECT_STREQ(L"bold:1", styles.FindStyle(L"only").attribute(L"font").value());
    EXPECT_FALSE(styles.FindStyle(L"none"));
    EXPECT_EQ(second.Get(), styles.PopPool(nullptr));
    EXPECT_STREQ(L"underline:1", styles.FindStyle(L"btn").attribute(L"font").value());
    EXPECT_EQ(nullptr, styles.PopPool(second.Get()));
    EXPECT_EQ(first.Get(), styles.PopPool(first.Get()));
    EXPECT_EQ(nullptr, styles.PopPool(nullptr));
    EXPECT_FALSE(styles.FindStyle(L"btn"));
}
