#include "InstallerTest.h"
#include "ProbeMsgBox.h"
#include "RenderTestSupport.h"

#include "controls/STabCtrl.h"
#include "core/Events.h"

#include <cstdint>
#include <string>

using namespace SAKU;
using namespace installer_test;

class CMsgBoxTest : public InstallerTest {};

TEST_F(CMsgBoxTest, TypeChoosesThePagesAndWhereTheTextGoes)
{
    const struct { int type; int page; const wchar_t* textName; } cases[] = {
        {CMsgBox::kOneButton, 0, L"page_ok_msgtext"},
        {CMsgBox::kTwoButtons, 1, L"page_okcancle_msgtext"},
        {7, 0, nullptr},   // the layout as it stands: its first pages, no text
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        ProbeMsgBox box(nullptr, L"提示", L"检测到Tivala正在运行", c.type);
        int buttonsPage = -1;
        int textsPage = -1;
        SStringW shown;
        SStringW other;
        box.afterInit = [&](ProbeMsgBox& b) {
            buttonsPage = b.FindChildByName2<STabCtrl>(L"btnSwitch")->GetCurSel();
            textsPage = b.FindChildByName2<STabCtrl>(L"showSwitch")->GetCurSel();
            if (c.textName)
                shown = b.FindChildByName(c.textName)->GetWindowText();
            other = b.FindChildByName(c.type == CMsgBox::kOneButton ? L"page_okcancle_msgtext" : L"page_ok_msgtext")
                        ->GetWindowText();
            b.EndDialog(5);
        };
        EXPECT_EQ(5, box.DoModal(nullptr));
        EXPECT_EQ(c.page, buttonsPage);
        EXPECT_EQ(c.page, textsPage);
        if (c.textName) {
            EXPECT_EQ(SStringW(L"检测到Tivala正在运行"), shown);
        }
        EXPECT_TRUE(other.IsEmpty());
        EXPECT_EQ(SStringW(L"提示"), box.GetTitle());   // kept, never shown
    }
}

// Closing the box without its buttons leaves the answer its type presets: the
// notice's 1, the question's left button's 0.
TEST_F(CMsgBoxTest, ClosedWithoutItsButtonsTheBoxKeepsThePresetAnswer)
{
    const struct { int type; int answer; } cases[] = {
        {CMsgBox::kOneButton, 1}, {CMsgBox::kTwoButtons, 0}, {7, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        ProbeMsgBox box(nullptr, L"提示", L"text", c.type);
        EXPECT_EQ(c.answer, box.GetAnswer());
        box.afterInit = [](ProbeMsgBox& b) { b.PostApp(); };
        box.onApp = [](ProbeMsgBox& b) { ::SendMessageW(b.GetHwnd(), WM_CLOSE, 0, 0); };
        EXPECT_EQ(IDCANCEL, box.DoModal(nullptr));
        EXPECT_EQ(c.answer, box.GetAnswer());
    }
}

// A button's command ends the loop with 1, takes the window down at once and
// leaves the button's answer.
TEST_F(CMsgBoxTest, EachButtonGivesItsAnswerAndTakesTheWindowDown)
{
    const struct { int type; const wchar_t* button; int answer; } cases[] = {
        {CMsgBox::kOneButton, L"page_ok_btn_ok", 1},
        {CMsgBox::kTwoButtons, L"page_okcancle_btn_ok", 1},
        {CMsgBox::kTwoButtons, L"page_okcancle_btn_cancle", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::wstring(c.button).c_str());
        ProbeMsgBox box(nullptr, L"提示", L"text", c.type);
        bool goneAtOnce = false;
        box.afterInit = [](ProbeMsgBox& b) { b.PostApp(); };
        box.onApp = [&](ProbeMsgBox& b) {
            const HWND window = b.GetHwnd();
            b.FindChildByName(c.button)->FireCommand();
            goneAtOnce = !::IsWindow(window);
        };
        EXPECT_EQ(1, box.DoModal(nullptr));
        EXPECT_TRUE(goneAtOnce);
        EXPECT_EQ(c.answer, box.GetAnswer());
    }
}

// Another element with the id 1 or 2 ends the box as OK or Cancel would,
// leaving the answer as it was.
TEST_F(CMsgBoxTest, OtherSendersWithTheIdsOneAndTwoEndTheBoxAsOkAndCancel)
{
    const struct { const wchar_t* id; int code; } cases[] = {{L"1", IDOK}, {L"2", IDCANCEL}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::wstring(c.id).c_str());
        ProbeMsgBox box(nullptr, L"提示", L"text", CMsgBox::kTwoButtons);
        BOOL handled = FALSE;
        box.afterInit = [](ProbeMsgBox& b) { b.PostApp(); };
        box.onApp = [&](ProbeMsgBox& b) {
            auto stranger = SAutoRef<SWindow>::Adopt(App().CreateWindowByName(L"window"));
            stranger->ApplyAttribute(L"id", c.id, FALSE);
            EventCmd command(stranger.Get());
            handled = b.HandleEvent(&command);
        };
        EXPECT_EQ(c.code, box.DoModal(nullptr));
        EXPECT_TRUE(handled);
        EXPECT_EQ(0, box.GetAnswer());
    }
}

// The box drawn as the installer shows it at start-up when it already runs;
// kept as a PNG for the eye when TIVALA_PAINT_PNG names a folder.
TEST_F(CMsgBoxTest, DrawsTheBoxWithItsButtonAndText)
{
    const struct { int type; const wchar_t* text; const wchar_t* png; } cases[] = {
        {CMsgBox::kOneButton, L"安装程序已经启动！", L"msgbox_notice"},
        {CMsgBox::kTwoButtons, L"检测到Tivala正在运行，确定要强制关闭并继续安装吗？", L"msgbox_question"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::wstring(c.png).c_str());
        ProbeMsgBox box(nullptr, L"提示", c.text, c.type);
        saku_test::Pixels drawn;
        RECT textRect = {};
        box.afterInit = [](ProbeMsgBox& b) { b.PostApp(); };
        box.onApp = [&](ProbeMsgBox& b) {
            b.MarkFullRedraw();
            b.UpdateWindow();
            drawn = saku_test::ReadPixels(b.GetCacheTarget());
            textRect = b.FindChildByName(c.type == CMsgBox::kOneButton ? L"page_ok_msgtext" : L"page_okcancle_msgtext")
                           ->GetWindowRect();
            saku_test::KeepPng(b.GetCacheTarget(), L"TIVALA_PAINT_PNG", c.png);
            b.EndDialog(2);
        };
        EXPECT_EQ(2, box.DoModal(nullptr));
        ASSERT_EQ(size_t(320 * 150), drawn.size());
        // The background covers the box, and the text's white strokes are in its rectangle.
        EXPECT_NE(0u, saku_test::PixelAt(drawn, 320, 160, 5) >> 24);
        int whitish = 0;
        for (int y = textRect.top; y < textRect.bottom; ++y) {
            for (int x = textRect.left; x < textRect.right; ++x) {
                const std::uint32_t p = saku_test::PixelAt(drawn, 320, x, y);
                whitish += (p >> 24) > 0xC0 && (p & 0xFF) > 0xC0 && ((p >> 8) & 0xFF) > 0xC0 && ((p >> 16) & 0xFF) > 0xC0;
            }
        }
        EXPECT_GT(whitish, 20);
    }
}
