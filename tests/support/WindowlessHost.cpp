#include "WindowlessHost.h"

namespace tivala::test {

WindowlessHost::WindowlessHost(SAKU::IRenderTarget* canvas, Targets targets) : m_canvas(canvas), m_targets(targets) {}

LRESULT WindowlessHost::Mouse(UINT message, int x, int y, WPARAM keys)
{
    return DoFrameEvent(message, keys, MAKELPARAM(x, y));
}

BOOL WindowlessHost::OnFireEvent(SAKU::EventArgs*)
{
    ++m_events;
    return FALSE;
}

// A copy is a target of the rectangle's size whose origin is the rectangle's
// corner, so that the window draws in host coordinates on either.
SAKU::IRenderTarget* WindowlessHost::OnGetRenderTarget(const RECT& rect, DWORD)
{
    if (m_targets == Targets::kCanvas)
        return m_canvas.Get();
    SAKU::IRenderTarget* target = nullptr;
    const SIZE size = {rect.right - rect.left, rect.bottom - rect.top};
    if (FAILED(m_canvas->CreateCompatibleRenderTarget(size, &target)))
        return nullptr;
    target->OffsetViewportOrg(-rect.left, -rect.top);
    return target;
}

void WindowlessHost::OnReleaseRenderTarget(SAKU::IRenderTarget* target, const RECT& rect, DWORD)
{
    if (m_targets == Targets::kCanvas)
        return;
    m_canvas->BitBlt(&rect, target, rect.left, rect.top, SRCCOPY);
    target->Release();
}

}  // namespace tivala::test
