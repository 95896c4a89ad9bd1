// Layouts that are wrong: unknown tags and attributes, malformed positions and
// sizes, nesting deeper than any real layout, documents that include themselves,
// and random damage to a real page. Each builds what it can and returns.

#include "TestLogSink.h"
#include "WindowTest.h"

#include "core/SSkinPool.h"
#include "core/SXmlLookup.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

// Stand-ins for the controls the wizard's page names, so that its whole tree is
// built; where the library registers its own controls, those are made instead.
#define TEST_CONTROL(Class, tag)                    \
    class Class : public SWindow {                  \
    public:                                         \
        SOBJECT_CLASS(SWindow, tag, kObjTypeWindow) \
        SOBJECT_BASE_CLASS(L"window")               \
    };
TEST_CONTROL(STestText, L"text")
TEST_CONTROL(STestButton, L"button")
TEST_CONTROL(STestCheck, L"check")
TEST_CONTROL(STestImg, L"img")
TEST_CONTROL(STestProgress, L"progress")
#undef TEST_CONTROL

int CountWindows(const SWindow* root)
{
    int count = 1;
    for (SWindow* child = root->GetWindow(GSW_FIRSTCHILD); child; child = child->GetWindow(GSW_NEXTSIBLING))
        count += CountWindows(child);
    return count;
}

int DepthBelow(const SWindow* root)
{
    int depth = 0;
    for (const SWindow* window = root->GetWindow(GSW_FIRSTCHILD); window; window = window->GetWindow(GSW_FIRSTCHILD))
        ++depth;
    return depth;
}

class SWindowBadInput : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        App().RegisterFactoryOf<STestText>();
        App().RegisterFactoryOf<STestButton>();
        App().RegisterFactoryOf<STestCheck>();
        App().RegisterFactoryOf<STestImg>();
        App().RegisterFactoryOf<STestProgress>();
        AddProgramResources();
        // The library's progress bar refuses to be made without skins: the built-in ones.
        pugi::xml_document system;
        ASSERT_TRUE(system.load_string(L"<skin><colorrect name='_skin.sys.prog.bkgnd' normal='#808080'/>"
                                       L"<colorrect name='_skin.sys.prog.bar' normal='#0000ff'/></skin>"));
        SSkinPoolMgr::GetInstance()->GetBuiltinPool()->LoadSkins(system.first_child());
    }

    // Builds the element into a fresh root, lays it out, measures it and destroys
    // it, as a host does over its life; the number of windows it had.
    int BuildAndDestroy(pugi::xml_node element)
    {
        SWindow* const root = NewRoot();
        root->BuildFromXml(element);
        root->OnRelayout(RECT{0, 0, 340, 420});
        root->UpdateLayout();
        root->MeasureDesiredSize(nullptr);
        (void)root->SwndFromPoint(POINT{170, 210}, 0);   // only that it returns
        const int windows = CountWindows(root);
        root->AddRef();   // the fixture keeps its own reference
        root->DestroyWindow();
        EXPECT_EQ(0u, root->GetChildrenCount());
        return windows;
    }
};

}  // namespace

TEST_F(SWindowBadInput, UnknownTagsAndAttributesAreSkipped)
{
    const ScopedLogSink sink;   // the factories warn about the unknown tags
    SWindow* const root = Build(LR"(
        <window name="root" bogus="1" layout="noSuchLayout" class="noSuchStyle" skin="noSuchSkin">
          <unknowntag name="lost"><window name="underLost"/></unknowntag>
          <window name="kept" onclick="alert" id="IDNOTHING" data="not a number"/>
          <!-- a comment --><?pi data?>
          <![CDATA[ text of cdata ]]>
        </window>)");
    EXPECT_EQ(1u, root->GetChildrenCount());
    SWindow* const kept = root->FindChildByName(L"kept");
    ASSERT_NE(nullptr, kept);
    EXPECT_EQ(0, kept->GetID());
    EXPECT_EQ(0u, kept->GetUserData());
    EXPECT_EQ(nullptr, root->FindChildByName(L"underLost"));
    EXPECT_EQ(nullptr, root->GetSkin());
    EXPECT_NE(nullptr, root->GetLayout());   // an unknown layout keeps the one it had
}

