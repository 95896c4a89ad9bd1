#include "controls/SRichEdit.h"

#include "STextHost.h"
#include "SRicheditDropTarget.h"
#include "controls/SPopupMenu.h"
#include "core/Events.h"
#include "core/SApplication.h"
#include "core/SRicheditMenuDef.h"
#include "core/SSkinPool.h"
#include "core/SkinLookup.h"
#include "render/AlphaBackup.h"
#include "render/IFont.h"
#include "render/IRenderFactory.h"
#include "render/RenderTargetHandles.h"
#include "res.mgr/SResProviderMgr.h"

#include "GdiHandles.h"
#include "Win32Handles.h"

#include <imm.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <wchar.h>

namespace SAKU {

namespace {

// The element timer the edit repaints itself by once.
constexpr char kRepaintTimer = 6;

// What the default character and paragraph formats set.
constexpr DWORD kCharFormatMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_SIZE | CFM_COLOR | CFM_FACE |
                                  CFM_OFFSET | CFM_CHARSET;
constexpr DWORD kParaFormatMask = PFM_ALIGNMENT | PFM_TABSTOPS | PFM_OFFSET | PFM_RIGHTINDENT | PFM_STARTINDENT |
                                  PFM_NUMBERING | PFM_OFFSETINDENT;
constexpr LONG kTabStopTwips = 720;

// The language options: no automatic font (0x2) but the UI fonts, dual fonts and
// automatic keyboard.
constexpr LRESULT kLangOptionsCleared = IMF_AUTOFONT;
constexpr LRESULT kLangOptionsSet = IMF_AUTOKEYBOARD | IMF_UIFONTS | IMF_DUALFONT;

// The property bits whose change the services are told with the bit itself set;
// the others carry their new state.
constexpr DWORD kChangeBits = TXTBIT_VIEWINSETCHANGE | TXTBIT_SCROLLBARCHANGE | TXTBIT_CHARFORMATCHANGE | TXTBIT_PARAFORMATCHANGE |
                              TXTBIT_MAXLENGTHCHANGE | TXTBIT_EXTENTCHANGE | TXTBIT_CLIENTRECTCHANGE;

// The style and option switches an edit takes as attributes: any value but "0"
// sets the bit; after creation the services hear of `change`.
struct EditSwitch {
    const wchar_t* name;
    DWORD styleBit;     // in the Win32 edit style word
    DWORD optionBit;    // or in the options
    DWORD change;       // property bits to tell, 0 for none
    bool dropTarget;    // the drop target depends on it
};

constexpr EditSwitch kSwitches[] = {
    {L"hscrollBar",     WS_HSCROLL,     0,              TXTBIT_SCROLLBARCHANGE, false},
    {L"vscrollBar",     WS_VSCROLL,     0,              TXTBIT_SCROLLBARCHANGE, false},
    {L"autoHscroll",    ES_AUTOHSCROLL, 0,              TXTBIT_SCROLLBARCHANGE, false},
    {L"autoVscroll",    ES_AUTOVSCROLL, 0,              TXTBIT_SCROLLBARCHANGE, false},
    {L"multiLines",     ES_MULTILINE,   0,              TXTBIT_MULTILINE,       false},
    {L"readOnly",       ES_READONLY,    0,              TXTBIT_READONLY,        true},
    {L"wantReturn",     ES_WANTRETURN,  0,              0,                      false},
    {L"password",       ES_PASSWORD,    0,              TXTBIT_USEPASSWORD,     false},
    {L"number",         ES_NUMBER,      0,              0,                      false},
    {L"enableDragdrop", 0,              kEditDragDrop,  0,                      true},
    {L"autoSel",        0,              kEditAutoSel,   0,                      false},
};

bool CtrlHeld()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

// Pixels to HIMETRIC along one axis at the DC's resolution.
LONG ToHimetric(LONG pixels, HDC dc, int axis)
{
    const int dpi = dc ? ::GetDeviceCaps(dc, axis) : 96;
    return ::MulDiv(pixels, 2540, dpi > 0 ? dpi : 96);
}

// EM_STREAMIN's reader of a block of memory.
struct MemoryStream {
    const char* bytes;
    size_t size;
    size_t offset = 0;
};

DWORD CALLBACK ReadMemory(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* read) noexcept
{
    auto* const stream = reinterpret_cast<MemoryStream*>(cookie);
    const size_t left = stream->size - stream->offset;
    const size_t count = left < static_cast<size_t>(wanted) ? left : static_cast<size_t>(wanted);
    memcpy(buffer, stream->bytes + stream->offset, count);
    stream->offset += count;
    *read = static_cast<LONG>(count);
    return 0;
}

DWORD CALLBACK ReadFile(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* read) noexcept
{
    *read = static_cast<LONG>(fread(buffer, 1, static_cast<size_t>(wanted), reinterpret_cast<FILE*>(cookie)));
    return 0;
}

// The clipboard's text, at most `limit` + 1 characters of it (so that the caller
// sees whether there is more); empty when it holds none or will not open.
std::wstring ClipboardText(HWND owner, size_t limit)
{
    const UniqueClipboard clipboard(::OpenClipboard(owner) != FALSE);
    HANDLE const data = clipboard ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
    const UniqueGlobalLock locked = LockGlobal(data);
    if (!locked)
        return std::wstring();
    const auto* const text = static_cast<const wchar_t*>(locked.Get().data);
    const size_t bytes = ::GlobalSize(data);
    return std::wstring(text, wcsnlen(text, std::min(bytes / sizeof(wchar_t), limit + 1)));
}

}  // namespace

SRichEdit::SRichEdit()
{
    ApplyAttribute(L"focusable", L"1", TRUE);
    ApplyAttribute(L"clipClient", L"1", TRUE);
    m_ncSkin = FindBuiltinSkin(L"_skin.sys.border");
    GetEventSet()->AddEvent(EventRENotify::EventID, EventRENotify::EventName());
    GetEventSet()->AddEvent(EventREMenu::EventID, EventREMenu::EventName());
}

SRichEdit::~SRichEdit() = default;

ITextServices* SRichEdit::GetTextServices() const
{
    return m_textHost ? m_textHost->GetTextService() : nullptr;
}

HRESULT SRichEdit::OnTxNotify(DWORD code, void* data)
{
    EventRENotify notify(this, static_cast<int>(code), data);
    RaiseEvent(&notify);
    return notify.result;
}

pugi::xml_node SRichEdit::GetEditMenuTemplate() const
{
    const SRicheditMenuDef* const menuDef = SRicheditMenuDef::GetInstance();
    return menuDef ? menuDef->GetTemplate() : pugi::xml_node();
}

LRESULT SRichEdit::SendToServices(UINT message, WPARAM wParam, LPARAM lParam, HRESULT* hr)
{
    LRESULT result = 0;
    ITextServices* const services = GetTextServices();
    const HRESULT sent = services ? services->TxSendMessage(message, wParam, lParam, &result) : E_FAIL;
    if (hr)
        *hr = sent;
    return result;
}

void SRichEdit::ApplyMaxLength()
{
    NotifyPropertyChange(TXTBIT_MAXLENGTHCHANGE, TXTBIT_MAXLENGTHCHANGE);
    // Wine's services ignore that change and keep the limit of their own
    // EM_EXLIMITTEXT, which binds typing and pasting alike.
    SendToServices(EM_EXLIMITTEXT, 0, m_maxLength);
}

void SRichEdit::NotifyPropertyChange(DWORD mask, DWORD bits)
{
    if (ITextServices* const services = GetTextServices())
        services->OnTxPropertyBitsChange(mask, bits);
}

// ---- Attributes ---------------------------------------------------------------------

bool SRichEdit::ReadInset(RECT& inset, const SStringW& value)
{
    RECT read = {};
    if (swscanf(value.c_str(), L"%ld,%ld,%ld,%ld", &read.left, &read.top, &read.right, &read.bottom) != 4)
        return false;
    inset = read;
    return true;
}

HRESULT SRichEdit::OnAttrColorText(const SStringW& value, BOOL loading)
{
    const HRESULT result = m_style.ApplyAttribute(L"colorText", value, loading);
    if (FAILED(result))
        return result;
    if (GetTextServices()) {
        m_charFormat.crTextColor = m_style.GetTextColor(0) & 0xFFFFFF;
        NotifyPropertyChange(TXTBIT_CHARFORMATCHANGE, TXTBIT_CHARFORMATCHANGE);
    }
    return kRefresh;
}

HRESULT SRichEdit::OnAttrRtf(const SStringW& value, BOOL loading)
{
    if (loading)
        m_rtfSource = value;
    else
        LoadRtf(value);
    return kNoRefresh;
}

HRESULT SRichEdit::OnAttrAlign(const SStringW& value, BOOL loading)
{
    if (value == L"center")
        m_editStyle |= ES_CENTER;
    else if (value == L"right")
        m_editStyle |= ES_RIGHT;
    if (loading)
        return kNoRefresh;
    if (GetTextServices()) {
        InitDefaultParaFormat();
        NotifyPropertyChange(TXTBIT_PARAFORMATCHANGE, TXTBIT_PARAFORMATCHANGE);
    }
    return kRefresh;
}

HRESULT SRichEdit::OnAttrNotifyChange(const SStringW& value, BOOL)
{
    const HRESULT result = StoreFlagAttribute(m_options, kEditNotifyChange, ParseBool(value), kNoRefresh);
    if (FAILED(result) || !GetTextServices())
        return result;
    LRESULT mask = SendToServices(EM_GETEVENTMASK);
    mask = (m_options & kEditNotifyChange) ? (mask | ENM_CHANGE) : (mask & ~ENM_CHANGE);
    SendToServices(EM_SETEVENTMASK, 0, mask);
    return result;
}

HRESULT SRichEdit::DefAttributeProc(const SStringW& name, const SStringW& value, BOOL loading)
{
    if (_wcsicmp(name.c_str(), L"passwordChar") == 0) {
        m_passwordChar = value.IsEmpty() ? L'\0' : value.c_str()[0];
        return kNoRefresh;
    }
    for (const EditSwitch& edit : kSwitches) {
        if (_wcsicmp(name.c_str(), edit.name) != 0)
            continue;
        const bool on = value != L"0";
        DWORD& word = edit.styleBit ? m_editStyle : m_options;
        const DWORD bit = edit.styleBit ? edit.styleBit : edit.optionBit;
        word = on ? (word | bit) : (word & ~bit);
        if (edit.change)
            NotifyPropertyChange(edit.change, (edit.change & kChangeBits) || on ? edit.change : 0);
        if (edit.dropTarget)
            UpdateDropTarget();
        return kNoRefresh;
    }
    return SPanel::DefAttributeProc(name, value, loading);
}

// ---- Formats ----------------------------------------------------------------------------

void SRichEdit::InitDefaultCharFormat(IFont* font)
{
    SApplication* const app = SApplication::GetInstance();
    IRenderFactory* const factory = app ? app->GetRenderFactory() : nullptr;
    SAutoRef<IRenderTarget> target;
    if (!factory || !factory->CreateRenderTarget(target.Put(), 0, 0) || !target)
        return;
    ApplyAncestorPaintState(target.Get());
    if (font)
        target->SelectObject(font);
    SIZE size = {};
    target->MeasureText(L"A", 1, &size);
    m_charHeight = size.cy;

    const auto* const current = static_cast<IFont*>(target->GetCurrentObject(kRenderObjFont));
    const LOGFONTW* const logFont = current ? current->LogFont() : nullptr;
    m_charFormat = {};
    m_charFormat.cbSize = sizeof(m_charFormat);
    m_charFormat.dwMask = kCharFormatMask;
    m_charFormat.crTextColor = target->GetTextColor() & 0xFFFFFF;
    if (!logFont)
        return;
    const UniqueScreenDc screen(::GetDC(nullptr));
    const int dpiY = screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
    m_charFormat.yHeight = ::MulDiv(abs(logFont->lfHeight), 1440, dpiY > 0 ? dpiY : 96);
    if (logFont->lfWeight >= FW_BOLD)
        m_charFormat.dwEffects |= CFE_BOLD;
    if (logFont->lfItalic)
        m_charFormat.dwEffects |= CFE_ITALIC;
    if (logFont->lfUnderline)
        m_charFormat.dwEffects |= CFE_UNDERLINE;
    m_charFormat.bCharSet = logFont->lfCharSet;
    m_charFormat.bPitchAndFamily = logFont->lfPitchAndFamily;
    wcsncpy(m_charFormat.szFaceName, logFont->lfFaceName, LF_FACESIZE - 1);
}

void SRichEdit::InitDefaultParaFormat()
{
    m_paraFormat = {};
    m_paraFormat.cbSize = sizeof(m_paraFormat);
    m_paraFormat.dwMask = kParaFormatMask;
    m_paraFormat.wAlignment = (m_editStyle & ES_CENTER) ? PFA_CENTER : (m_editStyle & ES_RIGHT) ? PFA_RIGHT : PFA_LEFT;
    m_paraFormat.cTabCount = 1;
    m_paraFormat.rgxTabs[0] = kTabStopTwips;
}

// ---- Text ---------------------------------------------------------------------------------

SStringW SRichEdit::GetWindowText(BOOL) const
{
    auto* const self = const_cast<SRichEdit*>(this);   // the services answer through messages
    const LRESULT length = self->SendToServices(WM_GETTEXTLENGTH);
    if (length <= 0)
        return SStringW();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        self->SendToServices(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return SStringW(text.c_str(), static_cast<int>(copied < length ? copied : length));
}

void SRichEdit::SetWindowText(LPCWSTR text)
{
    SendSwndMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    Invalidate();
}

void SRichEdit::LoadRtf(const SStringW& source)
{
    SStringW type;
    SStringW name;
    EDITSTREAM stream = {};
    if (SplitResRef(source, type, name) == 2) {
        SApplication* const app = SApplication::GetInstance();
        const size_t size = app ? app->GetRawDataSize(type.c_str(), name.c_str()) : 0;
        if (size == 0)
            return;
        std::string bytes(size, '\0');
        if (!app->GetRawData(type.c_str(), name.c_str(), bytes.data(), size))
            return;
        MemoryStream memory{bytes.data(), size};
        stream.dwCookie = reinterpret_cast<DWORD_PTR>(&memory);
        stream.pfnCallback = ReadMemory;
        SendToServices(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
        return;
    }
    const UniqueStdioFile file(_wfopen(source.c_str(), L"rb"));
    if (!file)
        return;
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(file.Get());
    stream.pfnCallback = ReadFile;
    SendToServices(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

// ---- Drop target ----------------------------------------------------------------------------

void SRichEdit::UpdateDropTarget()
{
    ISwndContainer* const container = GetContainer();
    ITextServices* const services = GetTextServices();
    if (!container || !services)
        return;
    RevokeDropTarget();
    if (!(m_options & kEditDragDrop) || (m_editStyle & ES_READONLY))
        return;
    const TComPtr<SRicheditDropTarget> target = SRicheditDropTarget::Make(services);
    m_dropTargetRegistered = target && container->RegisterDragDrop(GetSwnd(), target.Get());
}

void SRichEdit::RevokeDropTarget()
{
    if (ISwndContainer* const container = GetContainer())
        container->RevokeDragDrop(GetSwnd());
    m_dropTargetRegistered = false;
}

// ---- Geometry ---------------------------------------------------------------------------------

RECT SRichEdit::ScaledInset() const
{
    const int scale = GetScale();
    return {m_inset.left * scale / 100, m_inset.top * scale / 100, m_inset.right * scale / 100,
            m_inset.bottom * scale / 100};
}

void SRichEdit::CopyTextRect(RECT* rect) const
{
    CopyClientRect(rect);
    rect->left += m_textInset.left;
    rect->top += m_textInset.top;
    rect->right = std::max(rect->left, rect->right - m_textInset.right);
    rect->bottom = std::max(rect->top, rect->bottom - m_textInset.bottom);
}

SIZE SRichEdit::MeasureDesiredSize(const RECT* container)
{
    // The window's measure is in pixels at its scale already; only the inset is
    // given at scale 100.
    SIZE size = SPanel::MeasureDesiredSize(container);
    const RECT inset = ScaledInset();
    size.cx += inset.left + inset.right;
    size.cy += inset.top + inset.bottom;
    return size;
}

BOOL SRichEdit::OnSetCursor(const POINT& point)
{
    RECT client;
    CopyClientRect(&client);
    if (!::PtInRect(&client, point))
        return FALSE;
    ITextServices* const services = GetTextServices();
    ISwndContainer* const container = GetContainer();
    if (!services)
        return FALSE;
    const HWND host = container ? container->GetHostHwnd() : nullptr;
    const UniqueWindowDc dc = GetDcOf(host);
    services->OnTxSetCursor(DVASPECT_CONTENT, -1, nullptr, nullptr, dc.Get().dc, nullptr, &client, point.x, point.y);
    return TRUE;
}

UINT SRichEdit::OnGetDlgCode() const
{
    UINT code = kDlgCodeWantChars | kDlgCodeWantArrows;
    if (m_options & kEditWantTab)
        code |= kDlgCodeWantTab;
    if (m_editStyle & ES_WANTRETURN)
        code |= kDlgCodeWantEnter;
    return code;
}

void SRichEdit::OnScaleChanged(int scale)
{
    SPanel::OnScaleChanged(scale);
    InitDefaultCharFormat(nullptr);
    NotifyPropertyChange(TXTBIT_CHARFORMATCHANGE, TXTBIT_CHARFORMATCHANGE);
}

void SRichEdit::OnNcCalcSize()
{
    SPanel::OnNcCalcSize();
    RECT client;
    CopyClientRect(&client);
    RECT inset = ScaledInset();
    const LONG width = client.right - client.left;
    const LONG height = client.bottom - client.top;
    const bool singleLinePlain = !(m_options & kEditRich) && (m_options & kEditVCenter) &&
                                 !(m_editStyle & ES_MULTILINE);
    if (singleLinePlain) {
        inset.top = std::max(0L, (height - m_charHeight) / 2);   // a line taller than the edit stays at its top
        inset.bottom = inset.top;
    }
    const LONG textWidth = std::max(0L, width - inset.left - inset.right);
    const LONG textHeight = std::max(0L, height - inset.top - inset.bottom);
    m_horzInfo.nPage = static_cast<UINT>(textWidth);
    m_vertInfo.nPage = static_cast<UINT>(textHeight);
    // Wine's text services never ask for the view inset, so the inset reaches
    // them as part of the client rectangle instead (TxGetClientRect); the extent
    // is that rectangle's, so that nothing is zoomed.
    m_textInset = inset;

    ISwndContainer* const container = GetContainer();
    const HWND host = container ? container->GetHostHwnd() : nullptr;
    const UniqueWindowDc dc = GetDcOf(host);
    m_extent = {ToHimetric(textWidth, dc.Get().dc, LOGPIXELSX), ToHimetric(textHeight, dc.Get().dc, LOGPIXELSY)};

    ITextServices* const services = GetTextServices();
    if (!services)
        return;
    // The services take a new client rectangle only while they are not UI active.
    const bool focused = IsFocused();
    if (focused)
        services->OnTxUIDeactivate();
    const DWORD changed = TXTBIT_CLIENTRECTCHANGE | TXTBIT_EXTENTCHANGE | TXTBIT_VIEWINSETCHANGE;
    services->OnTxPropertyBitsChange(changed, changed);
    if (focused)
        services->OnTxUIActivate();
}

BOOL SRichEdit::OnScroll(BOOL vertical, UINT code, int position)
{
    if (m_options & kEditScrollSync)
        return FALSE;
    m_options |= kEditScrollSync;
    SPanel::OnScroll(vertical, code, position);
    const LRESULT answer = SendToServices(vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, position));
    LONG servicesPos = 0;
    if (ITextServices* const services = GetTextServices()) {
        if (vertical)
            services->TxGetVScroll(nullptr, nullptr, &servicesPos, nullptr, nullptr);
        else
            services->TxGetHScroll(nullptr, nullptr, &servicesPos, nullptr, nullptr);
    }
    if (servicesPos != GetScrollPos(vertical))
        SetScrollPos(vertical, servicesPos, TRUE);
    m_options &= ~kEditScrollSync;
    if (code == SB_THUMBTRACK)
        ScrollUpdate();
    return answer == 0;
}

// ---- Messages ---------------------------------------------------------------------------------

BOOL SRichEdit::DefSwndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // A key the map left unhandled is the dialog's (Enter in a single-line edit).
    if (message == WM_KEYDOWN || !GetTextServices())
        return FALSE;
    if (message == EM_GETRECT) {
        CopyTextRect(reinterpret_cast<RECT*>(lParam));
        return TRUE;
    }
    HRESULT hr = E_FAIL;
    result = SendToServices(message, wParam, lParam, &hr);
    return hr == S_OK;
}

int SRichEdit::OnCreate(LPCREATESTRUCT createStruct)
{
    if (OnWindowCreate(createStruct) != 0)
        return 1;
    InitDefaultCharFormat(nullptr);
    InitDefaultParaFormat();

    auto* const host = new STextHost;
    host->AddRef();
    m_textHost.Attach(host);
    if (!m_textHost->Init(this)) {
        m_textHost.Reset();
        return 1;
    }
    ITextServices* const services = GetTextServices();
    services->OnTxInPlaceActivate(nullptr);
    LONG ignored = 0;
    (void)m_textHost->TxDeactivate(ignored);   // in place, but not UI active until it has the focus
    services->OnTxUIDeactivate();
    SendToServices(WM_KILLFOCUS);

    ApplyMaxLength();

    const LRESULT options = SendToServices(EM_GETLANGOPTIONS);
    SendToServices(EM_SETLANGOPTIONS, 0, (options & ~kLangOptionsCleared) | kLangOptionsSet);
    if (m_options & kEditNotifyChange)
        SendToServices(EM_SETEVENTMASK, 0, ENM_CHANGE);

    if (!m_rtfSource.IsEmpty())
        LoadRtf(m_rtfSource);
    else
        SendSwndMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_text.GetText(FALSE).c_str()));
    UpdateDropTarget();
    return 0;
}

void SRichEdit::OnDestroy()
{
    KillFocus();
    RevokeDropTarget();
    if (ITextServices* const services = GetTextServices())
        services->OnTxInPlaceDeactivate();
    m_textHost.Reset();
    SWindow::OnDestroy();
}

void SRichEdit::OnSetFocus(SWND oldFocus, int reason)
{
    SWindow::OnSetFocus(oldFocus, reason);
    ITextServices* const services = GetTextServices();
    if (!services || !IsVisible(TRUE) || IsDisabled(TRUE))
        return;
    LONG ignored = 0;
    (void)m_textHost->TxActivate(&ignored);
    services->OnTxUIActivate();
    SendToServices(WM_SETFOCUS);
    if (m_options & kEditAutoSel)
        SendToServices(EM_SETSEL, 0, 0xFFFF);
    ISwndContainer* const container = GetContainer();
    const HWND host = container ? container->GetHostHwnd() : nullptr;
    if ((m_editStyle & ES_PASSWORD) && host && !m_imeDetached) {
        m_savedImc = ::ImmAssociateContext(host, nullptr);
        m_imeDetached = true;
    }
}

void SRichEdit::OnKillFocus(SWND newFocus)
{
    SWindow::OnKillFocus(newFocus);
    ITextServices* const services = GetTextServices();
    if (!services)
        return;
    (void)m_textHost->TxDeactivate(0);
    services->OnTxUIDeactivate();
    SendToServices(WM_KILLFOCUS);
    ShowCaret(FALSE);
    ISwndContainer* const container = GetContainer();
    const HWND host = container ? container->GetHostHwnd() : nullptr;
    // Only what this edit took is given back: a password edit that never
    // detached the input method (focused while hidden, or made a password edit
    // while focused) must not take the host's away now.
    if (m_imeDetached && host) {
        ::ImmAssociateContext(host, m_savedImc);
        m_savedImc = nullptr;
        m_imeDetached = false;
    }
}

void SRichEdit::OnPaint(IRenderTarget* target)
{
    ITextServices* const services = GetTextServices();
    if (!services)
        return;
    RECT client;
    CopyClientRect(&client);
    target->PushClipRect(&client);
    RECT update = client;
    target->GetClipBox(&update);
    {
        const UniqueTargetDc lent = GetTargetDc(target);   // given back before the clip is
        const HDC dc = lent.Get().dc;
        const int oldMode = ::SetGraphicsMode(dc, GM_COMPATIBLE);
        // GDI clears the alpha of every pixel it writes; the text keeps what lay
        // below, with its colour premultiplied by it (a sliding page's picture is
        // blended, which broke text with more colour than alpha into stray colours).
        AlphaBackup alpha;
        BackupAlpha(dc, client, alpha, AlphaBackup::Drawn::Premultiply);
        RECT text;
        CopyTextRect(&text);
        const RECTL bounds = {text.left, text.top, text.right, text.bottom};
        services->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, dc, nullptr, &bounds, nullptr, &update, nullptr, 0,
                         TXTVIEW_ACTIVE);
        RestoreAlpha(alpha);
        if (oldMode)
            ::SetGraphicsMode(dc, oldMode);
    }
    target->PopClip();
}

