#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace SevenZip {

// What an extraction tells its caller, and where the caller may stop it. The
// extractor borrows the callback for one SevenZipExtractor::ExtractArchive call
// and calls it on the extracting thread, except OnProgress, which the library may
// also call from one of its decoder threads. The defaults ask for nothing and
// refuse nothing. Not deleted through this base.
class ProgressCallback {
public:
    // True asks for the item list (OnItemList) before anything is extracted.
    virtual bool OnItemCount(uint32_t /*itemCount*/) { return false; }
    // False cancels: nothing is extracted and the extraction counts as done.
    virtual bool OnItemList(const std::vector<std::wstring>& /*paths*/, const std::vector<uint64_t>& /*sizes*/)
    {
        return true;
    }
    // The library's total, in unpacked bytes for most formats; `path` is empty.
    virtual void OnStart(const std::wstring& /*path*/, uint64_t /*totalBytes*/) {}
    // Packed bytes read and unpacked bytes written so far.
    virtual void OnProgress(uint64_t /*inSize*/, uint64_t /*outSize*/) {}
    // An item (file or folder) is complete at `path`, its times and attributes set.
    virtual void OnFileDone(const std::wstring& /*path*/, uint64_t /*size*/) {}
    // The extraction is over, whatever its result.
    virtual void OnDone(const std::wstring& /*path*/) {}
    // False aborts the extraction before the item's file is created.
    virtual bool OnFileStart(const std::wstring& /*folder*/, const std::wstring& /*itemPath*/) { return true; }
    // Comes before OnFileDone; false aborts the extraction after this item.
    virtual bool OnFileExtracted(const std::wstring& /*path*/, uint64_t /*size*/) { return true; }
    virtual void OnRollback(const std::wstring& /*path*/) {}

protected:
    ~ProgressCallback() = default;
};

}  // namespace SevenZip
