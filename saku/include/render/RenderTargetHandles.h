#pragma once

#include "render/IRenderTarget.h"

#include "TUniqueHandle.h"

namespace SAKU {

// What a painter borrows from a render target and must give back, as holders of
// the one handle template: the target's DC, for drawing with GDI directly, and its
// text colour. The target must outlive the holder, which the painter keeps on its
// stack; UI thread, as the target.

// One IRenderTarget::GetDC: ReleaseDC goes to the target that lent the DC.
struct TargetDcLoan {
    IRenderTarget* target = nullptr;
    HDC dc = nullptr;

    bool operator==(const TargetDcLoan& other) const { return target == other.target && dc == other.dc; }
};

struct TargetDcTraits {
    static TargetDcLoan Invalid() { return {}; }
    static void Close(TargetDcLoan loan) { loan.target->ReleaseDC(loan.dc); }
};

// One IRenderTarget::SetTextColor: the target and the colour it had before.
struct TextColorChange {
    IRenderTarget* target = nullptr;
    COLORREF previous = 0;

    bool operator==(const TextColorChange& other) const { return target == other.target && previous == other.previous; }
};

struct TextColorTraits {
    static TextColorChange Invalid() { return {}; }
    static void Close(TextColorChange change) { change.target->SetTextColor(change.previous); }
};

using UniqueTargetDc = TUniqueHandle<TargetDcTraits>;
using UniqueTextColor = TUniqueHandle<TextColorTraits>;

// The target's DC; the holder gives it back. Empty when the target lent none.
[[nodiscard]] inline UniqueTargetDc GetTargetDc(IRenderTarget* target)
{
    const HDC dc = target->GetDC(0);
    if (!dc)
        return UniqueTargetDc();
    return UniqueTargetDc(TargetDcLoan{target, dc});
}

// Sets the target's text colour; the holder puts the previous one back.
[[nodiscard]] inline UniqueTextColor SetTargetTextColor(IRenderTarget* target, COLORREF colour)
{
    return UniqueTextColor(TextColorChange{target, target->SetTextColor(colour)});
}

}  // namespace SAKU
