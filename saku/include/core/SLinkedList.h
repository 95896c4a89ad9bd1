#pragma once

#include "core/SNodeBlock.h"

#include <cassert>
#include <new>

namespace SAKU {

// The UI library's doubly linked list. Nodes come from blocks of `blockSize` nodes
// and go back to a free list when removed; all blocks are freed when the list
// empties, so a list costs one allocation per block. One thread at a time.
template <typename T>
class SLinkedList {
public:
    struct Node {
        Node* next;
        Node* prev;
        T value;
    };

    explicit SLinkedList(int blockSize = 10) : m_blockSize(blockSize) {}
    ~SLinkedList() { RemoveAll(); }
    SLinkedList(const SLinkedList&) = delete;
    SLinkedList& operator=(const SLinkedList&) = delete;

    int GetCount() const { return m_count; }
    Node* GetHead() const { return m_head; }   // iterate through Node::next
    Node* GetTail() const { return m_tail; }

    // Links a copy of `value` behind the tail; null when no node can be had.
    Node* AddTail(const T& value);
    // AddTail of every value of `other`, in order; false when a node could not be had.
    bool AddTailList(const SLinkedList& other);
    // Unlinks the head, which must exist, and returns its value.
    T RemoveHead();
    // Unlinks `node`, which must be a node of this list; its value is destroyed.
    void RemoveAt(Node* node);
    void RemoveAll();

private:
    Node* NewNode();
    void FreeNode(Node* node);

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
    SNodeBlock* m_blocks = nullptr;
    Node* m_free = nullptr;
    int m_blockSize;
};

template <typename T>
typename SLinkedList<T>::Node* SLinkedList<T>::AddTail(const T& value)
{
    Node* const node = NewNode();
    if (!node)
        return nullptr;
    new (&node->value) T(value);
    node->next = nullptr;
    node->prev = m_tail;
    if (m_tail)
        m_tail->next = node;
    else
        m_head = node;
    m_tail = node;
    ++m_count;
    return node;
}

template <typename T>
bool SLinkedList<T>::AddTailList(const SLinkedList& other)
{
    for (Node* node = other.m_head; node; node = node->next) {
        if (!AddTail(node->value))
            return false;
    }
    return true;
}

template <typename T>
T SLinkedList<T>::RemoveHead()
{
    assert(m_head);
    T value = m_head->value;
    RemoveAt(m_head);
    return value;
}

template <typename T>
void SLinkedList<T>::RemoveAt(Node* node)
{
    assert(node && m_count > 0);
    if (node->prev)
        node->prev->next = node->next;
    else
        m_head = node->next;
    if (node->next)
        node->next->prev = node->prev;
    else
        m_tail = node->prev;
    FreeNode(node);
    if (--m_count == 0) {
        m_free = nullptr;
        SNodeBlock::FreeChain(m_blocks);
    }
}

template <typename T>
void SLinkedList<T>::RemoveAll()
{
    while (m_head) {
        Node* const next = m_head->next;
        FreeNode(m_head);
        m_head = next;
    }
    m_tail = nullptr;
    m_count = 0;
    m_free = nullptr;
    SNodeBlock::FreeChain(m_blocks);
}

// Threads a new block onto the free list from its last node to its first, so that
// the block's first node is taken first.
template <typename T>
typename SLinkedList<T>::Node* SLinkedList<T>::NewNode()
{
    if (!m_free) {
        SNodeBlock* const block = m_blockSize > 0 ? SNodeBlock::Create(m_blocks, m_blockSize, sizeof(Node)) : nullptr;
        if (!block)
            return nullptr;
        Node* const nodes = static_cast<Node*>(block->Nodes());
        for (int i = m_blockSize - 1; i >= 0; --i) {
            nodes[i].next = m_free;
            m_free = &nodes[i];
        }
    }
    Node* const node = m_free;
    m_free = node->next;
    return node;
}

template <typename T>
void SLinkedList<T>::FreeNode(Node* node)
{
    node->value.~T();
    node->next = m_free;
    m_free = node;
}

}  // namespace SAKU
