// The window tree: building from layout text (ids, names, attributes, text,
// events), the attribute table's result codes, a child that refuses creation,
// insertion and removal, and destruction.

#include "WindowTest.h"

#include "core/Events.h"
#include "core/ISlotFunctor.h"
#include "core/SwndMsgCracker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// A window that refuses to be created when its "data" is 1.
class STestRefusingWindow : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"refusing", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    BEGIN_SWND_MSG_MAP(STestRefusingWindow)
        MSG_HANDLER  (WM_CREATE, OnCreate)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

private:
    int OnCreate(LPCREATESTRUCT createStruct)
    {
        if (GetUserData() == 1)
            return -1;
        return OnWindowCreate(createStruct);
    }
};

std::vector<int> EventIdsOf(const RecordingContainer& container, const wchar_t* sender)
{
    std::vector<int> ids;
    for (const auto& event : container.firedEvents) {
        if (event.sender == sender)
            ids.push_back(event.id);
    }
    return ids;
}

std::vector<std::wstring> ChildNames(const SWindow* parent)
{
    std::vector<std::wstring> names;
    for (SWindow* child = parent->GetWindow(GSW_FIRSTCHILD); child; child = child->GetWindow(GSW_NEXTSIBLING))
        names.push_back(child->GetName());
    return names;
}

// The names from the last child back to the first: the backward links agree.
std::vector<std::wstring> ChildNamesBackwards(const SWindow* parent)
{
    std::vector<std::wstring> names;
    for (SWindow* child = parent->GetWindow(GSW_LASTCHILD); child; child = child->GetWindow(GSW_PREVSIBLING))
        names.insert(names.begin(), child->GetName());
    return names;
}

class SWindowTree : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        App().RegisterFactoryOf<STestRefusingWindow>();
    }

    SWindow* Named(const wchar_t* name)
    {
        auto* window = new SWindow;
        window->ApplyAttribute(L"name", name, TRUE);
        return window;
    }
};

}  // namespace

