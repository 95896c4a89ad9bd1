#pragma once

#include <windows.h>

namespace SAKU {

// The owner-draw half of a real window's message map: WM_DRAWITEM,
// WM_MEASUREITEM, WM_DELETEITEM and WM_COMPAREITEM go to the operations of T
// (a class derived from CSimpleWnd and from this), whose own DrawItem,
// MeasureItem, DeleteItem and CompareItem hide the defaults below. A map takes
// it in with CHAIN_MSG_MAP(SOwnerDraw<T>).
template <typename T>
class SOwnerDraw {
public:
    BOOL ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM lParam, LRESULT& result, DWORD)
    {
        // Every one of these points at its structure; a stray message without one is
        // left to the default procedure rather than read.
        if (!lParam)
            return FALSE;
        T* const self = static_cast<T*>(this);
        switch (message) {
        case WM_DRAWITEM:
            self->DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            result = TRUE;
            return TRUE;
        case WM_MEASUREITEM:
            self->MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            result = TRUE;
            return TRUE;
        case WM_DELETEITEM:
            self->DeleteItem(reinterpret_cast<DELETEITEMSTRUCT*>(lParam));
            result = TRUE;
            return TRUE;
        case WM_COMPAREITEM:
            result = self->CompareItem(reinterpret_cast<COMPAREITEMSTRUCT*>(lParam));
            return TRUE;
        default:
            return FALSE;
        }
    }

    void DrawItem(DRAWITEMSTRUCT*) {}
    void MeasureItem(MEASUREITEMSTRUCT*) {}
    void DeleteItem(DELETEITEMSTRUCT*) {}
    int CompareItem(COMPAREITEMSTRUCT*) { return 0; }

protected:
    ~SOwnerDraw() = default;
};

}  // namespace SAKU
