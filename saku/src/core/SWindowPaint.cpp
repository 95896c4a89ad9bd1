// How a window paints itself and its subtree, how caches and layers are composed,
// how invalid areas reach the host, and the render targets a window borrows to
// draw outside the host's paint cycle. Coordinates are host coordinates
// throughout: caches and layers move their viewport origin to the window's
// top-left corner so that they take the same coordinates as the host's target.

#include "core/SWindow.h"

#include "core/ISkinObj.h"
#include "core/NewRegion.h"
#include "core/SWindowSurface.h"
#include "render/IFont.h"
#include "render/IPen.h"
#include "render/IRegion.h"
#include "render/IRenderTarget.h"

#include <optional>

namespace SAKU {

namespace {

constexpr COLORREF kFocusRectColour = 0xFF585858;
constexpr BYTE kOpaque = 0xFF;

RECT Intersection(const RECT& a, const RECT& b)
{
    RECT both;
    if (!::IntersectRect(&both, &a, &b))
        ::SetRectEmpty(&both);
    return both;
}

bool HasArea(IRegion* region)
{
    return region && !region->IsEmpty();
}

// A region with no area counts as no region at all: paint everything.
bool Touches(IRegion* region, const RECT& rect)
{
    return !HasArea(region) || region->RectInRegion(&rect);
}

// A window has one render target out at most.
bool HasBorrowed(const SWindowSurface* surface)
{
    return surface && surface->HasBorrowed();
}

// Gives a target the font and text colour of another (or keeps its own) for a
// scope, and puts its own back at the end, so that drawing routed through a cache
// or a layer inherits what the windows above it chose.
class ScopedPaintState {
public:
    explicit ScopedPaintState(IRenderTarget* target, IRenderTarget* source = nullptr) : m_target(target)
    {
        source = source ? source : target;
        m_target->SelectObject(source->GetCurrentObject(kRenderObjFont), m_font.Put());
        m_colour = m_target->SetTextColor(source->GetTextColor());
    }
    ~ScopedPaintState()
    {
        if (m_font)
            m_target->SelectObject(m_font.Get());
        m_target->SetTextColor(m_colour);
    }
    ScopedPaintState(const ScopedPaintState&) = delete;
    ScopedPaintState& operator=(const ScopedPaintState&) = delete;

private:
    IRenderTarget* m_target;
    SAutoRef<IRenderObj> m_font;
    COLORREF m_colour = 0;
};

}  // namespace

// ---- Own painting ----------------------------------------------------------------

int SWindow::GetPaintStateIndex() const
{
    if (m_state & WndState_Disable)
        return 3;
    if (m_state & (WndState_PushDown | WndState_Check))
        return 2;
    if (m_state & WndState_Hover)
        return 1;
    return 0;
}

void SWindow::PreparePaint(IRenderTarget* target, SPaintState& saved)
{
    const int state = GetPaintStateIndex();
    if (IFont* const font = m_style.GetTextFont(state))
        target->SelectObject(font, saved.font.Put());
    const COLORREF colour = m_style.GetTextColor(state);
    if (colour != SwndStyle::kColorNone)
        saved.textColor = target->SetTextColor(colour);
}

void SWindow::AfterPaint(IRenderTarget* target, SPaintState& saved)
{
    if (saved.font) {
        target->SelectObject(saved.font.Get());
        saved.font = nullptr;
    }
    if (saved.textColor != SwndStyle::kColorNone) {
        target->SetTextColor(saved.textColor);
        saved.textColor = SwndStyle::kColorNone;
    }
}

void SWindow::ApplyAncestorPaintState(IRenderTarget* target)
{
    if (m_parent)
        m_parent->ApplyAncestorPaintState(target);
    SPaintState discarded;
    PreparePaint(target, discarded);
}

BOOL SWindow::OnEraseBkgnd(IRenderTarget* target)
{
    const RECT client = GetClientRect();
    if (m_skin) {
        const int state = GetPaintStateIndex();
        m_skin->DrawByIndex(target, &client, state < m_skin->GetStates() ? state : 0);
    } else if (m_style.m_crBg != SwndStyle::kColorNone) {
        target->FillSolidRect(&client, m_style.m_crBg);
    }
    return TRUE;
}

void SWindow::OnPaint(IRenderTarget* target)
{
    SPaintState saved;
    PreparePaint(target, saved);
    RECT text;
    GetTextRect(&text);
    const SStringW& shown = m_text.GetText(FALSE);
    DrawText(target, shown.c_str(), int(shown.GetLength()), &text, GetTextFormat());
    if (IsFocused())
        DrawFocus(target);
    AfterPaint(target, saved);
}

void SWindow::DrawText(IRenderTarget* target, LPCWSTR text, int length, RECT* rect, UINT format)
{
    target->DrawText(text, length, rect, format);
}

void SWindow::DrawFocus(IRenderTarget* target)
{
    if (!IsFocusable() || !m_drawFocusRect)
        return;
    RECT text;
    GetTextRect(&text);
    DrawDefaultFocusRect(target, text);
}

void SWindow::DrawDefaultFocusRect(IRenderTarget* target, const RECT& rect)
{
    RECT focus = rect;
    ::InflateRect(&focus, -2, -2);
    SAutoRef<IPen> pen;
    target->CreatePen(PS_DOT, kFocusRectColour, 1, pen.Put());
    if (!pen)
        return;
    SAutoRef<IRenderObj> old;
    target->SelectObject(pen.Get(), old.Put());
    target->DrawRectangle(&focus);
    target->SelectObject(old.Get());
}

void SWindow::OnNcPaint(IRenderTarget* target)
{
    if (m_state & WndState_Invisible)
        return;
    const RECT margin = m_style.GetMarginRect();
    if (margin.left == 0 && margin.top == 0 && margin.right == 0 && margin.bottom == 0)
        return;
    const RECT client = GetClientRect();
    target->PushClipRect(&client, RGN_DIFF);
    if (m_ncSkin) {
        const bool hover = (m_state & WndState_Hover) && m_ncSkin->GetStates() > 1;
        m_ncSkin->DrawByIndex(target, &m_rcWindow, hover ? 1 : 0);
    } else if (m_style.m_crBorder != SwndStyle::kColorNone) {
        target->FillSolidRect(&m_rcWindow, m_style.m_crBorder);
    }
    target->PopClip();
}

// ---- Cache and layer -------------------------------------------------------------

BOOL SWindow::IsDrawToCache() const
{
    return m_cache || (!IsLayeredWindow() && m_style.m_byAlpha < kOpaque);
}

BOOL SWindow::IsCacheDirty() const
{
    // A window without a surface has never painted a cache.
    return IsDrawToCache() && (!m_surface || m_surface->IsCacheDirty());
}

void SWindow::MarkCacheDirty(BOOL dirty)
{
    // Without a surface the cache counts as dirty already: only a clean mark needs one.
    if (m_surface || !dirty)
        Surface().MarkCacheDirty(dirty != FALSE);
}

IRenderTarget* SWindow::GetCachedRenderTarget() const
{
    return m_surface ? m_surface->GetCache() : nullptr;
}

void SWindow::UpdateCacheRenderTarget()
{
    if (IsDrawToCache())
        Surface().MakeCache();
    else if (m_surface)
        m_surface->DropCache();
}

void SWindow::UpdateLayerRenderTarget()
{
    if (IsLayeredWindow())
        Surface().MakeLayer();
    else if (m_surface)
        m_surface->DropLayer();
    // A translucent window draws through a cache only while it has no layer.
    UpdateCacheRenderTarget();
}

IRenderTarget* SWindow::GetLayerRenderTarget()
{
    return Surface().MakeLayer();
}

SWindow* SWindow::GetLayeredAncestor()
{
    for (SWindow* window = this; window; window = window->m_parent) {
        if (window->IsLayeredWindow())
            return window;
    }
    return nullptr;
}

void SWindow::ResizeRenderTargets()
{
    if (IsDrawToCache())
        Surface().FitCache();
    if (IsLayeredWindow())
        Surface().FitLayer();
}

SWindowSurface& SWindow::Surface()
{
    if (!m_surface)
        m_surface = std::make_unique<SWindowSurface>(*this);
    return *m_surface;
}

// ---- Subtree painting ------------------------------------------------------------

void SWindow::PaintClient(IRenderTarget* target)
{
    if (!IsDrawToCache()) {
        SendSwndMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(target));
        SendSwndMessage(WM_PAINT, reinterpret_cast<WPARAM>(target));
        return;
    }
    IRenderTarget* const cache = GetCachedRenderTarget();
    if (!cache)
        return;
    if (m_surface->IsCacheDirty()) {
        cache->ClearRect(&m_rcWindow, 0);
        {
            ScopedPaintState inherited(cache, target);
            SendSwndMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(cache));
            SendSwndMessage(WM_PAINT, reinterpret_cast<WPARAM>(cache));
        }
        m_surface->MarkCacheDirty(false);
    }
    // The border part of the cache belongs to PaintNonClient: blending it here as
    // well would lay a translucent border over the target twice.
    RECT clip;
    target->GetClipBox(&clip);
    const RECT area = Intersection(clip, GetClientRect());
    if (::IsRectEmpty(&area))
        return;
    target->AlphaBlend(&area, cache, &area, IsLayeredWindow() ? kOpaque : m_style.m_byAlpha);
}

