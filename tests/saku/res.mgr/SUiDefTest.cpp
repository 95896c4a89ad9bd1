// UI definitions: the program's own with its sections from other resources, the
// default font, the warnings of a definition that cannot be read, class defaults
// inherited through the factories' base classes, and a table of bad documents
// that load what is sound and never crash.

#include "../core/SakuAppTest.h"
#include "../core/TestLogSink.h"
#include "../core/TestObjects.h"
#include "TestProviders.h"

#include "core/ISkinObj.h"
#include "core/SObjectImpl.h"
#include "core/SSkinPool.h"
#include "core/SStylePool.h"
#include "render/IRenderTarget.h"
#include "res.mgr/SResProviderMgr.h"
#include "res.mgr/SUiDef.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <functional>
#include <string>
#include <vector>

using namespace SAKU;
using saku_test::MemoryProvider;
using saku_test::SakuAppTest;
using saku_test::ScopedLogSink;
using saku_test::STestRecordingWindow;

namespace {

// Windows that record the attributes they are given, in order.
class STestWindow : public STestRecordingWindow<STestWindow> {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"window", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"object")
};

class STestButton : public STestRecordingWindow<STestButton> {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"button", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")
};

class STestCheck : public STestRecordingWindow<STestCheck> {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"check", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"button")
};

class UiDefTest : public SakuAppTest {
protected:
    IUiDefInfo* Current() { return SUiDef::GetInstance()->GetUiDef(); }

    // A provider holding `uiDef` as "uidef:main" and the program's images, added
    // with that definition.
    IUiDefInfo* LoadFromMemory(const std::string& uiDef, const std::vector<std::pair<std::wstring, std::string>>& more = {})
    {
        AddProgramResources();
        const auto memory = SAutoRef<MemoryProvider>::Adopt(new MemoryProvider);
        memory->Add(L"uidef", L"main", uiDef);
        for (const auto& resource : more) {
            const auto colon = resource.first.find(L':');
            memory->Add(resource.first.substr(0, colon), resource.first.substr(colon + 1), resource.second);
        }
        App().AddResProvider(memory.Get(), L"uidef:main");
        return Current();
    }

    template <typename T>
    std::vector<std::wstring> CreateAndRecord(const wchar_t* tag)
    {
        IObject* const object = App().CreateObject(SObjectInfo(tag, kObjTypeWindow));
        auto* const window = SObjCast<T>(object);
        EXPECT_NE(nullptr, window);
        if (!window)
            return {};
        std::vector<std::wstring> applied = window->m_applied;
        window->Release();
        return applied;
    }
};

}  // namespace

TEST_F(UiDefTest, LoadsTheProgramsDefinitionWithItsSectionsFromOtherResources)
{
    EXPECT_EQ(nullptr, Current());
    AddProgramResources(L"uidef:xml_init");
    IUiDefInfo* const uiDef = Current();
    ASSERT_NE(nullptr, uiDef);
    EXPECT_EQ(15u | 1u << 16, uiDef->GetDefFontInfo().style);
    EXPECT_EQ(L"宋体", uiDef->GetDefFontInfo().face);
    EXPECT_EQ(L"", uiDef->GetDefFontInfo().propex);
    EXPECT_EQ(3, uiDef->GetNamedString().GetCount());
    EXPECT_EQ(5, uiDef->GetNamedColor().GetCount());   // six entries, "#fff" left out

    // Its skins and styles are on the pool stacks, and stay there without it.
    ASSERT_NE(nullptr, uiDef->GetSkinPool());
    ISkinObj* const states = SSkinPoolMgr::GetInstance()->GetSkin(L"states", 100);
    ASSERT_NE(nullptr, states);
    EXPECT_EQ(states, uiDef->GetSkinPool()->GetSkin(L"states", 100));
    EXPECT_EQ(3, states->GetStates());
    const pugi::xml_node style = SStylePoolMgr::GetInstance()->FindStyle(L"cls_btn");
    EXPECT_STREQ(L"underline:1", style.attribute(L"font").value());   // the first of two
    EXPECT_STREQ(L"@color/red", style.attribute(L"colorText").value());
    EXPECT_FALSE(style.attribute(L"name"));
    SUiDef::GetInstance()->SelectDefinition(nullptr);
    EXPECT_EQ(states, SSkinPoolMgr::GetInstance()->GetSkin(L"states", 100));
    EXPECT_TRUE(SStylePoolMgr::GetInstance()->FindStyle(L"cls_btn"));
}

