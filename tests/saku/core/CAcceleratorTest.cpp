// Accelerator keys and their text, both ways.

#include "core/CAccelerator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using SAKU::CAccelerator;
using SAKU::SStringW;

namespace {

std::wstring Format(DWORD packed)
{
    return CAccelerator(packed).FormatAccelText().c_str();
}

DWORD Pack(WORD modifiers, WORD key)
{
    return static_cast<DWORD>(modifiers) << 16 | key;
}

std::wstring Repeat(const std::wstring& piece, int count)
{
    std::wstring text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

}  // namespace

TEST(CAccelerator, FormatsModifiersAndKeyNames)
{
    const struct {
        DWORD packed;
        const wchar_t* text;
    } cases[] = {
        {0, L"无"},
        {Pack(0, VK_RETURN), L"Enter"},           {Pack(0, VK_ESCAPE), L"ESC"},
        {Pack(1, VK_PRIOR), L"Alt+PageUp"},       {Pack(2, VK_NEXT), L"Ctrl+PageDown"},
        {Pack(3, VK_END), L"Ctrl+Alt+End"},       {Pack(4, VK_HOME), L"Shift+Home"},
        {Pack(5, VK_LEFT), L"Shift+Alt+Left"},    {Pack(6, 'A'), L"Ctrl+Shift+A"},
        {Pack(7, VK_F5), L"Ctrl+Shift+Alt+F5"},   {Pack(8, 'B'), L"B"},   // no prefix for 8
        {Pack(3, 0), L"Ctrl+Alt+"},               {Pack(0, '7'), L"7"},
        {Pack(0, VK_NUMPAD5), L"Num 5"},          {Pack(2, VK_ADD), L"Ctrl+Num +"},
        {Pack(0, VK_MULTIPLY), L"Num *"},         {Pack(0, VK_DECIMAL), L"Num Del"},
        {Pack(0, VK_F12), L"F12"},                {Pack(0, VK_F24), L"F24"},
        {Pack(0, VK_INSERT), L"Insert"},          {Pack(2, VK_LWIN), L"Ctrl+"},   // no name
        {Pack(0, VK_OEM_COMMA), L","},            {Pack(4, VK_OEM_2), L"Shift+/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.packed);
        EXPECT_EQ(c.text, Format(c.packed));
    }
    EXPECT_EQ(Pack(6, VK_F5), CAccelerator(VK_F5, true, false, true).GetPacked());
    EXPECT_EQ(Pack(1, 'X'), CAccelerator('X', false, true, false).GetPacked());
}

TEST(CAccelerator, ParsesTextInAnyCase)
{
    const struct {
        std::wstring text;
        DWORD packed;
    } cases[] = {
        {L"ctrl+shift+a", Pack(6, 'A')},   {L"CTRL+ALT", Pack(3, 0)},
        {L"num 5", VK_NUMPAD5},            {L"f12", VK_F12},
        {L"F24", VK_F24},                  {L"Ctrl+Num +", Pack(2, VK_ADD)},
        {L"num *", VK_MULTIPLY},           {L"Num Del", VK_DECIMAL},
        {L"ctrl+end", Pack(2, 0)},         {L"Shift+,", Pack(4, VK_OEM_COMMA)},
        {L"esc", VK_ESCAPE},               {L"Alt+PageDown", Pack(1, VK_NEXT)},
        {L"alt+'", Pack(1, VK_OEM_7)},     {L"f", 'F'},
        {L"ctrl+ctrl+a", Pack(2, 'A')},    {L"ctrl+a+b", Pack(2, 'A')},   // the key ends the text
        // Only F1 to F24 and the ten numeral keys of the pad count.
        {L"foo", 0}, {L"f0", 0}, {L"f25", 0}, {L"f1x", 0}, {L"num 10", 0}, {L"num x", 0},
        {L"", 0}, {L"?", 0},
        {Repeat(L"alt+", 24) + L"f12", Pack(1, VK_F12)},          // 99 characters
        {L"+" + Repeat(L"alt+", 24) + L"f12", 0},                // 100 characters
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "text " << c.text);
        EXPECT_EQ(c.packed, CAccelerator::ParseAccelText(c.text.c_str()));
    }
}

TEST(CAccelerator, EveryFormattedTextReadsBackAsTheSameText)
{
    // Keys that type the same character (the pad's "-" and the "-" key) read back
    // as one of them; End is never read back.
    for (WORD modifiers = 0; modifiers < 8; ++modifiers) {
        for (WORD key = 1; key < 256; ++key) {
            if (CAccelerator::KeyName(key).IsEmpty() || key == VK_END)
                continue;
            const std::wstring text = Format(Pack(modifiers, key));
            SCOPED_TRACE(testing::Message() << "text " << text);
            EXPECT_EQ(text, Format(CAccelerator::ParseAccelText(text.c_str())));
        }
    }
}

TEST(CAccelerator, NamedKeysReadBackAsTheKeyTheyCameFrom)
{
    std::vector<WORD> keys = {VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_HOME, VK_LEFT, VK_UP,
                              VK_RIGHT, VK_DOWN, VK_INSERT, VK_MULTIPLY, VK_ADD, VK_DECIMAL,
                              VK_OEM_1, VK_OEM_PLUS, VK_OEM_COMMA, VK_OEM_MINUS, VK_OEM_PERIOD,
                              VK_OEM_2, VK_OEM_3, VK_OEM_4, VK_OEM_5, VK_OEM_6, VK_OEM_7};
    for (WORD key = '0'; key <= '9'; ++key)
        keys.push_back(key);
    for (WORD key = 'A'; key <= 'Z'; ++key)
        keys.push_back(key);
    for (WORD key = VK_NUMPAD0; key <= VK_NUMPAD9; ++key)
        keys.push_back(key);
    for (WORD key = VK_F1; key <= VK_F24; ++key)
        keys.push_back(key);
    for (WORD modifiers = 0; modifiers < 8; ++modifiers) {
        for (const WORD key : keys) {
            const DWORD packed = Pack(modifiers, key);
            SCOPED_TRACE(testing::Message() << "text " << Format(packed));
            EXPECT_EQ(packed, CAccelerator::ParseAccelText(CAccelerator(packed).FormatAccelText()));
        }
    }
}

TEST(CAccelerator, StartsEmptyAndTakesEachPartOnItsOwn)
{
    CAccelerator accelerator;
    EXPECT_EQ(0u, accelerator.GetPacked());
    EXPECT_EQ(L"无", std::wstring(accelerator.FormatAccelText().c_str()));
    accelerator.SetKey('S');
    EXPECT_EQ(Pack(0, 'S'), accelerator.GetPacked());
    accelerator.SetModifier(6);
    EXPECT_EQ(Pack(6, 'S'), accelerator.GetPacked());
    EXPECT_EQ(L"Ctrl+Shift+S", std::wstring(accelerator.FormatAccelText().c_str()));
    accelerator.SetKey(0);
    EXPECT_EQ(L"Ctrl+Shift+", std::wstring(accelerator.FormatAccelText().c_str()));
    accelerator.SetModifier(0xFFFF);   // kept as given, shown without a prefix
    accelerator.SetKey(VK_F2);
    EXPECT_EQ(Pack(0xFFFF, VK_F2), accelerator.GetPacked());
    EXPECT_EQ(L"F2", std::wstring(accelerator.FormatAccelText().c_str()));
}
