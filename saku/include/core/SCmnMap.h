#pragma once

#include "core/SHashMap.h"

#include <memory>

namespace SAKU {

// A hash map that disposes of its values: the disposal function (may be null) sees
// every value that leaves the map through RemoveKey, RemoveAll or the destructor.
// The factory manager keeps its heap factories in one. One thread at a time, or
// under its owner's lock.
template <typename V, typename K>
class SCmnMap {
public:
    using Map = SHashMap<K, V>;
    using Disposal = void (*)(const V& value);

    explicit SCmnMap(Disposal disposal = nullptr) : m_disposal(disposal), m_map(std::make_unique<Map>(17, 0.75f, 0.25f, 2.25f, 10)) {}
    virtual ~SCmnMap() { RemoveAll(); }
    SCmnMap(const SCmnMap&) = delete;
    SCmnMap& operator=(const SCmnMap&) = delete;

    // Stores a copy of `value`; false when the key exists or no node can be had.
    bool AddIfAbsent(const K& key, const V& value);
    // Copies the key's value out; false when absent.
    bool GetKeyObject(const K& key, V& value) const;
    // The key's value, inserted as V() when absent; null when no node can be had.
    V* GetOrInsert(const K& key) { return m_map->GetOrInsert(key); }
    // Disposes of the key's value and removes it; false, and nothing disposed, when absent.
    bool RemoveKey(const K& key);
    void RemoveAll();

    int GetCount() const { return m_map->GetCount(); }
    typename Map::Node* GetStartPosition() const { return m_map->GetStartPosition(); }
    typename Map::Node* GetNext(const typename Map::Node* node) const { return m_map->GetNext(node); }

private:
    Disposal m_disposal;
    std::unique_ptr<Map> m_map;
};

template <typename V, typename K>
bool SCmnMap<V, K>::AddIfAbsent(const K& key, const V& value)
{
    UINT bin = 0;
    UINT hash = 0;
    typename Map::Node* prev = nullptr;
    if (m_map->LookupNode(key, bin, hash, prev))
        return false;
    typename Map::Node* const node = m_map->CreateNode(key, bin, hash);
    if (!node)
        return false;
    node->value = value;
    return true;
}

template <typename V, typename K>
bool SCmnMap<V, K>::GetKeyObject(const K& key, V& value) const
{
    const typename Map::Node* const node = m_map->Lookup(key);
    if (!node)
        return false;
    value = node->value;
    return true;
}

template <typename V, typename K>
bool SCmnMap<V, K>::RemoveKey(const K& key)
{
    typename Map::Node* const node = m_map->Lookup(key);
    if (!node)
        return false;
    if (m_disposal)
        m_disposal(node->value);
    return m_map->RemoveKey(key);
}

template <typename V, typename K>
void SCmnMap<V, K>::RemoveAll()
{
    if (m_disposal) {
        for (auto* node = m_map->GetStartPosition(); node; node = m_map->GetNext(node))
            m_disposal(node->value);
    }
    m_map->RemoveAll();
}

}  // namespace SAKU
