// A window's cache, layer, invalid area and borrowed render target. Borrowing is
// where layers show: a window below a layered ancestor draws on that ancestor's
// layer, which then has to be laid on the host again.

#include "core/SWindowSurface.h"

#include "core/ISwndContainer.h"
#include "core/NewRegion.h"
#include "core/SApplication.h"
#include "core/SWindow.h"
#include "render/IRenderFactory.h"

#include <utility>

namespace SAKU {

namespace {

// Makes or resizes a cache or layer to the window's rectangle, with the viewport
// origin at the window's top-left corner so that it takes host coordinates. An
// empty window gets no target until it has a size.
void FitRenderTarget(SAutoRef<IRenderTarget>& target, const RECT& window)
{
    const SIZE size = {window.right - window.left, window.bottom - window.top};
    if (target) {
        target->Resize(size);
    } else if (SApplication* const app = SApplication::GetInstance()) {
        app->GetRenderFactory()->CreateRenderTarget(target.Put(), size.cx, size.cy);
    }
    if (target)
        target->SetViewportOrg({-window.left, -window.top});
}

}  // namespace

// ---- Cache and layer ------------------------------------------------------------

void SWindowSurface::MakeCache()
{
    if (!m_cache)
        FitCache();
}

IRenderTarget* SWindowSurface::MakeLayer()
{
    if (!m_layer)
        FitLayer();
    return m_layer.Get();
}

void SWindowSurface::FitCache()
{
    FitRenderTarget(m_cache, m_window.GetWindowRect());
    m_cacheDirty = true;
}

void SWindowSurface::FitLayer()
{
    FitRenderTarget(m_layer, m_window.GetWindowRect());
}

// ---- Invalid area ---------------------------------------------------------------

bool SWindowSurface::AddInvalidArea(const RECT& area)
{
    if (!m_invalidRegion) {
        m_invalidRegion = NewRegion();
        if (!m_invalidRegion)
            return false;
    }
    m_invalidRegion->CombineRect(&area, RGN_OR);
    return true;
}

SAutoRef<IRegion> SWindowSurface::TakeInvalidRegion()
{
    return std::move(m_invalidRegion);
}

// ---- The borrowed render target -------------------------------------------------

IRenderTarget* SWindowSurface::Borrow(const RECT& rect, DWORD gdcFlags, IRegion* region)
{
    ISwndContainer* const container = m_window.GetContainer();
    if (!container)
        return nullptr;
    container->BuildWndTreeZorder();
    SWindow* const layered = m_window.GetLayeredAncestor();
    IRenderTarget* const target =
        layered ? layered->GetLayerRenderTarget() : container->OnGetRenderTarget(rect, gdcFlags);
    if (!target)
        return nullptr;
    m_borrowed = BorrowedTarget{rect, gdcFlags, region};
    target->PushClipRegion(region, RGN_COPY);
    if (gdcFlags & kGdcPaintBkgnd) {
        target->ClearRect(&rect, 0);
        (layered ? layered : m_window.GetRoot())->PaintZRangeWithState(target, region, 0, m_window.GetZOrder());
    }
    return target;
}

void SWindowSurface::GiveBack(IRenderTarget* target)
{
    if (!m_borrowed || !target)
        return;
    const BorrowedTarget borrowed = *std::exchange(m_borrowed, std::nullopt);
    IRegion* const region = borrowed.region.Get();
    ISwndContainer* const container = m_window.GetContainer();
    SWindow* const layered = m_window.GetLayeredAncestor();
    if (borrowed.gdcFlags & kGdcPaintBkgnd)
        (layered ? layered : m_window.GetRoot())->PaintZRange(target, region, m_window.GetZOrder() + 1, kZOrderLast);
    target->PopClip();
    if (!layered) {
        container->OnReleaseRenderTarget(target, borrowed.rect, borrowed.gdcFlags);
        return;
    }
    if (borrowed.gdcFlags & kGdcNoDrawing)
        return;
    // The layer changed: lay it on the host again between what lies below the
    // layered window and what comes after its subtree.
    UINT after = kZOrderLast;
    for (SWindow* window = layered; window; window = window->GetParent()) {
        if (SWindow* const next = window->GetWindow(GSW_NEXTSIBLING)) {
            after = next->GetZOrder();
            break;
        }
    }
    IRenderTarget* const host = container->OnGetRenderTarget(borrowed.rect, kGdcOffscreen);
    if (!host)
        return;
    SWindow* const root = m_window.GetRoot();
    host->PushClipRegion(region, RGN_AND);
    host->ClearRect(&borrowed.rect, 0);
    root->PaintZRange(host, region, 0, layered->GetZOrder());
    host->AlphaBlend(&borrowed.rect, LayerOf(*layered), &borrowed.rect, layered->QueryStyle().m_byAlpha);
    if (after != kZOrderLast)
        root->PaintZRange(host, region, after, kZOrderLast);
    host->PopClip();
    container->OnReleaseRenderTarget(host, borrowed.rect, kGdcOffscreen);
}

IRenderTarget* SWindowSurface::LayerOf(const SWindow& window)
{
    return window.m_surface ? window.m_surface->GetLayer() : nullptr;
}

}  // namespace SAKU
