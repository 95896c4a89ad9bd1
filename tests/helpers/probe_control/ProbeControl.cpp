// The probe control's module: its class factory, its registration and the
// records the tests read. One apartment thread hosts it, so the records take no
// lock; the counts are interlocked all the same, as COM counts are.

#include "ProbeControl.h"

#include <olectl.h>

#include <cstdarg>
#include <cstdio>
#include <string>

using namespace probe;

namespace {

HMODULE g_module = nullptr;
std::wstring g_log;
LONG g_objects = 0;
LONG g_references = 0;
LONG g_locks = 0;
LONG g_serverLocks = 0;
bool g_keepSite = false;
IOleClientSite* g_keptSite = nullptr;

void Record(const wchar_t* format, ...)
{
    wchar_t line[160];
    va_list arguments;
    va_start(arguments, format);
    std::vswprintf(line, 160, format, arguments);
    va_end(arguments);
    g_log += line;
    g_log += L'\n';
}

const wchar_t* PointerWord(const void* pointer)
{
    return pointer ? L"site" : L"null";
}

template <typename T>
void Hold(T*& field, T* value)
{
    if (value)
        value->AddRef();
    if (field)
        field->Release();
    field = value;
}

// The control itself: windowless, in place only, drawn as one filled rectangle.
class Probe final : public IOleObject,
                    public IOleInPlaceObjectWindowless,
                    public IViewObject,
                    public IPersistStreamInit,
                    public IRunnableObject {
public:
    explicit Probe(bool persist) : m_persist(persist) { ::InterlockedIncrement(&g_objects); AddRef(); }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleObject)
            *object = static_cast<IOleObject*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject || iid == IID_IOleInPlaceObjectWindowless)
            *object = static_cast<IOleInPlaceObjectWindowless*>(this);
        else if (iid == IID_IViewObject)
            *object = static_cast<IViewObject*>(this);
        else if (m_persist && (iid == IID_IPersistStreamInit || iid == IID_IPersist))
            *object = static_cast<IPersistStreamInit*>(this);
        else if (iid == IID_IRunnableObject)
            *object = static_cast<IRunnableObject*>(this);
        if (!*object)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override
    {
        ::InterlockedIncrement(&g_references);
        return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
    }
    STDMETHODIMP_(ULONG) Release() override
    {
        ::InterlockedDecrement(&g_references);
        const LONG refs = ::InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override
    {
        Record(L"SetClientSite(%ls)", PointerWord(site));
        if (!site && g_keepSite)
            Hold(g_keptSite, m_site);
        Hold(m_site, site);
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** site) override
    {
        if (!site)
            return E_POINTER;
        *site = nullptr;
        Hold(*site, m_site);
        return S_OK;
    }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD option) override
    {
        Record(L"Close(%lu)", option);
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, MSG*, IOleClientSite* site, LONG, HWND, LPCRECT) override
    {
        Record(L"DoVerb(%ld)", verb);
        if (verb != OLEIVERB_INPLACEACTIVATE)
            return E_NOTIMPL;
        if (!site)
            site = m_site;
        if (!site)
            return E_UNEXPECTED;
        IOleInPlaceSiteWindowless* windowless = nullptr;
        if (FAILED(site->QueryInterface(IID_IOleInPlaceSiteWindowless, reinterpret_cast<void**>(&windowless))))
            return E_FAIL;
        Hold(m_inPlaceSite, windowless);
        windowless->Release();
        BOOL noRedraw = TRUE;
        const HRESULT activated = m_inPlaceSite->OnInPlaceActivateEx(&noRedraw, ACTIVATE_WINDOWLESS);
        Record(L"OnInPlaceActivateEx=0x%lx", static_cast<unsigned long>(activated));
        if (FAILED(activated))
            return activated;
        m_active = true;
        (void)site->OnShowWindow(TRUE);
        return S_OK;
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* clsid) override { return GetClassID(clsid); }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL* size) override
    {
        Record(L"SetExtent(%ld,%ld)", size->cx, size->cy);
        return S_OK;
    }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* cookie) override
    {
        Record(L"Advise");
        Hold(m_oleSink, sink);
        *cookie = 1;
        return S_OK;
    }
    STDMETHODIMP Unadvise(DWORD cookie) override
    {
        Record(L"Unadvise(%lu)", cookie);
        Hold(m_oleSink, static_cast<IAdviseSink*>(nullptr));
        return S_OK;
    }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override
    {
        Record(L"GetMiscStatus");
        *status = m_persist ? 0 : OLEMISC_SETCLIENTSITEFIRST;   // the twin takes its site before it fails
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceObject, IOleInPlaceObjectWindowless
    STDMETHODIMP GetWindow(HWND*) override { return E_FAIL; }   // windowless
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override
    {
        Record(L"InPlaceDeactivate");
        if (m_active && m_inPlaceSite)
            (void)m_inPlaceSite->OnInPlaceDeactivate();
        m_active = false;
        Hold(m_inPlaceSite, static_cast<IOleInPlaceSiteWindowless*>(nullptr));
        return S_OK;
    }
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT) override
    {
        Record(L"SetObjectRects(%ld,%ld,%ld,%ld)", position->left, position->top, position->right, position->bottom);
        return S_OK;
    }
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnWindowMessage(UINT message, WPARAM, LPARAM lParam, LRESULT* result) override
    {
        Record(L"OnWindowMessage(0x%x,%d,%d)", message, static_cast<int>(static_cast<short>(LOWORD(lParam))),
               static_cast<int>(static_cast<short>(HIWORD(lParam))));
        *result = static_cast<LRESULT>(message);   // an answer the host must pass on
        return S_OK;
    }
    STDMETHODIMP GetDropTarget(IDropTarget**) override { return E_NOTIMPL; }

    // IViewObject
    STDMETHODIMP Draw(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                      BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) override
    {
        if (!bounds)
            return E_INVALIDARG;
        Record(L"Draw(%ld,%ld,%ld,%ld)", bounds->left, bounds->top, bounds->right, bounds->bottom);
        const RECT rect = {bounds->left, bounds->top, bounds->right, bounds->bottom};
        const HBRUSH brush = ::CreateSolidBrush(kFill);
        ::FillRect(dc, &rect, brush);
        ::DeleteObject(brush);
        return S_OK;
    }
    STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override { return E_NOTIMPL; }
    STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetAdvise(DWORD, DWORD, IAdviseSink* sink) override
    {
        Record(L"SetAdvise(%ls)", PointerWord(sink));
        Hold(m_viewSink, sink);
        return S_OK;
    }
    STDMETHODIMP GetAdvise(DWORD*, DWORD*, IAdviseSink**) override { return E_NOTIMPL; }

    // IPersist, IPersistStreamInit
    STDMETHODIMP GetClassID(CLSID* clsid) override
    {
        *clsid = m_persist ? kProbeClsid : kNoPersistClsid;
        return S_OK;
    }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP Load(LPSTREAM) override { return E_NOTIMPL; }
    STDMETHODIMP Save(LPSTREAM, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP InitNew() override
    {
        Record(L"InitNew");
        return S_OK;
    }

    // IRunnableObject: OleLockRunning reaches the probe here
    STDMETHODIMP GetRunningClass(CLSID* clsid) override { return GetClassID(clsid); }
    STDMETHODIMP Run(LPBINDCTX) override { return S_OK; }
    BOOL STDMETHODCALLTYPE IsRunning() override { return TRUE; }
    STDMETHODIMP LockRunning(BOOL lock, BOOL) override
    {
        if (lock)
            ::InterlockedIncrement(&g_locks);
        else
            ::InterlockedDecrement(&g_locks);
        return S_OK;
    }
    STDMETHODIMP SetContainedObject(BOOL) override { return S_OK; }

private:
    ~Probe()
    {
        Hold(m_site, static_cast<IOleClientSite*>(nullptr));
        Hold(m_inPlaceSite, static_cast<IOleInPlaceSiteWindowless*>(nullptr));
        Hold(m_oleSink, static_cast<IAdviseSink*>(nullptr));
        Hold(m_viewSink, static_cast<IAdviseSink*>(nullptr));
        ::InterlockedDecrement(&g_objects);
    }

    LONG m_refs = 0;
    bool m_persist;
    bool m_active = false;
    IOleClientSite* m_site = nullptr;
    IOleInPlaceSiteWindowless* m_inPlaceSite = nullptr;
    IAdviseSink* m_oleSink = nullptr;
    IAdviseSink* m_viewSink = nullptr;
};

