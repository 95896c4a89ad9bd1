#include "MenuTest.h"

#include "core/CSimpleWnd.h"

#include <functional>
#include <string>
#include <vector>

namespace saku_test {
namespace {

using SAKU::SPopupMenu;

// The window that asks for the menu: visible, so that it can be the foreground
// window, and keeping the menu messages it receives.
class MenuOwner : public SAKU::CSimpleWnd {
public:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    bool Create()
    {
        if (!CreateWindow(L"menu owner", WS_POPUP | WS_VISIBLE, 0, 20, 20, 120, 80, nullptr, nullptr))
            return false;
        ::SetForegroundWindow(GetHwnd());
        return true;
    }
    int Count(UINT message) const
    {
        int count = 0;
        for (const Message& m : messages)
            count += m.message == message;
        return count;
    }

    BEGIN_MSG_MAP(MenuOwner)
        MSG_RANGE_HANDLER(WM_INITMENU,   WM_INITMENUPOPUP, Keep)
        MSG_RANGE_HANDLER(WM_MENUSELECT, WM_MENUSELECT,    Keep)
        MSG_RANGE_HANDLER(WM_COMMAND,    WM_COMMAND,       Keep)
    END_MSG_MAP()

    std::vector<Message> messages;

private:
    LRESULT Keep(UINT message, WPARAM wParam, LPARAM lParam)
    {
        messages.push_back({message, wParam, lParam});
        return 0;
    }
};

// Runs `onShown` once from inside the menu's loop when the menu's window is on
// the screen, and ends a menu that is still up after ten seconds.
class MenuWatch {
public:
    explicit MenuWatch(std::function<void(HWND menuWnd)> onShown) : m_onShown(std::move(onShown))
    {
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 50, &MenuWatch::OnTimer);
    }
    ~MenuWatch()
    {
        ::KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    MenuWatch(const MenuWatch&) = delete;
    MenuWatch& operator=(const MenuWatch&) = delete;

    bool shown = false;
    bool timedOut = false;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        MenuWatch* const self = s_current;
        if (!self)
            return;
        if (++self->m_ticks > 200) {
            self->timedOut = true;
            ::EndMenu();
            return;
        }
        const HWND menuWnd = ::FindWindowW(L"#32768", nullptr);
        if (self->shown || !menuWnd || !::IsWindowVisible(menuWnd))
            return;
        self->shown = true;
        self->m_onShown(menuWnd);
    }

