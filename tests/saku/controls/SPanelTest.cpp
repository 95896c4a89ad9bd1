// The scroll panel on a windowless host: its bars' geometry and pixels, the scroll
// codes and their clamps, the wheel, and the bars under the mouse (hover, arrow
// and rail presses with their repeat timers, thumb drags) through the container.

#include "PanelTest.h"

#include "controls/SPanel.h"

#include <gtest/gtest.h>

using namespace SAKU;
using namespace saku_test;

namespace {

// A panel whose pages a test can set, as the panel's subclasses do.
class PagedPanel : public SPanel {
public:
    void SetPage(BOOL vertical, int page) { Info(vertical).nPage = static_cast<UINT>(page); }
    // Range [0, maximum], page and position of a bar.
    void SetBar(BOOL vertical, int maximum, int page, int position = 0)
    {
        SetScrollRange(vertical, 0, maximum, FALSE);
        SetPage(vertical, page);
        SetScrollPos(vertical, position, FALSE);
    }
};

bool Same(const RECT& expected, const RECT& actual)
{
    return ::EqualRect(&expected, &actual) != FALSE;
}

class SPanelTest : public PanelTest {
protected:
    // A panel built from the element under `parent` (the host's root by default)
    // and laid out.
    PagedPanel* Place(const wchar_t* xml, SWindow* parent = nullptr)
    {
        pugi::xml_document document;
        EXPECT_TRUE(document.load_string(xml)) << xml;
        auto* const panel = new PagedPanel;   // the parent adopts the first reference
        (parent ? parent : m_host.Get())->InsertChild(panel);
        panel->BuildFromXml(document.first_child());
        m_host->UpdateLayout();
        return panel;
    }
    // The panel at (10, 10, 110, 90) with the vertical bar only: the bar is
    // (102, 10, 110, 90), its arrows 8 long, its rail 64 and its thumb 25 for a
    // page of 80 of 200; 120 positions over 39 pixels.
    PagedPanel* VerticalPanel(const wchar_t* attributes = L"")
    {
        PagedPanel* const panel = Place((std::wstring(L"<div pos='10,10,@100,@80' sbSkin='bar' ") + attributes + L"/>").c_str());
        panel->ShowScrollBar(kSbVert, TRUE);
        panel->SetBar(TRUE, 199, 80);
        return panel;
    }
};

}  // namespace

