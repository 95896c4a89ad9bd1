#include "service/DownloadProgressPoster.h"

#include "service/InstallMessages.h"
#include "service/ProgressRecords.h"
#include "sysutil/HandOver.h"

#include <memory>

namespace tivala {

void DownloadProgressPoster::OnProgress(int percent, int64_t done, int64_t total, int tag,
                                        const std::wstring& name) noexcept
{
    try {
        auto progress = std::make_unique<ModuleProgress>();
        progress->percent = percent;
        progress->done = done;
        progress->total = total;
        progress->tag = tag;
        progress->name = name;
        (void)PostRecord(m_serviceWindow, WM_SVC_DOWNLOAD_PROGRESS, 1, std::move(progress));
    } catch (...) {
        // Called from inside libcurl's transfer: nothing may escape; the report is lost.
    }
}

}  // namespace tivala
