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
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, (&HttpEasy::DataCallback<HttpPostJson, &HttpPostJson::OnWrite>));
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, (&HttpEasy::DataCallback<HttpPostJson, &HttpPostJson::OnHeader>));
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, m_errorBuffer.data());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, m_body.data());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(m_body.size()));
    // A report that did not arrive is dropped, as every caller wants.
    (void)curl_easy_perform(curl);
    return true;
}

size_t HttpPostJson::OnHeader(const char* line, size_t size)
{
    HttpEasy::AppendBounded(m_responseHeaders, line, size);
    return size;
}

size_t HttpPostJson::OnWrite(const char* data, size_t size)
{
    HttpEasy::AppendBounded(m_responseBody, data, size);
    return size;
}

}  // namespace tivala
