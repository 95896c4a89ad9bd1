#pragma once

#include "core/SHashMap.h"
#include "res.mgr/IResProvider.h"

namespace SAKU {

// A resource's key in a folder's index: its type and name, lower-cased, so that a
// request in any case finds it. A type has at most 29 characters and a name at
// most 99; longer ones are never stored and never found.
struct SResKey {
    static constexpr int kMaxType = 29;
    static constexpr int kMaxName = 99;

    SStringW type;
    SStringW name;

    // False, with the key left empty, when a part is null or too long.
    bool Set(LPCWSTR typeText, LPCWSTR nameText);
};

template <>
struct SHashTraits<SResKey> {
    static UINT Hash(const SResKey& key);
    static bool Equals(const SResKey& a, const SResKey& b) { return a.type == b.type && a.name == b.name; }
};

// The resources of a folder, listed by the index "uires.idx" in it:
//   <resource><png><file name="btn_ok" path="img\btn_ok.png"/></png>...</resource>
// each element below the root a type, each "file" in it a name and a path
// relative to the folder. Called under the manager's lock.
class SResProviderFiles : public TObjRefImpl<IResProvider> {
public:
    // IResProvider overrides
    BOOL Init(WPARAM folder, LPARAM) override;   // the folder's path; FALSE without a readable index
    BOOL HasResource(LPCWSTR type, LPCWSTR name) override;
    HICON LoadIcon(LPCWSTR name, int cx, int cy) override;
    HBITMAP LoadBitmap(LPCWSTR name) override;
    HCURSOR LoadCursor(LPCWSTR name) override;
    IBitmap* LoadImage(LPCWSTR type, LPCWSTR name) override;
    IImgX* LoadImgX(LPCWSTR type, LPCWSTR name) override;
    size_t GetRawDataSize(LPCWSTR type, LPCWSTR name) override;
    BOOL GetRawData(LPCWSTR type, LPCWSTR name, void* buffer, size_t size) override;

private:
    // The resource's full path; empty when the index does not hold it.
    SStringW FullPath(LPCWSTR type, LPCWSTR name) const;

    SStringW m_folder;
    SHashMap<SResKey, SStringW> m_index;
};

}  // namespace SAKU
