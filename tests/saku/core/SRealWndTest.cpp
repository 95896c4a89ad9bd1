#include "HostTest.h"

#include "core/IRealWndHandler.h"
#include "core/SRealWnd.h"

using namespace SAKU;
using namespace saku_test;

class SRealWndTest : public HostTest {};

namespace {

bool SameRect(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}

// The native window's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child)
{
    RECT rect = {};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Makes a STATIC child of the host for each realwnd and counts what it is asked.
class TestRealWndHandler : public TObjRefImpl<IRealWndHandler> {
public:
    int created = 0;
    int initialised = 0;
    int destroyed = 0;

    HWND CreateNativeWindow(SRealWnd* realWnd) override
    {
        ++created;
        const SRealWndParams& params = realWnd->GetRealWndParam();
        return ::CreateWindowExW(params.exStyle, params.className.c_str(), params.windowName.c_str(), params.style,
                                 0, 0, 0, 0, realWnd->GetContainer()->GetHostHwnd(), nullptr, nullptr, nullptr);
    }
    void DestroyNativeWindow(SRealWnd* realWnd) override
    {
        ++destroyed;
        ::DestroyWindow(realWnd->GetRealHwnd());
    }
    void InitNativeWindow(SRealWnd*) override { ++initialised; }
    BOOL SizeNativeWindow(SRealWnd*) override { return FALSE; }
    BOOL MoveNativeWindow(SRealWnd*, const RECT&) override { return FALSE; }
};

}  // namespace

// A realwnd's native window is made by the program's handler when the element is
// built (init) or first shown, follows the element's place and visibility, and
// goes with it.
TEST_F(SRealWndTest, KeepsItsNativeWindowInStep)
{
    auto* const handler = new TestRealWndHandler;
    App().SetRealWndHandler(handler);
    handler->Release();   // the application holds it

    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, L"<SAKU width='200' height='150' wndType='normal'><root>"
                                 L"<window name='box' pos='0,0,-0,-0'>"
                                 L"<realwnd name='shown' pos='10,10,@80,@40' wndclass='STATIC' wndname='native'/>"
                                 L"</window>"
                                 L"<window name='hidden' visible='0' pos='0,0,@50,@50'>"
                                 L"<realwnd name='later' pos='0,0,@10,@10' wndclass='STATIC'/>"
                                 L"</window>"
                                 L"<realwnd name='early' init='1' pos='100,100,@20,@20' wndclass='STATIC'/>"
                                 L"</root></SAKU>"));
    ::ShowWindow(host.GetHwnd(), SW_SHOWNOACTIVATE);
    Pump();
    auto* const shown = static_cast<SRealWnd*>(host.FindChildByName(L"shown"));
    auto* const later = static_cast<SRealWnd*>(host.FindChildByName(L"later"));
    auto* const early = static_cast<SRealWnd*>(host.FindChildByName(L"early"));
    ASSERT_TRUE(shown && later && early);
    ASSERT_TRUE(shown->IsClass(L"realwnd"));
    EXPECT_TRUE(::IsWindow(shown->GetRealHwnd()));
    EXPECT_TRUE(::IsWindow(early->GetRealHwnd()));
    EXPECT_FALSE(later->GetRealHwnd());   // its parent is hidden
    // One native window each, also for "early", which is both shown and "init" while it is built.
    EXPECT_EQ(2, handler->created);
    EXPECT_EQ(2, handler->initialised);
    EXPECT_EQ(host.GetHwnd(), ::GetParent(shown->GetRealHwnd()));
    EXPECT_TRUE(::GetWindowLongW(shown->GetRealHwnd(), GWL_STYLE) & WS_CHILD);
    wchar_t text[16] = {};
    ::GetWindowTextW(shown->GetRealHwnd(), text, 16);
    EXPECT_STREQ(L"native", text);
    EXPECT_TRUE(SameRect(shown->GetWindowRect(), ChildRect(shown->GetRealHwnd())));
    EXPECT_EQ(80, shown->GetWindowRect().right - shown->GetWindowRect().left);
    EXPECT_TRUE(::IsWindowVisible(shown->GetRealHwnd()));

    host.FindChildByName(L"hidden")->SetVisible(TRUE, TRUE);
    EXPECT_TRUE(::IsWindow(later->GetRealHwnd()));
    EXPECT_EQ(3, handler->created);

    const RECT moved = {30, 60, 130, 90};
    shown->Move(&moved);
    EXPECT_TRUE(SameRect(moved, ChildRect(shown->GetRealHwnd())));
    host.FindChildByName(L"box")->SetVisible(FALSE, TRUE);
    EXPECT_FALSE(::IsWindowVisible(shown->GetRealHwnd()));

    const HWND native = shown->GetRealHwnd();
    host.FindChildByName(L"box")->DestroyWindow();
    EXPECT_EQ(1, handler->destroyed);
    EXPECT_FALSE(::IsWindow(native));
    host.CSimpleWnd::DestroyWindow();
    EXPECT_EQ(3, handler->destroyed);
}

TEST_F(SRealWndTest, WithoutHandlerOnlyKeepsItsRoom)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, L"<SAKU width='100' height='100' wndType='normal'><root>"
                                 L"<realwnd name='rw' init='1' pos='10,10,@30,@30' wndclass='STATIC'/>"
                                 L"</root></SAKU>"));
    auto* const realWnd = static_cast<SRealWnd*>(host.FindChildByName(L"rw"));
    ASSERT_TRUE(realWnd);
    EXPECT_FALSE(realWnd->CreateRealWnd());
    EXPECT_FALSE(realWnd->GetRealHwnd());
    EXPECT_TRUE(SameRect(RECT{10, 10, 40, 40}, realWnd->GetWindowRect()));
}
