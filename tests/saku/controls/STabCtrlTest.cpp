// The tab control: pages from XML, the strip's geometry, selection by keyboard and
// mouse through the container, the changing/changed events, the slide on the
// container's timeline and the tabs' pixels, on a windowless test host.

#include "../core/ContainerTest.h"
#include "../render/RenderTestSupport.h"

#include "controls/STabCtrl.h"
#include "controls/STabPage.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"
#include "core/SSkinPool.h"

#include <pugixml.hpp>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// Stored pixels (0xAARRGGBB) of the test skins.
constexpr std::uint32_t kTabNormal = 0xFFFF0000;     // "states": red, lime, blue
constexpr std::uint32_t kTabHover = 0xFF00FF00;
constexpr std::uint32_t kTabSelected = 0xFF0000FF;
constexpr std::uint32_t kPageColours[] = {0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF};

constexpr const wchar_t* kSkins =
    L"<skin>"
    L"  <imglist name=\"tab\" src=\"png:states_h\" states=\"3\"/>"
    L"  <colorrect name=\"page0\" normal=\"#ffff00\"/>"
    L"  <colorrect name=\"page1\" normal=\"#00ffff\"/>"
    L"  <colorrect name=\"page2\" normal=\"#ff00ff\"/>"
    L"</skin>";

// Three pages of 30 x 30 tabs along the top; the control lies at (10, 10, 190, 130),
// so its page area is (10, 40, 190, 130).
std::wstring ThreePages(const std::wstring& attributes = L"")
{
    return L"<tabctrl tabSkin=\"tab\" " + attributes +
           L">"
           L"<page title=\"one\" skin=\"page0\"/>"
           L"<page title=\"two\" skin=\"page1\"/>"
           L"<page title=\"three\" skin=\"page2\"/>"
           L"</tabctrl>";
}

constexpr RECT kTabRect = {10, 10, 190, 130};

bool Same(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}
constexpr int kAreaWidth = 180;

// Counts what a tab control raises, with the fields of the last of each kind; it
// vetoes changes while `veto` is set.
struct TabEvents {
    BOOL OnChanging(EventArgs* args)
    {
        auto* const changing = SObjCast<EventTabSelChanging>(args);
        ++changings;
        changing->cancel = veto;
        return TRUE;
    }
    BOOL OnChanged(EventArgs* args)
    {
        auto* const changed = SObjCast<EventTabSelChanged>(args);
        this->changed.push_back({changed->oldSel, changed->newSel});
        return TRUE;
    }
    BOOL OnHover(EventArgs* args)
    {
        log.push_back(L"hover" + std::to_wstring(SObjCast<EventTabItemHover>(args)->index));
        return TRUE;
    }
    BOOL OnLeave(EventArgs* args)
    {
        log.push_back(L"leave" + std::to_wstring(SObjCast<EventTabItemLeave>(args)->index));
        return TRUE;
    }

    BOOL veto = FALSE;
    int changings = 0;
    std::vector<std::pair<int, int>> changed;
    std::vector<std::wstring> log;
};

class TabCtrlTest : public ContainerTest {
protected:
    void SetUp() override
    {
        ContainerTest::SetUp();
        AddProgramResources();
        m_skins = SAutoRef<SSkinPool>::Adopt(new SSkinPool);
        ASSERT_TRUE(m_document.load_string(kSkins));
        m_skins->LoadSkins(m_document.first_child());
        SSkinPoolMgr::GetInstance()->PushPool(m_skins.Get());
    }
    void TearDown() override
    {
        ContainerTest::TearDown();
        if (SSkinPoolMgr* const pools = SSkinPoolMgr::GetInstance())
            pools->PopPool(m_skins.Get());
    }

    // A tab control built from `xml` under the host and placed at `rect`.
    STabCtrl* Build(const std::wstring& xml, RECT rect = kTabRect)
    {
        pugi::xml_document document;
        EXPECT_TRUE(document.load_string(xml.c_str())) << std::string(xml.begin(), xml.end());
        auto* const tab = new STabCtrl;   // the host holds this first reference
        m_host->InsertChild(tab);
        tab->BuildFromXml(document.first_child());
        tab->Move(&rect);
        return tab;
    }

