// Grids built from layout XML in a real host window, placed and painted by the host.

#include "LayoutHostTest.h"

#include "layout/SGridLayout.h"

#include <gtest/gtest.h>

#include <iterator>

using namespace SAKU;
using namespace saku_test;

namespace {

class SGridLayoutHostTest : public LayoutHostTest {};

const wchar_t kGrids[] =
    L"<SAKU width='380' height='170' wndType='normal' title='Grid layouts'>"
    L"<root colorBkgnd='#FFFFFFFF'>"
    // Three columns, seven children: three rows, the seventh alone in the last.
    L"<window name='seven' layout='gridLayout' margin='0' columnCount='3' pos='10,10' size='60,30' colorBkgnd='#C0C0C0FF'>"
    L"<window name='g1' size='20,10' colorBkgnd='#FF0000FF'/><window size='20,10' colorBkgnd='#00C000FF'/>"
    L"<window size='20,10' colorBkgnd='#0000FFFF'/><window name='g4' size='20,10' colorBkgnd='#00C000FF'/>"
    L"<window size='20,10' colorBkgnd='#0000FFFF'/><window size='20,10' colorBkgnd='#FF0000FF'/>"
    L"<window name='g7' size='20,10' colorBkgnd='#0000FFFF'/>"
    L"</window>"
    // A span of two in the last column keeps one column.
    L"<window name='lastColumn' layout='gridLayout' margin='0' columnCount='3' pos='80,10' size='100,20' colorBkgnd='#C0C0C0FF'>"
    L"<window size='20,10' colorBkgnd='#FF0000FF'/><window size='20,10' colorBkgnd='#00C000FF'/>"
    L"<window name='l3' columnSpan='2' size='40,10' colorBkgnd='#0000FFFF'/>"
    L"<window name='l4' size='20,10' colorBkgnd='#FF8000FF'/>"
    L"</window>"
    // Centred in their cells by default; filling them when told.
    L"<window name='centred' layout='gridLayout' margin='0' columnCount='2' pos='190,10' size='80,40' colorBkgnd='#C0C0C0FF'>"
    L"<window name='a1' size='20,10' colorBkgnd='#FF0000FF'/><window name='a2' size='40,30' colorBkgnd='#00C000FF'/>"
    L"<window name='a3' size='40,10' colorBkgnd='#0000FFFF'/>"
    L"</window>"
    L"<window name='filled' layout='gridLayout' margin='0' columnCount='2' xGravity='fill' yGravity='FILL' pos='280,10' size='80,40' "
    L"colorBkgnd='#C0C0C0FF'>"
    L"<window name='f1' size='20,10' colorBkgnd='#FF0000FF'/><window size='40,30' colorBkgnd='#00C000FF'/>"
    L"<window size='40,10' colorBkgnd='#0000FFFF'/>"
    L"</window>"
    // Column weights 1 and 0: the first column takes all the free width.
    L"<window name='weighted' layout='gridLayout' margin='0' columnCount='2' pos='10,60' size='200,20' colorBkgnd='#C0C0C0FF'>"
    L"<window name='k1' columnWeight='1' layout_xGravity='fill' size='20,10' colorBkgnd='#FF0000FF'/>"
    L"<window name='k2' size='20,10' colorBkgnd='#0000FFFF'/>"
    L"</window>"
    // Two by two cells for five children: the fifth is not placed.
    L"<window name='full' layout='gridLayout' margin='0' columnCount='2' rowCount='2' pos='10,90' size='40,20' colorBkgnd='#C0C0C0FF'>"
    L"<window size='20,10' colorBkgnd='#FF0000FF'/><window size='20,10' colorBkgnd='#00C000FF'/>"
    L"<window size='20,10' colorBkgnd='#0000FFFF'/><window size='20,10' colorBkgnd='#FF8000FF'/>"
    L"<window name='fifth' size='20,10' colorBkgnd='#000000FF'/>"
    L"</window>"
    // Neither count: nothing placed, and a grid as big as its content is empty.
    L"<window name='countless' layout='gridLayout' margin='0' pos='10,120' colorBkgnd='#C0C0C0FF'>"
    L"<window name='n1' size='20,10' colorBkgnd='#FF0000FF'/>"
    L"</window>"
    // Counts and spans that are refused keep their values: a row count of -5 stays
    // -1, so the rows follow from the two columns; a span of 0 stays 1.
    L"<window name='refused' layout='gridLayout' margin='0' columnCount='2' rowCount='-5' pos='60,90' size='40,20' "
    L"colorBkgnd='#C0C0C0FF'>"
    L"<window name='q1' columnSpan='0' size='20,10' colorBkgnd='#FF0000FF'/><window size='20,10' colorBkgnd='#00C000FF'/>"
    L"<window name='q3' size='20,10' colorBkgnd='#0000FFFF'/>"
    L"</window>"
    // Counts far beyond any window are cut back before the cells are made.
    L"<window name='huge' layout='gridLayout' margin='0' columnCount='0x7FFFFFFF' rowCount='2147483647' pos='110,90' size='60,10' "
    L"colorBkgnd='#C0C0C0FF'>"
    L"<window name='h1' size='20,10' colorBkgnd='#FF0000FF'/><window size='20,10' colorBkgnd='#00C000FF'/>"
    L"<window name='h3' size='20,10' colorBkgnd='#0000FFFF'/>"
    L"</window>"
    // A span that meets a cell an earlier child holds is cut back before it.
    L"<window name='cut' layout='gridLayout' margin='0' columnCount='3' pos='180,90' size='100,20' colorBkgnd='#C0C0C0FF'>"
    L"<window name='u1' size='20,10' colorBkgnd='#FF0000FF'/>"
    L"<window name='u2' rowSpan='2' size='20,20' colorBkgnd='#00C000FF'/>"
    L"<window name='u3' size='20,10' colorBkgnd='#0000FFFF'/>"
    L"<window name='u4' columnSpan='3' size='60,10' colorBkgnd='#FF8000FF'/>"
    L"<window name='u5' size='20,10' colorBkgnd='#8000FFFF'/>"
    L"</window>"
    // Intervals between the cells, inside the padding; and a grid as big as its cells.
    L"<window name='spaced' layout='gridLayout' margin='0' columnCount='1' xInterval='3' yInterval='4' padding='5' pos='290,90' "
    L"size='40,40' colorBkgnd='#C0C0C0FF'>"
    L"<window name='i1' size='20,10' colorBkgnd='#FF0000FF'/><window name='i2' size='20,10' colorBkgnd='#0000FFFF'/>"
    L"</window>"
    L"<window name='measured' layout='gridLayout' margin='0' columnCount='2' xInterval='3' yInterval='4' pos='290,140' "
    L"colorBkgnd='#C0C0C0FF'>"
    L"<window size='20,10' colorBkgnd='#FF0000FF'/><window size='20,10' colorBkgnd='#00C000FF'/>"
    L"<window size='20,10' colorBkgnd='#0000FFFF'/>"
    L"</window>"
    L"</root></SAKU>";

}  // namespace

