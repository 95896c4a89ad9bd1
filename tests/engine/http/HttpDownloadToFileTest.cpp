// Package downloads against the test package server: resume, replacement of the
// target, and the ways a server can fail a download.

#include "http/HttpDownloadToFile.h"
#include "http/IHttpDownloadToFileCalback.h"

#include "LoopbackServer.h"
#include "ScratchDir.h"
#include "TestData.h"
#include "WinePath.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using tivala::HttpDownloadToFile;
using tivala::IHttpDownloadToFileCalback;
using tivala::test::LoggedRequest;
using tivala::test::LoopbackServer;
using tivala::test::PatternBytes;
using tivala::test::Wide;
using tivala::test::ScratchDir;

namespace {

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FileBytes(const std::wstring& path)
{
    std::string bytes;
    return ScratchDir::Read(path, bytes) ? bytes : "<no file>";
}

struct Progress {
    int percent;
    int64_t done;
    int64_t total;
    int tag;
    std::wstring name;
};

class RecordingCallback : public IHttpDownloadToFileCalback {
public:
    void OnProgress(int percent, int64_t done, int64_t total, int tag, const std::wstring& name) override
    {
        calls.push_back({percent, done, total, tag, name});
    }

    std::vector<Progress> calls;
};

std::vector<LoggedRequest> Gets(const LoopbackServer& server)
{
    std::vector<LoggedRequest> gets;
    for (const auto& request : server.Requests()) {
        if (request.method == "GET")
            gets.push_back(request);
    }
    return gets;
}

}  // namespace

TEST(HttpDownloadToFile, ResumesDroppedDownloadIntoIdenticalFile)
{
    const std::string content = PatternBytes(300000);
    constexpr size_t kDropAt = 100000;
    ScratchDir served, work;
    ASSERT_TRUE(served.Write(L"package.7z", content));
    LoopbackServer server(L"package_server.py", {"--root", served.UnixPath()});
    ASSERT_TRUE(server.Started());
    ASSERT_TRUE(server.WriteControlFile(L"rules.json", R"({"/package.7z": {"drop_after": 100000, "times": 1}})"));
    const std::wstring target = work.File(L"Main\\package.7z");   // the folder does not exist yet

    HttpDownloadToFile dropped(nullptr, Wide(server.Url("/package.7z")), target, 0, L"Main");
    EXPECT_EQ(HttpDownloadToFile::kFailed, dropped.Run());
    EXPECT_EQ(0u, dropped.GetErrorText().rfind("httpcode:200, CURLcode:18,", 0)) << dropped.GetErrorText();
    EXPECT_FALSE(Exists(target));
    EXPECT_EQ(target + L".temp", dropped.GetTempPath());
    EXPECT_EQ(content.substr(0, kDropAt), FileBytes(dropped.GetTempPath()));

    RecordingCallback progress;
    HttpDownloadToFile resumed(&progress, Wide(server.Url("/package.7z")), target, 7, L"Main");
    EXPECT_EQ(HttpDownloadToFile::kDone, resumed.Run()) << resumed.GetErrorText();
    EXPECT_EQ(content, FileBytes(target));
    EXPECT_FALSE(Exists(resumed.GetTempPath()));

    const auto gets = Gets(server);
    ASSERT_EQ(2u, gets.size());
    EXPECT_EQ("", gets[0].range);
    EXPECT_EQ("bytes=100000-", gets[1].range);

    ASSERT_FALSE(progress.calls.empty());
    int64_t previous = 0;
    for (const auto& call : progress.calls) {
        EXPECT_EQ(static_cast<int64_t>(content.size()), call.total);
        EXPECT_GE(call.done, static_cast<int64_t>(kDropAt));
        EXPECT_GE(call.done, previous);
        EXPECT_NEAR(100.0 * call.done / call.total, call.percent, 1.0);
        EXPECT_EQ(0, call.tag);   // the tag given is ignored
        EXPECT_EQ(L"Main", call.name);
        previous = call.done;
    }
    EXPECT_EQ(static_cast<int64_t>(content.size()), progress.calls.back().done);
    EXPECT_EQ(100, progress.calls.back().percent);
}

