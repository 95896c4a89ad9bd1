// Rows and columns of the linear layout built from layout XML in a real host
// window, placed and painted by the host.

#include "LayoutHostTest.h"

#include "layout/SLinearLayout.h"
#include "layout/SLinearLayoutParam.h"

#include <gtest/gtest.h>

using namespace SAKU;
using namespace saku_test;

namespace {

class SLinearLayoutHostTest : public LayoutHostTest {};

// Each case in a box of its own, grey, with coloured children, so that the
// picture shows what the rectangles say.
const wchar_t kLinearLayouts[] =
    L"<SAKU width='320' height='220' wndType='normal' title='Linear layouts'>"
    L"<root colorBkgnd='#FFFFFFFF'>"
    // A row 200 wide: 50, 50, and a child as wide as its content (30) with weight 1.
    L"<window name='wrapped' layout='hbox' margin='0' pos='10,10' size='200,20' colorBkgnd='#C0C0C0FF'>"
    L"<window name='w1' size='50,20' colorBkgnd='#FF0000FF'/>"
    L"<window name='w2' size='50,20' colorBkgnd='#00C000FF'/>"
    L"<window name='w3' width='wrapContent' height='20' weight='1' colorBkgnd='#0000FFFF'><window size='30,20'/></window>"
    L"</window>"
    // 80 pixels free, shared by weights 1 and 3.
    L"<window name='weights' layout='linearLayout' margin='0' pos='10,40' size='200,20' colorBkgnd='#C0C0C0FF'>"
    L"<window name='s1' size='60,20' weight='1' colorBkgnd='#FF8000FF'/>"
    L"<window name='s2' size='60,20' weight='3' colorBkgnd='#8000FFFF'/>"
    L"</window>"
    // A column that centres its children; one of them sits at the far edge instead.
    L"<window name='column' layout='vbox' margin='0' gravity='center' pos='10,70' size='200,60' colorBkgnd='#C0C0C0FF'>"
    L"<window name='c1' size='50,20' colorBkgnd='#FF0000FF'/>"
    L"<window name='c2' size='50,20' layout_gravity='right' colorBkgnd='#00C000FF'/>"
    L"<window name='c3' size='50,20' colorBkgnd='#0000FFFF'/>"
    L"</window>"
    // An extend of 5 around a child 40 wide: a slot of 50.
    L"<window name='extended' layout='hbox' margin='0' pos='10,140' size='200,30' colorBkgnd='#C0C0C0FF'>"
    L"<window name='e1' extend='5' width='40' height='20' colorBkgnd='#FF0000FF'/>"
    L"<window name='e2' size='20,20' colorBkgnd='#00C000FF'/>"
    L"</window>"
    // Children longer than the row keep their sizes and run past its end.
    L"<window name='overflow' layout='hbox' margin='0' pos='10,180' size='100,20' colorBkgnd='#C0C0C0FF'>"
    L"<window name='o1' size='60,20' colorBkgnd='#FF0000FF'/>"
    L"<window name='o2' size='60,20' colorBkgnd='#0000FFFF'/>"
    L"</window>"
    // Refused values: the column stays a column, the child keeps no extend.
    L"<window name='refused' layout='vbox' margin='0' orientation='diag' pos='230,10' size='60,60' colorBkgnd='#C0C0C0FF'>"
    L"<window name='r1' size='20,20' colorBkgnd='#FF0000FF'/>"
    L"<window name='r2' size='20,20' extend='1,2' colorBkgnd='#0000FFFF'/>"
    L"</window>"
    // Boxes as big as their content.
    L"<window name='wrapColumn' layout='vbox' margin='0' pos='230,80' colorBkgnd='#C0C0C0FF'>"
    L"<window size='50,20' colorBkgnd='#FF0000FF'/><window size='30,10' colorBkgnd='#0000FFFF'/>"
    L"</window>"
    L"<window name='wrapRow' layout='hbox' margin='0' pos='230,120' colorBkgnd='#C0C0C0FF'>"
    L"<window size='50,20' colorBkgnd='#FF0000FF'/><window size='30,10' extend='0,0,0,5' colorBkgnd='#0000FFFF'/>"
    L"</window>"
    // The row starts inside the padding.
    L"<window name='padded' layout='hbox' margin='0' padding='5' pos='230,160' size='60,30' colorBkgnd='#C0C0C0FF'>"
    L"<window name='p1' size='20,10' colorBkgnd='#FF0000FF'/>"
    L"</window>"
    L"</root></SAKU>";

}  // namespace

TEST_F(SLinearLayoutHostTest, PlacesRowsAndColumnsFromLayoutXml)
{
    Open(kLinearLayouts);
    ExpectRects({
        {L"w1", L"{10,10,60,30}"},     {L"w2", L"{60,10,110,30}"},    {L"w3", L"{110,10,210,30}"},     // 30 + 70
        {L"s1", L"{10,40,90,60}"},     {L"s2", L"{90,40,210,60}"},                                     // 60 + 20, 60 + 60
        {L"c1", L"{85,70,135,90}"},    {L"c2", L"{160,90,210,110}"},  {L"c3", L"{85,110,135,130}"},
        {L"e1", L"{15,145,55,165}"},   {L"e2", L"{60,140,80,160}"},
        {L"o1", L"{10,180,70,200}"},   {L"o2", L"{70,180,130,200}"},
        {L"r1", L"{230,10,250,30}"},   {L"r2", L"{230,30,250,50}"},
        {L"wrapColumn", L"{230,80,280,110}"},                          // 50 x (20 + 10)
        {L"wrapRow", L"{230,120,310,140}"},                            // (50 + 30) x 20
        {L"p1", L"{235,165,255,175}"},
    });

    auto* const refused = SObjCast<SLinearLayout>(Window(L"refused")->GetLayout());
    ASSERT_NE(nullptr, refused);
    EXPECT_EQ(SLinearLayout::kVertical, refused->GetOrientation());

    Keep(L"linear_layouts");
    EXPECT_EQ(0xFF0000FFu, Pixel(200, 20));   // the weighted child fills the row's end
    EXPECT_EQ(0xFFC0C0C0u, Pixel(12, 150));   // the extend shows the row behind it
    EXPECT_EQ(0xFFFF0000u, Pixel(16, 150));
    EXPECT_EQ(0xFF0000FFu, Pixel(100, 190));  // the second child of the overflowing row
    EXPECT_EQ(0xFF00C000u, Pixel(205, 100));  // at the column's far edge
}
