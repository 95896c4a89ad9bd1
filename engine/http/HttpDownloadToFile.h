#pragma once

#include "Win32Handles.h"

#include <cstdint>
#include <string>

// windows.h maps GetTempPath onto GetTempPathW; the method below keeps its own
// name in every file that includes this one.
#undef GetTempPath

namespace tivala {

class IHttpDownloadToFileCalback;

// Downloads one package into a file over HTTP, resuming from the partial file
// that an earlier attempt left. Made on the stack of the thread that downloads,
// for one Run; the progress callback runs on that thread, inside Run, once for
// each whole percent the download reaches.
//
// The bytes go into the partial file, the target path followed by ".temp", and
// only a complete download is moved onto the target path. A failed download
// keeps its partial file, so that the next Run for the same target asks for the
// rest; when the server does not continue it (it ignores the range, or the
// partial file is as long as the remote one or longer), the partial file is
// started again from nothing, once.
class HttpDownloadToFile {
public:
    static constexpr int kDone = 0;
    static constexpr int kFailed = 1;

    // `callback` may be null. `tag` is ignored: progress always carries 0.
    // `name` is handed to the callback unchanged.
    HttpDownloadToFile(IHttpDownloadToFileCalback* callback, std::wstring url, std::wstring targetPath, int tag,
                       std::wstring name);
    virtual ~HttpDownloadToFile();
    HttpDownloadToFile(const HttpDownloadToFile&) = delete;
    HttpDownloadToFile& operator=(const HttpDownloadToFile&) = delete;

    // Blocks until the transfer ends. kDone when the whole file is under the
    // target name (an existing file is replaced); kFailed otherwise, and
    // GetErrorText says why: "httpcode:%d, CURLcode:%d," with the final status
    // and libcurl's result, followed by the start of the error page, or one of
    // "can't create curl", "can't open file".
    [[nodiscard]] int Run();

    std::wstring GetTempPath() const { return m_targetPath + L".temp"; }
    const std::string& GetErrorText() const { return m_errorText; }

private:
    enum class Attempt { Done, Failed, RangeRefused };

    Attempt RunOnce(bool fromScratch);
    // The answer now arriving continues the partial file: a 2xx to a request
    // from the start, a 206 that starts where the partial file ends otherwise.
    bool Continues() const;

    size_t OnHeader(const char* line, size_t size);
    size_t OnWrite(const char* data, size_t size);
    void OnCurlProgress(int64_t expected, int64_t received);

    static int ProgressThunk(void* self, int64_t dlTotal, int64_t dlNow, int64_t ulTotal, int64_t ulNow) noexcept;

    IHttpDownloadToFileCalback* m_callback = nullptr;
    std::wstring m_url;
    std::wstring m_targetPath;
    int m_tag = 0;
    std::wstring m_name;
    std::string m_errorText;
    int64_t m_resumeOffset = 0;
    UniqueStdioFile m_file;
    // Of the response now arriving; a redirect or an interim answer starts a new one.
    long m_responseCode = 0;
    bool m_httpError = false;
    int64_t m_rangeStart = -1;
    bool m_rangeRefused = false;
    // The percentage last handed to the callback; -1 before the first.
    int m_reportedPercent = -1;
};

}  // namespace tivala