void SRichEdit::OnShowWindow(BOOL show, UINT status)
{
    SPanel::OnShowWindow(show, status);
    if (IsVisible(TRUE))
        return;
    // The cursor may have been the edit's I-beam: the host sets it again.
    ISwndContainer* const container = GetContainer();
    if (const HWND host = container ? container->GetHostHwnd() : nullptr)
        ::PostMessageW(host, WM_SETCURSOR, reinterpret_cast<WPARAM>(host), HTCLIENT);
}

LRESULT SRichEdit::OnSetTextMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    HRESULT hr = E_FAIL;
    SendToServices(message, wParam, lParam, &hr);
    if (hr != S_OK)
        return TRUE;
    // Text set by the program is kept whole: the limit only binds the user.
    const int length = lParam ? static_cast<int>(wcslen(reinterpret_cast<LPCWSTR>(lParam))) : 0;
    if (length > m_maxLength) {
        m_maxLength = length;
        ApplyMaxLength();
    }
    return TRUE;
}

void SRichEdit::OnSetFont(IFont* font, BOOL)
{
    InitDefaultCharFormat(font);
    NotifyPropertyChange(TXTBIT_CHARFORMATCHANGE, TXTBIT_CHARFORMATCHANGE);
}

BOOL SRichEdit::OnSetReadOnly(BOOL readOnly)
{
    return SUCCEEDED(ApplyAttribute(L"readonly", readOnly ? L"1" : L"0", FALSE));
}

