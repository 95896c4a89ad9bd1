// Skin pools: the stack asked from the top, popping that uncovers the pools below
// and never takes the built-in one, copies for other scales made once, skins that
// do not scale, and what a skin element leaves out.

#include "SkinTest.h"

#include "core/SSkinImgList.h"
#include "core/SSkinPool.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

using namespace SAKU;
using namespace saku_test;

namespace {

class SkinPoolTest : public SkinTest {
protected:
    SAutoRef<SSkinPool> Pool(const wchar_t* xml, int* created = nullptr)
    {
        pugi::xml_document document;
        EXPECT_TRUE(document.load_string(xml));
        auto pool = SAutoRef<SSkinPool>::Adopt(new SSkinPool);
        const int count = pool->LoadSkins(document.first_child());
        if (created)
            *created = count;
        return pool;
    }

    SSkinPoolMgr& Pools() { return *SSkinPoolMgr::GetInstance(); }
};

}  // namespace

TEST(SSkinPool, ScalesNormaliseToTheLargestStandardOneNotAbove)
{
    const struct {
        int scale;
        int normal;
    } cases[] = {{50, 100}, {100, 100}, {124, 100}, {125, 125}, {149, 125}, {150, 150}, {175, 150},
                 {199, 150}, {200, 200}, {249, 200}, {250, 250}, {299, 250}, {300, 300}, {1000, 300}, {-5, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(c.normal, NormalizeSkinScale(c.scale)) << c.scale;
}

TEST_F(SkinPoolTest, LaterPoolsWinAndPoppingUncoversTheEarlier)
{
    const auto first = Pool(L"<skin><colorrect name='btn' normal='#ff0000'/><colorrect name='only' normal='#ff0000'/></skin>");
    const auto second = Pool(L"<skin><colorrect name='btn' normal='#00ff00'/></skin>");
    ISkinObj* const red = first->GetSkin(L"btn", 100);
    ISkinObj* const green = second->GetSkin(L"btn", 100);
    ASSERT_TRUE(red && green);
    EXPECT_EQ(nullptr, Pools().GetSkin(L"btn", 100));   // a loaded pool is not left on the stack

    Pools().PushPool(first.Get());
    Pools().PushPool(second.Get());
    EXPECT_EQ(green, Pools().GetSkin(L"btn", 100));
    EXPECT_EQ(first->GetSkin(L"only", 100), Pools().GetSkin(L"only", 100));
    EXPECT_EQ(second.Get(), Pools().PopPool(nullptr));   // the top
    EXPECT_EQ(red, Pools().GetSkin(L"btn", 100));
    Pools().PushPool(second.Get());
    EXPECT_EQ(first.Get(), Pools().PopPool(first.Get()));   // any pool, found from the bottom
    EXPECT_EQ(green, Pools().GetSkin(L"btn", 100));
    EXPECT_EQ(nullptr, Pools().GetSkin(L"only", 100));
    EXPECT_EQ(nullptr, Pools().PopPool(first.Get()));   // not on the stack
    EXPECT_EQ(second.Get(), Pools().PopPool(second.Get()));
    EXPECT_EQ(nullptr, Pools().GetSkin(L"btn", 100));
}

TEST_F(SkinPoolTest, TheBuiltInPoolIsNeverPopped)
{
    SSkinPool* const builtin = Pools().GetBuiltinPool();
    ASSERT_NE(nullptr, builtin);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(L"<skin><colorrect name='_skin.sys.checkbox' normal='#ff0000'/>"
                                     L"<colorrect name='_skin.sys.wnd.bkgnd' normal='#00ff00'/></skin>"));
    EXPECT_EQ(2, builtin->LoadSkins(document.first_child()));

    EXPECT_EQ(nullptr, Pools().PopPool(builtin));
    EXPECT_EQ(nullptr, Pools().PopPool(nullptr));   // the top is the built-in pool
    EXPECT_NE(nullptr, Pools().GetSkin(L"_skin.sys.checkbox", 100));
    EXPECT_EQ(builtin->GetSkin(L"_skin.sys.checkbox", 100), Pools().GetSystemSkin(0, 100));
    EXPECT_EQ(builtin->GetSkin(L"_skin.sys.wnd.bkgnd", 100), Pools().GetSystemSkin(29, 100));
    EXPECT_EQ(nullptr, Pools().GetSystemSkin(1, 100));
    EXPECT_EQ(nullptr, Pools().GetSystemSkin(30, 100));
    EXPECT_EQ(nullptr, Pools().GetSystemSkin(-1, 100));
    EXPECT_STREQ(L"_skin.sys.scrollbar", SSkinPoolMgr::SystemSkinName(5));
    EXPECT_STREQ(L"_skin.sys.btn.maxmize", SSkinPoolMgr::SystemSkinName(21));

    // A pushed pool still covers it, and popping that leaves it.
    const auto over = Pool(L"<skin><colorrect name='_skin.sys.checkbox' normal='#0000ff'/></skin>");
    Pools().PushPool(over.Get());
    EXPECT_EQ(over->GetSkin(L"_skin.sys.checkbox", 100), Pools().GetSkin(L"_skin.sys.checkbox", 100));
    EXPECT_EQ(builtin->GetSkin(L"_skin.sys.checkbox", 100), Pools().GetSystemSkin(0, 100));   // the built-in pool alone
    EXPECT_EQ(over.Get(), Pools().PopPool(nullptr));
    EXPECT_EQ(nullptr, Pools().PopPool(nullptr));
}

TEST_F(SkinPoolTest, AScaledCopyIsMadeOnceAndReused)
{
    const auto pool = Pool(L"<skin><imglist name='list' src='png:states16' states='3'/></skin>");
    ISkinObj* const original = pool->GetSkin(L"list", 100);
    ASSERT_NE(nullptr, original);
    EXPECT_EQ(original, pool->GetSkin(L"list", 110));   // normalised to 100

    ISkinObj* const copy = pool->GetSkin(L"list", 175);
    ASSERT_NE(nullptr, copy);
    EXPECT_NE(original, copy);
    EXPECT_EQ(150, copy->GetScale());
    EXPECT_EQ(24, copy->QuerySkinSize().cx);
    EXPECT_EQ(2, pool->GetCount());
    EXPECT_EQ(copy, pool->GetSkin(L"list", 160));
    EXPECT_EQ(copy, pool->GetSkin(L"list", 150));
    EXPECT_EQ(2, pool->GetCount());
    EXPECT_EQ(nullptr, pool->GetSkin(L"nothing", 150));
}

TEST_F(SkinPoolTest, ColourSkinsAreNotScaled)
{
    const auto pool = Pool(L"<skin><colorrect name='rect' normal='#ff0000'/><button name='btn'/></skin>");
    ISkinObj* const rect = pool->GetSkin(L"rect", 100);
    EXPECT_EQ(rect, pool->GetSkin(L"rect", 200));
    EXPECT_EQ(pool->GetSkin(L"btn", 100), pool->GetSkin(L"btn", 300));
    EXPECT_EQ(2, pool->GetCount());   // nothing stored at 200 or 300
}

TEST_F(SkinPoolTest, ASkinKeptAtItsOwnScaleIsScaledDownForOthers)
{
    const auto pool = Pool(L"<skin><imglist name='big' src='png:states16' states='3' scale='200'/></skin>");
    ISkinObj* const big = pool->GetSkin(L"big", 200);
    ASSERT_NE(nullptr, big);
    ISkinObj* const small = pool->GetSkin(L"big", 100);
    ASSERT_NE(nullptr, small);
    EXPECT_NE(big, small);
    EXPECT_EQ(100, small->GetScale());
    EXPECT_EQ(8, small->QuerySkinSize().cx);   // 16 at 200 is 8 at 100
}

TEST_F(SkinPoolTest, AnElementKeepsTheFirstOfTwoNamesAndSkipsWhatIsNoSkin)
{
    int created = 0;
    const auto pool = Pool(L"<skin>"
                           L"<colorrect name='a' normal='#ff0000'/>"
                           L"<colorrect name='a' normal='#00ff00'/>"
                           L"<window name='w'/>"
                           L"<imglist src='png:states_h'/>"
                           L"<imglist name=''/>"
                           L"<!-- a note -->"
                           L"<colorrect name='a' normal='#0000ff' scale='200'/>"
                           L"</skin>",
                           &created);
    EXPECT_EQ(3, created);   // the second 'a' was made and dropped
    EXPECT_EQ(2, pool->GetCount());
    const auto target = Target(4, 4);
    const RECT rect = {0, 0, 4, 4};
    pool->GetSkin(L"a", 100)->DrawByIndex(target.Get(), &rect, 0);
    EXPECT_EQ(kRed, Pixel(target.Get(), 1, 1));
    EXPECT_EQ(nullptr, pool->GetSkin(L"w", 100));
    EXPECT_EQ(0, Pool(L"<skin/>")->GetCount());
    EXPECT_EQ(0, SAutoRef<SSkinPool>::Adopt(new SSkinPool)->LoadSkins(pugi::xml_node()));
}
