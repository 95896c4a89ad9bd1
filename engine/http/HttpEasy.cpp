#include "http/HttpEasy.h"

#include "sysutil/SysUtilText.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace tivala::HttpEasy {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsDecimal(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string_view Trim(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace

UniqueCurl MakeHandle(const std::wstring& url)
{
    UniqueCurl handle(curl_easy_init());
    if (!handle)
        return handle;
    CURL* const curl = handle.Get();
    const std::string utf8 = SysUtil::WideToUtf8(url);
    // setopt copies the URL. The other options cannot fail on this build (HTTP
    // is compiled in), so their results say nothing worth checking.
    curl_easy_setopt(curl, CURLOPT_URL, utf8.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, kLowSpeedLimitBytesPerSecond);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, kLowSpeedTimeSeconds);
    return handle;
}

long ResponseCode(CURL* handle)
{
    long status = 0;
    if (curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK)
        return 0;
    return status;
}

std::string ErrorPrefix(long status, CURLcode code)
{
    return "httpcode:" + std::to_string(status) + ", CURLcode:" + std::to_string(static_cast<int>(code)) + ",";
}

std::optional<long> ParseStatusLine(std::string_view line)
{
    if (line.substr(0, 5) != "HTTP/")
        return std::nullopt;
    const size_t blank = line.find(' ');
    if (blank == std::string_view::npos)
        return std::nullopt;
    const std::string_view code = line.substr(blank + 1, 3);
    if (code.size() != 3 || !IsDecimal(code))
        return std::nullopt;
    return (code[0] - '0') * 100L + (code[1] - '0') * 10L + (code[2] - '0');
}

std::optional<std::string_view> HeaderValue(std::string_view line, std::string_view name)
{
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || !EqualsIgnoringCase(line.substr(0, colon), name))
        return std::nullopt;
    return Trim(line.substr(colon + 1));
}

std::optional<int64_t> ParseNonNegative(std::string_view text)
{
    if (!IsDecimal(text))
        return std::nullopt;
    int64_t value = 0;
    for (const char c : text) {
        const int digit = c - '0';
        if (value > (std::numeric_limits<int64_t>::max() - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

bool IsMalformedContentLength(std::string_view line)
{
    const auto value = HeaderValue(line, "Content-Length");
    return value && !IsDecimal(*value);
}

void AppendBounded(std::string& text, const char* data, size_t size, size_t limit)
{
    if (text.size() < limit)
        text.append(data, std::min(size, limit - text.size()));
}

}  // namespace tivala::HttpEasy
