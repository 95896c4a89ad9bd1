#pragma once

#include "res.mgr/IResProvider.h"

namespace SAKU {

// The resources of a loaded module: the program's own, or those of the system
// resource module. The types "BITMAP", "ICON", "CURSOR" and "HTML" (any case) are
// the standard resource types; any other type is a named type of the module's
// resource table ("PNG", "LAYOUT", "UIDEF", ...). The module stays loaded by its
// owner for the provider's life. Called under the manager's lock.
class SResProviderPE : public TObjRefImpl<IResProvider> {
public:
    // IResProvider overrides
    BOOL Init(WPARAM module, LPARAM) override;   // the module handle; TRUE
    BOOL HasResource(LPCWSTR type, LPCWSTR name) override;
    HICON LoadIcon(LPCWSTR name, int cx, int cy) override;
    HBITMAP LoadBitmap(LPCWSTR name) override;
    HCURSOR LoadCursor(LPCWSTR name) override;
    IBitmap* LoadImage(LPCWSTR type, LPCWSTR name) override;
    IImgX* LoadImgX(LPCWSTR type, LPCWSTR name) override;
    size_t GetRawDataSize(LPCWSTR type, LPCWSTR name) override;
    BOOL GetRawData(LPCWSTR type, LPCWSTR name, void* buffer, size_t size) override;

private:
    // The resource's bytes; false when absent or empty.
    bool Locate(LPCWSTR type, LPCWSTR name, const void*& data, DWORD& size) const;
    HRSRC Find(LPCWSTR type, LPCWSTR name) const;

    HINSTANCE m_module = nullptr;
};

}  // namespace SAKU
