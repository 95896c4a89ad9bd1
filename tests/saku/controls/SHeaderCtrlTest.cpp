// The header control on a windowless host: items from XML and by call, their
// orders, the hit codes, the mouse (hover, click, divider drag, item swap) and
// the items' pixels.

#include "ControlTest.h"
#include "HeaderTest.h"

#include "controls/SHeaderCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// Three items of 100 px in a header of 400 x 20 at the host's corner.
std::wstring ThreeItems(const std::wstring& attributes = L"")
{
    return L"<root><header name='header' margin='0' pos='0,0,@400,@20' " + attributes +
           L"><items><item width='100'>A</item><item width='100'>B</item><item width='100'>C</item></items>"
           L"</header></root>";
}

class SHeaderCtrlTest : public ControlTest {
protected:
    SHeaderCtrl* BuildHeader(const std::wstring& xml)
    {
        Build(xml.c_str());
        SHeaderCtrl* const header = Find<SHeaderCtrl>(L"header");
        if (header)
            m_events.Listen(header);
        return header;
    }
    void Move(int x, int y, WPARAM keys = 0) { m_host->Mouse(WM_MOUSEMOVE, x, y, keys); }
    void Press(int x, int y)
    {
        Move(x, y);
        m_host->Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    }
    void Release(int x, int y) { m_host->Mouse(WM_LBUTTONUP, x, y); }

    HeaderEvents m_events;
};

}  // namespace

TEST_F(SHeaderCtrlTest, HitCodesNameTheItemsLeftAndRightOfThePoint)
{
    const struct {
        const wchar_t* attributes;
        int x;
        DWORD code;
    } cases[] = {
        {L"", 2, 0x00000000},   {L"", 103, 0x00010000}, {L"", 150, 0x00010001}, {L"", 197, 0x00020001},
        {L"", 298, 0xFFFF0002}, {L"", 305, 0xFFFFFFFF}, {L"sortHeader='0'", 103, 0x00010001},
        {L"sortHeader='0'", 101, 0x00010000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_wstring(c.x) + L" " + c.attributes);
        SHeaderCtrl* const header = BuildHeader(ThreeItems(c.attributes));
        ASSERT_NE(nullptr, header);
        EXPECT_EQ(c.code, header->HitTest(POINT{c.x, 10}));
        m_host->DestroyChild(header);
    }
}

