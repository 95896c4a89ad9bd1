// libcurl as the engine links it: static, HTTP only, reaching a loopback server.

#include "LoopbackServer.h"
#include "ScratchDir.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

#include <string>

using tivala::test::LoopbackServer;
using tivala::test::ScratchDir;

namespace {

size_t AppendBody(char* data, size_t size, size_t count, void* target) noexcept
{
    try {
        static_cast<std::string*>(target)->append(data, size * count);
        return size * count;
    } catch (...) {
        return 0;   // a short count makes libcurl fail the transfer
    }
}

struct Response {
    CURLcode code = CURLE_OK;
    long status = 0;
    std::string body;
};

Response Get(const std::string& url)
{
    Response response;
    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &response.body);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 30L);
    response.code = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response.status);
    curl_easy_cleanup(curl);
    return response;
}

}  // namespace

TEST(CurlLibrary, IsHttpOnlyWithoutCompressionOrIdn)
{
    const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
    EXPECT_STREQ("7.88.1", info->version);
    EXPECT_EQ(nullptr, info->libz_version);
    EXPECT_EQ(0, info->features & (CURL_VERSION_HTTP2 | CURL_VERSION_IDN | CURL_VERSION_BROTLI | CURL_VERSION_ZSTD));
    std::string protocols;
    for (auto protocol = info->protocols; *protocol; ++protocol)
        protocols += std::string(*protocol) + " ";
    EXPECT_EQ("http https ", protocols);
}

TEST(CurlLibrary, FetchesFileFromLoopbackServer)
{
    ScratchDir served;
    std::string content(100000, '\0');
    for (size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>(i * 7 + i / 251);
    ASSERT_TRUE(served.Write(L"package.7z", content));

    LoopbackServer server(L"package_server.py", {"--root", served.UnixPath()});
    ASSERT_TRUE(server.Started());

    const Response found = Get(server.Url("/package.7z"));
    EXPECT_EQ(CURLE_OK, found.code);
    EXPECT_EQ(200, found.status);
    EXPECT_EQ(content, found.body);

    const Response missing = Get(server.Url("/nothing.7z"));
    EXPECT_EQ(CURLE_OK, missing.code);
    EXPECT_EQ(404, missing.status);
}
