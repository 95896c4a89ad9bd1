// A tree control in a real host window under the display server's mouse: a
// click on a check box checks the item and its children, a double click on it
// leaves its value as it was and toggles the expansion, unless a listener of the
// double click vetoes that; a click on the toggle collapses.

#include "../core/HostTest.h"
#include "../render/RenderTestSupport.h"
#include "ControlTest.h"   // CellColour

#include "controls/STreeCtrl.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

// Rows of 40 px with the 8 x 40 cells as toggle and check box; P on the first row
// with three children.
const wchar_t kLayout[] =
    L"<SAKU width='240' height='220' wndType='normal'>"
    L"<skin><imglist name='cells' src='png:sbar_cells' states='9'/>"
    L"<scrollbar name='bar' src='png:sbar_cells'/></skin>"
    L"<root colorBkgnd='#FFFFFFFF'>"
    L"<treectrl name='tree' pos='10,10,@200,@200' margin='0' sbSkin='bar' itemHeight='40' indent='10' "
    L"checkBox='1' toggleSkin='cells' checkSkin='cells' colorItemSelBkgnd='#0000FF'>"
    L"<item text='P'><item text='alpha'/><item text='beta'/><item text='gamma'/></item>"
    L"</treectrl></root></SAKU>";

struct TreeClicks {
    int doubleClicks = 0;
    int checks = 0;
    bool veto = false;
    BOOL OnDbClick(EventTCDbClick* event)
    {
        ++doubleClicks;
        event->cancel = veto;
        return TRUE;
    }
    BOOL OnCheck(EventTCCheckState*)
    {
        ++checks;
        return TRUE;
    }
};

using STreeCtrlHostTest = HostTest;

}  // namespace

TEST_F(STreeCtrlHostTest, ADoubleClickOnACheckBoxKeepsItsValueAndTogglesTheItem)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, kLayout));
    const HWND window = host.GetHwnd();
    auto* const tree = host.FindChildByName2<STreeCtrl>(L"tree");
    ASSERT_NE(nullptr, tree);
    TreeClicks clicks;
    tree->GetEventSet()->SubscribeEvent(EventTCDbClick::EventID, Subscriber(&TreeClicks::OnDbClick, &clicks));
    tree->GetEventSet()->SubscribeEvent(EventTCCheckState::EventID, Subscriber(&TreeClicks::OnCheck, &clicks));
    ::SetCursorPos(0, 0);
    ShowInFront(host);
    const HSTREEITEM p = tree->GetRootItem();
    const HSTREEITEM beta = tree->GetNextSiblingItem(tree->GetChildItem(p));
    ASSERT_EQ(4 * 40, tree->GetViewSize().cy);
    const std::string box = Xy(OnScreen(window, POINT{10 + 8 + 4, 10 + 20}));

    // One click on P's box checks P and its children.
    Drive("mousemove " + box + " sleep 0.3 click 1 sleep 0.6");
    EXPECT_TRUE(tree->GetCheckState(p));
    EXPECT_TRUE(tree->GetCheckState(beta));
    EXPECT_EQ(1, clicks.checks);
    EXPECT_EQ(p, tree->GetSelectedItem());

    // A double click: the box takes both presses, the item collapses.
    Drive("click --repeat 2 --delay 80 1 sleep 0.6");
    EXPECT_EQ(1, clicks.doubleClicks);
    EXPECT_TRUE(tree->GetCheckState(p));
    EXPECT_TRUE(tree->GetCheckState(beta));
    EXPECT_EQ(40, tree->GetViewSize().cy);

    // Vetoed, the double click leaves the expansion alone.
    clicks.veto = true;
    Drive("sleep 0.6 click --repeat 2 --delay 80 1 sleep 0.6");
    EXPECT_EQ(2, clicks.doubleClicks);
    EXPECT_TRUE(tree->GetCheckState(p));
    EXPECT_EQ(40, tree->GetViewSize().cy);

    // The toggle expands again; beta's box alone unchecks beta.
    Drive("mousemove " + Xy(OnScreen(window, POINT{10 + 4, 10 + 20})) + " sleep 0.3 click 1 sleep 0.6");
    EXPECT_EQ(4 * 40, tree->GetViewSize().cy);
    Drive("mousemove " + Xy(OnScreen(window, POINT{10 + 10 + 8 + 4, 10 + 2 * 40 + 20})) + " sleep 0.3 click 1 sleep 0.6");
    EXPECT_FALSE(tree->GetCheckState(beta));
    EXPECT_TRUE(tree->GetCheckState(p));   // part-checked
    Drive("mousemove " + Xy(OnScreen(window, POINT{150, 215})) + " sleep 0.3");

    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    KeepPng(host.GetCacheTarget(), L"TIVALA_PAINT_PNG", L"tree_ctrl_host");
    const auto pixels = ReadPixels(host.GetCacheTarget());
    EXPECT_EQ(CellColour(6), PixelAt(pixels, 240, 10 + 8 + 3, 10 + 2)) << "P's box part-checked";
    EXPECT_EQ(CellColour(0), PixelAt(pixels, 240, 10 + 10 + 8 + 3, 10 + 2 * 40 + 2)) << "beta's box unchecked";
    DestroyHost(host);
}