TEST_F(SPanelTest, ADivShowsNoBarsUntilAskedThenDrawsBothWithTheirCorner)
{
    PagedPanel* const panel = Place(L"<div pos='10,10,@100,@80' sbSkin='bar'/>");
    EXPECT_FALSE(panel->HasScrollBar(TRUE));
    EXPECT_FALSE(panel->HasScrollBar(FALSE));
    EXPECT_TRUE(Same(RECT{10, 10, 110, 90}, panel->GetClientRect()));
    EXPECT_EQ(8, panel->GetSbWidth());
    EXPECT_EQ(8, panel->GetSbArrowSize());

    panel->ShowScrollBar(kSbBoth, TRUE);
    panel->SetBar(TRUE, 199, 72, 64);
    panel->SetBar(FALSE, 299, 92);
    EXPECT_TRUE(Same(RECT{10, 10, 102, 82}, panel->GetClientRect()));
    EXPECT_TRUE(Same(RECT{102, 10, 110, 82}, panel->GetScrollBarRect(TRUE)));
    EXPECT_TRUE(Same(RECT{10, 82, 102, 90}, panel->GetScrollBarRect(FALSE)));

    Paint();
    Keep(L"panel-both-bars");
    // Vertical: 72 long, a thumb of 20 at 26 (36 free pixels over 128 positions, at 64).
    const struct {
        int x, y;
        std::uint32_t pixel;
    } cases[] = {
        {106, 10, Cell(kUpArrow, kResting)},   {106, 17, Cell(kUpArrow, kResting)},
        {106, 18, Cell(kRail, kResting)},      {106, 35, Cell(kRail, kResting)},
        {106, 36, Cell(kThumb, kResting)},     {106, 55, Cell(kThumb, kResting)},
        {106, 56, Cell(kRail, kResting)},      {106, 74, Cell(kDownArrow, kResting)},
        {106, 81, Cell(kDownArrow, kResting)}, {106, 86, Cell(kCorner, 0)},
        {12, 86, Cell(kHorizontal + kUpArrow, kResting)},
        {18, 86, Cell(kHorizontal + kThumb, kResting)}, {40, 86, Cell(kHorizontal + kThumb, kResting)},
        {41, 86, Cell(kHorizontal + kRail, kResting)}, {98, 86, Cell(kHorizontal + kDownArrow, kResting)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(c.pixel, Pixel(c.x, c.y));
    }

    const struct {
        POINT point;
        int part;
        BOOL vertical;
    } hits[] = {
        {{106, 40}, kSbPartThumb, TRUE},     {{106, 17}, kSbPartLineUp, TRUE},
        {{60, 86}, kSbPartPageDown, FALSE},  {{10, 82}, kSbPartLineUp, FALSE},
        {{106, 86}, kSbPartNone, FALSE},     {{50, 50}, kSbPartNone, FALSE},   // the corner and the client area
    };
    for (const auto& c : hits) {
        SCOPED_TRACE(::testing::Message() << c.point.x << "," << c.point.y);
        BOOL vertical = FALSE;
        EXPECT_EQ(c.part, panel->HitTestBars(c.point, vertical));
        EXPECT_EQ(c.vertical, vertical);
    }
}

TEST_F(SPanelTest, BarInsetsAndThicknessComeFromTheAttributes)
{
    PagedPanel* const panel = Place(L"<div pos='10,10,@100,@80' sbSkin='bar' sbWid='12' sbArrowSize='5' "
                                    L"sbTop='4' sbBottom='6' sbLeft='3' sbRight='2'/>");
    panel->ShowScrollBar(kSbBoth, TRUE);
    EXPECT_EQ(12, panel->GetSbWidth());
    EXPECT_EQ(5, panel->GetSbArrowSize());
    EXPECT_TRUE(Same(RECT{10, 10, 98, 78}, panel->GetClientRect()));
    EXPECT_TRUE(Same(RECT{98, 14, 110, 72}, panel->GetScrollBarRect(TRUE)));
    EXPECT_TRUE(Same(RECT{13, 78, 96, 90}, panel->GetScrollBarRect(FALSE)));

    panel->ShowScrollBar(kSbHorz, FALSE);
    EXPECT_TRUE(Same(RECT{10, 10, 98, 90}, panel->GetClientRect()));
    EXPECT_TRUE(Same(RECT{98, 14, 110, 84}, panel->GetScrollBarRect(TRUE)));
    EXPECT_TRUE(Same(RECT{}, panel->GetScrollBarRect(FALSE)));
}

TEST_F(SPanelTest, ScrollCodesMoveTheBarWithinItsRange)
{
    PagedPanel* const panel = VerticalPanel(L"scrollSpeed='10'");
    const struct {
        const char* what;
        UINT code;
        int position;
        int expected;
        BOOL changed;
    } cases[] = {
        {"line up",                 SB_LINEUP,        0,   90,  TRUE},
        {"line down",               SB_LINEDOWN,      0,   110, TRUE},
        {"page up",                 SB_PAGEUP,        0,   20,  TRUE},
        {"page down",               SB_PAGEDOWN,      0,   120, TRUE},   // 180 clamped to 200 - 80
        {"top",                     SB_TOP,           0,   0,   TRUE},
        {"bottom",                  SB_BOTTOM,        0,   120, TRUE},
        {"thumb position",          SB_THUMBPOSITION, 42,  42,  TRUE},
        {"thumb track",             SB_THUMBTRACK,    43,  43,  TRUE},
        {"past the end",            SB_THUMBPOSITION, 500, 120, TRUE},
        {"before the start",        SB_THUMBPOSITION, -5,  0,   TRUE},
        {"the same position",       SB_THUMBPOSITION, 100, 100, FALSE},
        {"end scroll moves nothing", SB_ENDSCROLL,    7,   100, FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        panel->SetScrollPos(TRUE, 100, FALSE);
        EXPECT_EQ(c.changed, panel->OnScroll(TRUE, c.code, c.position));
        EXPECT_EQ(c.expected, panel->GetScrollPos(TRUE));
    }

    // The scroll messages carry the code and the position in their first parameter.
    panel->SendSwndMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 30));
    EXPECT_EQ(30, panel->GetScrollPos(TRUE));
    panel->SetBar(FALSE, 299, 92);
    panel->SendSwndMessage(WM_HSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0));
    EXPECT_EQ(92, panel->GetScrollPos(FALSE));

    // A range that shrinks takes the position with it; a bar without a page stays at 0.
    panel->SetScrollRange(TRUE, 0, 99, FALSE);
    EXPECT_EQ(20, panel->GetScrollPos(TRUE));
    panel->SetPage(TRUE, 0);
    EXPECT_TRUE(panel->OnScroll(TRUE, SB_LINEDOWN, 0));
    EXPECT_EQ(0, panel->GetScrollPos(TRUE));
}

