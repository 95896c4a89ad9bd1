// Edits in a real host window: the display server's keyboard types into them,
// a password edit takes the input method away while it has the focus, the
// right button opens the context menu, whose accelerator runs a command, and
// an edit on a sliding page keeps its text's pixels.

#include "../core/HostTest.h"

#include "../render/RenderTestSupport.h"

#include "controls/SEdit.h"
#include "controls/STabCtrl.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"
#include "core/SRicheditMenuDef.h"

#include <gtest/gtest.h>

#include <imm.h>
#include <richedit.h>

#include <cstdint>
#include <memory>
#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

class SRichEditHostTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        m_host = std::make_unique<SHostWnd>();   // under the application
        ASSERT_TRUE(LoadLayout(*m_host, kLayout));
        m_window = m_host->GetHwnd();
        ::ShowWindow(m_window, SW_SHOWNORMAL);
        ::SetForegroundWindow(m_window);
        Pump();
        m_edit = m_host->FindChildByName2<SEdit>(L"e");
        m_password = m_host->FindChildByName2<SEdit>(L"p");
        ASSERT_NE(nullptr, m_edit);
        ASSERT_NE(nullptr, m_password);
    }
    void TearDown() override
    {
        if (m_host && m_host->GetHwnd())
            m_host->CSimpleWnd::DestroyWindow();
        DropQuitMessage();   // the host's end
        m_host.reset();
        HostTest::TearDown();
    }

    // Runs the xdotool commands and pumps until they ended and `done` holds.
    bool Drive(const std::string& commands, const std::function<bool()>& done)
    {
        StartXdotool(commands);
        return PumpUntil([&] { return XdotoolDone() && done(); }, 30000);
    }
    std::string At(SWindow* window, int dx, int dy) const
    {
        const RECT rect = window->GetWindowRect();
        const POINT point = OnScreen(m_window, POINT{rect.left + dx, rect.top + dy});
        return std::to_string(point.x) + " " + std::to_string(point.y);
    }
    static std::wstring Text(SWindow* window) { return window->GetWindowText().c_str(); }
    static std::string Narrow(const std::wstring& text)
    {
        std::string narrow;
        for (const wchar_t c : text)
            narrow += c < 0x80 ? static_cast<char>(c) : '?';
        return narrow;
    }

    static constexpr wchar_t kLayout[] =
        L"<SAKU width='300' height='120' wndType='normal'><root colorBkgnd='#FFFFFFFF'>"
        L"<edit name='e' pos='20,20,@200,@30' colorBkgnd='#ffffff'/>"
        L"<edit name='p' pos='20,60,@200,@30' colorBkgnd='#ffffff' password='1'/>"
        L"</root></SAKU>";

    std::unique_ptr<SHostWnd> m_host;
    HWND m_window = nullptr;
    SEdit* m_edit = nullptr;
    SEdit* m_password = nullptr;
};

struct MenuCommands {
    int last = -1;
    BOOL OnMenu(EventArgs* args)
    {
        last = static_cast<EventREMenu*>(args)->command;
        return FALSE;   // the edit carries it out
    }
};

}  // namespace

TEST_F(SRichEditHostTest, RealKeyboardTypesIntoTheEdit)
{
    ASSERT_TRUE(Drive("mousemove " + At(m_edit, 20, 15) + " click 1 sleep 0.3 type --delay 60 'Tivala 2'",
                      [&] { return Text(m_edit) == L"Tivala 2"; }))
        << "typed: " << Narrow(Text(m_edit));
    EXPECT_TRUE(m_edit->IsFocused());
    // The services' caret goes through the host to the system caret's position.
    POINT end = {};
    ASSERT_TRUE(::GetCaretPos(&end));
    EXPECT_GT(end.x, m_edit->GetClientRect().left + 20);   // behind eight characters
    // (type takes every argument after it as text, so it comes last.)
    // BackSpace deletes; Return is the dialog's in a single-line edit; Home and
    // typing put text at the start.
    ASSERT_TRUE(Drive("key BackSpace sleep 0.2 key Return sleep 0.2 key Home sleep 0.2 type --delay 60 'D:'",
                      [&] { return Text(m_edit) == L"D:Tivala "; }))
        << "text: " << Narrow(Text(m_edit));
    POINT afterPrefix = {};
    ASSERT_TRUE(::GetCaretPos(&afterPrefix));
    EXPECT_LT(afterPrefix.x, end.x);   // behind "D:" at the start
}

TEST_F(SRichEditHostTest, PasswordEditDetachesTheInputMethodWhileFocused)
{
    const HIMC before = ::ImmGetContext(m_window);
    if (!before)
        GTEST_SKIP() << "the host window has no input context here";
    ::ImmReleaseContext(m_window, before);
    m_password->SetFocus();
    const HIMC focused = ::ImmGetContext(m_window);
    EXPECT_EQ(nullptr, focused);
    if (focused)
        ::ImmReleaseContext(m_window, focused);
    m_edit->SetFocus();
    const HIMC after = ::ImmGetContext(m_window);
    EXPECT_EQ(before, after);
    if (after)
        ::ImmReleaseContext(m_window, after);
}

