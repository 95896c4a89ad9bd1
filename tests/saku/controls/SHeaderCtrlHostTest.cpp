// Headers in a real host window under the display server's mouse: a divider
// dragged at scale 150 resizes its dp, dip and sp items as pixels become units
// again, and an item dragged onto another moves there with its drag image, which
// the loss of the activation takes away.

#include "../core/HostTest.h"
#include "../render/RenderTestSupport.h"
#include "HeaderTest.h"

#include "controls/SHeaderCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// Three headers of 30 px: items of 50 in three units, items of 100 px that swap,
// and the same that do not.
const wchar_t kLayout[] =
    L"<SAKU width='480' height='120' wndType='normal'>"
    L"<skin><colorrect name='four' normal='#ff0000' hover='#00ff00' pushdown='#0000ff' disable='#808080'/></skin>"
    L"<root colorBkgnd='#FFFFFFFF'>"
    L"<header name='sized' margin='0' pos='0,0,@480,@30' itemSkin='four'><items>"
    L"<item width='50dp'>dp</item><item width='50dip'>dip</item><item width='50sp'>sp</item></items></header>"
    L"<header name='swapping' margin='0' pos='0,40,@480,@30' itemSkin='four'><items>"
    L"<item width='100'>A</item><item width='100'>B</item><item width='100'>C</item></items></header>"
    L"<header name='fixed' margin='0' pos='0,80,@480,@30' itemSkin='four' itemSwapEnable='0'><items>"
    L"<item width='100'>A</item><item width='100'>B</item><item width='100'>C</item></items></header>"
    L"</root></SAKU>";

