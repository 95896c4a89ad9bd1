// The pooled linked list: order, emptying and refilling, and the block size guard.

#include "core/SLinkedList.h"
#include "core/TStringT.h"

#include <gtest/gtest.h>

#include <vector>

using SAKU::SLinkedList;
using SAKU::SStringW;

namespace {

std::vector<int> Values(const SLinkedList<int>& list)
{
    std::vector<int> values;
    for (auto* node = list.GetHead(); node; node = node->next)
        values.push_back(node->value);
    return values;
}

}  // namespace

TEST(SLinkedList, KeepsInsertionOrderAcrossBlocks)
{
    SLinkedList<int> list(4);
    std::vector<int> expected;
    for (int i = 0; i < 11; ++i) {
        ASSERT_NE(nullptr, list.AddTail(i));
        expected.push_back(i);
    }
    EXPECT_EQ(11, list.GetCount());
    EXPECT_EQ(expected, Values(list));
    EXPECT_EQ(10, list.GetTail()->value);
    EXPECT_EQ(9, list.GetTail()->prev->value);

    SLinkedList<int> other;
    other.AddTail(100);
    other.AddTail(101);
    EXPECT_TRUE(list.AddTailList(other));
    expected.push_back(100);
    expected.push_back(101);
    EXPECT_EQ(expected, Values(list));
}

TEST(SLinkedList, EmptiesAndFillsAgain)
{
    SLinkedList<int> list;
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        for (int i = 0; i < 25; ++i)
            ASSERT_NE(nullptr, list.AddTail(i));
        for (int i = 0; i < 25; ++i)
            EXPECT_EQ(i, list.RemoveHead());
        EXPECT_EQ(0, list.GetCount());
        EXPECT_EQ(nullptr, list.GetHead());
        EXPECT_EQ(nullptr, list.GetTail());
    }
    list.AddTail(1);
    list.AddTail(2);
    list.RemoveAll();
    EXPECT_EQ(0, list.GetCount());
    list.AddTail(3);
    EXPECT_EQ(std::vector<int>{3}, Values(list));
}

TEST(SLinkedList, RefusesABlockWhoseSizeOverflows)
{
    SLinkedList<int> list(0x20000000);   // 0x20000000 nodes of 12 bytes
    EXPECT_EQ(nullptr, list.AddTail(1));
    EXPECT_EQ(0, list.GetCount());
}

TEST(SLinkedList, ReleasesTheValuesItDrops)
{
    const SStringW text(L"node");
    const auto refs = [&text] { return reinterpret_cast<const SAKU::SStringData*>(text.c_str())[-1].refs; };
    {
        SLinkedList<SStringW> list;
        list.AddTail(text);
        list.AddTail(text);
        list.AddTail(text);
        EXPECT_EQ(4, refs());
        EXPECT_EQ(L"node", SStringW(list.RemoveHead()));
        EXPECT_EQ(3, refs());
    }
    EXPECT_EQ(1, refs());
}

TEST(SLinkedList, RemovesAGivenNodeAndKeepsTheOthersLinked)
{
    const struct {
        const char* what;
        int index;
        std::vector<int> left;
    } cases[] = {
        {"head",   0, {1, 2, 3}},
        {"middle", 2, {0, 1, 3}},
        {"tail",   3, {0, 1, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SLinkedList<int> list(2);
        std::vector<SLinkedList<int>::Node*> nodes;
        for (int i = 0; i < 4; ++i)
            nodes.push_back(list.AddTail(i));
        list.RemoveAt(nodes[c.index]);
        EXPECT_EQ(c.left, Values(list));
        EXPECT_EQ(c.left.back(), list.GetTail()->value);
        EXPECT_EQ(nullptr, list.GetHead()->prev);
        std::vector<int> backwards;
        for (auto* node = list.GetTail(); node; node = node->prev)
            backwards.insert(backwards.begin(), node->value);
        EXPECT_EQ(c.left, backwards);
        list.AddTail(9);   // the freed node is reused
        EXPECT_EQ(9, list.GetTail()->value);
    }

    SLinkedList<SStringW> single;
    single.RemoveAt(single.AddTail(L"only"));
    EXPECT_EQ(0, single.GetCount());
    EXPECT_EQ(nullptr, single.GetHead());
    EXPECT_EQ(nullptr, single.GetTail());
    single.AddTail(L"again");
    EXPECT_EQ(L"again", single.GetHead()->value);
}
