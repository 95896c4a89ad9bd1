// The scroll view on a windowless host: which bars a view needs, the ranges and
// pages they get, children laid out in the view and moved with its origin, the
// origin kept within the view when it shrinks, a view sized by its children, and
// the events of each change.

#include "PanelTest.h"

#include "controls/SScrollView.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

bool Same(const RECT& expected, const RECT& actual)
{
    return ::EqualRect(&expected, &actual) != FALSE;
}

// What a scroll view raised, with the fields of the last event of each kind.
struct ViewEvents {
    int scrolls = 0;
    int originChanges = 0;
    int sizeChanges = 0;
    EventScroll lastScroll{nullptr};
    EventScrollViewOriginChanged lastOrigin{nullptr};
    EventScrollViewSizeChanged lastSize{nullptr};

    void Watch(SWindow* view)
    {
        view->GetEventSet()->SubscribeEvent(EventScroll::EventID, Subscriber(&ViewEvents::OnScroll, this));
        view->GetEventSet()->SubscribeEvent(EventScrollViewOriginChanged::EventID, Subscriber(&ViewEvents::OnOrigin, this));
        view->GetEventSet()->SubscribeEvent(EventScrollViewSizeChanged::EventID, Subscriber(&ViewEvents::OnSize, this));
    }
    BOOL OnScroll(EventScroll* event)
    {
        ++scrolls;
        lastScroll.code = event->code;
        lastScroll.position = event->position;
        lastScroll.vertical = event->vertical;
        return TRUE;
    }
    BOOL OnOrigin(EventScrollViewOriginChanged* event)
    {
        ++originChanges;
        lastOrigin.oldOrigin = event->oldOrigin;
        lastOrigin.newOrigin = event->newOrigin;
        return TRUE;
    }
    BOOL OnSize(EventScrollViewSizeChanged* event)
    {
        ++sizeChanges;
        lastSize.oldSize = event->oldSize;
        lastSize.newSize = event->newSize;
        return TRUE;
    }
};

class SScrollViewTest : public PanelTest {
protected:
    // A scroll view at (10, 10, 110, 90) with the 8-pixel bars, the view and one
    // child; without the margin the test UI definition gives every window.
    SScrollView* View(const wchar_t* viewSize, const wchar_t* child = L"pos='0,0,@300,@400'")
    {
        const std::wstring xml = std::wstring(L"<x><scrollview name='v' pos='10,10,@100,@80' margin='0' sbSkin='bar' viewSize='") +
                                 viewSize + L"'><window name='c' " + child + L"/></scrollview></x>";
        Build(xml.c_str());
        return Find<SScrollView>(L"v");
    }
    RECT ChildRect() { return Find<SWindow>(L"c")->GetWindowRect(); }
};

}  // namespace

TEST_F(SScrollViewTest, ABarForEachDirectionTheViewOverflows)
{
    const struct {
        const wchar_t* viewSize;
        BOOL vertical;
        BOOL horizontal;
        int vertMax, vertPage, horzMax, horzPage;
    } cases[] = {
        {L"300,400", TRUE,  TRUE,  399, 72, 299, 92},
        {L"90,400",  TRUE,  FALSE, 399, 80, 99,  100},   // 90 wide still fits beside the bar
        {L"95,400",  TRUE,  TRUE,  399, 72, 94,  92},    // but 95 does not
        {L"300,70",  FALSE, TRUE,  79,  80, 299, 100},
        {L"300,80",  TRUE,  TRUE,  79,  72, 299, 92},    // fits in height until the horizontal bar comes
        {L"90,70",   FALSE, FALSE, 79,  80, 99,  100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.viewSize);
        SScrollView* const view = View(c.viewSize);
        ASSERT_NE(nullptr, view);
        EXPECT_EQ(c.vertical, view->HasScrollBar(TRUE));
        EXPECT_EQ(c.horizontal, view->HasScrollBar(FALSE));
        EXPECT_EQ(c.vertMax, view->GetScrollInfo(TRUE).nMax);
        EXPECT_EQ(c.vertPage, static_cast<int>(view->GetScrollInfo(TRUE).nPage));
        EXPECT_EQ(c.horzMax, view->GetScrollInfo(FALSE).nMax);
        EXPECT_EQ(c.horzPage, static_cast<int>(view->GetScrollInfo(FALSE).nPage));
        const RECT client = {10, 10, c.vertical ? 102 : 110, c.horizontal ? 82 : 90};
        EXPECT_TRUE(Same(client, view->GetClientRect()));
        EXPECT_EQ(0, view->GetViewOrigin().y);   // never above the view's top
        view->DestroyWindow();
    }
}

