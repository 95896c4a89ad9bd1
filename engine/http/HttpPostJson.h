#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace tivala {

// Posts one statistics report, a JSON body, over HTTP. Made on the stack of the
// reporter's worker thread, for one Post. Nobody waits for the answer: it is
// read and dropped.
class HttpPostJson {
public:
    // `body` is sent as is with "Content-Type:application/json"; the integer and
    // `name` are not sent.
    HttpPostJson(std::wstring url, std::string body, int unused, std::wstring name);
    virtual ~HttpPostJson();
    HttpPostJson(const HttpPostJson&) = delete;
    HttpPostJson& operator=(const HttpPostJson&) = delete;

    // Blocks until the transfer ends. False only when no transfer handle can be
    // made; true otherwise, whatever the server answered or whether it answered.
    [[nodiscard]] bool Post();

private:
    // The answer is kept, within bounds, and read by nobody.
    size_t OnHeader(const char* line, size_t size);
    size_t OnWrite(const char* data, size_t size);

    std::wstring m_url;
    std::string m_body;
    std::wstring m_name;
    std::string m_responseBody;
    std::string m_responseHeaders;
    std::array<char, 256> m_errorBuffer = {};   // libcurl's CURL_ERROR_SIZE
};

}  // namespace tivala
