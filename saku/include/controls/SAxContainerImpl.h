#pragma once

#include "TComPtr.h"

#include <windows.h>
#include <ocidl.h>
#include <oleidl.h>
#include <servprov.h>
#include <urlmon.h>

namespace SAKU {

// What the site of a hosted ActiveX control asks of the element that shows it.
struct IAxHostDelegate {
    // The real window the element's tree lives in; null while there is none.
    virtual HWND GetAxHostWindow() = 0;
    // The control is about to be activated in place: the element may configure it.
    virtual void OnAxActivate(IUnknown* control) = 0;
    // Part of the element (null: all of it) is to be painted again.
    virtual void OnAxInvalidate(const RECT* rect) = 0;
    virtual void OnAxSetCapture(bool capture) = 0;

protected:
    ~IAxHostDelegate() = default;
};

// The OLE container and in-place site of one hosted control, on one reference
// count: the element that shows the control holds the first reference and the
// control the ones it takes. The element tears the control down and detaches
// itself (Clear) before letting go, so a control that keeps the site longer
// reaches a site that answers without a host; until then no control can release
// the element's reference. UI thread; only the count is thread-safe.
class SAxContainerImpl final : public IOleContainer,
                               public IBindHost,
                               public IServiceProvider,
                               public IDispatch,
                               public IOleClientSite,
                               public IOleControlSite,
                               public IOleInPlaceSiteWindowless,
                               public IAdviseSink {
public:
    explicit SAxContainerImpl(IAxHostDelegate* host);
    SAxContainerImpl(const SAxContainerImpl&) = delete;
    SAxContainerImpl& operator=(const SAxContainerImpl&) = delete;

    // CoCreateInstance and the control's object interfaces; false when it failed.
    [[nodiscard]] bool CreateControl(REFCLSID clsid, DWORD clsCtx);
    // Initialises the control (from `stream` when given), sets the site and
    // activates it in place; the first failure is the answer.
    HRESULT ActivateControl(IStream* stream);
    // Takes the position rectangle, passing it to the control when it changed.
    void SetPosition(const RECT& rect) { (void)OnPosRectChange(&rect); }
    // The control's own window when it has one, shown or hidden with the element.
    void ShowControlWindow(bool show);
    // Draws the control through its view object into `rect` of `dc`.
    void Draw(HDC dc, const RECT& rect);
    // Passes a mouse or keyboard message to a windowless control; false, with
    // nothing done, when none is active.
    bool FireWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Releases the control in the order it expects and forgets the host; the
    // element's reference is then an ordinary one.
    void Clear();

    IUnknown* GetControl() const { return m_control.Get(); }
    bool HasViewObject() const { return static_cast<bool>(m_viewObject); }
    int GetViewLevel() const { return m_viewLevel; }
    bool IsShown() const { return m_shown; }
    bool IsInPlaceActive() const { return m_inPlaceActive; }
    bool IsWindowless() const { return m_windowless; }
    const RECT& GetPosition() const { return m_position; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IParseDisplayName, IOleContainer
    STDMETHODIMP ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP EnumObjects(DWORD, IEnumUnknown**) override { return E_NOTIMPL; }
    STDMETHODIMP LockContainer(BOOL) override { return E_NOTIMPL; }

    // IBindHost
    STDMETHODIMP CreateMoniker(LPOLESTR name, IBindCtx*, IMoniker** moniker, DWORD) override;
    STDMETHODIMP MonikerBindToStorage(IMoniker* moniker, IBindCtx* context, IBindStatusCallback* callback,
                                      REFIID iid, void** object) override;
    STDMETHODIMP MonikerBindToObject(IMoniker*, IBindCtx*, IBindStatusCallback*, REFIID, void**) override
    {
        return E_NOTIMPL;
    }

    // IServiceProvider
    STDMETHODIMP QueryService(REFGUID service, REFIID iid, void** object) override;

    // IDispatch: a minimal one, without type information
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL show) override;
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetExtendedControl(IDispatch**) override { return E_NOTIMPL; }
    STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position,
                                  RECT* clip, OLEINPLACEFRAMEINFO* info) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return OnInPlaceDeactivateEx(TRUE); }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT rect) override;

    // IOleInPlaceSiteEx
    STDMETHODIMP OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) override;
    STDMETHODIMP OnInPlaceDeactivateEx(BOOL noRedraw) override;
    STDMETHODIMP RequestUIActivate() override { return S_OK; }

    // IOleInPlaceSiteWindowless
    STDMETHODIMP CanWindowlessActivate() override { return S_OK; }
    STDMETHODIMP GetCapture() override { return m_captured ? S_OK : S_FALSE; }
    STDMETHODIMP SetCapture(BOOL capture) override;
    STDMETHODIMP GetFocus() override { return m_focused ? S_OK : S_FALSE; }
    STDMETHODIMP SetFocus(BOOL focus) override;
    STDMETHODIMP GetDC(LPCRECT, DWORD, HDC* dc) override;
    STDMETHODIMP ReleaseDC(HDC dc) override;
    STDMETHODIMP InvalidateRect(LPCRECT rect, BOOL erase) override;
    STDMETHODIMP InvalidateRgn(HRGN region, BOOL erase) override;
    STDMETHODIMP ScrollRect(INT, INT, LPCRECT, LPCRECT) override { return E_NOTIMPL; }
    STDMETHODIMP AdjustRect(LPRECT) override { return E_NOTIMPL; }
    STDMETHODIMP OnDefWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // IAdviseSink: the control's notices need nothing of the host
    STDMETHODIMP_(void) OnDataChange(FORMATETC*, STGMEDIUM*) override {}
    STDMETHODIMP_(void) OnViewChange(DWORD, LONG) override {}
    STDMETHODIMP_(void) OnRename(IMoniker*) override {}
    STDMETHODIMP_(void) OnSave() override {}
    STDMETHODIMP_(void) OnClose() override {}

private:
    ~SAxContainerImpl();

    HWND HostWindow() const;
    HRESULT InitializeControl(IStream* stream);
    HRESULT ActivateInPlace();
    // Undoes every OleLockRunning that in-place activation took.
    void UnlockRunning();

    volatile LONG m_refs = 1;
    IAxHostDelegate* m_host;
    TComPtr<IUnknown> m_control;
    TComPtr<IOleObject> m_oleObject;
    TComPtr<IOleInPlaceObject> m_inPlaceObject;
    TComPtr<IOleInPlaceObjectWindowless> m_windowlessObject;
    TComPtr<IViewObject> m_viewObject;   // the richest of IViewObjectEx, IViewObject2, IViewObject
    int m_viewLevel = 0;                 // 7, 3 or 1 as those
    DWORD m_miscStatus = 0;
    DWORD m_adviseCookie = 0;
    RECT m_position = {};
    int m_runningLocks = 0;
    bool m_clientSiteSet = false;
    bool m_shown = false;
    bool m_inPlaceActive = false;
    bool m_windowless = false;
    bool m_captured = false;
    bool m_focused = false;
};

}  // namespace SAKU
