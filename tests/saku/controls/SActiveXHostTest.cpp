// ActiveX controls hosted in real host windows: the tests' probe control (a
// windowless in-process control, registered for the test and removed after),
// Wine's media player (a windowed one) and the Flash control, which the prefix
// does not have. The probe records every call its host makes.

#include "../core/HostTest.h"
#include "../core/TestLogSink.h"
#include "../core/WindowPaintTest.h"
#include "../render/RenderTestSupport.h"

#include "ProbeModule.h"

#include "Win32Handles.h"
#include "controls/SActiveX.h"
#include "controls/SFlashCtrl.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// The calls of a probe's making and activation, and of its teardown; the sizes,
// drawings and messages between them are the other tests'.
const std::vector<std::wstring> kBetweenCalls = {L"SetExtent", L"SetObjectRects", L"Draw", L"OnWindowMessage"};

class SActiveXHostTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ASSERT_TRUE(m_com.Usable());
        ASSERT_TRUE(m_probe.Ready());
    }
    void TearDown() override
    {
        if (m_host && m_host->GetHwnd())
            DestroyHost(*m_host);
        m_host.reset();
        HostTest::TearDown();
    }

    // A host of 200 x 140 around the elements of the given text, one of them
    // named "ax", shown in front; translucent, its background is half transparent.
    template <typename T>
    T* Load(const std::wstring& element, bool translucent = false)
    {
        const std::wstring xml = std::wstring(L"<SAKU width='200' height='140' wndType='normal' translucent='") +
                                 (translucent ? L"1'><root colorBkgnd='#20304080'>"
                                              : L"0'><root colorBkgnd='#203040FF'>") +
                                 element + L"</root></SAKU>";
        m_host = std::make_unique<SHostWnd>();
        EXPECT_TRUE(LoadLayout(*m_host, xml.c_str()));
        ShowInFront(*m_host);
        T* const found = m_host->FindChildByName2<T>(L"ax");
        EXPECT_NE(nullptr, found) << xml.c_str();
        return found;
    }
    void Teardown()
    {
        DestroyHost(*m_host);
        m_host.reset();
    }
    Pixels PaintHost()
    {
        m_host->MarkFullRedraw();
        m_host->UpdateWindow();
        return ReadPixels(m_host->GetCacheTarget());
    }
    void Drive(const std::string& arguments)
    {
        StartXdotool(arguments);
        ASSERT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
        Pump();
    }

    const ComApartment m_com{ComApartment::Kind::Ole};
    ProbeModule m_probe;
    std::unique_ptr<SHostWnd> m_host;
};

}  // namespace

// Made by class id or by ProgID, the probe (misc status 0) is initialised, given
// its site and activated windowless, then placed at the element's rectangle; the
// teardown undoes each step in the order controls expect, locks included.
TEST_F(SActiveXHostTest, TheProbeIsActivatedWindowlessAndTornDownInOrder)
{
    for (const wchar_t* clsid : {probe::kProbeClsidText, probe::kProbeProgId}) {
        SCOPED_TRACE(clsid);
        const LONG before = static_cast<LONG>(m_probe.Log().size());
        auto* const ax =
            Load<SActiveX>(std::wstring(L"<activex name='ax' pos='20,30,@120,@60' clsID='") + clsid + L"'/>");
        ASSERT_NE(nullptr, ax);
        EXPECT_TRUE(::IsEqualCLSID(probe::kProbeClsid, ax->GetClsid()));
        ASSERT_NE(nullptr, ax->GetControl());
        EXPECT_TRUE(ax->GetSite().IsInPlaceActive());
        EXPECT_TRUE(ax->GetSite().IsWindowless());
        EXPECT_EQ(1, ax->GetSite().GetViewLevel());   // the probe has IViewObject alone
        EXPECT_EQ(1, m_probe.Objects());
        EXPECT_EQ(1, m_probe.Locks());
        Lines log = m_probe.Log();
        log.erase(log.begin(), log.begin() + before);
        const Lines made = {L"GetMiscStatus", L"InitNew", L"SetClientSite(site)", L"Advise", L"SetAdvise(site)",
                            L"DoVerb(-5)", L"OnInPlaceActivateEx=0x0"};
        ASSERT_GE(log.size(), made.size());
        EXPECT_EQ(made, Lines(log.begin(), log.begin() + made.size()));
        EXPECT_TRUE(m_probe.Logged(L"SetObjectRects(20,30,140,90)"));
        // 120 x 60 pixels at 96 dots an inch, in HIMETRIC.
        EXPECT_TRUE(m_probe.Logged(L"SetExtent(3175,1588)"));

        const size_t beforeTeardown = m_probe.Log(kBetweenCalls).size();
        Teardown();
        Lines torn = m_probe.Log(kBetweenCalls);
        torn.erase(torn.begin(), torn.begin() + beforeTeardown);
        const Lines undone = {L"SetAdvise(null)", L"InPlaceDeactivate", L"Unadvise(1)", L"SetClientSite(null)",
                              L"Close(1)"};
        EXPECT_EQ(undone, torn);
        EXPECT_EQ(0, m_probe.Objects());
        EXPECT_EQ(0, m_probe.References());
        EXPECT_EQ(0, m_probe.Locks());
    }
}

