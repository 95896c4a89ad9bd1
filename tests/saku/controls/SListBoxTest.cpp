// The list box on a windowless host: entries from the layout and from calls, the
// selection moved by inserts and deletes, by the arrow keys and by the mouse, with
// and without hot tracking, vetoed by its "changing" event; scrolling an entry into
// view, the character forwarded to the owner, heights it refuses, and how entries
// paint.

#include "PanelTest.h"

#include "controls/SListBox.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// The selection events a list box raised, as "changing new<-old" and
// "changed new<-old"; a changing event is vetoed while `veto` is set.
struct SelectionEvents {
    std::vector<std::wstring> log;
    std::vector<int> doubleClicks;
    bool veto = false;

    void Watch(SWindow* list)
    {
        list->GetEventSet()->SubscribeEvent(EventLBSelChanging::EventID, Subscriber(&SelectionEvents::OnChanging, this));
        list->GetEventSet()->SubscribeEvent(EventLBSelChanged::EventID, Subscriber(&SelectionEvents::OnChanged, this));
        list->GetEventSet()->SubscribeEvent(EventLBDbClick::EventID, Subscriber(&SelectionEvents::OnDbClick, this));
    }
    BOOL OnChanging(EventLBSelChanging* event)
    {
        log.push_back(L"changing " + std::to_wstring(event->newSel) + L"<-" + std::to_wstring(event->oldSel));
        event->cancel = veto;
        return TRUE;
    }
    BOOL OnChanged(EventLBSelChanged* event)
    {
        log.push_back(L"changed " + std::to_wstring(event->newSel) + L"<-" + std::to_wstring(event->oldSel));
        return TRUE;
    }
    BOOL OnDbClick(EventLBDbClick* event)
    {
        doubleClicks.push_back(event->index);
        return TRUE;
    }
    std::vector<std::wstring> Take() { return std::exchange(log, {}); }
};

using Log = std::vector<std::wstring>;

class SListBoxTest : public PanelTest {
protected:
    // A list box at (0, 0, 100, 100) with entries of 20 px and the 8-pixel bar;
    // `count` entries "e0", "e1", ... and the extra attributes.
    SListBox* List(int count, const wchar_t* extra = L"")
    {
        std::wstring xml = std::wstring(L"<x><listbox name='list' pos='0,0,@100,@100' margin='0' sbSkin='bar' "
                                        L"itemHeight='20' ") + extra + L"><items>";
        for (int i = 0; i < count; ++i)
            xml += L"<item text='e" + std::to_wstring(i) + L"' data='" + std::to_wstring(100 + i) + L"'/>";
        xml += L"</items></listbox></x>";
        Build(xml.c_str());
        SListBox* const list = Find<SListBox>(L"list");
        if (list)
            m_events.Watch(list);
        return list;
    }
    void Key(SListBox* list, UINT key) { list->SendSwndMessage(WM_KEYDOWN, key, 1); }

    SelectionEvents m_events;
};

}  // namespace

TEST_F(SListBoxTest, ReadsItsEntriesAndSelectionFromTheLayout)
{
    Build(L"<x><listbox name='list' pos='0,0,@100,@100' margin='0' curSel='1'><items>"
          L"<item text='one' icon='2' data='0x10'/><item text='two'/><item/>"
          L"</items><window name='ignored'/></listbox></x>");
    auto* const list = Find<SListBox>(L"list");
    ASSERT_NE(nullptr, list);
    EXPECT_TRUE(list->IsClass(L"listbox"));
    EXPECT_TRUE(list->IsClass(L"scrollview"));
    EXPECT_EQ(3, list->GetCount());
    EXPECT_EQ(1, list->GetCurSel());
    EXPECT_EQ(L"one", std::wstring(list->GetText(0).c_str()));
    EXPECT_EQ(0x10u, list->GetItemData(0));
    EXPECT_EQ(0u, list->GetItemData(1));
    EXPECT_EQ(L"", std::wstring(list->GetText(2).c_str()));
    EXPECT_EQ(L"", std::wstring(list->GetText(3).c_str()));
    EXPECT_EQ(0u, list->GetItemData(7));
    EXPECT_FALSE(list->SetItemData(3, 1));
    EXPECT_EQ(0u, list->GetChildrenCount());   // ordinary children are not built
    EXPECT_EQ(20, list->GetItemHeight());      // 20dp at scale 100
    EXPECT_EQ(3 * 20, list->GetViewSize().cy);
}

