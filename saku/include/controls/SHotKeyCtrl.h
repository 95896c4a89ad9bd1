#pragma once

#include "core/CAccelerator.h"
#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"
#include "render/IFont.h"

#include <optional>

namespace SAKU {

// Bits of a hot-key control's "invalidComb": the modifier combinations it refuses.
constexpr WORD kHotKeyCombNone = 1;
constexpr WORD kHotKeyCombShift = 2;
constexpr WORD kHotKeyCombCtrl = 4;
constexpr WORD kHotKeyCombAlt = 8;
constexpr WORD kHotKeyCombCtrlShift = 16;
constexpr WORD kHotKeyCombShiftAlt = 32;
constexpr WORD kHotKeyCombCtrlAlt = 64;
constexpr WORD kHotKeyCombCtrlShiftAlt = 128;

// The hot-key control ("hotkey"): a field that records the key combination the
// user presses and shows its text (CAccelerator's) with a caret after it. A
// refused modifier combination is replaced by the default modifiers; every key
// read raises EventSetHotKey. Owned by its parent like every window; UI thread.
class SHotKeyCtrl : public SWindow, public CAccelerator {
public:
    SOBJECT_CLASS(SWindow, L"hotkey", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    SHotKeyCtrl();

    WORD GetInvalidComb() const { return m_invalidComb; }
    WORD GetDefCombKey() const { return m_defCombKey; }
    // Whether a combination is being entered: from the first key down until the
    // key is released, or every key when none was taken.
    bool IsSetting() const { return m_setting; }

    BEGIN_ATTRIBUTES(SHotKeyCtrl)
        ATTRIBUTE_HANDLER(L"combKey",     OnAttrCombKey)
        ATTRIBUTE_HANDLER(L"hotKey",      OnAttrHotKey)
        ATTRIBUTE_FIELD  (L"invalidComb", m_invalidComb, ParseLowWord, kNoRefresh)
        ATTRIBUTE_FIELD  (L"defCombKey",  m_defCombKey,  ParseLowWord, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // SWindow overrides
    // Every key but Tab, and the system keys, so that Alt combinations reach it.
    UINT OnGetDlgCode() const override { return kDlgCodeWantSysKeys | (kDlgCodeWantAllKeys & ~kDlgCodeWantTab); }

    BEGIN_SWND_MSG_MAP(SHotKeyCtrl)
        MSG_HANDLER  (WM_CREATE,      OnCreate)
        MSG_HANDLER  (WM_SETFOCUS,    OnSetFocus)
        MSG_HANDLER  (WM_KILLFOCUS,   OnKillFocus)
        MSG_HANDLER  (WM_PAINT,       OnPaint)
        MSG_HANDLER  (WM_KEYDOWN,     OnKeyDown)
        MSG_HANDLER  (WM_KEYUP,       OnKeyUp)
        MSG_HANDLER  (WM_SYSKEYDOWN,  OnSysKeyDown)
        MSG_HANDLER  (WM_SYSKEYUP,    OnSysKeyUp)
        MSG_HANDLER  (WM_LBUTTONDOWN, OnLButtonDown)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    int OnCreate(LPCREATESTRUCT createStruct);
    void OnSetFocus(SWND oldFocus, int reason);
    void OnKillFocus(SWND newFocus);
    void OnPaint(IRenderTarget* target);
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags);
    void OnKeyUp(UINT key, UINT repeatCount, UINT flags);
    void OnSysKeyDown(UINT key, UINT repeatCount, UINT flags);
    void OnSysKeyUp(UINT key, UINT repeatCount, UINT flags);
    void OnLButtonDown(UINT flags, POINT point);

private:
    // An integer as ParseInt reads it, its low 16 bits kept.
    static std::optional<WORD> ParseLowWord(const SStringW& value);
    HRESULT OnAttrCombKey(const SStringW& value, BOOL loading);
    HRESULT OnAttrHotKey(const SStringW& value, BOOL loading);

    // Takes the modifiers held now, or the default ones when that combination is
    // refused, and raises EventSetHotKey; then the caret follows the text.
    void ReadModifiers();
    void PlaceCaret();
    // The size of a text in the control's font; empty without a render factory.
    SIZE MeasureText(const SStringW& text) const;

    WORD m_invalidComb = kHotKeyCombNone;
    WORD m_defCombKey = 0;
    bool m_setting = false;
    SAutoRef<IFont> m_font;   // the window's font when it was created
};

}  // namespace SAKU
