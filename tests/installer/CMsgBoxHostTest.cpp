#include "InstallerTest.h"
#include "ProbeMsgBox.h"

#include <string>

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
