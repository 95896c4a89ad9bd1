#pragma once

#include "core/CMessageMap.h"
#include "core/SWindowDefs.h"
#include "core/SWnd.h"

#include <richedit.h>

namespace SAKU {

struct IFont;
struct IRenderTarget;

// The handler signature of each message that an entry of a windowless element's
// message map (BEGIN_SWND_MSG_MAP, CMessageMap.h) may name. An element takes the
// payload a real window takes (WndMsgCracker) unless its own differs: these
// specialisations are those differences and the library's own messages.
template <UINT message>
struct SwndMsgCracker : WndMsgCracker<message> {};

struct SwndMsgCrackers {
    template <UINT message>
    using Of = SwndMsgCracker<message>;
};

// An element's paint messages carry the render target it paints into.
using RenderTargetMsgCracker = WParamMsgCracker<IRenderTarget*>;

// void OnPaint(IRenderTarget* target)
template <> struct SwndMsgCracker<WM_PAINT> : RenderTargetMsgCracker {};

// BOOL OnEraseBkgnd(IRenderTarget* target): TRUE when the background was drawn
template <> struct SwndMsgCracker<WM_ERASEBKGND> : RenderTargetMsgCracker {};

// void OnNcPaint(IRenderTarget* target)
template <> struct SwndMsgCracker<WM_NCPAINT> : RenderTargetMsgCracker {};

// void OnNcCalcSize(): the element works out its client rectangle again
template <> struct SwndMsgCracker<WM_NCCALCSIZE> : NoArgMsgCracker {};

// void OnTimer(char id): an element timer's own id (SWindow::SetTimer)
template <>
struct SwndMsgCracker<WM_TIMER> : WParamMsgCracker<char> {};

// void OnSetFocus(SWND oldFocus, int reason): reason a kFocusChange value of the
// focus manager
template <>
struct SwndMsgCracker<WM_SETFOCUS> : WLParamMsgCracker<SWND, int> {};

// void OnKillFocus(SWND newFocus)
template <>
struct SwndMsgCracker<WM_KILLFOCUS> : WParamMsgCracker<SWND> {};

// void OnEnable(BOOL enable, UINT status): status 1 = pushed down from the parent
template <>
struct SwndMsgCracker<WM_ENABLE> : WLParamMsgCracker<BOOL, UINT> {};

// BOOL OnScroll(BOOL vertical, UINT code, int position), for WM_HSCROLL (vertical
// FALSE) and WM_VSCROLL (TRUE): the scroll code in the low word of wParam, the
// position in the high word
template <BOOL vertical>
struct ScrollMsgCracker {
    template <typename H>
    static LRESULT Call(H&& handler, WPARAM wParam, LPARAM)
    {
        return CallCracked(handler, vertical, static_cast<UINT>(LOWORD(wParam)), static_cast<int>(HIWORD(wParam)));
    }
};
template <> struct SwndMsgCracker<WM_HSCROLL> : ScrollMsgCracker<FALSE> {};
template <> struct SwndMsgCracker<WM_VSCROLL> : ScrollMsgCracker<TRUE> {};

// void OnSetFont(IFont* font, BOOL redraw): an element's font is one of the library's
template <>
struct SwndMsgCracker<WM_SETFONT> : WLParamMsgCracker<IFont*, BOOL> {};

// void OnScaleMessage(int scale): the new scale in percent
template <>
struct SwndMsgCracker<UM_SETSCALE> : WParamMsgCracker<int> {};

// int OnLanguageMessage()
template <> struct SwndMsgCracker<UM_SETLANGUAGE> : NoArgMsgCracker {};

// void OnColorizeMessage(COLORREF colour)
template <>
struct SwndMsgCracker<UM_SETCOLORIZE> : WParamMsgCracker<COLORREF> {};

// LRESULT OnTimer2(UINT_PTR id): a tick of an element timer
template <>
struct SwndMsgCracker<UM_TIMER2> : WParamMsgCracker<UINT_PTR> {};

// BOOL OnSetReadOnly(BOOL readOnly)
template <>
struct SwndMsgCracker<EM_SETREADONLY> : WParamMsgCracker<BOOL> {};

// BOOL OnExLimitText(int limit): the limit in characters is in lParam
template <>
struct SwndMsgCracker<EM_EXLIMITTEXT> : LParamMsgCracker<int> {};

}  // namespace SAKU
