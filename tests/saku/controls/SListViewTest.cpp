// The list view in a windowless host: the locator its template chooses, rows
// recycled by view type while it scrolls with a bounded number of panels, the
// selection by clicks (with its events and veto) and by keys (without), rows that
// come back with exactly their own state, rows taken away under the hover and the
// selection, measured heights, and the rows painted in pixels.

#include "ListTestAdapter.h"
#include "PanelTest.h"

#include "controls/SItemPanel.h"
#include "controls/SListView.h"
#include "controls/SListViewItemLocatorFlex.h"

#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// A list of 150 x 100 at (10, 10), its bar 8 wide: rows of the template's height.
std::wstring ListLayout(const wchar_t* templateAttributes, const wchar_t* listAttributes = L"")
{
    return std::wstring(L"<w><listview name='list' pos='10,10,@150,@100' margin='0' sbSkin='bar' ") + listAttributes +
           L"><template " + templateAttributes +
           L"><item colorNormal='#ffffff' colorHover='#00ff00' colorSelected='#0000ff'>"
           L"<window name='label' pos='2,2,@10,@10' colorBkgnd='#ff0000'/>"
           L"</item></template></listview></w>";
}

}  // namespace

class SListViewTest : public PanelTest {
protected:
    void TearDown() override
    {
        m_list = nullptr;
        m_adapter = nullptr;
        PanelTest::TearDown();
    }

    void MakeList(const std::wstring& layout, int rows, bool selectedType = false)
    {
        Build(layout.c_str());
        m_list = Find<SListView>(L"list");
        ASSERT_TRUE(m_list);
        m_adapter = SAutoRef<ListTestAdapter>::Adopt(new ListTestAdapter(rows, selectedType));
        ASSERT_TRUE(m_list->SetAdapter(m_adapter.Get()));
        m_list->GetEventSet()->SubscribeEvent(EventLVSelChanging::EventID, Subscriber(&SelectionLog::OnChanging, &m_selection));
        m_list->GetEventSet()->SubscribeEvent(EventLVSelChanged::EventID, Subscriber(&SelectionLog::OnChanged, &m_selection));
    }
    // Every visible panel shows its own row, hovered and selected as that row is.
    void ExpectRowsShowTheirState(int hoverIndex)
    {
        for (int i = m_list->GetFirstVisibleIndex(); i < m_list->GetFirstVisibleIndex() + m_list->GetVisibleCount(); ++i) {
            SItemPanel* const panel = m_list->GetItemPanel(i);
            ASSERT_TRUE(panel) << i;
            EXPECT_EQ(i, panel->GetItemIndex());
            EXPECT_EQ(i == m_list->GetSel(), (panel->GetState() & WndState_Check) != 0) << i;
            EXPECT_EQ(i == hoverIndex, (panel->GetState() & WndState_Hover) != 0) << i;
        }
    }
    void Key(UINT key) { m_list->SendSwndMessage(WM_KEYDOWN, key, 0); }
    // The middle of a visible row, in host coordinates.
    POINT RowPoint(int index)
    {
        const RECT row = m_list->GetItemPanel(index)->GetItemRect();
        return POINT{(row.left + row.right) / 2, (row.top + row.bottom) / 2};
    }
    void Click(int index)
    {
        const POINT point = RowPoint(index);
        Press(point.x, point.y);
        Release(point.x, point.y);
    }

    SListView* m_list = nullptr;
    SAutoRef<ListTestAdapter> m_adapter;
    SelectionLog m_selection;
};

TEST_F(SListViewTest, AnAdapterNeedsTheTemplateFirst)
{
    auto list = SAutoRef<SListView>::Adopt(new SListView);
    auto adapter = SAutoRef<ListTestAdapter>::Adopt(new ListTestAdapter(3));
    EXPECT_FALSE(list->SetAdapter(adapter.Get()));
    EXPECT_EQ(nullptr, list->GetAdapter());
    list->SendSwndMessage(WM_DESTROY);
}

