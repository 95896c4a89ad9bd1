// Scaffolding: the window's painting arrives separately; until then every
// operation paints nothing so that the rest of the library links.
#include "core/SWindow.h"

#include "render/IRegion.h"
#include "render/IRenderTarget.h"

namespace SAKU {

int SWindow::GetPaintStateIndex() const
{
    if (m_state & WndState_Disable)
        return 3;
    if (m_state & (WndState_PushDown | WndState_Check))
        return 2;
    return (m_state & WndState_Hover) ? 1 : 0;
}

void SWindow::PreparePaint(IRenderTarget*, SPaintState&) {}
void SWindow::AfterPaint(IRenderTarget*, SPaintState&) {}
void SWindow::ApplyAncestorPaintState(IRenderTarget*) {}
void SWindow::DrawText(IRenderTarget* target, LPCWSTR text, int length, RECT* rect, UINT format)
{
    target->DrawText(text, length, rect, format);
}
void SWindow::DrawFocus(IRenderTarget*) {}
void SWindow::DrawDefaultFocusRect(IRenderTarget*, const RECT&) {}
BOOL SWindow::IsDrawToCache() const { return FALSE; }
BOOL SWindow::IsCacheDirty() const { return FALSE; }
IRenderTarget* SWindow::GetLayerRenderTarget() { return m_layerTarget.Get(); }
SWindow* SWindow::GetLayeredAncestor() { return nullptr; }
void SWindow::UpdateCacheRenderTarget() {}
void SWindow::UpdateLayerRenderTarget() {}
void SWindow::PaintClient(IRenderTarget*) {}
void SWindow::PaintNonClient(IRenderTarget*) {}
void SWindow::PaintZRange(IRenderTarget*, IRegion*, UINT, UINT) {}
void SWindow::PaintZRangeWithState(IRenderTarget*, IRegion*, UINT, UINT) {}
void SWindow::PaintRegion(IRenderTarget*, IRegion*) {}
void SWindow::PaintBackground(IRenderTarget*, const RECT*) {}
void SWindow::PaintForeground(IRenderTarget*, const RECT*) {}
void SWindow::PaintForegroundInParent(IRenderTarget*, const RECT*) {}
void SWindow::UpdateNonClient() {}
void SWindow::InvalidateRect(const RECT&, BOOL) {}
void SWindow::Invalidate() {}
void SWindow::InvalidateArea(const RECT*) {}
BOOL SWindow::RedrawInvalidRegion() { return FALSE; }
IRenderTarget* SWindow::GetRenderTarget(const RECT*, DWORD, BOOL) { return nullptr; }
IRenderTarget* SWindow::GetRenderTargetForRegion(DWORD, IRegion*) { return nullptr; }
void SWindow::ReleaseRenderTarget(IRenderTarget*) {}
IRenderTarget* SWindow::AcquireRenderTarget(const RECT&, DWORD, IRegion*) { return nullptr; }
void SWindow::OnPaint(IRenderTarget*) {}
BOOL SWindow::OnEraseBkgnd(IRenderTarget*) { return TRUE; }
void SWindow::OnNcPaint(IRenderTarget*) {}
void SWindow::ResizeRenderTargets() {}

}  // namespace SAKU
