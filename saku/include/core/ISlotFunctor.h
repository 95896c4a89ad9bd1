#pragma once

#include "core/EventArgs.h"

#include <memory>
#include <new>

namespace SAKU {

// The kinds of subscriber, as GetSlotType reports them.
constexpr int kSlotFreeFunction = 0;
constexpr int kSlotMemberFunction = 1;

// A subscriber of an event: something to call with the event's arguments. An event
// keeps clones of the slots it is given and compares them with Equal, so that the
// same subscriber is never subscribed twice. UI thread.
struct ISlotFunctor {
    virtual ~ISlotFunctor() = default;
    // TRUE when the subscriber handled the event.
    virtual BOOL Invoke(EventArgs* args) = 0;
    // A heap copy; null when it cannot be had.
    virtual std::unique_ptr<ISlotFunctor> Clone() const = 0;
    virtual BOOL Equal(const ISlotFunctor& other) const = 0;
    virtual int GetSlotType() const = 0;
};

// A free function BOOL f(EventArgs*) as a subscriber.
class FreeFunctionSlot : public ISlotFunctor {
public:
    using Function = BOOL (*)(EventArgs*);

    explicit FreeFunctionSlot(Function function) : m_function(function) {}

    // ISlotFunctor overrides
    BOOL Invoke(EventArgs* args) override { return m_function(args); }
    std::unique_ptr<ISlotFunctor> Clone() const override;
    BOOL Equal(const ISlotFunctor& other) const override;
    int GetSlotType() const override { return kSlotFreeFunction; }

private:
    Function m_function;
};

// A member function BOOL T::f(A*) of one object as a subscriber; A is EventArgs or
// one event class. The object is borrowed and must outlive the subscription. An
// event that is not an A (a handler subscribed to the wrong id) is not passed on:
// the slot answers FALSE.
template <typename T, typename A>
class MemberFunctionSlot : public ISlotFunctor {
public:
    using Function = BOOL (T::*)(A*);

    MemberFunctionSlot(Function function, T* object) : m_function(function), m_object(object) {}

    // ISlotFunctor overrides
    BOOL Invoke(EventArgs* args) override
    {
        A* const typed = SObjCast<A>(static_cast<IObject*>(args));
        return typed ? (m_object->*m_function)(typed) : FALSE;
    }
    std::unique_ptr<ISlotFunctor> Clone() const override
    {
        return std::unique_ptr<ISlotFunctor>(new (std::nothrow) MemberFunctionSlot(m_function, m_object));
    }
    // The pointer to member compares the function with its this-adjustment.
    BOOL Equal(const ISlotFunctor& other) const override
    {
        if (other.GetSlotType() != kSlotMemberFunction)
            return FALSE;
        const auto* const same = dynamic_cast<const MemberFunctionSlot*>(&other);
        return same && same->m_function == m_function && same->m_object == m_object;
    }
    int GetSlotType() const override { return kSlotMemberFunction; }

private:
    Function m_function;
    T* m_object;
};

// Slots to hand to SubscribeEvent: Subscriber(&CMainDlg::OnCommand, this) or Subscriber(&OnAnyEvent).
template <typename T, typename A, typename Object>
MemberFunctionSlot<T, A> Subscriber(BOOL (T::*function)(A*), Object* object)
{
    return MemberFunctionSlot<T, A>(function, static_cast<T*>(object));
}

inline FreeFunctionSlot Subscriber(FreeFunctionSlot::Function function)
{
    return FreeFunctionSlot(function);
}

}  // namespace SAKU