TEST_F(SWindowTree, BuildsIdsNamesDataAndTextFromLayout)
{
    SWindow* const root = Build(LR"(
        <window name="root">
          <window name="ok" ID="idok" DATA="0x10">  Install now  </window>
          <window name="cancel" id="idcancel"/>
          <window name="twelve" id="12"/>
          <window name="unknown" id="IDFOO"/>
          <WINDOW NAME="upper" Id="3" Data="17" TEXT="plain"/>
          <window name="nested"><window name="deep" id="7"/></window>
        </window>)");
    EXPECT_EQ(6u, root->GetChildrenCount());
    EXPECT_EQ((std::vector<std::wstring>{L"ok", L"cancel", L"twelve", L"unknown", L"upper", L"nested"}), ChildNames(root));

    const struct {
        const wchar_t* name;
        int id;
        DWORD data;
        const wchar_t* text;
    } cases[] = {
        {L"ok", IDOK, 0x10, L"Install now"},   // blanks around the element's text are trimmed
        {L"cancel", IDCANCEL, 0, L""},
        {L"twelve", 12, 0, L""},
        {L"unknown", 0, 0, L""},                // "ID..." outside the table leaves the id alone
        {L"upper", 3, 17, L"plain"},            // tags and attribute names in any case
        {L"deep", 7, 0, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SWindow* const window = root->FindChildByName(c.name);
        ASSERT_NE(nullptr, window);
        EXPECT_EQ(c.id, window->GetID());
        EXPECT_EQ(c.data, window->GetUserData());
        EXPECT_STREQ(c.text, window->GetWindowText().c_str());
        EXPECT_EQ(&m_container, window->GetContainer());
    }
    SWindow* const deep = root->FindChildByName(L"deep");
    EXPECT_EQ(root->FindChildByName(L"nested"), deep->GetParent());
    EXPECT_EQ(root, deep->GetRoot());
}

TEST_F(SWindowTree, AnIdAfterANameKeepsItsValueAndAnIdBeforeOneIsKept)
{
    SWindow* const root = Build(LR"(<window><window id="5" name="later"/><window name="first" id="9"/></window>)");
    EXPECT_EQ(5, root->FindChildByName(L"later")->GetID());
    EXPECT_EQ(9, root->FindChildByName(L"first")->GetID());   // no named id table: the name gave 0
}

TEST_F(SWindowTree, RaisesCreationEventsInBuildOrderAndDestructionBeforeTheChildren)
{
    SWindow* const root = Build(LR"(<window name="root"><window name="a"><window name="a1"/></window><window name="b"/></window>)");
    std::vector<std::wstring> created;
    for (const auto& event : m_container.firedEvents) {
        if (event.id == EventSwndCreate::EventID)
            created.push_back(event.sender);
    }
    // Each window is created before its children are built.
    EXPECT_EQ((std::vector<std::wstring>{L"root", L"a", L"a1", L"b"}), created);

    m_container.ClearRecords();
    const SWND a1 = root->FindChildByName(L"a1")->GetSwnd();
    root->AddRef();   // the fixture keeps its reference
    root->DestroyWindow();
    std::vector<std::wstring> destroyed;
    for (const auto& event : m_container.firedEvents) {
        if (event.id == EventSwndDestroy::EventID)
            destroyed.push_back(event.sender);
    }
    EXPECT_EQ((std::vector<std::wstring>{L"root", L"a", L"a1", L"b"}), destroyed);
    EXPECT_EQ(0u, root->GetChildrenCount());
    EXPECT_EQ(nullptr, SWindowMgr::GetWindow(a1));   // released with the tree
}

TEST_F(SWindowTree, AChildThatRefusesCreationIsRemovedAndReleased)
{
    SWindow* const root = Build(LR"(
        <window name="root">
          <window name="before"/>
          <refusing name="refused" data="1"><window name="orphan"/></refusing>
          <refusing name="accepted" data="0"/>
          <window name="after"/>
        </window>)");
    EXPECT_EQ((std::vector<std::wstring>{L"before", L"accepted", L"after"}), ChildNames(root));
    EXPECT_EQ(ChildNames(root), ChildNamesBackwards(root));
    EXPECT_EQ(3u, root->GetChildrenCount());
    EXPECT_EQ(nullptr, root->FindChildByName(L"orphan"));   // its children were never built
    EXPECT_EQ((std::vector<int>{EventSwndDestroy::EventID}), EventIdsOf(m_container, L"refused"));
    // The handles after "before" and "refused" were taken: the refused one is gone.
    const SWND refused = root->FindChildByName(L"before")->GetSwnd() + 1;
    EXPECT_EQ(nullptr, SWindowMgr::GetWindow(refused));
}

TEST_F(SWindowTree, AttributesAnswerWhetherTheyNeedARedrawAndWhoTookThem)
{
    SWindow* const root = Build(LR"(<window layout="testlayout"><window name="child"/></window>)");
    SWindow* const child = root->FindChildByName(L"child");
    const struct {
        SWindow* window;
        const wchar_t* name;
        const wchar_t* value;
        HRESULT loaded;     // while loading
        HRESULT changed;    // afterwards
    } cases[] = {
        {child, L"id", L"5", S_FALSE, S_FALSE},
        {child, L"NAME", L"renamed", S_FALSE, S_FALSE},
        {child, L"data", L"0x10", S_FALSE, S_FALSE},
        {child, L"Text", L"hello", S_OK, S_OK},
        {child, L"display", L"1", S_FALSE, S_OK},
        {child, L"drawFocusRect", L"0", S_OK, S_OK},
        {child, L"layeredWindow", L"0", S_FALSE, S_OK},
        {child, L"msgTransparent", L"0x3", S_FALSE, S_FALSE},
        {child, L"pos", L"0,0", kAttrTakenByLayoutParam, kAttrTakenByLayoutParam},
        {child, L"WIDTH", L"20", kAttrTakenByLayoutParam, kAttrTakenByLayoutParam},
        {root, L"spacing", L"4", kAttrTakenByLayout | S_FALSE, kAttrTakenByLayout | S_FALSE},
        {child, L"margin", L"2", kAttrTakenByStyle | S_FALSE, kAttrTakenByStyle | S_OK},
        {child, L"colorText", L"#ff0000", kAttrTakenByStyle, kAttrTakenByStyle},
        {child, L"layout", L"noSuchLayout", E_INVALIDARG, E_INVALIDARG},
        {child, L"on_command", L"script", E_FAIL, E_FAIL},   // no script module
        {child, L"noSuchAttribute", L"1", E_FAIL, E_FAIL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.loaded, c.window->ApplyAttribute(c.name, c.value, TRUE));
        EXPECT_EQ(c.changed, c.window->ApplyAttribute(c.name, c.value, FALSE));
    }
    EXPECT_STREQ(L"renamed", child->GetName());
    EXPECT_EQ(5, child->GetID());
    EXPECT_EQ(0x10u, child->GetUserData());
    EXPECT_TRUE(child->IsMsgTransparent());   // bit 0 of 3
    EXPECT_TRUE(child->GetLayoutParam()->IsSpecifiedSize(Horz));
}

TEST_F(SWindowTree, ALayoutParameterChangedAfterLoadingRelayoutsTheParent)
{
    SWindow* const root = Build(LR"(<window layout="testlayout"><window name="child"/></window>)");
    auto* const layout = static_cast<STestLayout*>(root->GetLayout());
    SWindow* const child = root->FindChildByName(L"child");
    root->UpdateLayout();
    const int runs = layout->layoutRuns;
    EXPECT_GE(runs, 1);

    child->ApplyAttribute(L"height", L"30", FALSE);
    root->UpdateLayout();
    EXPECT_EQ(runs + 1, layout->layoutRuns);

    child->ApplyAttribute(L"data", L"3", FALSE);   // nothing to lay out
    root->UpdateLayout();
    EXPECT_EQ(runs + 1, layout->layoutRuns);
}

TEST_F(SWindowTree, InsertsAfterTheLastNullFirstOrASibling)
{
    SWindow* const root = NewRoot();
    SWindow* const a = Named(L"a");
    SWindow* const b = Named(L"b");
    SWindow* const c = Named(L"c");
    SWindow* const d = Named(L"d");
    root->InsertChild(a);                     // null: appends
    root->InsertChild(b, a);                  // after the last: appends
    root->InsertChild(c, SWindow::kInsertFirst);
    root->InsertChild(d, c);                  // behind a sibling
    EXPECT_EQ((std::vector<std::wstring>{L"c", L"d", L"a", L"b"}), ChildNames(root));
    EXPECT_EQ(ChildNames(root), ChildNamesBackwards(root));
    EXPECT_EQ(4u, root->GetChildrenCount());
    EXPECT_EQ(&m_container, d->GetContainer());
    EXPECT_EQ(root, d->GetParent());

    root->InsertChild(a, SWindow::kInsertFirst);   // already its child: nothing changes
    EXPECT_EQ((std::vector<std::wstring>{L"c", L"d", L"a", L"b"}), ChildNames(root));
    EXPECT_EQ(4u, root->GetChildrenCount());

    a->InsertChild(root);   // a parent under its own child would loop
    EXPECT_EQ(nullptr, root->GetParent());

    c->BringWindowToTop();
    EXPECT_EQ((std::vector<std::wstring>{L"d", L"a", L"b", L"c"}), ChildNames(root));
    EXPECT_EQ(ChildNames(root), ChildNamesBackwards(root));

    EXPECT_TRUE(root->RemoveChild(d));
    EXPECT_FALSE(root->RemoveChild(d));
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"b", L"c"}), ChildNames(root));
    EXPECT_EQ(3u, root->GetChildrenCount());
    EXPECT_EQ(nullptr, d->GetParent());
    d->Release();   // RemoveChild handed the reference back

    EXPECT_TRUE(root->DestroyChild(b));
    EXPECT_FALSE(root->DestroyChild(b));   // no longer a child (and gone)
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"c"}), ChildNames(root));
    EXPECT_EQ(ChildNames(root), ChildNamesBackwards(root));
}

