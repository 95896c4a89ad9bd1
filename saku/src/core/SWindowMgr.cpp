#include "core/SWindowMgr.h"

#include "core/STimer2.h"

namespace SAKU {

SWindow* SWindowMgr::GetWindow(SWND swnd)
{
    SWindowMgr* const self = GetInstance();
    if (!self || swnd == 0)
        return nullptr;
    SAutoLock lock(self->m_lock);
    SWindow* window = nullptr;
    return self->GetKeyObject(swnd, window) ? window : nullptr;
}

SWND SWindowMgr::NewWindow(SWindow* window)
{
    SWindowMgr* const self = GetInstance();
    if (!self)
        return 0;
    SAutoLock lock(self->m_lock);
    const SWND swnd = ++self->m_nextHandle;
    self->AddIfAbsent(swnd, window);
    return swnd;
}

BOOL SWindowMgr::DestroyWindow(SWND swnd)
{
    SWindowMgr* const self = GetInstance();
    if (!self)
        return FALSE;
    SAutoLock lock(self->m_lock);
    // A window's element timers die with its handle.
    if (STimer2* const timers = STimer2::GetInstance())
        timers->KillTimer(swnd);
    return self->RemoveKey(swnd) ? TRUE : FALSE;
}

}  // namespace SAKU
