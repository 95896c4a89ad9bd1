// A tree view in a real host window under the display server's mouse and
// keyboard: a press below the rows focuses the view without selecting, the keys
// select with both events, expand and collapse, Page Down scrolls only, a click
// selects a row and focuses the window inside it, and a press below the rows
// takes that focus away again.

#include "../core/HostTest.h"
#include "../render/RenderTestSupport.h"
#include "TreeTestAdapter.h"

#include "controls/SItemPanel.h"
#include "controls/STreeView.h"
#include "core/CFocusManager.h"
#include "core/Events.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// Logs the selection events that reach the host: 14000 as 'c', 14001 as 'C'.
class TreeHost : public SHostWnd {
public:
    std::string events;

    BOOL HandleEvent(EventArgs* args) override
    {
        if (args->GetID() == EventTVSelChanging::EventID)
            events += 'c';
        if (args->GetID() == EventTVSelChanged::EventID)
            events += 'C';
        return SHostWnd::HandleEvent(args);
    }
};

// A view 20 pixels in from every edge of a host of 300 x 260: 260 x 220, rows of
// 50 whose label can take the focus.
const wchar_t kLayout[] =
    L"<SAKU width='300' height='260' wndType='normal'>"
    L"<skin><scrollbar name='bar' src='png:sbar_cells'/></skin>"
    L"<root colorBkgnd='#FFFFFFFF'>"
    L"<treeview name='tree' pos='20,20,-20,-20' margin='0' sbSkin='bar' colorBkgnd='#404040'>"
    L"<template>"
    L"<item colorNormal='#E0E0E0' colorHover='#00FF00' colorSelected='#0000FF'>"
    L"<window name='label' pos='2,2,@20,@20' colorBkgnd='#FF0000' focusable='1'/>"
    L"</item></template></treeview></root></SAKU>";

}  // namespace

class STreeViewHostTest : public HostTest {};

TEST_F(STreeViewHostTest, RealInputSelectsExpandsScrollsAndMovesTheFocus)
{
    TreeHost host;
    ASSERT_TRUE(LoadLayout(host, kLayout));
    const HWND window = host.GetHwnd();
    auto* const tree = host.FindChildByName2<STreeView>(L"tree");
    ASSERT_NE(nullptr, tree);
    // A (collapsed; a1, a2), B, C.
    auto adapter = SAutoRef<TreeTestAdapter>::Adopt(new TreeTestAdapter);
    const HSTREEITEM a = adapter->Insert(TREE_ITEM_ROOT, L"A", false, SIZE{200, 50});
    const HSTREEITEM a1 = adapter->Insert(a, L"a1", false, SIZE{200, 50});
    adapter->Insert(a, L"a2", false, SIZE{200, 50});
    const HSTREEITEM b = adapter->Insert(TREE_ITEM_ROOT, L"B", false, SIZE{200, 50});
    adapter->Insert(TREE_ITEM_ROOT, L"C", false, SIZE{200, 50});
    ASSERT_TRUE(tree->SetAdapter(adapter.Get()));
    ShowInFront(host);
    ASSERT_EQ(3, tree->GetVisibleCount());
    const auto at = [&](int x, int y) { return Xy(OnScreen(window, POINT{20 + x, 20 + y})); };
    const auto labelFocused = [&](HSTREEITEM item) {
        SItemPanel* const panel = tree->GetItemPanel(item);
        return panel && panel->GetFocusManager()->GetFocusedWindow() == panel->FindChildByName(L"label");
    };

    // Below the rows: the view takes the focus, nothing is selected.
    Drive("mousemove " + at(100, 190) + " sleep 0.3 click 1 sleep 0.3");
    EXPECT_TRUE(tree->IsFocused());
    EXPECT_EQ(0u, tree->GetSel());
    EXPECT_EQ("", host.events);

    Drive("key Up sleep 0.3");
    EXPECT_EQ(a, tree->GetSel());
    EXPECT_EQ("cC", host.events);

    // A click on B's label: B selected, its label focused; a press below the rows
    // takes the focus from the label and keeps the selection.
    host.events.clear();
    Drive("mousemove " + at(10, 60) + " sleep 0.3 click 1 sleep 0.3");
    EXPECT_EQ(b, tree->GetSel());
    EXPECT_EQ("cC", host.events);
    EXPECT_TRUE(labelFocused(b));
    Drive("mousemove " + at(100, 190) + " sleep 0.3 click 1 sleep 0.3");
    EXPECT_EQ(b, tree->GetSel());
    EXPECT_FALSE(labelFocused(b));
    EXPECT_TRUE(tree->IsFocused());

    const struct {
        const char* keys;
        HSTREEITEM selected;
        std::vector<UINT> codes;
        const char* events;
        int position;
    } steps[] = {
        {"Up", a, {}, "cC", 0},
        {"Right", a, {2}, "", 0},        // expanded, selection kept
        {"Right", a1, {2}, "cC", 0},
        {"Left", a, {2}, "cC", 0},       // a1 is a leaf: the item above
        {"Next", a, {2}, "", 30},        // five rows of 50 in 220: scrolled to the end only
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.keys);
        host.events.clear();
        Drive(std::string("key ") + s.keys + " sleep 0.3");
        EXPECT_EQ(s.selected, tree->GetSel());
        EXPECT_EQ(s.codes, adapter->ExpandCodes());
        EXPECT_EQ(s.events, host.events);
        EXPECT_EQ(s.position, tree->GetScrollPos(TRUE));
    }
    EXPECT_LE(adapter->PanelsMade(), 5 + 2);
    EXPECT_EQ(0, adapter->StaleHandles());

    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    KeepPng(host.GetCacheTarget(), L"TIVALA_PAINT_PNG", L"tree_view_host");
    const Pixels pixels = ReadPixels(host.GetCacheTarget());
    EXPECT_EQ(0xFF0000FFu, PixelAt(pixels, 300, 20 + 100, 20 + 10));   // A, selected, its bottom 20 at the top
    EXPECT_EQ(0xFFE0E0E0u, PixelAt(pixels, 300, 20 + 100, 20 + 40));   // a1, 10 in
    EXPECT_EQ(0xFF404040u, PixelAt(pixels, 300, 20 + 5, 20 + 40));     // the indent shows the view
    DestroyHost(host);
}
