#pragma once

#include "core/SLinkedList.h"

namespace SAKU {

// A stack of reference-counted pools (skins, styles) that lookups ask from the top
// down; it holds one reference of each entry. UI thread.
template <typename T>
class TPoolStack {
public:
    TPoolStack() = default;
    ~TPoolStack()
    {
        while (m_pools.GetCount() > 0)
            m_pools.RemoveHead()->Release();
    }
    TPoolStack(const TPoolStack&) = delete;
    TPoolStack& operator=(const TPoolStack&) = delete;

    void Push(T* pool)
    {
        if (pool && m_pools.AddTail(pool))
            pool->AddRef();
    }

    // Takes `pool` off (searched from the bottom; null takes the top) and releases
    // the stack's reference. Null, and nothing taken, when it is not on the stack.
    // The bottom entry stays when it is `fixed`; a further entry of that pool goes,
    // so that a fixed pool that pushes itself while it loads comes off again.
    T* Pop(T* pool, const T* fixed = nullptr)
    {
        const auto* const bottom = m_pools.GetHead();
        const auto stays = [&](const typename SLinkedList<T*>::Node* node) {
            return node == bottom && node->value == fixed;
        };
        typename SLinkedList<T*>::Node* node = pool ? m_pools.GetHead() : m_pools.GetTail();
        while (pool && node && (node->value != pool || stays(node)))
            node = node->next;
        if (!node || stays(node))
            return nullptr;
        T* const popped = node->value;
        m_pools.RemoveAt(node);
        popped->Release();
        return popped;
    }

    // The first non-empty answer of lookup(pool) from the top down.
    template <typename R, typename Lookup>
    R FindFromTop(Lookup lookup) const
    {
        for (auto* node = m_pools.GetTail(); node; node = node->prev) {
            if (R found = lookup(node->value))
                return found;
        }
        return R();
    }

private:
    SLinkedList<T*> m_pools{10};   // the tail is the top
};

}  // namespace SAKU
