#pragma once

#include <cstdint>
#include <string>

namespace tivala {

// Asks the server for the length of a file with a body-less request, before the
// file is fetched. Made on the stack of the asking thread, for one Run.
class HttpGetFileLength {
public:
    explicit HttpGetFileLength(std::wstring url);
    virtual ~HttpGetFileLength();

    // Blocks until the answer. The length that a 2xx answer (after redirects)
    // announces, 0 included. -1, the size unknown, when it announces none or
    // there is no such answer (no server, an error status: servers that refuse
    // HEAD still serve the file). 0 when no transfer handle can be made.
    [[nodiscard]] int64_t Run();

private:
    std::wstring m_url;
};

// HttpGetFileLength(url).Run().
[[nodiscard]] int64_t GetRemoteFileLength(const std::wstring& url);

}  // namespace tivala
