#pragma once

#include "core/SAutoRef.h"
#include "core/SLog.h"

#include <string>
#include <vector>

namespace saku_test {

// A copy of one record that reached the sink.
struct LoggedLine {
    int loggerId;
    int level;
    std::string tag;
    std::string text;
    std::string file;
    int line;
    std::string function;
    const void* returnAddress;
};

// The library's log sink for the life of the object: it keeps every record at or
// above `minLevel` and refuses the others, which then go to the debugger output.
class ScopedLogSink {
public:
    explicit ScopedLogSink(int minLevel = 0) : m_sink(SAKU::SAutoRef<Sink>::Adopt(new Sink(minLevel)))
    {
        SAKU::SetLogSink(m_sink.Get());
    }
    ~ScopedLogSink() { SAKU::SetLogSink(nullptr); }
    ScopedLogSink(const ScopedLogSink&) = delete;
    ScopedLogSink& operator=(const ScopedLogSink&) = delete;

    const std::vector<LoggedLine>& Lines() const { return m_sink->lines; }

private:
    struct Sink : SAKU::TObjRefImpl<SAKU::ILogManager> {
        explicit Sink(int minLevel) : minLevel(minLevel) {}
        BOOL Accepts(int, int level) override { return level >= minLevel; }
        void PushLog(const SAKU::SLogRecord& r) override
        {
            lines.push_back({r.loggerId, r.level, r.tag, r.text, r.file, r.line, r.function, r.returnAddress});
        }

        int minLevel;
        std::vector<LoggedLine> lines;
    };

    SAKU::SAutoRef<Sink> m_sink;
};

}  // namespace saku_test
