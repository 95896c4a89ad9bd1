#pragma once

#include "Win32Handles.h"

#include <windows.h>
#include <process.h>

#include <memory>

// Hands heap records from one thread to another: to a window with a posted
// message, to a thread with a thread message, or to a new thread as its
// argument. The sender allocates the record; ownership passes only when the
// hand-over succeeds, so a record is never lost to a failed post nor freed twice.
// The receiver adopts it on the first line of its handler or thread entry with
// TakeRecord. Any thread.
namespace tivala {

// Gives the record's pointer to `send`, which passes it on and answers whether
// that worked: the one place where an owned record leaves its owner. False, with
// the record freed here, when it did not.
template <typename Record, typename Send>
[[nodiscard]] bool HandOver(std::unique_ptr<Record> record, Send send)
{
    if (!send(record.get()))
        return false;
    record.release();   // the receiver owns it now
    return true;
}

// Posts `message` with the record in lParam; false, with the record freed, when
// there is no window or the post fails (a full queue, a window that is gone). A
// null window would make it a message to the calling thread, which no window
// procedure sees.
template <typename Record>
[[nodiscard]] bool PostRecord(HWND window, UINT message, WPARAM wParam, std::unique_ptr<Record> record)
{
    return window && HandOver(std::move(record), [&](Record* pointer) {
               return ::PostMessageW(window, message, wParam, reinterpret_cast<LPARAM>(pointer)) != FALSE;
           });
}

// The same with the record in wParam, as the unpacked-file messages carry it.
template <typename Record>
[[nodiscard]] bool PostRecordInWParam(HWND window, UINT message, std::unique_ptr<Record> record, LPARAM lParam)
{
    return window && HandOver(std::move(record), [&](Record* pointer) {
               return ::PostMessageW(window, message, reinterpret_cast<WPARAM>(pointer), lParam) != FALSE;
           });
}

// Posts the thread message `message` with the record in wParam; false, with the
// record freed, when the thread is gone or its queue is full.
template <typename Record>
[[nodiscard]] bool PostThreadRecord(DWORD threadId, UINT message, std::unique_ptr<Record> record)
{
    return HandOver(std::move(record), [&](Record* pointer) {
        return ::PostThreadMessageW(threadId, message, reinterpret_cast<WPARAM>(pointer), 0) != FALSE;
    });
}

// Starts `entry` on a thread of its own with the record as its argument; the
// thread's handle, for waiting for its end, and `threadId` its id when given.
// An empty handle, with the record freed, when no thread could be made.
template <typename Record>
[[nodiscard]] UniqueHandle StartWaitableThreadWithRecord(unsigned(__stdcall* entry)(void*),
                                                         std::unique_ptr<Record> record, unsigned* threadId = nullptr)
{
    UniqueHandle thread;
    (void)HandOver(std::move(record), [&](Record* pointer) {   // the handle says whether it started
        thread.Reset(reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, entry, pointer, 0, threadId)));
        return static_cast<bool>(thread);
    });
    return thread;
}

// The same for a thread that nobody waits for: its handle is closed at once.
// False when no thread could be made.
template <typename Record>
[[nodiscard]] bool StartThreadWithRecord(unsigned(__stdcall* entry)(void*), std::unique_ptr<Record> record,
                                         unsigned* threadId = nullptr)
{
    return static_cast<bool>(StartWaitableThreadWithRecord(entry, std::move(record), threadId));
}

// The receiver's side: adopts the record that a message or a thread's argument
// carries in `param`; empty when it carries none.
template <typename Record, typename Param>
std::unique_ptr<Record> TakeRecord(Param param)
{
    return std::unique_ptr<Record>(reinterpret_cast<Record*>(param));
}

}  // namespace tivala