TEST_F(SGridLayoutHostTest, PlacesGridsFromLayoutXml)
{
    Open(kGrids);
    ExpectRects({
        {L"g1", L"{10,10,30,20}"},       {L"g4", L"{10,20,30,30}"},      {L"g7", L"{10,30,30,40}"},
        {L"l3", L"{120,10,160,20}"},     {L"l4", L"{80,20,100,30}"},      // columns 20, 20, 40
        {L"a1", L"{200,20,220,30}"},     {L"a2", L"{230,10,270,40}"},    {L"a3", L"{190,40,230,50}"},
        {L"f1", L"{280,10,320,40}"},
        {L"k1", L"{10,60,190,70}"},      {L"k2", L"{190,60,210,70}"},    // 20 + 160 free
        {L"fifth", L"{0,0,0,0}"},
        {L"countless", L"{10,120,10,120}"}, {L"n1", L"{0,0,0,0}"},
        {L"q1", L"{60,90,80,100}"},      {L"q3", L"{60,100,80,110}"},
        {L"h1", L"{110,90,130,100}"},    {L"h3", L"{150,90,170,100}"},
        {L"u1", L"{200,90,220,100}"},    {L"u2", L"{240,90,260,110}"},   // columns 60, 20, 20
        {L"u4", L"{180,100,240,110}"},   {L"u5", L"{260,100,280,110}"},
        {L"i1", L"{295,95,315,105}"},    {L"i2", L"{295,109,315,119}"},
        {L"measured", L"{290,140,333,164}"},                              // 20 + 3 + 20 by 10 + 4 + 10
    });

    // No two children of the cut grid share any pixel.
    SWindow* const cut = Window(L"cut");
    for (SWindow* one = cut->GetWindow(GSW_FIRSTCHILD); one; one = one->GetWindow(GSW_NEXTSIBLING)) {
        for (SWindow* other = one->GetWindow(GSW_NEXTSIBLING); other; other = other->GetWindow(GSW_NEXTSIBLING)) {
            RECT overlap;
            const RECT a = one->GetWindowRect();
            const RECT b = other->GetWindowRect();
            EXPECT_FALSE(::IntersectRect(&overlap, &a, &b)) << DescribeRect(a).c_str() << " and " << DescribeRect(b).c_str();
        }
    }
    auto* const refused = SObjCast<SGridLayout>(Window(L"refused")->GetLayout());
    ASSERT_NE(nullptr, refused);
    EXPECT_EQ(2, refused->GetColumnCount());
    EXPECT_EQ(-1, refused->GetRowCount());

    Keep(L"grid_layouts");
    EXPECT_EQ(0xFFC0C0C0u, Pixel(195, 15));   // around a centred child, the grid
    EXPECT_EQ(0xFFFF0000u, Pixel(205, 25));
    EXPECT_EQ(0xFFFF0000u, Pixel(285, 35));   // a filled cell
    EXPECT_EQ(0xFFFF0000u, Pixel(185, 65));   // the weighted column, filled
    EXPECT_EQ(0xFFFF8000u, Pixel(230, 105));  // the cut span, beside the one it met
    EXPECT_EQ(0xFF00C000u, Pixel(245, 105));
}
