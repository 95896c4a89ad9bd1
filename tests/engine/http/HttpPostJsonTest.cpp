// Statistics reports posted to the test report server.

#include "http/HttpPostJson.h"

#include "HostCommand.h"
#include "LoopbackServer.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <string>

using tivala::HttpPostJson;
using tivala::test::LoopbackServer;
using tivala::test::ScratchDir;
using tivala::test::WaitForFile;

namespace {

std::wstring Wide(const std::string& ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

std::string FileBytes(const std::wstring& path)
{
    std::string bytes;
    return ScratchDir::Read(path, bytes) ? bytes : "<no file>";
}

}  // namespace

TEST(HttpPostJson, ReportServerReceivesBodyAndJsonContentType)
{
    LoopbackServer server(L"report_server.py", {});
    ASSERT_TRUE(server.Started());
    const std::string body = "{\n   \"mid\" : \"7c1e\\\"x\",\n   \"modules\" : [ \"\xe5\xa3\x81\xe7\xba\xb8\" ]\n}\n";

    HttpPostJson report(Wide(server.Url("/collect/install")), body, 0, L"install");
    EXPECT_TRUE(report.Post());

    ASSERT_TRUE(WaitForFile(server.ControlFile(L"posts\\0001.head"), 5000));
    EXPECT_EQ(body, FileBytes(server.ControlFile(L"posts\\0001.body")));
    const std::string head = FileBytes(server.ControlFile(L"posts\\0001.head"));
    EXPECT_EQ(0u, head.rfind("POST /collect/install HTTP/1.1\r\n", 0)) << head;
    EXPECT_NE(std::string::npos, head.find("\r\nContent-Type:application/json\r\n")) << head;
    EXPECT_NE(std::string::npos, head.find("\r\nContent-Length: " + std::to_string(body.size()) + "\r\n")) << head;
}

TEST(HttpPostJson, SucceedsWhateverTheServerAnswers)
{
    LoopbackServer failing(L"report_server.py", {"--status", "500"});
    ASSERT_TRUE(failing.Started());
    HttpPostJson answered(Wide(failing.Url("/channel/save")), "{}", 0, L"");
    EXPECT_TRUE(answered.Post());
    EXPECT_EQ("{}", FileBytes(failing.ControlFile(L"posts\\0001.body")));

    std::string url;
    {
        LoopbackServer gone(L"report_server.py", {});
        ASSERT_TRUE(gone.Started());
        url = gone.Url("/channel/save");
    }
    HttpPostJson unanswered(Wide(url), "{}", 0, L"");
    EXPECT_TRUE(unanswered.Post());
}