LRESULT SRichEdit::OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (wParam == VK_RETURN && !(m_editStyle & ES_WANTRETURN) && !CtrlHeld()) {
        SetMsgHandled(FALSE);
        return 0;
    }
    const bool pasteKey = (wParam == 'V' && CtrlHeld()) || (wParam == VK_INSERT && (::GetKeyState(VK_SHIFT) & 0x8000));
    if (pasteKey && PasteWithinLimit())
        return 0;
    return SendToServices(message, wParam, lParam);
}

LRESULT SRichEdit::OnPaste(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (PasteWithinLimit())
        return 0;
    return SendToServices(message, wParam, lParam);
}

bool SRichEdit::PasteWithinLimit()
{
    if (m_editStyle & ES_READONLY)
        return false;
    CHARRANGE selection = {};
    SendToServices(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const LRESULT length = SendToServices(WM_GETTEXTLENGTH);
    const LRESULT kept = length - std::abs(selection.cpMax - selection.cpMin);
    const size_t room = kept < m_maxLength ? static_cast<size_t>(m_maxLength - kept) : 0;
    ISwndContainer* const container = GetContainer();
    std::wstring text = ClipboardText(container ? container->GetHostHwnd() : nullptr, room);
    if (text.size() <= room)
        return false;   // it fits: the services paste it, formats and all
    text.resize(room);
    if (!text.empty() && IS_HIGH_SURROGATE(text.back()))
        text.pop_back();   // half a character is none
    SendToServices(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return true;
}

LRESULT SRichEdit::OnChar(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool ctrl = CtrlHeld();
    if (wParam == L'\t' && !(m_options & kEditWantTab) && !ctrl)
        return 0;
    if ((wParam == L'\r' || wParam == L'\n') && !(m_editStyle & ES_WANTRETURN) && !ctrl)
        return 0;
    if ((m_editStyle & ES_NUMBER) && !iswdigit(static_cast<wint_t>(wParam)) && wParam != L',' && wParam != L'-' &&
        wParam != L'.')
        return 0;
    return SendToServices(message, wParam, lParam);
}

void SRichEdit::OnTimer(char id)
{
    if (id != kRepaintTimer) {
        SPanel::OnTimer(id);
        return;
    }
    Invalidate();
    KillTimer(id);
}

LRESULT SRichEdit::OnServiceTimer(UINT_PTR id)
{
    return SendToServices(WM_TIMER, id);
}

LRESULT SRichEdit::ForwardToServices(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendToServices(message, wParam, lParam);
}

LRESULT SRichEdit::OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsFocused()) {
        SetFocus();
        if (m_options & kEditAutoSel)
            return 0;   // the focus selected everything; the click must not move the caret
    }
    return SendToServices(message, wParam, lParam);
}