// The running lock that in-place activation takes is undone when the control
// deactivates itself, not only at the teardown; the teardown then unlocks no more.
TEST_F(SActiveXHostTest, AnInPlaceDeactivationUndoesTheRunningLock)
{
    auto* const ax = Load<SActiveX>(L"<activex name='ax' pos='20,30,@120,@60' clsID='Tivala.Probe'/>");
    ASSERT_NE(nullptr, ax);
    ASSERT_EQ(1, m_probe.Locks());
    TComPtr<IOleInPlaceObject> inPlace;
    ASSERT_EQ(S_OK, ax->GetControl()->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(inPlace.Put())));
    ASSERT_EQ(S_OK, inPlace->InPlaceDeactivate());
    EXPECT_EQ(0, m_probe.Locks());
    EXPECT_FALSE(ax->GetSite().IsWindowless());
    inPlace.Reset();
    Teardown();
    EXPECT_EQ(0, m_probe.Locks());
    EXPECT_EQ(0, m_probe.Objects());
}

// The view object draws into the element's rectangle on a translucent host: the
// drawing keeps the alpha below it. A real click reaches the control at the
// host's coordinates, its answer comes back, and the element takes the focus.
TEST_F(SActiveXHostTest, TheProbeDrawsOnATranslucentHostAndTakesRealClicks)
{
    auto* const ax = Load<SActiveX>(L"<activex name='ax' pos='20,30,@120,@60' clsID='Tivala.Probe'/>"
                                    L"<text name='other' pos='20,100,@60,@20' focusable='1'/>",
                                    true);
    ASSERT_NE(nullptr, ax);
    const Pixels pixels = PaintHost();
    KeepPng(m_host->GetCacheTarget(), L"TIVALA_PAINT_PNG", L"activex_probe_translucent");
    EXPECT_TRUE(m_probe.Logged(L"Draw(20,30,140,90)"));
    const std::uint32_t background = PixelAt(pixels, 200, 5, 5);
    EXPECT_EQ(0x80u, background >> 24);
    for (const POINT inside : {POINT{20, 30}, POINT{80, 60}, POINT{139, 89}}) {
        const std::uint32_t pixel = PixelAt(pixels, 200, inside.x, inside.y);
        EXPECT_EQ(0x80u, pixel >> 24) << inside.x << "," << inside.y;   // the alpha below
        // The fill premultiplied by that alpha: 0x20, 0x80, 0xE0 at half.
        EXPECT_NEAR(0x10, static_cast<int>((pixel >> 16) & 0xFF), 1);
        EXPECT_NEAR(0x40, static_cast<int>((pixel >> 8) & 0xFF), 1);
        EXPECT_NEAR(0x70, static_cast<int>(pixel & 0xFF), 1);
    }
    for (const POINT outside : {POINT{19, 60}, POINT{140, 60}, POINT{80, 29}, POINT{80, 90}})
        EXPECT_EQ(background, PixelAt(pixels, 200, outside.x, outside.y)) << outside.x << "," << outside.y;

    m_host->FindChildByName(L"other")->SetFocus();
    ASSERT_FALSE(ax->IsFocused());
    Drive("mousemove " + Xy(OnScreen(m_host->GetHwnd(), POINT{80, 60})) + " sleep 0.3 click 1 sleep 0.3");
    EXPECT_TRUE(m_probe.Logged(L"OnWindowMessage(0x201,80,60)"));
    EXPECT_TRUE(m_probe.Logged(L"OnWindowMessage(0x202,80,60)"));
    EXPECT_TRUE(ax->IsFocused());
    // The control's answer is the element's.
    EXPECT_EQ(WM_KEYDOWN, ax->SendSwndMessage(WM_KEYDOWN, 'A', 0));
}

