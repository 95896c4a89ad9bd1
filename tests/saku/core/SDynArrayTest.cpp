// The growable array: its growth steps, its zeroed slots, and string elements.

#include "core/SDynArray.h"
#include "core/TStringT.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using SAKU::SDynArray;
using SAKU::SStringW;

namespace {

int Refs(const SStringW& text)
{
    return reinterpret_cast<const SAKU::SStringData*>(text.c_str())[-1].refs;
}

}  // namespace

TEST(SDynArray, GrowsByExactlyOneThenByAnEighthBetween4And1024)
{
    SDynArray<int> array;
    const int expected[] = {1, 5, 5, 5, 5, 9, 9, 9, 9, 13};
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(i, array.Add(i * 10));
        EXPECT_EQ(expected[i], array.GetCapacity());
    }
    EXPECT_EQ(90, array[9]);

    // A full array of `count` elements grows by count / 8, clamped.
    const struct {
        int count;
        int capacity;
    } cases[] = {
        {31, 35}, {32, 36}, {40, 45}, {8192, 9216}, {8200, 9224}, {20000, 21024},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        SDynArray<int> full;
        ASSERT_TRUE(full.SetCount(c.count));
        EXPECT_EQ(c.count, full.GetCapacity());
        full.Add(1);
        EXPECT_EQ(c.capacity, full.GetCapacity());
    }
}

TEST(SDynArray, FixedGrowStepReplacesTheAutomaticOne)
{
    SDynArray<int> array(16);
    array.Add(1);
    EXPECT_EQ(16, array.GetCapacity());
    ASSERT_TRUE(array.SetCount(16));
    array.Add(2);
    EXPECT_EQ(32, array.GetCapacity());

    ASSERT_TRUE(array.SetCount(32, 100));
    array.Add(3);
    EXPECT_EQ(132, array.GetCapacity());
}

TEST(SDynArray, SetCountFreesAtZeroAndZeroesNewSlots)
{
    SDynArray<int> array;
    ASSERT_TRUE(array.SetCount(3));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(0, array[i]);
        array[i] = 7;
    }
    ASSERT_TRUE(array.SetCount(0));
    EXPECT_EQ(0, array.GetCount());
    EXPECT_EQ(0, array.GetCapacity());

    ASSERT_TRUE(array.SetCount(2));
    array[0] = 5;
    array[1] = 6;
    ASSERT_TRUE(array.SetCount(1));
    ASSERT_TRUE(array.SetCount(20));
    EXPECT_EQ(5, array[0]);
    for (int i = 1; i < 20; ++i)
        EXPECT_EQ(0, array[i]) << i;
}

TEST(SDynArray, ItsDataServeAlgorithmsOverTheWholeArray)
{
    SDynArray<int> array;
    EXPECT_EQ(nullptr, array.GetData());
    for (const int value : {5, 3, 9, 1})
        array.Add(value);
    std::sort(array.GetData(), array.GetData() + array.GetCount());
    EXPECT_EQ(1, array[0]);
    EXPECT_EQ(9, array[3]);
    EXPECT_EQ(&array[2], array.GetData() + 2);
    array.SetCount(0);
    EXPECT_EQ(nullptr, array.GetData());
}

TEST(SDynArray, FailedGrowthLeavesTheArrayAsItWas)
{
    SDynArray<int> array;
    array.Add(1);
    EXPECT_FALSE(array.EnsureCapacity(0x40000000));   // 4 GB of ints
    EXPECT_FALSE(array.SetCount(0x40000000));
    EXPECT_EQ(1, array.GetCount());
    EXPECT_EQ(1, array.GetCapacity());
    EXPECT_EQ(1, array[0]);
}

