#include "core/SEventSet.h"

#include "core/EventArgs.h"
#include "core/ISlotFunctor.h"

#include <memory>
#include <new>

namespace SAKU {

SEvent::~SEvent()
{
    for (int i = 0; i < m_subscribers.GetCount(); ++i)
        std::unique_ptr<ISlotFunctor> owned(m_subscribers[i]);
}

bool SEvent::Subscribe(const ISlotFunctor& slot)
{
    if (FindSubscriber(slot) >= 0)
        return false;
    std::unique_ptr<ISlotFunctor> clone = slot.Clone();
    if (!clone || m_subscribers.Add(clone.get()) < 0)
        return false;
    clone.release();   // the array owns it now
    return true;
}

int SEvent::FindSubscriber(const ISlotFunctor& slot) const
{
    for (int i = 0; i < m_subscribers.GetCount(); ++i) {
        if (m_subscribers[i]->Equal(slot))
            return i;
    }
    return -1;
}

// A handler may subscribe further slots while the event fires; they are appended,
// so the walk downwards from the count it started with never meets them.
void SEvent::Fire(EventArgs* args)
{
    for (int i = m_subscribers.GetCount() - 1; i >= 0; --i) {
        if (m_subscribers[i]->Invoke(args)) {
            ++args->handled;
            if (!args->bubbleUp)
                break;
        }
    }
}

void SEventSet::AddEvent(int id, const wchar_t* name)
{
    if (FindEvent(id))
        return;
    std::unique_ptr<SEvent> event(new (std::nothrow) SEvent(id, name));
    if (event && m_events.Add(event.get()) >= 0)
        event.release();   // the set owns it now
}

SEvent* SEventSet::FindEvent(int id) const
{
    for (int i = 0; i < m_events.GetCount(); ++i) {
        if (m_events[i]->GetID() == id)
            return m_events[i];
    }
    return nullptr;
}

void SEventSet::RemoveAllEvents()
{
    for (int i = 0; i < m_events.GetCount(); ++i)
        std::unique_ptr<SEvent> owned(m_events[i]);
    m_events.SetCount(0);
}

void SEventSet::RaiseEvent(EventArgs* args)
{
    if (m_muted || !args)
        return;
    if (SEvent* const event = FindEvent(args->GetID()))
        event->Fire(args);
}

bool SEventSet::SubscribeEvent(int id, const ISlotFunctor& slot)
{
    SEvent* const event = FindEvent(id);
    return event && event->Subscribe(slot);
}

SStringA SEventSet::GetEventScript(const wchar_t* name) const
{
    const SEvent* const event = FindEventByName(name);
    return event ? event->GetScriptHandler() : SStringA();
}

bool SEventSet::SetEventScript(const wchar_t* name, const SStringA& script)
{
    SEvent* const event = FindEventByName(name);
    if (!event)
        return false;
    event->SetScriptHandler(script);
    return true;
}

SEvent* SEventSet::FindEventByName(const wchar_t* name) const
{
    for (int i = 0; i < m_events.GetCount(); ++i) {
        if (m_events[i]->GetName() == (name ? name : L""))
            return m_events[i];
    }
    return nullptr;
}

}  // namespace SAKU