TEST_F(SListBoxTest, InsertsAndDeletesMoveTheSelectionAndHover)
{
    SListBox* const list = List(6);
    ASSERT_NE(nullptr, list);
    ASSERT_TRUE(list->SetCurSel(3));
    EXPECT_EQ(0, list->InsertString(0, L"new"));
    EXPECT_EQ(4, list->GetCurSel());
    EXPECT_EQ(7, list->AddString(L"last"));
    EXPECT_EQ(8, list->InsertString(50, L"past the end"));
    EXPECT_EQ(4, list->GetCurSel());
    EXPECT_TRUE(list->DeleteString(4));
    EXPECT_EQ(-1, list->GetCurSel());

    ASSERT_TRUE(list->SetCurSel(5));
    EXPECT_TRUE(list->DeleteString(1));
    EXPECT_EQ(4, list->GetCurSel());
    EXPECT_FALSE(list->DeleteString(-1));
    EXPECT_FALSE(list->DeleteString(list->GetCount()));

    // An index below -1 inserts nothing.
    const int count = list->GetCount();
    EXPECT_EQ(-1, list->InsertString(-2, L"refused"));
    EXPECT_EQ(count, list->GetCount());
    EXPECT_EQ(4, list->GetCurSel());

    // The hovered entry moves with the rows as the selection does.
    MoveTo(50, 2 * 20 + 5);
    ASSERT_EQ(2, list->GetHoverIndex());
    list->InsertString(0, L"above");
    EXPECT_EQ(3, list->GetHoverIndex());
    list->DeleteString(3);
    EXPECT_EQ(-1, list->GetHoverIndex());
    EXPECT_TRUE(m_events.Take().empty());   // calls raise no events

    list->DeleteAll();
    EXPECT_EQ(0, list->GetCount());
    EXPECT_EQ(-1, list->GetCurSel());
    EXPECT_EQ(0, list->GetViewSize().cy);
}

TEST_F(SListBoxTest, SetCurSelRefusesEntriesPastTheEndAndRaisesNothing)
{
    SListBox* const list = List(4);
    ASSERT_NE(nullptr, list);
    EXPECT_TRUE(list->SetCurSel(2));
    EXPECT_FALSE(list->SetCurSel(2));   // unchanged
    EXPECT_FALSE(list->SetCurSel(4));
    EXPECT_EQ(2, list->GetCurSel());
    EXPECT_TRUE(list->SetCurSel(-5));
    EXPECT_EQ(-1, list->GetCurSel());
    EXPECT_TRUE(m_events.Take().empty());
}

TEST_F(SListBoxTest, ArrowKeysStepTheSelectionWithinTheEntries)
{
    const struct {
        const wchar_t* name;
        int from;
        UINT key;
        int expected;
        Log events;
    } cases[] = {
        {L"down from none", -1, VK_DOWN, 0, {L"changing 0<--1", L"changed 0<--1"}},
        {L"up from none", -1, VK_UP, -1, {}},
        {L"down on the last", 4, VK_DOWN, 4, {}},
        {L"up on the first", 0, VK_UP, 0, {}},
        {L"down", 1, VK_DOWN, 2, {L"changing 2<-1", L"changed 2<-1"}},
        {L"up", 3, VK_UP, 2, {L"changing 2<-3", L"changed 2<-3"}},
        {L"another key", 1, VK_RIGHT, 1, {}},
    };
    SListBox* const list = List(5);
    ASSERT_NE(nullptr, list);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list->SetCurSel(c.from);
        m_events.Take();
        Key(list, c.key);
        EXPECT_EQ(c.expected, list->GetCurSel());
        EXPECT_EQ(c.events, m_events.Take());
    }
}

