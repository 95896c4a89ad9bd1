#include "core/STimer2.h"

#include "core/SWindow.h"
#include "core/SWindowMgr.h"

namespace SAKU {

STimer2::~STimer2()
{
    for (auto* node = GetStartPosition(); node; node = GetNext(node))
        ::KillTimer(nullptr, node->key);
    RemoveAll();
}

BOOL STimer2::SetTimer(SWND swnd, UINT id, UINT elapse)
{
    KillTimer2(swnd, id);
    const UINT systemId = static_cast<UINT>(::SetTimer(nullptr, 0, elapse, TimerProc));
    if (systemId == 0)
        return FALSE;
    if (!AddIfAbsent(systemId, tagTIMERINFO{swnd, id})) {
        ::KillTimer(nullptr, systemId);   // a tick nobody could be told about
        return FALSE;
    }
    return TRUE;
}

void STimer2::KillTimer2(SWND swnd, UINT id)
{
    if (const UINT systemId = FindTimer(swnd, id))
        Kill(systemId);
}

void STimer2::KillTimer(SWND swnd)
{
    // Collected first: removing a key would end the walk of the map.
    SDynArray<UINT> timers;
    for (auto* node = GetStartPosition(); node; node = GetNext(node)) {
        if (node->value.swnd == swnd)
            timers.Add(node->key);
    }
    for (int i = 0; i < timers.GetCount(); ++i)
        Kill(timers[i]);
}

UINT STimer2::FindTimer(SWND swnd, UINT id) const
{
    for (auto* node = GetStartPosition(); node; node = GetNext(node)) {
        if (node->value.swnd == swnd && node->value.id == id)
            return node->key;
    }
    return 0;
}

void STimer2::Kill(UINT systemId)
{
    ::KillTimer(nullptr, systemId);
    RemoveKey(systemId);
}

void CALLBACK STimer2::TimerProc(HWND, UINT, UINT_PTR systemId, DWORD) noexcept
{
    try {
        STimer2* const timers = GetInstance();
        tagTIMERINFO timer;
        if (!timers || !timers->GetKeyObject(static_cast<UINT>(systemId), timer))
            return;
        // The window may be gone before the window manager took its timers away;
        // it is looked up again at every tick.
        if (SWindow* const window = SWindowMgr::GetWindow(timer.swnd))
            window->SendSwndMessage(UM_TIMER2, timer.id, 0);
    } catch (...) {
        // A tick is lost rather than the process: no exception may cross the system's callback.
    }
}

}  // namespace SAKU
