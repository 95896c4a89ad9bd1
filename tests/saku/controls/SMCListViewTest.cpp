// The multi-column list view in a windowless host: the column windows of every
// row under their header items, sideways scrolling that takes the header along,
// columns the adapter hides, sorting by a header click, the locator its template
// chooses, selection by keys and clicks with both events, and the rows painted in
// pixels; a layout without a header makes a view without rows.

#include "MCListTestAdapter.h"
#include "HeaderTest.h"
#include "ListTestAdapter.h"
#include "PanelTest.h"

#include "controls/IListViewItemLocator.h"
#include "controls/SHeaderCtrl.h"
#include "controls/SItemPanel.h"
#include "controls/SMCListView.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// A view of 200 x 200 at the origin, its bars 8 wide, a header of 20 with items of
// 100 and 150: the rows are 250 wide, so the horizontal bar shows.
std::wstring ViewLayout(const wchar_t* templateAttributes, bool header = true)
{
    return std::wstring(L"<w><mclistview name='list' pos='0,0,@200,@200' margin='0' sbSkin='bar' headerHeight='20'>") +
           (header ? L"<header name='header' margin='0' itemSkin='four'><items><item width='100'>A</item>"
                     L"<item width='150'>B</item></items></header>"
                   : L"") +
           L"<template " + templateAttributes +
           L"><item colorNormal='#ffffff' colorSelected='#0000ff'>"
           L"<text name='col0' colorBkgnd='#ff0000'/><text name='col1' colorBkgnd='#00ff00'/>"
           L"</item></template></mclistview></w>";
}

// A rectangle as "left top right bottom".
std::string Span(const RECT& rect)
{
    return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " + std::to_string(rect.right) + " " +
           std::to_string(rect.bottom);
}

// A column window's place in its row.
std::string CellRect(SItemPanel* panel, int column)
{
    SWindow* const cell = panel->FindChildByName((L"col" + std::to_wstring(column)).c_str());
    return cell ? Span(cell->GetWindowRect()) : "none";
}

}  // namespace

class SMCListViewTest : public PanelTest {
protected:
    void TearDown() override
    {
        m_list = nullptr;
        m_adapter = nullptr;
        PanelTest::TearDown();
    }

    void MakeList(const std::wstring& layout, int rows, std::vector<bool> visible = {})
    {
        Build(layout.c_str());
        m_list = Find<SMCListView>(L"list");
        ASSERT_TRUE(m_list);
        m_adapter = SAutoRef<MCListTestAdapter>::Adopt(new MCListTestAdapter(rows));
        m_adapter->visible = std::move(visible);
        ASSERT_TRUE(m_list->SetAdapter(m_adapter.Get()));
        m_selection.Listen(m_list);
    }
    // Every visible row has its column windows at these places, showing its data.
    void ExpectColumns(const std::string& col0, const std::string& col1)
    {
        ASSERT_GT(m_list->GetVisibleCount(), 0);
        for (int i = m_list->GetFirstVisibleIndex(); i < m_list->GetFirstVisibleIndex() + m_list->GetVisibleCount(); ++i) {
            SItemPanel* const panel = m_list->GetItemPanel(i);
            ASSERT_TRUE(panel) << i;
            EXPECT_EQ(col0, CellRect(panel, 0)) << i;
            EXPECT_EQ(col1, CellRect(panel, 1)) << i;
            EXPECT_EQ(MCListTestAdapter::Text(i, 0), panel->FindChildByName(L"col0")->GetWindowText().c_str()) << i;
            EXPECT_EQ(MCListTestAdapter::Text(i, 1), panel->FindChildByName(L"col1")->GetWindowText().c_str()) << i;
        }
    }
    void Key(UINT key) { m_list->SendSwndMessage(WM_KEYDOWN, key, 0); }
    void Click(int x, int y)
    {
        Press(x, y);
        Release(x, y);
    }

    SMCListView* m_list = nullptr;
    SAutoRef<MCListTestAdapter> m_adapter;
    SelectionLog m_selection;
};

