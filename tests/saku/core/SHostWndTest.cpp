#include "HostTest.h"

#include "../render/RenderTestSupport.h"

#include "core/SMessageLoop.h"
#include "render/IBitmap.h"

#include <cstdlib>

using namespace SAKU;
using namespace saku_test;

class SHostWndTest : public HostTest {};

namespace {

// Whether two stored pixels differ by at most one in every byte (rounding of blends).
bool NearPixel(std::uint32_t a, std::uint32_t b)
{
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 1)
            return false;
    }
    return true;
}

}  // namespace

// The test layout (340 x 420, translucent, the application's main window, its own
// skin, a caption and a text) becomes a visible centred window whose surface
// holds what the layout draws, and its end ends the main loop with 1.
TEST_F(SHostWndTest, TestLayoutBecomesACentredTranslucentWindow)
{
    SHostWnd host(L"LAYOUT:HOST_MAIN");
    const HWND window = host.Create(nullptr);
    ASSERT_TRUE(window);
    RECT rect = host.CSimpleWnd::GetWindowRect();
    EXPECT_EQ(340, rect.right - rect.left);
    EXPECT_EQ(420, rect.bottom - rect.top);
    RECT work = {};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((rect.left + rect.right) / 2 - (work.left + work.right) / 2), 1);
    EXPECT_LE(std::abs((rect.top + rect.bottom) / 2 - (work.top + work.bottom) / 2), 1);
    EXPECT_TRUE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    wchar_t title[64] = {};
    ::GetWindowTextW(window, title, 64);
    EXPECT_STREQ(L"Tivala host test", title);

    ::ShowWindow(window, SW_SHOWNORMAL);
    ::UpdateWindow(window);
    Pump();
    ASSERT_TRUE(::IsWindowVisible(window));
    // Xvfb shows layered windows unblended: the host's own surface is the truth.
    IRenderTarget* const surface = host.GetCacheTarget();
    ASSERT_TRUE(surface);
    ASSERT_EQ(340, CurrentBitmap(surface)->Width());
    const Pixels pixels = ReadPixels(surface);
    ASSERT_FALSE(pixels.empty());
    EXPECT_TRUE(NearPixel(Stored(0x80A06020), PixelAt(pixels, 340, 300, 120))) << std::hex << PixelAt(pixels, 340, 300, 120);
    EXPECT_TRUE(NearPixel(Stored(0xFF804020), PixelAt(pixels, 340, 170, 20))) << std::hex << PixelAt(pixels, 340, 170, 20);
    EXPECT_TRUE(NearPixel(Stored(0xFFFFFFFF), PixelAt(pixels, 340, 30, 205))) << std::hex << PixelAt(pixels, 340, 30, 205);

    KeepPng(surface, L"TIVALA_HOST_PNG", L"host_surface");
    KeepScreen(L"TIVALA_HOST_PNG", L"host_screen");

    // An "appMain" window ends the application's loop with 1 when it goes.
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, App().GetMsgLoop()->Run());
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(SHostWndTest, TranslucentHostPaintsThroughItsDummyWindow)
{
    SHostWnd host(L"HOST_MAIN");   // a layout name without a type is a "LAYOUT"
    const HWND window = host.Create(nullptr);
    ASSERT_TRUE(window);
    // Tests in other processes of the same Wine session have dummy windows too.
    HWND dummy = nullptr;
    for (HWND found = nullptr; (found = ::FindWindowExW(nullptr, found, nullptr, L"SAKU_DUMMY_WND")) != nullptr;) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(found, &process);
        if (process == ::GetCurrentProcessId()) {
            dummy = found;
            break;
        }
    }
    ASSERT_TRUE(dummy);
    EXPECT_EQ(window, ::GetWindow(dummy, GW_OWNER));
    EXPECT_TRUE(::GetWindowLongW(dummy, GWL_EXSTYLE) & WS_EX_NOACTIVATE);
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    Pump();
    // A change of an element comes back through the dummy window's paint.
    SWindow* const label = host.FindChildByName(L"label");
    ASSERT_TRUE(label);
    label->GetStyle().ApplyAttribute(L"colorBkgnd", L"#00FF00FF", FALSE);
    label->InvalidateArea();
    EXPECT_TRUE(PumpUntil([&] { return PixelAt(ReadPixels(host.GetCacheTarget()), 340, 30, 205) == Stored(0xFF00FF00); }));
    host.CSimpleWnd::DestroyWindow();
    EXPECT_TRUE(DropQuitMessage());   // the appMain window's end
    EXPECT_FALSE(::IsWindow(dummy));
}

