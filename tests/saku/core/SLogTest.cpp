// The library's log writer: records through an installed sink, cut to the
// writer's buffers, and the debugger output when no sink takes them.

#include "TestLogSink.h"

#include "core/SLog.h"
#include "core/SStringCvt.h"

#include <gtest/gtest.h>

#include <string>

using namespace SAKU;
using saku_test::ScopedLogSink;

namespace {

constexpr SLogSite kTestSite{kLogLevelWarn, "src\\core\\STest", 17, "SAKU::STest::Run"};

// The module that holds `address`.
HMODULE ModuleOf(const void* address)
{
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         static_cast<LPCWSTR>(address), &module);
    return module;
}

std::wstring Wide(const std::string& ansi)
{
    return CvtA2W(SStringA(ansi.c_str(), static_cast<int>(ansi.size())), CP_ACP).c_str();
}

}  // namespace

TEST(WriteLog, HandsTheSinkTheWholeRecord)
{
    ScopedLogSink sink;
    WriteLog(kTestSite, L"no %s of type %d", L"按钮", 2);

    ASSERT_EQ(1u, sink.Lines().size());
    const auto& line = sink.Lines()[0];
    EXPECT_EQ(0, line.loggerId);
    EXPECT_EQ(3, line.level);
    EXPECT_EQ("saku", line.tag);
    EXPECT_EQ(L"no 按钮 of type 2", Wide(line.text));   // in the ANSI code page
    EXPECT_EQ("src\\core\\STest", line.file);
    EXPECT_EQ(17, line.line);
    EXPECT_EQ("SAKU::STest::Run", line.function);
    EXPECT_EQ(::GetModuleHandleW(nullptr), ModuleOf(line.returnAddress));   // the writer's caller, here
}

TEST(WriteLog, ARefusedLevelAndNoSinkGoToTheDebuggerOutput)
{
    {
        ScopedLogSink sink(kLogLevelError);
        WriteLog(kTestSite, L"refused");
        WriteLog(SLogSite{kLogLevelError, "f", 1, "g"}, L"taken");
        ASSERT_EQ(1u, sink.Lines().size());
        EXPECT_EQ("taken", sink.Lines()[0].text);
    }
    EXPECT_EQ(nullptr, GetLogSink());
    WriteLog(kTestSite, L"to the debugger %d", 1);   // must simply return
}

TEST(WriteLog, LongLinesAreCutAtWholeCharacters)
{
    const struct {
        const wchar_t* what;
        std::wstring text;
        std::wstring expected;
    } cases[] = {
        // The wide line holds 2047 characters.
        {L"ascii", std::wstring(3000, L'x'), std::wstring(2047, L'x')},
        // 1500 characters fit the wide line, but their 3000 ANSI bytes do not fit
        // 2047: whole double-byte characters are kept, never half of one.
        {L"cjk", std::wstring(1500, L'中'), std::wstring(1023, L'中')},
        {L"mixed", L"a" + std::wstring(1500, L'中'), L"a" + std::wstring(1023, L'中')},
        {L"fits", std::wstring(1023, L'中') + L"a", std::wstring(1023, L'中') + L"a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedLogSink sink;
        WriteLog(kTestSite, L"%s", c.text.c_str());
        ASSERT_EQ(1u, sink.Lines().size());
        EXPECT_LE(sink.Lines()[0].text.size(), 2047u);
        EXPECT_TRUE(Wide(sink.Lines()[0].text) == c.expected);
    }
}
