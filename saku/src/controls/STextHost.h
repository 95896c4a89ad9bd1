#pragma once

#include "TComPtr.h"

#include <windows.h>
#include <richedit.h>
#include <textserv.h>

namespace SAKU {

class SRichEdit;

// The host of one edit box's text services: it answers their questions from the
// edit (client rectangle, formats, property bits) and carries out their requests
// through the edit's window services (caret, timers, capture, invalidation, scroll
// bars). Born with a count of 0; the edit adopts it with one reference and
// releases it when it is destroyed, and the last release releases the services.
// The services do not count their host. Called by riched20.dll (thiscall on
// i386, as the platform header declares the interface), on the UI thread only.
class STextHost : public ITextHost {
public:
    STextHost() = default;
    STextHost(const STextHost&) = delete;
    STextHost& operator=(const STextHost&) = delete;

    // Makes the text services for `edit`; false (nothing made) when the library,
    // its function or the services' interface is missing.
    [[nodiscard]] bool Init(SRichEdit* edit);
    // Null before Init and after the last release.
    ITextServices* GetTextService() const { return m_services.Get(); }
    bool IsActive() const { return m_active; }
    POINT GetCaretPos() const { return m_caretPos; }

    // IUnknown overrides
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // ITextHost overrides
    HDC TxGetDC() noexcept override;
    INT TxReleaseDC(HDC dc) noexcept override;
    WINBOOL TxShowScrollBar(INT bar, WINBOOL show) noexcept override;
    WINBOOL TxEnableScrollBar(INT bars, INT arrows) noexcept override;
    WINBOOL TxSetScrollRange(INT bar, LONG minimum, INT maximum, WINBOOL redraw) noexcept override;
    WINBOOL TxSetScrollPos(INT bar, INT position, WINBOOL redraw) noexcept override;
    void TxInvalidateRect(LPCRECT rect, WINBOOL mode) noexcept override;
    void TxViewChange(WINBOOL update) noexcept override;
    WINBOOL TxCreateCaret(HBITMAP bitmap, INT width, INT height) noexcept override;
    WINBOOL TxShowCaret(WINBOOL show) noexcept override;
    WINBOOL TxSetCaretPos(INT x, INT y) noexcept override;
    WINBOOL TxSetTimer(UINT id, UINT timeout) noexcept override;
    void TxKillTimer(UINT id) noexcept override;
    void TxScrollWindowEx(INT dx, INT dy, LPCRECT scroll, LPCRECT clip, HRGN updateRegion, LPRECT update,
                          UINT flags) noexcept override;
    void TxSetCapture(WINBOOL capture) noexcept override;
    void TxSetFocus() noexcept override;
    void TxSetCursor(HCURSOR cursor, WINBOOL text) noexcept override;
    WINBOOL TxScreenToClient(LPPOINT point) noexcept override;
    WINBOOL TxClientToScreen(LPPOINT point) noexcept override;
    HRESULT TxActivate(LONG* oldState) noexcept override;
    HRESULT TxDeactivate(LONG newState) noexcept override;
    HRESULT TxGetClientRect(LPRECT rect) noexcept override;
    HRESULT TxGetViewInset(LPRECT rect) noexcept override;
    HRESULT TxGetCharFormat(const CHARFORMATW** format) noexcept override;
    HRESULT TxGetParaFormat(const PARAFORMAT** format) noexcept override;
    COLORREF TxGetSysColor(int index) noexcept override;
    HRESULT TxGetBackStyle(TXTBACKSTYLE* style) noexcept override;
    HRESULT TxGetMaxLength(DWORD* length) noexcept override;
    HRESULT TxGetScrollBars(DWORD* bars) noexcept override;
    HRESULT TxGetPasswordChar(TCHAR* character) noexcept override;
    HRESULT TxGetAcceleratorPos(LONG* position) noexcept override;
    HRESULT TxGetExtent(LPSIZEL extent) noexcept override;
    HRESULT OnTxCharFormatChange(const CHARFORMATW* format) noexcept override;
    HRESULT OnTxParaFormatChange(const PARAFORMAT* format) noexcept override;
    HRESULT TxGetPropertyBits(DWORD mask, DWORD* bits) noexcept override;
    HRESULT TxNotify(DWORD code, void* data) noexcept override;
    HIMC TxImmGetContext() noexcept override;
    void TxImmReleaseContext(HIMC context) noexcept override;
    HRESULT TxGetSelectionBarWidth(LONG* width) noexcept override;

private:
    virtual ~STextHost() = default;   // through Release only

    HWND HostHwnd() const;

    ULONG m_refs = 0;
    bool m_active = false;
    TComPtr<ITextServices> m_services;
    SRichEdit* m_edit = nullptr;   // the owner; outlives every call of the services
    POINT m_caretPos = {};
};

}  // namespace SAKU
