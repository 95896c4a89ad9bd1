#pragma once

#include "controls/SAxContainerImpl.h"
#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

#include "TComPtr.h"

namespace SAKU {

// The ActiveX host ("activex"): creates a control by class id or ProgID
// ("clsID"), activates it in place through its site (SAxContainerImpl), paints
// it through its view object into the tree's render target and passes it the
// mouse and the keyboard when it is windowless. A control that cannot be made
// leaves the element empty. Owned by its parent like every window; UI thread,
// which must be in a COM apartment.
class SActiveX : public SWindow, protected IAxHostDelegate {
public:
    SOBJECT_CLASS(SWindow, L"activex", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    SActiveX();
    ~SActiveX() override;

    const CLSID& GetClsid() const { return m_clsid; }
    DWORD GetClsCtx() const { return m_clsCtx; }
    bool IsDelayed() const { return m_delay; }
    // The hosted control's IUnknown; null before it was made or when it failed.
    IUnknown* GetControl() const { return m_container->GetControl(); }
    // The control's site, for what the element shows of its state.
    const SAxContainerImpl& GetSite() const { return *m_container; }

    BEGIN_ATTRIBUTES(SActiveX)
        ATTRIBUTE_HANDLER(L"clsID",    OnAttrClsid)
        ATTRIBUTE_FIELD  (L"clscText", m_clsCtx, ParseClsCtx, kNoRefresh)
        ATTRIBUTE_FIELD  (L"delay",    m_delay,  ParseBool,   kNoRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // SWindow overrides
    UINT OnGetDlgCode() const override { return kDlgCodeWantAllKeys; }
    BOOL IsFocusable() const override { return TRUE; }

    BEGIN_SWND_MSG_MAP(SActiveX)
        MSG_HANDLER      (WM_CREATE,                  OnCreate)
        MSG_HANDLER      (WM_DESTROY,                 OnDestroy)
        MSG_HANDLER      (WM_SIZE,                    OnSize)
        MSG_HANDLER      (WM_SHOWWINDOW,              OnShowWindow)
        MSG_HANDLER      (WM_PAINT,                   OnPaint)
        MSG_RANGE_HANDLER(WM_MOUSEFIRST, WM_MOUSELAST, OnInputMessage)   // to a windowless control as they came
        MSG_RANGE_HANDLER(WM_KEYFIRST,   WM_KEYLAST,   OnInputMessage)
        CHAIN_MSG_MAP    (SWindow)
    END_MSG_MAP()

protected:
    // The control is about to be activated in place: a subclass configures it here.
    void OnAxActivate(IUnknown* /*control*/) override {}
    // The control was made and activated (or refused activation).
    virtual void OnAxCreated() {}

    int OnCreate(LPCREATESTRUCT createStruct);
    void OnDestroy();
    void OnSize(UINT type, SIZE size);
    void OnShowWindow(BOOL show, UINT status);
    void OnPaint(IRenderTarget* target);
    LRESULT OnInputMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Releases the control; a subclass lets go of its own interfaces first.
    virtual void ReleaseControl();
    // The class a subclass hosts, before the layout's attributes.
    void SetClsid(const CLSID& clsid) { m_clsid = clsid; }

private:
    // IAxHostDelegate
    HWND GetAxHostWindow() override;
    void OnAxInvalidate(const RECT* rect) override;
    void OnAxSetCapture(bool capture) override;

    static std::optional<DWORD> ParseClsCtx(const SStringW& value);
    HRESULT OnAttrClsid(const SStringW& value, BOOL loading);
    // Makes and activates the control; nothing when it cannot be made.
    void CreateControl();

    TComPtr<SAxContainerImpl> m_container;
    CLSID m_clsid = {};
    DWORD m_clsCtx = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
    bool m_delay = false;
};

}  // namespace SAKU