TEST_F(SWindowTree, AWindowMovedToAnotherParentLeavesTheFirst)
{
    SWindow* const first = NewRoot();
    SWindow* const second = NewRoot();
    SWindow* const child = Named(L"child");
    first->InsertChild(child);
    second->InsertChild(child);
    EXPECT_EQ(0u, first->GetChildrenCount());
    EXPECT_EQ(nullptr, first->GetWindow(GSW_FIRSTCHILD));
    EXPECT_EQ(second, child->GetParent());
    EXPECT_EQ(1u, second->GetChildrenCount());
}

TEST_F(SWindowTree, GetWindowAnswersEachRelation)
{
    SWindow* const root = Build(LR"(<window><window name="a"/><window name="b"/><window name="c"/></window>)");
    SWindow* const b = root->FindChildByName(L"b");
    SWindow* const owner = NewRoot();
    b->SetOwner(owner);
    EXPECT_EQ(root->FindChildByName(L"a"), root->GetWindow(GSW_FIRSTCHILD));
    EXPECT_EQ(root->FindChildByName(L"c"), root->GetWindow(GSW_LASTCHILD));
    EXPECT_EQ(root->FindChildByName(L"a"), b->GetWindow(GSW_PREVSIBLING));
    EXPECT_EQ(root->FindChildByName(L"c"), b->GetWindow(GSW_NEXTSIBLING));
    EXPECT_EQ(root, b->GetWindow(GSW_PARENT));
    EXPECT_EQ(owner, b->GetWindow(GSW_OWNER));
    EXPECT_EQ(nullptr, b->GetWindow(6));
}

TEST_F(SWindowTree, ASubtreeReleasedWithoutDestructionGivesBackEveryHandle)
{
    auto root = SAutoRef<SWindow>::Adopt(new SWindow);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(LR"(<window><window><window/></window><window/></window>)"));
    root->BuildFromXml(document.first_child());
    const SWND last = root->GetSwnd() + 3;
    ASSERT_NE(nullptr, SWindowMgr::GetWindow(last));
    root = nullptr;
    for (SWND swnd = last - 3; swnd <= last; ++swnd)
        EXPECT_EQ(nullptr, SWindowMgr::GetWindow(swnd)) << swnd;
}