    void Listen(STabCtrl* tab)
    {
        SEventSet* const events = tab->GetEventSet();
        events->SubscribeEvent(EventTabSelChanging::EventID, Subscriber(&TabEvents::OnChanging, &m_events));
        events->SubscribeEvent(EventTabSelChanged::EventID, Subscriber(&TabEvents::OnChanged, &m_events));
        events->SubscribeEvent(EventTabItemHover::EventID, Subscriber(&TabEvents::OnHover, &m_events));
        events->SubscribeEvent(EventTabItemLeave::EventID, Subscriber(&TabEvents::OnLeave, &m_events));
    }

    // The whole tree painted afresh onto the host's cleared canvas.
    void PaintFrame()
    {
        IRenderTarget* const canvas = m_host->Canvas();
        const RECT all = {0, 0, 200, 200};
        canvas->ClearRect(&all, 0);
        m_host->BuildWndTreeZorder();
        m_host->PaintRegion(canvas, nullptr);
    }
    std::uint32_t Pixel(int x, int y) { return PixelAt(ReadPixels(m_host->Canvas()), 200, x, y); }
    void Keep(const wchar_t* name) { KeepPng(m_host->Canvas(), L"TIVALA_PAINT_PNG", name); }

    // Which pages are visible, as a string of 0 and 1.
    static std::string Visibility(const STabCtrl* tab)
    {
        std::string shown;
        for (int i = 0; i < tab->GetItemCount(); ++i)
            shown += tab->GetItem(i)->IsVisible(TRUE) ? '1' : '0';
        return shown;
    }

    pugi::xml_document m_document;
    SAutoRef<SSkinPool> m_skins;
    TabEvents m_events;
};

}  // namespace

TEST_F(TabCtrlTest, BuildsItsPagesAndCorrectsTheCurrentIndex)
{
    const struct {
        const wchar_t* curSel;
        int pages;
        int expected;
        const char* shown;
    } cases[] = {
        {L"5", 3, 0, "100"}, {L"-1", 3, 0, "100"}, {L"2", 3, 2, "001"}, {L"1", 0, -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "curSel " << std::string(c.curSel, c.curSel + wcslen(c.curSel)));
        std::wstring xml = std::wstring(L"<tabctrl curSel=\"") + c.curSel + L"\">";
        for (int i = 0; i < c.pages; ++i)
            xml += L"<page/><window/>";   // other children than pages are not made
        xml += L"</tabctrl>";
        STabCtrl* const tab = Build(xml);
        EXPECT_EQ(c.expected, tab->GetCurSel());
        EXPECT_EQ(c.pages, tab->GetItemCount());
        EXPECT_EQ(static_cast<UINT>(c.pages), tab->GetChildrenCount());
        EXPECT_EQ(c.shown, Visibility(tab));
        m_host->DestroyChild(tab);
    }
}

TEST_F(TabCtrlTest, TakesTheTabSizeFromItsSkinAndPlacesTabsAlongEachEdge)
{
    const struct {
        const wchar_t* attributes;
        RECT tab1;
        RECT area;
    } cases[] = {
        // Tabs of the skin's 30 x 30, 4 pixels apart, the first 6 pixels in.
        {L"tabAlign=\"top\"",    {10 + 6 + 34, 10, 10 + 6 + 64, 40},      {10, 40, 190, 130}},
        {L"tabAlign=\"bottom\"", {10 + 6 + 34, 100, 10 + 6 + 64, 130},    {10, 10, 190, 100}},
        {L"tabAlign=\"left\"",   {10, 10 + 6 + 34, 40, 10 + 6 + 64},      {40, 10, 190, 130}},
        {L"tabAlign=\"right\"",  {160, 10 + 6 + 34, 190, 10 + 6 + 64},    {10, 10, 160, 130}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.attributes, c.attributes + wcslen(c.attributes)));
        STabCtrl* const tab = Build(ThreePages(std::wstring(c.attributes) + L" tabPos=\"6\" tabInterSize=\"4\""));
        RECT tab1 = {};
        ASSERT_TRUE(tab->GetItemRect(1, tab1));
        EXPECT_TRUE(::EqualRect(&c.tab1, &tab1)) << tab1.left << "," << tab1.top << "," << tab1.right << "," << tab1.bottom;
        const RECT area = tab->GetChildrenLayoutRect();
        EXPECT_TRUE(::EqualRect(&c.area, &area));
        const RECT page = tab->GetItem(0)->GetWindowRect();
        EXPECT_TRUE(::EqualRect(&c.area, &page));
        EXPECT_FALSE(tab->GetItemRect(3, tab1));
        m_host->DestroyChild(tab);
    }
}

