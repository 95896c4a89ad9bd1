#include "core/MemAlloc.h"

#include <cstdlib>

namespace SAKU {

void* MemAlloc(size_t bytes)
{
    return std::malloc(bytes);
}

void* MemAllocZeroed(size_t count, size_t elementSize)
{
    return std::calloc(count, elementSize);
}

void* MemRealloc(void* block, size_t bytes)
{
    return std::realloc(block, bytes);
}

void MemFree(void* block)
{
    std::free(block);
}

}  // namespace SAKU
