#pragma once

#include "controls/ILvAdapter.h"
#include "core/IObjRef.h"
#include "core/SLinkedList.h"
#include "core/SWindow.h"

#include <pugixml.hpp>

namespace SAKU {

// The defaults of ILvAdapter for a class implementing I (ILvAdapter or an
// interface that extends it): the observer list, one view type, the row
// window's own desired size, no data. A concrete adapter supplies GetCount and
// GetView. The list holds a reference of each observer. UI thread.
template <typename I>
class LvAdatperImpl : public I {
public:
    LvAdatperImpl() = default;
    LvAdatperImpl(const LvAdatperImpl&) = delete;
    LvAdatperImpl& operator=(const LvAdatperImpl&) = delete;

    // ILvAdapter overrides
    void RegisterDataSetObserver(ILvDataSetObserver* observer) override
    {
        if (!observer || Find(observer))
            return;
        if (m_observers.AddTail(observer))
            observer->AddRef();
    }
    void UnregisterDataSetObserver(ILvDataSetObserver* observer) override
    {
        if (auto* const node = Find(observer)) {
            m_observers.RemoveAt(node);
            observer->Release();
        }
    }
    int GetItemViewType(int position, DWORD /*state*/) override { return this->GetPositionViewType(position); }
    int GetViewTypeCount() override { return 1; }
    void GetViewDesiredSize(SIZE* size, int /*position*/, SWindow* itemWnd, const RECT* container) override
    {
        *size = itemWnd->MeasureDesiredSize(container);
    }
    BOOL HasItems() override { return this->GetCount() > 0; }
    ULONG_PTR GetItemData(int /*position*/) override { return 0; }
    SStringW GetItemDesc(int /*position*/) override { return SStringW(); }
    void InitByTemplate(pugi::xml_node /*xmlTemplate*/) override {}
    ULONG_PTR GetItemId(int position) override { return static_cast<ULONG_PTR>(position); }
    int GetPositionViewType(int /*position*/) override { return 0; }

protected:
    ~LvAdatperImpl()
    {
        while (m_observers.GetCount() > 0)
            m_observers.RemoveHead()->Release();
    }

    // Calls `notify` on every observer in registration order. A copy is walked,
    // because an observer may unregister itself or another from inside the call.
    template <typename F>
    void ForEachObserver(F notify)
    {
        SLinkedList<ILvDataSetObserver*> observers(10);
        if (!observers.AddTailList(m_observers))
            return;
        for (auto* node = observers.GetHead(); node; node = node->next) {
            if (Find(node->value))
                notify(node->value);
        }
    }

private:
    typename SLinkedList<ILvDataSetObserver*>::Node* Find(ILvDataSetObserver* observer) const
    {
        for (auto* node = m_observers.GetHead(); node; node = node->next) {
            if (node->value == observer)
                return node;
        }
        return nullptr;
    }

    SLinkedList<ILvDataSetObserver*> m_observers{10};   // one reference each
};

// The base of a program's list adapter: the reference count (born with 1, owned
// by its creator; the list takes a reference of its own) and the notifications
// to the registered lists. UI thread.
class SAdapterBase : public TObjRefImpl<LvAdatperImpl<ILvAdapter>> {
public:
    // The row contents changed: the lists refresh their visible rows at their next paint.
    void NotifyDataSetInvalidated()
    {
        ForEachObserver([](ILvDataSetObserver* observer) { observer->OnInvalidated(); });
    }
    // Rows were added, removed or resized: the lists read everything again now.
    void NotifyDataSetChanged()
    {
        ForEachObserver([](ILvDataSetObserver* observer) { observer->OnChanged(); });
    }
};

}  // namespace SAKU
