#include "service/PostMustArrive.h"

#include "sysutil/SysUtilTrace.h"

namespace tivala::detail {

bool RetryPost(HWND window, UINT message, const std::function<bool()>& post, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (window && post())
            return true;
        // A full queue drains while its thread runs; a window that is gone never comes back.
        if (!window || !::IsWindow(window) || ::GetTickCount64() >= deadline)
            break;
        ::Sleep(20);
    }
    SysUtil::TraceMessage(L"post", message, L"could not be posted; lost");
    return false;
}

}  // namespace tivala::detail
