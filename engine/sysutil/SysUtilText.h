#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Json {
class Value;
}

// Text helpers of the engine: paths and user-visible text are wide, HTTP and JSON
// bodies are narrow UTF-8. Stateless; any thread.
namespace tivala::SysUtil {

std::string WideToUtf8(const std::wstring& text);
std::wstring Utf8ToWide(const std::string& text);

// A fresh GUID as "{XXXXXXXX-XXXX-xxxx-XXXX-XXXXXXXXXXXX}" (the third group in lower
// case, every other digit upper case); empty when no GUID can be made.
std::wstring NewGuidText();

// The member `key` of a JSON object as text: a string as it is, a number that fits a
// 32-bit int in decimal; empty for anything else, a missing member or a non-object.
std::string JsonMemberToString(const Json::Value& object, const std::string& key);
// The member `key` of a JSON object as a number: a number that fits a 32-bit int, or
// a string's leading decimal digits (_atoi64); 0 for anything else, a missing member
// or a non-object.
int64_t JsonMemberToInt64(const Json::Value& object, const std::string& key);

// The parts of `text` between occurrences of `separator`, empty parts included,
// except that an empty last part is dropped. An empty text gives no part, an empty
// separator the whole text.
std::vector<std::wstring> SplitString(const std::wstring& text, const std::wstring& separator);

// The text after the last "/" of an address (the whole address without one).
std::string UrlFileName(const std::string& url);

// Only the letters A-Z change; every other unit stays as it is.
std::wstring ToLowerAscii(const std::wstring& text);

}  // namespace tivala::SysUtil
