#include "core/SStringData.h"

#include "core/MemAlloc.h"

#include <cstdint>

namespace SAKU {

namespace {

// The empty string: a terminator wide enough for both character widths behind a
// header whose negative count keeps every copy from counting. It is writable so
// that a caller who writes the terminator of GetBuffer(0) does no harm, but the
// library itself never writes it.
struct EmptyBlock {
    SStringData header;
    wchar_t terminator;
};
EmptyBlock g_emptyBlock = {{-1, 0, 0}, 0};

// Bytes of a block for `capacity` characters, or 0 when that does not fit a size_t.
size_t BlockBytes(int capacity, size_t charSize)
{
    if (capacity < 0)
        return 0;
    const uint64_t bytes = sizeof(SStringData) + (static_cast<uint64_t>(capacity) + 1) * charSize;
    return bytes > SIZE_MAX ? 0 : static_cast<size_t>(bytes);
}

void Terminate(SStringData* block, int length, size_t charSize)
{
    block->length = length;
    char* const chars = block->Chars<char>();
    for (size_t i = 0; i < charSize; ++i)
        chars[length * charSize + i] = 0;
}

}  // namespace

LONG SStringData::Release()
{
    const LONG count = ::InterlockedDecrement(&refs);
    if (count <= 0)
        MemFree(this);
    return count;
}

SStringData* SStringData::Alloc(int capacity, size_t charSize)
{
    if (capacity == 0)
        return Empty();
    const size_t bytes = BlockBytes(capacity, charSize);
    if (bytes == 0)
        return nullptr;
    auto* const block = static_cast<SStringData*>(MemAlloc(bytes));
    if (!block)
        return nullptr;
    block->refs = 1;
    block->capacity = capacity;
    Terminate(block, capacity, charSize);
    return block;
}

SStringData* SStringData::Realloc(SStringData* block, int capacity, size_t charSize)
{
    const size_t bytes = BlockBytes(capacity, charSize);
    if (bytes == 0 || capacity == 0)
        return nullptr;
    auto* const grown = static_cast<SStringData*>(MemRealloc(block, bytes));
    if (!grown)
        return nullptr;
    grown->refs = 1;
    grown->capacity = capacity;
    Terminate(grown, capacity, charSize);
    return grown;
}

SStringData* SStringData::Empty()
{
    return &g_emptyBlock.header;
}

}  // namespace SAKU
