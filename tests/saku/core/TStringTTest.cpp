// The copy-on-write string: the shared empty block, sharing and detaching, exact
// block sizes, range clamping, replacing, buffers, formatting, and failed
// allocations that keep the old block.

#include "core/TStringT.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdarg>
#include <string>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

using SAKU::SStringA;
using SAKU::SStringData;
using SAKU::SStringW;

namespace {

template <typename S>
const SStringData* Header(const S& s)
{
    return reinterpret_cast<const SStringData*>(s.c_str()) - 1;
}

template <typename S>
LONG Refs(const S& s)
{
    return Header(s)->refs;
}

template <typename S>
int Capacity(const S& s)
{
    return Header(s)->capacity;
}

// The whole text, embedded 0 characters included.
std::wstring Text(const SStringW& s)
{
    return std::wstring(s.c_str(), s.GetLength());
}

// Whether a string type has the wide form's editing operations; the narrow form
// has them deleted, so that using one does not compile.
template <typename S, typename = void>
struct EditsLikeTheWideForm : std::false_type {};
template <typename S>
struct EditsLikeTheWideForm<S, std::void_t<decltype(std::declval<const S&>().Left(1)),
                                           decltype(std::declval<S&>() += std::declval<const S&>()),
                                           decltype(std::declval<const S&>().Compare(nullptr))>>
    : std::true_type {};

static_assert(EditsLikeTheWideForm<SStringW>::value);
static_assert(!EditsLikeTheWideForm<SStringA>::value);

bool CallFormatV(SStringW& s, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    const bool formatted = s.FormatV(format, args);
    va_end(args);
    return formatted;
}

}  // namespace

TEST(TStringT, EmptyStringIsOneSharedBlockThatCopiesNeverCount)
{
    const SStringW empty;
    EXPECT_EQ(-1, Refs(empty));
    EXPECT_EQ(0, empty.GetLength());
    EXPECT_EQ(0, Capacity(empty));
    EXPECT_EQ(L'\0', empty.c_str()[0]);
    {
        const SStringW copy(empty);
        SStringW assigned;
        assigned = copy;
        const SStringW fromNull(static_cast<const wchar_t*>(nullptr));
        const SStringW fromNothing(L"");
        const SStringW fromZeroLength(L"abc", 0);
        for (const SStringW* s : std::initializer_list<const SStringW*>{&copy, &assigned, &fromNull, &fromNothing, &fromZeroLength})
            EXPECT_EQ(empty.c_str(), s->c_str());
    }
    EXPECT_EQ(-1, Refs(empty));

    // Both forms use the same block.
    const SStringA narrow;
    EXPECT_EQ(static_cast<const void*>(empty.c_str()), static_cast<const void*>(narrow.c_str()));
}

TEST(TStringT, CopiesShareTheBlockUntilOneIsWritten)
{
    const SStringW source(L"Hello");
    SStringW copy(source);
    EXPECT_EQ(source.c_str(), copy.c_str());
    EXPECT_EQ(2, Refs(source));

    copy.MakeLower();
    EXPECT_NE(source.c_str(), copy.c_str());
    EXPECT_EQ(L"Hello", Text(source));
    EXPECT_EQ(L"hello", Text(copy));
    EXPECT_EQ(1, Refs(source));
    EXPECT_EQ(1, Refs(copy));
}

