// The drop-down window over a real host: it is made over the owner's host window,
// filters the owner's loop while it lives, closes on Enter (IDOK), Escape and a
// click outside (IDCANCEL) under the display server's keyboard and mouse, and
// leaves nothing behind; a window that cannot be made shows nothing and the
// popup goes with its filter.

#include "../core/HostTest.h"

#include "controls/SDropDownWnd.h"

#include "StaleHost.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

const wchar_t kLayout[] =
    L"<SAKU width='300' height='200' wndType='normal'>"
    L"<root colorBkgnd='#FFFFFFFF'><window name='anchor' pos='20,20,@100,@24'/></root></SAKU>";

// The owner as a control would be: it fills nothing and notes what it is told.
struct RecordingOwner : ISDropDownOwner {
    SWindow* window = nullptr;
    int created = 0;
    int destroyed = 0;
    UINT exitCode = 0;
    HWND popupWindow = nullptr;

    SWindow* OwnerWindow() override { return window; }
    void OnDropDownCreated(SDropDownWnd* dropDown) override
    {
        ++created;
        popupWindow = dropDown->GetHwnd();
    }
    void OnDropDownDestroyed(SDropDownWnd* dropDown) override
    {
        ++destroyed;
        exitCode = dropDown->GetExitCode();
    }
};

MSG KeyDown(HWND window, WPARAM key)
{
    MSG msg = {};
    msg.hwnd = window;
    msg.message = WM_KEYDOWN;
    msg.wParam = key;
    return msg;
}

class SDropDownWndHostTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        DispatchLoop() = App().GetMsgLoop();
    }

    // Whether the application's loop has a filter that eats a Down key now.
    bool LoopEatsDown(HWND window)
    {
        MSG msg = KeyDown(window, VK_DOWN);
        return App().GetMsgLoop()->PreTranslateMessage(&msg) != FALSE;
    }
};

}  // namespace

TEST_F(SDropDownWndHostTest, KeysAndAnOutsideClickEndThePopupWithTheirCodes)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, kLayout));
    ::SetWindowPos(host.GetHwnd(), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowInFront(host);
    Drive("mousemove 350 250 click 1 sleep 0.3");   // the display's keyboard follows a click
    const struct {
        const char* input;   // xdotool, once the popup shows
        UINT exitCode;
    } cases[] = {
        {"key Return sleep 0.3", IDOK},
        {"key Escape sleep 0.3", IDCANCEL},
        {"mousemove 350 250 click 1 sleep 0.3", IDCANCEL},   // the host, right of the popup
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        RecordingOwner owner;
        owner.window = host.FindChildByName(L"anchor");
        ASSERT_NE(nullptr, owner.window);
        auto* const popup = new SDropDownWnd_ComboBox(&owner);
        ASSERT_TRUE(popup->CreatePopup(RECT{120, 144, 220, 244}, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
        EXPECT_TRUE(LoopEatsDown(host.GetHwnd()));
        EXPECT_EQ(1, owner.created);
        const HWND window = popup->GetHwnd();
        EXPECT_EQ(host.GetHwnd(), ::GetWindow(window, GW_OWNER));
        EXPECT_EQ(static_cast<UINT>(-1), popup->GetExitCode());
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
        ::SetCapture(window);
        RECT placed = {};
        ::GetWindowRect(window, &placed);
        EXPECT_EQ(120, placed.left);
        EXPECT_EQ(244, placed.bottom);
        Pump();

        Drive(c.input);
        ASSERT_TRUE(PumpUntil([&] { return owner.destroyed > 0; }));
        EXPECT_EQ(1, owner.destroyed);
        EXPECT_EQ(c.exitCode, owner.exitCode);
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_FALSE(LoopEatsDown(host.GetHwnd()));   // the popup and its filter are gone
    }
    DestroyHost(host);
}

TEST_F(SDropDownWndHostTest, APopupWhoseWindowCannotBeMadeShowsNothing)
{
    SAutoRef<IRenderTarget> canvas;
    ASSERT_TRUE(m_renderFactory->CreateRenderTarget(canvas.Put(), 100, 100));
    auto host = SAutoRef<StaleHost>::Adopt(new StaleHost(canvas.Get()));
    host->SetContainer(host.Get());
    RecordingOwner owner;
    owner.window = host.Get();

    auto* const popup = new SDropDownWnd_ComboBox(&owner);
    EXPECT_FALSE(popup->CreatePopup(RECT{0, 0, 50, 50}, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    EXPECT_EQ(nullptr, popup->GetHwnd());
    EXPECT_EQ(0, owner.created);
    popup->Release();   // the creator's, as no window came to own it
    EXPECT_FALSE(host->LoopEatsDown());
    EXPECT_EQ(0, owner.destroyed);
}
