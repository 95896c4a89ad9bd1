// A list view of a thousand rows in a real host window, under the display
// server's mouse and keyboard: a click selects a row and gives its owner one
// command of the row, the wheel, the keys and a dragged thumb scroll it from top
// to bottom, the selection survives, and only the visible rows ever get panels.

#include "../core/HostTest.h"
#include "../render/RenderTestSupport.h"
#include "ListTestAdapter.h"

#include "controls/SItemPanel.h"
#include "controls/SListView.h"
#include "core/Events.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

// Counts the row commands that reach the host, wrapped for the list.
class ListHost : public SHostWnd {
public:
    int rowCommands = 0;

    BOOL HandleEvent(EventArgs* args) override
    {
        if (auto* const wrapped = SObjCast<EventOfPanel>(args)) {
            if (wrapped->origin->GetID() == EventCmd::EventID)
                ++rowCommands;
        }
        return SHostWnd::HandleEvent(args);
    }
};

// A list of 150 x 100 at (20, 20) with rows of 20: five rows show, the bar is 8
// wide with 8-pixel arrows and the least thumb (18) on its rail of 84.
const wchar_t kLayout[] =
    L"<SAKU width='200' height='150' wndType='normal' sendWheel2Hover='1'>"
    L"<skin><scrollbar name='bar' src='png:sbar_cells'/></skin>"
    L"<root colorBkgnd='#FFFFFFFF'>"
    L"<listview name='list' pos='20,20,@150,@100' margin='0' sbSkin='bar'>"
    L"<template itemHeight='20'><item colorNormal='#E0E0E0' colorHover='#00FF00' colorSelected='#0000FF'>"
    L"<window name='label' pos='2,2,@10,@10' colorBkgnd='#FF0000'/>"
    L"</item></template></listview></root></SAKU>";

using SListViewHostTest = HostTest;

}  // namespace

TEST_F(SListViewHostTest, RealInputSelectsAndScrollsAThousandRows)
{
    ListHost host;
    ASSERT_TRUE(LoadLayout(host, kLayout));
    const HWND window = host.GetHwnd();
    auto* const list = host.FindChildByName2<SListView>(L"list");
    ASSERT_NE(nullptr, list);
    auto adapter = SAutoRef<ListTestAdapter>::Adopt(new ListTestAdapter(1000));
    ASSERT_TRUE(list->SetAdapter(adapter.Get()));
    ShowInFront(host);
    ASSERT_EQ(5, list->GetVisibleCount());

    // A click on the third row: selected, and one command of the row for the host.
    Drive("mousemove " + Xy(OnScreen(window, POINT{90, 20 + 45})) + " sleep 0.3 click 1 sleep 0.3");
    EXPECT_EQ(2, list->GetSel());
    EXPECT_EQ(1, host.rowCommands);
    EXPECT_TRUE(list->IsFocused());

    // Three notches of the wheel: three rows down.
    Drive("click 5 sleep 0.1 click 5 sleep 0.1 click 5 sleep 0.3");
    EXPECT_EQ(60, list->GetScrollPos(TRUE));
    EXPECT_EQ(3, list->GetFirstVisibleIndex());

    // End and Home select the last and the first row, scrolling to them.
    Drive("key End sleep 0.3");
    EXPECT_EQ(999, list->GetSel());
    EXPECT_EQ(995, list->GetFirstVisibleIndex());
    Drive("key Home sleep 0.3");
    EXPECT_EQ(0, list->GetSel());
    EXPECT_EQ(0, list->GetFirstVisibleIndex());
    Drive("key Down sleep 0.1 key Down sleep 0.3");
    EXPECT_EQ(2, list->GetSel());

    // The thumb dragged past the end of its rail: the last rows.
    const RECT bar = list->GetScrollBarRect(TRUE);
    ASSERT_EQ(8, bar.right - bar.left);
    const int x = (bar.left + bar.right) / 2;
    Drive("mousemove " + Xy(OnScreen(window, POINT{x, bar.top + 17})) + " sleep 0.3 mousedown 1 sleep 0.3 mousemove " +
          Xy(OnScreen(window, POINT{x, bar.top + 50})) + " sleep 0.3 mousemove " +
          Xy(OnScreen(window, POINT{x, bar.bottom + 30})) + " sleep 0.3 mouseup 1 sleep 0.3");
    EXPECT_EQ(995, list->GetFirstVisibleIndex());
    EXPECT_TRUE(list->GetItemPanel(999));
    EXPECT_EQ(2, list->GetSel());   // the selection survives scrolling
    EXPECT_EQ(nullptr, list->GetItemPanel(2));

    // And back up by the wheel over the rows: row 2 shows selected again.
    Drive("mousemove " + Xy(OnScreen(window, POINT{90, 60})) + " sleep 0.3 click 4 click 4 click 4 click 4 click 4 "
          "sleep 0.3");
    EXPECT_EQ(990, list->GetFirstVisibleIndex());
    list->EnsureVisible(2);
    Pump();
    ASSERT_NE(nullptr, list->GetItemPanel(2));
    EXPECT_TRUE(list->GetItemPanel(2)->GetState() & WndState_Check);

    EXPECT_LE(adapter->PanelsMade(), 5 + 2);
    EXPECT_EQ(1, host.rowCommands);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    KeepPng(host.GetCacheTarget(), L"TIVALA_PAINT_PNG", L"list_view_host");
    EXPECT_EQ(0xFF0000FFu, PixelAt(ReadPixels(host.GetCacheTarget()), 200, 90, 20 + 15));   // row 2, selected, now at the top
    DestroyHost(host);
}
