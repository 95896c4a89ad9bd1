// The hash map that disposes of its values.

#include "core/SCmnMap.h"

#include <gtest/gtest.h>

#include <vector>

using SAKU::SCmnMap;
using SAKU::SStringW;

namespace {

std::vector<int> g_disposed;

void Dispose(const int& value)
{
    g_disposed.push_back(value);
}

}  // namespace

TEST(SCmnMap, AddsOnlyAbsentKeysAndCopiesValuesOut)
{
    SCmnMap<int, SStringW> map;
    EXPECT_TRUE(map.AddIfAbsent(L"button", 1));
    EXPECT_FALSE(map.AddIfAbsent(L"button", 2));
    int value = 0;
    EXPECT_TRUE(map.GetKeyObject(L"button", value));
    EXPECT_EQ(1, value);
    EXPECT_FALSE(map.GetKeyObject(L"Button", value));
    *map.GetOrInsert(L"text") = 3;
    EXPECT_EQ(2, map.GetCount());
}

TEST(SCmnMap, DisposesOfEveryValueThatLeaves)
{
    g_disposed.clear();
    {
        SCmnMap<int, UINT> map(Dispose);
        for (UINT key = 1; key <= 4; ++key)
            ASSERT_TRUE(map.AddIfAbsent(key, static_cast<int>(key) * 10));

        EXPECT_FALSE(map.RemoveKey(9));
        EXPECT_TRUE(g_disposed.empty());

        EXPECT_TRUE(map.RemoveKey(2));
        EXPECT_EQ(std::vector<int>{20}, g_disposed);
        EXPECT_EQ(3, map.GetCount());

        map.RemoveAll();
        EXPECT_EQ(4u, g_disposed.size());
        EXPECT_EQ(0, map.GetCount());

        map.AddIfAbsent(7, 70);
    }
    EXPECT_EQ(5u, g_disposed.size());   // the destructor disposes of what is left
    EXPECT_EQ(70, g_disposed.back());
}
