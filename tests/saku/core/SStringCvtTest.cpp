// Conversions between the narrow and wide strings: Chinese text both ways through
// the ANSI code page (936 in the tests' locale) and UTF-8, on and off the heap.

#include "core/SStringCvt.h"

#include <gtest/gtest.h>

#include <string>

using SAKU::CvtA2W;
using SAKU::CvtW2A;
using SAKU::CvtW2W;
using SAKU::SStringA;
using SAKU::SStringW;

namespace {

std::wstring Text(const SStringW& s)
{
    return std::wstring(s.c_str(), s.GetLength());
}

std::string Bytes(const SStringA& s)
{
    return std::string(s.c_str(), s.GetLength());
}

}  // namespace

TEST(StringConversion, ChineseTextRoundTripsThroughItsCodePage)
{
    const struct {
        const char* name;
        UINT codePage;
        std::wstring wide;
        std::string narrow;
    } cases[] = {
        {"ANSI", CP_ACP, L"安装", "\xB0\xB2\xD7\xB0"},
        {"GBK", 936, L"中文", "\xD6\xD0\xCE\xC4"},
        {"UTF-8", CP_UTF8, L"立即安装", "\xE7\xAB\x8B\xE5\x8D\xB3\xE5\xAE\x89\xE8\xA3\x85"},
        {"embedded 0", CP_UTF8, std::wstring(L"a\0安", 3), std::string("a\0\xE5\xAE\x89", 5)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SStringW wide(c.wide.c_str(), static_cast<int>(c.wide.size()));
        const SStringA narrow(c.narrow.c_str(), static_cast<int>(c.narrow.size()));
        EXPECT_EQ(c.narrow, Bytes(CvtW2A(wide, c.codePage)));
        EXPECT_EQ(c.wide, Text(CvtA2W(narrow, c.codePage)));
    }
}

TEST(StringConversion, LongTextsConvertCompletelyThroughTheHeap)
{
    const SStringA ascii(std::string(3000, 'x').c_str());
    EXPECT_EQ(std::wstring(3000, L'x'), Text(CvtA2W(ascii, CP_ACP)));

    const std::wstring chinese(2000, L'装');
    const SStringA utf8 = CvtW2A(SStringW(chinese.c_str()), CP_UTF8);
    EXPECT_EQ(6000, utf8.GetLength());
    EXPECT_EQ(chinese, Text(CvtA2W(utf8, CP_UTF8)));

    const SStringA gbk = CvtW2A(SStringW(chinese.c_str()), 936);
    EXPECT_EQ(4000, gbk.GetLength());
    EXPECT_EQ(chinese, Text(CvtA2W(gbk, 936)));
}

TEST(StringConversion, WhatDoesNotConvertIsEmpty)
{
    EXPECT_TRUE(CvtA2W(SStringA("abc"), 12345).IsEmpty());   // no such code page
    EXPECT_TRUE(CvtW2A(SStringW(L"abc"), 12345).IsEmpty());
    EXPECT_TRUE(CvtA2W(SStringA(), CP_UTF8).IsEmpty());
    EXPECT_TRUE(CvtW2A(SStringW(), CP_UTF8).IsEmpty());
}

TEST(StringConversion, WideToWideSharesTheString)
{
    const SStringW wide(L"宋体");
    EXPECT_EQ(wide.c_str(), CvtW2W(wide, CP_UTF8).c_str());
}