TEST_F(SListViewTest, TheTemplateChoosesTheLocator)
{
    const struct {
        const wchar_t* attributes;
        bool fixed;
        int linePitch;   // a row's pitch before anything is measured
    } cases[] = {
        {L"itemHeight='25'", true, 25},
        {L"itemHeight='0' defHeight='12'", false, 12},
        {L"", false, 30},   // 30dp at 100%
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        Build(ListLayout(c.attributes).c_str());
        auto* const list = Find<SListView>(L"list");
        ASSERT_TRUE(list && list->GetItemLocator());
        EXPECT_EQ(c.fixed, list->GetItemLocator()->IsFixHeight() != FALSE);
        EXPECT_EQ(c.linePitch, list->GetItemLocator()->GetScrollLineSize());
        EXPECT_EQ(0, list->GetChildrenCount());   // the template builds no child
        m_host->DestroyChild(list);
    }
}

// The adapter reads its own attributes from the template element and builds
// rows from the elements under it.
TEST_F(SListViewTest, TheAdapterIsHandedTheTemplateElement)
{
    MakeList(ListLayout(L"itemHeight='20'"), 3);
    EXPECT_EQ(L"template", m_adapter->InitNode());
    EXPECT_EQ(L"template", m_adapter->ViewNode());
    SItemPanel* const panel = m_list->GetItemPanel(0);
    ASSERT_TRUE(panel);
    SWindow* const label = panel->FindChildByName(L"label");
    ASSERT_TRUE(label);
    EXPECT_EQ(L"row 0", std::wstring(label->GetWindowText().c_str()));
}

TEST_F(SListViewTest, ScrollingThroughAThousandRowsMakesOnlyTheVisiblePanels)
{
    MakeList(ListLayout(L"itemHeight='20'"), 1000);
    EXPECT_TRUE(m_list->HasScrollBar(TRUE));
    EXPECT_EQ(19999, m_list->GetScrollInfo(TRUE).nMax);
    EXPECT_EQ(5, m_list->GetVisibleCount());
    int steps = 0;
    while (m_list->OnScroll(TRUE, SB_LINEDOWN, 0)) {
        ++steps;
        ASSERT_LE(m_list->GetVisibleCount(), 6);
        ASSERT_EQ(m_list->GetScrollPos(TRUE) / 20, m_list->GetFirstVisibleIndex());
    }
    EXPECT_EQ(995, steps);
    EXPECT_EQ(995, m_list->GetFirstVisibleIndex());
    EXPECT_TRUE(m_list->GetItemPanel(999));
    EXPECT_LE(m_adapter->PanelsMade(), 5 + 2);
    // Paging back to the top takes no new panel either.
    while (m_list->OnScroll(TRUE, SB_PAGEUP, 0)) {
    }
    EXPECT_EQ(0, m_list->GetFirstVisibleIndex());
    EXPECT_LE(m_adapter->PanelsMade(), 5 + 2);
}

TEST_F(SListViewTest, AClickSelectsWithBothEventsAndTheSelectionSurvivesScrolling)
{
    MakeList(ListLayout(L"itemHeight='20'"), 1000);
    Click(2);
    EXPECT_EQ(2, m_list->GetSel());
    EXPECT_EQ((std::vector<std::pair<int, int>>{{-1, 2}}), m_selection.changing);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{-1, 2}}), m_selection.changed);
    // A second click on the selected row asks nothing.
    Click(2);
    EXPECT_EQ(1u, m_selection.changing.size());

    m_list->OnScroll(TRUE, SB_THUMBPOSITION, 5000);
    EXPECT_EQ(nullptr, m_list->GetItemPanel(2));
    ExpectRowsShowTheirState(-1);   // the panel that showed row 2 shows another row, unselected
    m_list->OnScroll(TRUE, SB_TOP, 0);
    EXPECT_EQ(2, m_list->GetSel());
    ExpectRowsShowTheirState(-1);   // the hovered row left the view, and the mouse has not moved since
}

