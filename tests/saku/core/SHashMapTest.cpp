// The prime-sized hash map: its hashes, bin counts, growth and shrink thresholds,
// iteration, and keys and values that own memory.

#include "core/SHashMap.h"

#include <gtest/gtest.h>

#include <set>

using SAKU::HashBinCountFor;
using SAKU::HashNameAndInt;
using SAKU::HashWideString;
using SAKU::SHashMap;
using SAKU::SStringW;

TEST(SHashMap, HashesWideTextsAndNamedIntegers)
{
    EXPECT_EQ(0u, HashWideString(L""));
    EXPECT_EQ(65u, HashWideString(L"A"));
    EXPECT_EQ(65u * 33 + 66, HashWideString(L"AB"));
    EXPECT_EQ(65u * 32 + 2, HashNameAndInt(L"A", 2));
    // Wraps at 32 bits instead of failing.
    EXPECT_EQ(HashWideString(L"a very long text that overflows many times") * 33 + 'x',
              HashWideString(L"a very long text that overflows many timesx"));
}

TEST(SHashMap, BinCountsComeFromThePrimeTable)
{
    const struct {
        UINT wanted;
        UINT bins;
    } cases[] = {
        {0, 17}, {17, 17}, {18, 23}, {52, 53}, {53, 53}, {160, 163}, {13316089, 13316089},
        {13316090, 13316090},   // past the table
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wanted);
        EXPECT_EQ(c.bins, HashBinCountFor(c.wanted));
    }
}

TEST(SHashMap, GrowsOnThe39thElementAndShrinksOnlyFrom68Bins)
{
    SHashMap<UINT, int> map;
    EXPECT_EQ(17u, map.GetBinCount());
    for (UINT key = 0; key < 38; ++key)
        ASSERT_NE(nullptr, map.GetOrInsert(key));
    EXPECT_EQ(17u, map.GetBinCount());
    map.GetOrInsert(38);
    EXPECT_EQ(53u, map.GetBinCount());   // 39 / 0.75 = 52, the next prime

    for (UINT key = 39; key < 119; ++key)
        map.GetOrInsert(key);
    EXPECT_EQ(53u, map.GetBinCount());   // 119 = 53 * 2.25
    map.GetOrInsert(119);
    EXPECT_EQ(163u, map.GetBinCount());  // 120 / 0.75 = 160

    // 163 bins shrink below 40 elements (163 * 0.25); 53 bins never do.
    for (UINT key = 0; key < 80; ++key)
        EXPECT_TRUE(map.RemoveKey(key));
    EXPECT_EQ(40, map.GetCount());
    EXPECT_EQ(163u, map.GetBinCount());
    map.RemoveKey(80);
    EXPECT_EQ(53u, map.GetBinCount());   // 39 / 0.75 = 52
    for (UINT key = 81; key < 120; ++key)
        map.RemoveKey(key);
    EXPECT_EQ(0, map.GetCount());
    EXPECT_EQ(53u, map.GetBinCount());

    // Every key is still found after the resizes.
    for (UINT key = 0; key < 200; ++key)
        *map.GetOrInsert(key) = static_cast<int>(key) * 2;
    for (UINT key = 0; key < 200; ++key)
        ASSERT_EQ(static_cast<int>(key) * 2, map.Lookup(key)->value) << key;
}

TEST(SHashMap, IteratesEveryElementOnceInBinOrder)
{
    SHashMap<UINT, int> map;
    for (UINT key = 0; key < 30; ++key)
        map.GetOrInsert(key * 7);
    std::set<UINT> seen;
    UINT lastBin = 0;
    const SHashMap<UINT, int>::Node* last = nullptr;
    for (auto* node = map.GetStartPosition(); node; node = map.GetNext(node)) {
        EXPECT_TRUE(seen.insert(node->key).second) << node->key;
        EXPECT_LE(lastBin, node->key % map.GetBinCount());
        lastBin = node->key % map.GetBinCount();
        last = node;
    }
    EXPECT_EQ(30u, seen.size());
    ASSERT_NE(nullptr, last);
    EXPECT_EQ(nullptr, map.GetNext(last));
}

TEST(SHashMap, EmptyMapsAnswerWithoutBins)
{
    SHashMap<UINT, int> map;
    EXPECT_EQ(nullptr, map.Lookup(5));
    EXPECT_EQ(nullptr, map.GetStartPosition());
    EXPECT_FALSE(map.RemoveKey(5));

    map.GetOrInsert(5);
    map.RemoveAll();
    EXPECT_EQ(0, map.GetCount());
    EXPECT_EQ(nullptr, map.Lookup(5));
    EXPECT_EQ(nullptr, map.GetStartPosition());
    *map.GetOrInsert(6) = 1;   // a new bin array of the kept size
    EXPECT_EQ(1, map.Lookup(6)->value);
    EXPECT_EQ(17u, map.GetBinCount());
}

TEST(SHashMap, RehashMovesNodesWithTheirStoredHashes)
{
    SHashMap<SStringW, int> map;
    *map.GetOrInsert(L"skin") = 1;
    *map.GetOrInsert(L"style") = 2;
    map.Rehash(1031);
    EXPECT_EQ(1031u, map.GetBinCount());
    EXPECT_EQ(1, map.Lookup(L"skin")->value);
    map.Rehash();   // back to what two elements ask for
    EXPECT_EQ(17u, map.GetBinCount());
    EXPECT_EQ(2, map.Lookup(L"style")->value);
}

TEST(SHashMap, StringKeysCompareExactlyAndAreReleased)
{
    const SStringW key(L"font");
    const SStringW value(L"宋体");
    const auto refs = [](const SStringW& s) { return reinterpret_cast<const SAKU::SStringData*>(s.c_str())[-1].refs; };
    {
        SHashMap<SStringW, SStringW> map;
        *map.GetOrInsert(key) = value;
        EXPECT_EQ(2, refs(key));
        EXPECT_EQ(2, refs(value));
        EXPECT_EQ(nullptr, map.Lookup(L"Font"));
        ASSERT_NE(nullptr, map.Lookup(L"font"));
        EXPECT_TRUE(map.Lookup(L"font")->value == L"宋体");

        EXPECT_TRUE(map.RemoveKey(L"font"));
        EXPECT_EQ(1, refs(key));
        EXPECT_EQ(1, refs(value));
        *map.GetOrInsert(key) = value;
    }
    EXPECT_EQ(1, refs(key));
    EXPECT_EQ(1, refs(value));
}
