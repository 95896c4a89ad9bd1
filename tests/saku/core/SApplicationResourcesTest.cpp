// The application object's XML loading: resource references of a type and a name,
// files by path, and the library's own system resources (the built-in skins, the
// edit boxes' menu and the message box template) with the mask of what was missing.

#include "../res.mgr/TestProviders.h"
#include "SakuAppTest.h"
#include "ScratchDir.h"

#include "core/ISkinObj.h"
#include "core/SRicheditMenuDef.h"
#include "core/SSkinPool.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>

using namespace SAKU;
using saku_test::MemoryProvider;
using saku_test::SakuAppTest;
using tivala::test::ScratchDir;

namespace {

using ApplicationTest = SakuAppTest;

constexpr char kSystemSkins[] = R"(<skin><colorrect name="_skin.sys.border" normal="#00ff00"/></skin>)";
constexpr char kEditMenu[] = R"(<editmenu><item id="1">cut</item><item id="2">copy</item></editmenu>)";
constexpr char kMsgBox[] = R"(<SAKU frameSize="20,40,20,50" minSize="300,132"/>)";

// A provider that holds the system resources given (null: not at all).
SAutoRef<MemoryProvider> SystemResources(const char* skins, const char* editMenu, const char* msgBox)
{
    auto provider = SAutoRef<MemoryProvider>::Adopt(new MemoryProvider);
    const struct {
        const wchar_t* name;
        const char* xml;
    } resources[] = {{L"SYS_XML_SKIN", skins}, {L"SYS_XML_EDITMENU", editMenu}, {L"SYS_XML_MSGBOX", msgBox}};
    for (const auto& resource : resources) {
        if (resource.xml)
            provider->Add(L"XML", resource.name, resource.xml);
    }
    return provider;
}

// A document with content, so that a failed load shows that it was emptied.
void MakeStale(pugi::xml_document& document)
{
    document.reset();
    document.append_child(L"stale");
}

}  // namespace

TEST_F(ApplicationTest, LoadsXmlByTypeAndName)
{
    const auto memory = SAutoRef<MemoryProvider>::Adopt(new MemoryProvider);
    memory->Add(L"layout", L"main", "<root a=\"1\"/>");
    memory->Add(L"layout", L"a:b", "<colon/>");
    memory->Add(L"layout", L"broken", "<a><b></a>");
    memory->Add(L"layout", L"empty", "");
    App().AddResProvider(memory.Get());

    const struct {
        const wchar_t* reference;
        const wchar_t* root;   // null: the load fails
    } cases[] = {
        {L"layout:main", L"root"},   {L"LAYOUT:MAIN", L"root"},   {L"layout:a:b", L"colon"},   // the name keeps later colons
        {L"layout:broken", nullptr}, {L"layout:empty", nullptr}, {L"layout:missing", nullptr},
        {L"png:main", nullptr},      {L"LAYOUT", nullptr},        {L"", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reference);
        pugi::xml_document document;
        MakeStale(document);
        EXPECT_EQ(c.root != nullptr, App().LoadXml(document, c.reference));
        EXPECT_STREQ(c.root ? c.root : L"", document.first_child().name());
    }
}

TEST_F(ApplicationTest, LoadsXmlFilesByPath)
{
    ScratchDir scratch;
    ASSERT_TRUE(scratch.Write(L"layout.xml", "<?xml version=\"1.0\" encoding=\"utf-8\"?><file text=\"\xE5\xAE\x89\"/>"));
    ASSERT_TRUE(scratch.Write(L"bad.xml", "<file>"));

    const struct {
        std::wstring reference;
        bool loads;
    } cases[] = {
        {L"file:" + scratch.File(L"layout.xml"), true},
        {L"FILE:" + scratch.File(L"layout.xml"), true},
        {L"file:" + scratch.File(L"bad.xml"), false},
        {L"file:" + scratch.File(L"missing.xml"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.reference.begin(), c.reference.end()));
        pugi::xml_document document;
        MakeStale(document);
        EXPECT_EQ(c.loads, App().LoadXml(document, c.reference.c_str()));
        EXPECT_STREQ(c.loads ? L"\u5B89" : L"", document.child(L"file").attribute(L"text").value());
        EXPECT_EQ(c.loads, static_cast<bool>(document.first_child()));
    }
}

TEST_F(ApplicationTest, LoadsXmlFromTheProviderItIsGiven)
{
    const auto outside = SAutoRef<MemoryProvider>::Adopt(new MemoryProvider);   // not one of the manager's
    outside->Add(L"xml", L"only", "<outside/>");
    pugi::xml_document document;
    EXPECT_TRUE(App().LoadXmlFromResource(L"only", L"xml", document, outside.Get()));
    EXPECT_STREQ(L"outside", document.first_child().name());
    EXPECT_FALSE(App().LoadXmlFromResource(L"only", L"xml", document));
    EXPECT_FALSE(document.first_child());
}