TEST_F(SListViewTest, AVetoedChangeKeepsTheOldSelection)
{
    MakeList(ListLayout(L"itemHeight='20'"), 10);
    Click(1);
    m_selection.veto = true;
    Click(3);
    EXPECT_EQ(1, m_list->GetSel());
    EXPECT_EQ((std::vector<std::pair<int, int>>{{-1, 1}, {1, 3}}), m_selection.changing);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{-1, 1}}), m_selection.changed);
    EXPECT_TRUE(m_list->GetItemPanel(1)->GetState() & WndState_Check);
    EXPECT_FALSE(m_list->GetItemPanel(3)->GetState() & WndState_Check);
}

TEST_F(SListViewTest, SelectionByIndex)
{
    MakeList(ListLayout(L"itemHeight='20'"), 10);
    m_list->SetSel(4);
    EXPECT_EQ(4, m_list->GetSel());
    m_list->SetSel(10);   // past the rows: nothing
    EXPECT_EQ(4, m_list->GetSel());
    m_list->SetSel(-7);   // negative: none
    EXPECT_EQ(-1, m_list->GetSel());
    EXPECT_FALSE(m_list->GetItemPanel(4)->GetState() & WndState_Check);
    EXPECT_TRUE(m_selection.changing.empty());   // no events without notify
}

TEST_F(SListViewTest, KeysSelectAndScrollWithoutEvents)
{
    MakeList(ListLayout(L"itemHeight='20'"), 100);
    Key(VK_UP);   // nothing selected: nothing
    EXPECT_EQ(-1, m_list->GetSel());
    Key(VK_DOWN);
    EXPECT_EQ(0, m_list->GetSel());
    for (int i = 0; i < 6; ++i)
        Key(VK_DOWN);
    EXPECT_EQ(6, m_list->GetSel());
    EXPECT_EQ(2, m_list->GetFirstVisibleIndex());   // row 6 ends at the bottom
    Key(VK_END);
    EXPECT_EQ(99, m_list->GetSel());
    EXPECT_EQ(95, m_list->GetFirstVisibleIndex());
    Key(VK_DOWN);
    EXPECT_EQ(99, m_list->GetSel());
    Key(VK_PRIOR);
    EXPECT_EQ(90, m_list->GetSel());   // the first visible row after a page up
    Key(VK_HOME);
    EXPECT_EQ(0, m_list->GetSel());
    Key(VK_NEXT);
    EXPECT_EQ(9, m_list->GetSel());
    EXPECT_TRUE(m_selection.changing.empty());
    EXPECT_TRUE(m_selection.changed.empty());
    ExpectRowsShowTheirState(-1);
}

TEST_F(SListViewTest, RecycledPanelsComeBackWithTheStateOfTheirNewRow)
{
    MakeList(ListLayout(L"itemHeight='20'"), 50);
    const POINT over = RowPoint(1);
    MoveTo(over.x, over.y);
    EXPECT_TRUE(m_list->GetItemPanel(1)->GetState() & WndState_Hover);
    m_list->SetSel(3);
    for (int step = 0; step < 30; ++step) {
        SCOPED_TRACE(step);
        m_list->OnScroll(TRUE, step % 3 == 2 ? SB_LINEUP : SB_LINEDOWN, 0);
        MoveTo(over.x, over.y);   // the row under the mouse changes as the rows move
        ExpectRowsShowTheirState(m_list->GetFirstVisibleIndex() + 1);
    }
}

TEST_F(SListViewTest, ASelectedRowOfAnotherViewTypeGetsAPanelOfThatType)
{
    MakeList(ListLayout(L"itemHeight='20'"), 20, true);
    SItemPanel* const before = m_list->GetItemPanel(2);
    m_list->SetSel(2);
    m_list->OnDataSetInvalidated();
    Paint();   // the refresh runs at the paint
    SItemPanel* const after = m_list->GetItemPanel(2);
    EXPECT_NE(before, after);
    EXPECT_TRUE(after->GetState() & WndState_Check);
    EXPECT_EQ(6, m_adapter->PanelsMade());   // five of type 0, one of type 1
}

