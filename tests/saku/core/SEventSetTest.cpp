// Event sets: subscribers called newest first, bubbling, the handled count,
// refused duplicates, muting, and the script-handler texts.

#include "core/Events.h"
#include "core/ISlotFunctor.h"
#include "core/SEventSet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;

namespace {

// A subscriber that writes its name into a shared trace when called.
class Listener {
public:
    Listener(std::string name, std::vector<std::string>& trace) : m_name(std::move(name)), m_trace(trace) {}

    BOOL OnEvent(EventArgs* args)
    {
        m_trace.push_back(m_name);
        if (m_stopBubbling)
            args->bubbleUp = FALSE;
        return m_answer;
    }
    BOOL OnOtherEvent(EventArgs*)
    {
        m_trace.push_back(m_name + "/other");
        return TRUE;
    }
    BOOL OnCommand(EventCmd* command)
    {
        m_trace.push_back(m_name + "/command " + std::to_string(command->GetID()));
        return TRUE;
    }

    BOOL m_answer = TRUE;
    bool m_stopBubbling = false;

private:
    std::string m_name;
    std::vector<std::string>& m_trace;
};

// A second base moves the subscriber's address inside the object, so its member
// functions need a this-adjustment.
struct Padding {
    virtual ~Padding() = default;
    int m_padding = 0;
};
class AdjustedListener : public Padding, public Listener {
public:
    using Listener::Listener;
};

std::vector<std::string>* g_freeTrace = nullptr;

BOOL FreeHandler(EventArgs*)
{
    g_freeTrace->push_back("free");
    return TRUE;
}

BOOL OtherFreeHandler(EventArgs*)
{
    g_freeTrace->push_back("other free");
    return FALSE;
}

SEventSet& WithCommandEvent(SEventSet& events)
{
    events.AddEvent(EventCmd::EventID, EventCmd::EventName());
    return events;
}

}  // namespace

TEST(SEventSet, CallsTheNewestSubscriberFirstAndCountsHandlers)
{
    const struct {
        const char* what;
        BOOL newestAnswers;
        bool newestStops;
        std::vector<std::string> trace;
        int handled;
    } cases[] = {
        {"both handle",                    TRUE,  false, {"B", "A"}, 2},
        {"B handles and stops",            TRUE,  true,  {"B"},      1},
        {"B stops without handling",       FALSE, true,  {"B", "A"}, 1},   // only a TRUE answer stops
        {"B declines",                     FALSE, false, {"B", "A"}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> trace;
        Listener a("A", trace);
        Listener b("B", trace);
        b.m_answer = c.newestAnswers;
        b.m_stopBubbling = c.newestStops;
        SEventSet events;
        WithCommandEvent(events);
        ASSERT_TRUE(events.SubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnEvent, &a)));
        ASSERT_TRUE(events.SubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnEvent, &b)));

        EventCmd command(nullptr);
        events.RaiseEvent(&command);
        EXPECT_EQ(c.trace, trace);
        EXPECT_EQ(c.handled, command.handled);
    }
}

TEST(SEventSet, RefusesASubscriptionEqualToOneItHolds)
{
    std::vector<std::string> trace;
    AdjustedListener first("first", trace);
    AdjustedListener second("second", trace);
    SEventSet events;
    WithCommandEvent(events);
    using Handler = BOOL (AdjustedListener::*)(EventArgs*);
    const Handler onEvent = &Listener::OnEvent;   // carries the adjustment to the Listener base
    const Handler onOtherEvent = &Listener::OnOtherEvent;

    EXPECT_TRUE(events.SubscribeEvent(EventCmd::EventID, Subscriber(onEvent, &first)));
    EXPECT_FALSE(events.SubscribeEvent(EventCmd::EventID, Subscriber(onEvent, &first)));
    EXPECT_TRUE(events.SubscribeEvent(EventCmd::EventID, Subscriber(onEvent, &second)));
    EXPECT_TRUE(events.SubscribeEvent(EventCmd::EventID, Subscriber(onOtherEvent, &first)));
    EXPECT_EQ(3, events.FindEvent(EventCmd::EventID)->GetSubscriberCount());

    g_freeTrace = &trace;
    EXPECT_TRUE(events.SubscribeEvent(EventCmd::EventID, Subscriber(&FreeHandler)));
    EXPECT_FALSE(events.SubscribeEvent(EventCmd::EventID, Subscriber(&FreeHandler)));
    EXPECT_TRUE(events.SubscribeEvent(EventCmd::EventID, Subscriber(&OtherFreeHandler)));
    EXPECT_EQ(1, events.FindEvent(EventCmd::EventID)->FindSubscriber(Subscriber(onEvent, &second)));
    EXPECT_EQ(-1, events.FindEvent(EventCmd::EventID)->FindSubscriber(Subscriber(onOtherEvent, &second)));

    EventCmd command(nullptr);
    events.RaiseEvent(&command);
    g_freeTrace = nullptr;
    // The member functions reached the Listener part of the right objects.
    EXPECT_EQ((std::vector<std::string>{"other free", "free", "first/other", "second", "first"}), trace);
    EXPECT_EQ(4, command.handled);
}