// One factory a class, living as long as the module.
class ProbeFactory final : public IClassFactory {
public:
    explicit ProbeFactory(bool persist) : m_persist(persist) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_IClassFactory)
            return E_NOINTERFACE;
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        Probe* const probe = new Probe(m_persist);
        const HRESULT answer = probe->QueryInterface(iid, object);
        probe->Release();
        return answer;
    }
    STDMETHODIMP LockServer(BOOL lock) override
    {
        if (lock)
            ::InterlockedIncrement(&g_serverLocks);
        else
            ::InterlockedDecrement(&g_serverLocks);
        return S_OK;
    }

private:
    bool m_persist;
};

ProbeFactory g_probeFactory(true);
ProbeFactory g_noPersistFactory(false);

std::wstring GuidText(const CLSID& clsid)
{
    wchar_t text[40] = {};
    ::StringFromGUID2(clsid, text, 40);
    return text;
}

bool SetKeyText(const std::wstring& key, const wchar_t* name, const std::wstring& value)
{
    HKEY handle = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const LONG written = ::RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(handle);
    return written == ERROR_SUCCESS;
}

const struct {
    const CLSID* clsid;
    const wchar_t* progId;
} kClasses[] = {{&kProbeClsid, kProbeProgId}, {&kNoPersistClsid, kNoPersistProgId}};

}  // namespace

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, void*)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        ::DisableThreadLibraryCalls(module);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    if (clsid == kProbeClsid)
        return g_probeFactory.QueryInterface(iid, object);
    if (clsid == kNoPersistClsid)
        return g_noPersistFactory.QueryInterface(iid, object);
    if (object)
        *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow()
{
    return g_objects == 0 && g_serverLocks == 0 && !g_keptSite ? S_OK : S_FALSE;
}