TEST_F(TabCtrlTest, RefusesMalformedAttributesAndKeepsItsFields)
{
    STabCtrl* const tab = Build(ThreePages());
    const struct {
        const wchar_t* name;
        const wchar_t* value;
        HRESULT expected;
    } cases[] = {
        {L"tabSize", L"40", E_INVALIDARG},   {L"tabSize", L"40,20,5", E_INVALIDARG},
        {L"tabAlign", L"middle", E_FAIL},    {L"textDir", L"diagonal", E_FAIL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.value, c.value + wcslen(c.value)));
        EXPECT_EQ(c.expected, tab->ApplyAttribute(c.name, c.value, FALSE));
        RECT tab0 = {};
        tab->GetItemRect(0, tab0);
        EXPECT_TRUE(Same(tab0, {10, 10, 40, 40}));
    }
    EXPECT_EQ(kRefresh, tab->ApplyAttribute(L"tabSize", L"50,20", FALSE));
    RECT tab0 = {};
    tab->GetItemRect(0, tab0);
    EXPECT_TRUE(Same(tab0, {10, 10, 60, 30}));
    // A name of the interpolator's reaches it through the control.
    EXPECT_TRUE(SUCCEEDED(tab->ApplyAttribute(L"interpolator", L"Cycle", FALSE)));
    EXPECT_TRUE(SUCCEEDED(tab->ApplyAttribute(L"cycles", L"2", FALSE)));
    EXPECT_FALSE(SUCCEEDED(tab->ApplyAttribute(L"interpolator", L"NoSuchCurve", FALSE)));
}

TEST_F(TabCtrlTest, ArrowKeysWrapAroundTheEnds)
{
    const struct {
        int start;
        UINT key;
        int expected;
    } cases[] = {
        {0, VK_LEFT, 2}, {0, VK_UP, 2},   {2, VK_RIGHT, 0}, {2, VK_DOWN, 0}, {1, VK_LEFT, 0},
        {1, VK_DOWN, 2}, {1, VK_HOME, 0}, {0, VK_END, 2},   {1, 'A', 1},
    };
    STabCtrl* const tab = Build(ThreePages());
    tab->SetFocus();
    ASSERT_TRUE(tab->IsFocused());
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.start << " key " << c.key);
        tab->SetCurSel(c.start);
        m_host->DoFrameEvent(WM_KEYDOWN, c.key, 0);
        EXPECT_EQ(c.expected, tab->GetCurSel());
        std::string shown = "000";
        shown[c.expected] = '1';
        EXPECT_EQ(shown, Visibility(tab));
    }
}

TEST_F(TabCtrlTest, AVetoedChangeKeepsTheOldPage)
{
    STabCtrl* const tab = Build(ThreePages());
    Listen(tab);
    m_events.veto = TRUE;
    m_host->Mouse(WM_LBUTTONDOWN, 55, 25);   // on the second tab
    m_host->Mouse(WM_LBUTTONUP, 55, 25);
    EXPECT_EQ(1, m_events.changings);
    EXPECT_EQ(0, tab->GetCurSel());
    EXPECT_EQ("100", Visibility(tab));
    EXPECT_TRUE(m_events.changed.empty());

    m_events.veto = FALSE;
    m_host->Mouse(WM_LBUTTONDOWN, 55, 25);
    m_host->Mouse(WM_LBUTTONUP, 55, 25);
    EXPECT_EQ(1, tab->GetCurSel());
    EXPECT_EQ("010", Visibility(tab));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 1}}), m_events.changed);
    // A click on the current tab or beside the tabs changes nothing.
    m_host->Mouse(WM_LBUTTONDOWN, 55, 25);
    m_host->Mouse(WM_LBUTTONDOWN, 150, 25);
    EXPECT_EQ(2, m_events.changings);
}

