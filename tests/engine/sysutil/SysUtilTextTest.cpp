// The engine's text helpers: UTF-8 and UTF-16, GUID text, JSON members, splitting.

#include "sysutil/SysUtilText.h"

#include <gtest/gtest.h>
#include <json/json.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

namespace SysUtil = tivala::SysUtil;

namespace {

Json::Value ParseJson(const std::string& text)
{
    Json::Value root;
    std::string errors;
    const std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
    EXPECT_TRUE(reader->parse(text.data(), text.data() + text.size(), &root, &errors)) << errors;
    return root;
}

}  // namespace

TEST(SysUtilText, Utf8AndWideRoundTripChineseAndSurrogatePairs)
{
    const struct { const wchar_t* wide; const char* utf8; } cases[] = {
        {L"", ""},
        {L"Tivala", "Tivala"},
        {L"壁纸", "\xE5\xA3\x81\xE7\xBA\xB8"},
        {L"安装 D:\\动态壁纸\\", "\xE5\xAE\x89\xE8\xA3\x85 D:\\\xE5\x8A\xA8\xE6\x80\x81\xE5\xA3\x81\xE7\xBA\xB8\\"},
        {L"\U00020000x", "\xF0\xA0\x80\x80x"},   // outside the BMP: a surrogate pair in UTF-16
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(c.utf8, SysUtil::WideToUtf8(c.wide));
        EXPECT_EQ(c.wide, SysUtil::Utf8ToWide(c.utf8));
    }
}

TEST(SysUtilText, ConversionsKeepEmbeddedZeros)
{
    const std::wstring wide(L"a\0壁", 3);
    const std::string utf8 = SysUtil::WideToUtf8(wide);
    EXPECT_EQ(std::string("a\0\xE5\xA3\x81", 5), utf8);
    EXPECT_EQ(wide, SysUtil::Utf8ToWide(utf8));
}

TEST(SysUtilText, GuidTextHasBracesHyphensAndMixedCase)
{
    // The third group is lower case, every other digit upper case.
    const std::wregex pattern(LR"(\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9a-f]{4}-[0-9A-F]{4}-[0-9A-F]{12}\})");
    const std::wstring first = SysUtil::NewGuidText();
    const std::wstring second = SysUtil::NewGuidText();
    EXPECT_EQ(38u, first.size());
    EXPECT_TRUE(std::regex_match(first, pattern)) << SysUtil::WideToUtf8(first);
    EXPECT_TRUE(std::regex_match(second, pattern)) << SysUtil::WideToUtf8(second);
    EXPECT_NE(first, second);
}

TEST(SysUtilText, JsonMemberToStringReadsStringsAndSmallIntegers)
{
    const Json::Value object = ParseJson(R"({"text":"壁纸","empty":"","n":42,"neg":-7,"max":2147483647,
        "big":2147483648,"real":1.5,"flag":true,"list":[1],"obj":{"a":1},"none":null})");
    const struct { const char* key; const char* expected; } cases[] = {
        {"text", "壁纸"}, {"empty", ""}, {"n", "42"}, {"neg", "-7"}, {"max", "2147483647"},
        {"big", ""},                            // does not fit a 32-bit int
        {"real", ""}, {"flag", ""}, {"list", ""}, {"obj", ""}, {"none", ""},
        {"missing", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(c.expected, SysUtil::JsonMemberToString(object, c.key));
    }
}

TEST(SysUtilText, JsonMemberToInt64ReadsSmallIntegersAndNumericText)
{
    const Json::Value object = ParseJson(R"({"n":42,"neg":-7,"big":2147483648,"real":2.5,"flag":true,
        "text":"12","digitsThenLetters":"12abc","letters":"abc","longText":"9000000000","negText":"-5","list":[3]})");
    const struct { const char* key; int64_t expected; } cases[] = {
        {"n", 42}, {"neg", -7},
        {"big", 0},                             // a number that does not fit a 32-bit int
        {"real", 0}, {"flag", 0}, {"list", 0}, {"missing", 0},
        {"text", 12}, {"digitsThenLetters", 12}, {"letters", 0},
        {"longText", 9000000000LL},             // text is read in 64 bits
        {"negText", -5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(c.expected, SysUtil::JsonMemberToInt64(object, c.key));
    }
}

TEST(SysUtilText, JsonReadersGiveNothingForValuesThatAreNotObjects)
{
    // jsoncpp throws when asked for a member of an array or a number.
    for (const char* text : {"[1,2]", "7", "\"n\"", "null"}) {
        SCOPED_TRACE(text);
        const Json::Value value = ParseJson(text);
        EXPECT_EQ("", SysUtil::JsonMemberToString(value, "n"));
        EXPECT_EQ(0, SysUtil::JsonMemberToInt64(value, "n"));
    }
}

TEST(SysUtilText, SplitStringKeepsInnerEmptyPartsAndDropsAnEmptyLastOne)
{
    const struct { const wchar_t* text; const wchar_t* separator; std::vector<std::wstring> expected; } cases[] = {
        {L"a,b,c", L",", {L"a", L"b", L"c"}},
        {L"a,,b", L",", {L"a", L"", L"b"}},
        {L"a,", L",", {L"a"}},
        {L",a", L",", {L"", L"a"}},
        {L",", L",", {L""}},
        {L"", L",", {}},
        {L"a,b", L"", {L"a,b"}},
        {L"Starter.exe", L",", {L"Starter.exe"}},
        {L"a::b::", L"::", {L"a", L"b"}},
        {L"壁纸,主程序", L",", {L"壁纸", L"主程序"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(SysUtil::WideToUtf8(c.text));
        EXPECT_EQ(c.expected, SysUtil::SplitString(c.text, c.separator));
    }
}

TEST(SysUtilText, UrlFileNameIsTheTextAfterTheLastSlash)
{
    const struct { const char* url; const char* expected; } cases[] = {
        {"http://127.0.0.1:8080/packages/Main.7z", "Main.7z"},
        {"Main.7z", "Main.7z"},
        {"http://host/folder/", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(c.expected, SysUtil::UrlFileName(c.url));
    }
}

TEST(SysUtilText, ToLowerAsciiChangesOnlyLettersAToZ)
{
    EXPECT_EQ(L"starter.exe", SysUtil::ToLowerAscii(L"STARTER.EXE"));
    EXPECT_EQ(L"abc zz 09 ÄÖ 壁纸 [\\]@", SysUtil::ToLowerAscii(L"ABC Zz 09 ÄÖ 壁纸 [\\]@"));
}
