#pragma once

#include "core/IObjRef.h"
#include "core/SObjectImpl.h"

#include <wchar.h>

namespace SAKU {

// The record of one raised event: who raised it and what its subscribers did with
// it. Each event class (Events.h) derives from it through TplEventArgs, which gives
// the class its numeric id and XML name. The raiser makes one on the stack or the
// heap for one raise; a subscriber that keeps it adds a reference. UI thread.
class EventArgs : public TObjRefImpl<IObjRef>, public SObjectImpl<IObject> {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"eventargs", kObjTypeNone)

    // Takes the sender's id and name now (null: 0 and empty).
    explicit EventArgs(IObject* sender);

    // Public like a record's members: subscribers write them, the raiser reads them.
    BOOL bubbleUp = TRUE;   // a subscriber clears it to stop those subscribed before it
    int handled = 0;        // how many subscribers answered TRUE
    int idFrom = 0;
    SStringW nameFrom;
    IObject* sender;        // borrowed: the window that raises the event
};

// Between EventArgs and an event class T: the id and the XML name that T declares
// with SEVENT_ID answer GetID, GetName, GetObjectClass and the class test, so that
// SObjCast<T> recognises T's events and every event is also "eventargs".
template <typename T>
class TplEventArgs : public EventArgs {
public:
    explicit TplEventArgs(IObject* sender) : EventArgs(sender) {}

    static LPCWSTR ClassName() { return T::EventName(); }

    // IObject overrides
    BOOL IsClass(LPCWSTR name) const override
    {
        return (name && wcscmp(name, T::EventName()) == 0) || EventArgs::IsClass(name);
    }
    LPCWSTR GetObjectClass() const override { return T::EventName(); }
    int GetObjectType() const override { return kObjTypeNone; }
    int GetID() const override { return T::EventID; }
    LPCWSTR GetName() const override { return T::EventName(); }
};

}  // namespace SAKU

// An event class's id and XML name; put it in the class's public part.
#define SEVENT_ID(eventId, eventName)                 \
    static constexpr int EventID = eventId;           \
    static LPCWSTR EventName() { return eventName; }

// An event class that carries nothing beyond the sender. An event that carries
// more is written out as a class with SEVENT_ID and its fields.
#define SEVENT_CLASS(Class, eventId, eventName)                              \
    class Class : public SAKU::TplEventArgs<Class> {                         \
    public:                                                                  \
        SEVENT_ID(eventId, eventName)                                        \
        explicit Class(SAKU::IObject* sender) : TplEventArgs(sender) {}      \
    };
