#include "core/SFontPool.h"

#include "core/SLayoutDim.h"
#include "core/SplitString.h"
#include "core/SXmlLookup.h"
#include "core/xml_writer_buff.h"
#include "render/IFont.h"
#include "render/IRenderFactory.h"
#include "res.mgr/SUiDef.h"

#include <pugixml.hpp>

#include <cstdlib>
#include <cwchar>

namespace SAKU {

namespace {

void ReleaseFont(IFont* const& font)
{
    font->Release();
}

// The font a description starts from: the current UI definition's default, or
// the library's default font while no definition is current.
FontInfo DefaultFont()
{
    SUiDef* const holder = SUiDef::GetInstance();
    if (IUiDefInfo* const uiDef = holder ? holder->GetUiDef() : nullptr)
        return uiDef->GetDefFontInfo();
    FontInfo font;
    font.style = kDefaultFontStyle;
    font.face = kDefaultFontFace;
    return font;
}

// What the items of a description set; absent sizes are 0.
struct FontRequest {
    DWORD style = 0;
    SStringW face;
    int size = 0;
    int adding = 0;
};

void SetFlag(DWORD& style, DWORD flag, const SStringW& value)
{
    if (value == L"0")
        style &= ~flag;
    else
        style |= flag;
}

void ApplyItem(const SStringW& key, const SStringW& value, int scale, FontRequest& request, pugi::xml_node propex)
{
    if (key == L"face") {
        request.face = value;
    } else if (key == L"size") {
        request.size = SLayoutDim(value).ToPixelSize(scale);
    } else if (key == L"adding") {
        request.adding = SLayoutDim(value).ToPixelSize(scale);
    } else if (key == L"bold") {
        SetFlag(request.style, kFontBold, value);
    } else if (key == L"italic") {
        SetFlag(request.style, kFontItalic, value);
    } else if (key == L"underline") {
        SetFlag(request.style, kFontUnderline, value);
    } else if (key == L"strike") {
        SetFlag(request.style, kFontStrikeOut, value);
    } else if (key == L"charset") {
        const DWORD charset = static_cast<DWORD>(_wtoi(value.c_str())) & 0xFF;
        request.style = (request.style & ~kFontCharsetMask) | charset << kFontCharsetShift;
    } else {
        pugi::xml_attribute attribute = XmlAttribute(propex, key.c_str());
        if (!attribute)
            attribute = propex.append_attribute(key.c_str());
        attribute.set_value(value.c_str());
    }
}

SStringW PrintElement(pugi::xml_node element)
{
    pugi::xml_writer_buff writer;
    element.print(writer, L"\t", pugi::format_indent, pugi::encoding_wchar);
    return writer.buffer();
}

LOGFONTW LogFontOf(const FontInfo& font)
{
    LOGFONTW logFont = {};
    logFont.lfHeight = -std::abs(static_cast<int>(static_cast<short>(FontSize(font.style))));
    logFont.lfWeight = (font.style & kFontBold) ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = (font.style & kFontItalic) ? TRUE : FALSE;
    logFont.lfUnderline = (font.style & kFontUnderline) ? TRUE : FALSE;
    logFont.lfStrikeOut = (font.style & kFontStrikeOut) ? TRUE : FALSE;
    logFont.lfCharSet = FontCharset(font.style);
    logFont.lfQuality = CLEARTYPE_QUALITY;
    // A face longer than the field keeps its first 31 characters.
    wcsncpy_s(logFont.lfFaceName, font.face.c_str(), _TRUNCATE);
    return logFont;
}

}  // namespace

SFontPool::SFontPool(IRenderFactory* renderFactory)
    : SSingletonMap<SFontPool, IFont*, FontInfo>(ReleaseFont), m_renderFactory(renderFactory)
{
}

SFontPool::~SFontPool()
{
    RemoveAll();
}

IFont* SFontPool::GetFont(const SStringW& description, int scale)
{
    const FontInfo defaults = DefaultFont();
    FontRequest request;
    request.style = defaults.style & ~kFontSizeMask;
    pugi::xml_document document;
    const pugi::xml_node propex = document.append_child(L"propex");

    SStringW lower = description;
    lower.MakeLower();
    SDynArray<SStringW> items;
    SplitString(lower, L',', items);
    // Last to first, so that of a key given twice the first one wins.
    for (int i = items.GetCount() - 1; i >= 0; --i) {
        SDynArray<SStringW> parts;
        if (SplitString(items[i], L':', parts) == 2)
            ApplyItem(parts[0], parts[1], scale, request, propex);
    }

    const int size = request.size != 0 ? request.size : scale * FontSize(defaults.style) / 100 + request.adding;
    FontInfo key;
    key.style = request.style | (static_cast<DWORD>(size) & kFontSizeMask);
    key.face = request.face.IsEmpty() ? defaults.face : request.face;
    key.propex = PrintElement(propex);

    IFont* font = nullptr;
    if (GetKeyObject(key, font))
        return font;
    if (!m_renderFactory || !m_renderFactory->CreateFont(&font, LogFontOf(key)) || !font)
        return nullptr;
    font->BuildFromXml(propex);
    if (!AddIfAbsent(key, font)) {
        font->Release();
        return nullptr;
    }
    return font;
}

IFont* FindFont(const SStringW& description, int scale)
{
    SFontPool* const pool = SFontPool::GetInstance();
    return pool ? pool->GetFont(description, scale) : nullptr;
}

}  // namespace SAKU
