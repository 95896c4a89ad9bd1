#pragma once

#include <windows.h>

#include <memory>

// Hands heap records from worker threads to the UI thread's windows. The sender
// allocates the record; ownership passes only when the post succeeds, so a record
// is never lost to a failed post nor freed twice. The receiver adopts it on the
// first line of its handler with TakeRecord. Any thread.
namespace tivala {

namespace detail {

// Posts with `record` in the slot that `post` chooses; false, with the record
// deleted, when there is no window or the post fails (a full queue, a window
// that is gone). A null window would make it a message to the calling thread,
// which no window procedure sees.
template <typename Record, typename Post>
[[nodiscard]] bool PostOwned(HWND window, std::unique_ptr<Record> record, Post post)
{
    if (!window || !post(record.get()))
        return false;
    record.release();   // the receiver owns it now
    return true;
}

}  // namespace detail

// Posts `message` with the record in lParam.
template <typename Record>
[[nodiscard]] bool PostRecord(HWND window, UINT message, WPARAM wParam, std::unique_ptr<Record> record)
{
    return detail::PostOwned(window, std::move(record), [&](Record* pointer) {
        return ::PostMessageW(window, message, wParam, reinterpret_cast<LPARAM>(pointer)) != FALSE;
    });
}

// Posts `message` with the record in wParam, as the unpacked-file messages carry it.
template <typename Record>
[[nodiscard]] bool PostRecordInWParam(HWND window, UINT message, std::unique_ptr<Record> record, LPARAM lParam)
{
    return detail::PostOwned(window, std::move(record), [&](Record* pointer) {
        return ::PostMessageW(window, message, reinterpret_cast<WPARAM>(pointer), lParam) != FALSE;
    });
}

// The receiver's side: adopts the record that a message carries in `param`
// (its wParam or lParam); empty when it carries none.
template <typename Record, typename Param>
std::unique_ptr<Record> TakeRecord(Param param)
{
    return std::unique_ptr<Record>(reinterpret_cast<Record*>(param));
}

}  // namespace tivala
