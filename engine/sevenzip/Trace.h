#pragma once

#include <string>

// The wrapper's trace lines on standard output; the installer has no console, so
// they show only when its output is redirected. Any thread.
namespace SevenZip::intl {

// Prints `format` with its one "%s" replaced by `path`, in the ANSI code page (the
// console's on the Chinese systems the installer targets).
void Trace(const wchar_t* format, const std::wstring& path = {});

}  // namespace SevenZip::intl
