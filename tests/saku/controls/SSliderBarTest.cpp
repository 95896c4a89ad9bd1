// The slider on a windowless host: its parts along and across the bar, clicks
// and drags through the container with the values and events they give, a bar no
// longer than its thumb, an empty range, the thumb's looks and its size.

#include "ControlTest.h"

#include "controls/SSliderBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

struct PosRecorder {
    std::vector<int> positions;
    BOOL OnPos(EventArgs* args)
    {
        positions.push_back(static_cast<EventSliderPos*>(args)->position);
        return TRUE;
    }
};

// A part's extent along and across the bar.
struct Extent {
    int begin, end, acrossBegin, acrossEnd;
};

constexpr std::uint32_t kLimeFill = 0xFF00FF00;
constexpr std::uint32_t kBlueThumb = 0xFF0000FF;

class SSliderBarTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        // A thumb of 20 x 20 on a rail 8 thick.
        AddSkins(L"<skin>"
                 L"<shape name='thumb20'><solid color='#0000ff'/><size width='20' height='20'/></shape>"
                 L"<shape name='bk8'><solid color='#ff0000'/><size width='8' height='8'/></shape>"
                 L"<shape name='pos8'><solid color='#00ff00'/><size width='8' height='8'/></shape>"
                 L"</skin>");
    }
    // A slider of the attributes at (0, 0), `length` along and 20 across.
    SSliderBar* Slider(const std::wstring& attributes, int length = 200, bool vertical = false)
    {
        const std::wstring size = vertical ? L"@20,@" + std::to_wstring(length) : L"@" + std::to_wstring(length) + L",@20";
        Build((L"<root><sliderbar name='s' pos='0,0," + size + L"' margin='0' vertical='" + (vertical ? L"1" : L"0") +
               L"' bkgndSkin='bk8' posSkin='pos8' thumbSkin='thumb20' " + attributes + L"/></root>").c_str());
        SSliderBar* const slider = m_host->FindChildByName2<SSliderBar>(L"s");
        if (slider)
            slider->GetEventSet()->SubscribeEvent(EventSliderPos::EventID, Subscriber(&PosRecorder::OnPos, &m_moves));
        return slider;
    }
    static Extent Of(const SSliderBar* slider, int part)
    {
        const RECT r = slider->PartRect(part);
        return slider->IsVertical() ? Extent{r.top, r.bottom, r.left, r.right} : Extent{r.left, r.right, r.top, r.bottom};
    }
    void Click(int x, int y)
    {
        m_host->Mouse(WM_MOUSEMOVE, x, y);
        m_host->Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
        m_host->Mouse(WM_LBUTTONUP, x, y);
    }

    PosRecorder m_moves;
};

}  // namespace

TEST_F(SSliderBarTest, PartsLieAlongTheRailForTheValue)
{
    // 200 long, thumb 20: the rail 10 to 190, the thumb travels 180 pixels.
    const struct {
        const wchar_t* attributes;
        bool vertical;
        Extent rail, filled, thumb, background;
    } cases[] = {
        {L"value='0'",                     false, {10, 190, 6, 14}, {10, 10, 6, 14},  {0, 20, 0, 20},    {10, 190, 6, 14}},
        {L"value='50'",                    false, {10, 190, 6, 14}, {10, 100, 6, 14}, {90, 110, 0, 20},  {10, 190, 6, 14}},
        {L"value='100'",                   false, {10, 190, 6, 14}, {10, 190, 6, 14}, {180, 200, 0, 20}, {10, 190, 6, 14}},
        {L"value='50'",                    true,  {10, 190, 6, 14}, {10, 100, 6, 14}, {90, 110, 0, 20},  {10, 190, 6, 14}},
        {L"value='50' thumbInRail='1'",    false, {10, 190, 6, 14}, {0, 100, 6, 14},  {90, 110, 0, 20},  {0, 200, 6, 14}},
        {L"min='-100' max='100' value='0'", false, {10, 190, 6, 14}, {10, 100, 6, 14}, {90, 110, 0, 20}, {10, 190, 6, 14}},
        // An empty range: the thumb stays at the start.
        {L"min='5' max='5' value='5'",     false, {10, 190, 6, 14}, {10, 10, 6, 14},  {0, 20, 0, 20},    {10, 190, 6, 14}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.attributes)) + (c.vertical ? " vertical" : ""));
        SSliderBar* const slider = Slider(c.attributes, 200, c.vertical);
        ASSERT_NE(nullptr, slider);
        const std::pair<int, Extent> parts[] = {{SSliderBar::kPartRail, c.rail}, {SSliderBar::kPartFilled, c.filled},
                                                {SSliderBar::kPartThumb, c.thumb}, {SSliderBar::kPartBackground, c.background}};
        for (const auto& [part, expected] : parts) {
            SCOPED_TRACE(part);
            const Extent actual = Of(slider, part);
            EXPECT_EQ(expected.begin, actual.begin);
            EXPECT_EQ(expected.end, actual.end);
            EXPECT_EQ(expected.acrossBegin, actual.acrossBegin);
            EXPECT_EQ(expected.acrossEnd, actual.acrossEnd);
        }
        slider->DestroyWindow();
    }
}

