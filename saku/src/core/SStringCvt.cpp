#include "core/SStringCvt.h"

#include "core/MemAlloc.h"

#include <memory>

namespace SAKU {

namespace {

constexpr int kStackUnits = 1024;

}  // namespace

SStringW CvtA2W(const SStringA& narrow, UINT codePage)
{
    wchar_t stack[kStackUnits];
    const int converted = ::MultiByteToWideChar(codePage, 0, narrow.c_str(), narrow.GetLength(), stack, kStackUnits);
    if (converted > 0)
        return SStringW(stack, converted);
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return SStringW();
    const int needed = ::MultiByteToWideChar(codePage, 0, narrow.c_str(), narrow.GetLength(), nullptr, 0);
    if (needed <= 0)
        return SStringW();
    std::unique_ptr<wchar_t, MemDeleter> heap(static_cast<wchar_t*>(MemAlloc(needed * sizeof(wchar_t))));
    if (!heap)
        return SStringW();
    const int done = ::MultiByteToWideChar(codePage, 0, narrow.c_str(), narrow.GetLength(), heap.get(), needed);
    return done > 0 ? SStringW(heap.get(), done) : SStringW();
}

SStringA CvtW2A(const SStringW& wide, UINT codePage)
{
    char stack[kStackUnits];
    const int converted = ::WideCharToMultiByte(codePage, 0, wide.c_str(), wide.GetLength(), stack, kStackUnits, nullptr, nullptr);
    if (converted > 0)
        return SStringA(stack, converted);
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return SStringA();
    const int needed = ::WideCharToMultiByte(codePage, 0, wide.c_str(), wide.GetLength(), nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return SStringA();
    std::unique_ptr<char, MemDeleter> heap(static_cast<char*>(MemAlloc(needed)));
    if (!heap)
        return SStringA();
    const int done = ::WideCharToMultiByte(codePage, 0, wide.c_str(), wide.GetLength(), heap.get(), needed, nullptr, nullptr);
    return done > 0 ? SStringA(heap.get(), done) : SStringA();
}

SStringW CvtW2W(const SStringW& wide, UINT)
{
    return wide;
}

}  // namespace SAKU
