// The tab control in a real host window: a click of the display server's mouse
// on a tab switches the page, and the host's timeline timer runs the slide to its end.

#include "../core/HostTest.h"

#include "controls/STabCtrl.h"
#include "controls/STabPage.h"

#include <string>

using namespace SAKU;
using namespace saku_test;

class STabCtrlHostTest : public HostTest {};

TEST_F(STabCtrlHostTest, ARealClickOnATabSlidesToItsPage)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host,
                           L"<SAKU width='200' height='150' wndType='normal'><root colorBkgnd='#FFFFFFFF'>"
                           L"<tabctrl name='tabs' pos='10,10,@180,@120' tabSkin='states' animateSteps='10'>"
                           L"<page colorBkgnd='#FFFFFF00'/><page colorBkgnd='#FF00FFFF'/>"
                           L"</tabctrl></root></SAKU>"));
    ::ShowWindow(host.GetHwnd(), SW_SHOWNORMAL);
    Pump();
    auto* const tab = host.FindChildByName2<STabCtrl>(L"tabs");
    ASSERT_TRUE(tab);
    ASSERT_EQ(0, tab->GetCurSel());

    const POINT second = OnScreen(host.GetHwnd(), POINT{55, 25});   // the second 30 x 30 tab
    StartXdotool("mousemove " + std::to_string(second.x) + " " + std::to_string(second.y) +
                 " sleep 0.3 click 1");
    ASSERT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
    EXPECT_TRUE(PumpUntil([&] { return tab->GetCurSel() == 1 && !tab->IsSliding(); }));
    EXPECT_FALSE(tab->GetItem(0)->IsVisible(TRUE));
    EXPECT_TRUE(tab->GetItem(1)->IsVisible(TRUE));
    DestroyHost(host);
}
