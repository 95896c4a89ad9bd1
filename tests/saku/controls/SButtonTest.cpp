// The push button and the image button: accelerators from the caption and from
// "accel", clicks and presses through the host, Space and Enter, the hover fade
// over the container's timeline, and the skin painted by state.

#include "ControlTest.h"

#include "controls/SButton.h"
#include "controls/SImageButton.h"
#include "controls/SLink.h"
#include "controls/SStatic.h"
#include "core/CAccelerator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

using SButtonTest = ControlTest;

DWORD AltKey(WORD key)
{
    return CAccelerator(key, false, true, false).GetPacked();
}

const wchar_t kButton[] = L"<root><button name='b' pos='20,20,@80,@40' skin='four'>OK</button></root>";

}  // namespace

TEST_F(SButtonTest, CaptionEndingInParenthesisedAmpersandGivesAltKey)
{
    const struct {
        const wchar_t* caption;   // as XML text
        DWORD expected;
    } cases[] = {
        {L"下一步(&amp;N)",   AltKey('N')},
        {L"next(&amp;n)",     AltKey('N')},
        {L"a(b(&amp;C)",      AltKey('C')},   // the last opening parenthesis counts
        {L"(&amp;1)",         AltKey('1')},
        {L"(&amp;)",          AltKey(0)},     // "alt+)": ")" names no key, Alt alone stays
        {L"&amp;Next",        0},             // an ampersand without the parentheses
        {L"Next(N)",          0},             // parentheses without the ampersand
        {L"Next(&amp;N).",    0},             // not the last character
        {L"(&amp;N)(x)",      0},
        {L"",                 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.caption)));
        Build((std::wstring(L"<root><button name='b'>") + c.caption + L"</button></root>").c_str());
        SButton* const button = Find<SButton>(L"b");
        ASSERT_NE(nullptr, button);
        EXPECT_EQ(c.expected, button->GetAccelKey());
        button->DestroyWindow();
    }
}

TEST_F(SButtonTest, AltKeyOfTheCaptionFiresTheCommandUnlessDisabled)
{
    Build(L"<root><button name='b' pos='10,10,@60,@30'>下一步(&amp;N)</button></root>");
    SButton* const button = Find<SButton>(L"b");
    CommandCounter counter;
    CountCommands(button, counter);
    const HeldKeys alt({VK_MENU});

    m_host->DoFrameEvent(WM_SYSCHAR, L'n', 0);
    EXPECT_EQ(1, counter.commands);

    button->EnableWindow(FALSE);
    m_host->DoFrameEvent(WM_SYSCHAR, L'n', 0);
    EXPECT_EQ(1, counter.commands);   // not taken: the character goes on
}

TEST_F(SButtonTest, AccelAttributeReplacesTheKeyAndDestroyLeavesTheManager)
{
    Build(L"<root><button name='b' pos='10,10,@60,@30' accel='ctrl+s'/></root>");
    SButton* const button = Find<SButton>(L"b");
    CommandCounter counter;
    CountCommands(button, counter);
    const HeldKeys ctrl({VK_CONTROL});
    const auto press = [&](WORD key) { m_host->DoFrameEvent(WM_KEYDOWN, key, 0); };

    press('S');
    EXPECT_EQ(1, counter.commands);

    EXPECT_EQ(S_OK, button->ApplyAttribute(L"accel", L"ctrl+d", FALSE));
    press('S');
    press('D');
    EXPECT_EQ(2, counter.commands);   // Ctrl+S is gone, Ctrl+D came

    EXPECT_EQ(S_FALSE, button->ApplyAttribute(L"accel", L"nonsense", FALSE));
    EXPECT_EQ(0u, button->GetAccelKey());
    press('D');
    EXPECT_EQ(2, counter.commands);

    EXPECT_EQ(S_OK, button->ApplyAttribute(L"accel", L"ctrl+e", FALSE));
    button->DestroyWindow();
    press('E');   // a registration left behind would call the freed button
    EXPECT_EQ(2, counter.commands);
}

TEST_F(SButtonTest, AnimateReadsIntegersAndUnreadableTextAsZero)
{
    const struct {
        const wchar_t* value;
        int expected;
    } cases[] = {{L"1", 1}, {L"0x10", 16}, {L"abc", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.value)));
        SButton button;
        button.ApplyAttribute(L"animate", L"7", TRUE);
        button.ApplyAttribute(L"animate", c.value, TRUE);
        EXPECT_EQ(c.expected, button.GetAnimate());
    }
}

