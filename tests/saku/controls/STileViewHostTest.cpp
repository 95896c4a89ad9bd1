// A tile view of a hundred tiles in a real host window, under the display
// server's mouse and keyboard: a click selects a tile with both selection events
// and gives the host one command of the tile, the arrows and End select without
// events, the host window resized re-places every visible tile, and only the
// visible tiles ever get panels.

#include "../core/HostTest.h"
#include "../render/RenderTestSupport.h"
#include "ListTestAdapter.h"

#include "controls/SItemPanel.h"
#include "controls/STileView.h"
#include "controls/STileViewItemLocator.h"
#include "core/Events.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

// Counts the tile commands that reach the host, and the selection events.
class TileHost : public SHostWnd {
public:
    int tileCommands = 0;
    int changing = 0;
    int changed = 0;

    BOOL HandleEvent(EventArgs* args) override
    {
        if (auto* const wrapped = SObjCast<EventOfPanel>(args)) {
            if (wrapped->origin->GetID() == EventCmd::EventID)
                ++tileCommands;
        }
        if (args->GetID() == EventLVSelChanging::EventID)
            ++changing;
        if (args->GetID() == EventLVSelChanged::EventID)
            ++changed;
        return SHostWnd::HandleEvent(args);
    }
};

// A view 20 pixels in from every edge of a host of 348 x 240: 308 x 200, its bar
// 8 wide, so three columns of tiles 90 x 40 with margins of 10 (rows 50 apart).
const wchar_t kLayout[] =
    L"<SAKU width='348' height='240' wndType='normal'>"
    L"<skin><scrollbar name='bar' src='png:sbar_cells'/></skin>"
    L"<root colorBkgnd='#FFFFFFFF'>"
    L"<tileview name='tiles' pos='20,20,-20,-20' margin='0' sbSkin='bar' marginSize='10' colorBkgnd='#404040'>"
    L"<template itemWidth='90' itemHeight='40'>"
    L"<item colorNormal='#E0E0E0' colorHover='#00FF00' colorSelected='#0000FF'>"
    L"<window name='label' pos='2,2,@10,@10' colorBkgnd='#FF0000'/>"
    L"</item></template></tileview></root></SAKU>";

class STileViewHostTest : public HostTest {
protected:
    void Drive(const std::string& arguments)
    {
        StartXdotool(arguments);
        ASSERT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
        Pump();
    }
    // Every visible tile's panel lies where the locator puts its tile now.
    static void ExpectTilesInPlace(STileView* tiles)
    {
        const RECT client = tiles->GetClientRect();
        for (int i = tiles->GetFirstVisibleIndex(); i < tiles->GetFirstVisibleIndex() + tiles->GetVisibleCount(); ++i) {
            SCOPED_TRACE(i);
            SItemPanel* const panel = tiles->GetItemPanel(i);
            ASSERT_NE(nullptr, panel);
            RECT expected = tiles->GetItemLocator()->GetItemRect(i);
            ::OffsetRect(&expected, client.left, client.top - tiles->GetScrollPos(TRUE));
            const RECT rect = panel->GetItemRect();
            EXPECT_EQ(expected.left, rect.left);
            EXPECT_EQ(expected.top, rect.top);
        }
    }
};

}  // namespace

TEST_F(STileViewHostTest, RealInputSelectsScrollsAndResizesAHundredTiles)
{
    TileHost host;
    ASSERT_TRUE(LoadLayout(host, kLayout));
    const HWND window = host.GetHwnd();
    auto* const tiles = host.FindChildByName2<STileView>(L"tiles");
    ASSERT_NE(nullptr, tiles);
    auto adapter = SAutoRef<ListTestAdapter>::Adopt(new ListTestAdapter(100));
    ASSERT_TRUE(tiles->SetAdapter(adapter.Get()));
    ShowInFront(host);
    ASSERT_EQ(3, tiles->GetItemLocator()->GetColumnCount());
    ASSERT_EQ(12, tiles->GetVisibleCount());
    int mostVisible = tiles->GetVisibleCount();

    // A click on tile 4 (the middle of the second row): selected with both events,
    // and one command of the tile for the host.
    Drive("mousemove " + Xy(OnScreen(window, POINT{20 + 155, 20 + 80})) + " sleep 0.3 click 1 sleep 0.3");
    EXPECT_EQ(4, tiles->GetSel());
    EXPECT_EQ(1, host.changing);
    EXPECT_EQ(1, host.changed);
    EXPECT_EQ(1, host.tileCommands);
    EXPECT_TRUE(tiles->IsFocused());

    // The keys select without events.
    Drive("key Right sleep 0.2 key Down sleep 0.2 key Down sleep 0.3");
    EXPECT_EQ(11, tiles->GetSel());
    Drive("key Left sleep 0.2 key Up sleep 0.3");
    EXPECT_EQ(7, tiles->GetSel());
    EXPECT_EQ(1, host.changing);
    EXPECT_EQ(1, host.changed);

    // End: the bottom, and the last tile. 34 rows: 1710 high, scrolled to 1510.
    Drive("key End sleep 0.3");
    mostVisible = std::max(mostVisible, tiles->GetVisibleCount());
    EXPECT_EQ(99, tiles->GetSel());
    EXPECT_EQ(1709, tiles->GetScrollInfo(TRUE).nMax);
    EXPECT_EQ(1510, tiles->GetScrollPos(TRUE));
    EXPECT_FALSE(tiles->HasScrollBar(FALSE));
    EXPECT_EQ(1, host.changing);

    // The host made 100 pixels wider: four columns, every visible tile re-placed,
    // the view still at its end.
    RECT frame = {};
    ::GetWindowRect(window, &frame);
    ::SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + 100, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    ASSERT_EQ(408, tiles->GetWindowRect().right - tiles->GetWindowRect().left);
    EXPECT_EQ(4, tiles->GetItemLocator()->GetColumnCount());
    EXPECT_EQ(1060, tiles->GetScrollPos(TRUE));   // 25 rows: 1260 high less the page of 200
    mostVisible = std::max(mostVisible, tiles->GetVisibleCount());
    ExpectTilesInPlace(tiles);
    ASSERT_NE(nullptr, tiles->GetItemPanel(99));
    EXPECT_TRUE(tiles->GetItemPanel(99)->GetState() & WndState_Check);

    // Home by the keyboard, then a click on tile 5 in its new place (second row, second column).
    Drive("key Home sleep 0.3");
    EXPECT_EQ(0, tiles->GetSel());
    Drive("mousemove " + Xy(OnScreen(window, POINT{20 + 155, 20 + 80})) + " sleep 0.3 click 1 sleep 0.3");
    EXPECT_EQ(5, tiles->GetSel());
    EXPECT_EQ(2, host.changing);
    EXPECT_EQ(2, host.changed);

    EXPECT_LE(adapter->PanelsMade(), mostVisible + 2);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    KeepPng(host.GetCacheTarget(), L"TIVALA_PAINT_PNG", L"tile_view_host");
    const int width = 448;
    const Pixels pixels = ReadPixels(host.GetCacheTarget());
    EXPECT_EQ(0xFF0000FFu, PixelAt(pixels, width, 20 + 150, 20 + 90));   // tile 5, selected
    EXPECT_EQ(0xFFE0E0E0u, PixelAt(pixels, width, 20 + 350, 20 + 40));   // tile 3, the fourth column
    EXPECT_EQ(0xFF404040u, PixelAt(pixels, width, 20 + 5, 20 + 5));      // the margin shows the view
    DestroyHost(host);
}
