#include "http/HttpGetFileLength.h"

#include "http/HttpEasy.h"

#include <utility>

namespace tivala {

namespace {

constexpr int64_t kUnknownLength = -1;

}  // namespace

HttpGetFileLength::HttpGetFileLength(std::wstring url) : m_url(std::move(url)) {}

HttpGetFileLength::~HttpGetFileLength() = default;

int64_t HttpGetFileLength::Run()
{
    const UniqueCurl handle = HttpEasy::MakeHandle(m_url);
    if (!handle)
        return 0;
    CURL* const curl = handle.Get();
    curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    const CURLcode result = curl_easy_perform(curl);
    // The length of an error page, or of nothing, is not the file's. Neither is
    // it 0, which fails the manifest: a server may refuse HEAD (405, 501) and
    // still serve the file, so the size is only unknown, as without a length.
    if (result != CURLE_OK || !HttpEasy::IsSuccess(HttpEasy::ResponseCode(curl)))
        return kUnknownLength;
    curl_off_t length = kUnknownLength;
    if (curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK)
        return kUnknownLength;
    return length;
}

int64_t GetRemoteFileLength(const std::wstring& url)
{
    return HttpGetFileLength(url).Run();
}

}  // namespace tivala
