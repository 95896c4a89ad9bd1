#include "controls/CDragWnd.h"

#include "core/LayeredWindowApi.h"

#include "GdiHandles.h"

#include <memory>

namespace SAKU {

namespace {

// WS_EX_TOPMOST | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW: above everything, never
// under the mouse, not on the task bar.
constexpr DWORD kDragExStyle = 0xA8;
// SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING
constexpr UINT kMoveFlags = 0x651;

// The one drag window of the process.
std::unique_ptr<CDragWnd> g_dragWnd;

}  // namespace

BOOL CDragWnd::BeginDrag(HBITMAP bitmap, POINT hotSpot, COLORREF colourKey, BYTE alpha, DWORD flags)
{
    if (g_dragWnd)
        return FALSE;
    BITMAP info = {};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info))
        return FALSE;
    std::unique_ptr<CDragWnd> window(new CDragWnd);
    if (!window->CreateWindow(nullptr, WS_POPUP, kDragExStyle, 0, 0, info.bmWidth, info.bmHeight, nullptr, nullptr))
        return FALSE;
    window->ChangeStyleEx(0, WS_EX_LAYERED);
    if (!window->Show(bitmap, colourKey, alpha, flags)) {
        window->DestroyWindow();
        return FALSE;
    }
    window->m_hotSpot = hotSpot;
    g_dragWnd = std::move(window);
    return TRUE;
}

BOOL CDragWnd::Show(HBITMAP bitmap, COLORREF colourKey, BYTE alpha, DWORD flags)
{
    BITMAP info = {};
    ::GetObjectW(bitmap, sizeof(info), &info);
    if (info.bmBitsPixel != 32) {
        m_keptBitmap = bitmap;
        return ::SetLayeredWindowAttributes(GetHwnd(), colourKey, alpha, flags);
    }
    const UniqueScreenDc screen(::GetDC(nullptr));
    const UniqueMemoryDc memory(::CreateCompatibleDC(screen.Get()));
    if (!memory)
        return FALSE;
    const UniqueSelection selected = SelectInto(memory.Get(), bitmap);
    POINT origin = {0, 0};
    SIZE size = {info.bmWidth, info.bmHeight};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    UPDATELAYEREDWINDOWINFO update = {};
    update.cbSize = sizeof(update);
    update.hdcDst = screen.Get();
    update.pptDst = &origin;
    update.psize = &size;
    update.hdcSrc = memory.Get();
    update.pptSrc = &origin;
    update.pblend = &blend;
    update.dwFlags = ULW_ALPHA;
    return CallUpdateLayeredWindowIndirect(GetHwnd(), &update);
}

void CDragWnd::DragMove(POINT screenPoint)
{
    if (!g_dragWnd)
        return;
    const POINT hotSpot = g_dragWnd->m_hotSpot;
    ::SetWindowPos(g_dragWnd->GetHwnd(), HWND_TOPMOST, screenPoint.x - hotSpot.x, screenPoint.y - hotSpot.y, 0, 0,
                   kMoveFlags);
}

void CDragWnd::EndDrag()
{
    if (!g_dragWnd)
        return;
    // Taken first: destroying the window dispatches messages that might ask for it.
    const std::unique_ptr<CDragWnd> window = std::move(g_dragWnd);
    window->DestroyWindow();
}

void CDragWnd::OnPaint(HDC)
{
    PAINTSTRUCT paint = {};
    const UniquePaint session = BeginPaintOf(GetHwnd(), paint);
    if (!session || !m_keptBitmap)
        return;
    BITMAP info = {};
    ::GetObjectW(m_keptBitmap, sizeof(info), &info);
    const UniqueMemoryDc memory(::CreateCompatibleDC(paint.hdc));
    if (!memory)
        return;
    const UniqueSelection selected = SelectInto(memory.Get(), m_keptBitmap);
    ::BitBlt(paint.hdc, 0, 0, info.bmWidth, info.bmHeight, memory.Get(), 0, 0, SRCCOPY);
}

}  // namespace SAKU
