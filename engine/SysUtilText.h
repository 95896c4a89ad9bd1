#pragma once

#include <string>

// Text conversions of the engine: paths and user-visible text are wide, HTTP and
// JSON bodies are narrow UTF-8.
namespace tivala::SysUtil {

std::string WideToUtf8(const std::wstring& text);
std::wstring Utf8ToWide(const std::string& text);

}  // namespace tivala::SysUtil
