// The script-timer registry: a process-wide singleton whose end kills the thread
// timers it still holds.

#include "core/SScriptTimer.h"

#include <gtest/gtest.h>

#include <memory>

using namespace SAKU;

TEST(SScriptTimer, IsTheSingletonForItsLifetime)
{
    EXPECT_EQ(nullptr, SScriptTimer::GetInstance());
    {
        SScriptTimer timers;
        EXPECT_EQ(&timers, SScriptTimer::GetInstance());
        EXPECT_EQ(0, timers.GetCount());
    }
    EXPECT_EQ(nullptr, SScriptTimer::GetInstance());
}

TEST(SScriptTimer, KillsTheTimersItStillHoldsWhenDeleted)
{
    const UINT_PTR kept = ::SetTimer(nullptr, 0, 100000, nullptr);
    const UINT_PTR other = ::SetTimer(nullptr, 0, 100000, nullptr);
    ASSERT_NE(0u, kept);
    ASSERT_NE(0u, other);
    {
        auto timers = std::make_unique<SScriptTimer>();
        SCRIPTTIMERINFO info;
        info.handler = "onTick()";
        info.repeat = TRUE;
        EXPECT_TRUE(timers->AddIfAbsent(static_cast<unsigned int>(kept), info));
    }
    EXPECT_FALSE(::KillTimer(nullptr, kept));   // gone already
    EXPECT_TRUE(::KillTimer(nullptr, other));   // never registered, so still there
}
