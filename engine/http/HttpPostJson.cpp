#include "http/HttpPostJson.h"

#include "http/HttpEasy.h"

#include <utility>

namespace tivala {

static_assert(CURL_ERROR_SIZE == 256, "libcurl writes up to CURL_ERROR_SIZE bytes into the error buffer");

HttpPostJson::HttpPostJson(std::wstring url, std::string body, int /*unused*/, std::wstring name)
    : m_url(std::move(url)), m_body(std::move(body)), m_name(std::move(name))
{
}

HttpPostJson::~HttpPostJson() = default;

bool HttpPostJson::Post()
{
    const UniqueCurl handle = HttpEasy::MakeHandle(m_url);
    if (!handle)
        return false;
    const UniqueCurlSlist headers(curl_slist_append(nullptr, "Content-Type:application/json"));
    if (!headers)
        return true;   // without its type the report server cannot read it: dropped like any failed report
    CURL* const curl = handle.Get();
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.Get());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &CollectThunk);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &m_responseBody);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &CollectThunk);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &m_responseHeaders);
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, m_errorBuffer.data());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, m_body.data());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(m_body.size()));
    // A report that did not arrive is dropped, as every caller wants.
    (void)curl_easy_perform(curl);
    return true;
}

size_t HttpPostJson::CollectThunk(char* data, size_t size, size_t count, void* text) noexcept
{
    try {
        HttpEasy::AppendBounded(*static_cast<std::string*>(text), data, size * count);
        return size * count;
    } catch (...) {
        return 0;   // a short count makes libcurl fail the transfer
    }
}

}  // namespace tivala
