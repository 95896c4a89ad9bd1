#include "http/HttpDownloadToBuffer.h"

#include "http/HttpEasy.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace tivala {

namespace {

// The announced Content-Length only saves reallocations; beyond this the vector
// grows as the bytes come, so a lying server cannot make us reserve memory that
// it never sends.
constexpr int64_t kMaxReserveBytes = 16 * 1024 * 1024;

}  // namespace

HttpDownloadToBuffer::HttpDownloadToBuffer(std::wstring url, std::vector<uint8_t>* output)
    : m_url(std::move(url)), m_output(output)
{
}

HttpDownloadToBuffer::~HttpDownloadToBuffer() = default;

bool HttpDownloadToBuffer::Run()
{
    m_errorText.clear();
    if (!m_output) {
        m_errorText = "no output";
        return false;
    }
    const UniqueCurl handle = HttpEasy::MakeHandle(m_url);
    if (!handle) {
        m_errorText = "can't create curl";
        return false;
    }
    CURL* const curl = handle.Get();
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, (&HttpEasy::DataCallback<HttpDownloadToBuffer, &HttpDownloadToBuffer::OnWrite>));
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, (&HttpEasy::DataCallback<HttpDownloadToBuffer, &HttpDownloadToBuffer::OnHeader>));
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, this);
    m_responseCode = 0;
    m_httpError = false;

    const CURLcode result = curl_easy_perform(curl);
    const long status = HttpEasy::ResponseCode(curl);
    if (result != CURLE_OK || !HttpEasy::IsSuccess(status)) {
        m_errorText = HttpEasy::ErrorPrefix(status, result) + m_errorText;
        return false;
    }
    return true;
}

size_t HttpDownloadToBuffer::OnHeader(const char* line, size_t size)
{
    const std::string_view text(line, size);
    if (const auto status = HttpEasy::ParseStatusLine(text)) {
        m_responseCode = *status;
        m_httpError = !HttpEasy::IsSuccess(*status);
    } else if (const auto value = HttpEasy::HeaderValue(text, "Content-Length"); value && !m_httpError) {
        if (HttpEasy::IsMalformedContentLength(text))
            return 0;   // the body's end would be wherever the number's digits stop
        if (const auto length = HttpEasy::ParseNonNegative(*value)) {
            const size_t wanted = m_output->size() + static_cast<size_t>(std::min(*length, kMaxReserveBytes));
            if (m_output->capacity() < wanted)
                m_output->reserve(wanted);
        }
    }
    return size;
}

size_t HttpDownloadToBuffer::OnWrite(const char* data, size_t size)
{
    if (m_httpError)
        HttpEasy::AppendBounded(m_errorText, data, size);
    else
        m_output->insert(m_output->end(), data, data + size);
    return size;
}

}  // namespace tivala