TEST_F(SMCListViewTest, WithoutAHeaderTheViewHasNoRows)
{
    Build(ViewLayout(L"itemHeight='30'", false).c_str());
    auto* const list = Find<SMCListView>(L"list");
    ASSERT_TRUE(list);
    EXPECT_EQ(nullptr, list->GetHeaderCtrl());
    EXPECT_EQ(nullptr, list->GetItemLocator());
    auto adapter = SAutoRef<MCListTestAdapter>::Adopt(new MCListTestAdapter(10));
    EXPECT_FALSE(list->SetAdapter(adapter.Get()));
    EXPECT_EQ(nullptr, list->GetAdapter());
    Paint();
    EXPECT_EQ(0u, Pixel(50, 40));
    EXPECT_EQ(0, adapter->PanelsMade());
}

TEST_F(SMCListViewTest, TheTemplateChoosesTheLocator)
{
    const struct {
        const wchar_t* attributes;
        bool fixed;
        int shownHeight;    // of a row filled
        int hiddenHeight;   // of a row never filled
    } cases[] = {{L"itemHeight='30'", true, 30, 30},
                 {L"", false, MCListTestAdapter::kMeasuredHeight, 30},
                 {L"defHeight='50'", false, MCListTestAdapter::kMeasuredHeight, 50}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.attributes);
        MakeList(ViewLayout(c.attributes), 100);
        ASSERT_TRUE(m_list->GetItemLocator());
        EXPECT_EQ(c.fixed, m_list->GetItemLocator()->IsFixHeight() != FALSE);
        EXPECT_EQ(c.shownHeight, m_list->GetItemLocator()->QueryItemHeight(1));
        EXPECT_EQ(c.hiddenHeight, m_list->GetItemLocator()->QueryItemHeight(99));
        const RECT row = m_list->GetItemPanel(1)->GetWindowRect();
        EXPECT_EQ(c.shownHeight, row.bottom - row.top);
        EXPECT_EQ("0 0 100 " + std::to_string(c.shownHeight), CellRect(m_list->GetItemPanel(1), 0));
        m_list->SendSwndMessage(WM_DESTROY);
        m_host->DestroyChild(m_list);
        m_list = nullptr;
    }
}

TEST_F(SMCListViewTest, EveryRowHasItsColumnsUnderTheHeader)
{
    MakeList(ViewLayout(L"itemHeight='30'"), 100);
    EXPECT_EQ(2, m_list->GetColumnCount());
    EXPECT_TRUE(m_list->HasScrollBar(TRUE));
    EXPECT_TRUE(m_list->HasScrollBar(FALSE));
    EXPECT_EQ(249, m_list->GetScrollInfo(FALSE).nMax);
    ExpectColumns("0 0 100 30", "100 0 250 30");
    EXPECT_EQ("0 20 250 50", Span(m_list->GetItemPanel(0)->GetItemRect()));
    EXPECT_EQ("0 0 192 20", Span(m_list->GetHeaderCtrl()->GetWindowRect()));

    // Sideways the rows and the header move together, the rows keep their columns.
    EXPECT_TRUE(m_list->OnScroll(FALSE, SB_THUMBPOSITION, 50));
    EXPECT_EQ(-50, m_list->GetItemPanel(0)->GetItemRect().left);
    EXPECT_EQ(-50, m_list->GetHeaderCtrl()->GetWindowRect().left);
    EXPECT_FALSE(m_list->OnScroll(FALSE, SB_THUMBPOSITION, 50));   // nowhere to go: not moved
    ExpectColumns("0 0 100 30", "100 0 250 30");

    // Down, rows come and go with their own data in their columns.
    EXPECT_TRUE(m_list->OnScroll(TRUE, SB_THUMBPOSITION, 1000));
    EXPECT_EQ(33, m_list->GetFirstVisibleIndex());
    ExpectColumns("0 0 100 30", "100 0 250 30");

    // A column added later widens every row.
    EXPECT_EQ(2, m_list->InsertColumn(-1, L"C", 40));
    EXPECT_EQ(289, m_list->GetScrollInfo(FALSE).nMax);
    EXPECT_TRUE(m_list->DeleteColumn(2));
    EXPECT_FALSE(m_list->DeleteColumn(5));
    EXPECT_EQ(249, m_list->GetScrollInfo(FALSE).nMax);
}