TEST_F(SWindowBadInput, MalformedPositionsAndSizesBuildAndLayOut)
{
    const ScopedLogSink sink;
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(LR"(
        <window layout="SakuLayout">
          <window pos=""/>
          <window pos="1"/>
          <window pos="a,b,c"/>
          <window pos=",,,,,,,,"/>
          <window pos="sib.left@:,sib.top@0:x"/>
          <window pos="%,|,[,]"/>
          <window pos="]-10,0"/>
          <window pos="-99999999999,99999999999,@-5,@-7"/>
          <window size="-5,-7"/>
          <window width="-1000" height="-2147483648"/>
          <window width="2147483647" height="99999999999999999999"/>
          <window width="1e30" height="nan"/>
          <window offset="1e30,-1e30" pos="0,0"/>
          <window maxWidth="-50" width="wrapContent">text</window>
          <window maxWidth="99999999999" padding="-100,-100" margin="99999999">text</window>
          <window alpha="99999" float="0x7FFFFFFF" msgTransparent="-1" data="-1"/>
        </window>)"));
    EXPECT_EQ(17, BuildAndDestroy(document.first_child()));
}

TEST_F(SWindowBadInput, NestingIsBoundedInsteadOfOverflowingTheStack)
{
    const ScopedLogSink sink;
    constexpr int kLevels = 10000;
    std::wstring text;
    for (int i = 0; i < kLevels; ++i)
        text += L"<window name=\"level\">";
    for (int i = 0; i < kLevels; ++i)
        text += L"</window>";
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(text.c_str()));

    SWindow* const root = NewRoot();
    root->BuildFromXml(document.first_child());
    const int depth = DepthBelow(root);
    EXPECT_GE(depth, 100);          // deeper than any real layout
    EXPECT_LT(depth, kLevels - 1);  // but not all of it
    ASSERT_FALSE(sink.Lines().empty());
    EXPECT_NE(std::string::npos, sink.Lines().back().text.find("nested deeper"));

    root->SetVisible(FALSE);        // what recurses over the tree still has the stack it needs
    root->SetVisible(TRUE);
    root->UpdateLayout();
    root->AddRef();
    root->DestroyWindow();
}

TEST_F(SWindowBadInput, IncludedPartsAreBuiltAndAPartIncludingItselfEnds)
{
    const ScopedLogSink sink;
    SWindow* const root = Build(LR"(
        <window>
          <include src="LAYOUT:include_part"/>
          <window name="own"/>
          <INCLUDE SRC="include_part"/>
          <include src="LAYOUT:no_such_part"/>
          <include/>
        </window>)");
    EXPECT_EQ(5u, root->GetChildrenCount());
    EXPECT_NE(nullptr, root->FindChildByName(L"includedChild"));
    EXPECT_EQ(L"own", std::wstring(root->GetWindow(GSW_FIRSTCHILD)->GetWindow(GSW_NEXTSIBLING)->GetWindow(GSW_NEXTSIBLING)->GetName()));

    SWindow* const looped = Build(LR"(<window><include src="LAYOUT:include_self"/></window>)");
    EXPECT_GT(looped->GetChildrenCount(), 1u);
    EXPECT_LT(looped->GetChildrenCount(), 1000u);
}

TEST_F(SWindowBadInput, RandomDamageToARealPageNeverCrashesOrHangs)
{
    const ScopedLogSink sink;
    const std::string page = RawData(L"LAYOUT", L"LAYOUT_PAGE");
    ASSERT_FALSE(page.empty());
    {
        pugi::xml_document document;
        ASSERT_TRUE(document.load_buffer(page.data(), page.size(), pugi::parse_default, pugi::encoding_utf8));
        EXPECT_EQ(14, BuildAndDestroy(document.first_child()));   // the page is whole
    }

    std::mt19937 random(20261210);   // the same damage every run
    std::uniform_int_distribution<size_t> position(0, page.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> count(1, 8);
    const char interesting[] = {'<', '>', '/', '"', '=', ',', '-', '@', '%', '|', '[', ']', ':', '0', '9', '\0'};
    std::uniform_int_distribution<size_t> pick(0, sizeof(interesting) - 1);
    int parsed = 0;
    for (int round = 0; round < 1000; ++round) {
        std::string damaged = page;
        for (int n = count(random); n > 0; --n) {
            // Half the damage is a byte that means something to XML or to "pos".
            damaged[position(random)] = (byte(random) & 1) ? static_cast<char>(byte(random)) : interesting[pick(random)];
        }
        pugi::xml_document document;
        if (!document.load_buffer(damaged.data(), damaged.size(), pugi::parse_default, pugi::encoding_utf8))
            continue;
        ++parsed;
        BuildAndDestroy(document.first_child());
    }
    EXPECT_GT(parsed, 100);   // enough of them still parse to reach the windows
}