TEST_F(SListViewTest, RowsTakenAwayLeaveNoStaleIndexBehind)
{
    MakeList(ListLayout(L"itemHeight='20'"), 1000);
    m_list->OnScroll(TRUE, SB_THUMBPOSITION, 900 * 20);
    const POINT over = RowPoint(902);
    MoveTo(over.x, over.y);
    Click(902);
    ASSERT_EQ(902, m_list->GetSel());

    // The adapter shrinks while the list scrolls, before it tells the list.
    m_adapter->SetCount(100);
    m_list->OnScroll(TRUE, SB_LINEUP, 0);
    EXPECT_EQ(-1, m_list->GetSel());
    m_adapter->NotifyDataSetChanged();
    EXPECT_EQ(-1, m_list->GetSel());
    EXPECT_EQ(95, m_list->GetFirstVisibleIndex());
    EXPECT_EQ(1999, m_list->GetScrollInfo(TRUE).nMax);
    ExpectRowsShowTheirState(-1);   // the hovered row is gone
    // Keys start again from no selection.
    Key(VK_DOWN);
    EXPECT_EQ(0, m_list->GetSel());

    // Growing again, a selection below the count stays.
    m_adapter->SetCount(200);
    m_adapter->NotifyDataSetChanged();
    EXPECT_EQ(0, m_list->GetSel());
}

TEST_F(SListViewTest, MeasuredRowsGrowTheScrollRange)
{
    MakeList(ListLayout(L"defHeight='20'"), 1000);
    EXPECT_FALSE(m_list->GetItemLocator()->IsFixHeight());
    // The visible rows are measured: even rows 20, odd ones 30.
    EXPECT_EQ(20, m_list->GetItemLocator()->QueryItemHeight(0));
    EXPECT_EQ(30, m_list->GetItemLocator()->QueryItemHeight(1));
    EXPECT_EQ(30, m_list->GetItemPanel(1)->GetWindowRect().bottom);
    while (m_list->OnScroll(TRUE, SB_LINEDOWN, 0)) {
    }
    EXPECT_EQ(999, m_list->GetFirstVisibleIndex() + m_list->GetVisibleCount() - 1);
    EXPECT_EQ(500 * 20 + 500 * 30, m_list->GetItemLocator()->QueryTotalHeight());
    EXPECT_EQ(500 * 20 + 500 * 30 - 1, m_list->GetScrollInfo(TRUE).nMax);
    EXPECT_LE(m_adapter->PanelsMade(), 5 + 2);
}

TEST_F(SListViewTest, PaintsItsRowsByStateWithDividers)
{
    pugi::xml_document skins;
    ASSERT_TRUE(skins.load_string(L"<skin><colorrect name='divider' normal='#000000'/></skin>"));
    ASSERT_EQ(1, m_skins->LoadSkins(skins.first_child()));
    MakeList(ListLayout(L"itemHeight='20'", L"dividerSize='2' dividerSkin='divider'"), 100);
    Click(1);
    const POINT over = RowPoint(3);
    MoveTo(over.x, over.y);
    Paint();
    Keep(L"list_view");

    const std::uint32_t kWhite = 0xFFFFFFFF;
    const std::uint32_t kBlack = 0xFF000000;
    const int x = 10 + 50;
    EXPECT_EQ(kWhite, Pixel(x, 10 + 10));               // row 0
    EXPECT_EQ(kBlack, Pixel(x, 10 + 20));               // its divider
    EXPECT_EQ(kPushedBlue, Pixel(x, 10 + 22 + 10));     // row 1, selected
    EXPECT_EQ(kWhite, Pixel(x, 10 + 44 + 10));          // row 2
    EXPECT_EQ(kHoverLime, Pixel(x, 10 + 66 + 10));      // row 3, under the mouse
    EXPECT_EQ(kNormalRed, Pixel(13, 10 + 22 + 3));     // row 1's label, beside its text
    EXPECT_EQ(0u, Pixel(x, 10 + 100 + 5));              // below the list
}