TEST_F(SHeaderCtrlTest, HiddenAndEmptyItemsAreNeverHit)
{
    SHeaderCtrl* const header = BuildHeader(
        L"<root><header name='header' margin='0' pos='0,0,@400,@20'><items><item width='100'>A</item>"
        L"<item width='100' visible='0'>B</item><item width='0'>Z</item><item width='100'>C</item></items>"
        L"</header></root>");
    ASSERT_NE(nullptr, header);
    const struct {
        int x;
        DWORD code;
    } cases[] = {
        {50, 0x00000000}, {98, 0x00030000}, {103, 0x00030000}, {150, 0x00030003}, {198, 0xFFFF0003}, {201, 0xFFFFFFFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(c.code, header->HitTest(POINT{c.x, 10}));
    }
    EXPECT_EQ(0, header->GetItemWidth(1));
    EXPECT_EQ(200, header->GetTotalWidth());
    const RECT c = header->GetItemRect(3);
    EXPECT_EQ(100, c.left);
    EXPECT_EQ(200, c.right);

    // The divider before C belongs to A, the shown item on its left: a drag there
    // resizes A, never the hidden or empty items between.
    Press(103, 10);
    Move(113, 10, MK_LBUTTON);
    Release(113, 10);
    EXPECT_EQ(std::vector<std::wstring>({L"changing 0 110", L"changed 0 110"}), m_events.Take());
    EXPECT_EQ(100, header->GetItemWidth(3));

    // A hidden first item: the next shown one owns the margin at the left.
    header->SetItemVisible(1, TRUE);
    header->SetItemVisible(0, FALSE);
    EXPECT_EQ(std::vector<std::wstring>({L"changed 1 100", L"changed 0 0"}), m_events.Take());
    EXPECT_EQ(0x00010001u, header->HitTest(POINT{1, 10}));
    EXPECT_EQ(0x00030001u, header->HitTest(POINT{98, 10}));
}

TEST_F(SHeaderCtrlTest, ItemsComeFromTheItemsElement)
{
    SHeaderCtrl* const header = BuildHeader(
        L"<root><header name='header' margin='0' pos='0,0,@400,@20'><items>"
        L"<item width='30' userData='0x10' sortFlag='2'>\n\t First \r\n</item>"
        L"<ITEM>Second</ITEM><other>no item</other><item width='20dp' visible='0'/>"
        L"</items></header></root>");
    ASSERT_NE(nullptr, header);
    ASSERT_EQ(3, header->GetItemCount());
    SHeaderItem first;
    ASSERT_TRUE(header->GetItem(0, &first));
    EXPECT_STREQ(L"First", first.text.GetText().c_str());
    EXPECT_EQ(16u, first.userData);
    EXPECT_EQ(2, first.sortFlag);
    EXPECT_EQ(0, first.order);
    EXPECT_EQ(30, header->GetItemWidth(0));
    EXPECT_EQ(50, header->GetItemWidth(1));   // the default width
    EXPECT_EQ(0, header->GetItemWidth(2));    // hidden
    EXPECT_FALSE(header->IsItemVisible(2));
    EXPECT_EQ(L"0 1 2", Orders(header));

    // Only the fields the mask names are copied.
    SHeaderItem partial;
    partial.mask = kHeaderMaskData;
    partial.sortFlag = 7;
    ASSERT_TRUE(header->GetItem(0, &partial));
    EXPECT_EQ(16u, partial.userData);
    EXPECT_EQ(7, partial.sortFlag);
    EXPECT_FALSE(header->GetItem(3, &partial));
    EXPECT_FALSE(header->GetItem(-1, &partial));

    // Without an "items" element the header stays, empty.
    m_host->DestroyChild(header);
    Build(L"<root><header name='empty' margin='0' pos='0,0,@100,@20'/></root>");
    SHeaderCtrl* const empty = Find<SHeaderCtrl>(L"empty");
    ASSERT_NE(nullptr, empty);
    EXPECT_EQ(0, empty->GetItemCount());
    EXPECT_EQ(SHeaderCtrl::kHitNone, empty->HitTest(POINT{5, 5}));
    Paint();
}

TEST_F(SHeaderCtrlTest, InsertOutsideTheItemsChangesNothingAndOrdersFollowInsertAndDelete)
{
    SHeaderCtrl* const header = BuildHeader(ThreeItems());
    ASSERT_NE(nullptr, header);
    const struct {
        int index;
        int result;
        const wchar_t* orders;
    } inserts[] = {
        {-2, -1, L"0 1 2"}, {4, -1, L"0 1 2"}, {1, 1, L"0 1 2 3"}, {-1, 4, L"0 1 2 3 4"}, {0, 0, L"0 1 2 3 4 5"},
    };
    for (const auto& c : inserts) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(c.result, header->InsertItem(c.index, L"new", 10));
        EXPECT_EQ(c.orders, Orders(header));
    }
    // Each insert shifted the data columns from its index on, so the items show
    // their columns in a mixed order now.
    EXPECT_EQ(L"new A new B C new", Captions(header));
    header->DeleteAllItems();
    for (const wchar_t* text : {L"a", L"b", L"c", L"d"})
        header->InsertItem(-1, text, 10);
    ASSERT_TRUE(header->DeleteItem(2));   // order 2 of {0,1,2,3}
    EXPECT_EQ(L"0 1 2", Orders(header));
    EXPECT_FALSE(header->DeleteItem(3));
    EXPECT_EQ(-1, header->GetItemWidth(3));
    const RECT bad = header->GetItemRect(3);
    EXPECT_TRUE(::IsRectEmpty(&bad));
}

TEST_F(SHeaderCtrlTest, ClickHoverAndDividerPressRaiseTheirEvents)
{
    SHeaderCtrl* const header = BuildHeader(ThreeItems(L"itemSkin='four'"));
    ASSERT_NE(nullptr, header);
    SHeaderItem item;
    item.mask = 0;

    Move(150, 10);
    Paint();
    EXPECT_EQ(kHoverLime, Pixel(150, 2));
    EXPECT_EQ(kNormalRed, Pixel(50, 2));
    Press(150, 10);
    Paint();
    EXPECT_EQ(kPushedBlue, Pixel(150, 2));
    Release(150, 10);
    EXPECT_EQ(std::vector<std::wstring>({L"click 1"}), m_events.Take());
    Paint();
    EXPECT_EQ(kHoverLime, Pixel(150, 2));
    Move(50, 10);
    Paint();
    EXPECT_EQ(kNormalRed, Pixel(150, 2));
    EXPECT_EQ(kHoverLime, Pixel(50, 2));

    // A divider pressed and released where it was still reports the width.
    Press(198, 10);
    Release(198, 10);
    EXPECT_EQ(std::vector<std::wstring>({L"changed 1 100"}), m_events.Take());

    // Dragged: the left item follows, down to nothing but not below.
    Press(101, 10);   // the divider between A and B
    Move(131, 10, MK_LBUTTON);
    Release(131, 10);
    EXPECT_EQ(std::vector<std::wstring>({L"changing 0 130", L"changed 0 130"}), m_events.Take());
    Press(129, 10);
    Move(-150, 10, MK_LBUTTON);   // out of the header at once: the leave comes first
    Release(-150, 10);
    EXPECT_EQ(std::vector<std::wstring>({L"changing 0 0", L"changed 0 0"}), m_events.Take());
    item.mask = kHeaderMaskWidth;
    ASSERT_TRUE(header->GetItem(0, &item));
    EXPECT_EQ(0.0f, item.width.GetValue());
    EXPECT_EQ(kUnitPx, item.width.GetUnit());
    EXPECT_EQ(0, header->GetCapture());

    // With sortHeader clear there is no feedback and no click; fixWidth keeps widths.
    header->ApplyAttribute(L"sortHeader", L"0", FALSE);
    header->ApplyAttribute(L"fixWidth", L"1", FALSE);
    Press(150, 10);
    Release(150, 10);
    Press(198, 10);
    Move(230, 10, MK_LBUTTON);
    Release(230, 10);
    EXPECT_EQ(std::vector<std::wstring>({L"changed 2 100"}), m_events.Take());
    EXPECT_EQ(100, header->GetItemWidth(2));
}

