#pragma once

#include <cstddef>

namespace SAKU {

// The UI library's allocation wrappers: every block of its strings and containers
// is taken and returned through them, so that one heap serves the whole library.
// Each answers null on failure and never throws; any thread.
void* MemAlloc(size_t bytes);
void* MemAllocZeroed(size_t count, size_t elementSize);
void* MemRealloc(void* block, size_t bytes);   // null on failure, the block then stays valid
void MemFree(void* block);

// Deleter for std::unique_ptr over a block from the wrappers.
struct MemDeleter {
    void operator()(void* block) const { MemFree(block); }
};

}  // namespace SAKU