TEST_F(SMCListViewTest, AColumnTheAdapterHidesTakesNoRoomInAnyRow)
{
    MakeList(ViewLayout(L"itemHeight='30'"), 20, {false, true});
    SHeaderCtrl* const header = m_list->GetHeaderCtrl();
    EXPECT_EQ(0, header->GetItemWidth(0));
    EXPECT_EQ(150, header->GetTotalWidth());
    for (int i = 0; i < m_list->GetVisibleCount(); ++i) {
        SItemPanel* const panel = m_list->GetItemPanel(i);
        ASSERT_TRUE(panel);
        EXPECT_FALSE(panel->FindChildByName(L"col0")->IsVisible(FALSE)) << i;
        EXPECT_TRUE(panel->FindChildByName(L"col1")->IsVisible(FALSE)) << i;
        EXPECT_EQ("0 0 150 30", CellRect(panel, 1)) << i;
    }
    EXPECT_FALSE(m_list->HasScrollBar(FALSE));   // 150 fits

    // Shown again when the adapter says so.
    m_adapter->visible = {true, true};
    m_adapter->NotifyDataSetChanged();
    EXPECT_EQ(100, header->GetItemWidth(0));
    for (int i = 0; i < m_list->GetVisibleCount(); ++i)
        EXPECT_TRUE(m_list->GetItemPanel(i)->FindChildByName(L"col0")->IsVisible(FALSE)) << i;
    ExpectColumns("0 0 100 30", "100 0 250 30");
}

TEST_F(SMCListViewTest, AHeaderClickAsksTheAdapterToSort)
{
    const struct {
        BOOL answer;
        std::vector<int> marksAfter;   // by header item
    } cases[] = {{TRUE, {0, 2}}, {FALSE, {1, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        MakeList(ViewLayout(L"itemHeight='30'"), 5);
        SHeaderCtrl* const header = m_list->GetHeaderCtrl();
        header->SetItemSort(0, 1);
        m_adapter->sortAnswer = c.answer;
        m_adapter->sortFlagsOut = {0, 2};
        Click(150, 10);   // header item 1
        ASSERT_EQ(1u, m_adapter->sorts.size());
        EXPECT_EQ(1, m_adapter->sorts[0].column);
        EXPECT_EQ((std::vector<int>{1, 0}), m_adapter->sorts[0].flagsIn);
        EXPECT_EQ(2, m_adapter->sorts[0].count);
        for (int i = 0; i < 2; ++i) {
            SHeaderItem item;
            item.mask = kHeaderMaskSort;
            header->GetItem(i, &item);
            EXPECT_EQ(c.marksAfter[i], item.sortFlag) << i;
        }
        m_list->SendSwndMessage(WM_DESTROY);
        m_host->DestroyChild(m_list);
        m_list = nullptr;
    }
}

TEST_F(SMCListViewTest, KeysSelectWithBothEvents)
{
    MakeList(ViewLayout(L"itemHeight='30'"), 20);
    Key(VK_DOWN);
    EXPECT_EQ(0, m_list->GetSel());
    EXPECT_EQ((std::vector<std::pair<int, int>>{{-1, 0}}), m_selection.changing);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{-1, 0}}), m_selection.changed);

    // End: to the bottom (600 of rows in a page of 172), the last row.
    Key(VK_END);
    EXPECT_EQ(600 - 172, m_list->GetScrollPos(TRUE));
    EXPECT_EQ(19, m_list->GetSel());
    EXPECT_EQ((std::pair<int, int>{0, 19}), m_selection.changing.back());
    EXPECT_EQ((std::pair<int, int>{0, 19}), m_selection.changed.back());

    // A veto keeps the old row.
    m_selection.veto = true;
    Key(VK_HOME);
    EXPECT_EQ(0, m_list->GetScrollPos(TRUE));
    EXPECT_EQ(19, m_list->GetSel());
    EXPECT_EQ(2u, m_selection.changed.size());
}

