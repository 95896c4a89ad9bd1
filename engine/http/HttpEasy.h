#pragma once

#include "http/CurlHandle.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What the engine's four HTTP transfers share: how a transfer handle is made,
// how a response is judged and how its failure is written down. Stateless; any
// thread.
namespace tivala::HttpEasy {

// A server that accepts no connection, or sends nothing for this long, fails the
// transfer instead of holding the install thread forever, so that the wizard's
// retry path runs.
constexpr long kConnectTimeoutSeconds = 30;
constexpr long kLowSpeedLimitBytesPerSecond = 1;
constexpr long kLowSpeedTimeSeconds = 30;
// A redirect loop ends too.
constexpr long kMaxRedirects = 10;
// How much of an error page (or of any answer nobody reads) is kept: the rest is
// taken from libcurl and dropped.
constexpr size_t kMaxKeptBodyBytes = 64 * 1024;

// A new easy handle for `url` (wide, handed to libcurl as UTF-8) with what every
// transfer sets: HTTP/1.1, redirects followed, the limits above. Empty when
// libcurl cannot make one.
[[nodiscard]] UniqueCurl MakeHandle(const std::wstring& url);

// The final status of the transfer (after redirects); 0 when none arrived.
long ResponseCode(CURL* handle);

// Only a 2xx answer carries the resource; a final 3xx (no Location), 4xx or 5xx
// carries something else.
constexpr bool IsSuccess(long status) { return status >= 200 && status < 300; }

// "httpcode:%d, CURLcode:%d," with the two codes.
std::string ErrorPrefix(long status, CURLcode code);

// The status of a header line "HTTP/1.1 206 Partial Content"; nothing for any
// other line.
std::optional<long> ParseStatusLine(std::string_view line);

// The value of the header line "Name: value" when the line names `name`
// (without regard to case), surrounding blanks and the line end removed.
std::optional<std::string_view> HeaderValue(std::string_view line, std::string_view name);

// A decimal number 0..INT64_MAX and nothing else; nothing for a sign, a blank,
// an overflow or any other text.
std::optional<int64_t> ParseNonNegative(std::string_view text);

// A Content-Length header line whose value is not a plain decimal number
// ("12abc", "-5"): libcurl would take "12abc" for 12 and end the body there.
bool IsMalformedContentLength(std::string_view line);

// A libcurl header or write callback that hands the bytes to `Handler` of the
// object given as the callback's data. No exception crosses libcurl: one becomes
// a short count, which makes libcurl fail the transfer.
template <typename T, size_t (T::*Handler)(const char*, size_t)>
size_t DataCallback(char* data, size_t size, size_t count, void* self) noexcept
{
    try {
        return (static_cast<T*>(self)->*Handler)(data, size * count);
    } catch (...) {
        return 0;
    }
}

// Appends at most what keeps `text` within `limit` bytes.
void AppendBounded(std::string& text, const char* data, size_t size, size_t limit = kMaxKeptBodyBytes);

}  // namespace tivala::HttpEasy
