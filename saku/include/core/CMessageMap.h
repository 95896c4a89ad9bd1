#pragma once

#include "core/SMsgHandleState.h"
#include "core/WndMsgCracker.h"

#include <windows.h>

#include <type_traits>

namespace SAKU {

// What a real window's messages are run through: a table of handlers that the
// map macros below write. Returns TRUE when an entry handled the message and put
// its answer in `result`; FALSE sends the message on to the default procedure.
class CMessageMap {
public:
    virtual BOOL ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                                      DWORD mapId) = 0;

protected:
    ~CMessageMap() = default;   // windows are deleted as what they are
};

// A notification that a parent reflects goes back to the control that sent it
// as this base plus the message number.
constexpr UINT OCM_BASE = 0x2000;

// The base class whose map a CHAIN_MSG_MAP entry runs, carried as a value.
template <typename T>
struct TMsgMapBase {
    using Type = T;
};

// The cracker tables of the two families of maps.
struct WndMsgCrackers {
    template <UINT message>
    using Of = WndMsgCracker<message>;
};

}  // namespace SAKU

// The message maps of both families, one entry a line, tried in order:
//
//     BEGIN_MSG_MAP(STipCtrl)                    BEGIN_SWND_MSG_MAP(SButton)
//         MSG_HANDLER  (WM_PAINT, OnPaint)           MSG_HANDLER  (WM_PAINT,   OnPaint)
//         MSG_HANDLER  (WM_TIMER, OnTimer)           MSG_HANDLER  (WM_KEYDOWN, OnKeyDown)
//         CHAIN_MSG_MAP(CSimpleWnd)                  CHAIN_MSG_MAP(SWindow)
//     END_MSG_MAP()                              END_MSG_MAP()
//
// BEGIN_MSG_MAP writes ProcessWindowMessage, the map of a real window (a class
// derived from SAKU::CSimpleWnd), whose handlers take the arguments that
// WndMsgCracker cracks; BEGIN_SWND_MSG_MAP writes ProcessSwndMessage, the map of a
// windowless element (a class derived from SAKU::SWindow), cracked by
// SwndMsgCracker (SwndMsgCracker.h). A class that is both (a host) has a flag of
// each kind; each map works on its own family's.
//
// An entry sets the handled flag and calls its handler; a handler that wants the
// later entries, the chained base map and then the default processing to see the
// message as well clears the flag with SetMsgHandled(FALSE). Handlers take cracked
// arguments: MSG_RAW_HANDLER, for a message passed on as it came (the edit to its
// text services), says why on its map line, and MSG_RANGE_HANDLER takes a family of
// messages to pass on the same way. The flag of an outer message survives a nested
// one.

// The opening both families share: `State` is the family's handled flag,
// `Crackers` its cracker table, `processBase` its map function. The chained base
// has an odd name because a name after `this->` is looked up in the class first:
// a plain "Base" would find a class of that name itself and recurse.
#define SAKU_MSG_MAP_PROLOGUE(State, Crackers, processBase)                                           \
    using MsgMapCrackers [[maybe_unused]] = Crackers;                                                 \
    SAKU::SMsgHandleState& msgMapState = static_cast<State&>(*this);                                  \
    const auto chainMsgMap = [&](auto base) -> BOOL {                                                 \
        using SakuChainedMap [[maybe_unused]] = typename decltype(base)::Type;                        \
        return this->SakuChainedMap::processBase;                                                     \
    };                                                                                                \
    (void)wParam;                                                                                     \
    (void)lParam;                                                                                     \
    (void)chainMsgMap;

#define BEGIN_MSG_MAP(Class)                                                                          \
    BOOL ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, \
                              DWORD mapId) override                                                   \
    {                                                                                                 \
        static_assert(std::is_base_of_v<SAKU::CSimpleWnd, Class>, "a map of a real window");          \
        SAKU_MSG_MAP_PROLOGUE(SAKU::CSimpleWnd, SAKU::WndMsgCrackers,                                 \
                              ProcessWindowMessage(hwnd, message, wParam, lParam, result, mapId))     \
        const SAKU::SMsgHandledKeeper keepOuterFlag(msgMapState);

// The body of ProcessSwndMessage: the map of SWindow itself, which ends in
// DefSwndProc instead of a base, opens with it in SWindow.cpp.
#define SWND_MSG_MAP_PROLOGUE(Class)                                                                  \
    static_assert(std::is_base_of_v<SAKU::SWindow, Class>, "a map of a windowless element");          \
    SAKU_MSG_MAP_PROLOGUE(SAKU::SWindow, SAKU::SwndMsgCrackers,                                       \
                          ProcessSwndMessage(message, wParam, lParam, result))                        \
    result = 0;

#define BEGIN_SWND_MSG_MAP(Class)                                                                     \
    BOOL ProcessSwndMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override     \
    {                                                                                                 \
        SWND_MSG_MAP_PROLOGUE(Class)

// handler: as the message's cracker gives above its signature.
#define MSG_HANDLER(msg, handler)                                                                     \
        if (message == (msg)) {                                                                       \
            msgMapState.SetMsgHandled(TRUE);                                                          \
            result = MsgMapCrackers::Of<(msg)>::Call(                                                 \
                [this](auto... args) { return this->handler(args...); }, wParam, lParam);             \
            if (msgMapState.IsMsgHandled())                                                           \
                return TRUE;                                                                          \
        }

// LRESULT handler(UINT message, WPARAM wParam, LPARAM lParam), for every message
// from `first` to `last`: a family of messages passed on as they came.
#define MSG_RANGE_HANDLER(first, last, handler)                                                       \
        if (message >= (first) && message <= (last)) {                                                \
            msgMapState.SetMsgHandled(TRUE);                                                          \
            result = this->handler(message, wParam, lParam);                                          \
            if (msgMapState.IsMsgHandled())                                                           \
                return TRUE;                                                                          \
        }

// LRESULT handler(UINT message, WPARAM wParam, LPARAM lParam): one message passed
// on as it came; the map line says to what.
#define MSG_RAW_HANDLER(msg, handler) MSG_RANGE_HANDLER(msg, msg, handler)

#define CHAIN_MSG_MAP(Base)                                                                           \
        if (chainMsgMap(SAKU::TMsgMapBase<Base>{}))                                                   \
            return TRUE;

// Sends a child's notification back to the child (CSimpleWnd::ReflectNotifications);
// real windows only.
#define REFLECT_NOTIFICATIONS()                                                                       \
        {                                                                                             \
            BOOL reflected = FALSE;                                                                   \
            result = this->ReflectNotifications(message, wParam, lParam, reflected);                  \
            if (reflected)                                                                            \
                return TRUE;                                                                          \
        }

#define END_MSG_MAP()                                                                                 \
        return FALSE;                                                                                 \
    }
