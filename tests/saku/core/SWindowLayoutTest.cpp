// Layout requests and measuring: which windows a request marks, what OnRelayout
// answers and sends, floating windows, the desired size of a window whose parent
// is not sized yet, wrapped text, and hit testing.

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

// Counts the size messages a window gets.
class STestSizedWindow : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"sized", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    BEGIN_SWND_MSG_MAP(STestSizedWindow)
        MSG_HANDLER  (WM_SIZE, OnSize)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

    int sizes = 0;
    SIZE lastSize = {};

private:
    void OnSize(UINT type, SIZE size)
    {
        ++sizes;
        lastSize = size;
        SetMsgHandled(FALSE);   // SWindow raises the event
        (void)type;
    }
};

class SWindowLayout : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        App().RegisterFactoryOf<STestSizedWindow>();
    }
};

int LayoutRuns(SWindow* window)
{
    return static_cast<STestLayout*>(window->GetLayout())->layoutRuns;
}

}  // namespace

TEST_F(SWindowLayout, ARequestLaysOutTheWindowsOnTheWayUpOnce)
{
    SWindow* const root = Build(LR"(
        <window layout="testlayout" width="200" height="100">
          <window name="fixed" layout="testlayout" width="100" height="50">
            <window name="leaf" layout="testlayout" width="10" height="10"/>
          </window>
          <window name="other" layout="testlayout" width="100" height="50"/>
        </window>)");
    SWindow* const fixed = root->FindChildByName(L"fixed");
    SWindow* const leaf = root->FindChildByName(L"leaf");
    root->UpdateLayout();
    const int rootRuns = LayoutRuns(root);
    const int fixedRuns = LayoutRuns(fixed);
    const int leafRuns = LayoutRuns(leaf);

    // A window of a fixed size cannot grow: its request lays out its own children
    // only, and the windows above it just find their way down to it.
    leaf->RequestRelayoutSelf();
    root->UpdateLayout();
    EXPECT_EQ(rootRuns, LayoutRuns(root));
    EXPECT_EQ(fixedRuns, LayoutRuns(fixed));
    EXPECT_EQ(leafRuns + 1, LayoutRuns(leaf));

    root->UpdateLayout();   // clean now: nothing runs
    EXPECT_EQ(leafRuns + 1, LayoutRuns(leaf));

    // A window that wraps its content may change size with its child: the window
    // and its parent lay out again.
    fixed->ApplyAttribute(L"width", L"wrapContent", TRUE);
    leaf->RequestRelayoutSelf();
    root->UpdateLayout();
    EXPECT_EQ(rootRuns + 1, LayoutRuns(root));
}

TEST_F(SWindowLayout, OnRelayoutAnswersWhetherAnythingChangedAndKeepsRectanglesUpright)
{
    SWindow* const root = Build(LR"(<window><sized name="w"/></window>)");
    auto* const w = static_cast<STestSizedWindow*>(root->FindChildByName(L"w"));
    struct SizeListener {
        SIZE size = {};
        BOOL OnSize(EventSwndSize* event)
        {
            size = {event->width, event->height};
            return TRUE;
        }
    } listener;
    w->GetEventSet()->SubscribeEvent(EventSwndSize::EventID, Subscriber(&SizeListener::OnSize, &listener));
    EXPECT_TRUE(w->OnRelayout(RECT{10, 20, 110, 70}));
    EXPECT_EQ(1, w->sizes);
    EXPECT_EQ(100, w->lastSize.cx);
    EXPECT_EQ(50, w->lastSize.cy);
    EXPECT_EQ(100, listener.size.cx);   // the event carries the client size
    EXPECT_EQ(50, listener.size.cy);

    EXPECT_FALSE(w->OnRelayout(RECT{10, 20, 110, 70}));   // same place, clean: no WM_SIZE
    EXPECT_EQ(1, w->sizes);

    EXPECT_TRUE(w->OnRelayout(RECT{30, 40, 20, 10}));
    const RECT upright = w->GetWindowRect();
    EXPECT_EQ(30, upright.right);
    EXPECT_EQ(40, upright.bottom);
    EXPECT_EQ(0, w->lastSize.cx);
}

