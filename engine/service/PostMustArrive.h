#pragma once

#include "sysutil/HandOver.h"

#include <windows.h>

#include <functional>
#include <memory>

// Posting the messages that end a worker's story (a failure, the manifest, the
// end of the installation): a full queue does not make them vanish. The post is
// tried again until it succeeds, the window is gone or a bound has passed; a
// message that still could not go is written to standard output, never dropped
// silently, and its record freed. Any thread but the target window's own, whose
// queue only empties when that thread returns to its loop.
namespace tivala {

namespace detail {
// Calls `post` until it returns true, `window` is no window, or `timeoutMs` has
// passed; traces the message number when it gave up.
bool RetryPost(HWND window, UINT message, const std::function<bool()>& post, DWORD timeoutMs);
}  // namespace detail

inline constexpr DWORD kMustArriveTimeoutMs = 30000;

[[nodiscard]] inline bool PostMustArrive(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return detail::RetryPost(window, message, [&] { return ::PostMessageW(window, message, wParam, lParam) != FALSE; },
                             kMustArriveTimeoutMs);
}

template <typename Record>
[[nodiscard]] bool PostRecordMustArrive(HWND window, UINT message, WPARAM wParam, std::unique_ptr<Record> record)
{
    return HandOver(std::move(record), [&](Record* pointer) {
        return detail::RetryPost(
            window, message,
            [&] { return ::PostMessageW(window, message, wParam, reinterpret_cast<LPARAM>(pointer)) != FALSE; },
            kMustArriveTimeoutMs);
    });
}

}  // namespace tivala
