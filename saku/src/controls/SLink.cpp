#include "controls/SLink.h"

#include "render/IRenderTarget.h"

#include <shellapi.h>

namespace SAKU {

SLink::SLink()
{
    m_style.ApplyAttribute(L"align", L"left", TRUE);
}

void SLink::OnInitFinished(pugi::xml_node element)
{
    SWindow::OnInitFinished(element);
    if (m_text.GetText(TRUE).IsEmpty())
        m_text.SetText(m_href);
}

void SLink::DrawText(IRenderTarget* target, LPCWSTR text, int length, RECT* rect, UINT format)
{
    if (!(format & DT_CALCRECT)) {
        // Measured without the alignment: DrawTextW moves a measured rectangle
        // by its vertical alignment, which would spoil the height.
        RECT measured = {};
        const UINT alignment = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM;
        target->DrawText(text, length, &measured, (format & ~alignment) | DT_CALCRECT);
        const int width = measured.right - measured.left;
        const int height = measured.bottom - measured.top;
        const UINT align = m_style.GetTextFormat();
        if (align & DT_CENTER)
            m_hotRect.left = rect->left + (rect->right - rect->left - width) / 2;
        else if (align & DT_RIGHT)
            m_hotRect.left = rect->right - width;
        else
            m_hotRect.left = rect->left;
        m_hotRect.right = m_hotRect.left + width;
        if (align & DT_VCENTER)
            m_hotRect.top = rect->top + (rect->bottom - rect->top - height) / 2;
        else if (align & DT_BOTTOM)
            m_hotRect.top = rect->bottom - height;
        else
            m_hotRect.top = rect->top;
        m_hotRect.bottom = m_hotRect.top + height;
    }
    SWindow::DrawText(target, text, length, rect, format);
}

BOOL SLink::OnSetCursor(const POINT& point)
{
    if (!IsInHotRect(point))
        return FALSE;   // the arrow stays beside the text
    return SWindow::OnSetCursor(point);
}

void SLink::OnLButtonDown(UINT flags, POINT point)
{
    if (IsInHotRect(point))
        SWindow::OnLButtonDown(flags, point);
}

void SLink::OnLeftButtonUp(UINT flags, POINT point)
{
    if (!IsInHotRect(point)) {
        if (ISwndContainer* const container = GetContainer())
            container->OnReleaseSwndCapture();
        return;
    }
    // A subscriber of the command may destroy the link.
    const SAutoRef<SLink> self(this);
    // Only a press on the link makes a click: a release that follows a press
    // beside the text opens nothing, as it fires nothing.
    const bool pressed = (GetState() & WndState_PushDown) != 0;
    SWindow::OnLeftButtonUp(flags, point);
    if (!pressed || m_href.IsEmpty())
        return;
    ISwndContainer* const container = GetContainer();
    HWND const owner = container ? container->GetHostHwnd() : nullptr;
    // Nobody is told of a failure: the shell reports its own, and a link has no
    // one to hand it to.
    (void)::ShellExecuteW(owner, L"open", m_href.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void SLink::OnMouseMove(UINT flags, POINT point)
{
    const bool hovered = (GetState() & WndState_Hover) != 0;
    const bool inside = IsInHotRect(point);
    if (inside && !hovered)
        SWindow::OnMouseHover(flags, point);
    else if (!inside && hovered)
        SWindow::OnMouseLeave();
}

void SLink::OnMouseHover(UINT flags, POINT point)
{
    if (IsInHotRect(point))
        SWindow::OnMouseHover(flags, point);
}

}  // namespace SAKU
