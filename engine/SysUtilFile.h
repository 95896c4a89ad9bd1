#pragma once

#include <cstdint>
#include <string>

// Whole-file operations of the engine.
namespace tivala::SysUtil {

// The file's size; 0 when it cannot be examined.
int64_t GetFileSize64(const std::wstring& path);

}  // namespace tivala::SysUtil