TEST_F(SButtonTest, ReleaseOverTheButtonFiresTheCommand)
{
    Build(kButton);
    SButton* const button = Find<SButton>(L"b");
    CommandCounter counter;
    CountCommands(button, counter);

    m_host->Mouse(WM_MOUSEMOVE, 30, 30);
    m_host->Mouse(WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
    EXPECT_TRUE(button->GetState() & WndState_PushDown);
    EXPECT_EQ(0, counter.commands);
    m_host->Mouse(WM_LBUTTONUP, 31, 32);
    EXPECT_EQ(1, counter.commands);
    EXPECT_EQ(WndState_Hover, button->GetState());

    m_host->Mouse(WM_LBUTTONDBLCLK, 30, 30, MK_LBUTTON);   // a second press
    m_host->Mouse(WM_LBUTTONUP, 30, 30);
    EXPECT_EQ(2, counter.commands);
}

TEST_F(SButtonTest, PressThatLeavesTheButtonBeforeReleaseRaisesNothing)
{
    Build(kButton);
    SButton* const button = Find<SButton>(L"b");
    CommandCounter counter;
    CountCommands(button, counter);

    m_host->Mouse(WM_MOUSEMOVE, 30, 30);
    m_host->Mouse(WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
    m_host->Mouse(WM_MOUSEMOVE, 150, 150, MK_LBUTTON);
    EXPECT_EQ(WndState_Normal, button->GetState());
    m_host->Mouse(WM_LBUTTONUP, 150, 150);
    EXPECT_EQ(0, counter.commands);

    // Back over the button before the release, it is a click again.
    m_host->Mouse(WM_MOUSEMOVE, 30, 30);
    m_host->Mouse(WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
    m_host->Mouse(WM_MOUSEMOVE, 150, 150, MK_LBUTTON);
    m_host->Mouse(WM_MOUSEMOVE, 40, 40, MK_LBUTTON);
    m_host->Mouse(WM_LBUTTONUP, 40, 40);
    EXPECT_EQ(1, counter.commands);
}

TEST_F(SButtonTest, SpaceAndEnterPressOnKeyDownAndFireOnKeyUp)
{
    Build(kButton);
    SButton* const button = Find<SButton>(L"b");
    CommandCounter counter;
    CountCommands(button, counter);
    button->SetFocus();
    ASSERT_TRUE(button->IsFocused());

    int fired = 0;
    for (const WPARAM key : {WPARAM(VK_SPACE), WPARAM(VK_RETURN)}) {
        SCOPED_TRACE(key);
        m_host->DoFrameEvent(WM_KEYDOWN, key, 0);
        EXPECT_TRUE(button->GetState() & WndState_PushDown);
        Paint();
        EXPECT_EQ(kPushedBlue, Pixel(22, 22));   // the pushed state shows
        EXPECT_EQ(fired, counter.commands);
        m_host->DoFrameEvent(WM_KEYUP, key, 0);
        EXPECT_FALSE(button->GetState() & WndState_PushDown);
        EXPECT_EQ(++fired, counter.commands);
    }

    m_host->DoFrameEvent(WM_KEYDOWN, 'A', 0);
    EXPECT_FALSE(m_host->IsMsgHandled());   // other keys go on
    EXPECT_FALSE(button->GetState() & WndState_PushDown);
    m_host->DoFrameEvent(WM_KEYUP, VK_SPACE, 0);   // no press before it
    EXPECT_EQ(fired, counter.commands);
}

TEST_F(SButtonTest, SkinFrameFollowsTheState)
{
    Build(kButton);
    SButton* const button = Find<SButton>(L"b");
    const struct {
        const wchar_t* name;
        DWORD add;
        std::uint32_t expected;
    } cases[] = {
        {L"button_normal",   0,                                     kNormalRed},
        {L"button_hover",    WndState_Hover,                        kHoverLime},
        {L"button_pushed",   WndState_Hover | WndState_PushDown,    kPushedBlue},
        {L"button_checked",  WndState_Check,                        kPushedBlue},
        {L"button_disabled", WndState_Disable | WndState_PushDown,  kDisabledGrey},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        button->ModifyState(c.add, ~0u);
        Paint();
        Keep(c.name);
        EXPECT_EQ(c.expected, Pixel(21, 21));
        EXPECT_EQ(c.expected, Pixel(98, 58));
        EXPECT_EQ(0u, Pixel(99, 59));   // the margin the UI definition gives every window
        // The text is drawn over the skin in the middle.
        int inked = 0;
        for (int x = 40; x < 80; ++x) {
            for (int y = 30; y < 50; ++y)
                inked += Pixel(x, y) != c.expected;
        }
        EXPECT_GT(inked, 0);
    }
}

TEST_F(SButtonTest, ButtonWithoutSkinPaintsNothingNotEvenItsText)
{
    Build(L"<root><button name='b' pos='20,20,@80,@40' skin='no such skin' colorBkgnd='#ff0000'>OK</button></root>");
    ASSERT_EQ(nullptr, Find<SButton>(L"b")->GetSkin());
    Paint();
    for (int x = 20; x < 100; x += 3) {
        for (int y = 20; y < 60; y += 3)
            ASSERT_EQ(0u, Pixel(x, y)) << x << "," << y;
    }
}

TEST_F(SButtonTest, DefaultSkinIsTheBuiltInButtonSkin)
{
    pugi::xml_document system;
    ASSERT_TRUE(system.load_string(L"<skin><colorrect name='_skin.sys.btn.normal' normal='#0000ff'/></skin>"));
    SSkinPoolMgr::GetInstance()->GetBuiltinPool()->LoadSkins(system.first_child());
    Build(L"<root><button name='b' pos='20,20,@80,@40'/></root>");
    Paint();
    EXPECT_EQ(kPushedBlue, Pixel(30, 30));
}

TEST_F(SButtonTest, WrapContentTakesTheSkinSizeWhenItHasOne)
{
    Build(L"<root><button name='sized' pos='10,10' skin='sized'>a long caption</button>"
          L"<button name='colour' pos='10,60' skin='four'>a long caption</button></root>");
    const RECT sized = Find<SButton>(L"sized")->GetWindowRect();
    EXPECT_EQ(30, sized.right - sized.left);
    EXPECT_EQ(30, sized.bottom - sized.top);
    // A colour skin has no size: the text's.
    const RECT colour = Find<SButton>(L"colour")->GetWindowRect();
    EXPECT_GT(colour.right - colour.left, 30);
}

TEST_F(SButtonTest, HoverFadesInOverTenFramesOfTheTimeline)
{
    Build(L"<root><button name='b' pos='20,20,@80,@40' skin='fade' animate='1'/></root>");
    SButton* const button = Find<SButton>(L"b");
    m_host->Mouse(WM_MOUSEMOVE, 30, 30);
    EXPECT_EQ(5, button->GetFadeAlpha());

    std::vector<int> alphas;
    for (int frame = 0; frame < 11; ++frame) {
        m_host->OnNextFrame();
        alphas.push_back(button->GetFadeAlpha());
        if (frame == 3) {
            // Alpha 105: the hover frame (blue) over the normal one (red) at 104 / 255.
            Paint();
            Keep(L"button_fade_in");
            EXPECT_PRED2(Near, Pixel(30, 30), 0xFF970068u);
        }
    }
    EXPECT_EQ((std::vector<int>{30, 55, 80, 105, 130, 155, 180, 205, 230, 255, 255}), alphas);
    EXPECT_FALSE(m_host->UnregisterTimelineHandler(button));   // it left by itself
    Paint();
    EXPECT_EQ(kPushedBlue, Pixel(30, 30));   // the hover frame of this skin

    // Leaving fades the hover frame out.
    m_host->Mouse(WM_MOUSEMOVE, 150, 150);
    EXPECT_EQ(5, button->GetFadeAlpha());
    for (int frame = 0; frame < 4; ++frame)
        m_host->OnNextFrame();
    Paint();
    Keep(L"button_fade_out");
    EXPECT_PRED2(Near, Pixel(30, 30), 0xFF680097u);   // blue at 255 - 104 over red
}

TEST_F(SButtonTest, FadeDrawsWithTheSkinsOwnAlpha)
{
    Build(L"<root><button name='b' pos='20,20,@80,@40' skin='halfFade' animate='1'/></root>");
    m_host->Mouse(WM_MOUSEMOVE, 30, 30);
    for (int frame = 0; frame < 4; ++frame)
        m_host->OnNextFrame();
    Paint();
    // Red at 128, then blue at (105 x 128) >> 8 = 52 over it.
    EXPECT_PRED2(Near, Pixel(30, 30), 0x9A660034u);
}

TEST_F(SButtonTest, HoverChangeDuringAFadeRestartsIt)
{
    Build(L"<root><button name='b' pos='20,20,@80,@40' skin='fade' animate='1'/></root>");
    SButton* const button = Find<SButton>(L"b");
    m_host->Mouse(WM_MOUSEMOVE, 30, 30);
    m_host->OnNextFrame();
    m_host->OnNextFrame();
    EXPECT_EQ(55, button->GetFadeAlpha());
    m_host->Mouse(WM_MOUSEMOVE, 150, 150);
    EXPECT_EQ(5, button->GetFadeAlpha());
    m_host->OnNextFrame();
    EXPECT_EQ(30, button->GetFadeAlpha());
}

TEST_F(SButtonTest, PressResizeAndDestroyStopTheFadeAndStartNone)
{
    Build(L"<root><button name='b' pos='20,20,@80,@40' skin='fade' animate='1'/></root>");
    SButton* const button = Find<SButton>(L"b");

    m_host->Mouse(WM_MOUSEMOVE, 30, 30);
    m_host->Mouse(WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);   // hover to pushed: stops it
    EXPECT_EQ(255, button->GetFadeAlpha());
    m_host->Mouse(WM_MOUSEMOVE, 150, 150, MK_LBUTTON);   // leaves while holding the capture
    EXPECT_EQ(WndState_Normal, button->GetState());
    EXPECT_EQ(255, button->GetFadeAlpha());
    m_host->Mouse(WM_LBUTTONUP, 150, 150);
    EXPECT_FALSE(m_host->UnregisterTimelineHandler(button));

    m_host->Mouse(WM_MOUSEMOVE, 30, 30);
    ASSERT_EQ(5, button->GetFadeAlpha());
    const RECT moved = {20, 20, 120, 60};
    button->Move(&moved);
    EXPECT_EQ(255, button->GetFadeAlpha());
    EXPECT_FALSE(m_host->UnregisterTimelineHandler(button));

    m_host->Mouse(WM_MOUSEMOVE, 150, 150);
    ASSERT_EQ(5, button->GetFadeAlpha());
    button->DestroyWindow();
    m_host->OnNextFrame();   // a handler left behind would tick the freed button
}

TEST_F(SButtonTest, WithoutAnimateNoFadeRuns)
{
    Build(kButton);
    SButton* const button = Find<SButton>(L"b");
    m_host->Mouse(WM_MOUSEMOVE, 30, 30);
    EXPECT_EQ(255, button->GetFadeAlpha());
    EXPECT_FALSE(m_host->UnregisterTimelineHandler(button));
}

TEST_F(SButtonTest, ImageButtonFiresWithoutTakingTheFocus)
{
    Build(L"<root><button name='b' pos='10,10,@50,@30' skin='four'/>"
          L"<imgbtn name='i' pos='100,10,@50,@30' skin='four'/></root>");
    SButton* const button = Find<SButton>(L"b");
    SImageButton* const image = Find<SImageButton>(L"i");
    CommandCounter counter;
    CountCommands(image, counter);
    button->SetFocus();

    m_host->Mouse(WM_MOUSEMOVE, 110, 20);
    m_host->Mouse(WM_LBUTTONDOWN, 110, 20, MK_LBUTTON);
    m_host->Mouse(WM_LBUTTONUP, 110, 20);
    EXPECT_EQ(1, counter.commands);
    EXPECT_TRUE(button->IsFocused());
    Paint();
    Keep(L"imgbtn_hover_beside_focused_button");
}

TEST_F(SButtonTest, ControlsAnswerTheClassTestForTheirTagAndTheirBases)
{
    SStatic text;
    SLink link;
    SButton button;
    SImageButton image;
    const struct {
        SWindow* control;
        const wchar_t* tag;
        std::vector<const wchar_t*> is;
        std::vector<const wchar_t*> isNot;
    } cases[] = {
        {&text,   L"text",   {L"text", L"window"},             {L"button", L"Text"}},
        {&link,   L"link",   {L"link", L"window"},             {L"text", L"button"}},
        {&button, L"button", {L"button", L"window"},           {L"imgbtn", L"Button"}},
        {&image,  L"imgbtn", {L"imgbtn", L"button", L"window"}, {L"link"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.tag)));
        EXPECT_STREQ(c.tag, c.control->GetObjectClass());
        EXPECT_EQ(kObjTypeWindow, c.control->GetObjectType());
        for (const wchar_t* name : c.is)
            EXPECT_TRUE(c.control->IsClass(name)) << testing::PrintToString(std::wstring(name));
        for (const wchar_t* name : c.isNot)
            EXPECT_FALSE(c.control->IsClass(name)) << testing::PrintToString(std::wstring(name));
    }
    // How each takes the keyboard and the mouse.
    EXPECT_TRUE(button.IsFocusable());
    EXPECT_FALSE(image.IsFocusable());
    EXPECT_EQ(8u, button.OnGetDlgCode());
    EXPECT_EQ(8u, image.OnGetDlgCode());
    EXPECT_TRUE(text.IsMsgTransparent());
    EXPECT_FALSE(link.IsMsgTransparent());
}