TEST_F(SHostWndTest, WindowTypeDecidesWhetherTheLoopEnds)
{
    const struct { const wchar_t* xml; DWORD style; bool quits; } cases[] = {
        {L"<SAKU width='50' height='50' wndType='appMain'/>", WS_POPUP, true},
        {L"<SAKU width='50' height='50' wndType='normal'/>", 0, false},
        {L"<SAKU width='50' height='50'/>", 0, true},           // "undefine" top-level window
        {L"<SAKU width='50' height='50'/>", WS_POPUP, false},   // "undefine" pop-up
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xml);
        SHostWnd host;
        ASSERT_TRUE(host.CreateEx(nullptr, c.style, 0, 0, 0, 0, 0));
        pugi::xml_document document;
        ASSERT_TRUE(document.load_string(c.xml));
        ASSERT_TRUE(host.LoadFromXml(document.child(L"SAKU"), 0, 0));
        host.CSimpleWnd::DestroyWindow();
        EXPECT_EQ(c.quits, DropQuitMessage());
    }
}

TEST_F(SHostWndTest, AHostMadeBeforeTheApplicationRefusesItsLayout)
{
    SakuAppTest::TearDown();   // no application for a moment
    SHostWnd early;
    SakuAppTest::SetUp();
    EXPECT_EQ(0u, early.GetSwnd());
    ASSERT_TRUE(early.CreateEx(nullptr, WS_POPUP, 0, 0, 0, 0, 0));
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(L"<SAKU width='50' height='50'><root><window pos='0,0,10,10'/></root></SAKU>"));
    EXPECT_FALSE(early.LoadFromXml(document.child(L"SAKU"), 0, 0));
    EXPECT_EQ(0, early.GetChildrenCount());

    SHostWnd later;   // the same, made after the application
    ASSERT_TRUE(later.CreateEx(nullptr, WS_POPUP, 0, 0, 0, 0, 0));
    EXPECT_TRUE(later.LoadFromXml(document.child(L"SAKU"), 0, 0));
    EXPECT_EQ(1, later.GetChildrenCount());
    early.CSimpleWnd::DestroyWindow();
    later.CSimpleWnd::DestroyWindow();
    DropQuitMessage();
}

TEST_F(SHostWndTest, OpaqueElementRedrawsThroughTheQueue)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, L"<SAKU width='100' height='80' wndType='normal'><root colorBkgnd='#FFFFFFFF'>"
                                 L"<window name='w' pos='10,10,@20,@20' bkgndBlend='0' colorBkgnd='#FF0000FF'/>"
                                 L"</root></SAKU>"));
    ::ShowWindow(host.GetHwnd(), SW_SHOWNOACTIVATE);
    Pump();
    SWindow* const w = host.FindChildByName(L"w");
    ASSERT_TRUE(w);
    EXPECT_EQ(Stored(0xFF0000FF), PixelAt(ReadPixels(host.GetCacheTarget()), 100, 15, 15));
    w->GetStyle().ApplyAttribute(L"colorBkgnd", L"#0000FFFF", FALSE);
    const RECT rect = w->GetWindowRect();
    w->InvalidateRect(rect);
    w->InvalidateRect(rect);
    EXPECT_TRUE(PumpUntil([&] { return PixelAt(ReadPixels(host.GetCacheTarget()), 100, 15, 15) == Stored(0xFFFF0000); }));
    EXPECT_EQ(Stored(0xFFFFFFFF), PixelAt(ReadPixels(host.GetCacheTarget()), 100, 5, 5));
}

