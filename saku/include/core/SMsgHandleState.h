#pragma once

#include <windows.h>

namespace SAKU {

// The handled flag of the message being dispatched: a message-map entry sets it
// before it calls its handler; a handler that wants the base class to see the
// message as well clears it.
class SMsgHandleState {
public:
    BOOL IsMsgHandled() const { return m_msgHandled; }
    void SetMsgHandled(BOOL handled) { m_msgHandled = handled; }

private:
    BOOL m_msgHandled = FALSE;
};

// Keeps the handled flag of an outer message while a nested one is dispatched:
// the one place where a flag is saved and given back.
class SMsgHandledKeeper {
public:
    explicit SMsgHandledKeeper(SMsgHandleState& state) : m_state(state), m_outer(state.IsMsgHandled()) {}
    ~SMsgHandledKeeper() { m_state.SetMsgHandled(m_outer); }
    SMsgHandledKeeper(const SMsgHandledKeeper&) = delete;
    SMsgHandledKeeper& operator=(const SMsgHandledKeeper&) = delete;

private:
    SMsgHandleState& m_state;
    const BOOL m_outer;
};

}  // namespace SAKU
