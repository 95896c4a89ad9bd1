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

}  // namespace SAKU
