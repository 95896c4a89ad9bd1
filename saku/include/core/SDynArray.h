#pragma once

#include "core/MemAlloc.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <new>

namespace SAKU {

template <typename T, typename Traits>
class TStringT;

// How Add stores a value in its new slot: a copy of the value.
template <typename T>
void SDynArrayConstruct(T* slot, const T& value)
{
    new (slot) T(value);
}

// A string element is a fresh block holding the string's text up to its first 0
// character, never a share of the source's block.
template <typename C, typename Traits>
void SDynArrayConstruct(TStringT<C, Traits>* slot, const TStringT<C, Traits>& value)
{
    new (slot) TStringT<C, Traits>(value.c_str());
}

// The UI library's growable array. Elements are plain values that may be moved
// bytewise (integers, pointers, TStringT handles, small records): growth copies
// their bytes into a new zeroed buffer. Without a fixed grow step the array grows
// by an eighth of its count, at least 4 and at most 1024 elements. Allocation
// failures report false and leave the array as it was. One thread at a time.
template <typename T>
class SDynArray {
public:
    explicit SDynArray(int growStep = 0) : m_growStep(growStep) {}
    ~SDynArray() { SetCount(0); }
    SDynArray(const SDynArray&) = delete;
    SDynArray& operator=(const SDynArray&) = delete;

    int GetCount() const { return m_count; }
    int GetCapacity() const { return m_capacity; }
    // The elements in order, for algorithms over the whole array; null while empty
    // and no buffer is held.
    T* GetData() { return m_data; }
    const T* GetData() const { return m_data; }
    T& operator[](int index) { assert(index >= 0 && index < m_count); return m_data[index]; }
    const T& operator[](int index) const { assert(index >= 0 && index < m_count); return m_data[index]; }

    // Appends a copy of `value`, which may be one of the array's own elements; the
    // new index, or -1 when the array cannot grow.
    int Add(const T& value);
    // Puts a copy of `value`, which may be one of the array's own elements, at
    // `index` (0 to the count); the later elements move up by their bytes. False,
    // with the array as it was, for another index or when the array cannot grow.
    bool InsertAt(int index, const T& value);
    // Destroys the element at `index` (0 to the count less one) and moves the later
    // ones down by their bytes; the buffer stays.
    void RemoveAt(int index);
    // Room for `count` elements; false when the buffer cannot grow.
    [[nodiscard]] bool EnsureCapacity(int count);
    // Makes the array `count` long: new slots hold T() (zero for plain values),
    // removed ones are destroyed; 0 frees the buffer. A grow step other than -1
    // replaces the stored one. False when the buffer cannot grow.
    bool SetCount(int count, int growStep = -1);

private:
    // The index of the element at `item`; -1 when it is not one of this array's.
    int IndexOf(const T* item) const;

    T* m_data = nullptr;
    int m_count = 0;
    int m_capacity = 0;
    int m_growStep = 0;   // 0: automatic
};

template <typename T>
int SDynArray<T>::Add(const T& value)
{
    if (m_count == INT32_MAX)
        return -1;
    // Growth frees the old buffer: an element of this array is read from its new place.
    const T* source = &value;
    if (m_count == m_capacity) {
        const int own = IndexOf(source);
        if (!EnsureCapacity(m_count + 1))
            return -1;
        if (own >= 0)
            source = &m_data[own];
    }
    SDynArrayConstruct(&m_data[m_count], *source);
    return m_count++;
}

template <typename T>
bool SDynArray<T>::InsertAt(int index, const T& value)
{
    if (index < 0 || index > m_count || Add(value) < 0)
        return false;
    // The new last element rotates into its place.
    alignas(T) unsigned char added[sizeof(T)];
    memcpy(added, static_cast<void*>(&m_data[m_count - 1]), sizeof(T));
    memmove(static_cast<void*>(&m_data[index + 1]), &m_data[index], (m_count - 1 - index) * sizeof(T));
    memcpy(static_cast<void*>(&m_data[index]), added, sizeof(T));
    return true;
}

template <typename T>
void SDynArray<T>::RemoveAt(int index)
{
    assert(index >= 0 && index < m_count);
    m_data[index].~T();
    memmove(static_cast<void*>(&m_data[index]), &m_data[index + 1], (m_count - 1 - index) * sizeof(T));
    --m_count;
    memset(static_cast<void*>(&m_data[m_count]), 0, sizeof(T));
}

template <typename T>
int SDynArray<T>::IndexOf(const T* item) const
{
    const auto at = reinterpret_cast<uintptr_t>(item);
    const auto begin = reinterpret_cast<uintptr_t>(m_data);
    if (!m_data || at < begin || at >= begin + static_cast<uintptr_t>(m_count) * sizeof(T))
        return -1;
    return static_cast<int>((at - begin) / sizeof(T));
}

template <typename T>
bool SDynArray<T>::EnsureCapacity(int count)
{
    if (count <= m_capacity)
        return true;
    int capacity = count;
    if (!m_data) {
        capacity = std::max(count, m_growStep);
    } else {
        const int step = m_growStep != 0 ? m_growStep
                                         : static_cast<int>(std::clamp(static_cast<unsigned>(m_count) / 8, 4u, 1024u));
        if (m_capacity <= INT32_MAX - step)
            capacity = std::max(count, m_capacity + step);
    }
    T* const data = static_cast<T*>(MemAllocZeroed(capacity, sizeof(T)));
    if (!data)
        return false;
    if (m_data) {
        memcpy(static_cast<void*>(data), m_data, m_count * sizeof(T));
        MemFree(m_data);
    }
    m_data = data;
    m_capacity = capacity;
    return true;
}

template <typename T>
bool SDynArray<T>::SetCount(int count, int growStep)
{
    if (growStep != -1)
        m_growStep = growStep;
    count = std::max(count, 0);
    if (count > m_capacity && !EnsureCapacity(count))
        return false;
    for (int i = count; i < m_count; ++i)
        m_data[i].~T();
    for (int i = m_count; i < count; ++i)
        new (&m_data[i]) T();
    m_count = count;
    if (count == 0) {
        MemFree(m_data);
        m_data = nullptr;
        m_capacity = 0;
    }
    return true;
}

}  // namespace SAKU