TEST_F(TabCtrlTest, HoverAndLeaveFollowTheMouseOverTheTabs)
{
    STabCtrl* const tab = Build(ThreePages());
    Listen(tab);
    m_host->Mouse(WM_MOUSEMOVE, 55, 25);
    m_host->Mouse(WM_MOUSEMOVE, 56, 26);   // the same tab: nothing new
    m_host->Mouse(WM_MOUSEMOVE, 85, 25);
    m_host->Mouse(WM_MOUSEMOVE, 150, 25);  // on the strip beside the tabs
    m_host->Mouse(WM_MOUSEMOVE, 25, 25);
    m_host->Mouse(WM_MOUSEMOVE, 5, 5);     // off the control
    EXPECT_EQ((std::vector<std::wstring>{L"hover1", L"leave1", L"hover2", L"leave2", L"hover0", L"leave0"}),
              m_events.log);
}

TEST_F(TabCtrlTest, TabsPaintTheirSkinStateAndTheCurrentPageFillsTheArea)
{
    STabCtrl* const tab = Build(ThreePages());
    m_host->Mouse(WM_MOUSEMOVE, 85, 25);   // hover on the third tab
    PaintFrame();
    Keep(L"tabs_first_page");
    EXPECT_EQ(kTabSelected, Pixel(25, 25));
    EXPECT_EQ(kTabNormal, Pixel(55, 25));
    EXPECT_EQ(kTabHover, Pixel(85, 25));
    EXPECT_EQ(0u, Pixel(150, 25));         // the strip beside the tabs stays clear
    EXPECT_EQ(kPageColours[0], Pixel(100, 80));

    ASSERT_TRUE(tab->SetCurSel(1));
    PaintFrame();
    Keep(L"tabs_second_page");
    EXPECT_EQ(kTabNormal, Pixel(25, 25));
    EXPECT_EQ(kTabSelected, Pixel(55, 25));
    EXPECT_EQ(kTabHover, Pixel(85, 25));
    EXPECT_EQ(kPageColours[1], Pixel(100, 80));
    EXPECT_EQ(kPageColours[1], Pixel(11, 41));
    EXPECT_EQ(kPageColours[1], Pixel(189, 129));
    EXPECT_EQ(0u, Pixel(100, 131));
}

TEST_F(TabCtrlTest, TheGapSkinFillsTheSpaceBetweenTabs)
{
    Build(ThreePages(L"tabInterSize=\"10\" tabInterSkin=\"page2\""));
    PaintFrame();
    Keep(L"tabs_gaps");
    EXPECT_EQ(kTabSelected, Pixel(25, 25));
    EXPECT_EQ(kPageColours[2], Pixel(45, 25));   // between the first and second tab
    EXPECT_EQ(kTabNormal, Pixel(65, 25));
    EXPECT_EQ(kPageColours[2], Pixel(85, 25));
    EXPECT_EQ(kTabNormal, Pixel(105, 25));
    EXPECT_EQ(0u, Pixel(125, 25));
}

