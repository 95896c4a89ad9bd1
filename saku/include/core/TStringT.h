#pragma once

#include "core/SStringData.h"

#include <cstdarg>
#include <type_traits>

namespace SAKU {

// Character functions of the two string forms; the wide form has all of them.
struct wchar_traits {
    static int Length(const wchar_t* text);
};
struct char_traits {
    static int Length(const char* text);
};
template <typename T> struct SStringTraitsOf;
template <> struct SStringTraitsOf<wchar_t> { using Type = wchar_traits; };
template <> struct SStringTraitsOf<char> { using Type = char_traits; };

// The UI library's copy-on-write string: one pointer to the characters of a block
// headed by SStringData. Copies share the block; the first write through any
// editing operation gives the writer a block of its own. Never null: the empty
// string is the shared empty block. Blocks are exactly as long as asked; an append
// to an unshared block reallocates it in place. Allocation failures never throw:
// they leave the string as it was (or empty where a function says so) and report
// false or null.
//
// The wide form TStringT<wchar_t> has every operation; the narrow form
// TStringT<char> has construction, assignment, AssignChars and Empty, and reading
// (its other operations are deleted below). A string may hold embedded 0
// characters; the length counts them.
//
// Copies may be made and destroyed on any thread; one string object is written by
// one thread at a time.
template <typename T, typename Traits = typename SStringTraitsOf<T>::Type>
class TStringT {
public:
    TStringT() : m_chars(SStringData::Empty()->Chars<T>()) {}
    TStringT(const T* text);                  // null or "" gives the empty string
    TStringT(const T* chars, int length);     // a negative length reads up to the terminator
    TStringT(const TStringT& other);
    TStringT(TStringT&& other) noexcept : m_chars(other.m_chars) { other.m_chars = SStringData::Empty()->Chars<T>(); }
    ~TStringT();
    TStringT& operator=(const TStringT& other);
    TStringT& operator=(TStringT&& other) noexcept;
    TStringT& operator=(const T* text);       // `text` may point into this string

    int GetLength() const { return Data()->length; }
    bool IsEmpty() const { return Data()->length == 0; }
    const T* c_str() const { return m_chars; }
    operator const T*() const { return m_chars; }

    // Replaces the text by `count` characters; false when the block cannot be had
    // (the string is then empty).
    [[nodiscard]] bool AssignChars(int count, const T* chars);
    // Appends `count` characters, which may lie in this string; false when the
    // block cannot be had, and the string is unchanged.
    [[nodiscard]] bool AppendChars(int count, const T* chars);
    // Lets go of the text: an unshared empty-length block stays, any other goes.
    void Empty();

    // Ranges: counts and starts are clamped to the text, never overflowing.
    TStringT Left(int count) const;
    TStringT Right(int count) const;
    TStringT Mid(int start, int count) const;
    TStringT Mid(int start) const;
    int Find(T ch, int start = 0) const;           // -1 when absent
    int Find(const T* text, int start = 0) const;  // -1 when absent or past the length
    // Replaces every occurrence of `from` (never across an embedded 0); the number
    // replaced, or -1 when the block cannot be had (the text is then unchanged).
    int ReplaceAll(const T* from, const T* to);
    TStringT& operator+=(const TStringT& other);   // other may be this string
    TStringT& operator+=(const T* text);
    TStringT& operator+=(T ch);
    void MakeLower();                              // _wcslwr, current locale

    // Direct writing: a buffer of at least `minLength` characters of this string's
    // own block (null when it cannot be had), then ReleaseBuffer with the length
    // written (-1: up to the first 0), clamped to the block.
    T* GetBuffer(int minLength);
    void ReleaseBuffer(int length = -1);
    T* GetBufferSetLength(int length);

    // printf-style formatting with the runtime library's wide functions (%s takes a
    // wide text). Pass c_str() of strings: a TStringT argument does not compile.
    bool FormatV(const T* format, va_list args);
    template <typename... Args>
    TStringT Format(const T* format, const Args&... args);
    template <typename... Args>
    void AppendFormat(const T* format, const Args&... args);

    int Compare(const T* text) const;          // wcscmp
    int CompareNoCase(const T* text) const;    // _wcsicmp