TEST_F(SWindowLayout, MoveFloatsAWindowAndNullGivesItBackToTheLayout)
{
    SWindow* const root = Build(LR"(<window layout="testlayout"><window name="a"/><window name="b"/></window>)");
    SWindow* const a = root->FindChildByName(L"a");
    SWindow* const b = root->FindChildByName(L"b");
    const RECT place = {5, 6, 50, 60};
    EXPECT_TRUE(a->Move(&place));
    EXPECT_TRUE(a->IsFloat());
    const RECT placed = a->GetWindowRect();
    EXPECT_TRUE(::EqualRect(&place, &placed));
    EXPECT_EQ(b, root->GetNextLayoutChild(nullptr));   // the layout skips it

    EXPECT_TRUE(a->Move(nullptr));
    EXPECT_FALSE(a->IsFloat());
    EXPECT_EQ(a, root->GetNextLayoutChild(nullptr));

    SWindow* const lonely = NewRoot();
    EXPECT_FALSE(lonely->Move(nullptr));   // no parent, no layout to return to
}

TEST_F(SWindowLayout, AHiddenChildKeepsItsPlaceUnlessItGivesItUp)
{
    SWindow* const root = Build(LR"(
        <window layout="testlayout"><window name="keeps"/><window name="gives" display="0"/><window name="last"/></window>)");
    SWindow* const keeps = root->FindChildByName(L"keeps");
    SWindow* const gives = root->FindChildByName(L"gives");
    root->UpdateLayout();
    const int runs = LayoutRuns(root);

    keeps->SetVisible(FALSE);
    EXPECT_EQ(keeps, root->GetNextLayoutChild(nullptr));
    root->UpdateLayout();
    EXPECT_EQ(runs, LayoutRuns(root));

    gives->SetVisible(FALSE);
    EXPECT_EQ(root->FindChildByName(L"last"), root->GetNextLayoutChild(keeps));
    root->UpdateLayout();
    EXPECT_EQ(runs + 1, LayoutRuns(root));
}

TEST_F(SWindowLayout, ADesiredSizeForAnUnsizedParentMeasuresAMatchingWindowAsContent)
{
    SWindow* const root = Build(LR"(
        <window><window name="full" width="matchParent" height="matchParent">Some text</window></window>)");
    SWindow* const full = root->FindChildByName(L"full");
    const SIZE known = full->GetDesiredSize(300, 200);
    EXPECT_EQ(300, known.cx);
    EXPECT_EQ(200, known.cy);

    const SIZE unknown = full->GetDesiredSize(-300, -200);
    EXPECT_GT(unknown.cx, 0);
    EXPECT_LT(unknown.cx, 300);   // the text, not the parent
    EXPECT_GT(unknown.cy, 0);
    EXPECT_LT(unknown.cy, 200);
    EXPECT_TRUE(full->GetLayoutParam()->IsMatchParent(Both));   // and the parameter is back
}

