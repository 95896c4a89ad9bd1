// Splitting a text at a separator into non-empty pieces.

#include "core/SplitString.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using SAKU::SDynArray;
using SAKU::SplitString;
using SAKU::SStringW;

TEST(SplitString, KeepsTheNonEmptyPiecesInOrder)
{
    const struct {
        const wchar_t* text;
        wchar_t separator;
        std::vector<std::wstring> pieces;
    } cases[] = {
        {L",a,,b,", L',', {L"a", L"b"}},
        {L"abc", L',', {L"abc"}},
        {L"a,b", L',', {L"a", L"b"}},
        {L",,,", L',', {}},
        {L"", L',', {}},
        {L"甲，乙丙，", L'，', {L"甲", L"乙丙"}},
        {L"0,0,340,420", L',', {L"0", L"0", L"340", L"420"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "text " << c.text);
        SDynArray<SStringW> array;
        EXPECT_EQ(static_cast<int>(c.pieces.size()), SplitString(c.text, c.separator, array));
        std::vector<std::wstring> pieces;
        for (int i = 0; i < array.GetCount(); ++i)
            pieces.emplace_back(array[i].c_str());
        EXPECT_EQ(c.pieces, pieces);
    }
}

TEST(SplitString, AppendsToWhatTheArrayHolds)
{
    SDynArray<SStringW> array;
    array.Add(L"first");
    EXPECT_EQ(1, SplitString(L"", L',', array));
    EXPECT_EQ(3, SplitString(L"x,y", L',', array));
    EXPECT_TRUE(array[2] == L"y");
}