void SWindow::PaintNonClient(IRenderTarget* target)
{
    const RECT client = GetClientRect();
    if (::EqualRect(&m_rcWindow, &client))
        return;
    if (!IsDrawToCache()) {
        SendSwndMessage(WM_NCPAINT, reinterpret_cast<WPARAM>(target));
        return;
    }
    IRenderTarget* const cache = GetCachedRenderTarget();
    if (!cache)
        return;
    // The border is drawn afresh each time; a translucent skin drawn over the last
    // one would thicken at every paint.
    cache->PushClipRect(&client, RGN_DIFF);
    cache->ClearRect(&m_rcWindow, 0);
    cache->PopClip();
    SendSwndMessage(WM_NCPAINT, reinterpret_cast<WPARAM>(cache));
    target->PushClipRect(&client, RGN_DIFF);
    target->AlphaBlend(&m_rcWindow, cache, &m_rcWindow, IsLayeredWindow() ? kOpaque : m_style.m_byAlpha);
    target->PopClip();
}

void SWindow::PaintZRange(IRenderTarget* target, IRegion* region, UINT begin, UINT end)
{
    if (m_state & WndState_Invisible)
        return;
    const bool limited = HasArea(region);
    RECT box = m_rcWindow;
    if (limited)
        region->GetRgnBox(&box);
    const RECT client = GetClientRect();
    RECT both;
    ::UnionRect(&both, &box, &client);
    const bool nonClientNeeded = !::EqualRect(&both, &client);

    // A layered window gathers its subtree in its layer and lays the layer on the
    // outer target at the end.
    IRenderTarget* const outer = target;
    IRenderTarget* layer = nullptr;
    std::optional<ScopedPaintState> layerState;
    if (IsLayeredWindow() && target != GetLayerRenderTarget()) {
        layer = GetLayerRenderTarget();
        if (layer) {
            target = layer;
            layerState.emplace(layer, outer);
            if (limited)
                layer->PushClipRegion(region, RGN_COPY);
            layer->ClearRect(&m_rcWindow, 0);
        }
    }

    const BOOL clipClient = IsClipClient();
    if (clipClient)
        target->PushClipRect(&client, RGN_AND);
    const bool inRange = begin <= m_zOrder && m_zOrder < end;
    if (inRange && Touches(region, client))
        PaintClient(target);

    // A child's subtree lies wholly before the range when its next sibling starts at
    // or before `begin`, or, for the last child, when its deepest last descendant
    // (the subtree's highest number) lies before `begin`.
    const auto subtreeBefore = [begin](const SWindow* child) {
        if (child->m_nextSibling)
            return child->m_nextSibling->m_zOrder <= begin;
        while (child->m_lastChild)
            child = child->m_lastChild;
        return child->m_zOrder < begin;
    };
    SPaintState saved;
    PreparePaint(target, saved);   // the children inherit the font and colour
    for (SWindow* child = m_firstChild; child; child = child->m_nextSibling) {
        if (child->m_zOrder >= end)
            break;
        if (!subtreeBefore(child))
            child->PaintZRange(target, region, begin, end);
    }
    AfterPaint(target, saved);
    if (clipClient)
        target->PopClip();

    if (inRange && nonClientNeeded && Touches(region, m_rcWindow))
        PaintNonClient(target);

    if (layer) {
        if (limited)
            layer->PopClip();
        outer->AlphaBlend(&m_rcWindow, layer, &m_rcWindow, m_style.m_byAlpha);
    }
}

