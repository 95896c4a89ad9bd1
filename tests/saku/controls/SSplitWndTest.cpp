// The split window: panes sized by priority when the window is laid out or
// resized, the arithmetic that spreads a change, dragged gaps within the panes'
// limits, the separators drawn in the gaps the panes leave, the cursor over a gap,
// and windows with no pane to place.

#include "ControlTest.h"

#include "controls/SSplitPane.h"
#include "controls/SSplitWnd.h"
#include "core/ISkinObj.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// The panes' move events, in the order they came.
struct MoveLog {
    std::vector<std::wstring> panes;
    std::vector<RECT> rects;
    BOOL OnMoved(EventSplitPaneMoved* moved)
    {
        panes.push_back(moved->nameFrom.c_str());
        rects.push_back(moved->rect);
        return TRUE;
    }
};

// Three panes of ideal size 100, the last of priority 1.
const wchar_t kThreePanes[] =
    L"<pane name='a' idealSize='100' colorBkgnd='#ff0000'/>"
    L"<pane name='b' idealSize='100' colorBkgnd='#00ff00'/>"
    L"<pane name='c' idealSize='100' priority='1' colorBkgnd='#0000ff'/>";

class SSplitWndTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        AddSkins(L"<skin><colorrect name='sep' normal='#808080'/></skin>");
        // Most split windows below are wider than the canvas: the root takes the
        // mouse over all of them.
        m_host->OnRelayout(RECT{0, 0, 500, 500});
    }

    // A split window "s" built under the host from its element's text, not yet laid
    // out, its panes' move events going to m_moves.
    SSplitWnd* BuildSplit(const std::wstring& xml)
    {
        pugi::xml_document document;
        EXPECT_TRUE(document.load_string((L"<root>" + xml + L"</root>").c_str())) << xml;
        m_host->BuildChildren(document.first_child());
        auto* const split = m_host->FindChildByName2<SSplitWnd>(L"s");
        EXPECT_NE(nullptr, split);
        if (!split)
            return nullptr;
        for (int i = 0; i < split->GetPaneCount(); ++i)
            split->GetPane(i)->GetEventSet()->SubscribeEvent(EventSplitPaneMoved::EventID,
                                                             Subscriber(&MoveLog::OnMoved, &m_moves));
        return split;
    }
    // The same, laid out.
    SSplitWnd* LayOut(const std::wstring& xml)
    {
        SSplitWnd* const split = BuildSplit(xml);
        m_host->UpdateLayout();
        return split;
    }
    // The panes' extents along the split axis, in visual order.
    static std::vector<int> Sizes(const SSplitWnd* split)
    {
        std::vector<int> sizes;
        for (int i = 0; i < split->GetPaneCount(); ++i) {
            const RECT rect = split->GetPane(i)->GetWindowRect();
            sizes.push_back(split->IsVertical() ? rect.right - rect.left : rect.bottom - rect.top);
        }
        return sizes;
    }
    // Where the panes start along the split axis, in visual order.
    static std::vector<int> Starts(const SSplitWnd* split)
    {
        std::vector<int> starts;
        for (int i = 0; i < split->GetPaneCount(); ++i) {
            const RECT rect = split->GetPane(i)->GetWindowRect();
            starts.push_back(split->IsVertical() ? rect.left : rect.top);
        }
        return starts;
    }
    void Destroy(SWindow* window)
    {
        m_host->DestroyChild(window);
        m_moves = {};
    }

    MoveLog m_moves;
};

std::wstring SplitOf(const std::wstring& tag, const std::wstring& attributes, const std::wstring& panes)
{
    return L"<" + tag + L" name='s' margin='0' " + attributes + L">" + panes + L"</" + tag + L">";
}

}  // namespace

