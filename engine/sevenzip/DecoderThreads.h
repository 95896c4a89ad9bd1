#pragma once

#include "CPP/7zip/Archive/IArchive.h"

#include <cstdint>
#include <string>
#include <vector>

// How many threads the reader's LZMA2 decoder may use. 7-Zip decodes a solid
// block on several threads only where its compressor split the block into
// independent parts (one every four dictionaries, 1 MB to 256 MB). For a block
// that was not split, the threaded decoder still allocates two buffers of that
// size and copies every byte once more through them: for the packages of an
// installation, about a third more unpacking time natively, more under Wine
// (where each newly touched page costs), and hundreds of megabytes of a 32-bit
// process. Any thread that may use the reader.
namespace SevenZip::intl {

// One solid block of an archive: its unpacked size and its coders as the reader
// names them ("LZMA2:25 BCJ").
struct SolidBlock {
    uint64_t size = 0;
    std::wstring method;
};

// The dictionary size that a method text gives LZMA2 ("LZMA2:25" is 2^25 bytes,
// "LZMA2:1536k" 1536 KiB); 0 when the method has no LZMA2.
uint64_t Lzma2DictionarySize(const std::wstring& method);

// Whether some block could be decoded in parts on several threads, or holds a
// coder other than LZMA2 (which may have threads of its own): then the library's
// own choice stands.
bool SomeBlockDecodesInParallel(const std::vector<SolidBlock>& blocks);

// The solid blocks of the open reader's archive; none for formats without blocks.
[[nodiscard]] HRESULT ReadSolidBlocks(IInArchive& reader, std::vector<SolidBlock>& blocks);

// Tells the open reader to decode on one thread when no block of its archive
// could use more. A reader that takes no settings keeps its own.
[[nodiscard]] HRESULT FitDecoderThreads(IInArchive& reader);

}  // namespace SevenZip::intl
