// Package sizes asked with body-less requests of the test package server.

#include "http/HttpGetFileLength.h"

#include "LoopbackServer.h"
#include "ScratchDir.h"
#include "TestData.h"
#include "WinePath.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using tivala::GetRemoteFileLength;
using tivala::HttpGetFileLength;
using tivala::test::LoopbackServer;
using tivala::test::PatternBytes;
using tivala::test::Wide;
using tivala::test::ScratchDir;

TEST(HttpGetFileLength, ReturnsTheAnnouncedLengthElseUnknown)
{
    const struct {
        const char* path;
        int64_t length;
    } cases[] = {
        {"/package.7z",    123457},
        {"/moved.7z",      123457},   // the length of the file redirected to
        {"/empty.7z",      0},        // Content-Length: 0
        {"/unknown.7z",    -1},       // no Content-Length
        {"/refused.7z",    -1},       // HEAD refused, GET served: the size is unknown, not 0
        {"/missing.7z",    -1},       // the length of an error page is not the file's
        {"/error500.7z",   -1},
    };
    ScratchDir served;
    ASSERT_TRUE(served.Write(L"package.7z", std::string(123457, 'p')));
    ASSERT_TRUE(served.Write(L"unknown.7z", std::string(1000, 'u')));
    ASSERT_TRUE(served.Write(L"empty.7z", std::string(1000, 'e')));
    ASSERT_TRUE(served.Write(L"refused.7z", std::string(1000, 'r')));
    LoopbackServer server(L"package_server.py", {"--root", served.UnixPath()});
    ASSERT_TRUE(server.Started());
    ASSERT_TRUE(server.WriteControlFile(L"rules.json", R"({
        "/moved.7z": {"redirect": "/package.7z"},
        "/unknown.7z": {"head_length": "none"},
        "/empty.7z": {"head_length": 0},
        "/refused.7z": {"head_status": 405},
        "/error500.7z": {"status": 500}})"));

    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.length, HttpGetFileLength(Wide(server.Url(c.path))).Run());
        EXPECT_EQ(c.length, GetRemoteFileLength(Wide(server.Url(c.path))));
    }
    for (const auto& request : server.Requests())
        EXPECT_EQ("HEAD", request.method) << request.path;
}

TEST(HttpGetFileLength, UnreachableServerGivesAnUnknownLength)
{
    std::string url;
    {
        ScratchDir served;
        LoopbackServer gone(L"package_server.py", {"--root", served.UnixPath()});
        ASSERT_TRUE(gone.Started());
        url = gone.Url("/package.7z");
    }
    EXPECT_EQ(-1, GetRemoteFileLength(Wide(url)));
}
