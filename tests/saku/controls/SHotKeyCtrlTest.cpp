// The hot-key control: which key and modifiers each sequence of key messages
// leaves, the events it raises on the way, refused combinations replaced by the
// default modifiers, the keys it asks for, its attributes and its text.

#include "ControlTest.h"
#include "HotKeyEventLog.h"

#include "controls/SHotKeyCtrl.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// One key message and the keys held while it comes.
struct Step {
    UINT message;
    UINT key;
    std::initializer_list<int> held;
};

class SHotKeyCtrlTest : public ControlTest {
protected:
    SHotKeyCtrl* BuildHotKey(const std::wstring& attributes)
    {
        Build((L"<root><hotkey name='hk' pos='10,10,@180,@30' " + attributes + L"/></root>").c_str());
        SHotKeyCtrl* const hotKey = Find<SHotKeyCtrl>(L"hk");
        if (hotKey)
            hotKey->GetEventSet()->SubscribeEvent(EventSetHotKey::EventID, Subscriber(&KeyEventLog::OnSet, &m_log));
        return hotKey;
    }
    // Sends the step as the host sends keys, to the window with the focus.
    void Send(const Step& step)
    {
        const HeldKeys held(step.held);
        m_host->DoFrameEvent(step.message, step.key, 0);
    }
    // Pixels of the canvas in the rectangle that are not the white background: the text.
    int Ink(const RECT& rect)
    {
        const Pixels pixels = ReadPixels(m_host->Canvas());
        int ink = 0;
        for (int x = rect.left; x < rect.right; ++x) {
            for (int y = rect.top; y < rect.bottom; ++y)
                ink += PixelAt(pixels, kWidth, x, y) != 0xFFFFFFFFu;
        }
        return ink;
    }

    KeyEventLog m_log;
};

}  // namespace

