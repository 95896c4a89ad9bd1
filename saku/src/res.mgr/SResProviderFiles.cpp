#include "res.mgr/SResProviderFiles.h"

#include "core/SXmlLookup.h"
#include "res.mgr/ResFile.h"
#include "res.mgr/ResImage.h"

#include <pugixml.hpp>

#include <wchar.h>

namespace SAKU {

namespace {

constexpr DWORD kMaxFolderPath = 1024;

bool CopyLower(LPCWSTR text, int maxLength, SStringW& copy)
{
    if (!text || static_cast<int>(wcslen(text)) > maxLength)
        return false;
    copy = text;
    copy.MakeLower();
    return true;
}

}  // namespace

bool SResKey::Set(LPCWSTR typeText, LPCWSTR nameText)
{
    if (CopyLower(typeText, kMaxType, type) && CopyLower(nameText, kMaxName, name))
        return true;
    type.Empty();
    name.Empty();
    return false;
}

UINT SHashTraits<SResKey>::Hash(const SResKey& key)
{
    return HashWideString(key.name.c_str(), HashWideString(key.type.c_str()));
}

BOOL SResProviderFiles::Init(WPARAM folder, LPARAM)
{
    const auto* const path = reinterpret_cast<LPCWSTR>(folder);
    if (!path)
        return FALSE;
    m_folder = path;
    pugi::xml_document index;
    if (!index.load_file((m_folder + L"\\uires.idx").c_str(), pugi::parse_default, pugi::encoding_utf8))
        return FALSE;
    const pugi::xml_node root = XmlChild(index, L"resource");
    if (!root)
        return FALSE;
    for (pugi::xml_node type = root.first_child(); type; type = type.next_sibling()) {
        if (type.type() != pugi::node_element)
            continue;
        for (pugi::xml_node file = XmlChild(type, L"file"); file; file = XmlNextSibling(file, L"file")) {
            SResKey key;
            if (!key.Set(type.name(), XmlAttribute(file, L"name").value()))
                continue;   // outside the index's key fields
            if (SStringW* const relative = m_index.GetOrInsert(key))
                *relative = XmlAttribute(file, L"path").value();
        }
    }
    wchar_t full[kMaxFolderPath];
    const DWORD length = ::GetFullPathNameW(m_folder.c_str(), kMaxFolderPath, full, nullptr);
    if (length > 0 && length < kMaxFolderPath)
        m_folder = full;
    return TRUE;
}

SStringW SResProviderFiles::FullPath(LPCWSTR type, LPCWSTR name) const
{
    SResKey key;
    if (!key.Set(type, name))
        return SStringW();
    const auto* const entry = m_index.Lookup(key);
    if (!entry)
        return SStringW();
    return m_folder + L"\\" + entry->value;
}

BOOL SResProviderFiles::HasResource(LPCWSTR type, LPCWSTR name)
{
    SResKey key;
    return key.Set(type, name) && m_index.Lookup(key) != nullptr;
}

HICON SResProviderFiles::LoadIcon(LPCWSTR name, int cx, int cy)
{
    const SStringW path = FullPath(L"ICON", name);
    if (path.IsEmpty())
        return nullptr;
    return static_cast<HICON>(::LoadImageW(nullptr, path.c_str(), IMAGE_ICON, cx, cy, LR_LOADFROMFILE));
}

HBITMAP SResProviderFiles::LoadBitmap(LPCWSTR name)
{
    const SStringW path = FullPath(L"BITMAP", name);
    if (path.IsEmpty())
        return nullptr;
    return static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

HCURSOR SResProviderFiles::LoadCursor(LPCWSTR name)
{
    const SStringW path = FullPath(L"CURSOR", name);
    return path.IsEmpty() ? nullptr : ::LoadCursorFromFileW(path.c_str());
}

IBitmap* SResProviderFiles::LoadImage(LPCWSTR type, LPCWSTR name)
{
    const SStringW path = FullPath(type, name);
    return path.IsEmpty() ? nullptr : DecodeBitmapFile(path.c_str());
}

IImgX* SResProviderFiles::LoadImgX(LPCWSTR type, LPCWSTR name)
{
    const SStringW path = FullPath(type, name);
    return path.IsEmpty() ? nullptr : DecodeImgXFile(path.c_str());
}

size_t SResProviderFiles::GetRawDataSize(LPCWSTR type, LPCWSTR name)
{
    const SStringW path = FullPath(type, name);
    return path.IsEmpty() ? 0 : ResFileSize(path.c_str());
}

BOOL SResProviderFiles::GetRawData(LPCWSTR type, LPCWSTR name, void* buffer, size_t size)
{
    const SStringW path = FullPath(type, name);
    return path.IsEmpty() ? FALSE : ReadResFile(path.c_str(), buffer, size);
}

}  // namespace SAKU
