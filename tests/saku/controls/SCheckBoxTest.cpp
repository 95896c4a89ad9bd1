// The check box, and the box it shares with the radio box: the box skin drawn by
// state index beside the text, clicks and Space that flip it, the text placed and
// measured past the box, the focus skin, and the built-in skins.

#include "ControlTest.h"

#include "controls/SCheckBox.h"
#include "controls/SRadioBox.h"
#include "core/ISkinObj.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

using SCheckBoxTest = ControlTest;

// The box of a control at pos '10,10,@100,@50' (margin 1): 8 x 40 at the client's
// left, centred in its 48 pixels of height.
constexpr POINT kBoxCorner = {11, 15};

}  // namespace

TEST_F(SCheckBoxTest, BoxDrawsItsSkinByStateIndexCheckedStatesFollowingTheFour)
{
    const struct {
        const wchar_t* name;
        DWORD state;
        int index;
    } cases[] = {
        {L"normal",           0,                                                  0},
        {L"hover",            WndState_Hover,                                     1},
        {L"pushed",           WndState_Hover | WndState_PushDown,                 2},
        {L"disabled",         WndState_Disable | WndState_PushDown,               3},
        {L"checked",          WndState_Check,                                     4},
        {L"checked_hover",    WndState_Check | WndState_Hover,                    5},
        {L"checked_pushed",   WndState_Check | WndState_PushDown,                 6},
        {L"checked_disabled", WndState_Check | WndState_Disable | WndState_Hover, 7},
    };
    for (const wchar_t* tag : {L"check", L"radio"}) {
        Build((std::wstring(L"<root><") + tag + L" name='box' pos='10,10,@100,@50' skin='cells'>Box</" + tag +
               L"></root>").c_str());
        SWindow* const box = m_host->FindChildByName(L"box");
        ASSERT_NE(nullptr, box);
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::PrintToString(std::wstring(tag) + L"_" + c.name));
            box->ModifyState(c.state, ~0u);
            Paint();
            Keep((std::wstring(tag) + L"_" + c.name).c_str());
            EXPECT_EQ(CellColour(c.index), Pixel(kBoxCorner.x, kBoxCorner.y));
            EXPECT_EQ(CellColour(c.index), Pixel(kBoxCorner.x + 7, kBoxCorner.y));
            EXPECT_EQ(0u, Pixel(kBoxCorner.x + 8, kBoxCorner.y));   // the gap before the text
            EXPECT_EQ(0u, Pixel(kBoxCorner.x, kBoxCorner.y - 1));    // centred: above it nothing
        }
        box->DestroyWindow();
    }
}

TEST_F(SCheckBoxTest, TextStandsPastTheBoxAndWrapContentAddsTheBox)
{
    Build(L"<root><check name='c' pos='10,10,@100,@50' skin='cells'>Check</check>"
          L"<check name='w' pos='10,100' skin='cells'>Check</check>"
          L"<text name='t' pos='10,150'>Check</text></root>");
    RECT text;
    Find<SCheckBox>(L"c")->GetTextRect(&text);
    EXPECT_EQ(11 + 8 + 4, text.left);
    EXPECT_EQ(109, text.right);

    const RECT wrapped = Find<SCheckBox>(L"w")->GetWindowRect();
    const RECT plain = Find<SWindow>(L"t")->GetWindowRect();
    EXPECT_EQ(plain.right - plain.left + 8 + 4, wrapped.right - wrapped.left);
    EXPECT_EQ(40, wrapped.bottom - wrapped.top);   // the box is taller than the text

    Paint();
    Keep(L"check_text");
    int inked = 0;   // the text is drawn right of the box
    for (int x = 23; x < 100; ++x) {
        for (int y = 20; y < 50; ++y)
            inked += Pixel(x, y) != 0;
    }
    EXPECT_GT(inked, 0);
}

TEST_F(SCheckBoxTest, ClickFlipsTheCheckAndFiresAndAPressDraggedAwayDoesNeither)
{
    Build(L"<root><check name='c' pos='10,10,@100,@50' skin='cells'>Check</check></root>");
    SCheckBox* const check = Find<SCheckBox>(L"c");
    CommandCounter counter;
    CountCommands(check, counter);
    const auto click = [&](UINT down) {
        m_host->Mouse(WM_MOUSEMOVE, 50, 30);
        m_host->Mouse(down, 50, 30, MK_LBUTTON);
        m_host->Mouse(WM_LBUTTONUP, 50, 30);
    };

    click(WM_LBUTTONDOWN);
    EXPECT_TRUE(check->IsChecked());
    EXPECT_EQ(1, counter.commands);
    click(WM_LBUTTONDBLCLK);   // a double click is a second press
    EXPECT_FALSE(check->IsChecked());
    EXPECT_EQ(2, counter.commands);

    m_host->Mouse(WM_LBUTTONDOWN, 50, 30, MK_LBUTTON);
    m_host->Mouse(WM_MOUSEMOVE, 150, 150, MK_LBUTTON);
    m_host->Mouse(WM_LBUTTONUP, 150, 150);
    EXPECT_FALSE(check->IsChecked());
    EXPECT_EQ(2, counter.commands);
}

