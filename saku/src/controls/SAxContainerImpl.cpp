#include "controls/SAxContainerImpl.h"

#include "core/SLog.h"
#include "render/Himetric.h"

#include <exdisp.h>

namespace SAKU {

namespace {

constexpr SLogSite kOverReleaseSite = {kLogLevelWarn, "src\\controls\\SAxContainerImpl", 228,
                                       "SAKU::SAxContainerImpl::Release"};

// The service a browser-hosted control asks for to find its top-level browser.
constexpr GUID kTopLevelBrowserService = {0x1B36028E, 0xB491, 0x4BB2, {0x85, 0x84, 0x8A, 0x9E, 0x0A, 0x67, 0x7D, 0x6E}};

// urlmon.dll, loaded on demand: most hosts never bind a URL.
HMODULE Urlmon()
{
    HMODULE module = ::GetModuleHandleA("urlmon.dll");
    return module ? module : ::LoadLibraryA("urlmon.dll");
}

template <typename Function>
Function UrlmonFunction(const char* name)
{
    const HMODULE module = Urlmon();
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

SAxContainerImpl::SAxContainerImpl(IAxHostDelegate* host) : m_host(host) {}

SAxContainerImpl::~SAxContainerImpl() = default;

bool SAxContainerImpl::CreateControl(REFCLSID clsid, DWORD clsCtx)
{
    if (FAILED(::CoCreateInstance(clsid, nullptr, clsCtx, IID_IUnknown, reinterpret_cast<void**>(m_control.Put()))))
        return false;
    (void)m_control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(m_oleObject.Put()));
    (void)m_control->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(m_inPlaceObject.Put()));
    return true;
}

HRESULT SAxContainerImpl::ActivateControl(IStream* stream)
{
    if (!m_oleObject)
        return E_NOINTERFACE;
    (void)m_oleObject->GetMiscStatus(DVASPECT_CONTENT, &m_miscStatus);   // a control that cannot tell has status 0
    if (m_miscStatus & OLEMISC_SETCLIENTSITEFIRST) {
        if (FAILED(m_oleObject->SetClientSite(this)))
            return E_FAIL;
        m_clientSiteSet = true;
    }
    const HRESULT initialised = InitializeControl(stream);
    if (FAILED(initialised)) {
        if (m_clientSiteSet)
            (void)m_oleObject->SetClientSite(nullptr);   // the control stays unused; its answer changes nothing
        m_clientSiteSet = false;
        return initialised;
    }
    if (!m_clientSiteSet) {
        if (FAILED(m_oleObject->SetClientSite(this)))
            return E_FAIL;
        m_clientSiteSet = true;
    }
    return ActivateInPlace();
}

HRESULT SAxContainerImpl::InitializeControl(IStream* stream)
{
    TComPtr<IPersistStreamInit> streamInit;
    (void)m_control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(streamInit.Put()));
    if (streamInit)
        return stream ? streamInit->Load(stream) : streamInit->InitNew();
    if (!stream)
        return E_POINTER;
    TComPtr<IPersistStream> persist;
    if (FAILED(m_control->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(persist.Put()))))
        return E_NOINTERFACE;
    return persist->Load(stream);
}

HRESULT SAxContainerImpl::ActivateInPlace()
{
    if (m_host)
        m_host->OnAxActivate(m_control.Get());
    const struct {
        const IID* iid;
        int level;
    } views[] = {{&IID_IViewObjectEx, 7}, {&IID_IViewObject2, 3}, {&IID_IViewObject, 1}};
    for (const auto& view : views) {
        if (SUCCEEDED(m_control->QueryInterface(*view.iid, reinterpret_cast<void**>(m_viewObject.Put())))) {
            m_viewLevel = view.level;
            break;
        }
    }
    (void)m_oleObject->Advise(this, &m_adviseCookie);   // a control without notices still draws
    if (m_viewObject)
        (void)m_viewObject->SetAdvise(DVASPECT_CONTENT, 0, this);
    if (m_miscStatus & (OLEMISC_INVISIBLEATRUNTIME | OLEMISC_NOUIACTIVATE))
        return S_FALSE;
    const HRESULT verb = m_oleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, HostWindow(), &m_position);
    if (SUCCEEDED(verb))
        m_inPlaceActive = true;
    return verb;
}

void SAxContainerImpl::ShowControlWindow(bool show)
{
    if (!m_inPlaceObject)
        return;
    HWND window = nullptr;
    if (FAILED(m_inPlaceObject->GetWindow(&window)) || !window)
        return;   // windowless
    const HWND focus = ::GetFocus();
    if (!show && (focus == window || ::IsChild(window, focus))) {
        if (const HWND host = HostWindow())
            ::SetFocus(host);
    }
    ::ShowWindow(window, show ? SW_SHOW : SW_HIDE);
}

