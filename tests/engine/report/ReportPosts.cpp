#include "report/ReportPosts.h"

#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace tivala::test {

std::vector<ReceivedPost> ReceivedPosts(const LoopbackServer& server)
{
    std::vector<ReceivedPost> posts;
    for (int number = 1;; ++number) {
        wchar_t name[32] = {};
        std::swprintf(name, 32, L"posts\\%04d", number);
        ReceivedPost post;
        // The server writes the head after the body: a head that is there has its body.
        if (!ScratchDir::Read(server.ControlFile(name + std::wstring(L".head")), post.head) ||
            !ScratchDir::Read(server.ControlFile(name + std::wstring(L".body")), post.body))
            return posts;
        post.requestLine = post.head.substr(0, post.head.find("\r\n"));
        posts.push_back(std::move(post));
    }
}

void ExpectPosts(const LoopbackServer& server, const std::vector<ExpectedPost>& expected)
{
    const std::vector<ReceivedPost> posts = ReceivedPosts(server);
    ASSERT_EQ(expected.size(), posts.size());
    for (size_t i = 0; i < posts.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(std::string("POST ") + expected[i].path + " HTTP/1.1", posts[i].requestLine);
        EXPECT_NE(std::string::npos, posts[i].head.find("\r\nContent-Type:application/json\r\n")) << posts[i].head;
        EXPECT_EQ(expected[i].body, posts[i].body);
    }
}

std::string ModuleReportBody(int installType, int moduleId)
{
    return "{\n\t\"installType\" : " + std::to_string(installType) + ",\n\t\"moduleId\" : " + std::to_string(moduleId) +
           "\n}\n";
}

std::string ChannelReportBody(const std::string& packName, const std::string& uid, const std::string& version)
{
    return "{\n\t\"packName\" : \"" + packName + "\",\n\t\"type\" : 1,\n\t\"uid\" : \"" + uid +
           "\",\n\t\"version\" : \"" + version + "\"\n}\n";
}

}  // namespace tivala::test