// The host draws the caret into its own surface by inverting it, so hiding it
// gives the pixels back exactly.
TEST_F(SHostWndTest, CaretIsDrawnIntoTheSurfaceAndErasedAgain)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, L"<SAKU width='100' height='80' wndType='normal'><root>"
                                 L"<window name='edit' pos='10,10,@60,@30' colorBkgnd='#FFFFFFFF'/>"
                                 L"</root></SAKU>"));
    ::ShowWindow(host.GetHwnd(), SW_SHOWNOACTIVATE);
    Pump();
    SWindow* const edit = host.FindChildByName(L"edit");
    ASSERT_TRUE(edit);
    const std::uint32_t white = PixelAt(ReadPixels(host.GetCacheTarget()), 100, 30, 20);
    ASSERT_EQ(Stored(0xFFFFFFFF), white);
    ASSERT_TRUE(edit->CreateCaret(nullptr, 2, 12));
    edit->SetCaretPos(30, 15);
    edit->ShowCaret(TRUE);
    EXPECT_NE(white, PixelAt(ReadPixels(host.GetCacheTarget()), 100, 30, 20));
    edit->SetCaretPos(40, 15);   // moves: the old place is clean again
    EXPECT_EQ(white, PixelAt(ReadPixels(host.GetCacheTarget()), 100, 30, 20));
    EXPECT_NE(white, PixelAt(ReadPixels(host.GetCacheTarget()), 100, 40, 20));
    edit->ShowCaret(FALSE);
    EXPECT_EQ(white, PixelAt(ReadPixels(host.GetCacheTarget()), 100, 40, 20));
}

TEST_F(SHostWndTest, TranslucentHostAnimatesThroughItsSurface)
{
    SHostWnd host(L"LAYOUT:HOST_MAIN");
    const HWND window = host.Create(nullptr);
    ASSERT_TRUE(window);
    EXPECT_FALSE(host.AnimateHostWindow(100, AW_HOR_POSITIVE));   // neither slide, centre nor blend
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_TRUE(host.AnimateHostWindow(5, AW_SLIDE | AW_HOR_POSITIVE));   // under 10 ms: shown at once
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_TRUE(host.AnimateHostWindow(50, AW_HIDE | AW_BLEND));
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_TRUE(host.AnimateHostWindow(50, AW_CENTER | AW_ACTIVATE));
    EXPECT_TRUE(::IsWindowVisible(window));
    DestroyHost(host);   // the appMain window's end
}

// A host whose layout leaves its size to the root takes the root's size and
// follows it.
TEST_F(SHostWndTest, WrapContentHostFollowsItsRoot)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, L"<SAKU width='wrapContent' height='wrapContent' margin='3,3,3,3' wndType='normal'>"
                                 L"<root><window name='box' pos='0,0,@120,@70'/></root></SAKU>"));
    RECT client = {};
    ::GetClientRect(host.GetHwnd(), &client);
    const RECT box = host.FindChildByName(L"box")->GetWindowRect();
    EXPECT_EQ(box.right, client.right);
    EXPECT_EQ(box.bottom, client.bottom);
    EXPECT_EQ(0, host.GetHostAttr().GetMarginRect(100).left);   // no resize border where the size follows the root

    host.FindChildByName(L"box")->ApplyAttribute(L"pos", L"0,0,@150,@90", FALSE);
    ::ShowWindow(host.GetHwnd(), SW_SHOWNOACTIVATE);
    // The relayout waits for the next paint.
    PumpUntil([&] { return ::GetClientRect(host.GetHwnd(), &client) && client.right == 150; });
    const RECT root = host.SWindow::GetWindowRect();
    EXPECT_EQ(150, root.right);   // the root itself was laid out to its new size
    EXPECT_EQ(150, client.right);
    EXPECT_EQ(90, client.bottom);
}
