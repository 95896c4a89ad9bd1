// Named values: the colour texts, "@color/" and "@string/" references against the
// current UI definition and without one, names at and past the 49-character
// field, and the sorted tables with a program's own entries.

#include "../core/SakuAppTest.h"

#include "res.mgr/SNamedValue.h"
#include "res.mgr/SResProviderMgr.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>

using namespace SAKU;
using saku_test::SakuAppTest;

namespace {

using NamedValuesTest = SakuAppTest;

pugi::xml_node Parse(pugi::xml_document& document, const wchar_t* xml)
{
    EXPECT_TRUE(document.load_string(xml));
    return document.first_child();
}

}  // namespace

TEST(SColorParser, ReadsHashAndRgbTextsInAnyCase)
{
    const struct {
        const wchar_t* text;
        bool accepted;
        COLORREF color;
    } cases[] = {
        {L"#808080",                 true,  0xFF808080},
        {L"#80808040",               true,  0x40808080},
        {L"#FF0000",                 true,  0xFF0000FF},
        {L"#fff",                    false, 0},
        {L"#ff00",                   false, 0},
        {L"#",                       false, 0},
        {L"rgb(255,0,0)",            true,  0xFF0000FF},
        {L"RGBA(0,0,255,128)",       true,  0x80FF0000},
        {L"rgba(1,2,3)",             true,  0xFF030201},   // three numbers: opaque
        {L"rgb(1,2)",                false, 0},
        {L"rgb(300,-1,0)",           true,  0xFF00FF2C},   // each part cut to its low byte
        {L"rgb( 1, 2, 3)",           true,  0xFF030201},
        {L"rgb(99999999999999999999,0,0)", true, 0},       // any value; only that it does not crash counts
        {L"red",                     false, 0},
        {L"",                        false, 0},
        {L"0xFF0000",                false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text);
        COLORREF color = 0x12345678;
        EXPECT_EQ(c.accepted, SColorParser::Parse(c.text, color));
        if (!c.accepted) {
            EXPECT_EQ(0x12345678u, color);   // a refusal leaves the target
        } else if (c.color != 0) {
            EXPECT_EQ(c.color, color);
        }
    }
}

TEST(SNamedColor, ABadTextNeverGivesThePreviousColour)
{
    SNamedColor colors;
    EXPECT_EQ(0xFF0000FFu, colors.Get(L"#ff0000"));
    EXPECT_EQ(kColorNone, colors.Get(L"#fff"));
    EXPECT_EQ(0xFF00FF00u, colors.Get(L"rgb(0,255,0)"));
    EXPECT_EQ(kColorNone, colors.Get(L"green"));
    EXPECT_EQ(kColorNone, colors.Get(L""));
}

TEST_F(NamedValuesTest, ReferencesResolveAgainstTheCurrentUiDefinition)
{
    AddProgramResources(L"uidef:xml_init");
    const struct {
        const wchar_t* text;
        COLORREF color;
    } colors[] = {
        {L"@color/red",      0xFF0000FF},
        {L"@color/grey",     0xFF808080},
        {L"@color/greyHalf", 0x40808080},
        {L"@color/green",    0xFF00FF00},
        {L"@color/blueHalf", 0x80FF0000},
        {L"@color/white3",   kColorNone},   // "#fff" never made it into the table
        {L"@color/nothing",  kColorNone},
        {L"@color/RED",      kColorNone},   // names are case-sensitive
        {L"@Color/red",      kColorNone},   // so is the prefix: this is colour text
        {L"@color/",         kColorNone},
        {L"#00ff00",         0xFF00FF00},
        {L"@color/inline",   kColorNone},   // the referenced table replaced the inline one
    };
    for (const auto& c : colors)
        EXPECT_EQ(c.color, SResProviderMgr::GetColor(c.text)) << c.text;

    const struct {
        const wchar_t* text;
        const wchar_t* string;
    } strings[] = {
        {L"@string/title",  L"天璇安装"},
        {L"@string/ok",     L"确定"},
        {L"@string/nope",   L""},
        {L"title",          L"title"},
        {L"@String/title",  L"@String/title"},
        {L"",               L""},
    };
    for (const auto& c : strings)
        EXPECT_EQ(c.string, SResProviderMgr::GetString(c.text)) << c.text;
}