TEST_F(TabCtrlTest, ASlideOfTenStepsTakesElevenFramesShapedByTheInterpolator)
{
    // Type 0 pictures everything below the slider, type 1 the pages alone; the
    // pages here are opaque, so both look the same.
    for (const wchar_t* type : {L"0", L"1"}) {
        SCOPED_TRACE(testing::Message() << "animateType " << (type[0] - L'0'));
        STabCtrl* const tab =
            Build(ThreePages(std::wstring(L"animateSteps=\"10\" interpolator=\"Accelerate\" animateType=\"") + type + L"\""));
        ASSERT_TRUE(tab->SetCurSel(1));
        ASSERT_TRUE(tab->IsSliding());
        EXPECT_EQ("000", Visibility(tab));
        EXPECT_EQ(1, tab->GetCurSel());

        int frames = 0;
        while (tab->IsSliding() && frames < 20) {
            m_host->OnNextFrame();
            ++frames;
            if (frames == 5) {
                // Accelerate: (5/10)^2 of the way, the old page's right part on the left.
                const int shift = static_cast<int>(kAreaWidth * 0.25f);
                PaintFrame();
                Keep(type[0] == L'0' ? L"tabs_slide_step5" : L"tabs_slide_step5_pages");
                EXPECT_EQ(kPageColours[0], Pixel(10 + kAreaWidth - shift - 2, 80));
                EXPECT_EQ(kPageColours[1], Pixel(10 + kAreaWidth - shift + 2, 80));
            }
        }
        EXPECT_EQ(11, frames);
        EXPECT_EQ("010", Visibility(tab));
        EXPECT_EQ(3u, tab->GetChildrenCount());   // the slider is gone
        PaintFrame();
        EXPECT_EQ(kPageColours[1], Pixel(20, 80));
        EXPECT_EQ(kPageColours[1], Pixel(180, 80));
        m_host->DestroyChild(tab);
    }
}

TEST_F(TabCtrlTest, ABackwardSlideMovesTheOtherWay)
{
    STabCtrl* const tab = Build(ThreePages(L"animateSteps=\"4\" curSel=\"2\""));
    ASSERT_TRUE(tab->SetCurSel(0));
    m_host->OnNextFrame();
    m_host->OnNextFrame();   // half way: the new page comes in from the left
    PaintFrame();
    Keep(L"tabs_slide_backward");
    EXPECT_EQ(kPageColours[0], Pixel(10 + kAreaWidth / 2 - 2, 80));
    EXPECT_EQ(kPageColours[2], Pixel(10 + kAreaWidth / 2 + 2, 80));
}

TEST_F(TabCtrlTest, ASecondChangeEndsTheRunningSlideAtOnce)
{
    STabCtrl* const tab = Build(ThreePages(L"animateSteps=\"10\""));
    ASSERT_TRUE(tab->SetCurSel(1));
    m_host->OnNextFrame();
    ASSERT_TRUE(tab->SetCurSel(2));
    EXPECT_TRUE(tab->IsSliding());
    EXPECT_EQ(4u, tab->GetChildrenCount());   // one slider only
    int frames = 0;
    while (tab->IsSliding() && frames < 20) {
        m_host->OnNextFrame();
        ++frames;
    }
    EXPECT_EQ(11, frames);
    EXPECT_EQ("001", Visibility(tab));
}

TEST_F(TabCtrlTest, AnInvisibleControlSwitchesWithoutSliding)
{
    STabCtrl* const tab = Build(ThreePages(L"animateSteps=\"10\""));
    tab->SetVisible(FALSE);
    ASSERT_TRUE(tab->SetCurSel(1));
    EXPECT_FALSE(tab->IsSliding());
    tab->SetVisible(TRUE);
    EXPECT_EQ("010", Visibility(tab));
}

TEST_F(TabCtrlTest, PagesAddedLaterJoinAtTheirIndex)
{
    STabCtrl* const tab = Build(L"<tabctrl tabSkin=\"tab\"/>");
    EXPECT_EQ(-1, tab->GetCurSel());
    EXPECT_EQ(0, tab->InsertItemXml(L"<page title=\"a\"/>", -1));
    EXPECT_EQ(0, tab->GetCurSel());   // the first page becomes current
    EXPECT_EQ(0, tab->InsertItemXml(L"<page title=\"b\"/>", 0));
    EXPECT_EQ(1, tab->GetCurSel());   // the current page moved up
    EXPECT_EQ(-1, tab->InsertItemXml(L"<window/>", 0));
    EXPECT_EQ(-1, tab->InsertItemXml(L"<page", 0));
    EXPECT_STREQ(L"b", tab->GetItem(0)->GetTitle().c_str());
    EXPECT_STREQ(L"a", tab->GetItem(1)->GetTitle().c_str());
    EXPECT_EQ("01", Visibility(tab));
    const RECT page = tab->GetItem(0)->GetWindowRect();
    EXPECT_TRUE(Same(page, {10, 40, 190, 130}));
}

