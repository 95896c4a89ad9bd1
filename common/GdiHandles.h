#pragma once

#include "TUniqueHandle.h"

#include <windows.h>

// The GDI handle kinds that the UI library draws with, as holders of the one
// handle template. GDI refuses to delete an object that is still selected into a
// DC, so a selection is a holder of its own that puts the previous object back;
// declare it after the objects it selects so that it dies first.

template <typename H>
struct GdiObjectTraits {               // CreatePen, CreateDIBSection, CreateFontIndirectW... fail with NULL
    static H Invalid() { return nullptr; }
    static void Close(H object) { ::DeleteObject(object); }
};

struct MemoryDcTraits {                // CreateCompatibleDC; DeleteDC, never ReleaseDC
    static HDC Invalid() { return nullptr; }
    static void Close(HDC dc) { ::DeleteDC(dc); }
};

struct ScreenDcTraits {                // GetDC(NULL); ReleaseDC, never DeleteDC
    static HDC Invalid() { return nullptr; }
    static void Close(HDC dc) { ::ReleaseDC(nullptr, dc); }
};

// One GetDC of a window: ReleaseDC wants the window back with the DC. (The screen's
// DC needs no window, so ScreenDcTraits holds it as a bare HDC.)
struct WindowDcLoan {
    HWND window = nullptr;
    HDC dc = nullptr;

    bool operator==(const WindowDcLoan& other) const { return window == other.window && dc == other.dc; }
};

struct WindowDcTraits {
    static WindowDcLoan Invalid() { return {}; }
    static void Close(WindowDcLoan loan) { ::ReleaseDC(loan.window, loan.dc); }
};

struct IconTraits {                    // CreateIconIndirect, LoadImageW of an icon
    static HICON Invalid() { return nullptr; }
    static void Close(HICON icon) { ::DestroyIcon(icon); }
};

// One SelectObject of a pen, brush, font or bitmap: the DC and what it held before.
// (Regions are not selected but copied into the clip, so they need no scope.)
struct GdiSelection {
    HDC dc = nullptr;
    HGDIOBJ previous = nullptr;

    bool operator==(const GdiSelection& other) const { return dc == other.dc && previous == other.previous; }
};

struct GdiSelectionTraits {
    static GdiSelection Invalid() { return {}; }
    static void Close(GdiSelection selection) { ::SelectObject(selection.dc, selection.previous); }
};

// One SaveDC: the DC and the level that RestoreDC goes back to.
struct SavedDcState {
    HDC dc = nullptr;
    int level = 0;                     // SaveDC fails with 0

    bool operator==(const SavedDcState& other) const { return dc == other.dc && level == other.level; }
};

struct SavedDcTraits {
    static SavedDcState Invalid() { return {}; }
    static void Close(SavedDcState state) { ::RestoreDC(state.dc, state.level); }
};

// One BeginPaint of a window, ended by EndPaint with the same PAINTSTRUCT.
struct PaintSession {
    HWND window = nullptr;
    const PAINTSTRUCT* paint = nullptr;

    bool operator==(const PaintSession& other) const { return window == other.window && paint == other.paint; }
};

struct PaintSessionTraits {
    static PaintSession Invalid() { return {}; }
    static void Close(PaintSession session) { ::EndPaint(session.window, session.paint); }
};

using UniqueBitmap = TUniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = TUniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueFont = TUniqueHandle<GdiObjectTraits<HFONT>>;
using UniquePen = TUniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueRegion = TUniqueHandle<GdiObjectTraits<HRGN>>;
using UniqueMemoryDc = TUniqueHandle<MemoryDcTraits>;
using UniqueScreenDc = TUniqueHandle<ScreenDcTraits>;
using UniqueWindowDc = TUniqueHandle<WindowDcTraits>;
using UniqueIcon = TUniqueHandle<IconTraits>;
using UniqueSelection = TUniqueHandle<GdiSelectionTraits>;
using UniqueSavedDc = TUniqueHandle<SavedDcTraits>;
using UniquePaint = TUniqueHandle<PaintSessionTraits>;

// Selects `object` into `dc`; the holder selects the previous object back when it
// dies. Empty when GDI refused the selection (nothing to undo then).
[[nodiscard]] inline UniqueSelection SelectInto(HDC dc, HGDIOBJ object)
{
    const HGDIOBJ previous = ::SelectObject(dc, object);
    if (!previous || previous == HGDI_ERROR)
        return UniqueSelection();
    return UniqueSelection(GdiSelection{dc, previous});
}

// Saves the DC's state (clip, origin, selections); the holder restores exactly that
// level when it dies, whatever was saved after it. Empty when SaveDC failed.
[[nodiscard]] inline UniqueSavedDc SaveDcState(HDC dc)
{
    const int level = ::SaveDC(dc);
    if (level == 0)
        return UniqueSavedDc();
    return UniqueSavedDc(SavedDcState{dc, level});
}

// Begins painting the window into `paint`, which must outlive the holder; the
// holder ends it. Empty when BeginPaint gave no DC.
[[nodiscard]] inline UniquePaint BeginPaintOf(HWND window, PAINTSTRUCT& paint)
{
    if (!::BeginPaint(window, &paint))
        return UniquePaint();
    return UniquePaint(PaintSession{window, &paint});
}

// The DC of the window's client area, or of the screen for a null window; the
// holder gives it back. Empty when GetDC gave none.
[[nodiscard]] inline UniqueWindowDc GetDcOf(HWND window)
{
    const HDC dc = ::GetDC(window);
    if (!dc)
        return UniqueWindowDc();
    return UniqueWindowDc(WindowDcLoan{window, dc});
}