TEST_F(SHeaderCtrlTest, ASwapMovesTheItemWithItsOrderToWhereItWasDropped)
{
    SHeaderCtrl* const header = BuildHeader(ThreeItems(L"itemSkin='four'"));
    ASSERT_NE(nullptr, header);

    // A onto C: A lands at 2.
    Press(50, 10);
    Move(150, 10, MK_LBUTTON);
    EXPECT_NE(nullptr, FindDragWindow());
    Move(250, 10, MK_LBUTTON);
    Paint();
    Keep(L"header_dragging");
    Release(250, 10);
    EXPECT_EQ(nullptr, FindDragWindow());
    EXPECT_EQ(L"B C A", Captions(header));
    EXPECT_EQ(L"1 2 0", Orders(header));
    EXPECT_EQ(std::vector<std::wstring>({L"swap 0 2"}), m_events.Take());
    EXPECT_EQ(0, header->GetCapture());

    // C (now at 1) onto B (at 0): C lands at 0.
    Press(150, 10);
    Move(40, 10, MK_LBUTTON);
    Release(40, 10);
    EXPECT_EQ(L"C B A", Captions(header));
    EXPECT_EQ(std::vector<std::wstring>({L"swap 1 0"}), m_events.Take());

    // Onto itself: nothing, and no click either.
    Press(150, 10);
    Move(160, 10, MK_LBUTTON);
    Release(160, 10);
    EXPECT_EQ(L"C B A", Captions(header));
    EXPECT_TRUE(m_events.Take().empty());
    Paint();
    EXPECT_EQ(kNormalRed, Pixel(160, 2));   // no item stays pushed
    EXPECT_EQ(kNormalRed, Pixel(50, 2));
}

TEST_F(SHeaderCtrlTest, WithoutSwappingADraggedItemShowsNothingAndMovesNothing)
{
    SHeaderCtrl* const header = BuildHeader(ThreeItems(L"itemSwapEnable='0'"));
    ASSERT_NE(nullptr, header);
    Press(50, 10);
    Move(250, 10, MK_LBUTTON);
    EXPECT_EQ(nullptr, FindDragWindow());
    Release(250, 10);
    EXPECT_EQ(L"A B C", Captions(header));
    EXPECT_TRUE(m_events.Take().empty());
}

TEST_F(SHeaderCtrlTest, LosingTheActivationEndsTheDrag)
{
    SHeaderCtrl* const header = BuildHeader(ThreeItems());
    ASSERT_NE(nullptr, header);
    Press(50, 10);
    Move(250, 10, MK_LBUTTON);
    ASSERT_NE(nullptr, FindDragWindow());
    EXPECT_EQ(header->GetSwnd(), header->GetCapture());
    m_host->DoFrameEvent(WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(nullptr, FindDragWindow());
    EXPECT_EQ(0, header->GetCapture());
    Move(250, 10);   // as the host posts it when the capture goes
    Release(250, 10);
    EXPECT_EQ(L"A B C", Captions(header));
    EXPECT_TRUE(m_events.Take().empty());
}

TEST_F(SHeaderCtrlTest, ItemsDrawTheirSkinTextAndSortMark)
{
    AddSkins(L"<skin><colorrect name='items' normal='#404040' disable='#808080'/>"
             L"<imglist name='mark' src='png:states16' states='3'/></skin>");
    SHeaderCtrl* const header = BuildHeader(
        L"<root><header name='header' margin='0' pos='0,0,@180,@20' itemSkin='items' sortSkin='mark' colorText='#FFFFFF'>"
        L"<items><item width='60' sortFlag='1'>Name</item><item width='60' sortFlag='2'>Size</item>"
        L"<item width='40'>X</item></items></header></root>");
    ASSERT_NE(nullptr, header);
    Paint();
    Keep(L"header");
    EXPECT_EQ(0xFF404040u, Pixel(1, 1));
    EXPECT_EQ(0xFFFF0000u, Pixel(60 - 2 - 8, 10));    // "up": the mark's first state, at the right
    EXPECT_EQ(0xFF00FF00u, Pixel(120 - 2 - 8, 10));   // "down": its second
    EXPECT_EQ(0xFF404040u, Pixel(150, 1));            // no mark
    EXPECT_EQ(0xFF808080u, Pixel(170, 10));           // the strip past the items
    header->SetItemSort(0, 0);
    Paint();
    EXPECT_EQ(0xFF404040u, Pixel(60 - 2 - 8, 10));
}
