#include "core/SLog.h"

#include "core/SAutoRef.h"

#include <cstdarg>
#include <cstdio>

namespace SAKU {

namespace {

constexpr int kLogBufferUnits = 2048;   // characters of the wide line, bytes of the narrow one
constexpr char kSakuTag[] = "saku";

SAutoRef<ILogManager>& Sink()
{
    static SAutoRef<ILogManager> sink;
    return sink;
}

// Converts `wide` into `narrow` (kLogBufferUnits bytes, terminated). A line whose
// ANSI form does not fit keeps its longest prefix of whole characters that does:
// a code-page-936 character may take two bytes, so the byte count of a prefix is
// asked for rather than guessed.
void ToAnsi(const wchar_t* wide, int length, char* narrow)
{
    constexpr int kRoom = kLogBufferUnits - 1;
    int written = ::WideCharToMultiByte(CP_ACP, 0, wide, length, narrow, kRoom, nullptr, nullptr);
    if (written <= 0 && length > 0) {
        int fits = 0;   // a prefix of `fits` characters converts into kRoom bytes
        int tooLong = length;
        while (tooLong - fits > 1) {
            const int middle = fits + (tooLong - fits) / 2;
            const int needed = ::WideCharToMultiByte(CP_ACP, 0, wide, middle, nullptr, 0, nullptr, nullptr);
            if (needed > 0 && needed <= kRoom)
                fits = middle;
            else
                tooLong = middle;
        }
        if (fits > 0 && IS_HIGH_SURROGATE(wide[fits - 1]))
            --fits;   // never half a surrogate pair
        written = fits > 0 ? ::WideCharToMultiByte(CP_ACP, 0, wide, fits, narrow, kRoom, nullptr, nullptr) : 0;
    }
    narrow[written > 0 ? written : 0] = '\0';
}

}  // namespace

void SetLogSink(ILogManager* sink)
{
    Sink() = sink;
}

ILogManager* GetLogSink()
{
    return Sink().Get();
}

void WriteLog(const SLogSite& site, const wchar_t* format, ...)
{
    wchar_t wide[kLogBufferUnits] = L"";
    va_list args;
    va_start(args, format);
    _vsnwprintf_s(wide, kLogBufferUnits, _TRUNCATE, format, args);   // a longer line is cut, not refused
    va_end(args);
    char narrow[kLogBufferUnits];
    ToAnsi(wide, static_cast<int>(wcslen(wide)), narrow);

    ILogManager* const sink = GetLogSink();
    if (sink && sink->Accepts(kSakuLoggerId, site.level)) {
        const SLogRecord record{kSakuLoggerId, site.level, kSakuTag, narrow,
                                site.file, site.line, site.function, __builtin_return_address(0)};
        sink->PushLog(record);
        return;
    }
    ::OutputDebugStringA(narrow);
}

}  // namespace SAKU
