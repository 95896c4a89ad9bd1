// The item panel: one row as a window tree of its own inside an owner window.
// Row events and the one command of a release, events wrapped for the owner,
// capture through the owner, redraws clipped to the row and the owner, and the
// row's background by state in pixels.

#include "ControlTest.h"

#include "controls/IItemContainer.h"
#include "controls/SItemPanel.h"

#include <climits>
#include <map>

using namespace SAKU;
using namespace saku_test;

namespace {

// The owner's side: one row at a fixed rectangle, captures noted.
class RowOwner : public IItemContainer {
public:
    RECT row = {};
    std::vector<BOOL> captures;

    void SetItemCapture(SItemPanel*, BOOL capture) override { captures.push_back(capture); }
    BOOL GetItemRect(SItemPanel*, RECT& rect) override
    {
        rect = row;
        return TRUE;
    }
    BOOL IsItemRedrawDelayed() override { return TRUE; }
    void OnItemRequestRelayout(SItemPanel*) override {}
};

// Counts events by id: those raised on a window, and those wrapped for its owner.
struct EventCounter {
    std::map<int, int> raised;
    std::map<int, int> wrapped;
    SItemPanel* lastPanel = nullptr;
    IObject* lastOriginSender = nullptr;

    BOOL OnEvent(EventArgs* args)
    {
        ++raised[args->GetID()];
        return TRUE;
    }
    BOOL OnWrapped(EventArgs* args)
    {
        auto* const wrapper = static_cast<EventOfPanel*>(args);
        ++wrapped[wrapper->origin->GetID()];
        lastPanel = wrapper->panel;
        lastOriginSender = wrapper->origin->sender;
        return TRUE;
    }
};

const int kRowEvents[] = {EventItemPanelClick::EventID, EventItemPanelDbclick::EventID, EventItemPanelRclick::EventID,
                          EventItemPanelHover::EventID, EventItemPanelLeave::EventID};

}  // namespace

class SItemPanelTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        m_owner = Add(L"owner", RECT{20, 40, 180, 120});
        m_owner->GetEventSet()->AddEvent(EventOfPanel::EventID, EventOfPanel::EventName());
        m_owner->GetEventSet()->SubscribeEvent(EventOfPanel::EventID, Subscriber(&EventCounter::OnWrapped, &m_counter));
        m_rows.row = RECT{20, 60, 180, 100};
    }
    void TearDown() override
    {
        m_panel = nullptr;
        ControlTest::TearDown();
    }

    // A panel of the row's layout, laid out to the row's size.
    void MakePanel(const wchar_t* xml)
    {
        pugi::xml_document document;
        ASSERT_TRUE(document.load_string(xml));
        m_panel = SAutoRef<SItemPanel>::Adopt(SItemPanel::Create(m_owner, document.first_child(), &m_rows));
        const RECT size = {0, 0, m_rows.row.right - m_rows.row.left, m_rows.row.bottom - m_rows.row.top};
        m_panel->Move(&size);
        m_panel->UpdateLayout();
        for (int id : kRowEvents)
            m_panel->GetEventSet()->SubscribeEvent(id, Subscriber(&EventCounter::OnEvent, &m_counter));
        m_panel->GetEventSet()->SubscribeEvent(EventCmd::EventID, Subscriber(&EventCounter::OnEvent, &m_counter));
    }
    LRESULT Send(UINT message, int x, int y) { return m_panel->DoFrameEvent(message, 0, MAKELPARAM(x, y)); }

    STestWnd* m_owner = nullptr;
    RowOwner m_rows;
    EventCounter m_counter;
    SAutoRef<SItemPanel> m_panel;
};

