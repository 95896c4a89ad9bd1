// Every control of the library in one real host window, laid out from one
// layout and painted by the host; the display server's mouse checks a check box
// and moves the choice of a radio group.

#include "../core/HostTest.h"
#include "../render/RenderTestSupport.h"

#include "controls/SAnimateImgWnd.h"
#include "controls/SCheckBox.h"
#include "controls/SProgress.h"
#include "controls/SRadioBox.h"
#include "controls/STabCtrl.h"
#include "controls/STabPage.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

class ControlGalleryHostTest : public HostTest {
protected:
    void TearDown() override
    {
        if (m_host && m_host->GetHwnd())
            m_host->CSimpleWnd::DestroyWindow();
        m_host.reset();
        DropQuitMessage();   // the host's end
        HostTest::TearDown();
    }

    // The gallery, shown and painted.
    void Open()
    {
        // Made after the application: a window takes its handle from the window
        // manager and its layout from the factories when it is constructed, so a
        // host made before them (as a fixture's member would be) builds a tree
        // that nothing places and no mouse message finds.
        m_host = std::make_unique<SHostWnd>();
        ASSERT_TRUE(LoadLayout(*m_host, kGallery));
        // The pictures are of controls at rest: a pointer that an earlier test left
        // where the gallery opens would show the button hovered.
        ::SetCursorPos(0, 0);
        ::ShowWindow(m_host->GetHwnd(), SW_SHOWNORMAL);
        ::SetForegroundWindow(m_host->GetHwnd());
        ::UpdateWindow(m_host->GetHwnd());
        Pump();
    }
    std::uint32_t Pixel(int x, int y)
    {
        const int width = m_host->GetCacheTarget() ? CurrentBitmap(m_host->GetCacheTarget())->Width() : 0;
        return PixelAt(ReadPixels(m_host->GetCacheTarget()), width, x, y);
    }
    void Click(POINT client)
    {
        const POINT on = OnScreen(m_host->GetHwnd(), client);
        StartXdotool("mousemove " + std::to_string(on.x) + " " + std::to_string(on.y) + " sleep 0.3 click 1 sleep 0.3");
        ASSERT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
        Pump();
    }

    static const wchar_t kGallery[];
    std::unique_ptr<SHostWnd> m_host;
};

const wchar_t ControlGalleryHostTest::kGallery[] =
    L"<SAKU width='340' height='420' wndType='normal' title='Control gallery'>"
    L"<skin>"
    L"<colorrect name='g_btn' normal='#4080ff' hover='#60a0ff' pushdown='#2060c0' disable='#808080'/>"
    L"<imglist name='g_box' src='png:sbar_cells' states='9'/>"
    L"<imglist name='g_frames' src='png:states16' states='3'/>"
    L"<colorrect name='g_bk' normal='#d0d0d0'/>"
    L"<colorrect name='g_pos' normal='#20a020'/>"
    L"<colorrect name='g_tab' normal='#c0c0c0' hover='#e0e0e0' pushdown='#ffffff'/>"
    L"</skin>"
    L"<root colorBkgnd='#FFFFFFFF'>"
    L"<text name='text' pos='10,10'>Text 文字</text>"
    L"<button name='button' pos='10,35,@80,@26' skin='g_btn'>Button</button>"
    L"<link name='link' pos='100,40'>Link</link>"
    L"<imgbtn name='imgbtn' pos='180,40,@48,@16' skin='g_frames'/>"
    L"<check name='check' pos='10,70,@150,@40' skin='g_box'>Check</check>"
    L"<radio name='radio1' pos='170,70,@80,@40' skin='g_box' checked='1'>One</radio>"
    L"<radio name='radio2' pos='250,70,@80,@40' skin='g_box'>Two</radio>"
    L"<toggle name='toggle' pos='10,118' skin='g_box'/>"
    L"<img name='img' pos='30,118' skin='g_frames' iconIndex='1'/>"
    L"<icon name='icon' pos='60,118' src='icon_test:32'/>"
    L"<animateimg name='anim' pos='100,118' skin='g_frames' speed='100'/>"
    L"<hr name='hr' pos='10,165,-10,@1' colorLine='#808080'/>"
    L"<progress name='progress' pos='10,172,-10,@18' bkgndSkin='g_bk' posSkin='g_pos' value='60' showPercent='1'/>"
    L"<group name='group' pos='10,196,-10,@96' colorLine2='#808080'>Group"
    L"<text name='inside' pos='10,0'>Inside the group</text></group>"
    L"<tabctrl name='tabs' pos='10,300,-10,-10' tabSkin='g_tab' tabWidth='70' tabHeight='24'>"
    L"<page title='First' colorBkgnd='#FFF0C0FF'><text name='pageText' pos='10,10'>Page one</text></page>"
    L"<page title='Second' colorBkgnd='#C0F0FFFF'/>"
    L"</tabctrl>"
    L"</root></SAKU>";

}  // namespace

