#include "service/PostMustArrive.h"

#include <cstdio>

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
    std::printf("engine: message 0x%X could not be posted to window %p; lost\n", message, static_cast<void*>(window));
    std::fflush(stdout);
    return false;
}

}  // namespace tivala::detail
