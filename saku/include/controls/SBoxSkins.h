#pragma once

#include "core/TStringT.h"

#include <windows.h>

namespace SAKU {

struct IRenderTarget;
struct ISkinObj;

// The box of a check box or a radio box and the mark drawn over it while the
// control has the focus: two skins of the pools, the box drawn by state at the
// left of the client rectangle with the text beside it. A part of its control;
// the skins belong to the pools. UI thread.
class SBoxSkins {
public:
    // The built-in skins of the names.
    SBoxSkins(LPCWSTR boxName, LPCWSTR focusName);

    ISkinObj* GetBox() const { return m_box; }
    ISkinObj* GetFocus() const { return m_focus; }
    void SetBox(const SStringW& name, int scale);
    void SetFocus(const SStringW& name, int scale);

    // The box's state for a control's WndState_ bits: 3 disabled, 2 pushed, 1 hover,
    // else 0, and 4 more when checked.
    static int StateIndex(DWORD state);
    // The box's own size at the client's left, centred vertically.
    RECT BoxRect(const RECT& client) const;
    // Moves the rectangle's left past the box and the gap beside it.
    void ShiftPastBox(RECT* rect) const;
    // A text's size with the box beside it.
    SIZE AddBox(SIZE text) const;
    // Nothing without a box skin.
    void DrawBox(IRenderTarget* target, const RECT& client, DWORD state) const;
    // The focus skin's first state over the box; false without a focus skin.
    bool DrawFocus(IRenderTarget* target, const RECT& client) const;

    void ApplyColorize(COLORREF color) const;
    void OnScaleChanged(int scale);

private:
    SIZE BoxSize() const;

    ISkinObj* m_box = nullptr;
    ISkinObj* m_focus = nullptr;
};

}  // namespace SAKU
