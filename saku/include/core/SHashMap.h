#pragma once

#include "core/MemAlloc.h"
#include "core/SHashTraits.h"
#include "core/SNodeBlock.h"

#include <new>

namespace SAKU {

// The bin count for about `wanted` bins: 17 up to 17, else the first prime of the
// library's table that is not below it, past the table `wanted` itself.
UINT HashBinCountFor(UINT wanted);

// The UI library's hash map: prime bin counts, the key's hash stored in each node
// (resizing never rehashes a key), nodes from blocks of `blockSize`. It grows to
// about `optimalLoad` elements per bin when the count passes `highLoad` per bin,
// and shrinks once the count falls below `lowLoad` per bin of a map of at least 68
// bins. Iteration goes in bin order. Allocation failures report null or false and
// leave the map as it was. One thread at a time.
template <typename K, typename V, typename KTraits = SHashTraits<K>>
class SHashMap {
public:
    struct Node {
        K key;        // never changed: the node's bin depends on it
        V value;
        Node* next;   // in its bin
        UINT hash;
    };

    explicit SHashMap(UINT binCount = 17, float optimalLoad = 0.75f, float lowLoad = 0.25f,
                      float highLoad = 2.25f, UINT blockSize = 10);
    ~SHashMap() { RemoveAll(); }
    SHashMap(const SHashMap&) = delete;
    SHashMap& operator=(const SHashMap&) = delete;

    int GetCount() const { return static_cast<int>(m_count); }
    UINT GetBinCount() const { return m_binCount; }

    Node* Lookup(const K& key) const;
    // Lookup that also gives the key's bin, hash and predecessor in the bin.
    Node* LookupNode(const K& key, UINT& bin, UINT& hash, Node*& prev) const;
    // The value of `key`, inserted as V() when absent; null when no node can be had.
    V* GetOrInsert(const K& key);
    // A new node for `key` (absent) at the head of `bin`; null when it cannot be had.
    Node* CreateNode(const K& key, UINT bin, UINT hash);
    bool RemoveKey(const K& key);
    void RemoveAll();   // keeps the bin count for the next insertion

    Node* GetStartPosition() const;
    Node* GetNext(const Node* node) const;   // null after the last

    // Moves every node into `binCount` bins (0: the count the loads ask for); on
    // failure the map keeps its bins.
    void Rehash(UINT binCount = 0);

private:
    UINT ChooseBinCount(UINT count) const { return HashBinCountFor(static_cast<UINT>(count / m_optimalLoad)); }
    void UpdateThresholds();
    bool AllocBins(UINT binCount, bool allocate);
    void ReleaseNode(Node* node);

