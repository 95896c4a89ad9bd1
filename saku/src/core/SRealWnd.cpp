#include "core/SRealWnd.h"

#include "core/IRealWndHandler.h"
#include "core/SApplication.h"
#include "core/SXmlLookup.h"

namespace SAKU {

namespace {

IRealWndHandler* RealWndHandler()
{
    SApplication* const app = SApplication::GetInstance();
    return app ? app->GetRealWndHandler() : nullptr;
}

}  // namespace

BOOL SRealWnd::BuildFromXml(pugi::xml_node element)
{
    if (!SWindow::BuildFromXml(element))
        return FALSE;
    m_params.params.reset();
    if (const pugi::xml_node params = XmlChild(element, L"params"))
        m_params.params.append_copy(params);
    if (m_init)
        CreateRealWnd();
    return TRUE;
}

BOOL SRealWnd::CreateRealWnd()
{
    // A second window would orphan the first, which nothing would destroy.
    if (HasRealWnd())
        return TRUE;
    m_params.style |= WS_CHILD;
    IRealWndHandler* const handler = RealWndHandler();
    if (handler)
        m_realHwnd = handler->CreateNativeWindow(this);
    if (!HasRealWnd())
        return FALSE;
    if (!m_init && !(handler && handler->SizeNativeWindow(this))) {
        const RECT client = GetClientRect();
        ::SetWindowPos(m_realHwnd, nullptr, client.left, client.top, client.right - client.left,
                       client.bottom - client.top, SWP_NOZORDER);
    }
    if (handler)
        handler->InitNativeWindow(this);
    return TRUE;
}

BOOL SRealWnd::OnRelayout(const RECT& rect)
{
    const BOOL changed = SWindow::OnRelayout(rect);
    IRealWndHandler* const handler = RealWndHandler();
    if (!changed || !handler || !HasRealWnd() || handler->MoveNativeWindow(this, rect))
        return changed;
    POINT topLeft = {rect.left, rect.top};
    ISwndContainer* const container = GetContainer();
    if ((::GetWindowLongW(m_realHwnd, GWL_STYLE) & WS_POPUP) && container)
        ::ClientToScreen(container->GetHostHwnd(), &topLeft);
    ::SetWindowPos(m_realHwnd, nullptr, topLeft.x, topLeft.y, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER);
    return changed;
}

void SRealWnd::OnDestroy()
{
    if (HasRealWnd()) {
        if (IRealWndHandler* const handler = RealWndHandler())
            handler->DestroyNativeWindow(this);
    }
    m_realHwnd = nullptr;
    // The element's own destruction still runs, so that its children and subscribers hear of it.
    SetMsgHandled(FALSE);
}

void SRealWnd::OnShowWindow(BOOL show, UINT status)
{
    SWindow::OnShowWindow(show, status);
    ShowRealWindow();
}

void SRealWnd::ShowRealWindow()
{
    const BOOL visible = IsVisible(TRUE);
    if (visible && !HasRealWnd())
        CreateRealWnd();
    if (HasRealWnd())
        ::ShowWindow(m_realHwnd, visible ? SW_SHOW : SW_HIDE);
}

}  // namespace SAKU