TEST_F(SSplitWndTest, FirstLayoutGrowsByPriorityWithEqualPrioritiesInVisualOrder)
{
    // 390 pixels for the panes: c (priority 1), then a and b reach their ideal
    // 100; the 90 left go to the lowest priority that comes last, b.
    const struct {
        const wchar_t* tag;
        const wchar_t* orientation;
        bool alongX;
    } cases[] = {
        {L"splitwnd", L"", true},
        {L"splitwnd", L"vertical='0'", false},
        {L"splitcol", L"", true},
        {L"splitrow", L"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::wstring(c.tag) + L" " + c.orientation);
        SSplitWnd* const split = LayOut(SplitOf(c.tag, L"pos='0,0,@400,@400' sepSize='5' " + std::wstring(c.orientation),
                                                kThreePanes));
        ASSERT_NE(nullptr, split);
        ASSERT_EQ(3, split->GetPaneCount());
        EXPECT_EQ(c.alongX, split->IsVertical() != FALSE);
        EXPECT_EQ((std::vector<int>{100, 190, 100}), Sizes(split));
        EXPECT_EQ((std::vector<int>{0, 105, 300}), Starts(split));
        // Across the axis each pane takes the whole window.
        const RECT b = split->GetPane(1)->GetWindowRect();
        EXPECT_EQ(0, c.alongX ? b.top : b.left);
        EXPECT_EQ(400, c.alongX ? b.bottom : b.right);
        // One move event per pane, in visual order, carrying where the pane went.
        ASSERT_EQ((std::vector<std::wstring>{L"a", L"b", L"c"}), m_moves.panes);
        for (int i = 0; i < 3; ++i) {
            const RECT placed = split->GetPane(i)->GetWindowRect();
            EXPECT_TRUE(::EqualRect(&m_moves.rects[i], &placed)) << i;
        }
        Destroy(split);
    }
}

TEST_F(SSplitWndTest, DistributeSizeGoesToTheIdealSizesFirstThenToTheLimits)
{
    using Sizes = std::vector<PaneSize>;
    const struct {
        const char* name;
        Sizes sizes;   // in descending priority
        int amount;
        std::vector<int> after;
        int left;
    } cases[] = {
        {"ideal sizes by priority, then the last takes the rest",
         {{0, 100, 0, 10000}, {0, 100, 0, 10000}, {0, 100, 0, 10000}}, 390, {100, 100, 190}, 0},
        {"the limits stop the growth; what is left comes back",
         {{50, 100, 0, 120}, {50, 100, 0, 120}}, 200, {120, 120}, 60},
        {"shrinking: down to the ideal sizes, then the lowest priority to its least",
         {{150, 100, 50, 10000}, {150, 100, 50, 10000}}, -150, {100, 50}, 0},
        {"no pane can shrink further", {{100, 100, 80, 10000}}, -50, {80}, -30},
        {"a pane past its ideal size waits for the second pass",
         {{150, 100, 0, 1000}, {50, 100, 0, 1000}}, 10, {150, 60}, 0},
        {"a hidden pane takes nothing", {{0, 0, 0, 0}, {10, 20, 0, 100}}, 30, {0, 40}, 0},
        {"nothing to spread", {{30, 100, 0, 100}}, 0, {30}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sizes sizes = c.sizes;
        EXPECT_EQ(c.left, SSplitWnd::DistributeSize(sizes, c.amount));
        std::vector<int> after;
        for (const PaneSize& pane : sizes)
            after.push_back(pane.size);
        EXPECT_EQ(c.after, after);
    }
}

TEST_F(SSplitWndTest, AResizeTakesFromTheLowestPriorityFirst)
{
    SSplitWnd* const split = LayOut(SplitOf(L"splitwnd", L"pos='0,0,@400,@100' sepSize='5'", kThreePanes));
    ASSERT_NE(nullptr, split);
    const struct {
        int width;
        std::vector<int> sizes;
    } steps[] = {
        {300, {100, 90, 100}},    // b back to its ideal, then 10 more from it
        {500, {100, 290, 100}},   // b to its ideal again, then all the rest to it
        {300, {100, 90, 100}},
        {200, {90, 0, 100}},      // b to its least; then a, before c of priority 1
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.width);
        split->OnRelayout(RECT{0, 0, step.width, 100});
        EXPECT_EQ(step.sizes, Sizes(split));
    }
}

TEST_F(SSplitWndTest, InsertPaneAddsAPaneAtItsIdealSize)
{
    SSplitWnd* const split = LayOut(SplitOf(L"splitwnd", L"pos='0,0,@400,@100' sepSize='5'", kThreePanes));
    ASSERT_NE(nullptr, split);
    auto* const pane = new SSplitPane;
    split->InsertChild(pane);   // the split window holds it
    pane->ApplyAttribute(L"idealSize", L"50", TRUE);
    pane->SendSwndMessage(WM_CREATE);

    EXPECT_EQ(0, split->InsertPane(pane, 0));
    // 55 pixels too many: b, past its ideal, gives them; the new pane keeps its 50.
    EXPECT_EQ(pane, split->GetPane(0));
    EXPECT_EQ((std::vector<int>{50, 100, 135, 100}), Sizes(split));
    EXPECT_EQ((std::vector<int>{0, 55, 160, 300}), Starts(split));

    EXPECT_EQ(-1, split->InsertPane(pane, 2));   // registered already
    auto stranger = SAutoRef<SSplitPane>::Adopt(new SSplitPane);
    EXPECT_EQ(-1, split->InsertPane(stranger.Get(), -1));   // not a child
    EXPECT_EQ(4, split->GetPaneCount());
}

TEST_F(SSplitWndTest, WithNoVisiblePaneNothingIsPlaced)
{
    // Counted as panes less one, the gaps would be -1: a gap's worth too much to spread.
    SSplitWnd* const split =
        LayOut(SplitOf(L"splitwnd", L"pos='0,0,@400,@100' sepSize='5'",
                       L"<pane name='a' visible='0' idealSize='100'/><pane name='b' visible='0' idealSize='100'/>"));
    ASSERT_NE(nullptr, split);
    ASSERT_EQ(2, split->GetPaneCount());
    EXPECT_EQ((std::vector<int>{0, 0}), Sizes(split));
    EXPECT_FALSE(split->GetPane(0)->IsFloat());
    EXPECT_TRUE(m_moves.panes.empty());
    m_host->Mouse(WM_LBUTTONDOWN, 200, 50);
    m_host->Mouse(WM_MOUSEMOVE, 230, 50);
    m_host->Mouse(WM_LBUTTONUP, 230, 50);
    Paint();
    EXPECT_TRUE(m_moves.panes.empty());
    Destroy(split);

    // One visible pane among hidden ones takes everything, with no gap.
    SSplitWnd* const one = LayOut(SplitOf(L"splitwnd", L"pos='0,0,@400,@100' sepSize='5'",
                                          L"<pane name='a' visible='0'/><pane name='b'/><pane name='c' visible='0'/>"));
    ASSERT_NE(nullptr, one);
    EXPECT_EQ((std::vector<int>{0, 400, 0}), Sizes(one));
    EXPECT_EQ((std::vector<std::wstring>{L"b"}), m_moves.panes);
}

TEST_F(SSplitWndTest, AnEmptySplitWindowStaysHarmless)
{
    const wchar_t* const layouts[] = {
        L"<splitwnd name='s' pos='0,0,@100,@50' sepSkin='sep'/>",
        L"<splitwnd name='s' pos='0,0,@100,@50' sepSkin='sep'><window name='w'/><text>x</text></splitwnd>",
    };
    for (const wchar_t* const layout : layouts) {
        SCOPED_TRACE(layout);
        SSplitWnd* const split = LayOut(layout);
        ASSERT_NE(nullptr, split);
        EXPECT_EQ(0, split->GetPaneCount());
        EXPECT_EQ(0u, split->GetChildrenCount());   // other elements make no children
        pugi::xml_document empty;
        EXPECT_FALSE(split->BuildChildren(empty.append_child(L"splitwnd")));
        Paint();
        m_host->Mouse(WM_LBUTTONDOWN, 50, 25);
        m_host->Mouse(WM_MOUSEMOVE, 80, 25);
        m_host->Mouse(WM_LBUTTONUP, 80, 25);
        EXPECT_TRUE(split->OnSetCursor(POINT{50, 25}));
        EXPECT_EQ(0u, Pixel(50, 25));   // no separator drawn
        Destroy(split);
    }
}

TEST_F(SSplitWndTest, DraggedGapsMoveThePanesWithinTheirLimits)
{
    // The panes start at 100, 190 and 100 (x 0, 105, 300); gap 0 is x 100-104,
    // gap 1 x 295-299.
    const struct {
        const char* name;
        const wchar_t* splitAttributes;
        const wchar_t* panes;
        int press;
        std::vector<int> moves;
        std::vector<int> sizes;
    } cases[] = {
        {"gap 0 forward in two steps", L"", kThreePanes, 102, {117, 132}, {130, 160, 100}},
        {"gap 0 back", L"", kThreePanes, 102, {72}, {70, 220, 100}},
        {"gap 1 back", L"", kThreePanes, 297, {267}, {100, 160, 130}},
        {"a stops at its greatest size",
         L"", L"<pane name='a' idealSize='100' maxSize='110'/><pane name='b' idealSize='100'/>"
              L"<pane name='c' idealSize='100' priority='1'/>",
         102, {132}, {110, 180, 100}},
        {"past b's least the rest comes from a",
         L"", L"<pane name='a' idealSize='100'/><pane name='b' idealSize='100' minSize='50'/>"
              L"<pane name='c' idealSize='100' priority='1'/>",
         297, {147}, {90, 50, 250}},
        {"towards panes all at their least nothing moves",
         L"", L"<pane name='a' idealSize='100'/><pane name='b' idealSize='190' minSize='190'/>"
              L"<pane name='c' idealSize='100' minSize='100' priority='1'/>",
         102, {132, 162}, {100, 190, 100}},
        {"moves across the axis move nothing", L"", kThreePanes, 102, {102}, {100, 190, 100}},
        {"not adjustable", L"adjustable='0'", kThreePanes, 102, {132}, {100, 190, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SSplitWnd* const split =
            LayOut(SplitOf(L"splitwnd", L"pos='0,0,@400,@50' sepSize='5' " + std::wstring(c.splitAttributes), c.panes));
        ASSERT_NE(nullptr, split);
        ASSERT_EQ((std::vector<int>{0, 105, 300}), Starts(split));
        m_host->Mouse(WM_LBUTTONDOWN, c.press, 25, MK_LBUTTON);
        for (const int x : c.moves)
            m_host->Mouse(WM_MOUSEMOVE, x, 40, MK_LBUTTON);
        m_host->Mouse(WM_LBUTTONUP, c.moves.back(), 25);
        EXPECT_EQ(c.sizes, Sizes(split));
        // The panes follow each other with a gap of 5 between them.
        const std::vector<int> sizes = Sizes(split);
        EXPECT_EQ((std::vector<int>{0, sizes[0] + 5, sizes[0] + sizes[1] + 10}), Starts(split));
        // Once released, the mouse drags nothing.
        m_host->Mouse(WM_MOUSEMOVE, c.moves.back() + 20, 25);
        EXPECT_EQ(c.sizes, Sizes(split));
        Destroy(split);
    }
}

TEST_F(SSplitWndTest, APressBeforeTheFirstPaneDragsNothing)
{
    // The margin lies before the first pane: the client area starts at x 10.
    SSplitWnd* const split =
        LayOut(SplitOf(L"splitwnd", L"pos='0,0,@420,@50' margin-x='10' sepSize='5'", kThreePanes));
    ASSERT_NE(nullptr, split);
    ASSERT_EQ((std::vector<int>{10, 115, 310}), Starts(split));
    m_host->Mouse(WM_LBUTTONDOWN, 5, 25, MK_LBUTTON);
    m_host->Mouse(WM_MOUSEMOVE, 35, 25, MK_LBUTTON);
    m_host->Mouse(WM_MOUSEMOVE, 65, 25, MK_LBUTTON);
    m_host->Mouse(WM_LBUTTONUP, 65, 25);
    EXPECT_EQ((std::vector<int>{100, 190, 100}), Sizes(split));
}

TEST_F(SSplitWndTest, SeparatorsAreDrawnInTheGapsThePanesLeave)
{
    // 190 pixels: panes of 50, 80 and 50 at 0, 55 and 140; gaps 50-54 and 135-139.
    // A hidden pane between a and b takes no room and makes no gap.
    const wchar_t panes[] =
        L"<pane name='a' idealSize='50' margin='0' colorBkgnd='#ff0000'/><pane name='h' visible='0' idealSize='50'/>"
        L"<pane name='b' idealSize='50' margin='0' colorBkgnd='#00ff00'/>"
        L"<pane name='c' idealSize='50' margin='0' priority='1' colorBkgnd='#0000ff'/>";
    const struct {
        const wchar_t* attributes;
        bool alongX;
    } cases[] = {
        {L"pos='0,0,@190,@40' sepSize='5' sepSkin='sep'", true},
        {L"pos='0,0,@40,@190' sepSize='5' sepSkin='sep' vertical='0'", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alongX);
        SSplitWnd* const split = LayOut(SplitOf(L"splitwnd", c.attributes, panes));
        ASSERT_NE(nullptr, split);
        ASSERT_EQ((std::vector<int>{50, 0, 80, 50}), Sizes(split));
        Paint();
        const auto at = [&](int along) { return c.alongX ? Pixel(along, 20) : Pixel(20, along); };
        EXPECT_EQ(kNormalRed, at(49));
        EXPECT_EQ(kDisabledGrey, at(50));
        EXPECT_EQ(kDisabledGrey, at(54));
        EXPECT_EQ(kHoverLime, at(55));
        EXPECT_EQ(kHoverLime, at(130));   // where the gaps would be if they followed the extents alone
        EXPECT_EQ(kHoverLime, at(134));
        EXPECT_EQ(kDisabledGrey, at(135));
        EXPECT_EQ(kDisabledGrey, at(139));
        EXPECT_EQ(0xFF0000FFu, at(140));
        EXPECT_EQ(0xFF0000FFu, at(189));
        if (c.alongX)
            Keep(L"split_window_gaps");
        Destroy(split);
    }
}

TEST_F(SSplitWndTest, TheCursorOverAGapSizesAlongTheAxis)
{
    const struct {
        const wchar_t* xml;
        LPCWSTR cursor;
    } cases[] = {
        {L"<splitcol name='s' pos='0,0,@190,@40'/>", IDC_SIZEWE},
        {L"<splitwnd name='s' pos='0,0,@190,@40' vertical='1'/>", IDC_SIZEWE},
        {L"<splitrow name='s' pos='0,0,@190,@40'/>", IDC_SIZENS},
        {L"<splitwnd name='s' pos='0,0,@190,@40' adjustable='0'/>", IDC_ARROW},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xml);
        SSplitWnd* const split = LayOut(c.xml);
        ASSERT_NE(nullptr, split);
        ::SetCursor(nullptr);
        EXPECT_TRUE(split->OnSetCursor(POINT{52, 20}));
        EXPECT_EQ(::LoadCursorW(nullptr, c.cursor), ::GetCursor());
        Destroy(split);
    }
}

TEST_F(SSplitWndTest, AttributesAndPresets)
{
    SSplitWnd* const split = LayOut(L"<splitwnd name='s' pos='0,0,@100,@40'/>");
    ASSERT_NE(nullptr, split);
    EXPECT_EQ(5, split->GetSepSize());
    EXPECT_TRUE(split->IsVertical());
    EXPECT_TRUE(split->IsAdjustable());
    EXPECT_EQ(nullptr, split->GetSepSkin());
    // After loading each answers that the window must be redrawn; unreadable numbers read as 0.
    EXPECT_EQ(S_OK, split->ApplyAttribute(L"SEPSIZE", L"0x10", FALSE));
    EXPECT_EQ(16, split->GetSepSize());
    EXPECT_EQ(S_OK, split->ApplyAttribute(L"vertical", L"0", FALSE));
    EXPECT_FALSE(split->IsVertical());
    EXPECT_EQ(S_OK, split->ApplyAttribute(L"adjustable", L"abc", FALSE));
    EXPECT_FALSE(split->IsAdjustable());
    EXPECT_EQ(S_OK, split->ApplyAttribute(L"sepSkin", L"sep", FALSE));
    EXPECT_NE(nullptr, split->GetSepSkin());
    EXPECT_EQ(S_OK, split->ApplyAttribute(L"sepSize", L"x", FALSE));
    EXPECT_EQ(0, split->GetSepSize());
    Destroy(split);

    // The presets set the axis; their built-in separator skins are none here.
    SSplitWnd* const col = LayOut(L"<splitcol name='s' pos='0,0,@100,@40'/>");
    ASSERT_NE(nullptr, col);
    EXPECT_TRUE(col->IsVertical());
    EXPECT_TRUE(col->IsClass(L"splitwnd"));
    EXPECT_EQ(FindBuiltinSkin(L"_skin.sys.split.vert"), col->GetSepSkin());
    Destroy(col);
    SSplitWnd* const row = LayOut(L"<splitrow name='s' pos='0,0,@100,@40'/>");
    ASSERT_NE(nullptr, row);
    EXPECT_FALSE(row->IsVertical());
    EXPECT_TRUE(row->IsClass(L"splitwnd"));
    EXPECT_FALSE(row->IsClass(L"splitcol"));
    EXPECT_EQ(FindBuiltinSkin(L"_skin.sys.split.horz"), row->GetSepSkin());
    Destroy(row);

    // A pane's sizes are integers, hexadecimal allowed; unreadable text is refused.
    auto pane = SAutoRef<SSplitPane>::Adopt(new SSplitPane);
    EXPECT_EQ(20, pane->GetIdealSize());
    EXPECT_EQ(0, pane->GetMinSize());
    EXPECT_EQ(10000, pane->GetMaxSize());
    EXPECT_EQ(0, pane->GetPriority());
    EXPECT_EQ(S_FALSE, pane->ApplyAttribute(L"IdealSize", L"0x20", FALSE));
    EXPECT_EQ(32, pane->GetIdealSize());
    EXPECT_EQ(E_INVALIDARG, pane->ApplyAttribute(L"minSize", L"abc", FALSE));
    EXPECT_EQ(0, pane->GetMinSize());
    EXPECT_EQ(S_FALSE, pane->ApplyAttribute(L"maxSize", L"300", FALSE));
    EXPECT_EQ(300, pane->GetMaxSize());
    EXPECT_EQ(S_FALSE, pane->ApplyAttribute(L"priority", L"-2", FALSE));
    EXPECT_EQ(-2, pane->GetPriority());
    EXPECT_TRUE(pane->IsClass(L"window"));
}