TEST(HttpDownloadToFile, ReportsEachWholePercentOnce)
{
    // Large enough that libcurl reads it in many more pieces than there are percents.
    const std::string content = PatternBytes(8 * 1024 * 1024);
    ScratchDir served, work;
    ASSERT_TRUE(served.Write(L"package.7z", content));
    LoopbackServer server(L"package_server.py", {"--root", served.UnixPath()});
    ASSERT_TRUE(server.Started());

    RecordingCallback progress;
    HttpDownloadToFile download(&progress, Wide(server.Url("/package.7z")), work.File(L"package.7z"), 0, L"Main");
    EXPECT_EQ(HttpDownloadToFile::kDone, download.Run()) << download.GetErrorText();

    ASSERT_FALSE(progress.calls.empty());
    for (size_t i = 1; i < progress.calls.size(); ++i)
        EXPECT_GT(progress.calls[i].percent, progress.calls[i - 1].percent) << "call " << i;
    EXPECT_EQ(static_cast<int64_t>(content.size()), progress.calls.back().done);
    EXPECT_EQ(100, progress.calls.back().percent);
}

TEST(HttpDownloadToFile, ReplacesExistingTargetOfAnySize)
{
    const std::string content = PatternBytes(50000);
    ScratchDir served, work;
    ASSERT_TRUE(served.Write(L"package.7z", content));
    LoopbackServer server(L"package_server.py", {"--root", served.UnixPath()});
    ASSERT_TRUE(server.Started());

    for (const size_t size : {size_t{0}, size_t{1}, content.size(), 3 * content.size()}) {
        SCOPED_TRACE(size);
        const std::wstring name = L"package-" + std::to_wstring(size) + L".7z";
        ASSERT_TRUE(work.Write(name, std::string(size, 'x')));
        const std::wstring target = work.File(name);
        HttpDownloadToFile download(nullptr, Wide(server.Url("/package.7z")), target, 0, L"");
        EXPECT_EQ(HttpDownloadToFile::kDone, download.Run()) << download.GetErrorText();
        EXPECT_EQ(content, FileBytes(target));
        EXPECT_FALSE(Exists(download.GetTempPath()));
    }
}

TEST(HttpDownloadToFile, NotFoundKeepsErrorPageOutOfFiles)
{
    ScratchDir served, work;
    LoopbackServer server(L"package_server.py", {"--root", served.UnixPath()});
    ASSERT_TRUE(server.Started());

    const std::wstring target = work.File(L"package.7z");
    HttpDownloadToFile fresh(nullptr, Wide(server.Url("/package.7z")), target, 0, L"");
    EXPECT_EQ(HttpDownloadToFile::kFailed, fresh.Run());
    EXPECT_EQ("httpcode:404, CURLcode:0,404 Not Found\n", fresh.GetErrorText());
    EXPECT_FALSE(Exists(target));
    EXPECT_EQ("", FileBytes(fresh.GetTempPath()));

    // A partial file from an earlier attempt keeps what it had.
    const std::string partial = PatternBytes(1000);
    ASSERT_TRUE(work.Write(L"package.7z.temp", partial));
    HttpDownloadToFile resumed(nullptr, Wide(server.Url("/package.7z")), target, 0, L"");
    EXPECT_EQ(HttpDownloadToFile::kFailed, resumed.Run());
    EXPECT_EQ(0u, resumed.GetErrorText().rfind("httpcode:404, CURLcode:", 0)) << resumed.GetErrorText();
    EXPECT_FALSE(Exists(target));
    EXPECT_EQ(partial, FileBytes(resumed.GetTempPath()));
}

TEST(HttpDownloadToFile, MisbehavingServerFailsWithoutTouchingTarget)
{
    const std::string content = PatternBytes(20000);
    const struct {
        const char* path;
        const char* rule;
        const char* errorStart;
    } cases[] = {
        {"/error500.7z",  R"({"status": 500})",                       "httpcode:500, CURLcode:0,500 Internal Server Error\n"},
        {"/moved.7z",     R"({"redirect": "/missing.7z"})",           "httpcode:404, CURLcode:0,404 Not Found\n"},
        {"/dropped.7z",   R"({"drop_after": 1000})",                  "httpcode:200, CURLcode:18,"},   // CURLE_PARTIAL_FILE
        {"/longer.7z",    R"({"content_length": 1000000000000})",     "httpcode:200, CURLcode:18,"},
        {"/negative.7z",  R"({"content_length": -5})",                "httpcode:200, CURLcode:8,"},    // CURLE_WEIRD_SERVER_REPLY
        {"/rubbish.7z",   R"({"content_length": "12abc"})",           "httpcode:200, CURLcode:23,"},   // refused, not read as 12
        {"/loop.7z",      R"({"redirect": "/loop.7z"})",              "httpcode:302, CURLcode:47,"},   // CURLE_TOO_MANY_REDIRECTS
    };
    ScratchDir served, work;
    std::string rules = "{";
    for (const auto& c : cases) {
        ASSERT_TRUE(served.Write(Wide(c.path + 1), content));
        rules += std::string(rules.size() > 1 ? ", " : "") + "\"" + c.path + "\": " + c.rule;
    }
    LoopbackServer server(L"package_server.py", {"--root", served.UnixPath()});
    ASSERT_TRUE(server.Started());
    ASSERT_TRUE(server.WriteControlFile(L"rules.json", rules + "}"));

    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const std::wstring target = work.File(Wide(c.path + 1));
        HttpDownloadToFile download(nullptr, Wide(server.Url(c.path)), target, 0, L"");
        EXPECT_EQ(HttpDownloadToFile::kFailed, download.Run());
        EXPECT_EQ(0u, download.GetErrorText().rfind(c.errorStart, 0)) << download.GetErrorText();
        EXPECT_FALSE(Exists(target));
        // Whatever stays for the next attempt is the start of the real file.
        const std::string partial = FileBytes(download.GetTempPath());
        EXPECT_EQ(content.substr(0, partial.size()), partial);
    }
}