void SWindow::PaintZRangeWithState(IRenderTarget* target, IRegion* region, UINT begin, UINT end)
{
    // The caller may go on drawing with the target afterwards, in its own font.
    ScopedPaintState kept(target);
    ApplyAncestorPaintState(target);
    PaintZRange(target, region, begin, end);
}

void SWindow::PaintRegion(IRenderTarget* target, IRegion* region)
{
    PaintZRange(target, region, 0, kZOrderLast);
}

namespace {

// Where painting around a window starts: the root, or the layered ancestor whose
// layer the target is, since the windows outside that layer do not belong in it.
SWindow* PaintingRoot(SWindow* self, IRenderTarget* target)
{
    SWindow* const layered = self->GetLayeredAncestor();
    return layered && layered->GetLayerRenderTarget() == target ? layered : self->GetRoot();
}

// Paints the windows of a range within the area of `self` (limited by `rect`),
// clipped to that area.
template <typename Paint>
void PaintAround(SWindow* self, IRenderTarget* target, const RECT* rect, bool clear, Paint paint)
{
    RECT area = self->GetWindowRect();
    if (rect)
        area = Intersection(area, *rect);
    target->PushClipRect(&area, RGN_AND);
    if (clear)
        target->ClearRect(&area, 0);
    if (ISwndContainer* const container = self->GetContainer())
        container->BuildWndTreeZorder();
    SAutoRef<IRegion> region = NewRegion();
    if (region)
        region->CombineRect(&area, RGN_COPY);
    paint(region.Get());
    target->PopClip();
}

}  // namespace