TEST_F(SPanelTest, WheelNotchesAddUpAndWhatTheEndRefusesGoesToTheOuterPanel)
{
    m_host->SetWheelToHover(true);
    PagedPanel* const outer = Place(L"<div pos='0,0,@200,@200'/>");
    outer->SetBar(TRUE, 999, 200);
    PagedPanel* const inner = Place(L"<div pos='10,10,@100,@80' sbSkin='bar' scrollSpeed='10'/>", outer);
    inner->SetBar(TRUE, 99, 50, 30);

    Wheel(50, 50, -60);   // half a notch: nothing yet
    EXPECT_EQ(30, inner->GetScrollPos(TRUE));
    Wheel(50, 50, -60);   // the second half makes a notch down
    EXPECT_EQ(40, inner->GetScrollPos(TRUE));
    Wheel(50, 50, 120);
    EXPECT_EQ(30, inner->GetScrollPos(TRUE));

    // Three notches with two lines left: the inner panel takes two, and the
    // outer one the third.
    Wheel(50, 50, -360);
    EXPECT_EQ(50, inner->GetScrollPos(TRUE));
    EXPECT_EQ(10, outer->GetScrollPos(TRUE));
    EXPECT_EQ(0, outer->GetScrollPos(FALSE));
}

TEST_F(SPanelTest, HoverDrawsThePartUnderTheMouseAndLeavingRestsTheBar)
{
    PagedPanel* const panel = VerticalPanel();
    MoveTo(150, 150);   // off the panel
    Paint();
    // Coming into the panel's client area repaints its border, bars included.
    MoveTo(50, 50);
    EXPECT_EQ(Cell(kUpArrow, kResting), Pixel(106, 12));
    EXPECT_EQ(Cell(kThumb, kResting), Pixel(106, 30));

    MoveTo(106, 12);   // onto the up arrow: the whole bar wakes up
    EXPECT_EQ(Cell(kUpArrow, 1), Pixel(106, 12));
    EXPECT_EQ(Cell(kThumb, 0), Pixel(106, 30));
    EXPECT_EQ(Cell(kRail, 1), Pixel(106, 60));
    EXPECT_EQ(Cell(kDownArrow, 0), Pixel(106, 86));

    const int redraws = m_host->RedrawCount();
    MoveTo(106, 30);   // onto the thumb
    EXPECT_EQ(Cell(kUpArrow, 0), Pixel(106, 12));
    EXPECT_EQ(Cell(kThumb, 1), Pixel(106, 30));
    EXPECT_EQ(Cell(kRail, 0), Pixel(106, 60));
    MoveTo(106, 86);
    MoveTo(106, 60);
    MoveTo(106, 30);
    EXPECT_EQ(redraws, m_host->RedrawCount());   // drawn straight into the bar, the content left alone

    MoveTo(50, 50);    // back into the client area: the bar rests
    EXPECT_EQ(Cell(kUpArrow, kResting), Pixel(106, 12));
    EXPECT_EQ(Cell(kThumb, kResting), Pixel(106, 30));
    EXPECT_EQ(Cell(kRail, kResting), Pixel(106, 60));
    EXPECT_EQ(0, panel->GetScrollPos(TRUE));
}

TEST_F(SPanelTest, AHeldArrowOrRailScrollsAtOnceThenOnItsTimers)
{
    PagedPanel* const panel = VerticalPanel(L"scrollSpeed='10'");
    Paint();
    Press(106, 86);   // the down arrow
    EXPECT_EQ(10, panel->GetScrollPos(TRUE));
    EXPECT_EQ(Cell(kDownArrow, 2), Pixel(106, 86));
    EXPECT_EQ(panel->GetSwnd(), m_host->OnGetSwndCapture());
    panel->SendSwndMessage(WM_TIMER, 1);   // the delay ends: no step of its own
    EXPECT_EQ(10, panel->GetScrollPos(TRUE));
    panel->SendSwndMessage(WM_TIMER, 2);
    panel->SendSwndMessage(WM_TIMER, 2);
    EXPECT_EQ(30, panel->GetScrollPos(TRUE));
    Release(106, 86);
    EXPECT_EQ(0u, m_host->OnGetSwndCapture());
    EXPECT_EQ(Cell(kDownArrow, 1), Pixel(106, 86));   // hovered again after the release

    // The rail below the thumb pages down, and the repeat stops at the end.
    Press(106, 70);
    EXPECT_EQ(110, panel->GetScrollPos(TRUE));
    panel->SendSwndMessage(WM_TIMER, 2);
    EXPECT_EQ(120, panel->GetScrollPos(TRUE));
    panel->SendSwndMessage(WM_TIMER, 2);
    EXPECT_EQ(120, panel->GetScrollPos(TRUE));
    Release(106, 70);

    // A repeat follows the mouse: off the bars it pauses.
    Press(106, 12);
    EXPECT_EQ(110, panel->GetScrollPos(TRUE));
    MoveTo(50, 50);
    panel->SendSwndMessage(WM_TIMER, 2);
    EXPECT_EQ(110, panel->GetScrollPos(TRUE));
    Release(50, 50);
}