TEST(TStringT, EveryEditOfASharedCopyLeavesTheSourceAlone)
{
    const struct {
        const char* name;
        void (*edit)(SStringW&);
        const wchar_t* expected;
    } cases[] = {
        {"append", [](SStringW& s) { s += L"!"; }, L"abcabc!"},
        {"append char", [](SStringW& s) { s += L'x'; }, L"abcabcx"},
        {"replace", [](SStringW& s) { s.ReplaceAll(L"b", L"B"); }, L"aBcaBc"},
        {"lower", [](SStringW& s) { s.MakeLower(); }, L"abcabc"},
        {"buffer", [](SStringW& s) { s.GetBuffer(3)[0] = L'z'; s.ReleaseBuffer(); }, L"zbcabc"},
        {"assign chars", [](SStringW& s) { (void)s.AssignChars(2, L"xy"); }, L"xy"},
        {"format", [](SStringW& s) { s.Format(L"%d", 7); }, L"7"},
        {"empty", [](SStringW& s) { s.Empty(); }, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SStringW source(L"abcabc");
        SStringW copy(source);
        c.edit(copy);
        EXPECT_EQ(c.expected, Text(copy));
        EXPECT_EQ(L"abcabc", Text(source));
        EXPECT_EQ(1, Refs(source));
    }
}

TEST(TStringT, BlocksAreExactlyAsLongAsTheText)
{
    SStringW s(L"abc");
    EXPECT_EQ(3, Capacity(s));
    s += L"de";
    EXPECT_EQ(5, Capacity(s));
    EXPECT_EQ(L"abcde", Text(s));
    s += L'f';
    EXPECT_EQ(6, Capacity(s));
}

TEST(TStringT, AssigningATextFromItsOwnBlockYieldsThatText)
{
    SStringW s(L"abcdef");
    s = s.c_str() + 2;
    EXPECT_EQ(L"cdef", Text(s));
}

TEST(TStringT, AssigningTheEmptyStringKeepsAnUnsharedBlockForLater)
{
    SStringW s(L"hello");
    const wchar_t* const block = s.c_str();
    s = SStringW();
    EXPECT_EQ(0, s.GetLength());
    EXPECT_EQ(block, s.c_str());
    EXPECT_EQ(L'\0', s.c_str()[0]);

    s = L"hi";   // fits: no new block
    EXPECT_EQ(block, s.c_str());
    EXPECT_EQ(L"hi", Text(s));

    const SStringW sharer(s);
    s = SStringW();
    EXPECT_EQ(SStringW().c_str(), s.c_str());
    EXPECT_EQ(1, Refs(sharer));
    EXPECT_EQ(L"hi", Text(sharer));
}

TEST(TStringT, EmptyLetsGoOfTheBlock)
{
    SStringW s(L"text");
    s.Empty();
    EXPECT_EQ(SStringW().c_str(), s.c_str());
}

TEST(TStringT, AppendingAStringToItselfDoublesIt)
{
    SStringW s(L"ab");
    s += s;
    EXPECT_EQ(L"abab", Text(s));
    EXPECT_TRUE(s.AppendChars(s.GetLength(), s.c_str()));
    EXPECT_EQ(L"abababab", Text(s));
    EXPECT_EQ(L"xyz", Text(L"x" + SStringW(L"y") + L"z"));
}

TEST(TStringT, RangesAreClampedToTheText)
{
    const SStringW s(L"abcdef");
    const struct {
        const char* call;
        SStringW result;
        const wchar_t* expected;
    } cases[] = {
        {"Mid(-3, 2)", s.Mid(-3, 2), L"ab"},
        {"Mid(4, 10)", s.Mid(4, 10), L"ef"},
        {"Mid(7, 1)", s.Mid(7, 1), L""},
        {"Mid(6, 1)", s.Mid(6, 1), L""},
        {"Mid(2, -1)", s.Mid(2, -1), L""},
        {"Mid(2, INT_MAX)", s.Mid(2, INT_MAX), L"cdef"},   // start + count does not fit an int
        {"Mid(INT_MAX, INT_MAX)", s.Mid(INT_MAX, INT_MAX), L""},
        {"Mid(INT_MIN, INT_MAX)", s.Mid(INT_MIN, INT_MAX), L"abcdef"},
        {"Mid(3)", s.Mid(3), L"def"},
        {"Mid(-5)", s.Mid(-5), L"abcdef"},
        {"Mid(INT_MIN)", s.Mid(INT_MIN), L"abcdef"},
        {"Left(-1)", s.Left(-1), L""},
        {"Left(2)", s.Left(2), L"ab"},
        {"Left(INT_MAX)", s.Left(INT_MAX), L"abcdef"},
        {"Right(10)", s.Right(10), L"abcdef"},
        {"Right(2)", s.Right(2), L"ef"},
        {"Right(INT_MIN)", s.Right(INT_MIN), L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        EXPECT_EQ(c.expected, Text(c.result));
    }
}

TEST(TStringT, FindSearchesFromTheStart)
{
    const SStringW s(L"abcabc");
    EXPECT_EQ(2, s.Find(L'c'));
    EXPECT_EQ(5, s.Find(L'c', 3));
    EXPECT_EQ(-1, s.Find(L'c', 6));
    EXPECT_EQ(-1, s.Find(L'x'));
    EXPECT_EQ(1, s.Find(L'b', -5));   // a negative start counts as 0
    EXPECT_EQ(4, s.Find(L"bc", 2));
    EXPECT_EQ(-1, s.Find(L"cb", 3));

    const SStringW abc(L"abc");
    EXPECT_EQ(-1, abc.Find(L'c', 3));
    EXPECT_EQ(3, abc.Find(L"", 3));
    EXPECT_EQ(-1, abc.Find(L"", 4));
}

TEST(TStringT, ReplaceAllReplacesEveryOccurrenceWithinEachRun)
{
    const struct {
        std::wstring text;
        const wchar_t* from;
        const wchar_t* to;
        int count;
        std::wstring expected;
    } cases[] = {
        {L"aaaa", L"aa", L"b", 2, L"bb"},
        {L"a,b,c", L",", L", ", 2, L"a, b, c"},
        {L"xx", L"x", L"xx", 2, L"xxxx"},     // the replacement is not searched again
        {L"abab", L"ab", nullptr, 2, L""},
        {L"abc", L"", L"x", 0, L"abc"},
        {L"abc", nullptr, L"x", 0, L"abc"},
        {L"abc", L"d", L"x", 0, L"abc"},
        {std::wstring(L"ab\0ab", 5), L"ab", L"x", 2, std::wstring(L"x\0x", 3)},
        {std::wstring(L"a\0a", 3), L"aa", L"x", 0, std::wstring(L"a\0a", 3)},   // never across a 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << (c.from ? c.from : L"(null)"));
        SStringW s(c.text.c_str(), static_cast<int>(c.text.size()));
        EXPECT_EQ(c.count, s.ReplaceAll(c.from, c.to));
        EXPECT_EQ(c.expected, Text(s));
        EXPECT_EQ(L'\0', s.c_str()[s.GetLength()]);
    }
}

TEST(TStringT, ReplaceAllTakesTextsFromItsOwnBlock)
{
    SStringW s(L"ab-ab");
    EXPECT_EQ(2, s.ReplaceAll(s.c_str() + 3, s.c_str()));   // "ab" by the whole text
    EXPECT_EQ(L"ab-ab-ab-ab", Text(s));
}

TEST(TStringT, BufferReleasedWithLengthOfItsText)
{
    SStringW s;
    wchar_t* const buffer = s.GetBuffer(10);
    ASSERT_NE(nullptr, buffer);
    buffer[0] = L'x';
    buffer[1] = L'y';
    buffer[2] = 0;
    s.ReleaseBuffer(-1);
    EXPECT_EQ(2, s.GetLength());
    EXPECT_EQ(L"xy", Text(s));

    // A length past the block is clamped to it.
    SStringW t;
    wchar_t* const chars = t.GetBuffer(4);
    for (int i = 0; i < 4; ++i)
        chars[i] = L'a' + i;
    t.ReleaseBuffer(1000);
    EXPECT_EQ(4, t.GetLength());
    EXPECT_EQ(L"abcd", Text(t));

    SStringW u(L"abcdef");
    EXPECT_NE(nullptr, u.GetBufferSetLength(3));
    EXPECT_EQ(L"abc", Text(u));
}

TEST(TStringT, FailedAllocationsKeepTheOldBlock)
{
    SStringW s(L"abc");
    const wchar_t* const block = s.c_str();
    const struct {
        const char* what;
        int length;
    } cases[] = {
        {"size overflows", INT_MAX},
        {"heap refuses", 0x70000000},   // 3.5 GB in a 32-bit process
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(nullptr, s.GetBuffer(c.length));
        EXPECT_EQ(block, s.c_str());
        EXPECT_EQ(L"abc", Text(s));
        EXPECT_EQ(1, Refs(s));

        EXPECT_FALSE(s.AppendChars(c.length, s.c_str()));
        EXPECT_EQ(L"abc", Text(s));

        SStringW sharer(s);
        EXPECT_EQ(nullptr, sharer.GetBuffer(c.length));
        EXPECT_EQ(block, sharer.c_str());
        EXPECT_EQ(2, Refs(s));
    }
    EXPECT_FALSE(s.AppendChars(INT_MAX - 1, L"x"));   // length + count overflows
    EXPECT_FALSE(s.AssignChars(-1, L"x"));
    EXPECT_EQ(L"abc", Text(s));
}

TEST(TStringT, FormatUsesTheRuntimeWideConventions)
{
    SStringW s;
    EXPECT_EQ(L"5-五-0x1f-2.50", Text(s.Format(L"%d-%s-0x%x-%.2f", 5, L"五", 31, 2.5)));
    EXPECT_EQ(L"5-五-0x1f-2.50", Text(s));

    s.AppendFormat(L"[%s]", L"安装");
    EXPECT_EQ(L"5-五-0x1f-2.50[安装]", Text(s));
    s.AppendFormat(L"%s", L"");   // an empty result appends nothing
    EXPECT_EQ(L"5-五-0x1f-2.50[安装]", Text(s));

    const std::wstring long_(5000, L'字');
    EXPECT_EQ(5002, s.Format(L"<%s>", long_.c_str()).GetLength());
}

TEST(TStringT, FormatWithNothingToFormatEmptiesTheString)
{
    SStringW s(L"text");
    EXPECT_FALSE(CallFormatV(s, L""));
    EXPECT_TRUE(s.IsEmpty());

    s = L"text";
    EXPECT_FALSE(CallFormatV(s, nullptr));
    EXPECT_TRUE(s.IsEmpty());

    s = L"text";
    EXPECT_FALSE(CallFormatV(s, L"%s", L""));   // nothing produced
    EXPECT_TRUE(s.IsEmpty());
}

TEST(TStringT, ComparesExactlyOrWithoutCase)
{
    const SStringW s(L"Text");
    EXPECT_TRUE(s == L"Text");
    EXPECT_FALSE(s == L"text");
    EXPECT_TRUE(s != L"text");
    EXPECT_EQ(0, s.CompareNoCase(L"tEXT"));
    EXPECT_LT(0, s.Compare(L"Tex"));
    EXPECT_TRUE(SStringW(L"a") < SStringW(L"b"));
}

TEST(TStringT, NarrowFormSharesAndAssignsTheSameWay)
{
    const SStringA source("abc");
    SStringA copy(source);
    EXPECT_EQ(source.c_str(), copy.c_str());
    EXPECT_EQ(2, Refs(source));
    EXPECT_EQ(3, Capacity(source));

    EXPECT_TRUE(copy.AssignChars(2, "xy"));
    EXPECT_STREQ("xy", copy.c_str());
    EXPECT_STREQ("abc", source.c_str());
    EXPECT_EQ(1, Refs(source));

    copy = "longer text";
    EXPECT_STREQ("longer text", copy.c_str());
    copy.Empty();
    EXPECT_EQ(static_cast<const void*>(SStringW().c_str()), static_cast<const void*>(copy.c_str()));

    const SStringA embedded("a\0b", 3);
    EXPECT_EQ(3, embedded.GetLength());
}

TEST(TStringT, CopiesMadeAndDroppedOnManyThreadsKeepTheCount)
{
    const SStringW shared(L"shared between threads");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&shared] {
            for (int i = 0; i < 20000; ++i) {
                SStringW copy(shared);
                SStringW other;
                other = copy;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(1, Refs(shared));
}
