#include "HostTest.h"

#include "core/SCaption.h"

#include <string>

using namespace SAKU;
using namespace saku_test;

class SCaptionTest : public HostTest {};

TEST_F(SCaptionTest, DragsItsWindowWithTheRealMouse)
{
    SHostWnd host(L"LAYOUT:HOST_MAIN");
    const HWND window = host.Create(nullptr);
    ASSERT_TRUE(window);
    ::ShowWindow(window, SW_SHOWNORMAL);
    Pump();
    const RECT before = host.CSimpleWnd::GetWindowRect();
    SWindow* const caption = host.FindChildByName(L"caption");
    ASSERT_TRUE(caption && caption->IsClass(L"caption"));
    const POINT grip = OnScreen(window, POINT{170, 20});
    StartXdotool("mousemove " + std::to_string(grip.x) + " " + std::to_string(grip.y) + " sleep 0.5 mousedown 1 sleep 0.3" +
                 " mousemove " + std::to_string(grip.x + 20) + " " + std::to_string(grip.y + 10) + " sleep 0.3" +
                 " mousemove " + std::to_string(grip.x + 40) + " " + std::to_string(grip.y + 30) + " sleep 0.5 mouseup 1");
    ASSERT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
    Pump();
    const RECT after = host.CSimpleWnd::GetWindowRect();
    EXPECT_EQ(before.left + 40, after.left);
    EXPECT_EQ(before.top + 30, after.top);
    EXPECT_EQ(0u, host.OnGetSwndCapture());   // the release that the move loop swallowed reached the tree
    DestroyHost(host);   // the appMain window's end
}

TEST_F(SCaptionTest, DoubleClickMaximisesOnlyAResizableHost)
{
    const struct { const wchar_t* xml; bool maximises; } cases[] = {
        {L"<SAKU width='200' height='100' resizable='1' wndType='normal'><root>"
         L"<caption name='c' pos='0,0,-0,30'/></root></SAKU>", true},
        {L"<SAKU width='200' height='100' wndType='normal'><root>"
         L"<caption name='c' pos='0,0,-0,30'/></root></SAKU>", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.maximises);
        SHostWnd host;
        ASSERT_TRUE(host.CreateEx(nullptr, WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, 0));
        pugi::xml_document document;
        ASSERT_TRUE(document.load_string(c.xml));
        ASSERT_TRUE(host.LoadFromXml(document.child(L"SAKU"), 0, 0));
        if (!c.maximises)
            ::SetWindowLongW(host.GetHwnd(), GWL_STYLE, ::GetWindowLongW(host.GetHwnd(), GWL_STYLE) & ~WS_MAXIMIZEBOX);
        ::ShowWindow(host.GetHwnd(), SW_SHOWNOACTIVATE);
        ::SendMessageW(host.GetHwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 10));
        Pump();
        EXPECT_EQ(c.maximises, ::IsZoomed(host.GetHwnd()) != FALSE);
    }
}