TEST_F(ApplicationTest, LoadSystemResourcesReportsWhatWasNotLoaded)
{
    const struct {
        const char* what;
        const char* skins;
        const char* editMenu;
        const char* msgBox;
        int missing;
    } cases[] = {
        {"none",                       nullptr,          nullptr,     nullptr, 7},
        {"all three",                  kSystemSkins,     kEditMenu,   kMsgBox, 0},
        {"skins",                      kSystemSkins,     nullptr,     nullptr, 6},
        {"edit menu",                  nullptr,          kEditMenu,   nullptr, 5},
        {"message box",                nullptr,          nullptr,     kMsgBox, 3},
        {"skins not XML",              "<skin><a></skin>", kEditMenu, kMsgBox, 1},
        {"skins under another root",   "<skins/>",       kEditMenu,   kMsgBox, 1},
        {"menu under another root",    kSystemSkins,     "<menu/>",   kMsgBox, 2},
        {"message box without minSize", kSystemSkins,    kEditMenu,   R"(<SAKU frameSize="1,1,1,1"/>)", 4},
        {"message box, empty frameSize", kSystemSkins,   kEditMenu,   R"(<SAKU frameSize="" minSize="1,1"/>)", 4},
        {"message box of another name", kSystemSkins,    kEditMenu,   R"(<dialog frameSize="1" minSize="1"/>)", 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto provider = SystemResources(c.skins, c.editMenu, c.msgBox);
        EXPECT_EQ(c.missing, App().LoadSystemResources(provider.Get()));
        EXPECT_EQ(nullptr, App().FindProvider(L"XML", L"SYS_XML_SKIN"));   // the provider was lent for the call
    }
    EXPECT_EQ(7, App().LoadSystemResources(nullptr));
}

TEST_F(ApplicationTest, SystemResourcesFillTheBuiltinSkinsTheMenuAndTheMessageBox)
{
    const auto provider = SystemResources(kSystemSkins, kEditMenu, kMsgBox);
    ASSERT_EQ(0, App().LoadSystemResources(provider.Get()));

    EXPECT_NE(nullptr, SSkinPoolMgr::GetInstance()->GetSystemSkin(6, 100));   // "_skin.sys.border"
    EXPECT_EQ(nullptr, SSkinPoolMgr::GetInstance()->GetSystemSkin(0, 100));
    const pugi::xml_node menu = SRicheditMenuDef::GetInstance()->GetTemplate();
    EXPECT_STREQ(L"editmenu", menu.name());
    EXPECT_STREQ(L"copy", menu.last_child().text().get());
    EXPECT_STREQ(L"SAKU", App().GetMsgBoxTemplate().name());
    EXPECT_STREQ(L"300,132", App().GetMsgBoxTemplate().attribute(L"minSize").value());
}

TEST_F(ApplicationTest, SystemSkinsTakeTheirImagesFromTheModuleTheyComeFrom)
{
    // The test program holds the skins and the message box, not the edit menu.
    const auto module = NewProvider(kResProviderPE, reinterpret_cast<WPARAM>(::GetModuleHandleW(nullptr)));
    EXPECT_EQ(2, App().LoadSystemResources(module.Get()));
    EXPECT_EQ(nullptr, App().FindProvider(L"PNG", L"STATES_H"));   // the module was lent for the call only

    ISkinObj* const checkbox = SSkinPoolMgr::GetInstance()->GetSystemSkin(0, 100);   // "_skin.sys.checkbox"
    ASSERT_NE(nullptr, checkbox);
    EXPECT_EQ(30, checkbox->QuerySkinSize().cx);   // its 90 x 30 image of three states was read
    EXPECT_EQ(30, checkbox->QuerySkinSize().cy);
    EXPECT_NE(nullptr, SSkinPoolMgr::GetInstance()->GetSystemSkin(29, 100));   // "_skin.sys.wnd.bkgnd"
    EXPECT_FALSE(SRicheditMenuDef::GetInstance()->GetTemplate());
    EXPECT_STREQ(L"300,132", App().GetMsgBoxTemplate().attribute(L"minSize").value());
}

TEST_F(ApplicationTest, SystemSkinsStayBelowTheUiDefinitions)
{
    AddProgramResources(L"uidef:xml_init");   // its skins define "redRect"
    SSkinPoolMgr* const pools = SSkinPoolMgr::GetInstance();
    ISkinObj* const defined = pools->GetSkin(L"redRect", 100);
    ASSERT_NE(nullptr, defined);

    const auto provider = SystemResources(R"(<skin><colorrect name="redRect" normal="#0000ff"/></skin>)", nullptr, nullptr);
    EXPECT_EQ(6, App().LoadSystemResources(provider.Get()));
    ISkinObj* const builtin = pools->GetBuiltinPool()->GetSkin(L"redRect", 100);
    ASSERT_NE(nullptr, builtin);
    EXPECT_NE(defined, builtin);
    EXPECT_EQ(defined, pools->GetSkin(L"redRect", 100));   // the definition still wins by name
}