BOOL SRichEdit::OnExLimitText(int limit)
{
    m_maxLength = limit ? limit : 0x7FFF;
    ApplyMaxLength();
    return TRUE;
}

LRESULT SRichEdit::OnSetParaFormat(UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto* const format = reinterpret_cast<const PARAFORMAT2*>(lParam);
    if (!format || format->cbSize != sizeof(PARAFORMAT2))
        return 0;
    SendToServices(message, wParam, lParam);
    return TRUE;
}

BOOL SRichEdit::OnRButtonDown(UINT, POINT point)
{
    ShowContextMenu(point);
    return TRUE;
}

void SRichEdit::UpdateEditMenu(HMENU menu)
{
    CHARRANGE selection = {};
    SendToServices(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const bool selected = selection.cpMin != selection.cpMax;
    const bool readOnly = (m_editStyle & ES_READONLY) != 0;
    const bool canPaste = SendToServices(EM_CANPASTE) != 0;
    const bool empty = SendToServices(WM_GETTEXTLENGTH) == 0;
    const struct {
        UINT id;
        bool grey;
    } items[] = {
        {kEditMenuCut,       !selected || readOnly},
        {kEditMenuCopy,      !selected},
        {kEditMenuPaste,     !canPaste || readOnly},
        {kEditMenuDelete,    !selected || readOnly},
        {kEditMenuSelectAll, empty},
    };
    for (const auto& item : items)
        ::EnableMenuItem(menu, item.id, MF_BYCOMMAND | (item.grey ? MF_GRAYED : MF_ENABLED));
}

void SRichEdit::ShowContextMenu(POINT point)
{
    if (FireCtxMenu(point))
        return;
    SetFocus();
    const pugi::xml_node menuTemplate = GetEditMenuTemplate();
    SPopupMenu menu;
    if (!menuTemplate || !menu.LoadMenu(menuTemplate))
        return;
    ISwndContainer* const container = GetContainer();
    const HWND host = container ? container->GetHostHwnd() : nullptr;
    if (container) {
        const RECT origin = container->GetContainerRect();
        point.x += origin.left;
        point.y += origin.top;
    }
    ::ClientToScreen(host, &point);
    UpdateEditMenu(menu.GetMenu());
    // The menu runs a modal loop: a command may end the edit meanwhile.
    const SAutoRef<SWindow> self(this);
    const int command = menu.TrackPopupMenu(TPM_RETURNCMD, point.x, point.y, host);
    EventREMenu chosen(this, command);
    if (RaiseEvent(&chosen) || !GetTextServices())
        return;
    switch (command) {
    case kEditMenuCut:
        SendSwndMessage(WM_CUT);
        break;
    case kEditMenuCopy:
        SendSwndMessage(WM_COPY);
        break;
    case kEditMenuPaste:
        SendSwndMessage(WM_PASTE);
        break;
    case kEditMenuDelete:
        SendSwndMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
        break;
    case kEditMenuSelectAll:
        SendSwndMessage(EM_SETSEL, 0, -1);
        break;
    default:
        break;
    }
}

}  // namespace SAKU
