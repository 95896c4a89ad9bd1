#pragma once

#include "core/SAutoRef.h"
#include "render/IRegion.h"
#include "render/IRenderTarget.h"

#include <windows.h>

#include <optional>

namespace SAKU {

class SWindow;

// The end of a z-order range that reaches the last window.
constexpr UINT kZOrderLast = 0xFFFFFFFF;

// What a window draws through besides its host's target, and what it owes the
// host: its cache and its layer (each of the window's size, taking host
// coordinates), whether the cache's picture is stale, the area waiting for the
// host to redraw it, and the one render target the window may borrow outside
// the host's paint cycle. The window decides when it wants a cache or a layer;
// this keeps them and does the borrowing. Owned by its window, which makes it
// on first need, so that the many windows that never cache, invalidate alone or
// borrow a target carry nothing; lives no longer than the window. UI thread only.
class SWindowSurface {
public:
    explicit SWindowSurface(SWindow& window) : m_window(window) {}
    SWindowSurface(const SWindowSurface&) = delete;
    SWindowSurface& operator=(const SWindowSurface&) = delete;

    // ---- Cache and layer -------------------------------------------------------
    IRenderTarget* GetCache() const { return m_cache.Get(); }
    IRenderTarget* GetLayer() const { return m_layer.Get(); }
    // Until a cache has been painted, its picture is stale.
    bool IsCacheDirty() const { return m_cacheDirty; }
    void MarkCacheDirty(bool dirty) { m_cacheDirty = dirty; }
    // Makes the cache or the layer when missing; a new cache is stale.
    void MakeCache();
    IRenderTarget* MakeLayer();
    // Makes or resizes them to the window's rectangle; a resized cache is stale.
    void FitCache();
    void FitLayer();
    void DropCache() { m_cache = nullptr; }
    void DropLayer() { m_layer = nullptr; }

    // ---- Invalid area ----------------------------------------------------------
    // Adds an area for the host to redraw; false when no region could be made.
    bool AddInvalidArea(const RECT& area);
    IRegion* GetInvalidRegion() const { return m_invalidRegion.Get(); }
    // The area gathered so far; a later AddInvalidArea starts a new one.
    SAutoRef<IRegion> TakeInvalidRegion();

    // ---- The borrowed render target --------------------------------------------
    bool HasBorrowed() const { return m_borrowed.has_value(); }
    // The layered ancestor's layer or the container's target, clipped to `region`
    // (which it keeps) over `rect`, with the windows below painted first when the
    // flags ask; null when the window has no container or the target is missing.
    IRenderTarget* Borrow(const RECT& rect, DWORD gdcFlags, IRegion* region);
    // Paints the windows above when the flags asked for the ones below, and puts
    // the picture where it belongs: the host's target goes back to the container,
    // a changed layer is laid on the host again. Nothing while nothing is borrowed.
    void GiveBack(IRenderTarget* target);

private:
    // A render target borrowed, while it is out.
    struct BorrowedTarget {
        RECT rect = {};
        DWORD gdcFlags = 0;
        SAutoRef<IRegion> region;
    };

    // The layer a window has, without making one.
    static IRenderTarget* LayerOf(const SWindow& window);

    SWindow& m_window;
    SAutoRef<IRenderTarget> m_cache;
    SAutoRef<IRenderTarget> m_layer;
    bool m_cacheDirty = true;
    SAutoRef<IRegion> m_invalidRegion;
    std::optional<BorrowedTarget> m_borrowed;
};

}  // namespace SAKU
