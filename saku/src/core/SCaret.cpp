#include "core/SCaret.h"

#include "core/SApplication.h"
#include "core/SWindow.h"
#include "core/SWindowMgr.h"
#include "render/IBitmap.h"
#include "render/IRenderFactory.h"
#include "render/IRenderTarget.h"
#include "render/RenderTargetHandles.h"
#include "render/SMemoryDC.h"

namespace SAKU {

namespace {

// The bitmap stretched over the whole surface, its alpha included (a plain copy).
void StretchInto(IRenderTarget* surface, HBITMAP bitmap, int width, int height)
{
    BITMAP info = {};
    if (!::GetObjectW(bitmap, sizeof(info), &info))
        return;
    const UniqueTargetDc dc = GetTargetDc(surface);
    const SMemoryDC source(dc.Get().dc, bitmap);
    ::StretchBlt(dc.Get().dc, 0, 0, width, height, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
}

}  // namespace

SCaret::SCaret(SWND owner, HBITMAP bitmap, int width, int height) : m_owner(owner)
{
    SApplication* const app = SApplication::GetInstance();
    IRenderFactory* const factory = app ? app->GetRenderFactory() : nullptr;
    if (!factory || !factory->CreateRenderTarget(m_surface.Put(), width, height) || !m_surface)
        return;
    if (bitmap) {
        StretchInto(m_surface.Get(), bitmap, width, height);
    } else {
        const RECT whole = {0, 0, width, height};
        m_surface->ClearRect(&whole, 0xFF000000);
    }
}

SCaret::~SCaret() = default;

SIZE SCaret::GetSize() const
{
    const auto* const bitmap =
        m_surface ? static_cast<const IBitmap*>(m_surface->GetCurrentObject(kRenderObjBitmap)) : nullptr;
    return bitmap ? bitmap->Size() : SIZE{0, 0};
}

RECT SCaret::Draw(IRenderTarget* target, int x, int y)
{
    RECT drawn = {};
    SWindow* const owner = SWindowMgr::GetWindow(m_owner);
    if (!target || !owner || !m_surface)
        return drawn;
    RECT clip = owner->GetClientRect();
    for (const SWindow* ancestor = owner->GetParent(); ancestor; ancestor = ancestor->GetParent()) {
        const RECT client = ancestor->GetClientRect();
        ::IntersectRect(&clip, &clip, &client);
    }
    if (ISwndContainer* const container = owner->GetContainer())
        container->FrameToHost(clip);
    const SIZE size = GetSize();
    const RECT caret = {x, y, x + size.cx, y + size.cy};
    if (!::IntersectRect(&drawn, &caret, &clip))
        return RECT{};
    target->BitBlt(&drawn, m_surface.Get(), drawn.left - x, drawn.top - y, DSTINVERT);
    return drawn;
}

}  // namespace SAKU