TEST_F(ControlGalleryHostTest, EveryControlIsLaidOutAndPaintedInTheHost)
{
    Open();
    const struct {
        const wchar_t* name;
        const wchar_t* tag;
        RECT rect;   // {0, 0, 0, 0}: placed by its content, only not empty
    } controls[] = {
        {L"text",     L"text",       {}},
        {L"button",   L"button",     {10, 35, 90, 61}},
        {L"link",     L"link",       {}},
        {L"imgbtn",   L"imgbtn",     {180, 40, 228, 56}},
        {L"check",    L"check",      {10, 70, 160, 110}},
        {L"radio1",   L"radio",      {170, 70, 250, 110}},
        {L"radio2",   L"radio",      {250, 70, 330, 110}},
        {L"toggle",   L"toggle",     {10, 118, 18, 158}},
        {L"img",      L"img",        {30, 118, 46, 134}},
        {L"icon",     L"icon",       {60, 118, 92, 150}},
        {L"anim",     L"animateimg", {100, 118, 116, 134}},
        {L"hr",       L"hr",         {10, 165, 330, 166}},
        {L"progress", L"progress",   {10, 172, 330, 190}},
        {L"group",    L"group",      {10, 196, 330, 292}},
        {L"inside",   L"text",       {}},
        {L"tabs",     L"tabctrl",    {10, 300, 330, 410}},
        {L"pageText", L"text",       {}},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        SWindow* const window = m_host->FindChildByName(c.name);
        ASSERT_NE(nullptr, window);
        EXPECT_TRUE(window->IsClass(c.tag));
        const RECT rect = window->GetWindowRect();
        EXPECT_FALSE(::IsRectEmpty(&rect));
        if (!::IsRectEmpty(&c.rect)) {
            EXPECT_TRUE(::EqualRect(&c.rect, &rect)) << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
        }
    }
    // The group's text lies below its header; the page's text inside the page area.
    EXPECT_EQ(196 + 1 + 20, m_host->FindChildByName(L"inside")->GetWindowRect().top);
    EXPECT_EQ(300 + 1 + 24 + 1 + 10, m_host->FindChildByName(L"pageText")->GetWindowRect().top);

    // The animation runs on the host's timeline timer; stopped on its third frame for the picture.
    SAnimateImgWnd* const animation = m_host->FindChildByName2<SAnimateImgWnd>(L"anim");
    ASSERT_TRUE(PumpUntil([&] { return animation->GetCurFrame() == 2; }));
    animation->Stop();
    m_host->MarkFullRedraw();
    ::UpdateWindow(m_host->GetHwnd());
    Pump();
    KeepPng(m_host->GetCacheTarget(), L"TIVALA_PAINT_PNG", L"gallery");
    EXPECT_EQ(0xFF4080FFu, Pixel(20, 40));    // the button
    EXPECT_EQ(0xFF0A0AC8u, Pixel(11, 71 + 3));  // the check box's box: state 0 of the cells
    EXPECT_EQ(0xFF5A0AC8u, Pixel(171, 74));   // the checked radio: state 4
    EXPECT_EQ(0xFF00FF00u, Pixel(35, 120));   // the image: state 1, lime
    EXPECT_EQ(0xFF0000FFu, Pixel(105, 120));  // the animation's third frame, blue
    EXPECT_EQ(0xFF20A020u, Pixel(12, 175));   // the part done of the progress bar
    EXPECT_EQ(0xFFD0D0D0u, Pixel(320, 175));  // and the part to do
    EXPECT_EQ(0xFFFFF0C0u, Pixel(200, 400));  // the first page
}

TEST_F(ControlGalleryHostTest, RealClicksCheckTheBoxAndMoveTheRadioChoice)
{
    Open();
    SCheckBox* const check = m_host->FindChildByName2<SCheckBox>(L"check");
    SRadioBox* const one = m_host->FindChildByName2<SRadioBox>(L"radio1");
    SRadioBox* const two = m_host->FindChildByName2<SRadioBox>(L"radio2");
    ASSERT_TRUE(check && one && two);
    ASSERT_TRUE(one->IsChecked());

    Click(POINT{60, 90});
    EXPECT_TRUE(check->IsChecked());
    Click(POINT{290, 90});
    EXPECT_TRUE(two->IsChecked());
    EXPECT_FALSE(one->IsChecked());
    EXPECT_TRUE(check->IsChecked());   // no radio box of the group
    Click(POINT{60, 90});
    EXPECT_FALSE(check->IsChecked());

    ::UpdateWindow(m_host->GetHwnd());
    Pump();
    KeepPng(m_host->GetCacheTarget(), L"TIVALA_PAINT_PNG", L"gallery_after_clicks");
    EXPECT_EQ(0xFF0A0AC8u, Pixel(171, 74));   // radio one unchecked, not hovered
}
