#pragma once

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace SAKU {

// A node of a CSTree, named by its address.
using HSTREEITEM = ULONG_PTR;

// Reserved handles, never the address of a node: the invisible parent of the
// top-level nodes, and the two insert positions "before" and "after all siblings".
constexpr HSTREEITEM TREE_ITEM_ROOT = 0xFFFF0000;
constexpr HSTREEITEM TREE_ITEM_FIRST = 0xFFFF0001;
constexpr HSTREEITEM TREE_ITEM_LAST = 0xFFFF0002;

// How SortChildren orders two siblings, in the qsort_s form: the caller's context,
// then two pointers to HSTREEITEM handles; negative, zero or positive.
using FunTreeSortCallback = int(__cdecl*)(void* context, const void* first, const void* second);

// One node: its links and its value. The tree owns every node through these
// links; a handle is only borrowed.
template <typename T>
struct CSTreeNode {
    CSTreeNode* parent = nullptr;   // null for a top-level node
    CSTreeNode* firstChild = nullptr;
    CSTreeNode* lastChild = nullptr;
    CSTreeNode* prevSibling = nullptr;
    CSTreeNode* nextSibling = nullptr;
    T data;
};

// An n-ary tree of values of type T, stored by copy, with doubly linked sibling
// lists under an invisible root. The tree control keeps its items in it and the
// list row locator its branch totals. An owner whose values own memory overrides
// OnNodeFree, and empties the tree itself before its own destructor ends, since
// the tree's destructor reaches only the tree's empty OnNodeFree. Handles of
// freed nodes, or of another tree, are not detected. One thread.
template <typename T>
class CSTree {
public:
    using Node = CSTreeNode<T>;

    CSTree() = default;
    virtual ~CSTree() { DeleteAllItems(); }
    CSTree(const CSTree&) = delete;
    CSTree& operator=(const CSTree&) = delete;

    // A new node under `parent` (TREE_ITEM_ROOT or 0: the top level), before all
    // siblings, after all of them, or right behind the sibling `after`; 0, with
    // nothing allocated, when `after` is a node of another parent.
    HSTREEITEM InsertItem(const T& value, HSTREEITEM parent = TREE_ITEM_ROOT, HSTREEITEM after = TREE_ITEM_LAST);
    // Frees the node and its whole subtree (TREE_ITEM_ROOT: every node); the
    // former next sibling, so that a walk along the siblings can go on from it.
    virtual HSTREEITEM DeleteItem(HSTREEITEM item);
    void DeleteAllItems();

    // The first (or last) child; of TREE_ITEM_ROOT, the first (or last) top-level node.
    HSTREEITEM GetChildItem(HSTREEITEM item, BOOL first = TRUE) const;
    int GetChildrenCount(HSTREEITEM item) const;
    // The pre-order successor; of TREE_ITEM_ROOT the first top-level node; 0 after the last.
    HSTREEITEM GetNextItem(HSTREEITEM item) const;
    // Orders the children of `item`, then every level below it.
    void SortChildren(HSTREEITEM item, FunTreeSortCallback compare, void* context);

    // Direct access to a live node's links and value.
    HSTREEITEM GetRootItem(BOOL first = TRUE) const { return Handle(first ? m_first : m_last); }
    HSTREEITEM GetParentItem(HSTREEITEM item) const { return Handle(NodeOf(item)->parent); }
    HSTREEITEM GetNextSiblingItem(HSTREEITEM item) const { return Handle(NodeOf(item)->nextSibling); }
    HSTREEITEM GetPrevSiblingItem(HSTREEITEM item) const { return Handle(NodeOf(item)->prevSibling); }
    T& GetItemRef(HSTREEITEM item) { return NodeOf(item)->data; }
    const T& GetItem(HSTREEITEM item) const { return NodeOf(item)->data; }

protected:
    // Each value, just before its node is freed: children before their parent.
    virtual void OnNodeFree(T& /*value*/) {}

    static Node* NodeOf(HSTREEITEM item) { return reinterpret_cast<Node*>(item); }
    static HSTREEITEM Handle(const Node* node) { return reinterpret_cast<HSTREEITEM>(node); }

private:
    static bool IsRoot(HSTREEITEM item) { return item == TREE_ITEM_ROOT || item == 0; }
    // The first and last child slots of a node, or the top level's for null.
    Node*& FirstOf(Node* parent) { return parent ? parent->firstChild : m_first; }
    Node*& LastOf(Node* parent) { return parent ? parent->lastChild : m_last; }
    Node* FirstOf(const Node* parent) const { return parent ? parent->firstChild : m_first; }
    void FreeSubtree(Node* node);

    Node* m_first = nullptr;
    Node* m_last = nullptr;
};

template <typename T>
HSTREEITEM CSTree<T>::InsertItem(const T& value, HSTREEITEM parent, HSTREEITEM after)
{
    Node* const parentNode = IsRoot(parent) ? nullptr : NodeOf(parent);
    if (after != TREE_ITEM_FIRST && after != TREE_ITEM_LAST) {
        Node* const sibling = NodeOf(after);
        if (!sibling || sibling->parent != parentNode)
            return 0;
        if (!sibling->nextSibling)
            after = TREE_ITEM_LAST;
    }

    // The links own the node from here on; FreeSubtree gives it back.
    Node* const node = std::make_unique<Node>(Node{parentNode, nullptr, nullptr, nullptr, nullptr, value}).release();
    Node*& first = FirstOf(parentNode);
    Node*& last = LastOf(parentNode);
    if (after == TREE_ITEM_FIRST) {
        node->nextSibling = first;
        if (first)
            first->prevSibling = node;
        else
            last = node;
        first = node;
    } else if (after == TREE_ITEM_LAST) {
        node->prevSibling = last;
        if (last)
            last->nextSibling = node;
        else
            first = node;
        last = node;
    } else {
        Node* const sibling = NodeOf(after);
        node->prevSibling = sibling;
        node->nextSibling = sibling->nextSibling;
        sibling->nextSibling->prevSibling = node;
        sibling->nextSibling = node;
    }
    return Handle(node);
}

template <typename T>
HSTREEITEM CSTree<T>::DeleteItem(HSTREEITEM item)
{
    if (IsRoot(item)) {
        DeleteAllItems();
        return 0;
    }
    Node* const node = NodeOf(item);
    Node* const parent = node->parent;
    Node* const prev = node->prevSibling;
    Node* const next = node->nextSibling;
    FreeSubtree(node);
    if (prev)
        prev->nextSibling = next;
    else
        FirstOf(parent) = next;
    if (next)
        next->prevSibling = prev;
    else
        LastOf(parent) = prev;
    return Handle(next);
}

template <typename T>
void CSTree<T>::DeleteAllItems()
{
    Node* node = m_first;
    m_first = m_last = nullptr;
    while (node) {
        Node* const next = node->nextSibling;
        FreeSubtree(node);
        node = next;
    }
}

template <typename T>
HSTREEITEM CSTree<T>::GetChildItem(HSTREEITEM item, BOOL first) const
{
    if (IsRoot(item))
        return Handle(first ? m_first : m_last);
    return Handle(first ? NodeOf(item)->firstChild : NodeOf(item)->lastChild);
}

template <typename T>
int CSTree<T>::GetChildrenCount(HSTREEITEM item) const
{
    int count = 0;
    for (const Node* child = FirstOf(IsRoot(item) ? nullptr : NodeOf(item)); child; child = child->nextSibling)
        ++count;
    return count;
}

template <typename T>
HSTREEITEM CSTree<T>::GetNextItem(HSTREEITEM item) const
{
    if (IsRoot(item))
        return Handle(m_first);
    const Node* node = NodeOf(item);
    if (node->firstChild)
        return Handle(node->firstChild);
    for (; node; node = node->parent) {
        if (node->nextSibling)
            return Handle(node->nextSibling);
    }
    return 0;
}

template <typename T>
void CSTree<T>::SortChildren(HSTREEITEM item, FunTreeSortCallback compare, void* context)
{
    Node* const parent = IsRoot(item) ? nullptr : NodeOf(item);
    std::vector<HSTREEITEM> children;
    for (Node* child = FirstOf(parent); child; child = child->nextSibling)
        children.push_back(Handle(child));
    if (children.size() > 1) {
        std::sort(children.begin(), children.end(), [compare, context](HSTREEITEM a, HSTREEITEM b) {
            return compare(context, &a, &b) < 0;
        });
        Node* prev = nullptr;
        for (HSTREEITEM handle : children) {
            Node* const child = NodeOf(handle);
            child->prevSibling = prev;
            if (prev)
                prev->nextSibling = child;
            prev = child;
        }
        prev->nextSibling = nullptr;
        FirstOf(parent) = NodeOf(children.front());
        LastOf(parent) = prev;
    }
    for (HSTREEITEM handle : children) {
        if (NodeOf(handle)->firstChild)
            SortChildren(handle, compare, context);
    }
}

// Depth first, children in sibling order before their parent.
template <typename T>
void CSTree<T>::FreeSubtree(Node* node)
{
    Node* child = node->firstChild;
    while (child) {
        Node* const next = child->nextSibling;
        FreeSubtree(child);
        child = next;
    }
    OnNodeFree(node->data);
    std::unique_ptr<Node> owned(node);
}

}  // namespace SAKU
