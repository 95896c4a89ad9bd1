#pragma once

// What the header and list-control tests share: a recorder of the header's
// events, and a look for the drag window among the thread's windows.

#include "controls/SHeaderCtrl.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"

#include <windows.h>

#include <string>
#include <vector>

namespace saku_test {

// The header's events in order: "click 1", "changing 0 150", "changed 0 150", "swap 0 2".
struct HeaderEvents {
    void Listen(SAKU::SHeaderCtrl* header)
    {
        SAKU::SEventSet* const events = header->GetEventSet();
        events->SubscribeEvent(SAKU::EventHeaderClick::EventID, SAKU::Subscriber(&HeaderEvents::OnClick, this));
        events->SubscribeEvent(SAKU::EventHeaderItemChanging::EventID,
                               SAKU::Subscriber(&HeaderEvents::OnChanging, this));
        events->SubscribeEvent(SAKU::EventHeaderItemChanged::EventID, SAKU::Subscriber(&HeaderEvents::OnChanged, this));
        events->SubscribeEvent(SAKU::EventHeaderItemSwap::EventID, SAKU::Subscriber(&HeaderEvents::OnSwap, this));
    }
    BOOL OnClick(SAKU::EventArgs* args)
    {
        log.push_back(L"click " + std::to_wstring(SAKU::SObjCast<SAKU::EventHeaderClick>(args)->item));
        return TRUE;
    }
    BOOL OnChanging(SAKU::EventArgs* args)
    {
        auto* const changing = SAKU::SObjCast<SAKU::EventHeaderItemChanging>(args);
        log.push_back(L"changing " + std::to_wstring(changing->item) + L" " + std::to_wstring(changing->width));
        return TRUE;
    }
    BOOL OnChanged(SAKU::EventArgs* args)
    {
        auto* const changed = SAKU::SObjCast<SAKU::EventHeaderItemChanged>(args);
        log.push_back(L"changed " + std::to_wstring(changed->item) + L" " + std::to_wstring(changed->width));
        return TRUE;
    }
    BOOL OnSwap(SAKU::EventArgs* args)
    {
        auto* const swap = SAKU::SObjCast<SAKU::EventHeaderItemSwap>(args);
        log.push_back(L"swap " + std::to_wstring(swap->oldIndex) + L" " + std::to_wstring(swap->newIndex));
        return TRUE;
    }
    // The log so far, emptied.
    std::vector<std::wstring> Take()
    {
        std::vector<std::wstring> taken;
        taken.swap(log);
        return taken;
    }

    std::vector<std::wstring> log;
};

// Answers a layered, click-through topmost tool window: the drag window.
inline BOOL CALLBACK FindDragWindowIn(HWND window, LPARAM found)
{
    constexpr LONG_PTR kDragStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    if ((::GetWindowLongPtrW(window, GWL_EXSTYLE) & kDragStyle) != kDragStyle)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The drag window of this thread, if one exists.
inline HWND FindDragWindow()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDragWindowIn, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The orders of a header's items in display order, as "1 2 0".
inline std::wstring Orders(const SAKU::SHeaderCtrl* header)
{
    std::wstring orders;
    for (int i = 0; i < header->GetItemCount(); ++i) {
        SAKU::SHeaderItem item;
        item.mask = SAKU::kHeaderMaskOrder;
        header->GetItem(i, &item);
        orders += (i ? L" " : L"") + std::to_wstring(item.order);
    }
    return orders;
}

// The captions of a header's items in display order, as "B C A".
inline std::wstring Captions(const SAKU::SHeaderCtrl* header)
{
    std::wstring captions;
    for (int i = 0; i < header->GetItemCount(); ++i) {
        SAKU::SHeaderItem item;
        item.mask = SAKU::kHeaderMaskText;
        header->GetItem(i, &item);
        captions += (i ? L" " : L"") + std::wstring(item.text.GetText().c_str());
    }
    return captions;
}

}  // namespace saku_test
