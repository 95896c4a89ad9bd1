#pragma once

// The format codes of SevenZipArchive. Any code not listed here reads as 7z.
namespace SevenZip {

inline constexpr int kFormatNone = 0;   // detection found nothing; opened as 7z
inline constexpr int kFormat7z = 1;     // the default
inline constexpr int kFormatZip = 2;
inline constexpr int kFormatCab = 8;
inline constexpr int kFormatLzma = 9;
inline constexpr int kFormatLzma86 = 10;

}  // namespace SevenZip
