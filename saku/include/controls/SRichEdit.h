#pragma once

#include "controls/SPanel.h"
#include "core/SAttributeMap.h"
#include "core/SwndMsgCracker.h"

#include "TComPtr.h"

#include <richedit.h>

struct ITextServices;

namespace pugi {
class xml_node;
}

namespace SAKU {

class STextHost;
struct IFont;

// The option bits of an edit ("options" beside the Win32 edit style word).
constexpr DWORD kEditAutoWordSel = 0x1;
constexpr DWORD kEditWordWrap = 0x2;
constexpr DWORD kEditRich = 0x4;
constexpr DWORD kEditSaveSel = 0x8;
constexpr DWORD kEditTransparent = 0x10;
constexpr DWORD kEditVertical = 0x20;
constexpr DWORD kEditAllowBeep = 0x40;
constexpr DWORD kEditWantTab = 0x80;
constexpr DWORD kEditVCenter = 0x100;
constexpr DWORD kEditScrollSync = 0x200;   // a scroll position is being passed between panel and services
constexpr DWORD kEditDragDrop = 0x400;
constexpr DWORD kEditAutoSel = 0x800;
constexpr DWORD kEditNotifyChange = 0x1000;

// The commands of an edit's context menu, by the ids of its template's items.
constexpr UINT kEditMenuCut = 1;
constexpr UINT kEditMenuCopy = 2;
constexpr UINT kEditMenuPaste = 3;
constexpr UINT kEditMenuDelete = 4;
constexpr UINT kEditMenuSelectAll = 5;

// The rich edit box ("richedit"): a windowless edit whose text, caret, selection,
// clipboard, undo and input method are done by the Windows text services of
// riched20.dll. The window is their host (STextHost): it hands them its keyboard
// and mouse, its focus, timers and caret, draws them into its render target with
// the target's alpha kept, shows their scroll bars as its panel's, and opens a
// context menu of cut, copy, paste, delete and select all. EM_* messages sent to
// the window reach the services. Creation fails when the library is missing.
// Owned by its parent like every window; UI thread only.
class SRichEdit : public SPanel {
public:
    SOBJECT_CLASS(SPanel, L"richedit", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"div")

    SRichEdit();
    ~SRichEdit() override;

    // Raises EventRENotify for a notification of the services; its result.
    virtual HRESULT OnTxNotify(DWORD code, void* data);
    // The context menu's template; an empty node when the application has none.
    virtual pugi::xml_node GetEditMenuTemplate() const;

    // Greys the context menu's commands that cannot run now: cut and delete
    // without a selection or when read-only, copy without a selection, paste
    // without something to paste or when read-only, select all without text.
    void UpdateEditMenu(HMENU menu);

    // Null before creation, after destruction or when creation failed.
    ITextServices* GetTextServices() const;
    DWORD GetEditStyle() const { return m_editStyle; }
    DWORD GetEditOptions() const { return m_options; }
    int GetMaxLength() const { return m_maxLength; }
    wchar_t GetPasswordChar() const { return m_passwordChar; }
    bool HasDropTarget() const { return m_dropTargetRegistered; }

    BEGIN_ATTRIBUTES(SRichEdit)
        ATTRIBUTE_FIELD  (L"style",        m_editStyle, ParseInt,         kNoRefresh)
        ATTRIBUTE_FIELD  (L"maxBuf",       m_maxLength, ParseInt,         kNoRefresh)
        ATTRIBUTE_FLAG   (L"transparent",  m_options,   kEditTransparent, kNoRefresh)
        ATTRIBUTE_FLAG   (L"rich",         m_options,   kEditRich,        kNoRefresh)
        ATTRIBUTE_FLAG   (L"vertical",     m_options,   kEditVertical,    kNoRefresh)
        ATTRIBUTE_FLAG   (L"wordWrap",     m_options,   kEditWordWrap,    kNoRefresh)
        ATTRIBUTE_FLAG   (L"allowBeep",    m_options,   kEditAllowBeep,   kNoRefresh)
        ATTRIBUTE_FLAG   (L"vcenter",      m_options,   kEditVCenter,     kNoRefresh)
        ATTRIBUTE_FLAG   (L"autoWordSel",  m_options,   kEditAutoWordSel, kNoRefresh)
        ATTRIBUTE_READ   (L"inset",        m_inset,     ReadInset,        kNoRefresh)
        ATTRIBUTE_HANDLER(L"colorText",    OnAttrColorText)
        ATTRIBUTE_HANDLER(L"rtf",          OnAttrRtf)
        ATTRIBUTE_HANDLER(L"align",        OnAttrAlign)
        ATTRIBUTE_HANDLER(L"notifyChange", OnAttrNotifyChange)
    END_ATTRIBUTES_CHAIN(SPanel)
    // The style and option switches ("readOnly", "password", "multiLines", ...).
    HRESULT DefAttributeProc(const SStringW& name, const SStringW& value, BOOL loading) override;

    // ---- SWindow and SPanel overrides -----------------------------------------
    SStringW GetWindowText(BOOL raw = FALSE) const override;
    void SetWindowText(LPCWSTR text) override;
    SIZE MeasureDesiredSize(const RECT* container) override;
    BOOL OnSetCursor(const POINT& point) override;
    UINT OnGetDlgCode() const override;
    void OnScaleChanged(int scale) override;
    BOOL OnScroll(BOOL vertical, UINT code, int position) override;