TEST(HttpDownloadToFile, StalledServerFailsWithinBoundedTime)
{
    const std::string content = PatternBytes(20000);
    ScratchDir served, work;
    ASSERT_TRUE(served.Write(L"package.7z", content));
    LoopbackServer server(L"package_server.py", {"--root", served.UnixPath()});
    ASSERT_TRUE(server.Started());
    ASSERT_TRUE(server.WriteControlFile(L"rules.json", R"({"/package.7z": {"stall_after": 1000}})"));

    // libcurl gives up after 30 s without a byte.
    const std::wstring target = work.File(L"package.7z");
    HttpDownloadToFile download(nullptr, Wide(server.Url("/package.7z")), target, 0, L"");
    EXPECT_EQ(HttpDownloadToFile::kFailed, download.Run());
    EXPECT_EQ(0u, download.GetErrorText().rfind("httpcode:200, CURLcode:28,", 0)) << download.GetErrorText();
    EXPECT_FALSE(Exists(target));
    EXPECT_EQ(content.substr(0, 1000), FileBytes(download.GetTempPath()));
}

TEST(HttpDownloadToFile, RestartsFromScratchWhenServerDoesNotContinuePartialFile)
{
    const std::string content = PatternBytes(40000);
    const struct {
        const char* what;
        const char* rule;
        size_t partialSize;
    } cases[] = {
        {"range ignored, shorter partial",   R"({"ignore_range": true})", 1000},
        {"range ignored, as long",           R"({"ignore_range": true})", 40000},   // libcurl calls this complete
        {"416, as long",                     "{}",                        40000},
        {"416, longer",                      "{}",                        45000},
    };
    ScratchDir served, work;
    ASSERT_TRUE(served.Write(L"package.7z", content));
    LoopbackServer server(L"package_server.py", {"--root", served.UnixPath()});
    ASSERT_TRUE(server.Started());

    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(server.WriteControlFile(L"rules.json", std::string(R"({"/package.7z": )") + c.rule + "}"));
        const size_t requestsBefore = Gets(server).size();
        // Bytes that are not the file's: kept, they would corrupt it.
        ASSERT_TRUE(work.Write(L"package.7z.temp", std::string(c.partialSize, 'x')));

        const std::wstring target = work.File(L"package.7z");
        HttpDownloadToFile download(nullptr, Wide(server.Url("/package.7z")), target, 0, L"");
        EXPECT_EQ(HttpDownloadToFile::kDone, download.Run()) << download.GetErrorText();
        EXPECT_EQ(content, FileBytes(target));
        EXPECT_FALSE(Exists(download.GetTempPath()));

        const auto gets = Gets(server);
        ASSERT_EQ(requestsBefore + 2, gets.size());
        EXPECT_EQ("bytes=" + std::to_string(c.partialSize) + "-", gets[requestsBefore].range);
        EXPECT_EQ("", gets[requestsBefore + 1].range);
    }
}

TEST(HttpDownloadToFile, FailedMoveIsFailureAndKeepsCompletePartialFile)
{
    const std::string content = PatternBytes(20000);
    ScratchDir served, work;
    ASSERT_TRUE(served.Write(L"package.7z", content));
    LoopbackServer server(L"package_server.py", {"--root", served.UnixPath()});
    ASSERT_TRUE(server.Started());

    // A folder in the way of the target cannot be replaced by a file.
    const std::wstring target = work.File(L"package.7z");
    ASSERT_TRUE(::CreateDirectoryW(target.c_str(), nullptr));
    HttpDownloadToFile download(nullptr, Wide(server.Url("/package.7z")), target, 0, L"");
    EXPECT_EQ(HttpDownloadToFile::kFailed, download.Run());
    EXPECT_NE(std::string::npos, download.GetErrorText().find("can't move file")) << download.GetErrorText();
    EXPECT_EQ(content, FileBytes(download.GetTempPath()));
}
