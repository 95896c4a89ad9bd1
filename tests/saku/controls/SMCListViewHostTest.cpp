// A multi-column list view of a hundred rows in a real host window, under the
// display server's mouse and keyboard: keys select with both events and take only
// the visible rows' panels to the end; a dragged divider re-places a column in
// every row while the button is held; two header items dragged one onto the
// other swap their windows in every row, each keeping its data; a header click
// sorts; a click below the rows clears the selection.

#include "../core/HostTest.h"
#include "../render/RenderTestSupport.h"
#include "HeaderTest.h"
#include "ListTestAdapter.h"
#include "MCListTestAdapter.h"

#include "controls/SHeaderCtrl.h"
#include "controls/SItemPanel.h"
#include "controls/SMCListView.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// A view of 300 x 225 at (10, 10) under a header of 25: a list area of 200, rows
// of 50, four of them at a time; the header's items of 100 and 150.
const wchar_t kLayout[] =
    L"<SAKU width='320' height='245' wndType='normal'>"
    L"<skin><colorrect name='four' normal='#ff0000' hover='#00ff00' pushdown='#0000ff' disable='#808080'/></skin>"
    L"<root colorBkgnd='#FFFFFFFF'>"
    L"<mclistview name='list' pos='10,10,@300,@225' margin='0' headerHeight='25'>"
    L"<header name='header' margin='0' itemSkin='four'><items>"
    L"<item width='100'>first</item><item width='150'>second</item></items></header>"
    L"<template itemHeight='50'><item colorNormal='#FFFFFF' colorSelected='#0000FF'>"
    L"<text name='col0' colorBkgnd='#FFC0C0'/><text name='col1' colorBkgnd='#C0FFC0'/>"
    L"</item></template></mclistview></root></SAKU>";

using Selections = std::vector<std::pair<int, int>>;

class SMCListViewHostTest : public HostTest {
protected:
    std::string At(SHostWnd& host, int x, int y) { return Xy(OnScreen(host.GetHwnd(), POINT{x, y})); }
    void Click(SHostWnd& host, int x, int y) { Drive("mousemove " + At(host, x, y) + " sleep 0.3 click 1 sleep 0.3"); }
    // Every visible row has its column windows at these places in it, each
    // showing its own data column of its own row.
    static void ExpectColumns(SMCListView* list, const std::string& col0, const std::string& col1)
    {
        ASSERT_GT(list->GetVisibleCount(), 0);
        for (int i = list->GetFirstVisibleIndex(); i < list->GetFirstVisibleIndex() + list->GetVisibleCount(); ++i) {
            SItemPanel* const panel = list->GetItemPanel(i);
            ASSERT_TRUE(panel) << i;
            for (int column = 0; column < 2; ++column) {
                SWindow* const cell = panel->FindChildByName((L"col" + std::to_wstring(column)).c_str());
                ASSERT_TRUE(cell);
                const RECT rect = cell->GetWindowRect();
                EXPECT_EQ(column ? col1 : col0, std::to_string(rect.left) + ".." + std::to_string(rect.right) + " " +
                                                    std::to_string(rect.bottom - rect.top))
                    << i << " " << column;
                EXPECT_EQ(MCListTestAdapter::Text(i, column), cell->GetWindowText().c_str()) << i << " " << column;
            }
        }
    }
    static int SortMark(SHeaderCtrl* header, int index)
    {
        SHeaderItem item;
        item.mask = kHeaderMaskSort;
        header->GetItem(index, &item);
        return item.sortFlag;
    }
};

}  // namespace

