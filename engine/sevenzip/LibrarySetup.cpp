// The handler and coder classes created here change their layout with the
// library's build macros. Format7zF's makefile builds with Z7_EXTERNAL_CODECS and
// every library source starts with Common.h; both must hold here as well, or the
// objects allocated here would differ in size from what the library's
// constructors fill.
#define Z7_EXTERNAL_CODECS
#include "CPP/Common/Common.h"

#include "sevenzip/LibrarySetup.h"

#include "sevenzip/ArchiveFormat.h"

#include "C/7zCrc.h"
#include "CPP/7zip/Archive/7z/7zHandler.h"
#include "CPP/7zip/Archive/Cab/CabHandler.h"
#include "CPP/7zip/Archive/Cab/CabHeader.h"
#include "CPP/7zip/Archive/Zip/ZipHandler.h"
#include "CPP/7zip/Archive/Zip/ZipIn.h"
#include "CPP/7zip/Common/RegisterArc.h"
#include "CPP/7zip/Common/RegisterCodec.h"
#include "CPP/7zip/Compress/CopyCoder.h"
#include "CPP/7zip/Compress/DeflateDecoder.h"
#include "CPP/7zip/Compress/Lzma2Decoder.h"
#include "CPP/7zip/Compress/LzmaDecoder.h"
#include "CPP/7zip/Crypto/7zAes.h"
#include "CPP/7zip/Crypto/MyAes.h"

// The library exports it for programs that load it as a DLL; no header declares it.
STDAPI CreateObject(const GUID* clsid, const GUID* iid, void** outObject);