TEST_F(TabCtrlTest, ATabShowsItsPagesTipAndThePageItselfShowsNone)
{
    STabCtrl* const tab = Build(
        L"<tabctrl tabSkin=\"tab\"><page tip=\"first page\"/><page/><page tip=\"third page\"/></tabctrl>");
    const struct {
        POINT point;
        bool tip;
        DWORD cookie;
        const wchar_t* text;
        RECT target;
    } cases[] = {
        {{25, 25}, true, 0, L"first page", {10, 10, 40, 40}},
        {{55, 25}, false, 0, L"", {}},   // a page without a tip
        {{85, 25}, true, 2, L"third page", {70, 10, 100, 40}},
        {{150, 25}, false, 0, L"", {}},  // beside the tabs
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x);
        SwndToolTipInfo info;
        EXPECT_EQ(c.tip, tab->UpdateToolTip(c.point, info) != FALSE);
        if (!c.tip)
            continue;
        EXPECT_EQ(tab->GetSwnd(), info.swnd);
        EXPECT_EQ(c.cookie, info.cookie);
        EXPECT_STREQ(c.text, info.text.c_str());
        EXPECT_TRUE(Same(c.target, info.rcTarget));
    }
    SwndToolTipInfo info;
    EXPECT_FALSE(tab->GetItem(0)->UpdateToolTip(POINT{100, 80}, info));
}

TEST_F(TabCtrlTest, AControlDestroyedWhileSlidingLeavesNoFrameHandlerBehind)
{
    STabCtrl* const tab = Build(ThreePages(L"animateSteps=\"10\""));
    ASSERT_TRUE(tab->SetCurSel(1));
    m_host->OnNextFrame();
    // The slider, kept alive here past its control's end.
    SAutoRef<SWindow> slider(tab->GetWindow(GSW_LASTCHILD));
    ASSERT_TRUE(slider && slider->IsClass(L"tabslider"));
    auto* const frames = dynamic_cast<ITimelineHandler*>(slider.Get());
    ASSERT_TRUE(frames);
    m_host->DestroyChild(tab);
    EXPECT_FALSE(m_host->UnregisterTimelineHandler(frames));   // it went with its window
    EXPECT_EQ(0u, m_host->GetChildrenCount());
}

TEST_F(TabCtrlTest, AnUnknownInterpolatorKeepsTheOneTheSlideUses)
{
    STabCtrl* const tab = Build(ThreePages(L"animateSteps=\"2\" interpolator=\"NoSuchCurve\""));
    ASSERT_TRUE(tab->SetCurSel(1));
    m_host->OnNextFrame();   // linear: half way
    PaintFrame();
    EXPECT_EQ(kPageColours[0], Pixel(10 + kAreaWidth / 2 - 2, 80));
    EXPECT_EQ(kPageColours[1], Pixel(10 + kAreaWidth / 2 + 2, 80));
}

TEST_F(TabCtrlTest, ASliderDestroyedFromOutsideIsForgottenByItsControl)
{
    STabCtrl* const tab = Build(ThreePages(L"animateSteps=\"10\""));
    ASSERT_TRUE(tab->SetCurSel(1));
    SWindow* const slider = tab->GetWindow(GSW_LASTCHILD);
    ASSERT_TRUE(slider && slider->IsClass(L"tabslider"));
    tab->DestroyChild(slider);
    EXPECT_FALSE(tab->IsSliding());
    ASSERT_TRUE(tab->SetCurSel(2));   // a new slide, without touching the old slider
    EXPECT_TRUE(tab->IsSliding());
}
