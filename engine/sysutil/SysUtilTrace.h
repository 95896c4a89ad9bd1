#pragma once

#include <string>
#include <string_view>

// The trace lines of the engine and its archive wrapper, on standard output. The
// installer has no console, so they show only when its output is redirected. The
// text goes out in the ANSI code page, the console's on the Chinese systems the
// installer targets. Any thread: a line is one write of the C runtime, which
// another thread's write does not cut into.
namespace tivala::SysUtil {

// Writes `text` as it is, its own line ends included; buffered like any output.
// A line that finds no memory is not written: tracing never fails its caller.
void WriteTrace(const std::wstring& text) noexcept;

// Writes the engine's line "engine: AREA: TEXT" and flushes it: these lines are
// few, and tell of what went wrong.
void Trace(const wchar_t* area, std::wstring_view text) noexcept;

// Writes "engine: AREA: message 0xNUMBER WHAT" the same way.
void TraceMessage(const wchar_t* area, unsigned message, const wchar_t* what) noexcept;

}  // namespace tivala::SysUtil