TEST(SEventSet, ATypedHandlerHearsOnlyItsOwnEvent)
{
    std::vector<std::string> trace;
    Listener listener("L", trace);
    SEventSet events;
    WithCommandEvent(events);
    events.AddEvent(EventCtxMenu::EventID, EventCtxMenu::EventName());
    EXPECT_TRUE(events.SubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnCommand, &listener)));
    EXPECT_TRUE(events.SubscribeEvent(EventCtxMenu::EventID, Subscriber(&Listener::OnCommand, &listener)));

    EventCmd command(nullptr);
    events.RaiseEvent(&command);
    EventCtxMenu menu(nullptr);
    events.RaiseEvent(&menu);   // not an EventCmd: the handler is not called with it
    EXPECT_EQ((std::vector<std::string>{"L/command 10000"}), trace);
    EXPECT_EQ(1, command.handled);
    EXPECT_EQ(0, menu.handled);
}

TEST(SEventSet, UnknownIdsAreIgnored)
{
    std::vector<std::string> trace;
    Listener listener("L", trace);
    SEventSet events;
    WithCommandEvent(events);
    EXPECT_FALSE(events.SubscribeEvent(EventInit::EventID, Subscriber(&Listener::OnEvent, &listener)));
    EXPECT_EQ(nullptr, events.FindEvent(EventInit::EventID));
    EventInit init(nullptr);
    events.RaiseEvent(&init);
    events.RaiseEvent(nullptr);
    EXPECT_TRUE(trace.empty());
    EXPECT_EQ(0, init.handled);
}

TEST(SEventSet, AddingAnIdTwiceKeepsTheFirstEvent)
{
    SEventSet events;
    events.AddEvent(10000, L"on_command");
    SEvent* const first = events.FindEvent(10000);
    events.AddEvent(10000, L"on_click");
    EXPECT_EQ(first, events.FindEvent(10000));
    EXPECT_TRUE(first->GetName() == L"on_command");
    EXPECT_FALSE(events.SetEventScript(L"on_click", "click()"));
}

TEST(SEventSet, AMutedSetFiresNothingUntilUnmuted)
{
    std::vector<std::string> trace;
    Listener listener("L", trace);
    SEventSet events;
    WithCommandEvent(events);
    events.SubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnEvent, &listener));

    events.SetMuted(true);
    EXPECT_TRUE(events.IsMuted());
    EventCmd muted(nullptr);
    events.RaiseEvent(&muted);
    EXPECT_TRUE(trace.empty());
    EXPECT_EQ(0, muted.handled);

    events.SetMuted(false);
    EventCmd heard(nullptr);
    events.RaiseEvent(&heard);
    EXPECT_EQ((std::vector<std::string>{"L"}), trace);
}

TEST(SEventSet, ScriptHandlersAreFoundByExactName)
{
    SEventSet events;
    WithCommandEvent(events);
    EXPECT_TRUE(events.GetEventScript(L"on_command").IsEmpty());
    EXPECT_TRUE(events.SetEventScript(L"on_command", "install()"));
    EXPECT_STREQ("install()", events.GetEventScript(L"on_command").c_str());
    EXPECT_TRUE(events.GetEventScript(L"ON_COMMAND").IsEmpty());
    EXPECT_FALSE(events.SetEventScript(L"on_nothing", "x"));
    EXPECT_TRUE(events.GetEventScript(L"on_nothing").IsEmpty());

    events.RemoveAllEvents();
    EXPECT_EQ(nullptr, events.FindEvent(EventCmd::EventID));
    EXPECT_TRUE(events.GetEventScript(L"on_command").IsEmpty());
}

TEST(SEvent, SubscribersAddedWhileFiringWaitForTheNextRaise)
{
    std::vector<std::string> trace;
    std::vector<Listener> late;
    for (int i = 0; i < 20; ++i)
        late.emplace_back("late" + std::to_string(i), trace);

    SEventSet events;
    WithCommandEvent(events);
    struct Subscribing : Listener {
        using Listener::Listener;
        BOOL OnEvent(EventArgs* args)
        {
            for (Listener& listener : *m_late)   // enough to make the array grow
                m_events->SubscribeEvent(EventCmd::EventID, Subscriber(&Listener::OnEvent, &listener));
            return Listener::OnEvent(args);
        }
        SEventSet* m_events = nullptr;
        std::vector<Listener>* m_late = nullptr;
    } subscribing("S", trace);
    subscribing.m_events = &events;
    subscribing.m_late = &late;
    events.SubscribeEvent(EventCmd::EventID, Subscriber(&Subscribing::OnEvent, &subscribing));

    EventCmd first(nullptr);
    events.RaiseEvent(&first);
    EXPECT_EQ((std::vector<std::string>{"S"}), trace);
    EXPECT_EQ(21, events.FindEvent(EventCmd::EventID)->GetSubscriberCount());

    trace.clear();
    EventCmd second(nullptr);
    events.RaiseEvent(&second);
    ASSERT_EQ(21u, trace.size());
    EXPECT_EQ("late19", trace.front());
    EXPECT_EQ("S", trace.back());
}
