#pragma once

#include "core/SDynArray.h"
#include "core/TStringT.h"

namespace SAKU {

class EventArgs;
struct ISlotFunctor;

// One event a window can raise: its id, its XML name, the script handler a layout
// may attach to it, and its subscribers, which it owns as clones. There is no
// unsubscription: a subscription lasts as long as the event. UI thread.
class SEvent {
public:
    SEvent(int id, const wchar_t* name) : m_id(id), m_name(name) {}
    ~SEvent();
    SEvent(const SEvent&) = delete;
    SEvent& operator=(const SEvent&) = delete;

    // Subscribes a clone of `slot`, which stays the caller's; false when an equal
    // slot is subscribed already or no room can be had.
    bool Subscribe(const ISlotFunctor& slot);
    // The index of the first subscriber equal to `slot`; -1 when none is.
    int FindSubscriber(const ISlotFunctor& slot) const;
    int GetSubscriberCount() const { return m_subscribers.GetCount(); }
    // Calls the subscribers, the newest first: each TRUE answer counts in
    // args->handled, and a handler that clears args->bubbleUp stops the walk.
    void Fire(EventArgs* args);

    int GetID() const { return m_id; }
    SStringW GetName() const { return m_name; }
    SStringA GetScriptHandler() const { return m_scriptHandler; }
    void SetScriptHandler(const SStringA& script) { m_scriptHandler = script; }

private:
    int m_id;
    SStringW m_name;
    SStringA m_scriptHandler;
    SDynArray<ISlotFunctor*> m_subscribers;   // owned clones
};

// The events of one window, found by id; the window adds them in its constructor
// and raises them by their arguments' GetID. Muting silences every event of the
// set while code changes the window's state on purpose. UI thread.
class SEventSet {
public:
    SEventSet() = default;
    ~SEventSet() { RemoveAllEvents(); }
    SEventSet(const SEventSet&) = delete;
    SEventSet& operator=(const SEventSet&) = delete;

    // Adds the event unless one with the id exists, which then keeps its name.
    void AddEvent(int id, const wchar_t* name);
    SEvent* FindEvent(int id) const;
    void RemoveAllEvents();

    // Fires the event of args->GetID() unless the set is muted; nothing when the
    // set has no such event.
    void RaiseEvent(EventArgs* args);
    // False when no event has the id or the event refuses the slot.
    bool SubscribeEvent(int id, const ISlotFunctor& slot);

    void SetMuted(bool muted) { m_muted = muted; }
    bool IsMuted() const { return m_muted; }

    // The script handler of the first event named exactly `name`; empty when none is.
    SStringA GetEventScript(const wchar_t* name) const;
    // False when no event is named `name`.
    bool SetEventScript(const wchar_t* name, const SStringA& script);

private:
    SEvent* FindEventByName(const wchar_t* name) const;

    SDynArray<SEvent*> m_events;   // owned, in the order they were added
    bool m_muted = false;
};

// Mutes an event set for a scope and gives it back the muting it had.
class SScopedEventMute {
public:
    explicit SScopedEventMute(SEventSet* events) : m_events(events), m_wasMuted(events->IsMuted())
    {
        m_events->SetMuted(true);
    }
    ~SScopedEventMute() { m_events->SetMuted(m_wasMuted); }
    SScopedEventMute(const SScopedEventMute&) = delete;
    SScopedEventMute& operator=(const SScopedEventMute&) = delete;

private:
    SEventSet* m_events;
    bool m_wasMuted;
};

}  // namespace SAKU