void SWindow::PaintBackground(IRenderTarget* target, const RECT* rect)
{
    PaintAround(this, target, rect, true, [&](IRegion* region) {
        PaintingRoot(this, target)->PaintZRangeWithState(target, region, 0, m_zOrder);
    });
}

void SWindow::PaintForeground(IRenderTarget* target, const RECT* rect)
{
    PaintAround(this, target, rect, false, [&](IRegion* region) {
        PaintingRoot(this, target)->PaintZRange(target, region, m_zOrder + 1, kZOrderLast);
    });
}

void SWindow::PaintForegroundInParent(IRenderTarget* target, const RECT* rect)
{
    SWindow* const parent = m_parent ? m_parent : this;
    PaintAround(this, target, rect, false, [&](IRegion* region) {
        parent->PaintZRange(target, region, m_zOrder + 1, kZOrderLast);
    });
}

void SWindow::UpdateNonClient()
{
    const RECT client = GetClientRect();
    if ((m_state & WndState_Invisible) || ::EqualRect(&m_rcWindow, &client) || HasBorrowed(m_surface.get()))
        return;
    SAutoRef<IRegion> ring = NewRegion();
    if (!ring)
        return;
    ring->CombineRect(&m_rcWindow, RGN_COPY);
    ring->CombineRect(&client, RGN_DIFF);
    IRenderTarget* const target = GetRenderTargetForRegion(kGdcOffscreen, ring.Get());
    if (!target)
        return;
    PaintBackground(target, &m_rcWindow);
    // Through the message map: a control that draws in its border (a panel's
    // scroll bars) paints it in its own handler.
    SendSwndMessage(WM_NCPAINT, reinterpret_cast<WPARAM>(target));
    PaintForeground(target, &m_rcWindow);
    ReleaseRenderTarget(target);
}

