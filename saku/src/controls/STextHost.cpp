#include "STextHost.h"

#include "controls/SRichEdit.h"
#include "core/STextServiceHelper.h"

#include <imm.h>

namespace SAKU {

namespace {

// The panel's bar bits for a Win32 bar code.
DWORD BarsOf(INT bar)
{
    switch (bar) {
    case SB_HORZ:
        return kSbHorz;
    case SB_VERT:
        return kSbVert;
    case SB_BOTH:
        return kSbBoth;
    default:
        return 0;
    }
}

// The bars the services show; their style bits.
constexpr DWORD kScrollBarStyles = WS_VSCROLL | WS_HSCROLL | ES_DISABLENOSCROLL | ES_AUTOHSCROLL | ES_AUTOVSCROLL;

}  // namespace

bool STextHost::Init(SRichEdit* edit)
{
    m_edit = edit;
    const STextServiceHelper* const helper = STextServiceHelper::GetInstance();
    if (!helper)
        return false;
    TComPtr<IUnknown> unknown;
    if (FAILED(helper->CreateTextServices(this, unknown.Put())) || !unknown)
        return false;
    return SUCCEEDED(unknown.As(kIID_ITextServices, m_services)) && m_services;
}

HWND STextHost::HostHwnd() const
{
    ISwndContainer* const container = m_edit->GetContainer();
    return container ? container->GetHostHwnd() : nullptr;
}

// ---- IUnknown -------------------------------------------------------------------------------

HRESULT STextHost::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != kIID_ITextHost)
        return E_NOINTERFACE;
    *object = static_cast<ITextHost*>(this);
    AddRef();
    return S_OK;
}

ULONG STextHost::AddRef()
{
    return ++m_refs;
}

ULONG STextHost::Release()
{
    const ULONG refs = --m_refs;
    if (refs == 0) {
        m_services.Reset();
        delete this;
    }
    return refs;
}

// ---- ITextHost --------------------------------------------------------------------------------

HDC STextHost::TxGetDC() noexcept
{
    return ::GetDC(nullptr);
}

INT STextHost::TxReleaseDC(HDC dc) noexcept
{
    return ::ReleaseDC(nullptr, dc);
}

WINBOOL STextHost::TxShowScrollBar(INT bar, WINBOOL show) noexcept
{
    return m_edit->ShowScrollBar(BarsOf(bar), show);
}

WINBOOL STextHost::TxEnableScrollBar(INT bars, INT arrows) noexcept
{
    return m_edit->EnableScrollBar(BarsOf(bars), arrows == ESB_ENABLE_BOTH);
}

WINBOOL STextHost::TxSetScrollRange(INT bar, LONG minimum, INT maximum, WINBOOL redraw) noexcept
{
    return m_edit->SetScrollRange(bar == SB_VERT, minimum, maximum, redraw);
}

WINBOOL STextHost::TxSetScrollPos(INT bar, INT position, WINBOOL redraw) noexcept
{
    // The panel tells the services of its own moves; their answer must not come back.
    if (m_edit->m_options & kEditScrollSync)
        return TRUE;
    m_edit->m_options |= kEditScrollSync;
    const BOOL done = m_edit->SetScrollPos(bar == SB_VERT, position, redraw);
    m_edit->m_options &= ~kEditScrollSync;
    return done;
}

void STextHost::TxInvalidateRect(LPCRECT rect, WINBOOL) noexcept
{
    if (rect)
        m_edit->InvalidateRect(*rect);
    else
        m_edit->Invalidate();
}

void STextHost::TxViewChange(WINBOOL update) noexcept
{
    if (update)
        m_edit->Invalidate();
}

WINBOOL STextHost::TxCreateCaret(HBITMAP bitmap, INT width, INT height) noexcept
{
    return m_edit->CreateCaret(bitmap, width, height);
}

WINBOOL STextHost::TxShowCaret(WINBOOL show) noexcept
{
    if (show && !m_active)
        return FALSE;
    m_edit->ShowCaret(show);
    return TRUE;
}

WINBOOL STextHost::TxSetCaretPos(INT x, INT y) noexcept
{
    m_caretPos = {x, y};
    m_edit->SetCaretPos(x, y);
    return TRUE;
}

WINBOOL STextHost::TxSetTimer(UINT id, UINT timeout) noexcept
{
    return m_edit->SetTimer2(id, timeout);
}

void STextHost::TxKillTimer(UINT id) noexcept
{
    m_edit->KillTimer2(id);
}

void STextHost::TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) noexcept
{
    m_edit->Invalidate();
}

void STextHost::TxSetCapture(WINBOOL capture) noexcept
{
    if (capture)
        m_edit->SetCapture();
    else
        m_edit->ReleaseCapture();
}

void STextHost::TxSetFocus() noexcept
{
    m_edit->SetFocus();
}

