// The COM pointer's checks are live in the tests' build: using an empty pointer
// stops the program at once instead of calling through null.

#include "TComPtr.h"

#include <gtest/gtest.h>

TEST(TComPtrDeathTest, AnEmptyPointersUseIsCaught)
{
    // Windows has no fork: each death test runs in a fresh copy of the program.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TComPtr<IUnknown> empty;
    EXPECT_DEATH(empty->AddRef(), "Assertion failed");
}
