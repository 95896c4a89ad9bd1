// The tile view in a windowless host: the locator its template makes (and none
// for tiles that take no room), the scroll range that the columns and the bar
// settle between them, a view scrolled to its end staying there, tiles recycled
// with a bounded number of panels, tiles re-placed when the view is resized, a
// click selecting with both events, and the tiles painted in pixels.

#include "ListTestAdapter.h"
#include "PanelTest.h"

#include "controls/SItemPanel.h"
#include "controls/STileView.h"
#include "controls/STileViewItemLocator.h"
#include "core/Events.h"

#include <algorithm>
#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

// A tile view at (0, 0) of `width` x `height` whose bar is 8 wide, tiles of the
// template's size with a margin of 10.
std::wstring TileLayout(int width, int height, const wchar_t* templateAttributes = L"itemWidth='90' itemHeight='90'")
{
    return L"<w><tileview name='tiles' pos='0,0,@" + std::to_wstring(width) + L",@" + std::to_wstring(height) +
           L"' margin='0' sbSkin='bar' marginSize='10'><template " + templateAttributes +
           L"><item colorNormal='#ffffff' colorHover='#00ff00' colorSelected='#0000ff'>"
           L"<window name='label' pos='2,2,@10,@10' colorBkgnd='#ff0000'/>"
           L"</item></template></tileview></w>";
}

struct EventCount {
    int changing = 0;
    int changed = 0;
    BOOL OnChanging(EventArgs*)
    {
        ++changing;
        return TRUE;
    }
    BOOL OnChanged(EventArgs*)
    {
        ++changed;
        return TRUE;
    }
};

}  // namespace

class STileViewTest : public PanelTest {
protected:
    void TearDown() override
    {
        m_tiles = nullptr;
        m_adapter = nullptr;
        PanelTest::TearDown();
    }

    void MakeTiles(const std::wstring& layout, int count)
    {
        Build(layout.c_str());
        m_tiles = Find<STileView>(L"tiles");
        ASSERT_TRUE(m_tiles);
        m_adapter = SAutoRef<ListTestAdapter>::Adopt(new ListTestAdapter(count));
        ASSERT_TRUE(m_tiles->SetAdapter(m_adapter.Get()));
        m_tiles->GetEventSet()->SubscribeEvent(EventLVSelChanging::EventID, Subscriber(&EventCount::OnChanging, &m_events));
        m_tiles->GetEventSet()->SubscribeEvent(EventLVSelChanged::EventID, Subscriber(&EventCount::OnChanged, &m_events));
    }
    // Every visible tile's panel lies where the locator puts its tile.
    void ExpectTilesInPlace()
    {
        const RECT client = m_tiles->GetClientRect();
        const int position = m_tiles->GetScrollPos(TRUE);
        for (int i = m_tiles->GetFirstVisibleIndex(); i < m_tiles->GetFirstVisibleIndex() + m_tiles->GetVisibleCount(); ++i) {
            SCOPED_TRACE(i);
            SItemPanel* const panel = m_tiles->GetItemPanel(i);
            ASSERT_TRUE(panel);
            RECT expected = m_tiles->GetItemLocator()->GetItemRect(i);
            ::OffsetRect(&expected, client.left, client.top - position);
            const RECT rect = panel->GetItemRect();
            EXPECT_EQ(expected.left, rect.left);
            EXPECT_EQ(expected.top, rect.top);
            EXPECT_EQ(expected.right, rect.right);
            EXPECT_EQ(expected.bottom, rect.bottom);
        }
    }

    STileView* m_tiles = nullptr;
    SAutoRef<ListTestAdapter> m_adapter;
    EventCount m_events;
};

TEST_F(STileViewTest, AnAdapterNeedsATemplateWhoseTilesTakeRoom)
{
    const struct {
        const wchar_t* layout;
        BOOL taken;
    } cases[] = {
        {L"<w><tileview name='tiles' pos='0,0,@100,@100'/></w>", FALSE},
        {L"<w><tileview name='tiles' pos='0,0,@100,@100'><template itemWidth='0' itemHeight='20'/></tileview></w>", FALSE},
        {L"<w><tileview name='tiles' pos='0,0,@100,@100'><template itemWidth='20' itemHeight='0'/></tileview></w>", FALSE},
        {L"<w><tileview name='tiles' pos='0,0,@100,@100' marginSize='4'><template itemWidth='0' itemHeight='0'/>"
         L"</tileview></w>", TRUE},
        {L"<w><tileview name='tiles' pos='0,0,@100,@100'><template/></tileview></w>", TRUE},   // 10dp each
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout);
        Build(c.layout);
        auto* const tiles = Find<STileView>(L"tiles");
        ASSERT_TRUE(tiles);
        auto adapter = SAutoRef<ListTestAdapter>::Adopt(new ListTestAdapter(5));
        EXPECT_EQ(c.taken, tiles->SetAdapter(adapter.Get()));
        EXPECT_EQ(c.taken ? adapter.Get() : nullptr, tiles->GetAdapter());
        Paint();   // nothing drawn without a locator, and nothing divided by nothing
        tiles->SendSwndMessage(WM_KEYDOWN, VK_DOWN, 0);
        tiles->DestroyWindow();
    }
}