namespace SevenZip::intl {

namespace {

// --- Formats ---------------------------------------------------------------
// Ids, signatures and flags as the library's own records have them; the wrapper
// only reads, so no record creates writers.

IInArchive* NewSevenZipHandler() { return new NArchive::N7z::CHandler(); }
IInArchive* NewZipHandler() { return new NArchive::NZip::CHandler(); }
IInArchive* NewCabHandler() { return new NArchive::NCab::CHandler(); }

const Byte kSevenZipSignature[] = {'7', 'z', 0xBC, 0xAF, 0x27, 0x1C};
const Byte kZipSignatures[] = {
    4, 0x50, 0x4B, 0x03, 0x04,               // local header
    4, 0x50, 0x4B, 0x05, 0x06,               // end of central directory
    4, 0x50, 0x4B, 0x06, 0x06,               // zip64 end of central directory
    6, 0x50, 0x4B, 0x07, 0x08, 0x50, 0x4B,   // spanned
    6, 0x50, 0x4B, 0x30, 0x30, 0x50, 0x4B,   // spanning marker without spanning
};

const CArcInfo kSevenZipFormat = {
    NArcInfoFlags::kFindSignature | NArcInfoFlags::kCTime | NArcInfoFlags::kATime | NArcInfoFlags::kMTime |
        NArcInfoFlags::kMTime_Default,
    0x07, sizeof(kSevenZipSignature), 0, kSevenZipSignature, "7z", "7z", nullptr,
    TIME_PREC_TO_ARC_FLAGS_MASK(NFileTimeType::kWindows) | TIME_PREC_TO_ARC_FLAGS_TIME_DEFAULT(NFileTimeType::kWindows),
    NewSevenZipHandler, nullptr, nullptr};

const CArcInfo kZipFormat = {
    NArcInfoFlags::kFindSignature | NArcInfoFlags::kMultiSignature | NArcInfoFlags::kUseGlobalOffset |
        NArcInfoFlags::kCTime | NArcInfoFlags::kATime | NArcInfoFlags::kMTime | NArcInfoFlags::kMTime_Default,
    0x01, sizeof(kZipSignatures), 0, kZipSignatures, "zip", "zip", nullptr,
    TIME_PREC_TO_ARC_FLAGS_MASK(NFileTimeType::kWindows) | TIME_PREC_TO_ARC_FLAGS_MASK(NFileTimeType::kUnix) |
        TIME_PREC_TO_ARC_FLAGS_MASK(NFileTimeType::kDOS) | TIME_PREC_TO_ARC_FLAGS_TIME_DEFAULT(NFileTimeType::kWindows),
    NewZipHandler, nullptr, IsArc_Zip};

const CArcInfo kCabFormat = {
    NArcInfoFlags::kFindSignature, 0x08, NArchive::NCab::NHeader::kMarkerSize, 0, NArchive::NCab::NHeader::kMarker,
    "Cab", "cab", nullptr, 0, NewCabHandler, nullptr, nullptr};

// --- Codecs ----------------------------------------------------------------
// The library hands a coder out as the interface its record promises: filters
// as ICompressFilter, the others as ICompressCoder.

void* NewCopyCoder() { return static_cast<ICompressCoder*>(new NCompress::CCopyCoder()); }
void* NewLzma2Decoder() { return static_cast<ICompressCoder*>(new NCompress::NLzma2::CDecoder()); }
void* NewLzmaDecoder() { return static_cast<ICompressCoder*>(new NCompress::NLzma::CDecoder()); }
void* NewDeflateDecoder() { return static_cast<ICompressCoder*>(new NCompress::NDeflate::NDecoder::CCOMCoder()); }
void* New7zAesDecoder() { return static_cast<ICompressFilter*>(new NCrypto::N7z::CDecoder()); }
void* NewAes256CbcDecoder() { return static_cast<ICompressFilter*>(new NCrypto::CAesCbcDecoder(32)); }

const CCodecInfo kCopyCodec = {NewCopyCoder, NewCopyCoder, 0x00, "Copy", 1, false};
const CCodecInfo kLzma2Codec = {NewLzma2Decoder, nullptr, 0x21, "LZMA2", 1, false};
const CCodecInfo kLzmaCodec = {NewLzmaDecoder, nullptr, 0x030101, "LZMA", 1, false};
const CCodecInfo kDeflateCodec = {NewDeflateDecoder, nullptr, 0x040108, "Deflate", 1, false};
const CCodecInfo k7zAesCodec = {New7zAesDecoder, nullptr, 0x06F10701, "7zAES", 1, true};
const CCodecInfo kAes256CbcCodec = {NewAes256CbcDecoder, nullptr, 0x06F00181, "AES256CBC", 1, true};

bool RegisterOwnRecords()
{
    for (const CArcInfo* format : OwnFormatRecords())
        RegisterArc(format);
    for (const CCodecInfo* codec : OwnCodecRecords())
        RegisterCodec(codec);
    CrcGenerateTable();
    return true;
}

}  // namespace

void EnsureLibraryReady()
{
    // A function-local static: the first thread runs the set-up, any other waits for it.
    static const bool ready = RegisterOwnRecords();
    (void)ready;
}

GUID ReaderClassId(int format)
{
    Byte id = kSevenZipFormat.Id;
    switch (format) {
    case kFormatZip: id = kZipFormat.Id; break;
    case kFormatCab: id = kCabFormat.Id; break;
    case kFormatLzma: id = 0x0A; break;
    case kFormatLzma86: id = 0x0B; break;
    default: break;
    }
    // {23170F69-40C1-278A-1000-000110xx0000}
    return {k_7zip_GUID_Data1, k_7zip_GUID_Data2, k_7zip_GUID_Data3_Common,
            {0x10, 0x00, 0x00, 0x01, 0x10, id, 0x00, 0x00}};
}

HRESULT CreateReader(int format, TComPtr<IInArchive>& reader)
{
    EnsureLibraryReady();
    reader.Reset();
    const GUID classId = ReaderClassId(format);
    void* object = nullptr;
    const HRESULT result = ::CreateObject(&classId, &IID_IInArchive, &object);
    if (result != S_OK || !object)
        return result != S_OK ? result : E_FAIL;
    reader.Attach(static_cast<IInArchive*>(object));   // CreateObject handed out a reference
    return S_OK;
}

std::vector<const CArcInfo*> OwnFormatRecords()
{
    return {&kCabFormat, &kSevenZipFormat, &kZipFormat};
}

std::vector<const CCodecInfo*> OwnCodecRecords()
{
    // Copy appears twice; like the library's own duplicates, the second entry is never found.
    return {&kCopyCodec, &kCopyCodec, &kLzma2Codec, &kLzmaCodec, &kDeflateCodec, &k7zAesCodec, &kAes256CbcCodec};
}

}  // namespace SevenZip::intl
