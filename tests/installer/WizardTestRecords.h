#pragma once

// What the wizard's tests hand the dialog and the engine-message handler: the
// heap records of the engine's messages, which the receiver adopts, and the
// scripted answers of the stand-ins for a person.

#include <windows.h>

#include <deque>
#include <memory>
#include <string>

namespace installer_test {

// A record of the engine's messages at `percent`, for the message's lParam.
template <typename Record>
LPARAM Carry(int percent)
{
    auto record = std::make_unique<Record>();
    record->percent = percent;
    return reinterpret_cast<LPARAM>(record.release());   // the receiver adopts it
}

// The file name that an unpacked-file message carries in its wParam.
inline WPARAM CarryText(const std::wstring& text)
{
    return reinterpret_cast<WPARAM>(std::make_unique<std::wstring>(text).release());   // the receiver adopts it
}

// The next answer of a script, or `otherwise` when it has run out.
template <typename T>
T TakeNext(std::deque<T>& script, T otherwise)
{
    if (script.empty())
        return otherwise;
    T next = std::move(script.front());
    script.pop_front();
    return next;
}

}  // namespace installer_test