TEST_F(SHotKeyCtrlTest, KeySequencesLeaveTheirCombination)
{
    const struct {
        const char* name;
        const wchar_t* attributes;
        std::vector<Step> steps;
        KeyEvents events;
        const wchar_t* text;
    } cases[] = {
        {"a refused plain key takes the default modifiers", L"invalidComb='1' defCombKey='2'",
         {{WM_KEYDOWN, 'A', {}}, {WM_KEYUP, 'A', {}}},
         {{'A', kAccelCtrl}}, L"Ctrl+A"},
        {"Shift, A, then both released", L"",
         {{WM_KEYDOWN, VK_SHIFT, {VK_SHIFT}}, {WM_KEYDOWN, 'A', {VK_SHIFT}}, {WM_KEYUP, 'A', {VK_SHIFT}},
          {WM_KEYUP, VK_SHIFT, {}}},
         {{0, kAccelShift}, {'A', kAccelShift}}, L"Shift+A"},
        {"a key without a name keeps the key stored", L"",
         {{WM_KEYDOWN, 'A', {}}, {WM_KEYDOWN, VK_PAUSE, {}}, {WM_KEYUP, VK_PAUSE, {}}, {WM_KEYUP, 'A', {}}},
         {{'A', 0}, {'A', 0}}, L"A"},
        {"a later key replaces the first; the first's release is ignored", L"",
         {{WM_KEYDOWN, 'A', {}}, {WM_KEYDOWN, 'B', {}}, {WM_KEYUP, 'A', {}}, {WM_KEYUP, 'B', {}}},
         {{'A', 0}, {'B', 0}}, L"B"},
        {"a modifier released before the key is read again", L"",
         {{WM_KEYDOWN, VK_CONTROL, {VK_CONTROL}}, {WM_KEYDOWN, 'B', {VK_CONTROL}}, {WM_KEYUP, VK_CONTROL, {}},
          {WM_KEYUP, 'B', {}}},
         {{0, kAccelCtrl}, {'B', kAccelCtrl}, {'B', 0}}, L"B"},
        {"all let go without a key: the modifiers read then stay", L"",
         {{WM_KEYDOWN, VK_CONTROL, {VK_CONTROL}}, {WM_KEYUP, VK_CONTROL, {}}},
         {{0, kAccelCtrl}, {0, 0}}, L"\u65e0"},
        {"Alt combinations come as system keys", L"",
         {{WM_SYSKEYDOWN, VK_MENU, {VK_MENU}}, {WM_SYSKEYDOWN, VK_F5, {VK_MENU}}, {WM_SYSKEYUP, VK_F5, {VK_MENU}},
          {WM_SYSKEYUP, VK_MENU, {}}},
         {{0, kAccelAlt}, {VK_F5, kAccelAlt}}, L"Alt+F5"},
        {"a refused Ctrl+Shift becomes the default Shift", L"invalidComb='0x11' defCombKey='4'",
         {{WM_KEYDOWN, VK_CONTROL, {VK_CONTROL}}, {WM_KEYDOWN, VK_SHIFT, {VK_CONTROL, VK_SHIFT}},
          {WM_KEYDOWN, 'X', {VK_CONTROL, VK_SHIFT}}, {WM_KEYUP, 'X', {VK_CONTROL, VK_SHIFT}}},
         {{0, kAccelCtrl}, {0, kAccelShift}, {'X', kAccelShift}}, L"Shift+X"},
        {"all three modifiers", L"",
         {{WM_SYSKEYDOWN, VK_F12, {VK_MENU, VK_CONTROL, VK_SHIFT}}, {WM_SYSKEYUP, VK_F12, {VK_MENU, VK_CONTROL, VK_SHIFT}}},
         {{VK_F12, kAccelAlt | kAccelCtrl | kAccelShift}}, L"Ctrl+Shift+Alt+F12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_log.events.clear();
        SHotKeyCtrl* const hotKey = BuildHotKey(c.attributes);
        ASSERT_NE(nullptr, hotKey);
        hotKey->SetFocus();
        ASSERT_TRUE(hotKey->IsFocused());
        for (const Step& step : c.steps)
            Send(step);
        EXPECT_EQ(c.events, m_log.events);
        EXPECT_STREQ(c.text, hotKey->FormatAccelText().c_str());
        EXPECT_FALSE(hotKey->IsSetting());
        m_host->DestroyChild(hotKey);
    }
}

TEST_F(SHotKeyCtrlTest, SettingLastsUntilTheStoredKeyIsReleased)
{
    SHotKeyCtrl* const hotKey = BuildHotKey(L"");
    ASSERT_NE(nullptr, hotKey);
    hotKey->SetFocus();
    EXPECT_FALSE(hotKey->IsSetting());
    Send({WM_KEYUP, 'A', {}});   // a release alone starts nothing
    EXPECT_FALSE(hotKey->IsSetting());
    EXPECT_TRUE(m_log.events.empty());
    Send({WM_KEYDOWN, VK_CONTROL, {VK_CONTROL}});
    EXPECT_TRUE(hotKey->IsSetting());
    Send({WM_KEYDOWN, 'Q', {VK_CONTROL}});
    Send({WM_KEYUP, VK_CONTROL, {}});   // the key is still stored
    EXPECT_TRUE(hotKey->IsSetting());
    Send({WM_KEYUP, 'Q', {}});
    EXPECT_FALSE(hotKey->IsSetting());
    EXPECT_EQ(DWORD('Q'), hotKey->GetPacked());
    // The next key starts from scratch: no key, the default modifiers.
    Send({WM_KEYDOWN, VK_SHIFT, {VK_SHIFT}});
    EXPECT_EQ(DWORD(kAccelShift) << 16, hotKey->GetPacked());
}

TEST_F(SHotKeyCtrlTest, SystemKeysWithoutAltAreLeftToTheSystem)
{
    SHotKeyCtrl* const hotKey = BuildHotKey(L"");
    ASSERT_NE(nullptr, hotKey);
    const struct {
        UINT message;
        UINT key;
        std::initializer_list<int> held;
        bool taken;
    } cases[] = {
        {WM_SYSKEYDOWN, VK_F10, {}, false},
        {WM_SYSKEYUP, VK_F10, {}, false},
        {WM_SYSKEYDOWN, 'K', {VK_MENU}, true},
        {WM_SYSKEYUP, VK_MENU, {}, true},   // Alt's own release
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const HeldKeys held(c.held);
        BOOL handled = FALSE;
        hotKey->SendSwndMessage(c.message, c.key, 0, &handled);
        EXPECT_EQ(c.taken, handled != FALSE);
    }
    // Alt let go while K is stored: the modifiers are read again.
    EXPECT_EQ((KeyEvents{{'K', kAccelAlt}, {'K', 0}}), m_log.events);
    EXPECT_EQ(0x8000FFFDu, hotKey->OnGetDlgCode());   // every key but Tab, and the system keys
    EXPECT_TRUE(hotKey->IsFocusable());
}

TEST_F(SHotKeyCtrlTest, AttributesAreIntegersOfSixteenBits)
{
    SHotKeyCtrl* const hotKey = BuildHotKey(L"combKey='0x10006' hotKey='65' invalidComb='0x3' defCombKey='4'");
    ASSERT_NE(nullptr, hotKey);
    EXPECT_EQ(6, hotKey->GetModifier());   // the low 16 bits
    EXPECT_EQ('A', hotKey->GetKey());
    EXPECT_EQ(3, hotKey->GetInvalidComb());
    EXPECT_EQ(4, hotKey->GetDefCombKey());
    EXPECT_STREQ(L"Ctrl+Shift+A", hotKey->FormatAccelText().c_str());
    const struct {
        const wchar_t* name;
        const wchar_t* value;
        HRESULT result;
    } cases[] = {
        {L"HOTKEY", L"0x70", S_OK},                 // a new text is shown
        {L"combkey", L"1", S_OK},
        {L"invalidComb", L"abc", E_INVALIDARG},     // refused, kept
        {L"defCombKey", L"x", E_INVALIDARG},
        {L"hotKey", L"", E_INVALIDARG},
        {L"invalidComb", L"0x1FFFF", S_FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.result, hotKey->ApplyAttribute(c.name, c.value, FALSE));
    }
    EXPECT_STREQ(L"Alt+F1", hotKey->FormatAccelText().c_str());
    EXPECT_EQ(0xFFFF, hotKey->GetInvalidComb());
    EXPECT_EQ(4, hotKey->GetDefCombKey());
    EXPECT_TRUE(hotKey->IsClass(L"window"));
}

TEST_F(SHotKeyCtrlTest, PaintsItsTextLeftAlignedAndCentred)
{
    Build(L"<root>"
          L"<hotkey name='empty' pos='10,10,@180,@30' margin='0' colorBkgnd='#ffffff' colorText='#000000'/>"
          L"<hotkey name='keys' pos='10,60,@180,@30' margin='0' colorBkgnd='#ffffff' colorText='#000000' combKey='6' hotKey='0x41'/>"
          L"</root>");
    SHotKeyCtrl* const empty = Find<SHotKeyCtrl>(L"empty");
    SHotKeyCtrl* const keys = Find<SHotKeyCtrl>(L"keys");
    ASSERT_NE(nullptr, empty);
    ASSERT_NE(nullptr, keys);
    Paint();
    Keep(L"hot_key_control");
    EXPECT_STREQ(L"\u65e0", empty->FormatAccelText().c_str());
    EXPECT_GT(Ink(RECT{10, 10, 40, 40}), 0);   // the one character "无"
    EXPECT_EQ(0, Ink(RECT{40, 10, 190, 40}));
    // "Ctrl+Shift+A" starts at the left and stays in the middle rows.
    EXPECT_GT(Ink(RECT{10, 60, 20, 90}), 0);
    EXPECT_GT(Ink(RECT{40, 60, 100, 90}), 0);
    EXPECT_EQ(0, Ink(RECT{10, 60, 190, 65}));
    EXPECT_EQ(0, Ink(RECT{10, 85, 190, 90}));
}

TEST_F(SHotKeyCtrlTest, APressGivesItTheFocusEvenWhenNotFocusable)
{
    SHotKeyCtrl* const hotKey = BuildHotKey(L"focusable='0'");
    ASSERT_NE(nullptr, hotKey);
    EXPECT_FALSE(hotKey->IsFocusable());
    m_host->Mouse(WM_LBUTTONDOWN, 50, 20, MK_LBUTTON);
    m_host->Mouse(WM_LBUTTONUP, 50, 20);
    EXPECT_TRUE(hotKey->IsFocused());
}