void STextHost::TxSetCursor(HCURSOR cursor, WINBOOL) noexcept
{
    ::SetCursor(cursor);
}

WINBOOL STextHost::TxScreenToClient(LPPOINT point) noexcept
{
    return ::ScreenToClient(HostHwnd(), point);
}

WINBOOL STextHost::TxClientToScreen(LPPOINT point) noexcept
{
    return ::ClientToScreen(HostHwnd(), point);
}

HRESULT STextHost::TxActivate(LONG* oldState) noexcept
{
    if (oldState)
        *oldState = m_active;
    m_active = true;
    return S_OK;
}

HRESULT STextHost::TxDeactivate(LONG) noexcept
{
    m_active = false;
    return S_OK;
}

HRESULT STextHost::TxGetClientRect(LPRECT rect) noexcept
{
    m_edit->CopyTextRect(rect);
    return S_OK;
}

// The inset is in the client rectangle already: services that ask for it too
// must not apply it twice.
HRESULT STextHost::TxGetViewInset(LPRECT rect) noexcept
{
    *rect = {};
    return S_OK;
}

HRESULT STextHost::TxGetCharFormat(const CHARFORMATW** format) noexcept
{
    *format = reinterpret_cast<const CHARFORMATW*>(&m_edit->m_charFormat);   // its first part
    return S_OK;
}

HRESULT STextHost::TxGetParaFormat(const PARAFORMAT** format) noexcept
{
    *format = reinterpret_cast<const PARAFORMAT*>(&m_edit->m_paraFormat);   // its first part
    return S_OK;
}

COLORREF STextHost::TxGetSysColor(int index) noexcept
{
    return ::GetSysColor(index);
}

HRESULT STextHost::TxGetBackStyle(TXTBACKSTYLE* style) noexcept
{
    *style = TXTBACK_TRANSPARENT;   // the window paints its own background
    return S_OK;
}

HRESULT STextHost::TxGetMaxLength(DWORD* length) noexcept
{
    *length = static_cast<DWORD>(m_edit->m_maxLength);
    return S_OK;
}

HRESULT STextHost::TxGetScrollBars(DWORD* bars) noexcept
{
    *bars = m_edit->m_editStyle & kScrollBarStyles;
    return S_OK;
}

HRESULT STextHost::TxGetPasswordChar(TCHAR* character) noexcept
{
    *character = m_edit->m_passwordChar;
    return S_OK;
}

HRESULT STextHost::TxGetAcceleratorPos(LONG* position) noexcept
{
    *position = m_edit->m_accelPos;
    return S_OK;
}

HRESULT STextHost::TxGetExtent(LPSIZEL extent) noexcept
{
    *extent = m_edit->m_extent;
    return S_OK;
}

HRESULT STextHost::OnTxCharFormatChange(const CHARFORMATW*) noexcept
{
    return S_OK;
}

HRESULT STextHost::OnTxParaFormatChange(const PARAFORMAT*) noexcept
{
    return S_OK;
}

HRESULT STextHost::TxGetPropertyBits(DWORD mask, DWORD* bits) noexcept
{
    const DWORD style = m_edit->m_editStyle;
    const DWORD options = m_edit->m_options;
    DWORD all = 0;
    if (options & kEditRich)
        all |= TXTBIT_RICHTEXT;
    if (style & ES_MULTILINE)
        all |= TXTBIT_MULTILINE;
    if (style & ES_READONLY)
        all |= TXTBIT_READONLY;
    if (style & ES_PASSWORD)
        all |= TXTBIT_USEPASSWORD;
    if (!(style & ES_NOHIDESEL))
        all |= TXTBIT_HIDESELECTION;
    if (options & kEditSaveSel)
        all |= TXTBIT_SAVESELECTION;
    if (options & kEditAutoWordSel)
        all |= TXTBIT_AUTOWORDSEL;
    if (options & kEditVertical)
        all |= TXTBIT_VERTICAL;
    if (options & kEditWordWrap)
        all |= TXTBIT_WORDWRAP;
    if (options & kEditAllowBeep)
        all |= TXTBIT_ALLOWBEEP;
    *bits = all & mask;
    return S_OK;
}

HRESULT STextHost::TxNotify(DWORD code, void* data) noexcept
{
    if (code == EN_REQUESTRESIZE)
        return S_OK;
    try {
        return m_edit->OnTxNotify(code, data);
    } catch (...) {
        return E_FAIL;   // a subscriber's failure stays on this side of the services
    }
}

HIMC STextHost::TxImmGetContext() noexcept
{
    return ::ImmGetContext(HostHwnd());
}

void STextHost::TxImmReleaseContext(HIMC context) noexcept
{
    ::ImmReleaseContext(HostHwnd(), context);
}

HRESULT STextHost::TxGetSelectionBarWidth(LONG* width) noexcept
{
    *width = 0;
    return S_OK;
}

}  // namespace SAKU
