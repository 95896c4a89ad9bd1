// libcurl's headers bring winsock2.h, which must come before windows.h.
#include "http/HttpEasy.h"

#include "http/HttpDownloadToFile.h"
#include "http/IHttpDownloadToFileCalback.h"
#include "sysutil/SysUtilFile.h"

#include <shlobj.h>

#include <cstdio>
#include <string_view>
#include <type_traits>
#include <utility>

namespace tivala {

static_assert(std::is_same_v<curl_off_t, int64_t>, "the progress thunk stands in for curl_xferinfo_callback");

namespace {

constexpr long kReceiveBufferBytes = CURL_MAX_READ_SIZE;
constexpr size_t kFileBufferBytes = 1024 * 1024;

// The first byte of "Content-Range: bytes 100-199/300"; -1 for anything else
// ("bytes */300" included).
int64_t ContentRangeStart(std::string_view value)
{
    constexpr std::string_view kUnit = "bytes ";
    if (value.substr(0, kUnit.size()) != kUnit)
        return -1;
    value.remove_prefix(kUnit.size());
    const auto start = HttpEasy::ParseNonNegative(value.substr(0, value.find('-')));
    return start ? *start : -1;
}

}  // namespace

HttpDownloadToFile::HttpDownloadToFile(IHttpDownloadToFileCalback* callback, std::wstring url,
                                       std::wstring targetPath, int /*tag*/, std::wstring name)
    : m_callback(callback), m_url(std::move(url)), m_targetPath(std::move(targetPath)), m_name(std::move(name))
{
}

HttpDownloadToFile::~HttpDownloadToFile() = default;

int HttpDownloadToFile::Run()
{
    m_errorText.clear();
    const size_t slash = m_targetPath.find_last_of(L'\\');
    if (slash != std::wstring::npos && slash > 0) {
        // Usually the folder exists already; a folder that cannot be made shows
        // up as a partial file that cannot be opened.
        (void)::SHCreateDirectoryExW(nullptr, m_targetPath.substr(0, slash).c_str(), nullptr);
    }
    Attempt attempt = RunOnce(false);
    if (attempt == Attempt::RangeRefused) {
        m_errorText.clear();
        attempt = RunOnce(true);
    }
    return attempt == Attempt::Done ? kDone : kFailed;
}

HttpDownloadToFile::Attempt HttpDownloadToFile::RunOnce(bool fromScratch)
{
    const UniqueCurl handle = HttpEasy::MakeHandle(m_url);
    if (!handle) {
        m_errorText = "can't create curl";
        return Attempt::Failed;
    }
    const std::wstring tempPath = GetTempPath();
    m_file.Reset(::_wfopen(tempPath.c_str(), fromScratch ? L"wb+" : L"ab+"));
    if (!m_file) {
        m_errorText = "can't open file";
        return Attempt::Failed;
    }
    // libcurl hands over 16 KB at a time, and each write to the file is a system
    // call (under Wine a slow one): gathering them costs only a copy. A buffer
    // that cannot be had leaves the C runtime's own.
    (void)std::setvbuf(m_file.Get(), nullptr, _IOFBF, kFileBufferBytes);
    m_resumeOffset = fromScratch ? 0 : SysUtil::GetFileSize64(tempPath);
    m_responseCode = 0;
    m_httpError = false;
    m_rangeStart = -1;
    m_rangeRefused = false;
    m_reportedPercent = -1;

    CURL* const curl = handle.Get();
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, (&HttpEasy::DataCallback<HttpDownloadToFile, &HttpDownloadToFile::OnWrite>));
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, (&HttpEasy::DataCallback<HttpDownloadToFile, &HttpDownloadToFile::OnHeader>));
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &ProgressThunk);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
    // Fewer, larger reads from the socket: under Wine each read and each wait for
    // the socket is a trip to the Wine server.
    curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
    if (m_resumeOffset > 0)
        curl_easy_setopt(curl, CURLOPT_RESUME_FROM_LARGE, static_cast<curl_off_t>(m_resumeOffset));

    const CURLcode result = curl_easy_perform(curl);
    const long status = HttpEasy::ResponseCode(curl);
    curl_off_t expectedRest = -1;
    if (curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &expectedRest) != CURLE_OK)
        expectedRest = -1;
    // fclose writes out what the C runtime still buffers, so its failure is a
    // failed write.
    const bool written = std::fclose(m_file.Release()) == 0;

    // A ranged request that the server did not continue: libcurl ends a 200 with
    // its range error (or, when the 200 is as long as the partial file, with
    // success and no body) and a 416 with success and no body.
    if (m_resumeOffset > 0 && (status == 200 || status == 416 || m_rangeRefused))
        return Attempt::RangeRefused;
    if (result != CURLE_OK || !HttpEasy::IsSuccess(status)) {
        m_errorText = HttpEasy::ErrorPrefix(status, result) + m_errorText;
        return Attempt::Failed;
    }
    if (!written) {
        m_errorText = HttpEasy::ErrorPrefix(status, CURLE_WRITE_ERROR) + "can't write file";
        return Attempt::Failed;
    }
    if (expectedRest >= 0 && SysUtil::GetFileSize64(tempPath) != m_resumeOffset + expectedRest) {
        m_errorText = HttpEasy::ErrorPrefix(status, CURLE_PARTIAL_FILE) + "short file";
        return Attempt::Failed;
    }
    if (!::MoveFileExW(tempPath.c_str(), m_targetPath.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        const DWORD error = ::GetLastError();
        m_errorText = HttpEasy::ErrorPrefix(status, result) + "can't move file, error " + std::to_string(error);
        return Attempt::Failed;
    }
    return Attempt::Done;
}

