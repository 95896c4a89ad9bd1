// Resolving children's rectangles from their positions, sizes and offsets, and
// measuring what they need, over plain boxes.

#include "LayoutBoxes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using saku_test::LayoutBoxes;

namespace {

std::vector<std::wstring> Describe(const std::vector<RECT>& rects)
{
    std::vector<std::wstring> described;
    for (const RECT& rect : rects)
        described.push_back(saku_test::DescribeRect(rect));
    return described;
}

}  // namespace

// Each case: the children in sibling order, the parent's size, and every child's
// rectangle ("?" not computed, "~" waiting).
TEST(SakuPositions, PlacesChildrenByTheirPositions)
{
    const struct {
        std::vector<std::wstring> children;
        int width;
        int height;
        std::vector<std::wstring> expected;
    } cases[] = {
        // The wizard's own.
        {{L"pos=-60,0;size=30,30", L"pos=-30,0;size=30,30"}, 340, 420, {L"{280,0,310,30}", L"{310,0,340,30}"}},
        {{L"pos=0,0,-0,-0"}, 340, 420, {L"{0,0,340,420}"}},
        {{L"pos=0,0,-0,30"}, 340, 420, {L"{0,0,340,30}"}},
        {{L"pos=0,30;size=340,390"}, 340, 420, {L"{0,30,340,420}"}},
        {{L"pos=5,10,-5,-60", L"pos=0,-60,-0,-0"}, 320, 150, {L"{5,10,315,90}", L"{0,90,320,150}"}},
        {{L"pos=60,8;size=28,24", L"pos=[5,8;size=200, 50"}, 310, 80, {L"{60,8,88,32}", L"{93,8,293,58}"}},
        // Edges, centre, percentages.
        {{L"pos=10,10,-10,-10"}, 340, 420, {L"{10,10,330,410}"}},
        {{L"pos=|-50,|-20,@100,@40"}, 340, 420, {L"{120,190,220,230}"}},
        {{L"pos=%25,0,%-25,@30"}, 340, 420, {L"{85,0,255,30}"}},
        {{L"pos=%-0,%150,%-150,%50"}, 340, 420, {L"{340,420,0,210}"}},   // clamped to 0..100
        {{L"pos=|5,-5,-20,|-5"}, 101, 51, {L"{55,46,81,20}"}},
        // Children without "pos" flow in a row, each as big as its content.
        {{L"want=40x20", L"want=30x10", L"want=50x25"}, 340, 420,
         {L"{0,0,40,20}", L"{40,0,70,10}", L"{70,0,120,25}"}},
        {{L"pos=10,20;size=30,30", L"want=5x5"}, 340, 420, {L"{10,20,40,50}", L"{40,20,45,25}"}},
        // Siblings before and after.
        {{L"pos=]-10,0;want=20x20", L"pos=100,0;size=50,50"}, 340, 420, {L"{90,0,110,20}", L"{100,0,150,50}"}},
        {{L"pos=}-10,}-10;size=10,10", L"pos=50,60;size=20,20"}, 340, 420, {L"{60,70,70,80}", L"{50,60,70,80}"}},
        {{L"pos=10,20;size=30,30", L"pos={5,{-5;size=10,10"}, 340, 420, {L"{10,20,40,50}", L"{15,15,25,25}"}},
        {{L"pos=[5,{0;size=10,10"}, 340, 420, {L"{5,0,15,10}"}},           // no previous sibling: 0
        {{L"pos=]-10,}-10;size=10,10"}, 340, 420, {L"{330,410,340,420}"}},  // no next sibling: the parent's size
        {{L"pos=0,0,]-5,@10", L"pos=100,0;size=10,10"}, 340, 420, {L"{0,0,95,10}", L"{100,0,110,10}"}},
        // Siblings by id, before or after, in either direction.
        {{L"pos=sib.left@3:0,sib.bottom@3:5;size=10,10", L"id=3;pos=20,30;size=50,40"}, 340, 420,
         {L"{20,75,30,85}", L"{20,30,70,70}"}},
        {{L"id=3;pos=20,30;size=50,40", L"pos=sib.right@3:-5,sib.top@3:0;size=10,10"}, 340, 420,
         {L"{20,30,70,70}", L"{65,30,75,40}"}},
        {{L"id=3;pos=20,30;size=50,40", L"pos=sib.top@3:0,sib.left@3:0;size=10,10"}, 340, 420,
         {L"{20,30,70,70}", L"{20,30,30,40}"}},
        {{L"pos=sib.right@3:5,sib.top@3:0;want=10x10"}, 340, 420, {L"{345,0,355,10}"}},   // no sibling 3
        // Sizes: match parent, specified, units at the child's scale.
        {{L"pos=10,10;width=full;height=20"}, 340, 420, {L"{10,10,340,30}"}},
        {{L"pos=10dp,5dp;size=20dp,10dp;scale=200"}, 340, 420, {L"{20,10,60,30}"}},
        {{L"pos=-10dp,0,-0,@8dp;scale=150"}, 340, 420, {L"{325,0,340,12}"}},
        {{L"pos=0,0,@-1,@-1;want=33x44"}, 340, 420, {L"{0,0,33,44}"}},
        // Offsets move the rectangle by a share of its size once that is known.
        {{L"pos=|0,|0;offset=-0.5,-0.5;want=40x20"}, 340, 420, {L"{150,200,190,220}"}},
        {{L"pos=10,10;size=100,50;offset=1,0.5"}, 340, 420, {L"{110,35,210,85}"}},
        {{L"pos=|0,|0;offset=-0.5,-0.5;want=40x20", L"pos=[0,{0;size=5,5"}, 340, 420,
         {L"{150,200,190,220}", L"{190,200,195,205}"}},
        // Numbers beyond int's range stay at its ends.
        {{L"pos=1e30,-1e30,@1e30,@5"}, 340, 420, {L"{2147483647,-2147483227,2147483647,-2147483222}"}},
        {{L"pos=0,0;size=10,10;offset=1e30,-1e30"}, 340, 420, {L"{2147483647,-2147483648,2147483647,-2147483648}"}},
        {{L"pos=%nan,%-nan,%inf,@5"}, 340, 420, {L"{0,420,340,425}"}},   // no number reads as 0
        {{L"pos=5,6;size=0,0;offset=inf,nan"}, 340, 420, {L"{5,6,5,6}"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.children.front().c_str() << " ... in " << c.width << "x" << c.height);
        LayoutBoxes boxes(c.children);
        EXPECT_EQ(c.expected, Describe(boxes.Resolve(c.width, c.height)));
    }
}

// References that go round in a circle, or to the child itself, end the passes
// with those coordinates at their markers; the rest is placed.
TEST(SakuPositions, CircularReferencesStayAtTheirMarkers)
{
    const struct {
        std::vector<std::wstring> children;
        std::vector<std::wstring> expected;
    } cases[] = {
        {{L"pos=]0,0;size=10,10", L"pos=[0,0;size=10,10"}, {L"{~,0,?,10}", L"{~,0,?,10}"}},
        {{L"id=5;pos=sib.left@5:0,sib.bottom@5:0;size=10,10"}, {L"{~,~,?,?}"}},
        {{L"id=1;pos=sib.right@2:0,0;size=10,10", L"id=2;pos=sib.right@1:0,0;size=10,10", L"pos=1,2;size=3,4"},
         {L"{~,0,?,10}", L"{~,0,?,10}", L"{1,2,4,6}"}},
        {{L"pos=0,0,]0,-0", L"pos=[0,0,-0,-0"}, {L"{0,0,~,420}", L"{~,0,340,420}"}},
        // Items and sizes that add up to a marker end too: 0x11000000 is 285212672.
        {{L"pos=285212672,0;size=10,10", L"pos=[0,{0;size=5,5"}, {L"{?,0,?,10}", L"{~,0,?,5}"}},
        {{L"pos=285212640,0;want=32x10"}, {L"{285212640,0,?,10}"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.children.front().c_str());
        LayoutBoxes boxes(c.children);
        EXPECT_EQ(c.expected, Describe(boxes.Resolve(340, 420)));
    }
}

// A parent of unknown size (-1) leaves what counts from its far edge or centre waiting.
TEST(SakuPositions, AParentOfUnknownSizeLeavesItsFarEdgeWaiting)
{
    LayoutBoxes boxes({L"pos=-10,|0;size=10,10", L"pos=%50,5;size=10,10", L"pos=3,4;want=7x8", L"pos=0,0;width=full;height=2"});
    EXPECT_EQ((std::vector<std::wstring>{L"{~,~,?,?}", L"{~,5,?,15}", L"{3,4,10,12}", L"{0,0,~,2}"}),
              Describe(boxes.Resolve(-1, -1)));
}

TEST(SakuPositions, AWrappingSizeIsAskedWithWhatIsKnownOfTheOther)
{
    LayoutBoxes boxes({L"pos=0,0;width=100;want=7x8", L"pos=0,0;height=50;want=7x8", L"want=7x8"});
    const std::vector<RECT> rects = boxes.Resolve(340, 420);
    EXPECT_EQ((std::vector<std::wstring>{L"{0,0,100,8}", L"{0,0,7,50}", L"{7,0,14,8}"}), Describe(rects));
    EXPECT_EQ((std::vector<std::wstring>{L"100x420"}), boxes.boxes[0]->DesiredSizeCalls());
    EXPECT_EQ((std::vector<std::wstring>{L"340x50"}), boxes.boxes[1]->DesiredSizeCalls());
    EXPECT_EQ((std::vector<std::wstring>{L"340x420"}), boxes.boxes[2]->DesiredSizeCalls());
}

TEST(SakuPositions, MeasuresTheSpaceTheChildrenNeed)
{
    const struct {
        std::vector<std::wstring> children;
        int width;
        int height;
        SIZE expected;
    } cases[] = {
        {{L"pos=10,10,-10,-10"}, 200, 100, {200, 100}},   // the far edge plus the distance kept from it
        {{L"want=40x20", L"want=30x10"}, 200, 100, {70, 20}},
        {{L"pos=0,0,-0,-0;want=50x30"}, -1, -1, {50, 30}},
        {{L"pos=10,10,-10,-10;want=50x30"}, -1, 100, {70, 100}},
        {{L"pos=|-10,0,|10,@5"}, 200, 100, {110, 5}},   // only "-n" from the parent's far edge adds
        {{L"pos=|0,|0;size=10,10"}, -1, -1, {0, 0}},      // nothing can be known
        {{L"pos=5,6;size=10,10", L"pos=-10,0;size=10,10"}, kPosUncomputed, 100, {kPosUncomputed, 16}},
        {{L"pos=5,6;size=10,10"}, 100, kPosWaiting, {15, kPosWaiting}},
        {{}, 100, 100, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.children.empty() ? L"none" : c.children.front().c_str()) << " in "
                                        << c.width << "x" << c.height);
        LayoutBoxes boxes(c.children);
        const SIZE needed = boxes.Measure(c.width, c.height);
        EXPECT_EQ(c.expected.cx, needed.cx);
        EXPECT_EQ(c.expected.cy, needed.cy);
    }
}
