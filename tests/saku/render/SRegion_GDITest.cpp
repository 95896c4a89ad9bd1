// The GDI region: born empty, combined with rectangles, other regions and shapes.

#include "RenderTestSupport.h"

#include "GdiHandles.h"
#include "render/IRegion.h"

#include <gtest/gtest.h>

using namespace SAKU;

namespace {

class GdiRegion : public saku_test::RenderTest {
protected:
    SAutoRef<IRegion> Region(const RECT* rect = nullptr)
    {
        SAutoRef<IRegion> region;
        EXPECT_TRUE(m_factory->CreateRegion(region.Put()));
        if (rect)
            region->CombineRect(rect, RGN_COPY);
        return region;
    }

    static RECT Box(IRegion* region)
    {
        RECT box = {-1, -1, -1, -1};
        region->GetRgnBox(&box);
        return box;
    }
};

bool Same(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b);
}

}  // namespace

TEST_F(GdiRegion, StartsEmptyAndTakesARectangle)
{
    for (const int mode : {RGN_COPY, RGN_OR}) {
        SCOPED_TRACE(mode);
        SAutoRef<IRegion> region = Region();
        EXPECT_TRUE(region->IsEmpty());
        EXPECT_EQ(kRenderObjRegion, region->ObjectType());
        EXPECT_STREQ(L"region", region->GetObjectClass());
        const RECT rect = {0, 0, 10, 10};
        region->CombineRect(&rect, mode);
        EXPECT_FALSE(region->IsEmpty());
        EXPECT_TRUE(Same(rect, Box(region.Get())));
    }
}

TEST_F(GdiRegion, CombinesWithTheOtherShapeInEveryMode)
{
    const RECT base = {0, 0, 10, 10};
    const RECT other = {5, 0, 20, 10};
    const struct {
        int mode;
        RECT box;
        POINT in;
        POINT out;
    } cases[] = {
        {RGN_AND, {5, 0, 10, 10}, {7, 5}, {2, 5}},
        {RGN_OR, {0, 0, 20, 10}, {15, 5}, {25, 5}},
        {RGN_XOR, {0, 0, 20, 10}, {2, 5}, {7, 5}},
        {RGN_DIFF, {0, 0, 5, 10}, {2, 5}, {7, 5}},      // the region minus the other
        {RGN_COPY, {5, 0, 20, 10}, {15, 5}, {2, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        SAutoRef<IRegion> region = Region(&base);
        SAutoRef<IRegion> shape = Region(&other);
        region->CombineRgn(shape.Get(), c.mode);
        EXPECT_TRUE(Same(c.box, Box(region.Get())));
        EXPECT_TRUE(region->PtInRegion(c.in.x, c.in.y));
        EXPECT_FALSE(region->PtInRegion(c.out.x, c.out.y));
    }
}

TEST_F(GdiRegion, ShapesReplaceTheRegion)
{
    const RECT distant = {100, 100, 110, 110};
    SAutoRef<IRegion> region = Region(&distant);
    const RECT oval = {0, 0, 20, 10};
    region->CombineEllipse(&oval, RGN_COPY);
    const RECT box = Box(region.Get());
    RECT inside = {};
    EXPECT_TRUE(::IntersectRect(&inside, &box, &oval) && Same(inside, box));   // within the oval's box
    EXPECT_GT(box.right - box.left, 15);
    EXPECT_TRUE(region->PtInRegion(10, 5));
    EXPECT_FALSE(region->PtInRegion(0, 0));            // outside the ellipse, inside its box
    region->CombineRoundRect(&oval, 6, 6, RGN_COPY);
    EXPECT_TRUE(region->PtInRegion(1, 5));
    EXPECT_FALSE(region->PtInRegion(0, 0));
    const RECT corner = {0, 0, 1, 1};
    const RECT middle = {8, 3, 12, 7};
    EXPECT_FALSE(region->RectInRegion(&corner));
    EXPECT_TRUE(region->RectInRegion(&middle));
}

TEST_F(GdiRegion, MovesClearsAndCopiesAHandle)
{
    const RECT rect = {0, 0, 10, 10};
    SAutoRef<IRegion> region = Region(&rect);
    region->Offset(5, -2);
    const RECT moved = {5, -2, 15, 8};
    EXPECT_TRUE(Same(moved, Box(region.Get())));
    region->Clear();
    EXPECT_TRUE(region->IsEmpty());
    const UniqueRegion handle(::CreateRectRgn(1, 2, 3, 4));
    region->CopyFromHRgn(handle.Get());
    const RECT copied = {1, 2, 3, 4};
    EXPECT_TRUE(Same(copied, Box(region.Get())));
    RECT handleBox = {};
    EXPECT_EQ(SIMPLEREGION, ::GetRgnBox(handle.Get(), &handleBox));   // still the caller's
}