TEST_F(SMCListViewHostTest, RealInputOnAHundredRows)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, kLayout));
    auto* const list = host.FindChildByName2<SMCListView>(L"list");
    ASSERT_NE(nullptr, list);
    SHeaderCtrl* const header = list->GetHeaderCtrl();
    ASSERT_NE(nullptr, header);
    auto adapter = SAutoRef<MCListTestAdapter>::Adopt(new MCListTestAdapter(100));
    ASSERT_TRUE(list->SetAdapter(adapter.Get()));
    SelectionLog selection;
    selection.Listen(list);
    ShowInFront(host);
    list->SetFocus();
    Pump();
    ASSERT_EQ(4, list->GetVisibleCount());
    ExpectColumns(list, "0..100 50", "100..250 50");

    // Down with no selection: row 0, with both events.
    Drive("key Down sleep 0.3");
    EXPECT_EQ(0, list->GetSel());
    EXPECT_EQ((Selections{{-1, 0}}), selection.changing);
    EXPECT_EQ((Selections{{-1, 0}}), selection.changed);

    // End: to the bottom, the last visible row; no more panels than the rows shown + 2.
    Drive("key End sleep 0.3");
    EXPECT_EQ(100 * 50 - 200, list->GetScrollPos(TRUE));
    EXPECT_EQ(99, list->GetSel());
    EXPECT_EQ((Selections{{-1, 0}, {0, 99}}), selection.changed);
    EXPECT_LE(adapter->PanelsMade(), 4 + 2);
    EXPECT_LE(list->GetPanelCount(), 4 + 2);
    Drive("key Home sleep 0.3");
    EXPECT_EQ(0, list->GetScrollPos(TRUE));
    EXPECT_EQ(0, list->GetSel());
    EXPECT_LE(adapter->PanelsMade(), 4 + 2);

    // A click on header item 1 sorts by its data column, the marks as the adapter says.
    adapter->sortAnswer = TRUE;
    adapter->sortFlagsOut = {0, 2};
    const RECT item1 = header->GetItemRect(1);
    ASSERT_EQ(10 + 100, item1.left);
    Click(host, item1.left + 75, 10 + 12);
    ASSERT_EQ(1u, adapter->sorts.size());
    EXPECT_EQ(1, adapter->sorts[0].column);
    EXPECT_EQ((std::vector<int>{0, 0}), adapter->sorts[0].flagsIn);
    EXPECT_EQ(0, SortMark(header, 0));
    EXPECT_EQ(2, SortMark(header, 1));
    // Refused: the marks stay.
    adapter->sortAnswer = FALSE;
    adapter->sortFlagsOut = {1, 0};
    Click(host, item1.left + 75, 10 + 12);
    ASSERT_EQ(2u, adapter->sorts.size());
    EXPECT_EQ((std::vector<int>{0, 2}), adapter->sorts[1].flagsIn);
    EXPECT_EQ(0, SortMark(header, 0));
    EXPECT_EQ(2, SortMark(header, 1));

    // Divider 0 dragged to 120: column 1 follows in every row while the button is held.
    const int divider = header->GetItemRect(0).right - 2;
    Drive("mousemove " + At(host, divider, 10 + 12) + " sleep 0.3 mousedown 1 sleep 0.3 mousemove " +
          At(host, divider + 20, 10 + 12) + " sleep 0.3");
    EXPECT_EQ(120, header->GetItemWidth(0));
    ExpectColumns(list, "0..120 50", "120..270 50");
    Drive("mouseup 1 sleep 0.3");
    EXPECT_EQ(120, header->GetItemWidth(0));
    ExpectColumns(list, "0..120 50", "120..270 50");

    // Item 0 dropped onto item 1: the windows swap in every row, each with its data.
    Drive("mousemove " + At(host, 10 + 60, 10 + 12) + " sleep 0.3 mousedown 1 sleep 0.3 mousemove " +
          At(host, 10 + 150, 10 + 12) + " sleep 0.3 mousemove " + At(host, 10 + 195, 10 + 12) +
          " sleep 0.3 mouseup 1 sleep 0.3");
    EXPECT_EQ(L"1 0", Orders(header));
    ExpectColumns(list, "150..270 50", "0..150 50");
    EXPECT_EQ(3u, selection.changed.size());   // Down, End and Home: the header's presses select no row

    // Three rows: a click on row 1, then one below the rows clears it, both with events.
    adapter->SetCount(3);
    adapter->NotifyDataSetChanged();
    Click(host, 50, 10 + 25 + 75);
    EXPECT_EQ(1, list->GetSel());
    Click(host, 50, 10 + 25 + 175);
    EXPECT_EQ(-1, list->GetSel());
    EXPECT_EQ((std::pair<int, int>{1, -1}), selection.changing.back());
    EXPECT_EQ((std::pair<int, int>{1, -1}), selection.changed.back());
    Click(host, 50, 10 + 25 + 25);
    EXPECT_EQ(0, list->GetSel());

    ::RedrawWindow(host.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    KeepPng(host.GetCacheTarget(), L"TIVALA_PAINT_PNG", L"mclist_view_host");
    const Pixels pixels = ReadPixels(host.GetCacheTarget());
    EXPECT_EQ(0xFFC0FFC0u, PixelAt(pixels, 320, 10 + 140, 10 + 25 + 40));   // row 0, data column 1, first now
    EXPECT_EQ(0xFFFFC0C0u, PixelAt(pixels, 320, 10 + 260, 10 + 25 + 40));   // row 0, data column 0
    EXPECT_EQ(0xFFFFFFFFu, PixelAt(pixels, 320, 10 + 100, 10 + 25 + 175));  // below the rows
    DestroyHost(host);
}
