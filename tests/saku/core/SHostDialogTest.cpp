#include "HostTest.h"

#include "core/SHostDialog.h"

#include <functional>
#include <string>

using namespace SAKU;
using namespace saku_test;

class SHostDialogTest : public HostTest {};

namespace {

constexpr UINT_PTR kGiveUpTimer = 77;   // ends a dialog whose expected end never came

// A dialog that runs the test's steps at WM_INITDIALOG and at WM_APP, which the
// steps may post to run more once the modal loop runs.
class TestDialog : public SHostDialog {
public:
    using SHostDialog::SHostDialog;

    std::function<void(TestDialog&)> onInit;
    std::function<void(TestDialog&)> onApp;
    bool shown = false;

    BEGIN_MSG_MAP(TestDialog)
        MSG_RANGE_HANDLER(WM_INITDIALOG, WM_INITDIALOG, OnInitDialog)
        MSG_RANGE_HANDLER(WM_APP, WM_APP, OnApp)
        MSG_RANGE_HANDLER(WM_SHOWWINDOW, WM_SHOWWINDOW, OnShow)
        MSG_RANGE_HANDLER(WM_TIMER, WM_TIMER, OnGiveUp)
        CHAIN_MSG_MAP(SHostDialog)
    END_MSG_MAP()

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM)
    {
        if (onInit)
            onInit(*this);
        return TRUE;
    }
    LRESULT OnApp(UINT, WPARAM, LPARAM)
    {
        if (onApp)
            onApp(*this);
        return 0;
    }
    LRESULT OnShow(UINT, WPARAM show, LPARAM)
    {
        shown = shown || show;
        CSimpleWnd::SetMsgHandled(FALSE);
        return 0;
    }
    LRESULT OnGiveUp(UINT, WPARAM id, LPARAM)
    {
        if (id == kGiveUpTimer)
            EndDialog(-1);
        else
            CSimpleWnd::SetMsgHandled(FALSE);
        return 0;
    }
};

void PostApp(TestDialog& dialog)
{
    ::PostMessageW(dialog.GetHwnd(), WM_APP, 0, 0);
}

// A plain top-level window to own dialogs.
struct Owner {
    Owner() { window = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr); }
    ~Owner() { ::DestroyWindow(window); }
    HWND window;
};

}  // namespace

TEST_F(SHostDialogTest, EndDialogKeepsTheFirstCode)
{
    TestDialog dialog(L"LAYOUT:HOST_DIALOG");
    dialog.onInit = PostApp;
    dialog.onApp = [](TestDialog& d) {
        d.EndDialog(5);
        d.EndDialog(7);
    };
    EXPECT_EQ(5, dialog.DoModal());
    EXPECT_TRUE(dialog.shown);
    EXPECT_FALSE(dialog.GetHwnd());
}

TEST_F(SHostDialogTest, EndDialogDuringInitReturnsWithoutShowingAndFreesTheOwner)
{
    Owner owner;
    TestDialog dialog(L"LAYOUT:HOST_DIALOG");
    bool ownerDisabled = false;
    dialog.onInit = [&](TestDialog& d) {
        ownerDisabled = !::IsWindowEnabled(owner.window);
        d.EndDialog(3);
    };
    EXPECT_EQ(3, dialog.DoModal(owner.window));
    EXPECT_TRUE(ownerDisabled);
    EXPECT_FALSE(dialog.shown);
    EXPECT_TRUE(::IsWindowEnabled(owner.window));   // not left disabled by a dialog that never ran
}

TEST_F(SHostDialogTest, DialogDisablesOnlyAnOwnerThatWasEnabled)
{
    const bool ownerEnabledBefore[] = {true, false};
    for (const bool enabled : ownerEnabledBefore) {
        SCOPED_TRACE(enabled);
        Owner owner;
        ::EnableWindow(owner.window, enabled);
        TestDialog dialog(L"LAYOUT:HOST_DIALOG");
        bool disabledWhileRunning = false;
        HWND parent = nullptr;
        dialog.onInit = PostApp;
        dialog.onApp = [&](TestDialog& d) {
            disabledWhileRunning = !::IsWindowEnabled(owner.window);
            parent = ::GetWindow(d.GetHwnd(), GW_OWNER);
            d.EndDialog(1);
        };
        EXPECT_EQ(1, dialog.DoModal(owner.window));
        EXPECT_TRUE(disabledWhileRunning);
        EXPECT_EQ(owner.window, parent);
        EXPECT_EQ(enabled, ::IsWindowEnabled(owner.window) != FALSE);
    }
}

TEST_F(SHostDialogTest, EscAndEnterClickTheElementsWithIdsTwoAndOne)
{
    const struct { const wchar_t* layout; WPARAM key; int result; } cases[] = {
        {L"LAYOUT:HOST_DIALOG", VK_ESCAPE, IDCANCEL},
        {L"LAYOUT:HOST_DIALOG", VK_RETURN, IDOK},
        {L"LAYOUT:HOST_DIALOG_OK", VK_RETURN, IDOK},
        {L"LAYOUT:HOST_DIALOG_OK", VK_ESCAPE, 9},   // nothing with id 2: Esc does nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " in " << std::string(c.layout, c.layout + wcslen(c.layout)));
        TestDialog dialog(c.layout);
        dialog.onInit = PostApp;
        dialog.onApp = [&](TestDialog& d) {
            ::SendMessageW(d.GetHwnd(), WM_KEYDOWN, c.key, 0);
            d.EndDialog(9);
        };
        EXPECT_EQ(c.result, dialog.DoModal());
    }
}

TEST_F(SHostDialogTest, QuitDuringTheModalLoopReachesTheOuterLoop)
{
    TestDialog dialog(L"LAYOUT:HOST_DIALOG");
    dialog.onInit = PostApp;
    dialog.onApp = [](TestDialog&) { ::PostQuitMessage(4); };
    EXPECT_EQ(SHostDialog::kNotEnded, dialog.DoModal());
    MSG quit;
    ASSERT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(4u, quit.wParam);
}

TEST_F(SHostDialogTest, ClosingTheDialogCancelsIt)
{
    TestDialog dialog(L"LAYOUT:HOST_DIALOG");
    dialog.onInit = PostApp;
    dialog.onApp = [](TestDialog& d) { ::SendMessageW(d.GetHwnd(), WM_CLOSE, 0, 0); };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
}

// A real click of the display server on OK or Cancel ends the dialog with 1 or 2.
TEST_F(SHostDialogTest, LayoutDialogEndsWithTheButtonClickedWithTheMouse)
{
    const struct { const wchar_t* name; int result; } cases[] = {{L"ok", IDOK}, {L"cancel", IDCANCEL}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
        TestDialog dialog(L"LAYOUT:HOST_DIALOG");
        dialog.onInit = [&](TestDialog& d) {
            SWindow* const button = d.FindChildByName(c.name);
            ASSERT_TRUE(button);
            const RECT rect = button->GetWindowRect();
            const POINT centre = OnScreen(d.GetHwnd(), POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
            ::SetTimer(d.GetHwnd(), kGiveUpTimer, 20000, nullptr);
            StartXdotool("mousemove " + std::to_string(centre.x) + " " + std::to_string(centre.y) +
                         " sleep 1 click 1");
        };
        EXPECT_EQ(c.result, dialog.DoModal());
        EXPECT_TRUE(PumpUntil([&] { return XdotoolDone(); }));
    }
}