// In a format that breaks lines (textMode 0x10, DT_WORDBREAK, as it paints).
TEST_F(SWindowLayout, WrappedTextBreaksAtTheMaximumWidthLessThePadding)
{
    // Chinese text without spaces, as the wizard's descriptions are.
    const std::wstring text = L"\x5b89\x88c5\x7a0b\x5e8f\x5c06\x5728\x60a8\x7684\x8ba1\x7b97\x673a\x4e0a\x5b89"
                              L"\x88c5\x52a8\x6001\x58c1\x7eb8\x7ec4\x4ef6\x5e76\x521b\x5efa\x684c\x9762\x5feb"
                              L"\x6377\x65b9\x5f0f";
    SWindow* const root = Build(L"<window><window name=\"free\" font=\"face:\x5fae\x8f6f\x96c5\x9ed1,size:14\">" + text +
                                L"</window><window name=\"wrapped\" maxWidth=\"100\" padding=\"5,0\" textMode=\"0x10\" "
                                L"font=\"face:\x5fae\x8f6f\x96c5\x9ed1,size:14\">" + text + L"</window></window>");
    const SIZE free = root->FindChildByName(L"free")->MeasureDesiredSize(nullptr);
    const SIZE wrapped = root->FindChildByName(L"wrapped")->MeasureDesiredSize(nullptr);
    EXPECT_GT(free.cx, 100);   // one line, wider than the limit
    const RECT padding = root->FindChildByName(L"wrapped")->QueryStyle().GetPaddingRect();
    EXPECT_LE(wrapped.cx - padding.left - padding.right, 100 - padding.left - padding.right);
    EXPECT_GE(wrapped.cy, 3 * free.cy) << "the text takes several lines";
}

TEST_F(SWindowLayout, HitTestingFindsTheTopmostChildButNotInTheMarginOrThroughTransparency)
{
    SWindow* const root = Build(LR"(
        <window name="root">
          <window name="framed" margin="5">
            <window name="under"/>
            <window name="over"/>
          </window>
          <window name="glass" msgTransparent="1"><window name="behindGlass"/></window>
        </window>)");
    const struct {
        const wchar_t* name;
        RECT rect;
    } places[] = {
        {L"root", {0, 0, 200, 200}},      {L"framed", {0, 0, 100, 100}}, {L"under", {0, 0, 100, 100}},
        {L"over", {50, 50, 100, 100}},    {L"glass", {100, 100, 200, 200}}, {L"behindGlass", {100, 100, 200, 200}},
    };
    for (const auto& p : places) {
        SWindow* const window = _wcsicmp(p.name, L"root") == 0 ? root : root->FindChildByName(p.name);
        window->Move(&p.rect);
    }
    const struct {
        POINT point;
        const wchar_t* expected;
    } cases[] = {
        {{2, 2}, L"framed"},     // the margin belongs to the window, not to its children
        {{20, 20}, L"under"},
        {{60, 60}, L"over"},     // the last child is on top
        {{150, 150}, L"root"},   // through the transparent window and its children
        {{300, 300}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected ? c.expected : L"outside");
        const SWND hit = root->SwndFromPoint(c.point, 0);
        if (!c.expected) {
            EXPECT_EQ(0u, hit);
            continue;
        }
        SWindow* const expected = _wcsicmp(c.expected, L"root") == 0 ? root : root->FindChildByName(c.expected);
        EXPECT_EQ(expected->GetSwnd(), hit);
    }
    root->FindChildByName(L"over")->SetVisible(FALSE);
    EXPECT_EQ(root->FindChildByName(L"under")->GetSwnd(), root->SwndFromPoint(POINT{60, 60}, 0));
}

TEST_F(SWindowLayout, AnUnresolvedPositionThatNoCacheCanHoldDoesNotBringTheProcessDown)
{
    SWindow* const root = Build(LR"(<window><sized name="cached" cache="1" alpha="128"/></window>)");
    auto* const cached = static_cast<STestSizedWindow*>(root->FindChildByName(L"cached"));
    // Where a layout leaves a coordinate it could not resolve.
    const RECT unresolved = {0, 0, 0x11000000, 0x11000000};
    EXPECT_TRUE(cached->OnRelayout(unresolved));
    EXPECT_EQ(1, cached->sizes);
    cached->ApplyAttribute(L"cache", L"0", FALSE);
    cached->ApplyAttribute(L"cache", L"1", FALSE);
    EXPECT_TRUE(cached->OnRelayout(RECT{0, 0, 10, 10}));   // and it still works afterwards
}
