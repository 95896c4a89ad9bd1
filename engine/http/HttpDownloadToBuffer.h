#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tivala {

// Downloads a small resource (the manifest, an icon, a configuration file) over
// HTTP into memory. Made on the stack of the thread that downloads, for one Run.
class HttpDownloadToBuffer {
public:
    // `output` is the caller's and outlives the object; Run appends to it.
    HttpDownloadToBuffer(std::wstring url, std::vector<uint8_t>* output);
    virtual ~HttpDownloadToBuffer();
    HttpDownloadToBuffer(const HttpDownloadToBuffer&) = delete;
    HttpDownloadToBuffer& operator=(const HttpDownloadToBuffer&) = delete;

    // Blocks until the transfer ends. True when the whole body of a 2xx answer
    // (after redirects) was appended. False otherwise, and GetErrorText says why:
    // "httpcode:%d, CURLcode:%d," followed by the start of the error page, or
    // "can't create curl". An error page never reaches the output; the bytes of
    // a body that broke off stay in it.
    [[nodiscard]] bool Run();

    const std::string& GetErrorText() const { return m_errorText; }

private:
    size_t OnHeader(const char* line, size_t size);
    size_t OnWrite(const char* data, size_t size);

    std::wstring m_url;
    std::string m_errorText;
    // Of the response now arriving; a redirect or an interim answer starts a new one.
    long m_responseCode = 0;
    bool m_httpError = false;
    std::vector<uint8_t>* m_output = nullptr;
};

}  // namespace tivala