TEST_F(SCheckBoxTest, SpaceFlipsAndFiresAndEnterIsLeftToOthers)
{
    Build(L"<root><check name='c' pos='10,10,@100,@50' skin='cells'>Check</check></root>");
    SCheckBox* const check = Find<SCheckBox>(L"c");
    CommandCounter counter;
    CountCommands(check, counter);
    check->SetFocus();
    ASSERT_TRUE(check->IsFocused());

    m_host->DoFrameEvent(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(check->IsChecked());
    EXPECT_EQ(1, counter.commands);
    m_host->DoFrameEvent(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(check->IsChecked());
    EXPECT_EQ(2, counter.commands);

    m_host->DoFrameEvent(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(m_host->IsMsgHandled());
    EXPECT_FALSE(check->IsChecked());
    EXPECT_EQ(2, counter.commands);
    EXPECT_EQ(8u, check->OnGetDlgCode());
}

TEST_F(SCheckBoxTest, CheckedAttributeChecksForAnyValueButZero)
{
    const struct {
        const wchar_t* value;
        bool checked;
    } cases[] = {{L"1", true}, {L"0", false}, {L"yes", true}, {L"", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.value)));
        Build((std::wstring(L"<root><check name='c' checked='") + c.value + L"'/></root>").c_str());
        SCheckBox* const check = Find<SCheckBox>(L"c");
        EXPECT_EQ(c.checked, check->IsChecked() != FALSE);
        check->DestroyWindow();
    }
}

TEST_F(SCheckBoxTest, FocusSkinCoversTheBoxWhileFocused)
{
    Build(L"<root><check name='c' pos='10,10,@100,@50' skin='cells' focusSkin='fade'>Check</check></root>");
    SCheckBox* const check = Find<SCheckBox>(L"c");
    Paint();
    EXPECT_EQ(CellColour(0), Pixel(kBoxCorner.x, kBoxCorner.y));
    check->SetFocus();
    Paint();
    Keep(L"check_focused");
    EXPECT_EQ(kNormalRed, Pixel(kBoxCorner.x, kBoxCorner.y));
    EXPECT_EQ(kNormalRed, Pixel(kBoxCorner.x + 7, kBoxCorner.y + 39));
    EXPECT_EQ(0u, Pixel(kBoxCorner.x + 8, kBoxCorner.y));   // the box only
}

TEST_F(SCheckBoxTest, BoxesTakeTheBuiltInSkinsByDefault)
{
    pugi::xml_document system;
    ASSERT_TRUE(system.load_string(L"<skin><colorrect name='_skin.sys.checkbox' normal='#0000ff'/>"
                                   L"<colorrect name='_skin.sys.focuscheckbox' normal='#00ff00'/>"
                                   L"<colorrect name='_skin.sys.radio' normal='#ff0000'/>"
                                   L"<colorrect name='_skin.sys.focusradio' normal='#808080'/></skin>"));
    SSkinPoolMgr::GetInstance()->GetBuiltinPool()->LoadSkins(system.first_child());
    SCheckBox check;
    SRadioBox radio;
    ASSERT_NE(nullptr, check.GetBoxSkin());
    EXPECT_STREQ(L"_skin.sys.checkbox", check.GetBoxSkin()->GetName());
    EXPECT_STREQ(L"_skin.sys.focuscheckbox", check.GetFocusSkin()->GetName());
    EXPECT_STREQ(L"_skin.sys.radio", radio.GetBoxSkin()->GetName());
    EXPECT_STREQ(L"_skin.sys.focusradio", radio.GetFocusSkin()->GetName());
    // Both take the keyboard and lay their text out from the left.
    EXPECT_TRUE(check.IsFocusable());
    EXPECT_TRUE(radio.IsFocusable());
    EXPECT_EQ(UINT(DT_LEFT), check.GetTextFormat() & (DT_CENTER | DT_RIGHT));
    EXPECT_EQ(0u, radio.OnGetDlgCode());
}