TEST_F(SListBoxTest, AVetoedChangeKeepsTheSelection)
{
    SListBox* const list = List(5);
    ASSERT_NE(nullptr, list);
    list->SetCurSel(1);
    m_events.veto = true;
    Key(list, VK_DOWN);
    Press(50, 3 * 20 + 5);
    Release(50, 3 * 20 + 5);
    EXPECT_EQ(1, list->GetCurSel());
    EXPECT_EQ((Log{L"changing 2<-1", L"changing 3<-1"}), m_events.Take());
}

TEST_F(SListBoxTest, APressSelectsTheEntryUnderIt)
{
    SListBox* const list = List(3);
    ASSERT_NE(nullptr, list);
    Press(50, 20 + 5);
    EXPECT_EQ(1, list->GetCurSel());   // at the press already
    Release(50, 20 + 5);
    EXPECT_EQ((Log{L"changing 1<--1", L"changed 1<--1"}), m_events.Take());
    EXPECT_TRUE(list->IsFocused());

    // Below the entries: no entry, the selection goes.
    Press(50, 80);
    Release(50, 80);
    EXPECT_EQ(-1, list->GetCurSel());
    EXPECT_EQ((Log{L"changing -1<-1", L"changed -1<-1"}), m_events.Take());

    // A double click selects and reports the entry.
    m_host->Mouse(WM_LBUTTONDBLCLK, 50, 2 * 20 + 5, MK_LBUTTON);
    Release(50, 2 * 20 + 5);
    EXPECT_EQ(2, list->GetCurSel());
    EXPECT_EQ(std::vector<int>{2}, m_events.doubleClicks);
}