TEST_F(UiDefTest, NewWindowsGetTheDefaultsOfTheirClassAndItsBases)
{
    // The test's window, button and check box stand in for the library's, which the registrar registered.
    ASSERT_TRUE(App().RegisterFactory(TplSObjectFactory<STestWindow>(), true));
    ASSERT_TRUE(App().RegisterFactory(TplSObjectFactory<STestButton>(), true));
    ASSERT_TRUE(App().RegisterFactory(TplSObjectFactory<STestCheck>(), true));
    EXPECT_TRUE(CreateAndRecord<STestButton>(L"button").empty());   // no definition yet

    AddProgramResources(L"uidef:xml_init");
    // The button's own attributes first, then those it inherits from "window";
    // its own colour wins.
    EXPECT_EQ((std::vector<std::wstring>{L"colorText=#ffffff", L"cursor=hand", L"margin=1", L"font=size:12"}),
              CreateAndRecord<STestButton>(L"Button"));
    EXPECT_EQ((std::vector<std::wstring>{L"margin=1", L"colorText=#000000", L"font=size:12"}),
              CreateAndRecord<STestWindow>(L"window"));
    // A class without an entry takes its nearest base's.
    EXPECT_EQ((std::vector<std::wstring>{L"colorText=#ffffff", L"cursor=hand", L"margin=1", L"font=size:12"}),
              CreateAndRecord<STestCheck>(L"check"));
}

