#pragma once

// What the tests of the window wrapper and of the windows built on it share: the
// helper made for the test's module as the application makes it, the thunk
// heap's live blocks, and a window that records every message it receives.

#include "core/CSimpleWnd.h"
#include "core/CSimpleWndHelper.h"

#include <gtest/gtest.h>

#include <vector>

namespace saku_test {

inline constexpr wchar_t kHostClass[] = L"SAKUHOST";

class SimpleWndTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SAKU::CSimpleWndHelper::Init(::GetModuleHandleW(nullptr), kHostClass)); }
    void TearDown() override { SAKU::CSimpleWndHelper::Destroy(); }

    static HANDLE ThunkHeap() { return SAKU::CSimpleWndHelper::GetInstance()->GetThunkHeap(); }

    // The blocks of the thunk heap in use: one per window alive.
    static int LiveThunks()
    {
        const HANDLE heap = ThunkHeap();
        int live = 0;
        PROCESS_HEAP_ENTRY entry = {};
        ::HeapLock(heap);
        while (::HeapWalk(heap, &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                ++live;
        }
        ::HeapUnlock(heap);
        return live;
    }

    // Dispatches what the thread has queued.
    static void Pump()
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
};

// Records every message but WM_NULL that its map sees and lets each go on to the default procedure.
class RecordingWnd : public SAKU::CSimpleWnd {
public:
    std::vector<UINT> messages;

    HWND CreatePopup(int x = 0, int y = 0, int width = 100, int height = 100, DWORD style = WS_POPUP)
    {
        return CreateWindow(L"recording", style, 0, x, y, width, height, nullptr, nullptr);
    }
    bool Saw(UINT message) const
    {
        for (UINT seen : messages) {
            if (seen == message)
                return true;
        }
        return false;
    }

    BEGIN_MSG_MAP(RecordingWnd)
        MSG_RANGE_HANDLER(WM_NULL + 1, 0xFFFF, OnAnyMessage)
        CHAIN_MSG_MAP    (SAKU::CSimpleWnd)
    END_MSG_MAP()

private:
    LRESULT OnAnyMessage(UINT message, WPARAM, LPARAM)
    {
        messages.push_back(message);
        SetMsgHandled(FALSE);   // only watching
        return 0;
    }
};

}  // namespace saku_test