TEST_F(SPanelTest, TheDraggedThumbFollowsTheMouseAndSettlesOnRelease)
{
    PagedPanel* const panel = VerticalPanel();
    Paint();
    Press(106, 25);   // on the thumb, at (102, 18, 110, 43)
    EXPECT_EQ(Cell(kThumb, 2), Pixel(106, 25));
    EXPECT_TRUE(panel->OnNcHitTest(POINT{50, 50}));   // the drag owns the mouse

    // 20 pixels down: 120 positions over 39 pixels of travel.
    MoveTo(106, 45);
    EXPECT_EQ(61, panel->GetScrollPos(TRUE));
    EXPECT_EQ(61, panel->GetScrollInfo(TRUE).nTrackPos);
    EXPECT_EQ(Cell(kRail, 1), Pixel(106, 37));    // the thumb moved by exactly 20 pixels
    EXPECT_EQ(Cell(kThumb, 2), Pixel(106, 38));
    EXPECT_EQ(Cell(kThumb, 2), Pixel(106, 62));
    EXPECT_EQ(Cell(kRail, 1), Pixel(106, 63));

    // Far below the panel: the last position, the thumb stopped at the rail's end.
    MoveTo(106, 300);
    EXPECT_EQ(120, panel->GetScrollPos(TRUE));
    EXPECT_EQ(Cell(kThumb, 2), Pixel(106, 81));
    EXPECT_EQ(Cell(kRail, 1), Pixel(106, 56));

    Release(106, 300);
    EXPECT_EQ(120, panel->GetScrollPos(TRUE));
    EXPECT_EQ(-1, panel->GetScrollInfo(TRUE).nTrackPos);
    EXPECT_EQ(0u, m_host->OnGetSwndCapture());
    EXPECT_FALSE(panel->OnNcHitTest(POINT{50, 50}));
    EXPECT_EQ(Cell(kThumb, 0), Pixel(106, 70));
    EXPECT_EQ(Cell(kRail, 0), Pixel(106, 56));

    // Back up by half the travel from the end.
    Press(106, 70);
    MoveTo(106, 50);
    Release(106, 50);
    EXPECT_EQ(59, panel->GetScrollPos(TRUE));
}

TEST_F(SPanelTest, HidingThePanelEndsAPressAndItsRepeat)
{
    PagedPanel* const panel = VerticalPanel(L"scrollSpeed='10'");
    Press(106, 86);
    EXPECT_EQ(10, panel->GetScrollPos(TRUE));
    panel->SetVisible(FALSE);
    EXPECT_EQ(0u, m_host->OnGetSwndCapture());
    panel->SendSwndMessage(WM_TIMER, 2);   // a tick already queued moves nothing
    EXPECT_EQ(10, panel->GetScrollPos(TRUE));

    panel->SetVisible(TRUE);
    Press(106, 25);
    MoveTo(106, 45);
    panel->SetVisible(FALSE);
    EXPECT_FALSE(panel->OnNcHitTest(POINT{50, 50}));
    EXPECT_EQ(-1, panel->GetScrollInfo(TRUE).nTrackPos);
}

TEST_F(SPanelTest, ADisabledBarIsDrawnSoAndTakesNoPress)
{
    PagedPanel* const panel = VerticalPanel(L"sbEnable='1'");
    EXPECT_FALSE(panel->IsScrollBarEnabled(TRUE));
    Paint();
    EXPECT_EQ(Cell(kUpArrow, 3), Pixel(106, 12));
    EXPECT_EQ(Cell(kThumb, 3), Pixel(106, 30));
    Press(106, 86);
    EXPECT_EQ(0, panel->GetScrollPos(TRUE));
    EXPECT_EQ(0u, m_host->OnGetSwndCapture());
    Release(106, 86);

    panel->EnableScrollBar(kSbVert, TRUE);
    Press(106, 86);
    Release(106, 86);
    EXPECT_EQ(10, panel->GetScrollPos(TRUE));
}

TEST_F(SPanelTest, TheBarSkinMustBeAScrollBarSkin)
{
    PagedPanel* const panel = Place(L"<div pos='10,10,@100,@80'/>");
    EXPECT_EQ(S_OK, panel->ApplyAttribute(L"sbSkin", L"bar", FALSE));
    ISkinObj* const bar = panel->GetSbSkin();
    ASSERT_NE(nullptr, bar);
    const struct {
        const wchar_t* name;
    } refused[] = {{L"four"}, {L"nothing"}, {L""}};   // a colour skin, no skin at all
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(E_FAIL, panel->ApplyAttribute(L"SBSKIN", c.name, FALSE));
        EXPECT_EQ(bar, panel->GetSbSkin());
    }
}