void SAxContainerImpl::Draw(HDC dc, const RECT& rect)
{
    if (!m_viewObject)
        return;
    const RECTL bounds = {rect.left, rect.top, rect.right, rect.bottom};
    (void)m_viewObject->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0);
}

bool SAxContainerImpl::FireWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!m_inPlaceActive || !m_windowlessObject)
        return false;
    result = 0;
    if (FAILED(m_windowlessObject->OnWindowMessage(message, wParam, lParam, &result)))
        result = 0;
    return true;
}

void SAxContainerImpl::Clear()
{
    if (m_viewObject)
        (void)m_viewObject->SetAdvise(DVASPECT_CONTENT, 0, nullptr);
    m_viewObject.Reset();
    m_viewLevel = 0;
    m_windowlessObject.Reset();
    if (m_inPlaceActive && m_inPlaceObject)
        (void)m_inPlaceObject->InPlaceDeactivate();   // its OnInPlaceDeactivate undoes the locks
    m_inPlaceActive = false;
    UnlockRunning();                                  // a control that never told us
    m_inPlaceObject.Reset();
    if (m_oleObject) {
        if (m_adviseCookie)
            (void)m_oleObject->Unadvise(m_adviseCookie);
        m_adviseCookie = 0;
        if (m_clientSiteSet)
            (void)m_oleObject->SetClientSite(nullptr);
        m_clientSiteSet = false;
        (void)m_oleObject->Close(OLECLOSE_NOSAVE);
        m_oleObject.Reset();
    }
    m_control.Reset();
    m_shown = false;
    m_windowless = false;
    m_host = nullptr;
}

HWND SAxContainerImpl::HostWindow() const
{
    return m_host ? m_host->GetAxHostWindow() : nullptr;
}

void SAxContainerImpl::UnlockRunning()
{
    for (; m_runningLocks > 0; --m_runningLocks)
        (void)::OleLockRunning(m_control.Get(), FALSE, FALSE);
}

STDMETHODIMP SAxContainerImpl::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch)
        *object = static_cast<IDispatch*>(this);
    else if (iid == IID_IOleContainer || iid == IID_IParseDisplayName)
        *object = static_cast<IOleContainer*>(this);
    else if (iid == IID_IBindHost)
        *object = static_cast<IBindHost*>(this);
    else if (iid == IID_IServiceProvider)
        *object = static_cast<IServiceProvider*>(this);
    else if (iid == IID_IOleClientSite)
        *object = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleControlSite)
        *object = static_cast<IOleControlSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite || iid == IID_IOleInPlaceSiteEx ||
             iid == IID_IOleInPlaceSiteWindowless)
        *object = static_cast<IOleInPlaceSiteWindowless*>(this);
    else if (iid == IID_IAdviseSink)
        *object = static_cast<IAdviseSink*>(this);
    if (!*object)
        return E_NOINTERFACE;   // a refused query takes no reference
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) SAxContainerImpl::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
}

STDMETHODIMP_(ULONG) SAxContainerImpl::Release()
{
    const LONG refs = ::InterlockedDecrement(&m_refs);
    if (refs == 0 && m_host) {
        // The element's own reference, which only Clear gives up: a control let go
        // of one it never took (Wine's media player does, once). Keep the site.
        ::InterlockedIncrement(&m_refs);
        WriteLog(kOverReleaseSite, L"Warning: a hosted control released its site once more than it took it");
        return 1;
    }
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

STDMETHODIMP SAxContainerImpl::CreateMoniker(LPOLESTR name, IBindCtx*, IMoniker** moniker, DWORD)
{
    using CreateUrlMonikerEx = HRESULT(WINAPI*)(IMoniker*, LPCWSTR, IMoniker**, DWORD);
    const auto create = UrlmonFunction<CreateUrlMonikerEx>("CreateURLMonikerEx");
    if (!create)
        return E_FAIL;
    return create(nullptr, name, moniker, URL_MK_UNIFORM);
}

STDMETHODIMP SAxContainerImpl::MonikerBindToStorage(IMoniker* moniker, IBindCtx* context, IBindStatusCallback* callback,
                                                    REFIID iid, void** object)
{
    if (!moniker || !object)
        return E_POINTER;
    *object = nullptr;
    TComPtr<IBindCtx> ownContext;
    if (!context) {
        if (FAILED(::CreateBindCtx(0, ownContext.Put())))
            return E_FAIL;
        context = ownContext.Get();
    }
    if (callback) {
        using RegisterCallback = HRESULT(WINAPI*)(IBindCtx*, IBindStatusCallback*, IBindStatusCallback**, DWORD);
        const auto registerCallback = UrlmonFunction<RegisterCallback>("RegisterBindStatusCallback");
        if (!registerCallback)
            return E_FAIL;
        TComPtr<IBindStatusCallback> previous;
        const HRESULT registered = registerCallback(context, callback, previous.Put(), 0);
        if (FAILED(registered))
            return registered;
    }
    return moniker->BindToStorage(context, nullptr, iid, object);
}

STDMETHODIMP SAxContainerImpl::QueryService(REFGUID service, REFIID iid, void** object)
{
    if (service == IID_IBindHost || service == IID_IWebBrowserApp || service == kTopLevelBrowserService)
        return QueryInterface(iid, object);
    if (object)
        *object = nullptr;
    return E_FAIL;
}

STDMETHODIMP SAxContainerImpl::GetTypeInfoCount(UINT* count)
{
    if (count)
        *count = 0;
    return S_OK;
}

STDMETHODIMP SAxContainerImpl::GetContainer(IOleContainer** container)
{
    if (!container)
        return E_POINTER;
    return QueryInterface(IID_IOleContainer, reinterpret_cast<void**>(container));
}

STDMETHODIMP SAxContainerImpl::ShowObject()
{
    if (!HostWindow() || ::IsRectEmpty(&m_position))
        return E_FAIL;
    m_shown = true;
    if (!m_inPlaceActive)
        return E_FAIL;
    if (m_host)
        m_host->OnAxInvalidate(&m_position);
    return S_OK;
}

STDMETHODIMP SAxContainerImpl::OnShowWindow(BOOL show)
{
    m_shown = show != FALSE;
    return S_OK;
}

STDMETHODIMP SAxContainerImpl::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = HostWindow();
    return *window ? S_OK : E_FAIL;
}

