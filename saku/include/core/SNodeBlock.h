#pragma once

#include <cstddef>

namespace SAKU {

// One heap block of list or map nodes: an 8-byte header whose first word links the
// block into its owner's chain, then the nodes. Nodes are never freed one by one;
// the owner frees its whole chain when it empties.
struct SNodeBlock {
    SNodeBlock* next;
    void* reserved;   // keeps the nodes 8-byte aligned behind the header

    void* Nodes() { return this + 1; }

    // A block of `count` nodes of `nodeSize` bytes pushed on `chain`; null when the
    // size does not fit 32 bits or the allocation fails.
    static SNodeBlock* Create(SNodeBlock*& chain, size_t count, size_t nodeSize);
    static void FreeChain(SNodeBlock*& chain);
};

static_assert(sizeof(SNodeBlock) == 8, "an 8-byte header in front of the nodes");

}  // namespace SAKU