    static inline MenuWatch* s_current = nullptr;
    std::function<void(HWND)> m_onShown;
    UINT_PTR m_timer = 0;
    int m_ticks = 0;
};

constexpr const wchar_t* kMenuXml =
    L"<menu itemSkin='menu.item' itemHeight='24' colorText='#ff0000' colorTextSel='#0000ff'"
    L" cororTextGray='#008000' checkSkin='menu.states16' sepSkin='menu.sep5' font='size:14'>"
    L"<item id='101'>&amp;Copy</item>"
    L"<item id='102' disable='1'>Cu&amp;t</item>"
    L"<sep/>"
    L"<item id='103' check='1'>&amp;Paste</item>"
    L"<item id='104' radio='1'>Select &amp;all</item>"
    L"</menu>";
constexpr int kMenuX = 200;
constexpr int kMenuY = 150;

class SPopupMenuTrackTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        ASSERT_TRUE(m_owner.Create());
        Load(m_menu, kMenuXml);
        ::SetCursorPos(5, 5);   // off the menu, so that no item shows as selected
    }
    void TearDown() override
    {
        m_owner.DestroyWindow();
        MenuTest::TearDown();
    }

    // The item's rectangle in the client area of the menu's window.
    RECT ItemRect(HWND menuWnd, int position)
    {
        RECT rect = {};
        EXPECT_TRUE(::GetMenuItemRect(nullptr, m_menu.GetMenu(), position, &rect));
        ::MapWindowPoints(nullptr, menuWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    MenuOwner m_owner;
    SPopupMenu m_menu;
};

TEST_F(SPopupMenuTrackTest, MenuEndedFromOutsideReturnsNothingAndTheOwnerHearsItsStart)
{
    SAKU::SAutoRef<SAKU::IRenderTarget> shot;
    RECT items[5] = {};
    MenuWatch watch([&](HWND menuWnd) {
        // What the menu shows, read back from its window.
        RECT client;
        ::GetClientRect(menuWnd, &client);
        ASSERT_TRUE(m_renderFactory->CreateRenderTarget(shot.Put(), client.right, client.bottom));
        for (int position = 0; position < 5; ++position)
            items[position] = ItemRect(menuWnd, position);
        const HDC from = ::GetDC(menuWnd);
        const HDC to = shot->GetDC(0);
        ::BitBlt(to, 0, 0, client.right, client.bottom, from, 0, 0, SRCCOPY);
        shot->ReleaseDC(to);
        ::ReleaseDC(menuWnd, from);
        ::EndMenu();
    });
    EXPECT_EQ(0, m_menu.TrackPopupMenu(0, kMenuX, kMenuY, m_owner.GetHwnd()));
    ASSERT_TRUE(watch.shown);
    EXPECT_FALSE(watch.timedOut);
    EXPECT_EQ(1, m_owner.Count(WM_INITMENU));
    EXPECT_EQ(1, m_owner.Count(WM_INITMENUPOPUP));
    EXPECT_EQ(0, m_owner.Count(WM_COMMAND));

    ASSERT_TRUE(shot);
    KeepPng(shot.Get(), L"TIVALA_PAINT_PNG", L"menu_open");
    const Pixels pixels = ReadPixels(shot.Get());
    const int width = CurrentBitmap(shot.Get())->Width();
    EXPECT_EQ(24, items[0].bottom - items[0].top);
    EXPECT_EQ(kItemWhite | 0xFF000000, PixelAt(pixels, width, items[0].right - 3, items[0].top + 2) | 0xFF000000);
    const RECT copyText = {items[0].left + 25, items[0].top, items[0].right, items[0].bottom};
    EXPECT_LT(10, CountNear(pixels, width, copyText, 0xFF0000));     // red: the normal text
    const RECT cutText = {items[1].left + 25, items[1].top, items[1].right, items[1].bottom};
    EXPECT_LT(10, CountNear(pixels, width, cutText, 0x008000));      // green: the grey text
    EXPECT_EQ(5, items[2].bottom - items[2].top);
    EXPECT_EQ(kRed | 0xFF000000, PixelAt(pixels, width, items[2].left + 10, items[2].top + 2) | 0xFF000000);
    EXPECT_EQ(kRed | 0xFF000000, PixelAt(pixels, width, items[3].left + 4, items[3].top + 6) | 0xFF000000);
    EXPECT_EQ(kLime | 0xFF000000, PixelAt(pixels, width, items[4].left + 4, items[4].top + 6) | 0xFF000000);
}

// Real input from the display server while the menu is up.
TEST_F(SPopupMenuTrackTest, ClickOrAcceleratorChoosesAnItem)
{
    const struct {
        const char* input;   // xdotool arguments; "click" clicks the "Paste" item
        UINT flags;
        int expected;
        int commands;        // WM_COMMAND sent to the owner
    } cases[] = {
        {"click", 0, 103, 1},
        {"key P", TPM_RETURNCMD, 103, 0},
        {"key c", TPM_RETURNCMD, 101, 0},
        {"key a", 0, 104, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        m_owner.messages.clear();
        ::SetForegroundWindow(m_owner.GetHwnd());
        MenuWatch watch([&](HWND menuWnd) {
            std::string input = c.input;
            if (input == "click") {
                RECT item = {};
                ::GetMenuItemRect(nullptr, m_menu.GetMenu(), 3, &item);
                input = "mousemove " + std::to_string((item.left + item.right) / 2) + " " +
                        std::to_string((item.top + item.bottom) / 2) + " sleep 0.2 click 1";
            }
            (void)menuWnd;
            StartXdotool(input);
        });
        EXPECT_EQ(c.expected, m_menu.TrackPopupMenu(c.flags, kMenuX, kMenuY, m_owner.GetHwnd()));
        EXPECT_TRUE(watch.shown);
        EXPECT_FALSE(watch.timedOut);
        EXPECT_TRUE(PumpUntil([this] { return XdotoolDone(); }));
        ASSERT_EQ(c.commands, m_owner.Count(WM_COMMAND));
        if (c.commands) {
            const MenuOwner::Message* command = nullptr;
            for (const auto& m : m_owner.messages)
                if (m.message == WM_COMMAND)
                    command = &m;
            EXPECT_EQ(WPARAM(c.expected), command->wParam);
            EXPECT_EQ(0, command->lParam);
        }
        EXPECT_LE(1, m_owner.Count(WM_MENUSELECT));
    }
}

}  // namespace
}  // namespace saku_test