    // Two-operand concatenation into a fresh string; false when it cannot be had.
    [[nodiscard]] bool ConcatCopy(int count1, const T* chars1, int count2, const T* chars2);

private:
    SStringData* Data() const { return reinterpret_cast<SStringData*>(m_chars) - 1; }
    bool IsExclusive() const { return Data()->refs <= 1; }
    void Attach(SStringData* block) { m_chars = block->Chars<T>(); }
    void ReleaseBlock();
    void SetLength(int length);
    bool AllocBuffer(int count);
    bool PrepareWrite(int count);
    bool ReallocBuffer(int count);
    T* MakeExclusive();
    bool CopyRangeInto(TStringT& dest, int copyLength, int start, int extraLength) const;
    bool FormatList(const T* format, ...);
    void AppendFormatList(const T* format, ...);

    T* m_chars;
};

template <typename T> struct IsSString : std::false_type {};
template <typename T, typename Traits> struct IsSString<TStringT<T, Traits>> : std::true_type {};

template <typename T, typename Traits>
template <typename... Args>
TStringT<T, Traits> TStringT<T, Traits>::Format(const T* format, const Args&... args)
{
    static_assert(std::is_same_v<T, wchar_t>, "only the wide string formats");
    static_assert(!(IsSString<Args>::value || ...), "pass the string's c_str() to a format");
    FormatList(format, args...);
    return *this;
}

template <typename T, typename Traits>
template <typename... Args>
void TStringT<T, Traits>::AppendFormat(const T* format, const Args&... args)
{
    static_assert(std::is_same_v<T, wchar_t>, "only the wide string formats");
    static_assert(!(IsSString<Args>::value || ...), "pass the string's c_str() to a format");
    AppendFormatList(format, args...);
}

using SStringW = TStringT<wchar_t>;
using SStringA = TStringT<char>;

// The operations that belong to the wide form only: using one of the narrow form
// does not compile.
template <> SStringA SStringA::Left(int) const = delete;
template <> SStringA SStringA::Right(int) const = delete;
template <> SStringA SStringA::Mid(int, int) const = delete;
template <> SStringA SStringA::Mid(int) const = delete;
template <> int SStringA::Find(char, int) const = delete;
template <> int SStringA::Find(const char*, int) const = delete;
template <> int SStringA::ReplaceAll(const char*, const char*) = delete;
template <> bool SStringA::AppendChars(int, const char*) = delete;
template <> SStringA& SStringA::operator+=(const SStringA&) = delete;
template <> SStringA& SStringA::operator+=(const char*) = delete;
template <> SStringA& SStringA::operator+=(char) = delete;
template <> void SStringA::MakeLower() = delete;
template <> char* SStringA::GetBuffer(int) = delete;
template <> void SStringA::ReleaseBuffer(int) = delete;
template <> char* SStringA::GetBufferSetLength(int) = delete;
template <> bool SStringA::FormatV(const char*, va_list) = delete;
template <> int SStringA::Compare(const char*) const = delete;
template <> int SStringA::CompareNoCase(const char*) const = delete;
template <> bool SStringA::ConcatCopy(int, const char*, int, const char*) = delete;
template <> bool SStringA::ReallocBuffer(int) = delete;
template <> char* SStringA::MakeExclusive() = delete;
template <> bool SStringA::CopyRangeInto(SStringA&, int, int, int) const = delete;
template <> bool SStringA::FormatList(const char*, ...) = delete;
template <> void SStringA::AppendFormatList(const char*, ...) = delete;

SStringW operator+(const SStringW& left, const SStringW& right);
SStringW operator+(const SStringW& left, const wchar_t* right);
SStringW operator+(const wchar_t* left, const SStringW& right);
bool operator==(const SStringW& left, const wchar_t* right);
bool operator==(const wchar_t* left, const SStringW& right);
bool operator==(const SStringW& left, const SStringW& right);
bool operator!=(const SStringW& left, const wchar_t* right);
bool operator!=(const SStringW& left, const SStringW& right);
bool operator<(const SStringW& left, const SStringW& right);

}  // namespace SAKU