TEST_F(STileViewTest, TheRangeEndsAtTheTotalLessThePageAndAViewAtItsEndStaysThere)
{
    // 308 wide less the bar: 3 columns; 10 tiles in 4 rows: 410 high.
    MakeTiles(TileLayout(308, 200), 10);
    EXPECT_EQ(3, m_tiles->GetItemLocator()->GetColumnCount());
    EXPECT_TRUE(m_tiles->HasScrollBar(TRUE));
    EXPECT_FALSE(m_tiles->HasScrollBar(FALSE));
    EXPECT_EQ(409, m_tiles->GetScrollInfo(TRUE).nMax);
    EXPECT_EQ(200u, m_tiles->GetScrollInfo(TRUE).nPage);
    m_tiles->OnScroll(TRUE, SB_BOTTOM, 0);
    EXPECT_EQ(210, m_tiles->GetScrollPos(TRUE));
    EXPECT_TRUE(m_tiles->GetItemPanel(9));
    m_adapter->NotifyDataSetChanged();   // laid out again: still at the end
    EXPECT_EQ(210, m_tiles->GetScrollPos(TRUE));
    const RECT taller = {0, 0, 308, 250};
    m_tiles->Move(&taller);
    EXPECT_EQ(160, m_tiles->GetScrollPos(TRUE));
    ExpectTilesInPlace();
}

TEST_F(STileViewTest, TheBarAndTheColumnsSettle)
{
    // 300 wide: 3 columns without the bar, 2 with it.
    const struct {
        int count;
        bool bar;
        int columns;
        int total;
    } cases[] = {
        {3, false, 3, 110},   // one row fits
        {4, true, 2, 210},    // two rows of three overflow; under the bar, two of two
        {6, true, 2, 310},
        {20, true, 2, 1010},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        MakeTiles(TileLayout(300, 200), c.count);
        EXPECT_EQ(c.bar, m_tiles->HasScrollBar(TRUE) != FALSE);
        EXPECT_EQ(c.columns, m_tiles->GetItemLocator()->GetColumnCount());
        EXPECT_EQ(c.total, m_tiles->GetItemLocator()->GetTotalHeight());
        EXPECT_EQ(c.bar ? c.total - 1 : 199, m_tiles->GetScrollInfo(TRUE).nMax);
        // Laid out again, the same.
        m_adapter->NotifyDataSetChanged();
        EXPECT_EQ(c.columns, m_tiles->GetItemLocator()->GetColumnCount());
        ExpectTilesInPlace();
        m_tiles->DestroyWindow();
    }
}