bool HttpDownloadToFile::Continues() const
{
    if (m_resumeOffset == 0)
        return HttpEasy::IsSuccess(m_responseCode);
    return m_responseCode == 206 && m_rangeStart == m_resumeOffset;
}

size_t HttpDownloadToFile::OnHeader(const char* line, size_t size)
{
    const std::string_view text(line, size);
    if (const auto status = HttpEasy::ParseStatusLine(text)) {
        m_responseCode = *status;
        m_httpError = !HttpEasy::IsSuccess(*status);
        m_rangeStart = -1;
    } else if (const auto range = HttpEasy::HeaderValue(text, "Content-Range")) {
        m_rangeStart = ContentRangeStart(*range);
    } else if (!m_httpError && HttpEasy::IsMalformedContentLength(text)) {
        return 0;   // the file's end would be wherever the number's digits stop
    }
    return size;
}

size_t HttpDownloadToFile::OnWrite(const char* data, size_t size)
{
    if (m_httpError) {
        HttpEasy::AppendBounded(m_errorText, data, size);
        return size;
    }
    if (!Continues()) {
        // Appending this answer would corrupt the partial file.
        m_rangeRefused = true;
        return 0;
    }
    return std::fwrite(data, 1, size, m_file.Get());
}

void HttpDownloadToFile::OnCurlProgress(int64_t expected, int64_t received)
{
    if (expected <= 0 || !Continues())
        return;
    const int64_t done = m_resumeOffset + received;
    const int64_t total = m_resumeOffset + expected;
    const int percent = static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * 100.0);
    // libcurl calls after every read from the socket; each call becomes a message
    // to the UI thread, which has nothing new to show until the percentage moves.
    if (!m_callback || percent == m_reportedPercent)
        return;
    m_reportedPercent = percent;
    m_callback->OnProgress(percent, done, total, m_tag, m_name);
}

int HttpDownloadToFile::ProgressThunk(void* self, int64_t dlTotal, int64_t dlNow, int64_t, int64_t) noexcept
{
    try {
        static_cast<HttpDownloadToFile*>(self)->OnCurlProgress(dlTotal, dlNow);
    } catch (...) {
        // Progress is only shown; a callback that failed does not stop the download.
    }
    return 0;
}

}  // namespace tivala
