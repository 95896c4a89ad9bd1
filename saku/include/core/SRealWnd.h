#pragma once

#include "core/SAttributeMap.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"
#include "res.mgr/SResProviderMgr.h"

#include <pugixml.hpp>

namespace SAKU {

struct IRealWndHandler;

// How a realwnd's native window is to be made, read from its element.
struct SRealWndParams {
    SStringW className;
    SStringW windowName;
    DWORD style = WS_CHILD;
    DWORD exStyle = 0;
    pugi::xml_document params;   // a copy of the element's "params" child, for the handler
};

// A rectangle of the tree reserved for a native child window ("realwnd"), which
// the application's IRealWndHandler makes, places and destroys. The element keeps
// the native window's position and visibility in step with its own: created when
// built ("init") or first shown, moved with every relayout, shown and hidden with
// the element. Without a handler it only reserves its rectangle. UI thread.
class SRealWnd : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"realwnd", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    const SRealWndParams& GetRealWndParam() const { return m_params; }
    HWND GetRealHwnd() const { return m_realHwnd; }
    // A value for the handler's own use.
    LPARAM GetData() const { return m_data; }
    void SetData(LPARAM data) { m_data = data; }

    // Asks the handler for the native window and places it; FALSE without one.
    BOOL CreateRealWnd();
    // Creates the native window when the element is visible and has none, then
    // shows or hides it with the element.
    void ShowRealWindow();

    BEGIN_ATTRIBUTES(SRealWnd)
        ATTRIBUTE_FIELD(L"wndclass", m_params.className,  SResProviderMgr::GetString, kNoRefresh)
        ATTRIBUTE_FIELD(L"wndname",  m_params.windowName, SResProviderMgr::GetString, kNoRefresh)
        ATTRIBUTE_FIELD(L"style",    m_params.style,      ParseInt,                   kNoRefresh)
        ATTRIBUTE_FIELD(L"exstyle",  m_params.exStyle,    ParseInt,                   kNoRefresh)
        ATTRIBUTE_FIELD(L"init",     m_init,              ParseInt,                   kNoRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    BEGIN_SWND_MSG_MAP(SRealWnd)
        MSG_HANDLER  (WM_PAINT,      OnPaint)         // the native window paints itself
        MSG_HANDLER  (WM_DESTROY,    OnDestroy)
        MSG_HANDLER  (WM_SHOWWINDOW, OnShowWindow)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

    // SWindow overrides
    BOOL BuildFromXml(pugi::xml_node element) override;
    BOOL OnRelayout(const RECT& rect) override;
    BOOL NeedRedrawOnStateChange() const override { return FALSE; }

protected:
    void OnPaint(IRenderTarget*) {}
    void OnDestroy();
    void OnShowWindow(BOOL show, UINT status);

private:
    bool HasRealWnd() const { return m_realHwnd && ::IsWindow(m_realHwnd); }

    SRealWndParams m_params;
    int m_init = 0;
    HWND m_realHwnd = nullptr;   // the handler's
    LPARAM m_data = 0;
};

}  // namespace SAKU
