#include "InstallerTest.h"
#include "RenderTestSupport.h"

#include "ProbeMainDlg.h"

#include <cstdint>

using namespace SAKU;
using namespace installer_test;

class MainWindowTest : public InstallerTest {};

// The wizard's window as start-up shows it: its layout's size, translucent, its
// background and caption buttons drawn; kept as a PNG for the eye when
// TIVALA_PAINT_PNG names a folder. The manifest's fetch is only counted, so
// that no question about an unreachable server comes up.
TEST_F(MainWindowTest, ShowsTheWizardLayoutTranslucent)
{
    ProbeMainDlg dialog;
    const HWND window = dialog.Create(nullptr, 0, 0, 0, 0);
    ASSERT_TRUE(window);
    ::SendMessageW(window, WM_INITDIALOG, 0, 0);
    dialog.CenterWindow(window);
    ::ShowWindow(window, SW_SHOWNORMAL);
    Pump();
    dialog.MarkFullRedraw();
    dialog.UpdateWindow();

    RECT client = {};
    ::GetClientRect(window, &client);
    EXPECT_EQ(340, client.right);
    EXPECT_EQ(420, client.bottom);
    EXPECT_TRUE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    const saku_test::Pixels drawn = saku_test::ReadPixels(dialog.GetCacheTarget());
    ASSERT_EQ(size_t(340 * 420), drawn.size());
    const POINT covered[] = {{170, 210}, {5, 415}, {325, 15}, {295, 15}};   // body, corner, close, minimise
    for (const POINT& p : covered)
        EXPECT_NE(0u, saku_test::PixelAt(drawn, 340, p.x, p.y) >> 24) << p.x << "," << p.y;
    saku_test::KeepPng(dialog.GetCacheTarget(), L"TIVALA_PAINT_PNG", L"main_window");
    DestroyHost(dialog);
}