TEST_F(SScrollViewTest, ScrollingMovesTheOriginAndTheChildrenWithIt)
{
    SScrollView* const view = View(L"300,400");
    ASSERT_NE(nullptr, view);
    ViewEvents events;
    events.Watch(view);
    EXPECT_TRUE(Same(RECT{10, 10, 310, 410}, ChildRect()));

    view->SendSwndMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50));
    EXPECT_EQ(50, view->GetViewOrigin().y);
    EXPECT_TRUE(Same(RECT{10, -40, 310, 360}, ChildRect()));
    EXPECT_EQ(1, events.scrolls);
    EXPECT_EQ(SB_THUMBPOSITION, events.lastScroll.code);
    EXPECT_EQ(50, events.lastScroll.position);
    EXPECT_TRUE(events.lastScroll.vertical);
    EXPECT_EQ(1, events.originChanges);
    EXPECT_EQ(0, events.lastOrigin.oldOrigin.y);
    EXPECT_EQ(50, events.lastOrigin.newOrigin.y);

    view->SendSwndMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0));
    EXPECT_EQ(10, view->GetViewOrigin().x);
    EXPECT_TRUE(Same(RECT{0, -40, 300, 360}, ChildRect()));
    EXPECT_FALSE(events.lastScroll.vertical);

    // An unchanged position fires nothing.
    EXPECT_FALSE(view->OnScroll(FALSE, SB_THUMBPOSITION, 10));
    EXPECT_EQ(2, events.scrolls);

    view->SetViewOrigin(20, 30);
    EXPECT_EQ(20, view->GetScrollPos(FALSE));
    EXPECT_EQ(30, view->GetScrollPos(TRUE));
    EXPECT_TRUE(Same(RECT{-10, -20, 290, 380}, ChildRect()));
    EXPECT_EQ(3, events.originChanges);
    EXPECT_EQ(2, events.scrolls);   // the bars followed the origin without scrolling it again
}

TEST_F(SScrollViewTest, AViewThatShrinksPullsTheOriginBackIntoIt)
{
    SScrollView* const view = View(L"300,400");
    ASSERT_NE(nullptr, view);
    ViewEvents events;
    events.Watch(view);
    view->SendSwndMessage(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0));
    EXPECT_EQ(328, view->GetViewOrigin().y);   // 400 - 72

    // The origin comes back to one less than the last position scrolling reaches.
    view->SetViewSize(300, 200);
    EXPECT_EQ(119, view->GetViewOrigin().y);
    EXPECT_EQ(119, view->GetScrollPos(TRUE));
    EXPECT_EQ(199, view->GetScrollInfo(TRUE).nMax);
    EXPECT_EQ(328, events.lastOrigin.oldOrigin.y);
    EXPECT_EQ(119, events.lastOrigin.newOrigin.y);
    EXPECT_EQ(1, events.sizeChanges);
    EXPECT_EQ(400, events.lastSize.oldSize.cy);
    EXPECT_EQ(200, events.lastSize.newSize.cy);
    EXPECT_TRUE(Same(RECT{10, -109, 310, 291}, ChildRect()));

    // Small enough to fit: the bars go and the origin returns to the start.
    view->SetViewSize(50, 50);
    EXPECT_FALSE(view->HasScrollBar(TRUE));
    EXPECT_FALSE(view->HasScrollBar(FALSE));
    EXPECT_EQ(0, view->GetViewOrigin().y);
    EXPECT_EQ(0, events.lastOrigin.newOrigin.y);
    view->SetViewSize(50, 50);   // the same size changes nothing
    EXPECT_EQ(2, events.sizeChanges);
}

TEST_F(SScrollViewTest, AViewOfZeroSizeFollowsItsChildrenOnEveryResize)
{
    SScrollView* const view = View(L"0,0", L"pos='0,0,-10,@300'");
    ASSERT_NE(nullptr, view);
    EXPECT_TRUE(view->IsAutoViewSize());
    const SIZE first = view->GetViewSize();
    EXPECT_EQ(300, first.cy);
    EXPECT_TRUE(view->HasScrollBar(TRUE));

    ViewEvents events;
    events.Watch(view);
    const RECT wider = {10, 10, 190, 90};
    view->Move(&wider);
    EXPECT_EQ(first.cx + 80, view->GetViewSize().cx);
    EXPECT_EQ(300, view->GetViewSize().cy);
    EXPECT_LE(1, events.sizeChanges);

    // A fixed size set later ends the following.
    EXPECT_EQ(S_FALSE, view->ApplyAttribute(L"viewSize", L"500,600", FALSE));
    EXPECT_FALSE(view->IsAutoViewSize());
    EXPECT_EQ(500, view->GetViewSize().cx);
    EXPECT_EQ(E_INVALIDARG, view->ApplyAttribute(L"viewSize", L"500", FALSE));
    EXPECT_EQ(500, view->GetViewSize().cx);
}

TEST_F(SScrollViewTest, TheThumbDraggedThroughTheContainerScrollsTheView)
{
    SScrollView* const view = View(L"300,400", L"pos='0,0,@300,@400' colorBkgnd='#ffff00'");
    ASSERT_NE(nullptr, view);
    ViewEvents events;
    events.Watch(view);
    Paint();
    // The vertical bar (102, 10, 110, 82): a rail of 56, the least thumb (18) at its
    // top; 328 positions over 38 pixels.
    Press(106, 20);
    MoveTo(106, 39);
    EXPECT_EQ(164, view->GetViewOrigin().y);
    EXPECT_EQ(SB_THUMBTRACK, events.lastScroll.code);
    MoveTo(106, 200);
    Release(106, 200);
    EXPECT_EQ(328, view->GetViewOrigin().y);
    EXPECT_EQ(-1, view->GetScrollInfo(TRUE).nTrackPos);
    Paint();
    Keep(L"scrollview-at-the-bottom");
    EXPECT_EQ(Cell(kThumb, kResting), Pixel(106, 60));   // the child is cut off at the bars
    EXPECT_EQ(Cell(kHorizontal + kRail, kResting), Pixel(60, 86));
    EXPECT_EQ(0xFFFFFF00u, Pixel(50, 50));
    EXPECT_EQ(0xFFFFFF00u, Pixel(101, 80));   // the child's own margin is the last row
}
