#pragma once

#include <windows.h>

// The numbers every window of a UI tree shares with its controls and its host:
// the library's own messages, the state bits, the keys a window takes and the
// GetWindow codes. Included through SWindow.h; plain values, for any thread.

namespace SAKU {

// The library's own messages, sent to the windows of a tree.
constexpr UINT UM_SETSCALE = 2024;        // wParam: the new scale in percent (broadcast)
constexpr UINT UM_SETLANGUAGE = 2025;     // the language changed (broadcast)
constexpr UINT UM_SETCOLORIZE = 2026;     // wParam: the colorize colour (broadcast)
constexpr UINT UM_TIMER2 = 0x1938;        // a tick of an element timer; wParam: the window's own id
constexpr UINT UM_UPDATESWND = 0x2B74;    // to the host: wParam names a window with an area to redraw

// State bits (GetState): what the window is showing now, ancestors included.
constexpr DWORD WndState_Normal = 0x00;
constexpr DWORD WndState_Hover = 0x01;
constexpr DWORD WndState_PushDown = 0x02;
constexpr DWORD WndState_Check = 0x04;
constexpr DWORD WndState_Invisible = 0x08;   // hidden by itself or through an ancestor
constexpr DWORD WndState_Disable = 0x10;     // disabled by itself or through an ancestor

// Bits of OnGetDlgCode: the keys a focused window takes itself instead of
// leaving them to the host's navigation. Not Windows' DLGC_ values: characters
// are 8 here.
constexpr UINT kDlgCodeWantArrows = 0x1;
constexpr UINT kDlgCodeWantTab = 0x2;
constexpr UINT kDlgCodeWantEnter = 0x4;
constexpr UINT kDlgCodeWantChars = 0x8;
constexpr UINT kDlgCodeWantAllKeys = 0xFFFF;
constexpr UINT kDlgCodeWantSysKeys = 0x80000000;   // Alt combinations too

// GetWindow codes.
constexpr int GSW_FIRSTCHILD = 0;
constexpr int GSW_LASTCHILD = 1;
constexpr int GSW_PREVSIBLING = 2;
constexpr int GSW_NEXTSIBLING = 3;
constexpr int GSW_PARENT = 4;
constexpr int GSW_OWNER = 5;

}  // namespace SAKU
