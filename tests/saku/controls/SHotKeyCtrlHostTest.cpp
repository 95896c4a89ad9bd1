// Hot-key controls in a real host window under the display server's keyboard: a
// click gives one the focus and its caret, and the keys pressed on it become the
// combination it shows, refused modifiers replaced by the default ones.

#include "../core/HostTest.h"
#include "../render/RenderTestSupport.h"
#include "HotKeyEventLog.h"

#include "controls/SHotKeyCtrl.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

class SHotKeyCtrlHostTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        m_host = std::make_unique<SHostWnd>();   // under the application
        ASSERT_TRUE(LoadLayout(*m_host, kLayout));
        m_window = m_host->GetHwnd();
        ShowInFront(*m_host);
        m_ctrl = m_host->FindChildByName2<SHotKeyCtrl>(L"ctrl");
        m_plain = m_host->FindChildByName2<SHotKeyCtrl>(L"plain");
        ASSERT_NE(nullptr, m_ctrl);
        ASSERT_NE(nullptr, m_plain);
        for (SHotKeyCtrl* const control : {m_ctrl, m_plain})
            control->GetEventSet()->SubscribeEvent(EventSetHotKey::EventID, Subscriber(&KeyEventLog::OnSet, &m_log));
    }
    void TearDown() override
    {
        if (m_host && m_host->GetHwnd())
            DestroyHost(*m_host);
        m_host.reset();
        HostTest::TearDown();
    }

    // Runs the xdotool command and waits for it and for what it started.
    void Drive(const std::string& arguments)
    {
        StartXdotool(arguments);
        ASSERT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
        Pump();
    }
    std::string ClickOn(SWindow* window)
    {
        const RECT rect = window->GetWindowRect();
        return "mousemove " + Xy(OnScreen(m_window, POINT{rect.left + 150, rect.top + 15})) +
               " sleep 0.3 click 1 sleep 0.3";
    }
    // Takes the events logged since the last call.
    KeyEvents Take()
    {
        KeyEvents events;
        events.swap(m_log.events);
        return events;
    }
    static std::wstring Text(const SHotKeyCtrl* control) { return control->FormatAccelText().c_str(); }
    // Pixels in the rectangle that are not the white background.
    int Ink(const RECT& rect)
    {
        const Pixels pixels = ReadPixels(m_host->GetCacheTarget());
        int ink = 0;
        for (int x = rect.left; x < rect.right; ++x) {
            for (int y = rect.top; y < rect.bottom; ++y)
                ink += PixelAt(pixels, 300, x, y) != 0xFFFFFFFFu;
        }
        return ink;
    }

    static constexpr wchar_t kLayout[] =
        L"<SAKU width='300' height='120' wndType='normal'><root colorBkgnd='#FFFFFFFF'>"
        L"<hotkey name='ctrl' pos='20,20,@200,@30' invalidComb='1' defCombKey='2' colorText='#000000'/>"
        L"<hotkey name='plain' pos='20,70,@200,@30' colorText='#000000'/>"
        L"</root></SAKU>";

    std::unique_ptr<SHostWnd> m_host;
    HWND m_window = nullptr;
    SHotKeyCtrl* m_ctrl = nullptr;
    SHotKeyCtrl* m_plain = nullptr;
    KeyEventLog m_log;
};

}  // namespace

TEST_F(SHotKeyCtrlHostTest, APlainKeyTakesTheDefaultModifiers)
{
    // Empty, the control shows "无".
    EXPECT_EQ(L"\u65e0", Text(m_ctrl));
    ::RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    EXPECT_GT(Ink(RECT{20, 20, 50, 50}), 0);

    // A click gives the focus and a caret one pixel wide behind the text, in the middle.
    Drive(ClickOn(m_ctrl));
    ASSERT_TRUE(m_ctrl->IsFocused());
    POINT empty = {};
    ASSERT_TRUE(::GetCaretPos(&empty));
    EXPECT_GT(empty.x, 20);
    EXPECT_LT(empty.x, 50);
    EXPECT_GT(empty.y, 20);
    EXPECT_LT(empty.y, 35);

    Drive("key a sleep 0.3");
    EXPECT_EQ((KeyEvents{{'A', kAccelCtrl}}), Take());
    EXPECT_EQ(L"Ctrl+A", Text(m_ctrl));
    EXPECT_FALSE(m_ctrl->IsSetting());
    POINT behind = {};
    ASSERT_TRUE(::GetCaretPos(&behind));
    EXPECT_GT(behind.x, empty.x + 10);   // behind the longer text
    EXPECT_EQ(empty.y, behind.y);

    ::RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    KeepPng(m_host->GetCacheTarget(), L"TIVALA_PAINT_PNG", L"hot_key_host");
    EXPECT_GT(Ink(RECT{behind.x - 10, 20, behind.x, 50}), 0);   // the text ends where the caret stands
}

TEST_F(SHotKeyCtrlHostTest, RealKeysMakeTheirCombinations)
{
    Drive(ClickOn(m_plain));
    ASSERT_TRUE(m_plain->IsFocused());

    // Shift held, A pressed, both released: Shift+A stays.
    Drive("keydown shift sleep 0.2 key a sleep 0.2 keyup shift sleep 0.3");
    EXPECT_EQ((KeyEvents{{0, kAccelShift}, {'A', kAccelShift}}), Take());
    EXPECT_EQ(L"Shift+A", Text(m_plain));
    EXPECT_FALSE(m_plain->IsSetting());

    // Alt reaches the control as system keys: held, F5 pressed and released, let go.
    Drive("keydown alt sleep 0.2 key F5 sleep 0.2 keyup alt sleep 0.3");
    EXPECT_EQ((KeyEvents{{0, kAccelAlt}, {VK_F5, kAccelAlt}}), Take());
    EXPECT_EQ(L"Alt+F5", Text(m_plain));
    // Alt let go before F5 (as "key alt+F5" lets go): read again without it.
    Drive("key alt+F5 sleep 0.3");
    EXPECT_EQ((KeyEvents{{0, kAccelAlt}, {VK_F5, kAccelAlt}, {VK_F5, 0}}), Take());
    EXPECT_EQ(L"F5", Text(m_plain));

    // A key without a name, pressed while A is held, keeps A.
    Drive("keydown a sleep 0.2 key Pause sleep 0.2 keyup a sleep 0.3");
    EXPECT_EQ((KeyEvents{{'A', 0}, {'A', 0}}), Take());
    EXPECT_EQ(L"A", Text(m_plain));
    EXPECT_FALSE(m_plain->IsSetting());
    EXPECT_TRUE(m_plain->IsFocused());   // none of it moved the focus
}