TEST_F(SItemPanelTest, AClickOnAnEmptyPartRaisesTheRowClickAndOneCommandForTheOwner)
{
    MakePanel(L"<item><window name='inner' pos='100,5,@20,@20'/></item>");
    const int hostEvents = m_host->EventCount();
    Send(WM_LBUTTONDOWN, 5, 5);
    Send(WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(1, m_counter.raised[EventItemPanelClick::EventID]);
    EXPECT_EQ(1, m_counter.raised[EventCmd::EventID]);
    // Every event of the row reaches the owner wrapped, the command once.
    EXPECT_EQ(1, m_counter.wrapped[EventCmd::EventID]);
    EXPECT_EQ(1, m_counter.wrapped[EventItemPanelClick::EventID]);
    EXPECT_EQ(m_panel.Get(), m_counter.lastPanel);
    EXPECT_EQ(static_cast<IObject*>(m_panel.Get()), m_counter.lastOriginSender);
    // and from the owner on to the host.
    EXPECT_EQ(hostEvents + 2, m_host->EventCount());
}

// Only a release over the row clicks it: one off the row (a press dragged away,
// or one that the host window lost and let go far off) fires no command.
TEST_F(SItemPanelTest, AReleaseOffTheRowIsNoClickOfTheRow)
{
    MakePanel(L"<item><window name='inner' pos='100,5,@20,@20'/></item>");
    const POINT offTheRow[] = {{-1, 10}, {160, 10}, {5, 40}, {SHRT_MIN, SHRT_MIN}};   // the row is 160 x 40
    for (const POINT& release : offTheRow) {
        SCOPED_TRACE(testing::Message() << release.x << "," << release.y);
        Send(WM_LBUTTONDOWN, 105, 10);
        Send(WM_LBUTTONUP, release.x, release.y);
        EXPECT_EQ(0, m_counter.raised[EventCmd::EventID]);
    }
    Send(WM_LBUTTONDOWN, 105, 10);
    Send(WM_LBUTTONUP, 159, 39);
    EXPECT_EQ(1, m_counter.raised[EventCmd::EventID]);
}

TEST_F(SItemPanelTest, MouseMessagesRaiseTheirRowEvents)
{
    MakePanel(L"<item/>");
    const struct {
        UINT message;
        int event;
    } cases[] = {
        {WM_LBUTTONDOWN,   EventItemPanelClick::EventID},
        {WM_LBUTTONDBLCLK, EventItemPanelDbclick::EventID},
        {WM_RBUTTONDOWN,   EventItemPanelRclick::EventID},
        {WM_MOUSEHOVER,    EventItemPanelHover::EventID},
        {WM_MOUSELEAVE,    EventItemPanelLeave::EventID},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.event);
        m_counter.raised.clear();
        Send(c.message, 3, 4);
        EXPECT_EQ(1, m_counter.raised[c.event]);
        for (int other : kRowEvents) {
            if (other != c.event) {
                EXPECT_EQ(0, m_counter.raised[other]);
            }
        }
    }
    // Hover and leave set and clear the hover state of the root window.
    Send(WM_MOUSEHOVER, 3, 4);
    EXPECT_TRUE(m_panel->GetState() & WndState_Hover);
    Send(WM_MOUSELEAVE, 3, 4);
    EXPECT_FALSE(m_panel->GetState() & WndState_Hover);
}

TEST_F(SItemPanelTest, ADisabledRowRaisesNoRowEventButStillTakesTheRelease)
{
    MakePanel(L"<item/>");
    m_panel->EnableWindow(FALSE);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_MOUSEHOVER, WM_MOUSELEAVE, WM_LBUTTONUP})
        Send(message, 3, 4);
    for (int id : kRowEvents)
        EXPECT_EQ(0, m_counter.raised[id]) << id;
    EXPECT_EQ(1, m_counter.raised[EventCmd::EventID]);
}

TEST_F(SItemPanelTest, MessagesReachTheWindowsOfTheRowInRowCoordinates)
{
    MakePanel(L"<item/>");
    STestWnd* const inner = AddTestWnd(m_panel.Get(), L"inner", RECT{100, 5, 120, 25}, &m_log);
    m_panel->BuildWndTreeZorder();
    Send(WM_MOUSEMOVE, 105, 10);
    Send(WM_LBUTTONDOWN, 105, 10);
    Send(WM_LBUTTONUP, 105, 10);
    const MessageLog expected = {L"inner:hover", L"inner:move", L"inner:lbuttondown", L"inner:lbuttonup"};
    EXPECT_EQ(expected, Take());
    EXPECT_EQ(MAKELPARAM(105, 10), inner->LastLParam(WM_LBUTTONUP));
    EXPECT_EQ(1, m_counter.raised[EventCmd::EventID]);   // the root's, after the inner window's release
}