TEST_F(SSliderBarTest, PartFromPointTriesTheThumbThenTheFilledPartThenTheRail)
{
    SSliderBar* const slider = Slider(L"value='50'");
    ASSERT_NE(nullptr, slider);
    const struct {
        POINT point;
        int part;
    } cases[] = {
        {{100, 10}, SSliderBar::kPartThumb},  {{95, 2}, SSliderBar::kPartThumb},   // the thumb is as thick as the band
        {{50, 10}, SSliderBar::kPartFilled},  {{150, 10}, SSliderBar::kPartRail},
        {{150, 2}, -1},                       {{5, 10}, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.part, slider->PartFromPoint(c.point)) << c.point.x << "," << c.point.y;
}

TEST_F(SSliderBarTest, AClickMovesTheValueToThePointAndADragCarriesIt)
{
    const struct {
        const wchar_t* attributes;
        bool vertical;
        int press, to;                  // along the bar
        int afterPress, afterMove;
        std::vector<int> events;
    } cases[] = {
        // A click at the rail's end: 101 x 180 / 180 is past the maximum.
        {L"value='0'",  false, 190, 190, 100, 100, {100}},
        {L"value='0'",  true,  190, 190, 100, 100, {100}},
        // On the thumb the value stays until the drag moves it: 101 x 18 / 180 = 10.
        {L"value='50'", false, 100, 118, 50,  60,  {60}},
        {L"value='50'", true,  100, 118, 50,  60,  {60}},
        // A click on the rail, then a drag from there.
        {L"value='0'",  false, 100, 136, 50,  70,  {50, 70}},
        // Far beyond either end: clamped.
        {L"value='50'", false, 100, 500, 50,  100, {100}},
        {L"value='50'", false, 100, -300, 50, 0,   {0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.attributes)) + " " + std::to_string(c.press) + " to " +
                     std::to_string(c.to) + (c.vertical ? " vertical" : ""));
        m_moves.positions.clear();
        SSliderBar* const slider = Slider(c.attributes, 200, c.vertical);
        ASSERT_NE(nullptr, slider);
        const auto at = [&](int along) { return c.vertical ? POINT{10, along} : POINT{along, 10}; };
        m_host->Mouse(WM_MOUSEMOVE, at(c.press).x, at(c.press).y);
        m_host->Mouse(WM_LBUTTONDOWN, at(c.press).x, at(c.press).y, MK_LBUTTON);
        EXPECT_EQ(c.afterPress, slider->GetValue());
        EXPECT_TRUE(slider->IsDragging());
        EXPECT_EQ(slider->GetSwnd(), m_host->OnGetSwndCapture());
        m_host->Mouse(WM_MOUSEMOVE, at(c.to).x, at(c.to).y, MK_LBUTTON);
        EXPECT_EQ(c.afterMove, slider->GetValue());
        m_host->Mouse(WM_LBUTTONUP, at(c.to).x, at(c.to).y);
        EXPECT_FALSE(slider->IsDragging());
        EXPECT_EQ(0u, m_host->OnGetSwndCapture());
        EXPECT_EQ(c.afterMove, slider->GetValue());
        EXPECT_EQ(c.events, m_moves.positions);
        slider->DestroyWindow();
    }
}