    Node** m_bins = nullptr;
    UINT m_count = 0;
    UINT m_binCount;
    float m_optimalLoad;
    float m_lowLoad;
    float m_highLoad;
    UINT m_highThreshold = 0;
    UINT m_lowThreshold = 0;
    int m_rehashLock = 0;   // no automatic resizing while above 0
    UINT m_blockSize;
    SNodeBlock* m_blocks = nullptr;
    Node* m_free = nullptr;
};

template <typename K, typename V, typename KTraits>
SHashMap<K, V, KTraits>::SHashMap(UINT binCount, float optimalLoad, float lowLoad, float highLoad, UINT blockSize)
    : m_binCount(binCount != 0 ? binCount : 17), m_optimalLoad(optimalLoad), m_lowLoad(lowLoad),
      m_highLoad(highLoad), m_blockSize(blockSize)
{
    UpdateThresholds();
}

template <typename K, typename V, typename KTraits>
typename SHashMap<K, V, KTraits>::Node* SHashMap<K, V, KTraits>::Lookup(const K& key) const
{
    UINT bin = 0;
    UINT hash = 0;
    Node* prev = nullptr;
    return LookupNode(key, bin, hash, prev);
}

template <typename K, typename V, typename KTraits>
typename SHashMap<K, V, KTraits>::Node* SHashMap<K, V, KTraits>::LookupNode(const K& key, UINT& bin, UINT& hash,
                                                                            Node*& prev) const
{
    hash = KTraits::Hash(key);
    bin = hash % m_binCount;
    prev = nullptr;
    if (!m_bins)
        return nullptr;
    for (Node* node = m_bins[bin]; node; prev = node, node = node->next) {
        if (node->hash == hash && KTraits::Equals(node->key, key))
            return node;
    }
    return nullptr;
}

template <typename K, typename V, typename KTraits>
V* SHashMap<K, V, KTraits>::GetOrInsert(const K& key)
{
    UINT bin = 0;
    UINT hash = 0;
    Node* prev = nullptr;
    Node* node = LookupNode(key, bin, hash, prev);
    if (!node)
        node = CreateNode(key, bin, hash);
    return node ? &node->value : nullptr;
}

template <typename K, typename V, typename KTraits>
typename SHashMap<K, V, KTraits>::Node* SHashMap<K, V, KTraits>::CreateNode(const K& key, UINT bin, UINT hash)
{
    if (!m_bins && !AllocBins(m_binCount, true))
        return nullptr;
    if (!m_free) {
        SNodeBlock* const block = m_blockSize > 0 ? SNodeBlock::Create(m_blocks, m_blockSize, sizeof(Node)) : nullptr;
        if (!block)
            return nullptr;
        Node* const nodes = static_cast<Node*>(block->Nodes());
        for (UINT i = m_blockSize; i-- > 0;) {
            nodes[i].next = m_free;
            m_free = &nodes[i];
        }
    }
    Node* const node = m_free;
    m_free = node->next;
    new (&node->key) K(key);
    new (&node->value) V();
    node->hash = hash;
    node->next = m_bins[bin];
    m_bins[bin] = node;
    ++m_count;
    if (m_count > m_highThreshold && m_rehashLock == 0)
        Rehash(ChooseBinCount(m_count));
    return node;
}

template <typename K, typename V, typename KTraits>
bool SHashMap<K, V, KTraits>::RemoveKey(const K& key)
{
    UINT bin = 0;
    UINT hash = 0;
    Node* prev = nullptr;
    Node* const node = LookupNode(key, bin, hash, prev);
    if (!node)
        return false;
    if (prev)
        prev->next = node->next;
    else
        m_bins[bin] = node->next;
    ReleaseNode(node);
    return true;
}

template <typename K, typename V, typename KTraits>
void SHashMap<K, V, KTraits>::RemoveAll()
{
    ++m_rehashLock;
    if (m_bins) {
        for (UINT bin = 0; bin < m_binCount; ++bin) {
            for (Node* node = m_bins[bin]; node;) {
                Node* const next = node->next;
                ReleaseNode(node);
                node = next;
            }
        }
    }
    MemFree(m_bins);
    m_bins = nullptr;
    m_count = 0;
    m_free = nullptr;
    SNodeBlock::FreeChain(m_blocks);
    --m_rehashLock;
}

template <typename K, typename V, typename KTraits>
typename SHashMap<K, V, KTraits>::Node* SHashMap<K, V, KTraits>::GetStartPosition() const
{
    if (m_count == 0 || !m_bins)
        return nullptr;
    for (UINT bin = 0; bin < m_binCount; ++bin) {
        if (m_bins[bin])
            return m_bins[bin];
    }
    return nullptr;
}

template <typename K, typename V, typename KTraits>
typename SHashMap<K, V, KTraits>::Node* SHashMap<K, V, KTraits>::GetNext(const Node* node) const
{
    if (node->next)
        return node->next;
    for (UINT bin = node->hash % m_binCount + 1; bin < m_binCount; ++bin) {
        if (m_bins[bin])
            return m_bins[bin];
    }
    return nullptr;
}

template <typename K, typename V, typename KTraits>
void SHashMap<K, V, KTraits>::Rehash(UINT binCount)
{
    if (binCount == 0)
        binCount = ChooseBinCount(m_count);
    if (binCount == m_binCount)
        return;
    if (!m_bins) {
        AllocBins(binCount, false);
        return;
    }
    Node** const bins = static_cast<Node**>(MemAllocZeroed(binCount, sizeof(Node*)));
    if (!bins)
        return;
    for (UINT bin = 0; bin < m_binCount; ++bin) {
        for (Node* node = m_bins[bin]; node;) {
            Node* const next = node->next;
            const UINT target = node->hash % binCount;
            node->next = bins[target];
            bins[target] = node;
            node = next;
        }
    }
    MemFree(m_bins);
    m_bins = bins;
    m_binCount = binCount;
    UpdateThresholds();
}

// Float products as the loads are floats; a low threshold below 17 never shrinks.
template <typename K, typename V, typename KTraits>
void SHashMap<K, V, KTraits>::UpdateThresholds()
{
    m_highThreshold = static_cast<UINT>(static_cast<float>(m_binCount) * m_highLoad);
    m_lowThreshold = static_cast<UINT>(static_cast<float>(m_binCount) * m_lowLoad);
    if (m_lowThreshold < 17)
        m_lowThreshold = 0;
}

template <typename K, typename V, typename KTraits>
bool SHashMap<K, V, KTraits>::AllocBins(UINT binCount, bool allocate)
{
    Node** bins = nullptr;
    if (allocate) {
        bins = static_cast<Node**>(MemAllocZeroed(binCount, sizeof(Node*)));
        if (!bins)
            return false;
    }
    MemFree(m_bins);
    m_bins = bins;
    m_binCount = binCount;
    UpdateThresholds();
    return true;
}

template <typename K, typename V, typename KTraits>
void SHashMap<K, V, KTraits>::ReleaseNode(Node* node)
{
    node->key.~K();
    node->value.~V();
    node->next = m_free;
    m_free = node;
    --m_count;
    if (m_count < m_lowThreshold && m_rehashLock == 0)
        Rehash(ChooseBinCount(m_count));
    if (m_count == 0) {
        m_free = nullptr;
        SNodeBlock::FreeChain(m_blocks);
    }
}

}  // namespace SAKU
