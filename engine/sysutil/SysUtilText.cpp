#include "sysutil/SysUtilText.h"

#include <json/json.h>
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <iterator>

namespace tivala::SysUtil {

namespace {

// The member, or null for a missing member: only objects have members, and
// jsoncpp throws when asked for one of anything else.
const Json::Value* FindMember(const Json::Value& object, const std::string& key)
{
    if (!object.isObject())
        return nullptr;
    return object.find(key.data(), key.data() + key.size());
}

}  // namespace

std::string WideToUtf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string result(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring Utf8ToWide(const std::string& text)
{
    if (text.empty())
        return {};
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring result(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

std::wstring NewGuidText()
{
    GUID guid = {};
    if (FAILED(::CoCreateGuid(&guid)))
        return {};
    wchar_t text[64] = {};
    const int written = std::swprintf(text, std::size(text), L"{%08lX-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                                      static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3,
                                      guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3],
                                      guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    if (written <= 0)
        return {};
    return std::wstring(text, static_cast<size_t>(written));
}

std::string JsonMemberToString(const Json::Value& object, const std::string& key)
{
    const Json::Value* member = FindMember(object, key);
    if (!member)
        return {};
    if (member->isString())
        return member->asString();
    if (member->isInt())
        return std::to_string(member->asInt64());
    return {};
}

int64_t JsonMemberToInt64(const Json::Value& object, const std::string& key)
{
    const Json::Value* member = FindMember(object, key);
    if (!member)
        return 0;
    if (member->isInt())
        return member->asInt64();
    if (member->isString())
        return ::_atoi64(member->asString().c_str());
    return 0;
}

std::vector<std::wstring> SplitString(const std::wstring& text, const std::wstring& separator)
{
    std::vector<std::wstring> parts;
    if (text.empty())
        return parts;
    if (separator.empty()) {
        parts.push_back(text);
        return parts;
    }
    size_t start = 0;
    for (size_t found = text.find(separator); found != std::wstring::npos; found = text.find(separator, start)) {
        parts.push_back(text.substr(start, found - start));
        start = found + separator.size();
    }
    if (start < text.size())
        parts.push_back(text.substr(start));
    return parts;
}

std::string UrlFileName(const std::string& url)
{
    const size_t slash = url.rfind('/');
    return slash == std::string::npos ? url : url.substr(slash + 1);
}

std::wstring ToLowerAscii(const std::wstring& text)
{
    std::wstring lower(text);
    for (wchar_t& unit : lower) {
        if (unit >= L'A' && unit <= L'Z')
            unit = static_cast<wchar_t>(unit - L'A' + L'a');
    }
    return lower;
}

}  // namespace tivala::SysUtil
