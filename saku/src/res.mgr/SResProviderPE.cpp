#include "res.mgr/SResProviderPE.h"

#include "res.mgr/ResImage.h"

#include <cstring>
#include <wchar.h>

namespace SAKU {

namespace {

// The standard resource type a type word names, or the word itself as a named type.
LPCWSTR ResourceType(LPCWSTR type)
{
    const struct {
        const wchar_t* word;
        LPCWSTR type;
    } kStandard[] = {
        {L"BITMAP", RT_BITMAP},
        {L"ICON",   RT_GROUP_ICON},
        {L"CURSOR", RT_GROUP_CURSOR},
        {L"HTML",   RT_HTML},
    };
    for (const auto& standard : kStandard) {
        if (_wcsicmp(type, standard.word) == 0)
            return standard.type;
    }
    return type;
}

}  // namespace

BOOL SResProviderPE::Init(WPARAM module, LPARAM)
{
    m_module = reinterpret_cast<HINSTANCE>(module);
    return TRUE;
}

HRSRC SResProviderPE::Find(LPCWSTR type, LPCWSTR name) const
{
    if (!type || !name)
        return nullptr;
    const LPCWSTR resourceType = ResourceType(type);
    HRSRC resource = ::FindResourceW(m_module, name, resourceType);
    // An animated cursor is a resource of its own type.
    if (!resource && resourceType == RT_GROUP_CURSOR)
        resource = ::FindResourceW(m_module, name, RT_ANICURSOR);
    return resource;
}

bool SResProviderPE::Locate(LPCWSTR type, LPCWSTR name, const void*& data, DWORD& size) const
{
    const HRSRC resource = Find(type, name);
    if (!resource)
        return false;
    size = ::SizeofResource(m_module, resource);
    const HGLOBAL loaded = size ? ::LoadResource(m_module, resource) : nullptr;
    data = loaded ? ::LockResource(loaded) : nullptr;
    return data != nullptr;
}

BOOL SResProviderPE::HasResource(LPCWSTR type, LPCWSTR name)
{
    return Find(type, name) != nullptr;
}

HICON SResProviderPE::LoadIcon(LPCWSTR name, int cx, int cy)
{
    return static_cast<HICON>(::LoadImageW(m_module, name, IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
}

HBITMAP SResProviderPE::LoadBitmap(LPCWSTR name)
{
    return ::LoadBitmapW(m_module, name);
}

HCURSOR SResProviderPE::LoadCursor(LPCWSTR name)
{
    const HRSRC animated = ::FindResourceW(m_module, name, RT_ANICURSOR);
    if (!animated)
        return ::LoadCursorW(m_module, name);
    const DWORD size = ::SizeofResource(m_module, animated);
    const HGLOBAL loaded = size ? ::LoadResource(m_module, animated) : nullptr;
    auto* const bytes = static_cast<BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!bytes)
        return nullptr;
    return ::CreateIconFromResource(bytes, size, FALSE, 0x30000);
}

IBitmap* SResProviderPE::LoadImage(LPCWSTR type, LPCWSTR name)
{
    const void* data = nullptr;
    DWORD size = 0;
    return Locate(type, name, data, size) ? DecodeBitmap(data, size) : nullptr;
}

IImgX* SResProviderPE::LoadImgX(LPCWSTR type, LPCWSTR name)
{
    const void* data = nullptr;
    DWORD size = 0;
    return Locate(type, name, data, size) ? DecodeImgX(data, size) : nullptr;
}

size_t SResProviderPE::GetRawDataSize(LPCWSTR type, LPCWSTR name)
{
    const HRSRC resource = Find(type, name);
    return resource ? ::SizeofResource(m_module, resource) : 0;
}

BOOL SResProviderPE::GetRawData(LPCWSTR type, LPCWSTR name, void* buffer, size_t size)
{
    const void* data = nullptr;
    DWORD length = 0;
    if (!Locate(type, name, data, length))
        return FALSE;
    if (size < length) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    memcpy(buffer, data, length);
    return TRUE;
}

}  // namespace SAKU
