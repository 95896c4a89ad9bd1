#pragma once

#include "core/SHashTraits.h"
#include "core/TStringT.h"

namespace SAKU {

// The description of a font: the UI definition's default font and the font pool's
// key. The style word packs the size in pixels (bits 0-15), the character set
// (bits 16-23) and the flags below.
struct FontInfo {
    DWORD style = 0;
    SStringW face;
    SStringW propex;   // further properties as the XML text of a "propex" element
};

constexpr DWORD kFontSizeMask = 0xFFFF;
constexpr int kFontCharsetShift = 16;
constexpr DWORD kFontCharsetMask = 0xFF << kFontCharsetShift;
constexpr DWORD kFontItalic = 1u << 24;
constexpr DWORD kFontUnderline = 1u << 25;
constexpr DWORD kFontBold = 1u << 26;
constexpr DWORD kFontStrikeOut = 1u << 27;

constexpr int FontSize(DWORD style)
{
    return static_cast<int>(style & kFontSizeMask);
}

constexpr BYTE FontCharset(DWORD style)
{
    return static_cast<BYTE>((style & kFontCharsetMask) >> kFontCharsetShift);
}

// The font of a UI definition that names none, or names one the system lacks: 12
// pixels, character set 1, "宋体".
constexpr DWORD kDefaultFontStyle = 0x1000C;
extern const wchar_t kDefaultFontFace[];

template <>
struct SHashTraits<FontInfo> {
    static UINT Hash(const FontInfo& key)
    {
        return key.style + HashWideString(key.face.c_str()) * 1024 + HashWideString(key.propex.c_str()) * 32 + 1;
    }
    static bool Equals(const FontInfo& a, const FontInfo& b)
    {
        return a.style == b.style && a.face == b.face && a.propex == b.propex;
    }
};

}  // namespace SAKU
