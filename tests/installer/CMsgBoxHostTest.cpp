#include "InstallerTest.h"
#include "ProbeMsgBox.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace SAKU;
using namespace installer_test;

class CMsgBoxHostTest : public InstallerTest {};

// A click of the display server's mouse on a button of the box shown on screen
// ends it with that button's answer: the question's right button 1, its left
// button 0, the notice's one button 1.
TEST_F(CMsgBoxHostTest, ButtonClickedWithTheMouseGivesItsAnswer)
{
    const struct { int type; const wchar_t* button; int answer; } cases[] = {
        {CMsgBox::kTwoButtons, L"page_okcancle_btn_ok", 1},
        {CMsgBox::kTwoButtons, L"page_okcancle_btn_cancle", 0},
        {CMsgBox::kOneButton, L"page_ok_btn_ok", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::wstring(c.button).c_str());
        ProbeMsgBox box(nullptr, L"提示", L"正在安装中，确定要退出吗？", c.type);
        box.afterInit = [&](ProbeMsgBox& b) {
            SWindow* const button = b.FindChildByName(c.button);
            ASSERT_TRUE(button);
            const RECT rect = button->GetWindowRect();
            const POINT centre =
                OnScreen(b.GetHwnd(), POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
            b.GiveUpAfter(20000);
            StartXdotool("mousemove " + std::to_string(centre.x) + " " + std::to_string(centre.y) + " sleep 1 click 1");
        };
        EXPECT_EQ(1, box.DoModal(nullptr));
        EXPECT_EQ(c.answer, box.GetAnswer());
        EXPECT_TRUE(PumpUntil([&] { return XdotoolDone(); }));
    }
}

namespace {

// The box with the messages it was sent from the press on, in order: the mouse
// buttons, a hide of its window, a timer, its destruction.
class MessageLogBox : public ProbeMsgBox {
public:
    using ProbeMsgBox::ProbeMsgBox;

    std::vector<UINT> log;

    BEGIN_MSG_MAP(MessageLogBox)
        MSG_RANGE_HANDLER(WM_LBUTTONDOWN,       WM_LBUTTONUP, OnLogged)
        MSG_RAW_HANDLER  (WM_SHOWWINDOW,        OnLogged)
        MSG_RAW_HANDLER  (WM_WINDOWPOSCHANGING, OnLogged)
        MSG_RAW_HANDLER  (WM_TIMER,             OnLogged)
        MSG_RAW_HANDLER  (WM_DESTROY,           OnLogged)
        CHAIN_MSG_MAP    (ProbeMsgBox)
    END_MSG_MAP()

private:
    LRESULT OnLogged(UINT message, WPARAM, LPARAM lParam)
    {
        const bool hide =
            message == WM_WINDOWPOSCHANGING && (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW);
        const bool pressed = std::find(log.begin(), log.end(), UINT(WM_LBUTTONDOWN)) != log.end();
        if (message == WM_LBUTTONDOWN || (pressed && (message != WM_WINDOWPOSCHANGING || hide)))
            log.push_back(message);
        CSimpleWnd::SetMsgHandled(FALSE);   // the box handles each as before
        return 0;
    }
};

}  // namespace

// The button's release itself takes the box away: its window is destroyed while
// the release is handled, with no hide or timer in between. A hide of a shown
// window is what made every answer come 2 s late under Wine on a display without
// a window manager.
TEST_F(CMsgBoxHostTest, ClickedButtonTakesTheBoxDownOnItsReleaseWithoutAHide)
{
    const struct { int type; const wchar_t* button; } cases[] = {
        {CMsgBox::kTwoButtons, L"page_okcancle_btn_ok"},
        {CMsgBox::kTwoButtons, L"page_okcancle_btn_cancle"},
        {CMsgBox::kOneButton, L"page_ok_btn_ok"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::wstring(c.button).c_str());
        MessageLogBox box(nullptr, L"提示", L"下载文件出错，需要重试吗？", c.type);
        box.afterInit = [&](ProbeMsgBox& b) {
            const RECT rect = b.FindChildByName(c.button)->GetWindowRect();
            const POINT centre =
                OnScreen(b.GetHwnd(), POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
            b.GiveUpAfter(20000);
            StartXdotool("mousemove " + Xy(centre) + " sleep 1 click 1");
        };
        EXPECT_EQ(1, box.DoModal(nullptr));
        EXPECT_TRUE(PumpUntil([&] { return XdotoolDone(); }));
        const std::vector<UINT> expected = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_DESTROY};
        EXPECT_EQ(expected, box.log);
    }
}