// The classes and their ProgIDs under HKLM\Software\Classes.
STDAPI DllRegisterServer()
{
    wchar_t path[MAX_PATH] = {};
    if (!::GetModuleFileNameW(g_module, path, MAX_PATH))
        return E_FAIL;
    for (const auto& entry : kClasses) {
        const std::wstring clsid = GuidText(*entry.clsid);
        const std::wstring classKey = L"Software\\Classes\\CLSID\\" + clsid;
        const std::wstring progIdKey = std::wstring(L"Software\\Classes\\") + entry.progId;
        if (!SetKeyText(classKey, nullptr, L"Tivala probe control") ||
            !SetKeyText(classKey + L"\\InprocServer32", nullptr, path) ||
            !SetKeyText(classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment") ||
            !SetKeyText(classKey + L"\\ProgID", nullptr, entry.progId) ||
            !SetKeyText(progIdKey + L"\\CLSID", nullptr, clsid))
            return SELFREG_E_CLASS;
    }
    return S_OK;
}

STDAPI DllUnregisterServer()
{
    HRESULT answer = S_OK;
    for (const auto& entry : kClasses) {
        const std::wstring keys[] = {L"Software\\Classes\\CLSID\\" + GuidText(*entry.clsid),
                                     std::wstring(L"Software\\Classes\\") + entry.progId};
        for (const std::wstring& key : keys) {
            const LONG deleted = ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
            if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND)
                answer = SELFREG_E_CLASS;
        }
    }
    return answer;
}

extern "C" {

void ProbeReset()
{
    g_log.clear();
    g_keepSite = false;
}

const wchar_t* ProbeLog()
{
    return g_log.c_str();
}

LONG ProbeObjects()
{
    return g_objects;
}

LONG ProbeReferences()
{
    return g_references;
}

LONG ProbeLocks()
{
    return g_locks;
}

void ProbeKeepSite(BOOL keep)
{
    g_keepSite = keep != FALSE;
}

IOleClientSite* ProbeKeptSite()
{
    return g_keptSite;
}

void ProbeDropSite()
{
    Hold(g_keptSite, static_cast<IOleClientSite*>(nullptr));
}

}  // extern "C"