// With "delay" the control waits until the element is first shown.
TEST_F(SActiveXHostTest, ADelayedProbeIsMadeWhenFirstShown)
{
    auto* const ax =
        Load<SActiveX>(L"<activex name='ax' pos='20,30,@120,@60' clsID='Tivala.Probe' delay='1' visible='0'/>");
    ASSERT_NE(nullptr, ax);
    EXPECT_TRUE(ax->IsDelayed());
    EXPECT_EQ(nullptr, ax->GetControl());
    EXPECT_EQ(0, m_probe.Objects());
    EXPECT_EQ(0u, m_probe.Log().size());

    ax->SetVisible(TRUE, TRUE);
    EXPECT_FALSE(ax->IsDelayed());
    ASSERT_NE(nullptr, ax->GetControl());
    EXPECT_EQ(1, m_probe.Objects());
    EXPECT_TRUE(m_probe.Logged(L"DoVerb(-5)"));
    EXPECT_TRUE(m_probe.Logged(L"SetObjectRects(20,30,140,90)"));
    EXPECT_TRUE(ax->GetSite().IsInPlaceActive());
    Teardown();
    EXPECT_EQ(0, m_probe.Objects());
}

// A control without IPersistStreamInit cannot be initialised: it is not
// activated, and the site it took first is taken back at once.
TEST_F(SActiveXHostTest, AProbeWithoutPersistenceIsNotActivated)
{
    auto* const ax = Load<SActiveX>(L"<activex name='ax' pos='20,30,@120,@60' clsID='Tivala.ProbeNoPersist'/>");
    ASSERT_NE(nullptr, ax);
    ASSERT_NE(nullptr, ax->GetControl());
    EXPECT_FALSE(ax->GetSite().IsInPlaceActive());
    EXPECT_EQ((Lines{L"GetMiscStatus", L"SetClientSite(site)", L"SetClientSite(null)"}), m_probe.Log(kBetweenCalls));
    EXPECT_EQ(0, m_probe.Locks());
    // Not active, it draws nothing and answers no message.
    PaintHost();
    EXPECT_FALSE(m_probe.Logged(L"Draw(20,30,140,90)"));
    EXPECT_EQ(0, ax->SendSwndMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(80, 60)));
    Teardown();
    EXPECT_EQ((Lines{L"GetMiscStatus", L"SetClientSite(site)", L"SetClientSite(null)", L"Close(1)"}),
              m_probe.Log(kBetweenCalls));
    EXPECT_EQ(0, m_probe.Objects());
    EXPECT_EQ(0, m_probe.References());
}

