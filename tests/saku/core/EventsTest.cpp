// The event-argument records: what they take from their sender, and the ids and
// XML names of every event class of the library.

#include "core/Events.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;

namespace {

class STestSender : public SObjectImpl<IObject> {
public:
    int GetID() const override { return 7; }
    LPCWSTR GetName() const override { return L"btn_install"; }
};

// What an event of class T says about itself.
struct EventFacts {
    int id;
    std::wstring name;
    std::wstring objectClass;
    int objectType;
    bool isItsName;
    bool isEventArgs;
    bool castsToItself;
};

template <typename T>
EventFacts FactsOf()
{
    STestSender sender;
    T event(&sender);
    IObject* const object = &event;
    return {event.GetID(), event.GetName(), event.GetObjectClass(), event.GetObjectType(),
            event.IsClass(T::EventName()) != FALSE, event.IsClass(L"eventargs") != FALSE,
            SObjCast<T>(object) == &event};
}

}  // namespace

TEST(EventArgs, TakesTheSendersIdAndNameAndBubblesByDefault)
{
    STestSender sender;
    EventCmd command(&sender);
    EXPECT_EQ(7, command.idFrom);
    EXPECT_TRUE(command.nameFrom == L"btn_install");
    EXPECT_EQ(&sender, command.sender);
    EXPECT_TRUE(command.bubbleUp);
    EXPECT_EQ(0, command.handled);

    EventCmd orphan(nullptr);
    EXPECT_EQ(0, orphan.idFrom);
    EXPECT_TRUE(orphan.nameFrom.IsEmpty());
}

TEST(EventArgs, CastsFollowTheEventName)
{
    EventCmd command(nullptr);
    IObject* const object = &command;
    EXPECT_EQ(&command, SObjCast<EventCmd>(object));
    EXPECT_EQ(static_cast<EventArgs*>(&command), SObjCast<EventArgs>(object));
    EXPECT_EQ(nullptr, SObjCast<EventCtxMenu>(object));
    EXPECT_FALSE(command.IsClass(L"EventCmd"));   // the class test knows the XML name, not the C++ name
    EXPECT_FALSE(command.IsClass(L"ON_COMMAND"));
}

TEST(EventArgs, AreReferenceCountedFromOne)
{
    auto* const event = new EventSwndSize(nullptr);
    EXPECT_EQ(2, event->AddRef());
    EXPECT_EQ(1, event->Release());
    EXPECT_EQ(0, event->Release());
}