TEST_F(NamedValuesTest, WithoutAUiDefinitionLiteralsStillWork)
{
    EXPECT_EQ(0xFF0000FFu, SResProviderMgr::GetColor(L"#ff0000"));
    EXPECT_EQ(kColorNone, SResProviderMgr::GetColor(L"@color/red"));
    EXPECT_EQ(L"", SResProviderMgr::GetString(L"@string/title"));
    EXPECT_EQ(L"plain", SResProviderMgr::GetString(L"plain"));
}

TEST(SNamedValue, NamesLongerThan49CharactersAreRefusedWhenLoadingAndLookingUp)
{
    const std::wstring name49(49, L'n');
    const std::wstring name50(50, L'n');
    pugi::xml_document document;
    const pugi::xml_node element = Parse(document, (L"<string><" + name49 + L" value=\"49\"/><" + name50 +
                                                    L" value=\"50\"/><" + std::wstring(3000, L'x') +
                                                    L" value=\"long\"/></string>").c_str());
    SNamedString strings;
    EXPECT_TRUE(strings.LoadFromXml(element));
    EXPECT_EQ(1, strings.GetCount());
    EXPECT_EQ(L"49", strings.Get((L"@string/" + name49).c_str()));
    EXPECT_EQ(L"", strings.Get((L"@string/" + name50).c_str()));
    EXPECT_EQ(L"", strings.Lookup(std::wstring(3000, L'x').c_str()));
}

TEST(SNamedValue, LoadingAppendsAndKeepsTheTableSorted)
{
    pugi::xml_document first;
    pugi::xml_document second;
    SNamedColor colors;
    EXPECT_TRUE(colors.LoadFromXml(Parse(first, L"<color><zeta value=\"#000001\"/><alpha value=\"#000002\"/></color>")));
    EXPECT_TRUE(colors.LoadFromXml(Parse(second, L"<color><mid value=\"#000003\"/><bad value=\"blue\"/><!-- note --></color>")));
    EXPECT_EQ(3, colors.GetCount());
    EXPECT_EQ(0xFF010000u, colors.Lookup(L"zeta"));
    EXPECT_EQ(0xFF020000u, colors.Lookup(L"alpha"));
    EXPECT_EQ(0xFF030000u, colors.Lookup(L"mid"));
    EXPECT_EQ(kColorNone, colors.Lookup(L"bad"));

    EXPECT_FALSE(colors.LoadFromXml(pugi::xml_node()));   // an empty element changes nothing
    EXPECT_EQ(3, colors.GetCount());
    pugi::xml_document empty;
    EXPECT_TRUE(colors.LoadFromXml(Parse(empty, L"<color/>")));
    EXPECT_EQ(3, colors.GetCount());
}

TEST(SNamedID, TakesAProgramsEntriesAndReadsDecimalText)
{
    static const SNamedID::Entry kIds[] = {
        {L"_name_start", 65535},
        {L"btn_close", 65536},
        {L"btn_min", 65537},
    };
    SNamedID ids;
    ids.Init(kIds, 3, true);
    EXPECT_EQ(65536, ids.Lookup(L"btn_close"));
    EXPECT_EQ(0, ids.Lookup(L"btn_max"));

    static const SNamedID::Entry kUnsorted[] = {{L"c", 3}, {L"a", 1}, {L"b", 2}};
    ids.Init(kUnsorted, 3, false);
    EXPECT_EQ(1, ids.Lookup(L"a"));
    EXPECT_EQ(3, ids.Lookup(L"c"));
    EXPECT_EQ(0, ids.Lookup(L"_name_start"));   // Init replaced the table

    const struct {
        const wchar_t* text;
        int id;
    } cases[] = {{L"12", 12}, {L"  -7", -7}, {L"42abc", 42}, {L"abc", 0}, {L"", 0}, {L"0x10", 0}};
    for (const auto& c : cases) {
        int id = -1;
        EXPECT_TRUE(SIntParser::Parse(c.text, id)) << c.text;
        EXPECT_EQ(c.id, id) << c.text;
    }
}
