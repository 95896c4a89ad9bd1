// The handle template's check is live in the tests' build: handing a held handle
// to a call that fills it would leak the handle, and stops the program instead.

#include "Win32Handles.h"

#include <gtest/gtest.h>

TEST(TUniqueHandleDeathTest, FillingAHeldHandleIsCaught)
{
    // Windows has no fork: each death test runs in a fresh copy of the program.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    UniqueHandle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event);
    EXPECT_DEATH(event.Put(), "Assertion failed");
    EXPECT_TRUE(event);   // the program's own copy still holds it
}
