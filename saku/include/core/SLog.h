#pragma once

#include "core/IObjRef.h"

namespace SAKU {

// Levels of the library's log records.
constexpr int kLogLevelTrace = 0;
constexpr int kLogLevelWarn = 3;
constexpr int kLogLevelError = 4;

// The logger that every record of the library names.
constexpr int kSakuLoggerId = 0;

// Where a log line is written from, as its record names it. The library names its
// sources itself ("src\core\SMsgLoop", 44, "SAKU::SMessageLoop::Run") rather than
// through __FILE__ and __LINE__, so that a record reads the same in every build.
struct SLogSite {
    int level;
    const char* file;
    int line;
    const char* function;
};

// One log line as a sink receives it. The texts are borrowed for the call only;
// `text` is in the ANSI code page.
struct SLogRecord {
    int loggerId;
    int level;
    const char* tag;                 // "saku"
    const char* text;
    const char* file;
    int line;
    const char* function;
    const void* returnAddress;       // the code that wrote the line
};

// A sink that takes the library's log records instead of the debugger output.
// The program or a test installs one with SetLogSink; the UI thread writes to it.
struct ILogManager : IObjRef {
    // Whether the sink wants records of `loggerId` at `level`.
    virtual BOOL Accepts(int loggerId, int level) = 0;
    virtual void PushLog(const SLogRecord& record) = 0;

protected:
    ~ILogManager() = default;
};

// Installs the sink the library writes to (one reference taken; null removes it,
// releasing the old one). Set it on the UI thread, before or between log lines.
void SetLogSink(ILogManager* sink);
ILogManager* GetLogSink();

// Writes one log line: `format` with its arguments (wide printf, %s a wide text),
// cut to 2047 characters, in the ANSI code page, cut again at a whole character
// when that form is longer than 2047 bytes. It goes to the sink when one is set
// and accepts the site's level, otherwise to OutputDebugStringA.
void WriteLog(const SLogSite& site, const wchar_t* format, ...);

}  // namespace SAKU
