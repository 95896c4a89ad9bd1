#pragma once

#include <cstdint>
#include <string>

namespace tivala {

// Receives the progress of a package download. HttpDownloadToFile calls it on
// the thread that runs the download, from inside libcurl's transfer, so it must
// return quickly, and it must not throw: the download keeps going whatever the
// callback does. The install service implements it by posting a record to its
// window.
class IHttpDownloadToFileCalback {
public:
    virtual ~IHttpDownloadToFileCalback() = default;

    // `done` and `total` count the whole file, the bytes of a resumed partial
    // file included; `percent` is done * 100 / total, truncated.
    virtual void OnProgress(int percent, int64_t done, int64_t total, int tag, const std::wstring& name) = 0;
};

}  // namespace tivala
