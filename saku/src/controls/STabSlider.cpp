#include "STabSlider.h"

#include "controls/STabCtrl.h"
#include "controls/STabPage.h"
#include "core/IInterpolator.h"
#include "core/SApplication.h"
#include "render/IRenderFactory.h"

namespace SAKU {

STabSlider::STabSlider(STabCtrl* owner, int from, int to, int steps, int type, IInterpolator* interpolator)
    : m_owner(owner), m_steps(steps), m_interpolator(interpolator)
{
    const RECT area = owner->GetChildrenLayoutRect();
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    SetVisible(FALSE);
    // Type 0 paints everything below it, so it lies above the pages; otherwise only
    // the pages above it within the control are pictured.
    owner->InsertChild(this, type == 0 ? nullptr : kInsertFirst);
    SendSwndMessage(WM_CREATE);
    Move(&area);

    m_vertical = owner->IsVerticalStrip();
    m_holdsBackground = type == 0;
    SApplication* const app = SApplication::GetInstance();
    IRenderFactory* const factory = app ? app->GetRenderFactory() : nullptr;
    if (factory)
        factory->CreateRenderTarget(m_image.Put(), m_vertical ? width : 2 * width, m_vertical ? 2 * height : height);

    const int length = m_vertical ? height : width;
    const bool forward = from < to;
    m_start = forward ? 0 : length;
    m_end = forward ? length : 0;
    (m_vertical ? m_offset.y : m_offset.x) = m_start;

    STabPage* const oldPage = owner->GetItem(from);
    STabPage* const newPage = owner->GetItem(to);
    if (m_image) {
        RenderHalf(m_image.Get(), area, forward ? 0 : 1, type);
        oldPage->SetVisible(FALSE);
        newPage->SetVisible(TRUE);
        RenderHalf(m_image.Get(), area, forward ? 1 : 0, type);
    } else {
        oldPage->SetVisible(FALSE);
    }
    if (ISwndContainer* const container = GetContainer())
        container->RegisterTimelineHandler(this);
    newPage->SetVisible(FALSE);
    SetVisible(TRUE, TRUE);
}

void STabSlider::RenderHalf(IRenderTarget* image, const RECT& area, int half, int type)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    POINT origin = {-area.left, -area.top};
    if (half == 1)
        (m_vertical ? origin.y : origin.x) += m_vertical ? height : width;
    image->SetViewportOrg(origin);
    if (type == 0)
        PaintBackground(image, &area);
    else
        PaintForegroundInParent(image, &area);
    image->SetViewportOrg(POINT{0, 0});
}

void STabSlider::OnNextFrame()
{
    // Ending the slide destroys this window.
    const SAutoRef<SWindow> self(this);
    ++m_step;
    if (m_step > m_steps) {
        m_owner->StopSlide();
        return;
    }
    const float input = static_cast<float>(m_step) / static_cast<float>(m_steps);
    const float progress = m_interpolator ? m_interpolator->getInterpolation(input) : input;
    const int offset = m_start + static_cast<int>(static_cast<float>(m_end - m_start) * progress);
    (m_vertical ? m_offset.y : m_offset.x) = offset;
    Invalidate();
}

void STabSlider::OnPaint(IRenderTarget* target)
{
    if (!m_image)
        return;
    const RECT window = GetWindowRect();
    // Pictures of all below are copied: in a translucent host they are translucent
    // themselves, and blended over the background that they already hold they
    // would show it twice and change every pixel drawn in its alpha.
    if (m_holdsBackground) {
        target->BitBlt(&window, m_image.Get(), m_offset.x, m_offset.y, SRCCOPY);
        return;
    }
    const RECT source = {m_offset.x, m_offset.y, m_offset.x + (window.right - window.left),
                         m_offset.y + (window.bottom - window.top)};
    target->AlphaBlend(&window, m_image.Get(), &source, 0xFF);
}

void STabSlider::OnSize(UINT type, SIZE size)
{
    SWindow::OnSizeChanged(type, size);
    // The pictures no longer fit the area: the pages show as they are.
    if (m_image)
        m_owner->StopSlide();
}

void STabSlider::OnDestroy()
{
    if (ISwndContainer* const container = GetContainer())
        container->UnregisterTimelineHandler(this);
    if (m_owner->m_slider == this)
        m_owner->m_slider = nullptr;
    SWindow::OnDestroy();
}

}  // namespace SAKU