TEST_F(UiDefTest, ADefinitionThatCannotBeReadIsLoggedAndLeftEmpty)
{
    constexpr char kNotFound[] = "warning!!!! uidef was not found in the specified resprovider";
    const struct {
        const char* what;
        const wchar_t* reference;
        std::string document;
        std::vector<std::string> warnings;
    } cases[] = {
        {"no colon",     L"uidefmain",    "<uidef/>", {"warning!!!! Add ResProvider Error.", kNotFound}},
        {"missing",      L"uidef:absent", "<uidef/>", {kNotFound}},
        {"empty",        L"uidef:main",   "",         {kNotFound}},
        {"not XML",      L"uidef:main",   "<uidef><font></uidef>", {"warning!!! load uidef as xml document failed"}},
        {"another root", L"uidef:main",   "<ui><font size=\"20\"/></ui>",
         {"warning!!! \"uidef\" element is not the root element of uidef xml"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto memory = SAutoRef<MemoryProvider>::Adopt(new MemoryProvider);
        memory->Add(L"uidef", L"main", c.document);
        ScopedLogSink sink(kLogLevelWarn);
        App().AddResProvider(memory.Get(), c.reference);
        std::vector<std::string> warnings;
        for (const auto& line : sink.Lines()) {
            warnings.push_back(line.text);
            EXPECT_EQ(kLogLevelWarn, line.level);
            EXPECT_EQ("saku", line.tag);
            EXPECT_EQ("src\\res.mgr\\SUiDef", line.file);
            EXPECT_EQ("SAKU::SUiDefInfo::SUiDefInfo", line.function);
        }
        EXPECT_EQ(c.warnings, warnings);

        IUiDefInfo* const uiDef = Current();
        ASSERT_NE(nullptr, uiDef);   // empty, but current and usable
        EXPECT_EQ(kDefaultFontStyle, uiDef->GetDefFontInfo().style);
        EXPECT_EQ(L"宋体", uiDef->GetDefFontInfo().face);
        EXPECT_EQ(0, uiDef->GetNamedColor().GetCount());
        EXPECT_EQ(nullptr, uiDef->GetSkinPool());
        EXPECT_EQ(nullptr, uiDef->GetStylePool());
        App().RemoveResProvider(memory.Get());
    }
}

TEST_F(UiDefTest, TheDefaultFontKeepsItsSizeAndFallsBackToSongtiForAFaceNotInstalled)
{
    const struct {
        const char* font;
        DWORD style;
        const wchar_t* face;
    } cases[] = {
        {R"(<font face="NoSuchFace Anywhere" size="20" bold="1"/>)", 20 | 1 << 16 | kFontBold, L"宋体"},
        {R"(<font face="Tahoma" size="13" charset="134" italic="1" underline="1" strike="1"/>)",
         13 | 134 << 16 | kFontItalic | kFontUnderline | kFontStrikeOut, L"Tahoma"},
        {R"(<FONT Face="微软雅黑"/>)", 12 | 1 << 16, L"微软雅黑"},
        {R"(<font face="" size="abc"/>)", 12 | 1 << 16, L"宋体"},   // an unreadable size keeps the default
        {R"(<font face="A face name far longer than the thirty-one characters of a font"/>)", 12 | 1 << 16, L"宋体"},
        {"", kDefaultFontStyle, L"宋体"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.font);
        IUiDefInfo* const uiDef = LoadFromMemory(std::string("<uidef>") + c.font + "</uidef>");
        ASSERT_NE(nullptr, uiDef);
        EXPECT_EQ(c.style, uiDef->GetDefFontInfo().style);
        EXPECT_EQ(c.face, uiDef->GetDefFontInfo().face);
        App().RemoveAllResProviders();
    }
}

TEST_F(UiDefTest, ASectionWhoseSourceCannotBeReadKeepsItsInlineChildren)
{
    IUiDefInfo* const uiDef = LoadFromMemory(R"xml(<uidef>
  <color src="values:nothing"><c1 value="#010203"/></color>
  <string src="values:broken"><s1 value="inline"/></string>
  <skin src="values:noskin"><colorrect name="rect" normal="#ff0000"/></skin>
</uidef>)xml", {{L"values:broken", "<string><s1 value=\"referenced\""}, {L"values:noskin", "<other/>"}});
    ASSERT_NE(nullptr, uiDef);
    EXPECT_EQ(0xFF030201u, SResProviderMgr::GetColor(L"@color/c1"));
    EXPECT_EQ(L"inline", SResProviderMgr::GetString(L"@string/s1"));
    EXPECT_NE(nullptr, SSkinPoolMgr::GetInstance()->GetSkin(L"rect", 100));
}

