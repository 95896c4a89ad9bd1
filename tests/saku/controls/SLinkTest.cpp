// The hyperlink: href shown when there is no text, the hot rectangle placed by
// the alignment, only the text taking hover, cursor and clicks, and the shell
// opening href (a batch file that notes each run in a scratch folder stands for a
// browser).

#include "ControlTest.h"

#include "controls/SLink.h"

#include "HostCommand.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

class SLinkTest : public ControlTest {
protected:
    // The extent of the text as the link's font draws it on one line.
    SIZE TextSize(SLink* link, const wchar_t* text)
    {
        SAutoRef<IRenderTarget> target;
        EXPECT_TRUE(m_renderFactory->CreateRenderTarget(target.Put(), 1, 1));
        link->ApplyAncestorPaintState(target.Get());
        RECT rect = {};
        target->DrawText(text, -1, &rect, DT_SINGLELINE | DT_CALCRECT);
        return SIZE{rect.right - rect.left, rect.bottom - rect.top};
    }
    void Click(int x, int y)
    {
        m_host->Mouse(WM_MOUSEMOVE, x, y);
        m_host->Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
        m_host->Mouse(WM_LBUTTONUP, x, y);
    }
};

}  // namespace

TEST_F(SLinkTest, LinkWithoutTextShowsItsHref)
{
    Build(L"<root><link name='bare' href='https://example.invalid/'/>"
          L"<link name='named' href='@string/ok'/>"
          L"<link name='texted' href='https://example.invalid/'>帮助</link></root>");
    EXPECT_EQ(SStringW(L"https://example.invalid/"), Find<SLink>(L"bare")->GetWindowText());
    EXPECT_EQ(SStringW(L"确定"), Find<SLink>(L"named")->GetHref());   // through the named strings
    EXPECT_EQ(SStringW(L"确定"), Find<SLink>(L"named")->GetWindowText());
    EXPECT_EQ(SStringW(L"帮助"), Find<SLink>(L"texted")->GetWindowText());
}

TEST_F(SLinkTest, HotRectangleIsWhereTheAlignmentPutsTheText)
{
    const struct {
        const wchar_t* align;
        const wchar_t* valign;
        int left;     // 0 left, 1 centre, 2 right of the free width
        int top;      // likewise of the free height
    } cases[] = {
        {L"left",   L"top",    0, 0},
        {L"center", L"middle", 1, 1},
        {L"right",  L"bottom", 2, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.align) + L" " + c.valign));
        Build((std::wstring(L"<root><link name='l' pos='20,20,@160,@60' margin='0' align='") + c.align +
               L"' valign='" + c.valign + L"'>link text</link></root>").c_str());
        SLink* const link = Find<SLink>(L"l");
        Paint();
        Keep((std::wstring(L"link_") + c.align).c_str());
        const SIZE size = TextSize(link, L"link text");
        const RECT hot = link->GetHotRect();
        EXPECT_EQ(20 + c.left * (160 - size.cx) / 2, hot.left);
        EXPECT_EQ(20 + c.top * (60 - size.cy) / 2, hot.top);
        EXPECT_EQ(size.cx, hot.right - hot.left);
        EXPECT_EQ(size.cy, hot.bottom - hot.top);
        link->DestroyWindow();
    }
}

TEST_F(SLinkTest, OnlyTheTextHoversAndSetsTheCursor)
{
    Build(L"<root><link name='l' pos='20,20,@160,@60' margin='0' valign='top' cursor='hand'>link</link></root>");
    SLink* const link = Find<SLink>(L"l");
    Paint();
    const RECT hot = link->GetHotRect();

    m_host->Mouse(WM_MOUSEMOVE, 170, 70);   // inside the window, beside the text
    EXPECT_FALSE(link->GetState() & WndState_Hover);
    EXPECT_FALSE(link->OnSetCursor(POINT{170, 70}));
    m_host->Mouse(WM_MOUSEMOVE, hot.left + 1, hot.top + 1);
    EXPECT_TRUE(link->GetState() & WndState_Hover);
    EXPECT_TRUE(link->OnSetCursor(POINT{hot.left + 1, hot.top + 1}));
    EXPECT_EQ(App().LoadCursor(L"hand"), ::GetCursor());
    m_host->Mouse(WM_MOUSEMOVE, 170, 70);
    EXPECT_FALSE(link->GetState() & WndState_Hover);
}

TEST_F(SLinkTest, ClickOnTheTextFiresTheCommandAndOpensHrefClickBesideItNothing)
{
    tivala::test::ScratchDir scratch;
    const std::wstring notes = scratch.File(L"opened.txt");
    // Each run of the target adds a line; the last command is the write itself.
    ASSERT_TRUE(scratch.Write(L"open.bat", "@echo opened>>\"" + std::string(notes.begin(), notes.end()) + "\"\r\n"));
    const std::wstring href = scratch.File(L"open.bat");
    Build(L"<root><link name='l' pos='20,20,@160,@60' margin='0' valign='top'>link</link></root>");
    SLink* const link = Find<SLink>(L"l");
    link->ApplyAttribute(L"href", href.c_str(), FALSE);
    CommandCounter counter;
    CountCommands(link, counter);
    Paint();
    const RECT hot = link->GetHotRect();

    Click(170, 70);   // beside the text
    EXPECT_EQ(0, counter.commands);
    EXPECT_FALSE(link->GetState() & WndState_PushDown);
    EXPECT_EQ(0u, m_host->OnGetSwndCapture());

    // Pressed beside the text and released on it: no click either.
    m_host->Mouse(WM_MOUSEMOVE, 170, 70);
    m_host->Mouse(WM_LBUTTONDOWN, 170, 70, MK_LBUTTON);
    m_host->Mouse(WM_MOUSEMOVE, hot.left + 1, hot.top + 1);
    m_host->Mouse(WM_LBUTTONUP, hot.left + 1, hot.top + 1);
    EXPECT_EQ(0, counter.commands);

    Click(hot.left + 1, hot.top + 1);
    EXPECT_EQ(1, counter.commands);
    ASSERT_TRUE(tivala::test::WaitForFile(notes, 30000));
    // The line may be read while it is being written: wait for its end.
    std::string opened;
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (tivala::test::ScratchDir::Read(notes, opened) && opened.size() >= 2 && opened.back() == '\n')
            break;
        ::Sleep(50);
    }
    // A wrong open, started before the right one, would have written first.
    EXPECT_EQ("opened\r\n", opened);
}

TEST_F(SLinkTest, EmptyHrefFiresTheCommandOnly)
{
    Build(L"<root><link name='l' pos='20,20,@160,@60' margin='0' valign='top'>link</link></root>");
    SLink* const link = Find<SLink>(L"l");
    CommandCounter counter;
    CountCommands(link, counter);
    Paint();
    const RECT hot = link->GetHotRect();
    Click(hot.left + 1, hot.top + 1);
    EXPECT_EQ(1, counter.commands);
    EXPECT_TRUE(link->GetHref().IsEmpty());
}
