#pragma once

#include "core/SCriticalSection.h"
#include "core/SHashMap.h"
#include "core/SLinkedList.h"
#include "res.mgr/IResProvider.h"

namespace SAKU {

// Answers every resource request of the library from the newest provider that
// holds the resource, or from the file system for the type "file" (any case). A
// reference is a type, a colon and a name ("png:btn_ok", "LAYOUT:xml_mainwnd").
// The application object is the one manager. Every operation holds the manager's
// lock, also while it calls into a provider; the lock is recursive, so a provider
// or a UI definition may come back to the manager.
class SResProviderMgr {
public:
    SResProviderMgr() = default;
    virtual ~SResProviderMgr();
    SResProviderMgr(const SResProviderMgr&) = delete;
    SResProviderMgr& operator=(const SResProviderMgr&) = delete;

    // Adds `provider` as the newest, with a reference of its own. With `uiDef` (a
    // reference such as "uidef:xml_init") the provider's UI definition is loaded
    // and becomes the current one.
    void AddResProvider(IResProvider* provider, LPCWSTR uiDef = nullptr);
    // Removes and releases the newest entry of `provider`; nothing when absent.
    void RemoveResProvider(IResProvider* provider);
    // Releases every provider, oldest first.
    void RemoveAllResProviders();
    // The newest provider holding the resource, no reference added; null for a
    // null type or when none holds it.
    IResProvider* FindProvider(LPCWSTR type, LPCWSTR name);

    static bool IsFileType(LPCWSTR type);

    // As IResProvider's, for the type "file" on the path `name`.
    size_t GetRawDataSize(LPCWSTR type, LPCWSTR name);
    BOOL GetRawData(LPCWSTR type, LPCWSTR name, void* buffer, size_t size);

    // System cursor ids and names first; a cursor loaded from a provider or a file
    // is loaded once and kept (the manager destroys it).
    HCURSOR LoadCursor(LPCWSTR name, BOOL fromFile = FALSE);
    // The caller owns the icon.
    HICON LoadIcon(LPCWSTR name, int cx = 0, int cy = 0, BOOL fromFile = FALSE);
    // "name" or "name:size", the size in pixels for both sides.
    HICON LoadIconRef(LPCWSTR text);
    // A new bitmap with one reference for the caller; null when absent or when it
    // does not decode into at least one frame.
    IBitmap* LoadImage(LPCWSTR type, LPCWSTR name);
    // LoadImage of a "type:name" reference; null for text of any other shape.
    IBitmap* LoadImageRef(LPCWSTR text);

    // The system cursor id of a name ("arrow", "hand", ...; any case); 0 for others.
    static WORD SysCursorName2ID(LPCWSTR name);

    // A colour or text of an attribute through the current UI definition's named
    // values ("@color/name", "@string/name"); literals as written.
    static COLORREF GetColor(const SStringW& text);
    static SStringW GetString(const SStringW& text);

private:
    SCriticalSection m_lock;
    SLinkedList<IResProvider*> m_providers{10};   // one reference each; the tail is the newest
    SHashMap<SStringW, HCURSOR> m_cursors;        // owned; destroyed with the manager
};

// Stores GetColor(value) into `field` and answers `refresh`; an empty value is
// refused with E_FAIL, the field unchanged. The attribute maps' ATTRIBUTE_COLOR.
HRESULT StoreColorAttribute(COLORREF& field, const SStringW& value, HRESULT refresh);

// A resource reference cut at its first ':' into `type` and `name`; the number of
// parts (1 without a ':', then `type` holds the whole text).
int SplitResRef(const SStringW& text, SStringW& type, SStringW& name);

}  // namespace SAKU