// A control that keeps its site after the teardown reaches a live site that has
// no host any more; a query the site refuses takes no reference.
TEST_F(SActiveXHostTest, ASiteHeldPastTheTeardownStaysAlive)
{
    m_probe.KeepSite();
    ASSERT_NE(nullptr, Load<SActiveX>(L"<activex name='ax' pos='20,30,@120,@60' clsID='Tivala.Probe'/>"));
    Teardown();
    EXPECT_EQ(0, m_probe.Objects());
    IOleClientSite* const site = m_probe.KeptSite();
    ASSERT_NE(nullptr, site);

    const ULONG held = site->AddRef() - 1;
    site->Release();
    IUnknown* refused = nullptr;
    EXPECT_EQ(E_NOINTERFACE, site->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&refused)));
    EXPECT_EQ(nullptr, refused);
    EXPECT_EQ(held + 1, site->AddRef());
    site->Release();

    TComPtr<IOleInPlaceSiteWindowless> inPlace;
    ASSERT_EQ(S_OK, site->QueryInterface(IID_IOleInPlaceSiteWindowless, reinterpret_cast<void**>(inPlace.Put())));
    EXPECT_EQ(held + 2, site->AddRef());   // the one query that succeeded, and this
    site->Release();
    HWND window = reinterpret_cast<HWND>(1);
    EXPECT_EQ(E_FAIL, inPlace->GetWindow(&window));
    EXPECT_EQ(nullptr, window);
    EXPECT_EQ(E_FAIL, site->ShowObject());
    EXPECT_EQ(S_OK, inPlace->InvalidateRect(nullptr, FALSE));
    inPlace.Reset();
    m_probe.DropSite();   // the last reference: the site goes now
}

// "clsID" in braces is parsed, other text is a ProgID looked up in the registry
// of at most 99 characters; "clscText" takes hexadecimal.
TEST_F(SActiveXHostTest, ClassIdsAreReadFromBracesOrProgIds)
{
    const std::wstring longest = L"Tivala.Probe." + std::wstring(99 - 13, L'x');
    const std::wstring key = L"Software\\Classes\\" + longest + L"\\CLSID";
    HKEY created = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                               &created, nullptr));
    const UniqueRegKey progId(created);
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExW(progId.Get(), nullptr, 0, REG_SZ,
                                              reinterpret_cast<const BYTE*>(probe::kProbeClsidText),
                                              sizeof(probe::kProbeClsidText)));

    const CLSID none = {};
    const struct {
        std::wstring text;
        CLSID expected;
    } cases[] = {
        {probe::kProbeClsidText, probe::kProbeClsid},
        {L"{981b2878-84ab-42be-88d6-0146e24bf781}", probe::kNoPersistClsid},
        {probe::kProbeProgId, probe::kProbeClsid},
        {L"tivala.probenopersist", probe::kNoPersistClsid},   // ProgIDs ignore case
        {longest, probe::kProbeClsid},
        {longest + L"y", none},                               // not cut to the name above
        {L"Tivala.NoSuchControl", none},
        {L"{091601C8-47EE}", none},
        {L"", none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.c_str());
        const auto ax = SAutoRef<SActiveX>::Adopt(new SActiveX);
        (void)ax->ApplyAttribute(L"clsid", c.text.c_str(), TRUE);
        EXPECT_TRUE(::IsEqualCLSID(c.expected, ax->GetClsid()));
    }
    (void)::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\" + longest).c_str());

    const auto ax = SAutoRef<SActiveX>::Adopt(new SActiveX);
    EXPECT_EQ(23u, ax->GetClsCtx());
    EXPECT_EQ(S_FALSE, ax->ApplyAttribute(L"clscText", L"0x1", TRUE));
    EXPECT_EQ(static_cast<DWORD>(CLSCTX_INPROC_SERVER), ax->GetClsCtx());
}

