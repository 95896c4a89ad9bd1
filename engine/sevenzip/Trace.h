#pragma once

#include <string>

// The wrapper's trace lines, written by the engine's trace writer (SysUtilTrace.h).
// Any thread.
namespace SevenZip::intl {

// Writes `format` with its one "%s" replaced by `path`.
void Trace(const wchar_t* format, const std::wstring& path = {});

}  // namespace SevenZip::intl
