#pragma once

#include "TComPtr.h"

#include "CPP/7zip/Archive/IArchive.h"

#include <vector>

struct CArcInfo;
struct CCodecInfo;

// The wrapper's way into 7-Zip's library: its one-time set-up and the readers it
// creates by class id. Any thread; the set-up runs once per process, whichever
// thread comes first.
namespace SevenZip::intl {

// Registers the wrapper's own format and codec records with the library and
// builds its CRC tables. The library's own start-up has registered the same
// entries already; a lookup finds the library's first, so the duplicates change
// nothing.
void EnsureLibraryReady();

// The class id of the reader for a format code (ArchiveFormat.h); 7z's
// for any code without a reader of its own.
GUID ReaderClassId(int format);

// A new reader for the format, through the library's CreateObject.
[[nodiscard]] HRESULT CreateReader(int format, TComPtr<IInArchive>& reader);

// The records that EnsureLibraryReady registers, built from the library's handler
// and coder classes. The lzma, lzma86 and byte-swap handlers are declared only in
// the library's own sources, so their one registration is the library's.
std::vector<const CArcInfo*> OwnFormatRecords();
std::vector<const CCodecInfo*> OwnCodecRecords();

}  // namespace SevenZip::intl