// Wine's media player is a windowed control that takes its site first: its
// window stands at the element's rectangle, hides and shows with the element and
// goes with the teardown. It has no view object, and the element passes it no
// input. It releases its site once more than it took it (Wine 8's player, as
// measured here): the site keeps the element's reference, says so once, and the
// teardown ends cleanly.
TEST_F(SActiveXHostTest, TheMediaPlayerWindowFollowsTheElement)
{
    const ScopedLogSink log;
    auto* const ax = Load<SActiveX>(L"<activex name='ax' pos='20,30,@160,@100' clsID='WMPlayer.OCX'/>");
    ASSERT_NE(nullptr, ax);
    ASSERT_NE(nullptr, ax->GetControl());
    TComPtr<IOleObject> player;
    ASSERT_EQ(S_OK, ax->GetControl()->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(player.Put())));
    DWORD misc = 0;
    ASSERT_EQ(S_OK, player->GetMiscStatus(DVASPECT_CONTENT, &misc));
    EXPECT_TRUE(misc & OLEMISC_SETCLIENTSITEFIRST);
    player.Reset();
    EXPECT_TRUE(ax->GetSite().IsInPlaceActive());
    EXPECT_FALSE(ax->GetSite().IsWindowless());
    EXPECT_FALSE(ax->GetSite().HasViewObject());
    EXPECT_EQ(0, ax->SendSwndMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(80, 60)));

    const HWND host = m_host->GetHwnd();
    const HWND window = ::GetWindow(host, GW_CHILD);
    ASSERT_NE(nullptr, window);
    RECT placed = {};
    ASSERT_TRUE(::GetWindowRect(window, &placed));
    ::MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(20, placed.left);
    EXPECT_EQ(30, placed.top);
    EXPECT_EQ(180, placed.right);
    EXPECT_EQ(130, placed.bottom);
    EXPECT_TRUE(::IsWindowVisible(window));

    ax->SetVisible(FALSE, TRUE);
    EXPECT_FALSE(::IsWindowVisible(window));
    ax->SetVisible(TRUE, TRUE);
    EXPECT_TRUE(::IsWindowVisible(window));

    Teardown();
    EXPECT_FALSE(::IsWindow(window));
    ASSERT_EQ(1u, log.Lines().size());
    EXPECT_NE(std::string::npos, log.Lines()[0].text.find("released its site once more")) << log.Lines()[0].text;
}

// The probe and the media player side by side in an opaque host, as the screen
// shows them: the probe's fill exactly, the player's window in its place.
TEST_F(SActiveXHostTest, TheProbeAndThePlayerShowTogether)
{
    auto* const ax = Load<SActiveX>(L"<activex name='ax' pos='10,10,@80,@50' clsID='Tivala.Probe'/>"
                                    L"<activex name='player' pos='100,10,@90,@120' clsID='WMPlayer.OCX'/>"
                                    L"<text pos='10,70' colorText='#FFFFFF'>ActiveX</text>");
    ASSERT_NE(nullptr, ax);
    const Pixels pixels = PaintHost();
    EXPECT_EQ(0xFF000000u | 0x2080E0u, PixelAt(pixels, 200, 50, 35));
    EXPECT_TRUE(::IsWindowVisible(::GetWindow(m_host->GetHwnd(), GW_CHILD)));
    KeepScreen(L"TIVALA_PAINT_PNG", L"activex_screen");
}

// Where the Flash control is not installed the element stays empty: the layout
// loads, one line says why, messages answer 0 and the teardown is clean.
TEST_F(SActiveXHostTest, FlashWithoutTheControlLeavesTheElementEmpty)
{
    const ScopedLogSink log;
    auto* const flash = Load<SFlashCtrl>(L"<flash name='ax' pos='20,30,@120,@60' url='movie.swf'/>");
    ASSERT_NE(nullptr, flash);
    EXPECT_EQ(L"movie.swf", std::wstring(flash->GetUrl().c_str()));
    EXPECT_EQ(nullptr, flash->GetControl());
    EXPECT_EQ(nullptr, flash->GetFlash());
    ASSERT_EQ(1u, log.Lines().size());
    EXPECT_NE(std::string::npos, log.Lines()[0].text.find("{D27CDB6E-AE6D-11CF-96B8-444553540000}"))
        << log.Lines()[0].text;

    const Pixels pixels = PaintHost();
    EXPECT_EQ(PixelAt(pixels, 200, 5, 5), PixelAt(pixels, 200, 80, 60));
    Drive("mousemove " + Xy(OnScreen(m_host->GetHwnd(), POINT{80, 60})) + " sleep 0.3 click 1 sleep 0.3");
    EXPECT_EQ(0, flash->SendSwndMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(80, 60)));
    EXPECT_EQ(0, flash->SendSwndMessage(WM_KEYDOWN, 'A', 0));
    Teardown();
    EXPECT_EQ(1u, log.Lines().size());
}