TEST_F(SRichEditHostTest, RightClickMenuAcceleratorSelectsAll)
{
    pugi::xml_document menu;
    ASSERT_TRUE(menu.load_string(L"<editmenu>"
                                 L"<item id='1'>剪切(&amp;T)</item><item id='2'>复制(&amp;C)</item>"
                                 L"<item id='3'>粘贴(&amp;P)</item><item id='4'>删除(&amp;D)</item>"
                                 L"<sep/><item id='5'>全选(&amp;A)</item></editmenu>"));
    ASSERT_NE(nullptr, SRicheditMenuDef::GetInstance());
    SRicheditMenuDef::GetInstance()->StoreTemplate(menu.first_child());
    MenuCommands commands;
    m_edit->GetEventSet()->SubscribeEvent(EventREMenu::EventID, Subscriber(&MenuCommands::OnMenu, &commands));
    m_edit->SetWindowText(L"C:\\Tivala\\壁纸");

    ASSERT_TRUE(Drive("mousemove " + At(m_edit, 30, 15) + " click 3 sleep 0.8 key a sleep 0.3",
                      [&] { return commands.last != -1; }));
    EXPECT_EQ(static_cast<int>(kEditMenuSelectAll), commands.last);
    wchar_t selected[64] = {};
    m_edit->SendSwndMessage(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(selected));
    EXPECT_STREQ(L"C:\\Tivala\\壁纸", selected);
    SRicheditMenuDef::GetInstance()->StoreTemplate(pugi::xml_node());
}

// The edit gives back only the input method it took, whatever its password
// setting has become meanwhile.
TEST_F(SRichEditHostTest, InputMethodComesBackWhenThePasswordSettingChangesWhileFocused)
{
    const HIMC before = ::ImmGetContext(m_window);
    if (!before)
        GTEST_SKIP() << "the host window has no input context here";
    ::ImmReleaseContext(m_window, before);
    const auto current = [&] {
        const HIMC context = ::ImmGetContext(m_window);
        if (context)
            ::ImmReleaseContext(m_window, context);
        return context;
    };

    m_password->SetFocus();
    m_password->ApplyAttribute(L"password", L"0", FALSE);
    m_edit->SetFocus();
    EXPECT_EQ(before, current());

    m_password->ApplyAttribute(L"password", L"1", FALSE);
    m_edit->ApplyAttribute(L"password", L"1", FALSE);   // made a password edit while focused
    m_password->SetFocus();
    EXPECT_EQ(nullptr, current());
    m_edit->SetFocus();
    m_edit->KillFocus();
    EXPECT_EQ(before, current());
}

class SRichEditSlideTest : public HostTest {};

// An edit's text drawn over a translucent background, at rest and in the picture
// of its page sliding in: the slide moves its pixels unchanged. The text services
// draw with GDI, whose colour under the background's alpha used to be more than
// that alpha, which the slide's blending broke into stray colours; and the
// slide blended its picture, background included, over the background again.
TEST_F(SRichEditSlideTest, TextOfAnEditOnASlidingPageKeepsItsPixels)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host,
                           L"<SAKU width='300' height='120' wndType='normal' translucent='1'>"
                           L"<root colorBkgnd='#20304080'>"
                           L"<tabctrl name='tabs' pos='0,0,-0,-0' animateSteps='10' tabWidth='0' tabHeight='0'>"
                           L"<page/>"
                           L"<page><edit name='e' pos='20,40' size='220,30' margin='1,1,1,1' colorBorder='#FFFFFF33'"
                           L" colorBkgnd='#FFFFFF00' colorText='#ffffff' readonly='1'/></page>"
                           L"</tabctrl></root></SAKU>"));
    ::ShowWindow(host.GetHwnd(), SW_SHOWNORMAL);
    Pump();
    auto* const tabs = host.FindChildByName2<STabCtrl>(L"tabs");
    SWindow* const edit = host.FindChildByName(L"e");
    ASSERT_TRUE(tabs && edit);
    edit->SetWindowText(L"C:\\Users\\Tivala\\TivalaResource");
    const auto paint = [&] {
        host.MarkFullRedraw();
        host.UpdateWindow();
        return ReadPixels(host.GetCacheTarget());
    };

    ASSERT_TRUE(tabs->SetCurSel(1));
    ASSERT_TRUE(PumpUntil([&] { return !tabs->IsSliding(); }));
    const Pixels atRest = paint();
    ASSERT_TRUE(tabs->SetCurSel(0));
    ASSERT_TRUE(PumpUntil([&] { return !tabs->IsSliding(); }));

    // Eight of the ten frames by hand: the linear slide has moved the new page
    // 8/10 of the way in, so it stands a fifth of the area to the right of its
    // place, with the whole edit inside the area.
    ASSERT_TRUE(tabs->SetCurSel(1));
    for (int frame = 0; frame < 8; ++frame)
        host.OnNextFrame();
    ASSERT_TRUE(tabs->IsSliding());
    const int shift = 300 / 5;
    const RECT text = edit->GetClientRect();
    const Pixels sliding = paint();
    KeepPng(host.GetCacheTarget(), L"TIVALA_PAINT_PNG", L"edit_sliding");

    int textPixels = 0;
    const std::uint32_t background = PixelAt(atRest, 300, 5, 5);
    for (int y = text.top; y < text.bottom; ++y) {
        for (int x = text.left; x < text.right; ++x) {
            const std::uint32_t pixel = PixelAt(atRest, 300, x, y);
            textPixels += pixel != background;
            ASSERT_EQ(pixel, PixelAt(sliding, 300, x + shift, y)) << x << "," << y;
            // Premultiplied: no channel holds more than the alpha.
            for (int channel = 0; channel < 24; channel += 8)
                ASSERT_LE((pixel >> channel) & 0xFF, pixel >> 24) << x << "," << y;
        }
    }
    EXPECT_GT(textPixels, 100);
    ASSERT_TRUE(PumpUntil([&] { return !tabs->IsSliding(); }));
    DestroyHost(host);
}
