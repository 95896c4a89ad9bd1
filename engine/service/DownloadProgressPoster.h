#pragma once

#include "http/IHttpDownloadToFileCalback.h"

#include <windows.h>

namespace tivala {

// Posts each progress report of a package download to the install service's
// window as WM_SVC_DOWNLOAD_PROGRESS (1, ModuleProgress). Made by the thread that
// downloads, over the window handle it was given; it only allocates and posts, so
// the download never waits for the UI thread. A report that cannot be posted is
// dropped: the next one supersedes it.
class DownloadProgressPoster final : public IHttpDownloadToFileCalback {
public:
    explicit DownloadProgressPoster(HWND serviceWindow) : m_serviceWindow(serviceWindow) {}

    // IHttpDownloadToFileCalback
    void OnProgress(int percent, int64_t done, int64_t total, int tag, const std::wstring& name) noexcept override;

private:
    HWND m_serviceWindow = nullptr;
};

}  // namespace tivala
