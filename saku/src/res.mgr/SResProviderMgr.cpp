#include "res.mgr/SResProviderMgr.h"

#include "core/SApplication.h"
#include "render/IBitmap.h"
#include "res.mgr/ResFile.h"
#include "res.mgr/ResImage.h"
#include "res.mgr/SUiDef.h"

#include <cwchar>

namespace SAKU {

namespace {

const struct {
    const wchar_t* name;
    WORD id;
} kSystemCursors[] = {
    {L"arrow",    32512},   // IDC_ARROW
    {L"ibeam",    32513},   // IDC_IBEAM
    {L"wait",     32514},   // IDC_WAIT
    {L"cross",    32515},   // IDC_CROSS
    {L"uparrow",  32516},   // IDC_UPARROW
    {L"size",     32640},   // IDC_SIZE
    {L"sizenwse", 32642},   // IDC_SIZENWSE
    {L"sizenesw", 32643},   // IDC_SIZENESW
    {L"sizewe",   32644},   // IDC_SIZEWE
    {L"sizens",   32645},   // IDC_SIZENS
    {L"sizeall",  32646},   // IDC_SIZEALL
    {L"no",       32648},   // IDC_NO
    {L"hand",     32649},   // IDC_HAND
    {L"help",     32651},   // IDC_HELP
};

IUiDefInfo* CurrentUiDef()
{
    SUiDef* const uiDef = SUiDef::GetInstance();
    return uiDef ? uiDef->GetUiDef() : nullptr;
}

}  // namespace

int SplitResRef(const SStringW& text, SStringW& type, SStringW& name)
{
    const int colon = text.Find(L':');
    if (colon < 0) {
        type = text;
        name.Empty();
        return 1;
    }
    type = text.Left(colon);
    name = text.Mid(colon + 1);
    return 2;
}

HRESULT StoreColorAttribute(COLORREF& field, const SStringW& value, HRESULT refresh)
{
    if (value.IsEmpty())
        return E_FAIL;
    field = SResProviderMgr::GetColor(value);
    return refresh;
}

SResProviderMgr::~SResProviderMgr()
{
    RemoveAllResProviders();
    SAutoLock lock(m_lock);
    for (auto* node = m_cursors.GetStartPosition(); node; node = m_cursors.GetNext(node))
        ::DestroyCursor(node->value);
    m_cursors.RemoveAll();
}

void SResProviderMgr::AddResProvider(IResProvider* provider, LPCWSTR uiDef)
{
    if (!provider)
        return;
    SAutoLock lock(m_lock);
    if (!m_providers.AddTail(provider))
        return;
    provider->AddRef();
    if (uiDef) {
        auto definition = SAutoRef<IUiDefInfo>::Adopt(new SUiDefInfo(provider, uiDef));
        if (SUiDef* const holder = SUiDef::GetInstance())
            holder->SelectDefinition(definition.Get());
    }
}

void SResProviderMgr::RemoveResProvider(IResProvider* provider)
{
    SAutoLock lock(m_lock);
    for (auto* node = m_providers.GetTail(); node; node = node->prev) {
        if (node->value == provider) {
            m_providers.RemoveAt(node);
            provider->Release();
            return;
        }
    }
}

void SResProviderMgr::RemoveAllResProviders()
{
    SAutoLock lock(m_lock);
    while (m_providers.GetCount() > 0)
        m_providers.RemoveHead()->Release();
}

IResProvider* SResProviderMgr::FindProvider(LPCWSTR type, LPCWSTR name)
{
    if (!type)
        return nullptr;
    SAutoLock lock(m_lock);
    for (auto* node = m_providers.GetTail(); node; node = node->prev) {
        if (node->value->HasResource(type, name))
            return node->value;
    }
    return nullptr;
}

bool SResProviderMgr::IsFileType(LPCWSTR type)
{
    return type && _wcsicmp(type, L"file") == 0;
}

size_t SResProviderMgr::GetRawDataSize(LPCWSTR type, LPCWSTR name)
{
    SAutoLock lock(m_lock);
    if (IsFileType(type))
        return ResFileSize(name);
    IResProvider* const provider = FindProvider(type, name);
    return provider ? provider->GetRawDataSize(type, name) : 0;
}

BOOL SResProviderMgr::GetRawData(LPCWSTR type, LPCWSTR name, void* buffer, size_t size)
{
    SAutoLock lock(m_lock);
    if (IsFileType(type))
        return ReadResFile(name, buffer, size);
    IResProvider* const provider = FindProvider(type, name);
    return provider ? provider->GetRawData(type, name, buffer, size) : FALSE;
}

HCURSOR SResProviderMgr::LoadCursor(LPCWSTR name, BOOL fromFile)
{
    if (IS_INTRESOURCE(name))
        return ::LoadCursorW(nullptr, name);
    if (const WORD id = SysCursorName2ID(name))
        return ::LoadCursorW(nullptr, MAKEINTRESOURCEW(id));
    SAutoLock lock(m_lock);
    const SStringW key(name);
    if (const auto* const cached = m_cursors.Lookup(key))
        return cached->value;
    HCURSOR cursor = nullptr;
    if (fromFile) {
        cursor = ::LoadCursorFromFileW(name);
    } else if (IResProvider* const provider = FindProvider(L"CURSOR", name)) {
        cursor = provider->LoadCursor(name);
    }
    if (!cursor)
        return nullptr;
    HCURSOR* const slot = m_cursors.GetOrInsert(key);
    if (!slot) {
        // Not kept, it would never be destroyed: the request fails as for a missing cursor.
        ::DestroyCursor(cursor);
        return nullptr;
    }
    *slot = cursor;
    return cursor;
}

HICON SResProviderMgr::LoadIcon(LPCWSTR name, int cx, int cy, BOOL fromFile)
{
    if (fromFile)
        return static_cast<HICON>(::LoadImageW(nullptr, name, IMAGE_ICON, cx, cy, LR_LOADFROMFILE));
    SAutoLock lock(m_lock);
    IResProvider* const provider = FindProvider(L"ICON", name);
    return provider ? provider->LoadIcon(name, cx, cy) : nullptr;
}

HICON SResProviderMgr::LoadIconRef(LPCWSTR text)
{
    SStringW name;
    SStringW size;
    if (SplitResRef(text, name, size) == 1)
        return LoadIcon(name, 0, 0, FALSE);
    const int pixels = _wtoi(size.c_str());
    return LoadIcon(name, pixels, pixels, FALSE);
}

IBitmap* SResProviderMgr::LoadImage(LPCWSTR type, LPCWSTR name)
{
    if (!type)
        return nullptr;
    if (IsFileType(type))
        return DecodeBitmapFile(name);
    SAutoLock lock(m_lock);
    IResProvider* const provider = FindProvider(type, name);
    return provider ? provider->LoadImage(type, name) : nullptr;
}

IBitmap* SResProviderMgr::LoadImageRef(LPCWSTR text)
{
    SStringW type;
    SStringW name;
    if (SplitResRef(text, type, name) != 2)
        return nullptr;
    return LoadImage(type, name);
}

WORD SResProviderMgr::SysCursorName2ID(LPCWSTR name)
{
    if (IS_INTRESOURCE(name))
        return 0;
    for (const auto& cursor : kSystemCursors) {
        if (_wcsicmp(name, cursor.name) == 0)
            return cursor.id;
    }
    return 0;
}

// Without a current UI definition the named values are empty tables: literal
// colours still parse and every reference gives its fallback.
COLORREF SResProviderMgr::GetColor(const SStringW& text)
{
    static const SNamedColor kNoColors;
    IUiDefInfo* const uiDef = CurrentUiDef();
    return (uiDef ? uiDef->GetNamedColor() : kNoColors).Get(text);
}

SStringW SResProviderMgr::GetString(const SStringW& text)
{
    static const SNamedString kNoStrings;
    IUiDefInfo* const uiDef = CurrentUiDef();
    return (uiDef ? uiDef->GetNamedString() : kNoStrings).Get(text);
}

}  // namespace SAKU