STDMETHODIMP SAxContainerImpl::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                                RECT* position, RECT* clip, OLEINPLACEFRAMEINFO* info)
{
    if (!frame || !document || !position || !clip || !info)
        return E_POINTER;
    *frame = nullptr;
    *document = nullptr;
    *position = m_position;
    *clip = m_position;
    info->fMDIApp = FALSE;
    info->hwndFrame = HostWindow();
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP SAxContainerImpl::OnPosRectChange(LPCRECT rect)
{
    if (!rect || SameRect(*rect, m_position))
        return S_OK;
    m_position = *rect;
    if (m_inPlaceObject)
        (void)m_inPlaceObject->SetObjectRects(&m_position, &m_position);
    if (m_oleObject) {
        const SIZE pixels = {m_position.right - m_position.left, m_position.bottom - m_position.top};
        SIZE himetric = {};
        PixelToHimetric(pixels, himetric);
        (void)m_oleObject->SetExtent(DVASPECT_CONTENT, &himetric);   // a control of fixed size keeps its own
    }
    return S_OK;
}

STDMETHODIMP SAxContainerImpl::OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags)
{
    if (SUCCEEDED(::OleLockRunning(m_control.Get(), TRUE, FALSE)))
        ++m_runningLocks;
    if (noRedraw)
        *noRedraw = FALSE;
    if (!(flags & ACTIVATE_WINDOWLESS) || !m_control)
        return S_FALSE;
    m_windowlessObject.Reset();
    if (FAILED(m_control->QueryInterface(IID_IOleInPlaceObjectWindowless,
                                         reinterpret_cast<void**>(m_windowlessObject.Put()))))
        return S_FALSE;
    m_windowless = true;
    return S_OK;
}

STDMETHODIMP SAxContainerImpl::OnInPlaceDeactivateEx(BOOL)
{
    m_windowless = false;
    UnlockRunning();
    return S_OK;
}

STDMETHODIMP SAxContainerImpl::SetCapture(BOOL capture)
{
    m_captured = capture != FALSE;
    if (m_host)
        m_host->OnAxSetCapture(m_captured);
    return S_OK;
}

STDMETHODIMP SAxContainerImpl::SetFocus(BOOL focus)
{
    const bool changed = m_focused != (focus != FALSE);
    m_focused = focus != FALSE;
    if (changed && m_host)
        m_host->OnAxInvalidate(&m_position);
    return S_OK;
}

STDMETHODIMP SAxContainerImpl::GetDC(LPCRECT, DWORD, HDC* dc)
{
    if (!dc)
        return E_POINTER;
    *dc = ::GetDC(HostWindow());
    return *dc ? S_OK : E_FAIL;
}

STDMETHODIMP SAxContainerImpl::ReleaseDC(HDC dc)
{
    return ::ReleaseDC(HostWindow(), dc) ? S_OK : E_FAIL;
}

STDMETHODIMP SAxContainerImpl::InvalidateRect(LPCRECT rect, BOOL)
{
    if (m_host)
        m_host->OnAxInvalidate(rect ? rect : &m_position);
    return S_OK;
}

STDMETHODIMP SAxContainerImpl::InvalidateRgn(HRGN, BOOL)
{
    if (m_host)
        m_host->OnAxInvalidate(&m_position);
    return S_OK;
}

STDMETHODIMP SAxContainerImpl::OnDefWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (!result)
        return E_POINTER;
    *result = ::DefWindowProcW(HostWindow(), message, wParam, lParam);
    return S_OK;
}

}  // namespace SAKU