TEST_F(SSliderBarTest, ASliderNoLongerThanItsThumbTakesNoClickOrDrag)
{
    for (const int length : {15, 20}) {
        SCOPED_TRACE(length);
        m_moves.positions.clear();
        SSliderBar* const slider = Slider(L"value='30'", length);
        ASSERT_NE(nullptr, slider);
        for (int x = 0; x < length; x += 4)
            Click(x, 10);
        m_host->Mouse(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
        m_host->Mouse(WM_MOUSEMOVE, 150, 10, MK_LBUTTON);
        m_host->Mouse(WM_LBUTTONUP, 150, 10);
        EXPECT_EQ(30, slider->GetValue());
        EXPECT_TRUE(m_moves.positions.empty());
        EXPECT_EQ(0, Of(slider, SSliderBar::kPartThumb).begin);
        Paint();   // and draws without trouble
        slider->DestroyWindow();
    }
}

TEST_F(SSliderBarTest, AnEmptyRangeDrawsTheThumbAtTheStartAndKeepsItsValue)
{
    SSliderBar* const slider = Slider(L"min='5' max='5' value='5'");
    ASSERT_NE(nullptr, slider);
    Paint();
    EXPECT_EQ(kBlueThumb, Pixel(10, 2));
    EXPECT_EQ(0u, Pixel(30, 2));
    EXPECT_EQ(kNormalRed, Pixel(100, 10));   // no position skin at the minimum
    Click(150, 10);
    EXPECT_EQ(5, slider->GetValue());
    EXPECT_EQ(std::vector<int>{5}, m_moves.positions);
}

TEST_F(SSliderBarTest, PaintsBackgroundFilledPartAndTheThumbInItsState)
{
    AddSkins(L"<skin><imglist name='thumbStates' src='png:states_h' states='3'/></skin>");   // 30 x 30: red, lime, blue
    SSliderBar* const slider = Slider(L"value='50' thumbSkin='thumbStates'");
    ASSERT_NE(nullptr, slider);
    m_host->Mouse(WM_MOUSEMOVE, 150, 150);
    Paint();
    Keep(L"sliderbar");
    // The thumb (30 long) over 170 pixels of travel: at 85 to 115; the rail 15 to 185.
    EXPECT_EQ(kLimeFill, Pixel(50, 10));
    EXPECT_EQ(kNormalRed, Pixel(150, 10));
    EXPECT_EQ(kNormalRed, Pixel(100, 1));     // the thumb at rest
    EXPECT_EQ(0u, Pixel(150, 1));             // across, the rail is 8 thick in a band of 30

    m_host->Mouse(WM_MOUSEMOVE, 100, 10);      // onto the thumb
    Paint();
    EXPECT_EQ(kHoverLime, Pixel(100, 1));
    m_host->Mouse(WM_LBUTTONDOWN, 100, 10, MK_LBUTTON);
    Paint();
    EXPECT_EQ(kPushedBlue, Pixel(100, 1));
    m_host->Mouse(WM_LBUTTONUP, 100, 10);
    Paint();
    EXPECT_EQ(kHoverLime, Pixel(100, 1));
    m_host->Mouse(WM_MOUSEMOVE, 150, 150);    // away: at rest again
    Paint();
    EXPECT_EQ(kNormalRed, Pixel(100, 1));
}

TEST_F(SSliderBarTest, MeasuresTheThickerSkinAcrossAndAHundredAlong)
{
    const struct {
        bool vertical;
        SIZE size;
    } cases[] = {{false, {100, 20}}, {true, {20, 100}}};
    for (const auto& c : cases) {
        SSliderBar* const slider = Slider(L"", 200, c.vertical);
        ASSERT_NE(nullptr, slider);
        const SIZE size = slider->MeasureDesiredSize(nullptr);
        EXPECT_EQ(c.size.cx, size.cx) << c.vertical;
        EXPECT_EQ(c.size.cy, size.cy) << c.vertical;
        slider->DestroyWindow();
    }
}

TEST_F(SSliderBarTest, IsAProgressBarThatNeedsItsTwoSkins)
{
    SSliderBar* const slider = Slider(L"");
    ASSERT_NE(nullptr, slider);
    EXPECT_TRUE(slider->IsClass(L"sliderbar"));
    EXPECT_TRUE(slider->IsClass(L"progress"));
    EXPECT_TRUE(slider->IsClass(L"window"));
    slider->DestroyWindow();

    // No built-in skins in this program: without its own it is not created.
    Build(L"<root><sliderbar name='bare' pos='0,0,@100,@20' thumbSkin='thumb20'/></root>");
    EXPECT_EQ(nullptr, m_host->FindChildByName(L"bare"));
}