TEST_F(SListBoxTest, HotTrackingFollowsTheMouseAndSelectsOnRelease)
{
    SListBox* const list = List(5, L"hotTrack='1'");
    ASSERT_NE(nullptr, list);
    list->SetCurSel(0);
    MoveTo(50, 2 * 20 + 5);
    EXPECT_EQ(2, list->GetHoverIndex());

    // The arrow steps from the hovered entry, not from the selection, and the
    // hover goes.
    Key(list, VK_DOWN);
    EXPECT_EQ(3, list->GetCurSel());
    EXPECT_EQ(-1, list->GetHoverIndex());
    EXPECT_EQ((Log{L"changing 3<-0", L"changed 3<-0"}), m_events.Take());

    // A press selects nothing; the release does.
    Press(50, 4 * 20 + 5);
    EXPECT_EQ(3, list->GetCurSel());
    EXPECT_TRUE(m_events.Take().empty());
    Release(50, 4 * 20 + 5);
    EXPECT_EQ(4, list->GetCurSel());
    EXPECT_EQ((Log{L"changing 4<-3", L"changed 4<-3"}), m_events.Take());

    // Hidden or left, nothing is hovered.
    m_host->Mouse(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(-1, list->GetHoverIndex());
    MoveTo(50, 5);
    ASSERT_EQ(0, list->GetHoverIndex());
    list->SetVisible(FALSE, TRUE);
    EXPECT_EQ(-1, list->GetHoverIndex());
}

TEST_F(SListBoxTest, EnsureVisibleScrollsByWholeEntries)
{
    SListBox* const list = List(20);   // 400 px of entries in a client of 100
    ASSERT_NE(nullptr, list);
    ASSERT_EQ(100, list->GetClientRect().bottom - list->GetClientRect().top);
    list->EnsureVisible(6);            // two entries below the five shown
    EXPECT_EQ(40, list->GetViewOrigin().y);
    EXPECT_EQ(2, list->GetTopIndex());
    list->EnsureVisible(4);            // shown: nothing moves
    EXPECT_EQ(40, list->GetViewOrigin().y);
    list->EnsureVisible(0);
    EXPECT_EQ(0, list->GetViewOrigin().y);
    list->EnsureVisible(20);           // no such entry
    EXPECT_EQ(0, list->GetViewOrigin().y);
    EXPECT_TRUE(list->SetTopIndex(19));
    EXPECT_EQ(300, list->GetViewOrigin().y);   // as far as the bar goes
    EXPECT_FALSE(list->SetTopIndex(20));

    // The arrow keys keep the new selection in view.
    list->SetTopIndex(0);
    list->SetCurSel(4);
    Key(list, VK_DOWN);
    EXPECT_EQ(20, list->GetViewOrigin().y);

    // The hit test counts from the view's origin.
    POINT point = {30, 15};
    EXPECT_EQ(1, list->HitTest(point));
    EXPECT_EQ(30, point.x);
    EXPECT_EQ(15, point.y);
    POINT outside = {150, 15};
    EXPECT_EQ(-1, list->HitTest(outside));
}

TEST_F(SListBoxTest, ForwardsCharactersToItsOwnerWithTheKeyDataHalvesSwapped)
{
    SListBox* const list = List(3);
    ASSERT_NE(nullptr, list);
    STestWnd* const owner = Add(L"owner", RECT{150, 150, 160, 160});
    list->SendSwndMessage(WM_CHAR, L'a', 0x001E0001);   // without an owner: nowhere
    EXPECT_EQ(-1, owner->LastLParam(WM_CHAR));
    list->SetOwner(owner);
    list->SendSwndMessage(WM_CHAR, L'a', 0x001E0001);
    EXPECT_EQ(0x0001001E, owner->LastLParam(WM_CHAR));
    EXPECT_EQ(kDlgCodeWantArrows | kDlgCodeWantChars, list->OnGetDlgCode());
}

TEST_F(SListBoxTest, RefusesEntryHeightsOfNoPixels)
{
    SListBox* const list = List(5);
    ASSERT_NE(nullptr, list);
    for (const wchar_t* height : {L"0", L"-4", L"0.2dp", L"abc"}) {
        SCOPED_TRACE(height);
        EXPECT_TRUE(FAILED(list->ApplyAttribute(L"itemHeight", height, FALSE)));
        EXPECT_EQ(20, list->GetItemHeight());
    }
    EXPECT_FALSE(list->SetItemHeight(0, 0));
    EXPECT_FALSE(list->SetItemHeight(0, -3));
    EXPECT_FALSE(list->SetItemHeight(5, 10));   // no such entry
    EXPECT_EQ(20, list->GetItemHeight());
    EXPECT_TRUE(list->SetItemHeight(0, 10));
    EXPECT_EQ(10, list->GetItemHeight());
    EXPECT_EQ(50, list->GetViewSize().cy);
    EXPECT_EQ(S_FALSE, list->ApplyAttribute(L"itemHeight", L"30", FALSE));
    EXPECT_EQ(150, list->GetViewSize().cy);

    // A list box without the attribute still has its 20dp.
    Build(L"<x><listbox name='bare' pos='0,0,@50,@50'/></x>");
    EXPECT_EQ(20, Find<SListBox>(L"bare")->GetItemHeight());
}

TEST_F(SListBoxTest, PaintsEntriesByStateWithIconsAndText)
{
    AddSkins(L"<skin><imglist name='icons' src='png:states16' states='3'/></skin>");
    SListBox* const list = List(6, L"colorItemBkgnd='#E0E0E0' colorItemBkgnd2='#C0C0C0' colorItemSelBkgnd='#0000FF' "
                                   L"colorItemHotBkgnd='#00FF00' hotTrack='1' iconSkin='icons' colorText='#000000' "
                                   L"colorSelText='#FFFFFF'");
    ASSERT_NE(nullptr, list);
    list->InsertString(0, L"icon", 1);
    list->SetCurSel(2);
    MoveTo(50, 3 * 20 + 5);
    Paint();
    Keep(L"list_box");
    EXPECT_EQ(0xFFE0E0E0u, Pixel(90, 5 + 0 * 20));    // even entry
    EXPECT_EQ(0xFFC0C0C0u, Pixel(90, 5 + 1 * 20));    // odd entry
    EXPECT_EQ(0xFF0000FFu, Pixel(90, 5 + 2 * 20));    // selected
    EXPECT_TRUE(Near(Pixel(90, 5 + 3 * 20), 0xFF00FF00u));   // hot, with hot tracking
    // The icon, state 1, at h / 6 from the left, centred: (3, 2)..(19, 18).
    EXPECT_EQ(kHoverLime, Pixel(3, 2));
    EXPECT_EQ(kHoverLime, Pixel(18, 17));
    EXPECT_EQ(0xFFE0E0E0u, Pixel(2, 2));
}
