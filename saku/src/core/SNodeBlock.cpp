#include "core/SNodeBlock.h"

#include "core/MemAlloc.h"

#include <cstdint>

namespace SAKU {

SNodeBlock* SNodeBlock::Create(SNodeBlock*& chain, size_t count, size_t nodeSize)
{
    const uint64_t bytes = static_cast<uint64_t>(count) * nodeSize;
    if (bytes >= 0xFFFFFFF8u)
        return nullptr;
    auto* const block = static_cast<SNodeBlock*>(MemAlloc(sizeof(SNodeBlock) + static_cast<size_t>(bytes)));
    if (!block)
        return nullptr;
    block->next = chain;
    block->reserved = nullptr;
    chain = block;
    return block;
}

void SNodeBlock::FreeChain(SNodeBlock*& chain)
{
    while (chain) {
        SNodeBlock* const next = chain->next;
        MemFree(chain);
        chain = next;
    }
}

}  // namespace SAKU