TEST_F(SItemPanelTest, CaptureInsideTheRowGoesThroughTheOwner)
{
    MakePanel(L"<item/>");
    STestWnd* const inner = AddTestWnd(m_panel.Get(), L"inner", RECT{100, 5, 120, 25}, &m_log);
    inner->SetCapture();
    EXPECT_EQ(inner->GetSwnd(), m_panel->OnGetSwndCapture());
    inner->ReleaseCapture();
    EXPECT_EQ(0u, m_panel->OnGetSwndCapture());
    EXPECT_EQ((std::vector<BOOL>{TRUE, FALSE}), m_rows.captures);
}

TEST_F(SItemPanelTest, ARedrawInsideTheRowInvalidatesTheOwnerClippedToRowAndClient)
{
    m_rows.row = RECT{20, 100, 180, 140};   // the owner's client ends at 120
    MakePanel(L"<item><window name='inner' pos='10,10,@140,@25'/></item>");
    SWindow* const inner = m_panel->FindChildByName(L"inner");
    ASSERT_TRUE(inner);
    const int before = m_host->RedrawCount();
    inner->Invalidate();
    EXPECT_EQ(before + 1, m_host->RedrawCount());
    RECT expected = inner->GetClientRect();
    ::OffsetRect(&expected, 20, 100);
    expected.bottom = 120;
    ASSERT_LT(expected.top, 120);
    const RECT redrawn = m_host->LastRedraw();
    EXPECT_TRUE(::EqualRect(&expected, &redrawn))
        << redrawn.left << "," << redrawn.top << "," << redrawn.right << "," << redrawn.bottom;

    m_rows.row = RECT{20, 130, 180, 160};   // wholly below the client: nothing
    inner->Invalidate();
    EXPECT_EQ(before + 1, m_host->RedrawCount());
}

TEST_F(SItemPanelTest, TheBackgroundFollowsTheRowState)
{
    const std::uint32_t kYellow = 0xFFFFFF00;
    const struct {
        const wchar_t* colours;
        DWORD state;
        std::uint32_t expected;
    } cases[] = {
        {L"colorNormal='#ff0000' colorHover='#00ff00' colorSelected='#0000ff'", 0, kNormalRed},
        {L"colorNormal='#ff0000' colorHover='#00ff00' colorSelected='#0000ff'", WndState_Hover, kHoverLime},
        {L"colorNormal='#ff0000' colorHover='#00ff00' colorSelected='#0000ff'", WndState_Hover | WndState_Check,
         kPushedBlue},   // selected wins over hover
        {L"colorNormal='#ff0000' colorSelected=''", WndState_Check, 0xFF000080},   // empty text refused: the default
        {L"colorNormal='#ff0000'", WndState_Hover, kNormalRed},   // no hover colour: normal
        {L"", 0, 0},   // nothing set: the canvas shows through
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.colours);
        MakePanel((std::wstring(L"<item ") + c.colours +
                   L"><window pos='10,10,@20,@20' colorBkgnd='#ffff00'/></item>").c_str());
        m_panel->ModifyItemState(c.state, 0);
        Paint();
        m_panel->Draw(m_host->Canvas(), m_rows.row);
        EXPECT_EQ(c.expected, Pixel(25, 65));
        EXPECT_EQ(kYellow, Pixel(20 + 15, 60 + 15));   // the inner window, moved with the row
        EXPECT_EQ(0u, Pixel(25, 105));                 // below the row
    }
    Keep(L"item_panel");
}

TEST_F(SItemPanelTest, TheFinalReleaseDestroysTheRowsWindows)
{
    MakePanel(L"<item><window name='inner'/></item>");
    EventCounter destroyed;
    m_panel->FindChildByName(L"inner")->GetEventSet()->SubscribeEvent(
        EventSwndDestroy::EventID, Subscriber(&EventCounter::OnEvent, &destroyed));
    m_panel = nullptr;
    EXPECT_EQ(1, destroyed.raised[EventSwndDestroy::EventID]);
}

TEST_F(SItemPanelTest, TakesItsColourAttributesAndTheOwnersScale)
{
    MakePanel(L"<item/>");
    EXPECT_EQ(E_FAIL, m_panel->ApplyAttribute(L"colorHover", L"", FALSE));
    EXPECT_TRUE(SUCCEEDED(m_panel->ApplyAttribute(L"COLORHOVER", L"#010203", FALSE)));
    EXPECT_EQ(100, m_panel->GetScale());
    EXPECT_TRUE(m_panel->IsClass(L"itempanel"));
}
