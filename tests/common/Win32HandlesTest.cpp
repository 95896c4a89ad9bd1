// The scopes of Win32Handles.h that borrow rather than own: a lock of a movable
// block, and a thread's COM apartment, which is left only when it was entered.

#include "Win32Handles.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// What entering the single-threaded apartment answers on this thread now; the
// probe leaves the thread as it found it.
HRESULT ProbeApartment()
{
    const HRESULT result = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(result))
        ::CoUninitialize();
    return result;
}

UINT LockCount(HGLOBAL memory)
{
    return ::GlobalFlags(memory) & GMEM_LOCKCOUNT;
}

}  // namespace

TEST(ComApartment, EntersForTheScopeAndLeavesOnlyWhatItEntered)
{
    using Kind = ComApartment::Kind;
    const struct {
        const char* name;
        Kind kind;
        bool threadInMta;   // the thread chose the multithreaded apartment first
        HRESULT inside;     // what a probe inside the scope answers
        HRESULT after;      // and after it
    } cases[] = {
        {"COM",                  Kind::Com, false, S_FALSE,            S_OK},
        {"OLE",                  Kind::Ole, false, S_FALSE,            S_OK},
        {"COM on an MTA thread", Kind::Com, true,  RPC_E_CHANGED_MODE, RPC_E_CHANGED_MODE},   // the MTA stays
        {"OLE on an MTA thread", Kind::Ole, true,  RPC_E_CHANGED_MODE, RPC_E_CHANGED_MODE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool usable = false;
        HRESULT inside = E_FAIL;
        HRESULT after = E_FAIL;
        std::thread worker([&] {   // a thread of its own: the test's thread may be in an apartment already
            const HRESULT mta = c.threadInMta ? ::CoInitializeEx(nullptr, COINIT_MULTITHREADED) : E_FAIL;
            {
                const ComApartment apartment(c.kind);
                usable = apartment.Usable();
                inside = ProbeApartment();
            }
            after = ProbeApartment();
            if (SUCCEEDED(mta))
                ::CoUninitialize();
        });
        worker.join();
        EXPECT_TRUE(usable);
        EXPECT_EQ(c.inside, inside);
        EXPECT_EQ(c.after, after);
    }
}

TEST(GlobalLock, TheHolderUnlocksTheBlockItLocked)
{
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, 16);
    ASSERT_NE(nullptr, memory);
    {
        const UniqueGlobalLock locked = LockGlobal(memory);
        EXPECT_TRUE(locked);
        EXPECT_NE(nullptr, locked.Get().data);
        EXPECT_EQ(1u, LockCount(memory));
    }
    EXPECT_EQ(0u, LockCount(memory));
    EXPECT_FALSE(LockGlobal(nullptr));
    EXPECT_EQ(nullptr, ::GlobalFree(memory));
}