TEST_F(SWindowTree, EventsBubbleToTheOwnerOrTheContainerUnlessStopped)
{
    struct CommandListener {
        BOOL stop = FALSE;
        int calls = 0;
        BOOL OnCommand(EventCmd* event)
        {
            ++calls;
            if (stop)
                event->bubbleUp = FALSE;
            return TRUE;
        }
    };
    SWindow* const root = Build(LR"(<window><window name="button"/></window>)");
    SWindow* const button = root->FindChildByName(L"button");
    CommandListener onButton;
    CommandListener onOwner;
    button->GetEventSet()->SubscribeEvent(EventCmd::EventID, Subscriber(&CommandListener::OnCommand, &onButton));
    m_container.ClearRecords();

    button->FireCommand();   // no owner: on to the container
    EXPECT_EQ(1, onButton.calls);
    EXPECT_EQ(1u, EventIdsOf(m_container, L"button").size());

    SWindow* const owner = NewRoot();
    owner->GetEventSet()->SubscribeEvent(EventCmd::EventID, Subscriber(&CommandListener::OnCommand, &onOwner));
    button->SetOwner(owner);
    button->FireCommand();
    EXPECT_EQ(1, onOwner.calls);   // the owner's subscribers hear it, then its container

    onButton.stop = TRUE;
    m_container.ClearRecords();
    EXPECT_TRUE(button->FireCommand());
    EXPECT_EQ(1, onOwner.calls);
    EXPECT_TRUE(m_container.firedEvents.empty());
}

namespace {

// A layout of another kind, whose children carry parameters of their own class.
class STestOtherParam : public STestLayoutParam {
public:
    SOBJECT_CLASS(STestLayoutParam, L"OtherLayoutParam", kObjTypeNone)
};

class STestOtherLayout : public STestLayout {
public:
    SOBJECT_CLASS(STestLayout, L"otherlayout", kObjTypeLayout)
    SOBJECT_BASE_CLASS(L"testlayout")

    bool IsParamAcceptable(ILayoutParam* param) const override { return param && param->IsClass(L"OtherLayoutParam"); }
    ILayoutParam* CreateLayoutParam() const override { return new STestOtherParam; }
};

// The root of a tree that is its own container, as a host's is; its container
// part must hear nothing once it is gone.
class STestContainerRoot : public RecordingContainer, public SWindow {
public:
    ~STestContainerRoot() override { m_gone = true; }

    void SetWndTreeZorderDirty() override
    {
        EXPECT_FALSE(m_gone) << "the container was called while it was destroyed";
        RecordingContainer::SetWndTreeZorderDirty();
    }

private:
    bool m_gone = false;
};

}  // namespace

TEST_F(SWindowTree, ANewLayoutGivesTheChildrenParametersOfItsKind)
{
    App().RegisterFactoryOf<STestOtherLayout>();
    SWindow* const root = Build(LR"(<window layout="testlayout"><window name="a"/><window name="b"/></window>)");
    ASSERT_TRUE(root->FindChildByName(L"a")->GetLayoutParam()->IsClass(L"TestLayoutParam"));
    EXPECT_EQ(S_OK, root->ApplyAttribute(L"layout", L"otherlayout", TRUE));
    for (const wchar_t* name : {L"a", L"b"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(root->FindChildByName(name)->GetLayoutParam()->IsClass(L"OtherLayoutParam"));
    }
}

TEST_F(SWindowTree, ATreeThatIsItsOwnContainerIsReleasedWithoutCallingIt)
{
    auto* const host = new STestContainerRoot;
    host->SetContainer(host);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(LR"(<window><window/><window><window/></window></window>)"));
    host->BuildFromXml(document.first_child());
    const SWND last = host->GetSwnd() + 3;
    ASSERT_NE(nullptr, SWindowMgr::GetWindow(last));
    host->Release();
    EXPECT_EQ(nullptr, SWindowMgr::GetWindow(last));
}

TEST_F(SWindowTree, ANameGivesItsNamedIdUnlessAnIdCameFirst)
{
    const SNamedID::Entry entries[] = {{L"btn_install", 4001}, {L"btn_close", 4002}};
    App().InitNamedIDs(entries, 2, false);
    SWindow* const root = Build(LR"(
        <window>
          <window name="btn_install"/>
          <window id="7" name="btn_close"/>
          <window name="not_in_table"/>
        </window>)");
    EXPECT_EQ(4001, root->FindChildByName(L"btn_install")->GetID());
    EXPECT_EQ(7, root->FindChildByName(L"btn_close")->GetID());
    EXPECT_EQ(0, root->FindChildByName(L"not_in_table")->GetID());
}