TEST_F(SMCListViewTest, AClickBelowTheRowsClearsTheSelection)
{
    MakeList(ViewLayout(L"itemHeight='30'"), 3);
    Click(50, 20 + 45);   // row 1
    EXPECT_EQ(1, m_list->GetSel());
    Click(50, 20 + 120);  // below the three rows
    EXPECT_EQ(-1, m_list->GetSel());
    EXPECT_EQ((std::vector<std::pair<int, int>>{{-1, 1}, {1, -1}}), m_selection.changing);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{-1, 1}, {1, -1}}), m_selection.changed);
}

TEST_F(SMCListViewTest, PaintsItsRowsUnderTheHeader)
{
    MakeList(ViewLayout(L"itemHeight='30'"), 100);
    Click(50, 20 + 45);
    Paint();
    // The selected row's own colour shows where its second column is taken away.
    m_list->GetItemPanel(1)->FindChildByName(L"col1")->SetVisible(FALSE, FALSE);
    Paint();
    Keep(L"mclist_view");
    EXPECT_EQ(kNormalRed, Pixel(185, 3));               // header item 1
    EXPECT_EQ(kNormalRed, Pixel(90, 20 + 25));          // row 0, column 0, beside its text
    EXPECT_EQ(kHoverLime, Pixel(180, 20 + 25));         // row 0, column 1
    EXPECT_EQ(kNormalRed, Pixel(90, 20 + 55));          // row 1, column 0
    EXPECT_EQ(kPushedBlue, Pixel(180, 20 + 55));        // row 1, selected, without column 1
    EXPECT_EQ(kHoverLime, Pixel(180, 20 + 85));         // row 2, column 1
}

TEST_F(SMCListViewTest, ScrollingToTheEndMakesOnlyTheVisiblePanels)
{
    MakeList(ViewLayout(L"itemHeight='30'"), 100);
    int mostVisible = m_list->GetVisibleCount();
    while (m_list->OnScroll(TRUE, SB_LINEDOWN, 0))
        mostVisible = std::max(mostVisible, m_list->GetVisibleCount());
    EXPECT_EQ(100 * 30 - 172, m_list->GetScrollPos(TRUE));
    EXPECT_TRUE(m_list->GetItemPanel(99));
    EXPECT_EQ(6, mostVisible);   // 172 pixels, scrolled by whole rows, show parts of six rows of 30
    EXPECT_LE(m_adapter->PanelsMade(), mostVisible + 2);
    EXPECT_LE(m_list->GetPanelCount(), mostVisible + 2);
    ExpectColumns("0 0 100 30", "100 0 250 30");
}

namespace {

// Rows that measure taller every time they are asked, as content that reflows
// with every layout would.
class GrowingRowsAdapter : public MCListTestAdapter {
public:
    GrowingRowsAdapter() : MCListTestAdapter(50) {}
    void GetViewDesiredSize(SIZE* size, int, SWindow*, const RECT*) override { *size = SIZE{0, 20 + ++m_asked}; }

private:
    int m_asked = 0;
};

}  // namespace

TEST_F(SMCListViewTest, RowsThatNeverSettleStillEndInALayout)
{
    Build(ViewLayout(L"").c_str());
    m_list = Find<SMCListView>(L"list");
    ASSERT_TRUE(m_list);
    auto adapter = SAutoRef<GrowingRowsAdapter>::Adopt(new GrowingRowsAdapter);
    ASSERT_TRUE(m_list->SetAdapter(adapter.Get()));   // returns: the passes are bounded
    EXPECT_GT(m_list->GetVisibleCount(), 0);
    EXPECT_TRUE(m_list->OnScroll(TRUE, SB_PAGEDOWN, 0));
    EXPECT_GT(m_list->GetVisibleCount(), 0);
    // The range covers the rows as they were measured last.
    EXPECT_EQ(m_list->GetItemLocator()->QueryTotalHeight() - 1, m_list->GetScrollInfo(TRUE).nMax);
}
