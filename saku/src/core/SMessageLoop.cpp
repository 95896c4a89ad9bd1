#include "core/SMessageLoop.h"

#include "core/SLog.h"

namespace SAKU {

namespace {

constexpr SLogSite kGetMessageFailedSite{kLogLevelError, "src\\core\\SMsgLoop", 44, "SAKU::SMessageLoop::Run"};
constexpr SLogSite kExitSite{kLogLevelTrace, "src\\core\\SMsgLoop", 49, "SAKU::SMessageLoop::Run"};

constexpr UINT kSystemTimerMessage = 0x118;   // WM_SYSTIMER, the caret's blink timer; undocumented

// Removes the first occurrence of `item`, moving the later entries up; its index,
// or -1 when absent.
template <typename T>
int RemoveFirst(SDynArray<T*>& items, T* item)
{
    const int count = items.GetCount();
    for (int i = 0; i < count; ++i) {
        if (items[i] == item) {
            for (int j = i + 1; j < count; ++j)
                items[j - 1] = items[j];
            items.SetCount(count - 1);
            return i;
        }
    }
    return -1;
}

}  // namespace

BOOL SMessageLoop::PreTranslateMessage(MSG* msg)
{
    // A filter may remove itself or others while it looks at a message (a
    // drop-down closing). The pass is registered so that a removal below its index
    // moves the index with the entries: no filter is asked twice about one
    // message, and none that is gone is asked at all. Filters added meanwhile wait
    // for the next message.
    FilterPass pass{m_filters.GetCount() - 1, m_filterPasses};
    m_filterPasses = &pass;
    BOOL consumed = FALSE;
    for (; pass.index >= 0; --pass.index) {
        if (m_filters[pass.index]->PreTranslateMessage(msg)) {
            consumed = TRUE;
            break;
        }
    }
    m_filterPasses = pass.outer;
    return consumed;
}

BOOL SMessageLoop::OnIdle(int)
{
    for (int i = 0; i < m_idleHandlers.GetCount(); ++i)
        m_idleHandlers[i]->OnIdle();
    return FALSE;
}

int SMessageLoop::Run()
{
    m_quitRequested = false;
    m_running = true;
    bool idleAllowed = true;
    int idleCount = 0;
    for (;;) {
        while (idleAllowed && !::PeekMessageW(&m_msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idleAllowed = false;
            if (m_quitRequested) {
                m_running = false;
                return static_cast<int>(m_msg.wParam);
            }
        }
        const BOOL got = ::GetMessageW(&m_msg, nullptr, 0, 0);
        if (got == -1) {
            WriteLog(kGetMessageFailedSite, L"::GetMessage returned -1 (error)");
            continue;
        }
        if (!got)
            break;   // WM_QUIT
        DispatchOne(&m_msg);
        if (m_quitRequested) {
            m_running = false;
            return static_cast<int>(m_msg.wParam);
        }
        if (IsIdleMessage(m_msg)) {
            idleAllowed = true;
            idleCount = 0;
        }
    }
    WriteLog(kExitSite, L"SMessageLoop::Run - exiting,code = %d", static_cast<int>(m_msg.wParam));
    m_running = false;
    return static_cast<int>(m_msg.wParam);
}

bool SMessageLoop::RemoveMessageFilter(IMessageFilter* filter)
{
    const int removed = RemoveFirst(m_filters, filter);
    if (removed < 0)
        return false;
    for (FilterPass* pass = m_filterPasses; pass; pass = pass->outer) {
        if (removed < pass->index)
            --pass->index;
    }
    return true;
}

bool SMessageLoop::RemoveIdleHandler(IIdleHandler* handler)
{
    return RemoveFirst(m_idleHandlers, handler) >= 0;
}

void SMessageLoop::Quit()
{
    if (m_running)
        m_quitRequested = true;
}

bool SMessageLoop::IsIdleMessage(const MSG& msg)
{
    switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_PAINT:
    case kSystemTimerMessage:
        return false;
    default:
        return true;
    }
}

void SMessageLoop::DispatchOne(MSG* msg)
{
    if (PreTranslateMessage(msg))
        return;
    ::TranslateMessage(msg);
    ::DispatchMessageW(msg);
}

}  // namespace SAKU