    BEGIN_SWND_MSG_MAP(SRichEdit)
        MSG_HANDLER    (WM_CREATE,        OnCreate)
        MSG_HANDLER    (WM_DESTROY,       OnDestroy)
        MSG_HANDLER    (WM_SETFOCUS,      OnSetFocus)
        MSG_HANDLER    (WM_KILLFOCUS,     OnKillFocus)
        MSG_RAW_HANDLER(WM_SETTEXT,       OnSetTextMessage)    // to the services as it came
        MSG_HANDLER    (WM_PAINT,         OnPaint)
        MSG_HANDLER    (WM_SHOWWINDOW,    OnShowWindow)
        MSG_HANDLER    (WM_SETFONT,       OnSetFont)
        MSG_HANDLER    (WM_NCCALCSIZE,    OnNcCalcSize)
        MSG_HANDLER    (EM_SETREADONLY,   OnSetReadOnly)
        MSG_RAW_HANDLER(WM_KEYDOWN,       OnKeyDown)           // to the services as it came
        MSG_RAW_HANDLER(WM_CHAR,          OnChar)              // to the services as it came
        MSG_RAW_HANDLER(WM_PASTE,         OnPaste)             // to the services as it came
        MSG_HANDLER    (WM_TIMER,         OnTimer)
        MSG_RAW_HANDLER(WM_MOUSEMOVE,     ForwardToServices)   // to the services as it came
        MSG_RAW_HANDLER(WM_LBUTTONDOWN,   OnLButtonDown)       // to the services as it came
        MSG_RAW_HANDLER(WM_LBUTTONUP,     ForwardToServices)   // to the services as it came
        MSG_RAW_HANDLER(WM_LBUTTONDBLCLK, ForwardToServices)   // to the services as it came
        MSG_HANDLER    (WM_RBUTTONDOWN,   OnRButtonDown)
        MSG_HANDLER    (EM_EXLIMITTEXT,   OnExLimitText)
        MSG_RAW_HANDLER(EM_SETCHARFORMAT, ForwardToServices)   // to the services as it came
        MSG_RAW_HANDLER(EM_SETPARAFORMAT, OnSetParaFormat)     // to the services as it came
        MSG_HANDLER    (UM_TIMER2,        OnServiceTimer)      // the services' own timers
        CHAIN_MSG_MAP  (SPanel)
    END_MSG_MAP()

protected:
    // ---- SWindow overrides ------------------------------------------------------
    // Messages no entry took go to the services: EM_* messages work on the edit.
    BOOL DefSwndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    int OnCreate(LPCREATESTRUCT createStruct);
    void OnDestroy();
    void OnSetFocus(SWND oldFocus, int reason);
    void OnKillFocus(SWND newFocus);
    void OnPaint(IRenderTarget* target);
    void OnShowWindow(BOOL show, UINT status);
    void OnNcCalcSize();
    void OnTimer(char id);
    BOOL OnRButtonDown(UINT flags, POINT point);
    void OnSetFont(IFont* font, BOOL redraw);
    BOOL OnSetReadOnly(BOOL readOnly);
    // 0 lifts the limit to the services' default.
    BOOL OnExLimitText(int limit);
    LRESULT OnServiceTimer(UINT_PTR id);
    // Messages the services take as they come, raw.
    LRESULT OnSetTextMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnChar(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnPaste(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnSetParaFormat(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ForwardToServices(UINT message, WPARAM wParam, LPARAM lParam);

    // Sends a message to the services; 0 without them.
    LRESULT SendToServices(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, HRESULT* hr = nullptr);
    // Tells the services that property bits changed; nothing before creation.
    void NotifyPropertyChange(DWORD mask, DWORD bits);
    // Wine's services paste past the maximum length: a paste that would pass it
    // is cut to what fits and put in as plain text here. False when the services
    // are to paste (it fits, there is no text, the edit is read-only).
    bool PasteWithinLimit();
    // Gives the services the maximum length.
    void ApplyMaxLength();
    // "inset" in pixels at the window's scale.
    RECT ScaledInset() const;
    // The client rectangle less the inset: where the text services lay out and draw.
    void CopyTextRect(RECT* rect) const;

private:
    friend class STextHost;

    // "left,top,right,bottom": four numbers or nothing changes.
    static bool ReadInset(RECT& inset, const SStringW& value);
    HRESULT OnAttrColorText(const SStringW& value, BOOL loading);
    HRESULT OnAttrRtf(const SStringW& value, BOOL loading);
    HRESULT OnAttrAlign(const SStringW& value, BOOL loading);
    HRESULT OnAttrNotifyChange(const SStringW& value, BOOL loading);

    void InitDefaultCharFormat(IFont* font);
    void InitDefaultParaFormat();
    void LoadRtf(const SStringW& source);
    // Registers a drop target with the container when drops are on and the text
    // may change, revokes it otherwise.
    void UpdateDropTarget();
    void RevokeDropTarget();
    void ShowContextMenu(POINT point);

    CHARFORMAT2W m_charFormat = {};
    PARAFORMAT2 m_paraFormat = {};
    int m_maxLength = 0x7FFF;
    wchar_t m_passwordChar = L'*';
    LONG m_accelPos = -1;
    SIZEL m_extent = {};         // HIMETRIC
    RECT m_textInset = {};       // pixels at the current scale, as laid out
    RECT m_inset = {};           // pixels at scale 100: left, top, right, bottom
    int m_charHeight = 0;        // of "A" in the current font
    DWORD m_editStyle = ES_AUTOHSCROLL;
    DWORD m_options = kEditAutoWordSel | kEditRich | kEditSaveSel | kEditVCenter;
    SStringW m_rtfSource;        // "rtf" given while loading, applied at creation
    TComPtr<STextHost> m_textHost;
    HIMC m_savedImc = nullptr;   // a password edit's input method while it is detached
    bool m_imeDetached = false;
    bool m_dropTargetRegistered = false;
};

}  // namespace SAKU