// ---- Invalidation ----------------------------------------------------------------

void SWindow::InvalidateRect(const RECT& rect, BOOL markCacheDirty)
{
    if (markCacheDirty && m_surface)
        m_surface->MarkCacheDirty(true);
    if (m_state & WndState_Invisible)
        return;
    const RECT area = Intersection(rect, m_rcWindow);
    if (::IsRectEmpty(&area))
        return;
    if (m_style.m_bBkgndBlend) {
        if (m_parent)
            m_parent->InvalidateRect(area, FALSE);
        else if (m_container)
            m_container->OnRedraw(area);
        return;
    }
    // An opaque window is redrawn alone, later, when the host works through its queue.
    if (!Surface().AddInvalidArea(area))
        return;
    if (m_container)
        ::SendMessageW(m_container->GetHostHwnd(), UM_UPDATESWND, m_swnd, 0);
}

void SWindow::Invalidate()
{
    InvalidateRect(GetClientRect(), TRUE);
}

void SWindow::InvalidateArea(const RECT* rect)
{
    InvalidateRect(rect ? *rect : m_rcWindow, TRUE);
}

BOOL SWindow::RedrawInvalidRegion()
{
    if (m_style.m_bBkgndBlend || !m_surface || !HasArea(m_surface->GetInvalidRegion()))
        return FALSE;
    const SAutoRef<IRegion> region = m_surface->TakeInvalidRegion();
    if (m_state & WndState_Invisible)
        return TRUE;
    RECT box;
    region->GetRgnBox(&box);
    IRenderTarget* const target = GetRenderTarget(&box, kGdcOffscreen, TRUE);
    if (!target)
        return TRUE;
    target->PushClipRegion(region.Get(), RGN_AND);
    SendSwndMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(target));
    SendSwndMessage(WM_PAINT, reinterpret_cast<WPARAM>(target));
    PaintForeground(target, &box);
    target->PopClip();
    ReleaseRenderTarget(target);
    return TRUE;
}

// ---- Render targets outside the paint cycle -----------------------------------------

IRenderTarget* SWindow::GetRenderTarget(const RECT* rect, DWORD gdcFlags, BOOL client)
{
    RECT area = client ? GetClientRect() : m_rcWindow;
    if (rect)
        area = Intersection(area, *rect);
    SAutoRef<IRegion> region = NewRegion();
    if (!region)
        return nullptr;
    region->CombineRect(&area, RGN_COPY);
    return GetRenderTargetForRegion(gdcFlags, region.Get());
}

IRenderTarget* SWindow::GetRenderTargetForRegion(DWORD gdcFlags, IRegion* region)
{
    // One target at a time: a second acquisition would lose the first's record.
    if (HasBorrowed(m_surface.get()))
        return nullptr;
    RECT box = m_rcWindow;
    if (region)
        region->GetRgnBox(&box);
    for (SWindow* ancestor = m_parent; ancestor; ancestor = ancestor->m_parent)
        box = Intersection(box, ancestor->GetClientRect());
    // The caller's region stays as it was; the target is clipped to a copy.
    SAutoRef<IRegion> clip = NewRegion();
    if (!clip)
        return nullptr;
    if (region) {
        clip->CombineRgn(region, RGN_COPY);
        clip->CombineRect(&box, RGN_AND);
    } else {
        clip->CombineRect(&box, RGN_COPY);
    }
    IRenderTarget* const target = Surface().Borrow(box, gdcFlags, clip.Get());
    if (target)
        ApplyAncestorPaintState(target);
    return target;
}

void SWindow::ReleaseRenderTarget(IRenderTarget* target)
{
    if (m_surface)
        m_surface->GiveBack(target);
}

}  // namespace SAKU