// Bad documents load what is sound, log the rest and never crash; every skin they
// leave is drawn once.
TEST_F(UiDefTest, BadDocumentsLoadWhatIsSound)
{
    const struct {
        const char* what;
        const char* document;
        std::function<void(IUiDefInfo*)> check;
    } cases[] = {
        {"wrong types", R"xml(<uidef>
  <font size="big" charset="latin" bold="perhaps">text</font>
  <color><red value="12"/><blue value="rgb(a,b,c)"/><green value="#00ff00"/></color>
  <string><empty/><ok value="确定"/></string>
  <objattr>only text</objattr>
</uidef>)xml",
         [](IUiDefInfo* uiDef) {
             EXPECT_EQ(12u | 1u << 16, uiDef->GetDefFontInfo().style);
             EXPECT_EQ(1, uiDef->GetNamedColor().GetCount());
             EXPECT_EQ(0xFF00FF00u, SResProviderMgr::GetColor(L"@color/green"));
             EXPECT_EQ(L"确定", SResProviderMgr::GetString(L"@string/ok"));
             EXPECT_EQ(L"", SResProviderMgr::GetString(L"@string/empty"));   // a string without value is empty
         }},
        {"unknown tags", R"xml(<uidef>
  <whatever/>
  <skin><nosuchskin name="x"/><imglist name="y" src="png:nope"/><imglist name="z" src="png:states_h" states="0"/></skin>
  <style><klass name="k"/></style>
</uidef>)xml",
         [](IUiDefInfo* uiDef) {
             EXPECT_EQ(nullptr, uiDef->GetSkinPool()->GetSkin(L"x", 100));
             ISkinObj* const y = uiDef->GetSkinPool()->GetSkin(L"y", 100);
             ASSERT_NE(nullptr, y);
             EXPECT_EQ(0, y->QuerySkinSize().cx);
             ISkinObj* const z = uiDef->GetSkinPool()->GetSkin(L"z", 100);
             ASSERT_NE(nullptr, z);
             EXPECT_EQ(1, z->GetStates());
             EXPECT_EQ(90, z->QuerySkinSize().cx);
             EXPECT_FALSE(uiDef->GetStylePool()->GetStyle(L"k"));
         }},
        {"missing attributes", R"xml(<uidef>
  <skin><imglist src="png:states_h"/><colorrect/><group name="g" normal="nothing"/></skin>
  <style><class/><class name="c"/></style>
  <objattr><button/></objattr>
</uidef>)xml",
         [](IUiDefInfo* uiDef) {
             EXPECT_EQ(1, uiDef->GetSkinPool()->GetCount());
             EXPECT_NE(nullptr, uiDef->GetSkinPool()->GetSkin(L"g", 100));
             EXPECT_TRUE(uiDef->GetStylePool()->GetStyle(L"c"));
         }},
        {"huge numbers", R"xml(<uidef>
  <font size="99999999999999999999" charset="-5"/>
  <skin>
    <imgframe name="f" src="png:frame" margin="999999999,-99999999,2147483647,0x7fffffff" states="2147483647"/>
    <imglist name="s" src="png:states_h" states="99999999999999999999" alpha="4096"/>
    <colorrect name="c" normal="#ff0000" cornerRadius="2147483647"/>
    <shape name="sh" scale="2147483647"><size width="1e30" height="-1e30"/><stroke width="99999999" color="#000000"/><corners radius="1e38,1e38"/></shape>
  </skin>
</uidef>)xml",
         [](IUiDefInfo* uiDef) { EXPECT_EQ(4, uiDef->GetSkinPool()->GetCount()); }},
        {"broken references", R"xml(<uidef>
  <string src="values"/><color src=":"/><style src="nothing:"/><objattr src="::"/>
  <skin src="values:nothing"><imglist name="r" src="@string/nothing"/><colorrect name="n" normal="@color/nothing"/></skin>
</uidef>)xml",
         [](IUiDefInfo* uiDef) {
             EXPECT_EQ(0, uiDef->GetNamedString().GetCount());
             ASSERT_NE(nullptr, uiDef->GetSkinPool());
             EXPECT_NE(nullptr, uiDef->GetSkinPool()->GetSkin(L"n", 100));
         }},
    };
    SAutoRef<IRenderTarget> target;
    ASSERT_TRUE(m_renderFactory->CreateRenderTarget(target.Put(), 64, 64));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedLogSink sink(kLogLevelWarn);
        IUiDefInfo* const uiDef = LoadFromMemory(c.document);
        ASSERT_NE(nullptr, uiDef);
        c.check(uiDef);
        if (SSkinPool* const pool = uiDef->GetSkinPool()) {
            for (auto* node = pool->GetStartPosition(); node; node = pool->GetNext(node)) {
                const RECT rect = {0, 0, 64, 64};
                for (int state = -1; state < 6; ++state)
                    node->value->DrawByIndex(target.Get(), &rect, state);
                node->value->ApplyColorize(0xFF00FF00);
                node->value->ApplyColorize(0);
                if (ISkinObj* const scaled = SSkinPoolMgr::GetInstance()->GetSkin(node->key.name, 150))
                    scaled->DrawByIndex(target.Get(), &rect, 0);
            }
        }
        App().RemoveAllResProviders();
    }
}
