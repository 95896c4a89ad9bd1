#pragma once

// What the tests of the extended popup menu and the menu bar share: the menu
// fixture's skins, a visible owner window that keeps the menu messages it gets,
// and a watch that runs inside a menu's own loop (a thread timer, which the loop
// dispatches) to look at the menus and end a run that went wrong.

#include "MenuTest.h"

#include "controls/SMenuEx.h"
#include "core/CSimpleWnd.h"
#include "core/EventArgs.h"
#include "core/HostMsgCrackers.h"

#include <functional>
#include <vector>

namespace saku_test {

// The window that asks for the menu: visible, so that it can be the foreground
// window, and keeping the messages a menu sends or leaves to it.
class MenuExOwner : public SAKU::CSimpleWnd {
public:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    bool Create(RECT rect)
    {
        if (!CreateWindow(L"menu owner", WS_POPUP | WS_VISIBLE, 0, rect.left, rect.top, rect.right - rect.left,
                          rect.bottom - rect.top, nullptr, nullptr))
            return false;
        ::SetForegroundWindow(GetHwnd());
        return true;
    }
    int Count(UINT message) const
    {
        int count = 0;
        for (const Message& m : messages)
            count += m.message == message;
        return count;
    }
    const Message* Last(UINT message) const
    {
        const Message* last = nullptr;
        for (const Message& m : messages)
            if (m.message == message)
                last = &m;
        return last;
    }

    BEGIN_MSG_MAP(MenuExOwner)
        MSG_RANGE_HANDLER(WM_INITMENUPOPUP, WM_INITMENUPOPUP, Keep)
        MSG_RANGE_HANDLER(WM_COMMAND,       WM_COMMAND,       Keep)
        MSG_RANGE_HANDLER(WM_LBUTTONDOWN,   WM_LBUTTONDOWN,   Keep)
        MSG_RANGE_HANDLER(SAKU::UM_MENUEVENT, SAKU::UM_MENUEVENT, KeepEvent)
    END_MSG_MAP()

    std::vector<Message> messages;
    // The events a menu handed over, by id, with their senders (alive only then).
    std::vector<std::pair<int, SAKU::IObject*>> menuEvents;

private:
    LRESULT Keep(UINT message, WPARAM wParam, LPARAM lParam)
    {
        messages.push_back({message, wParam, lParam});
        return 0;
    }
    LRESULT KeepEvent(UINT, WPARAM, LPARAM lParam)
    {
        const auto* const args = reinterpret_cast<const SAKU::EventArgs*>(lParam);
        menuEvents.emplace_back(args->GetID(), args->sender);
        return 0;
    }
};

// Calls `onTick` every 50 ms from whatever loop runs, the menu's among them;
// after 400 ticks (20 s) it ends a menu still running with -99.
class MenuExWatch {
public:
    explicit MenuExWatch(std::function<void()> onTick) : m_onTick(std::move(onTick))
    {
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 50, &MenuExWatch::OnTimer);
    }
    ~MenuExWatch()
    {
        ::KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    MenuExWatch(const MenuExWatch&) = delete;
    MenuExWatch& operator=(const MenuExWatch&) = delete;

    bool timedOut = false;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        MenuExWatch* const self = s_current;
        if (!self)
            return;
        if (++self->m_ticks > 400) {
            self->timedOut = true;
            SAKU::SMenuEx::ExitPopup(-99);
            return;
        }
        self->m_onTick();
    }

    static inline MenuExWatch* s_current = nullptr;
    std::function<void()> m_onTick;
    UINT_PTR m_timer = 0;
    int m_ticks = 0;
};

inline bool IsShown(const SAKU::SMenuEx* menu)
{
    return menu && menu->GetHwnd() && ::IsWindowVisible(menu->GetHwnd());
}

inline RECT ScreenRectOf(const SAKU::SMenuEx* menu)
{
    RECT rect = {};
    ::GetWindowRect(menu->GetHwnd(), &rect);
    return rect;
}

}  // namespace saku_test
