#include "core/LayeredWindowApi.h"

namespace SAKU {

namespace {

using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
using UpdateLayeredWindowIndirectFn = BOOL(WINAPI*)(HWND, const UPDATELAYEREDWINDOWINFO*);

UpdateLayeredWindowFn g_updateLayeredWindow = nullptr;
UpdateLayeredWindowIndirectFn g_updateLayeredWindowIndirect = nullptr;

// A function of user32 as the type the caller expects; null when user32 lacks it.
template <typename Fn>
Fn LookUp(HMODULE user32, const char* name)
{
    // GetProcAddress answers one generic pointer type for every export.
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

}  // namespace

bool InitLayeredWindowApi()
{
    const HMODULE user32 = ::GetModuleHandleW(L"user32");
    if (!user32)
        return false;
    g_updateLayeredWindow = LookUp<UpdateLayeredWindowFn>(user32, "UpdateLayeredWindow");
    if (!g_updateLayeredWindow)
        return false;
    g_updateLayeredWindowIndirect = LookUp<UpdateLayeredWindowIndirectFn>(user32, "UpdateLayeredWindowIndirect");
    if (!g_updateLayeredWindowIndirect)
        g_updateLayeredWindowIndirect = UpdateLayeredWindowIndirectFallback;
    return true;
}

BOOL CallUpdateLayeredWindowIndirect(HWND window, const UPDATELAYEREDWINDOWINFO* info)
{
    if (!g_updateLayeredWindowIndirect) {
        ::SetLastError(ERROR_INVALID_FUNCTION);
        return FALSE;
    }
    return g_updateLayeredWindowIndirect(window, info);
}

BOOL WINAPI UpdateLayeredWindowIndirectFallback(HWND window, const UPDATELAYEREDWINDOWINFO* info)
{
    if (!info || !g_updateLayeredWindow) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // UpdateLayeredWindow takes its inputs through non-const pointers but only reads them.
    return g_updateLayeredWindow(window, info->hdcDst, const_cast<POINT*>(info->pptDst),
                                 const_cast<SIZE*>(info->psize), info->hdcSrc, const_cast<POINT*>(info->pptSrc),
                                 info->crKey, const_cast<BLENDFUNCTION*>(info->pblend), info->dwFlags);
}

}  // namespace SAKU