TEST(SDynArray, StringElementsAreFreshBlocksOfTheTextUpToItsFirstZero)
{
    const SStringW text(L"ab\0c", 4);
    {
        SDynArray<SStringW> array;
        for (int i = 0; i < 6; ++i)   // across a growth
            array.Add(text);
        EXPECT_EQ(1, Refs(text));   // no element shares the source's block
        for (int i = 0; i < 6; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(2, array[i].GetLength());
            EXPECT_STREQ(L"ab", array[i].c_str());
            EXPECT_EQ(1, Refs(array[i]));
        }

        const SStringW kept = array[5];
        ASSERT_TRUE(array.SetCount(2));   // the removed ones are released
        EXPECT_EQ(1, Refs(kept));
        ASSERT_TRUE(array.SetCount(4));
        EXPECT_TRUE(array[3].IsEmpty());
    }
    EXPECT_EQ(1, Refs(text));

    SDynArray<SStringW> empty;
    empty.Add(SStringW());
    EXPECT_TRUE(empty[0].IsEmpty());
}

TEST(SDynArray, AddOfItsOwnElementAcrossAGrowthCopiesTheElement)
{
    // Big enough for the heap to hand the old buffer back to the system when it
    // is freed, so that reading it afterwards would fault.
    constexpr int kCount = 200000;
    SDynArray<int> numbers;
    ASSERT_TRUE(numbers.SetCount(kCount));
    numbers[0] = 7;
    numbers[kCount - 1] = 9;
    ASSERT_EQ(kCount, numbers.GetCapacity());
    EXPECT_EQ(kCount, numbers.Add(numbers[0]));
    EXPECT_EQ(kCount + 1, numbers.Add(numbers[kCount - 1]));
    EXPECT_EQ(7, numbers[kCount]);
    EXPECT_EQ(9, numbers[kCount + 1]);

    SDynArray<SStringW> texts;
    texts.Add(SStringW(L"first"));
    ASSERT_EQ(1, texts.GetCapacity());
    EXPECT_EQ(1, texts.Add(texts[0]));   // 1 -> 5
    for (int i = 2; i < 5; ++i)
        texts.Add(SStringW(L"x"));
    ASSERT_EQ(5, texts.GetCapacity());
    EXPECT_EQ(5, texts.Add(texts[1]));   // 5 -> 9
    EXPECT_STREQ(L"first", texts[1].c_str());
    EXPECT_STREQ(L"first", texts[5].c_str());
}

TEST(SDynArray, InsertAtAndRemoveAtMoveTheLaterElements)
{
    SDynArray<SStringW> texts;
    for (const wchar_t* text : {L"a", L"b", L"c", L"d", L"e"})   // full at 5: the next insert grows
        texts.Add(SStringW(text));
    ASSERT_EQ(5, texts.GetCapacity());
    const struct {
        int index;
        const wchar_t* added;
        bool inserted;
        const wchar_t* after;
    } inserts[] = {
        {0, L"x", true, L"xabcde"},   {6, L"y", true, L"xabcdey"}, {2, L"z", true, L"xazbcdey"},
        {-1, L"q", false, L"xazbcdey"}, {9, L"q", false, L"xazbcdey"},
    };
    for (const auto& c : inserts) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(c.inserted, texts.InsertAt(c.index, SStringW(c.added)));
        std::wstring joined;
        for (int at = 0; at < texts.GetCount(); ++at)
            joined += texts[at].c_str();
        EXPECT_EQ(c.after, joined);
    }
    texts.Add(SStringW(L"w"));
    ASSERT_EQ(texts.GetCapacity(), texts.GetCount());
    EXPECT_TRUE(texts.InsertAt(1, texts[8]));   // its own last element, across a growth of the buffer
    EXPECT_STREQ(L"w", texts[1].c_str());

    const SStringW kept = texts[0];
    texts.RemoveAt(0);   // the element is released
    EXPECT_EQ(1, Refs(kept));
    texts.RemoveAt(texts.GetCount() - 1);
    texts.RemoveAt(2);
    std::wstring joined;
    for (int at = 0; at < texts.GetCount(); ++at)
        joined += texts[at].c_str();
    EXPECT_EQ(L"wabcdey", joined);
}

TEST(SDynArrayDeathTest, IndexOutsideTheElementsIsCaught)
{
    // Windows has no fork: each death test runs in a fresh copy of the program.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    SDynArray<int> array;
    array.Add(1);
    ASSERT_TRUE(array.EnsureCapacity(4));
    EXPECT_DEATH((void)array[1], "Assertion failed");   // past the count, though inside the buffer
}