TEST_F(STileViewTest, AHundredTilesMakeOnlyTheVisiblePanels)
{
    const struct {
        int width;
        int columns;
    } cases[] = {
        {108, 1},   // 100 rows of 50 in a page of 200
        {308, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        MakeTiles(TileLayout(c.width, 200, L"itemWidth='90' itemHeight='40'"), 100);
        ASSERT_EQ(c.columns, m_tiles->GetItemLocator()->GetColumnCount());
        int mostVisible = m_tiles->GetVisibleCount();
        int steps = 0;
        while (m_tiles->OnScroll(TRUE, SB_LINEDOWN, 0)) {
            ++steps;
            mostVisible = std::max(mostVisible, m_tiles->GetVisibleCount());
            ASSERT_EQ(m_tiles->GetScrollPos(TRUE) / 50 * c.columns, m_tiles->GetFirstVisibleIndex());
        }
        EXPECT_GT(steps, 0);
        EXPECT_TRUE(m_tiles->GetItemPanel(99));
        EXPECT_EQ(4 * c.columns, mostVisible);   // whole rows at each step
        EXPECT_LE(m_adapter->PanelsMade(), mostVisible + 2);
        // Paging back up from the end shows parts of five rows; that and jumping
        // to the end again take no more than those.
        while (m_tiles->OnScroll(TRUE, SB_PAGEUP, 0))
            mostVisible = std::max(mostVisible, m_tiles->GetVisibleCount());
        m_tiles->OnScroll(TRUE, SB_BOTTOM, 0);
        EXPECT_LE(mostVisible, 5 * c.columns);
        EXPECT_LE(m_adapter->PanelsMade(), mostVisible + 2);
        EXPECT_EQ(m_adapter->PanelsMade(), m_tiles->GetPanelCount());
        ExpectTilesInPlace();
        m_tiles->DestroyWindow();
    }
}

TEST_F(STileViewTest, AResizeRePlacesTheVisibleTiles)
{
    MakeTiles(TileLayout(308, 200), 30);
    ASSERT_EQ(3, m_tiles->GetItemLocator()->GetColumnCount());
    m_tiles->SetSel(4);
    m_tiles->OnScroll(TRUE, SB_THUMBPOSITION, 100);
    const struct {
        int width;
        int columns;
    } cases[] = {
        {408, 4}, {208, 2}, {108, 1}, {308, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        const RECT rect = {0, 0, c.width, 200};
        m_tiles->Move(&rect);
        EXPECT_EQ(c.columns, m_tiles->GetItemLocator()->GetColumnCount());
        EXPECT_EQ(m_tiles->GetScrollPos(TRUE) / 100 * c.columns, m_tiles->GetFirstVisibleIndex());
        ExpectTilesInPlace();
        if (SItemPanel* const selected = m_tiles->GetItemPanel(4)) {
            EXPECT_TRUE(selected->GetState() & WndState_Check);
        }
    }
    EXPECT_EQ(4, m_tiles->GetSel());
}

TEST_F(STileViewTest, AClickSelectsWithBothEventsAndKeysWithNone)
{
    MakeTiles(TileLayout(308, 200), 10);
    const RECT tile = m_tiles->GetItemPanel(4)->GetItemRect();
    Press((tile.left + tile.right) / 2, (tile.top + tile.bottom) / 2);
    Release((tile.left + tile.right) / 2, (tile.top + tile.bottom) / 2);
    EXPECT_EQ(4, m_tiles->GetSel());
    EXPECT_EQ(1, m_events.changing);
    EXPECT_EQ(1, m_events.changed);
    const struct {
        UINT key;
        int selected;
    } keys[] = {
        {VK_RIGHT, 5}, {VK_DOWN, 8}, {VK_DOWN, 9}, {VK_DOWN, 9}, {VK_UP, 6}, {VK_LEFT, 5}, {VK_UP, 2}, {VK_UP, 2},
        {VK_END, 9}, {VK_HOME, 0},
    };
    for (const auto& k : keys) {
        SCOPED_TRACE(k.key);
        m_tiles->SendSwndMessage(WM_KEYDOWN, k.key, 0);
        EXPECT_EQ(k.selected, m_tiles->GetSel());
    }
    EXPECT_EQ(1, m_events.changing);
    EXPECT_EQ(1, m_events.changed);
    m_events.changing = m_events.changed = 0;
    m_tiles->SetSel(-1);
    m_tiles->SendSwndMessage(WM_KEYDOWN, VK_DOWN, 0);   // none selected: the end of the first row
    EXPECT_EQ(2, m_tiles->GetSel());
    m_tiles->SetSel(-1);
    m_tiles->SendSwndMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(0, m_tiles->GetSel());
    EXPECT_EQ(0, m_events.changing);
}

TEST_F(STileViewTest, PaintsItsTilesByState)
{
    MakeTiles(TileLayout(200, 200, L"itemWidth='40' itemHeight='30'"), 40);
    m_tiles->SetSel(1);
    MoveTo(120, 20);   // over tile 2
    Paint();
    Keep(L"tile_view");
    EXPECT_EQ(0xFF000000u | 0xFFFFFF, Pixel(30, 30));            // tile 0
    EXPECT_EQ(0xFFFF0000u, Pixel(13, 13));                        // its label
    EXPECT_EQ(0xFF0000FFu, Pixel(80, 30));                        // tile 1, selected
    EXPECT_EQ(0xFF00FF00u, Pixel(125, 30));                       // tile 2, hovered
    EXPECT_EQ(0u, Pixel(5, 5));                                   // the margin
    EXPECT_EQ(0u, Pixel(30, 45));                                 // between the rows
}
