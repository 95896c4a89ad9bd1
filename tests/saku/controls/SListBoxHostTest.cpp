// List boxes in a real host window under the display server's mouse and
// keyboard: a plain one selects on the press and reports a double click; a
// hot-tracking one follows the pointer, steps from the hovered entry with the
// arrow keys and selects only when the button is released.

#include "../core/HostTest.h"
#include "../render/RenderTestSupport.h"

#include "controls/SListBox.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// Two lists of ten entries of 20 px: "plain" at (10, 10), "hot" at (180, 10), each
// 150 x 100 with an 8-pixel bar.
const wchar_t kLayout[] =
    L"<SAKU width='340' height='130' wndType='normal'>"
    L"<skin><scrollbar name='bar' src='png:sbar_cells'/></skin>"
    L"<root colorBkgnd='#FFFFFFFF'>"
    L"<listbox name='plain' pos='10,10,@150,@100' margin='0' sbSkin='bar' itemHeight='20' colorItemSelBkgnd='#0000FF'>"
    L"<items><item text='zero'/><item text='one'/><item text='two'/><item text='three'/><item text='four'/>"
    L"<item text='five'/><item text='six'/><item text='seven'/><item text='eight'/><item text='nine'/></items>"
    L"</listbox>"
    L"<listbox name='hot' pos='180,10,@150,@100' margin='0' sbSkin='bar' itemHeight='20' hotTrack='1' "
    L"colorItemSelBkgnd='#0000FF' colorItemHotBkgnd='#00FF00'>"
    L"<items><item text='zero'/><item text='one'/><item text='two'/><item text='three'/><item text='four'/>"
    L"<item text='five'/><item text='six'/><item text='seven'/><item text='eight'/><item text='nine'/></items>"
    L"</listbox></root></SAKU>";

struct DoubleClicks {
    std::vector<int> entries;
    BOOL OnDbClick(EventLBDbClick* event)
    {
        entries.push_back(event->index);
        return TRUE;
    }
};

class SListBoxHostTest : public HostTest {
protected:
    // A point of entry `index` of a list at `left`, as long as it shows.
    std::string At(HWND window, int left, int index)
    {
        return Xy(OnScreen(window, POINT{left + 60, 10 + 20 * index + 10}));
    }
};

}  // namespace

TEST_F(SListBoxHostTest, RealInputSelectsOnPressOrWithHotTrackingOnRelease)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, kLayout));
    const HWND window = host.GetHwnd();
    auto* const plain = host.FindChildByName2<SListBox>(L"plain");
    auto* const hot = host.FindChildByName2<SListBox>(L"hot");
    ASSERT_NE(nullptr, plain);
    ASSERT_NE(nullptr, hot);
    DoubleClicks clicks;
    plain->GetEventSet()->SubscribeEvent(EventLBDbClick::EventID, Subscriber(&DoubleClicks::OnDbClick, &clicks));
    ::SetCursorPos(0, 0);
    ShowInFront(host);

    // The plain list: the press selects; a double click reports its entry.
    Drive("mousemove " + At(window, 10, 2) + " sleep 0.3 mousedown 1 sleep 0.3");
    EXPECT_EQ(2, plain->GetCurSel());
    Drive("mouseup 1 sleep 0.3");
    Drive("mousemove " + At(window, 10, 3) + " sleep 0.3 click --repeat 2 --delay 80 1 sleep 0.3");
    EXPECT_EQ(3, plain->GetCurSel());
    EXPECT_EQ(std::vector<int>{3}, clicks.entries);
    Drive("key Down sleep 0.1 key Down sleep 0.3");
    EXPECT_EQ(5, plain->GetCurSel());
    Drive("key Down sleep 0.3");
    EXPECT_EQ(6, plain->GetCurSel());
    EXPECT_EQ(40, plain->GetViewOrigin().y);   // entry 6 scrolled into view

    // The hot list: a click takes the focus and selects at its release.
    Drive("mousemove " + At(window, 180, 1) + " sleep 0.3 click 1 sleep 0.3");
    EXPECT_EQ(1, hot->GetCurSel());
    EXPECT_TRUE(hot->IsFocused());
    Drive("mousemove " + At(window, 180, 3) + " sleep 0.3");
    EXPECT_EQ(3, hot->GetHoverIndex());
    Drive("key Down sleep 0.3");
    EXPECT_EQ(4, hot->GetCurSel());   // from the hovered entry
    Drive("mousemove " + At(window, 180, 2) + " sleep 0.3 mousedown 1 sleep 0.3");
    EXPECT_EQ(4, hot->GetCurSel());   // not yet
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    KeepPng(host.GetCacheTarget(), L"TIVALA_PAINT_PNG", L"list_box_host");
    const auto pixels = ReadPixels(host.GetCacheTarget());
    EXPECT_EQ(0xFF00FF00u, PixelAt(pixels, 340, 180 + 140, 10 + 2 * 20 + 3));   // hovered
    EXPECT_EQ(0xFF0000FFu, PixelAt(pixels, 340, 180 + 140, 10 + 4 * 20 + 3));   // selected
    EXPECT_EQ(0xFF0000FFu, PixelAt(pixels, 340, 10 + 130, 10 + 4 * 20 + 3));    // plain's 6, scrolled up two
    Drive("mouseup 1 sleep 0.3");
    EXPECT_EQ(2, hot->GetCurSel());
    DestroyHost(host);
}
