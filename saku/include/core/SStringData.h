#pragma once

#include <windows.h>

#include <cstddef>

namespace SAKU {

// The header in front of the characters of a TStringT block: the block is this
// header, `capacity` characters and room for the terminator. Blocks are shared
// between string copies and counted with interlocked operations, so copies may
// live on different threads. One static block of count -1 is the empty string of
// both character widths; it is never freed and never written.
struct SStringData {
    volatile LONG refs;   // sharers; -1 only in the empty block
    int length;           // characters in use; the character at `length` is 0
    int capacity;         // characters the block can hold

    template <typename T>
    T* Chars() { return reinterpret_cast<T*>(this + 1); }

    bool IsEmptyBlock() const { return this == Empty(); }
    bool IsShared() const { return refs > 1; }   // a shared block must not be written

    void AddRef() { ::InterlockedIncrement(&refs); }
    // Drops one reference and frees the block at 0; returns the new count. Never
    // called for the empty block.
    LONG Release();

    // A new block for `capacity` characters of `charSize` bytes: count 1, length
    // = capacity, terminator at capacity. Null when the size overflows or the
    // allocation fails; 0 characters give the empty block.
    static SStringData* Alloc(int capacity, size_t charSize);
    // Resizes an unshared block other than the empty one in place; null on
    // failure, when the old block stays as it was.
    static SStringData* Realloc(SStringData* block, int capacity, size_t charSize);
    static SStringData* Empty();
};

static_assert(sizeof(SStringData) == 12, "three 32-bit integers in front of the characters");

}  // namespace SAKU