class SHeaderCtrlHostTest : public HostTest {
protected:
    SHeaderCtrl* Open(SHostWnd& host, const wchar_t* name)
    {
        EXPECT_TRUE(LoadLayout(host, kLayout));
        auto* const header = host.FindChildByName2<SHeaderCtrl>(name);
        if (header)
            m_events.Listen(header);
        // Room on the screen around the window for the mouse to leave it.
        ::SetWindowPos(host.GetHwnd(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowInFront(host);
        return header;
    }
    std::string At(SHostWnd& host, int x, int y) { return Xy(OnScreen(host.GetHwnd(), POINT{x, y})); }
    // Presses at one point and moves to the next, halfway first when told to, and
    // releases there unless told not to.
    void Drag(SHostWnd& host, POINT from, POINT to, bool halfway, bool release = true)
    {
        const std::string middle =
            halfway ? "mousemove " + At(host, (from.x + to.x) / 2, to.y) + " sleep 0.3 " : std::string();
        Drive("mousemove " + At(host, from.x, from.y) + " sleep 0.3 mousedown 1 sleep 0.3 " + middle + "mousemove " +
              At(host, to.x, to.y) + " sleep 0.3" + (release ? " mouseup 1 sleep 0.3" : ""));
    }
    static SLayoutDim WidthOf(const SHeaderCtrl* header, int index)
    {
        SHeaderItem item;
        item.mask = kHeaderMaskWidth;
        header->GetItem(index, &item);
        return item.width;
    }

    HeaderEvents m_events;
};

}  // namespace

TEST_F(SHeaderCtrlHostTest, ADraggedDividerResizesItsItemInItsOwnUnit)
{
    SHostWnd host;
    SHeaderCtrl* const header = Open(host, L"sized");
    ASSERT_NE(nullptr, header);
    host.BroadcastMessage(UM_SETSCALE, 150);
    Pump();
    ASSERT_EQ(75, header->GetItemWidth(0));

    const struct {
        int item;
        SLayoutUnit unit;
    } items[] = {{0, kUnitDp}, {1, kUnitDip}, {2, kUnitSp}};
    for (const auto& c : items) {
        SCOPED_TRACE(c.item);
        const int divider = header->GetItemRect(c.item).right - 2;
        Drag(host, POINT{divider, 15}, POINT{divider + 75, 15}, false);
        std::vector<std::wstring> log = m_events.Take();
        ASSERT_GE(log.size(), 2u);
        const std::wstring width = std::to_wstring(c.item) + L" 150";
        EXPECT_EQ(L"changed " + width, log.back());
        log.pop_back();
        for (const std::wstring& changing : log)
            EXPECT_EQ(L"changing " + width, changing);   // one jump of the mouse: every move at +75
        const SLayoutDim stored = WidthOf(header, c.item);
        EXPECT_EQ(100.0f, stored.GetValue());
        EXPECT_EQ(c.unit, stored.GetUnit());
        EXPECT_EQ(150, header->GetItemWidth(c.item));
    }

    // Back by 200: no narrower than nothing.
    const int divider = header->GetItemRect(0).right - 2;
    Drag(host, POINT{divider, 15}, POINT{divider - 200, 15}, false);
    const std::vector<std::wstring> back = m_events.Take();
    ASSERT_FALSE(back.empty());
    EXPECT_EQ(L"changed 0 0", back.back());
    EXPECT_EQ(0.0f, WidthOf(header, 0).GetValue());

    // A click on a divider reports the width it kept.
    const int next = header->GetItemRect(1).right - 2;
    Drive("mousemove " + At(host, next, 15) + " sleep 0.3 click 1 sleep 0.3");
    EXPECT_EQ(std::vector<std::wstring>({L"changed 1 150"}), m_events.Take());
    DestroyHost(host);
}

TEST_F(SHeaderCtrlHostTest, AnItemDraggedOntoAnotherMovesThere)
{
    SHostWnd host;
    SHeaderCtrl* const header = Open(host, L"swapping");
    ASSERT_NE(nullptr, header);

    // A onto C, the image following the mouse while the button is held.
    Drag(host, POINT{50, 55}, POINT{250, 55}, true, false);
    const HWND image = FindDragWindow();
    ASSERT_NE(nullptr, image);
    EXPECT_TRUE(::IsWindowVisible(image));
    RECT shown = {};
    ::GetWindowRect(image, &shown);
    EXPECT_EQ(OnScreen(host.GetHwnd(), POINT{250 - 50, 40}).x, shown.left);   // slid along the header
    EXPECT_EQ(100, shown.right - shown.left);
    ::RedrawWindow(host.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    KeepPng(host.GetCacheTarget(), L"TIVALA_PAINT_PNG", L"header_host_dragging");
    Drive("mouseup 1 sleep 0.3");
    EXPECT_EQ(nullptr, FindDragWindow());
    EXPECT_EQ(L"B C A", Captions(header));
    EXPECT_EQ(L"1 2 0", Orders(header));
    EXPECT_EQ(std::vector<std::wstring>({L"swap 0 2"}), m_events.Take());

    // Onto itself: nothing moves, nothing is reported.
    Drag(host, POINT{150, 55}, POINT{170, 55}, true);
    EXPECT_EQ(L"B C A", Captions(header));
    EXPECT_TRUE(m_events.Take().empty());

    // A click is a click.
    Drive("mousemove " + At(host, 250, 55) + " sleep 0.3 click 1 sleep 0.3");
    EXPECT_EQ(std::vector<std::wstring>({L"click 2"}), m_events.Take());
    ::RedrawWindow(host.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    KeepPng(host.GetCacheTarget(), L"TIVALA_PAINT_PNG", L"header_host");
    const Pixels pixels = ReadPixels(host.GetCacheTarget());
    EXPECT_EQ(0xFF00FF00u, PixelAt(pixels, 480, 250, 42));   // hovered after the click
    EXPECT_EQ(0xFFFF0000u, PixelAt(pixels, 480, 50, 42));
    EXPECT_EQ(0xFF808080u, PixelAt(pixels, 480, 350, 42));   // the strip past the items
    DestroyHost(host);
}

TEST_F(SHeaderCtrlHostTest, WithoutSwappingNoImageShowsAndNothingMoves)
{
    SHostWnd host;
    SHeaderCtrl* const header = Open(host, L"fixed");
    ASSERT_NE(nullptr, header);
    Drag(host, POINT{50, 95}, POINT{250, 95}, true, false);
    EXPECT_EQ(nullptr, FindDragWindow());
    Drive("mouseup 1 sleep 0.3");
    EXPECT_EQ(L"A B C", Captions(header));
    EXPECT_TRUE(m_events.Take().empty());
    DestroyHost(host);
}

TEST_F(SHeaderCtrlHostTest, LosingTheActivationMidDragEndsIt)
{
    SHostWnd host;
    SHeaderCtrl* const header = Open(host, L"swapping");
    ASSERT_NE(nullptr, header);
    Drag(host, POINT{50, 55}, POINT{250, 55}, true, false);
    ASSERT_NE(nullptr, FindDragWindow());
    EXPECT_EQ(header->GetSwnd(), header->GetCapture());
    ::SendMessageW(host.GetHwnd(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(nullptr, FindDragWindow());
    EXPECT_EQ(0, header->GetCapture());
    Drive("mouseup 1 sleep 0.3");
    EXPECT_EQ(L"A B C", Captions(header));
    EXPECT_TRUE(m_events.Take().empty());
    DestroyHost(host);
}
