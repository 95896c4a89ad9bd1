// Finding children by name and id within a depth, and the typed searches that
// check the class and log a warning when they find nothing of it.

#include "TestLogSink.h"
#include "WindowTest.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

class STestButtonWnd : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"button", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")
};

// A name at depth 2 under the first child and at depth 1 after it; an empty name
// at depth 3.
constexpr const wchar_t* kTree = LR"(
    <window name="root">
      <window name="first" id="1">
        <window name="a" id="10"><window name="deep" id="100"/></window>
        <window name="twin" id="11"/>
      </window>
      <window name="twin" id="2"/>
      <window name="second" id="3">
        <button name="ok" id="21"><window name="" id="210"/></button>
      </window>
    </window>)";

class SWindowLookup : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        App().RegisterFactoryOf<STestButtonWnd>();
        m_root = Build(kTree);
    }

    SWindow* m_root = nullptr;
};

}  // namespace

TEST_F(SWindowLookup, FindsByNameAndIdWithinADepth)
{
    const struct {
        const wchar_t* name;
        int id;
        int depth;
        int expectedId;   // 0: nothing found
    } cases[] = {
        {L"first", 1, 1, 1},
        {L"a", 10, 1, 0},       // a grandchild is beyond depth 1
        {L"a", 10, 2, 10},
        {L"ok", 21, 2, 21},
        {L"", 210, 2, 0},       // depth 2 does not reach the grandchildren's children
        {L"", 210, 3, 210},     // an empty name is a name like any other
        {L"twin", 2, -1, 2},    // all children of a level before the subtree of the first
        {L"deep", 100, 2, 0},
        {L"deep", 100, 3, 100},
        {L"deep", 100, -1, 100},
        {L"Twin", 0, -1, 0},    // names compare exactly
        {L"first", 1, 0, 0},    // depth 0 searches nothing
        {L"nobody", 999, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::wstring(c.name) + L" at depth " + std::to_wstring(c.depth));
        SWindow* const byName = m_root->FindChildByName(c.name, c.depth);
        EXPECT_EQ(c.expectedId, byName ? byName->GetID() : 0);
        if (c.id == 0)
            continue;
        SWindow* const byId = m_root->FindChildByID(c.id, c.depth);
        EXPECT_EQ(c.expectedId, byId ? byId->GetID() : 0);
    }
    EXPECT_EQ(nullptr, m_root->FindChildByID(0));
    EXPECT_EQ(nullptr, m_root->FindChildByName(static_cast<LPCWSTR>(nullptr)));
}

TEST_F(SWindowLookup, TypedSearchesCheckTheClass)
{
    const ScopedLogSink sink;
    EXPECT_EQ(m_root->FindChildByName(L"ok"), m_root->FindChildByName2<STestButtonWnd>(L"ok"));
    EXPECT_EQ(m_root->FindChildByName(L"ok"), m_root->FindChildByName2<STestButtonWnd>("ok"));
    EXPECT_EQ(m_root->FindChildByID(21), m_root->FindChildByID2<STestButtonWnd>(21, 2));
    EXPECT_EQ(m_root->FindChildByName(L"twin"), m_root->FindChildByName2<SWindow>(L"twin"));
    EXPECT_TRUE(sink.Lines().empty());
}

TEST_F(SWindowLookup, AFailedTypedSearchLogsWhatItLookedFor)
{
    const ScopedLogSink sink;
    EXPECT_EQ(nullptr, m_root->FindChildByName2<STestButtonWnd>(L"twin", 5));   // found, of another class
    EXPECT_EQ(nullptr, m_root->FindChildByID2<STestButtonWnd>(404, -1));         // not found at all
    ASSERT_EQ(2u, sink.Lines().size());

    const LoggedLine& byName = sink.Lines()[0];
    EXPECT_EQ("FindChildByName2 Failed, no window of class [button] with name of [twin] was found within [5] levels",
              byName.text);
    EXPECT_EQ(kLogLevelWarn, byName.level);
    EXPECT_EQ(0, byName.loggerId);
    EXPECT_EQ("saku", byName.tag);
    EXPECT_EQ("saku/include/core/SWnd", byName.file);
    EXPECT_EQ(525, byName.line);
    EXPECT_EQ("SAKU::SWindow::FindChildByName2", byName.function);

    const LoggedLine& byId = sink.Lines()[1];
    EXPECT_EQ("FindChildByID2 Failed, no window of class [button] with id of [404] was found within [-1] levels",
              byId.text);
    EXPECT_EQ(488, byId.line);
    EXPECT_EQ("SAKU::SWindow::FindChildByID2", byId.function);
}