TEST(EventClasses, CarryTheirIdsAndXmlNames)
{
    const struct {
        EventFacts facts;
        int id;
        const wchar_t* name;
    } cases[] = {
        {FactsOf<EventInit>(),                    8000,  L"on_init"},
        {FactsOf<EventExit>(),                    8001,  L"on_exit"},
        {FactsOf<EventTimer>(),                   8002,  L"on_timer"},
        {FactsOf<EventSetFocus>(),                8100,  L"on_set_focus"},
        {FactsOf<EventKillFocus>(),               8101,  L"on_kill_focus"},
        {FactsOf<EventSwndCreate>(),              8102,  L"on_create"},
        {FactsOf<EventSwndDestroy>(),             8103,  L"on_destroy"},
        {FactsOf<EventSwndSize>(),                8104,  L"on_size"},
        {FactsOf<EventSwndVisibleChanged>(),      8105,  L"on_visible_changed"},
        {FactsOf<EventSwndStateChanged>(),        8106,  L"on_state_changed"},
        {FactsOf<EventLButtonDown>(),             8107,  L"on_mouse_lbutton_down"},
        {FactsOf<EventLButtonUp>(),               8108,  L"on_mouse_lbutton_up"},
        {FactsOf<EventSwndMouseHover>(),          9000,  L"on_mouse_hover"},
        {FactsOf<EventSwndMouseLeave>(),          9001,  L"on_mouse_leave"},
        {FactsOf<EventCmd>(),                     10000, L"on_command"},
        {FactsOf<EventCtxMenu>(),                 10001, L"on_conext_menu"},
        {FactsOf<EventScrollViewOriginChanged>(), 10002, L"on_scrollview_origin_changed"},
        {FactsOf<EventScrollViewSizeChanged>(),   10003, L"on_scrollview_size_changed"},
        {FactsOf<EventScroll>(),                  10004, L"on_scroll"},
        {FactsOf<EventOfPanel>(),                 10006, L"on_event_of_panel"},
        {FactsOf<EventItemPanelClick>(),          10007, L"on_itempanel_click"},
        {FactsOf<EventItemPanelDbclick>(),        10008, L"on_itempanel_dbclick"},
        {FactsOf<EventItemPanelRclick>(),         10009, L"on_itemparem_rclick"},
        {FactsOf<EventItemPanelHover>(),          10010, L"on_itempanel_hover"},
        {FactsOf<EventItemPanelLeave>(),          10011, L"on_itempanel_leave"},
        {FactsOf<EventTabSelChanging>(),          11000, L"on_tab_sel_changing"},
        {FactsOf<EventTabSelChanged>(),           11001, L"on_tab_sel_changed"},
        {FactsOf<EventTabItemHover>(),            11002, L"on_tab_item_hover"},
        {FactsOf<EventTabItemLeave>(),            11003, L"on_tab_item_leave"},
        {FactsOf<EventLBSelChanging>(),           12000, L"on_listbox_sel_changing"},
        {FactsOf<EventLBSelChanged>(),            12001, L"on_listbox_sel_changed"},
        {FactsOf<EventLBDbClick>(),               12002, L"on_listbox_item_dbclick"},
        {FactsOf<EventLCSelChanging>(),           13000, L"on_listctrl_sel_changing"},
        {FactsOf<EventLCSelChanged>(),            13001, L"on_listctrl_sel_changed"},
        {FactsOf<EventLCItemDeleted>(),           13002, L"on_listctrl_del_item"},
        {FactsOf<EventLCDbClick>(),               13003, L"on_listctrl_item_dbclick"},
        {FactsOf<EventTVSelChanging>(),           14000, L"on_treeview_select_changing"},
        {FactsOf<EventTVSelChanged>(),            14001, L"on_treeview_select_changed"},
        {FactsOf<EventTCSelChanging>(),           15000, L"on_treectrl_sel_changing"},
        {FactsOf<EventTCSelChanged>(),            15001, L"on_treectrl_sel_changed"},
        {FactsOf<EventTCExpand>(),                15002, L"on_treectrl_item_expand"},
        {FactsOf<EventTCCheckState>(),            15003, L"on_treectrl_item_check"},
        {FactsOf<EventTCDbClick>(),               15004, L"on_treectrl_item_dbclick"},
        {FactsOf<EventLVSelChanging>(),           15100, L"on_listview_select_changing"},
        {FactsOf<EventLVSelChanged>(),            15101, L"on_listview_select_changed"},
        {FactsOf<EventRENotify>(),                16000, L"on_richedit_notify"},
        {FactsOf<EventREMenu>(),                  16001, L"on_richedit_menu"},
        {FactsOf<EventSliderPos>(),               17000, L"on_slider_pos"},
        {FactsOf<EventHeaderClick>(),             18000, L"on_header_click"},
        {FactsOf<EventHeaderItemChanging>(),      18001, L"on_header_item_changing"},
        {FactsOf<EventHeaderItemChanged>(),       18002, L"on_header_item_changed"},
        {FactsOf<EventHeaderItemSwap>(),          18003, L"on_header_item_swap"},
        {FactsOf<EventCBSelChange>(),             19000, L"on_combobox_sel_change"},
        {FactsOf<EventCBDropdown>(),              19001, L"on_combobox_dropdown"},
        {FactsOf<EventCalendarSelDay>(),          20000, L"on_calendar_sel_day"},
        {FactsOf<EventCalendarSetDate>(),         20001, L"on_calendar_set_date"},
        {FactsOf<EventCalendarExChanged>(),       20002, L"on_calendarex_changed"},
        {FactsOf<EventDateTimeChanged>(),         20003, L"on_datetime_changed"},
        {FactsOf<EventSpinValue2String>(),        21000, L"on_spin_value2string"},
        {FactsOf<EventSplitPaneMoved>(),          22000, L"on_split_pane_moved"},
        {FactsOf<EventAnimateStart>(),            22100, L"on_animate_start"},
        {FactsOf<EventAnimateStop>(),             22101, L"on_animate_stop"},
        {FactsOf<EventSelectMenu>(),              22150, L"on_select_menu"},
        {FactsOf<EventSetHotKey>(),               23000, L"on_hot_key_set_event"},
    };
    EXPECT_EQ(64u, std::size(cases));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.id, c.facts.id);
        EXPECT_EQ(c.name, c.facts.name);
        EXPECT_EQ(c.name, c.facts.objectClass);
        EXPECT_EQ(-1, c.facts.objectType);
        EXPECT_TRUE(c.facts.isItsName);
        EXPECT_TRUE(c.facts.isEventArgs);
        EXPECT_TRUE(c.facts.castsToItself);
    }
}
