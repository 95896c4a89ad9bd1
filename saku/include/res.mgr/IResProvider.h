#pragma once

#include "core/IObjRef.h"

#include <cstddef>

namespace SAKU {

struct IBitmap;
struct IImgX;

// A source of resources found by type and name: the resources of a loaded module
// or a folder described by an index file. Types and names match without regard to
// letter case. Handles and objects it loads belong to the caller. The manager
// calls providers under its lock; reference counts change with locked operations.
struct IResProvider : IObjRef {
    // Binds the provider to its source: a module handle (kResProviderPE) or a
    // folder path (kResProviderFiles) as the first parameter.
    virtual BOOL Init(WPARAM first, LPARAM second) = 0;
    virtual BOOL HasResource(LPCWSTR type, LPCWSTR name) = 0;
    // cx by cy pixels; 0 keeps the icon's own size.
    virtual HICON LoadIcon(LPCWSTR name, int cx, int cy) = 0;
    virtual HBITMAP LoadBitmap(LPCWSTR name) = 0;
    virtual HCURSOR LoadCursor(LPCWSTR name) = 0;
    // A new bitmap, decoded through the application's render factory, with one
    // reference for the caller; null when absent or when it does not decode.
    virtual IBitmap* LoadImage(LPCWSTR type, LPCWSTR name) = 0;
    // A new image with all its frames, one reference for the caller; null when
    // absent or without frames.
    virtual IImgX* LoadImgX(LPCWSTR type, LPCWSTR name) = 0;
    // 0 when absent.
    virtual size_t GetRawDataSize(LPCWSTR type, LPCWSTR name) = 0;
    // Copies the whole resource into `buffer`; FALSE when absent or empty, and
    // FALSE with the last error ERROR_INSUFFICIENT_BUFFER when it does not fit.
    virtual BOOL GetRawData(LPCWSTR type, LPCWSTR name, void* buffer, size_t size) = 0;

protected:
    virtual ~IResProvider() = default;   // deleted by its last Release only
};

// The kinds CreateResProvider makes.
constexpr int kResProviderPE = 0;      // a loaded module's resources
constexpr int kResProviderFiles = 1;   // a folder with the index "uires.idx"

// A new provider of the kind, not yet bound (Init), with one reference in
// `provider`; FALSE and null for an unknown kind.
BOOL CreateResProvider(int kind, IResProvider** provider);

}  // namespace SAKU
