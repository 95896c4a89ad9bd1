#include "core/TStringT.h"

#include "core/MemAlloc.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <wchar.h>

namespace SAKU {

int wchar_traits::Length(const wchar_t* text)
{
    return static_cast<int>(wcslen(text));
}

int char_traits::Length(const char* text)
{
    return static_cast<int>(strlen(text));
}

// --- construction and assignment (both forms) ---------------------------------

template <typename T, typename Traits>
TStringT<T, Traits>::TStringT(const T* text) : TStringT(text, -1)
{
}

template <typename T, typename Traits>
TStringT<T, Traits>::TStringT(const T* chars, int length) : TStringT()
{
    if (!chars)
        return;
    if (length < 0)
        length = Traits::Length(chars);
    if (length > 0 && AllocBuffer(length))
        memcpy(m_chars, chars, length * sizeof(T));
}

template <typename T, typename Traits>
TStringT<T, Traits>::TStringT(const TStringT& other) : TStringT()
{
    // The empty block's negative count is never changed: its copy is the empty string.
    if (other.Data()->refs >= 0) {
        other.Data()->AddRef();
        m_chars = other.m_chars;
    }
}

template <typename T, typename Traits>
TStringT<T, Traits>::~TStringT()
{
    ReleaseBlock();
}

template <typename T, typename Traits>
TStringT<T, Traits>& TStringT<T, Traits>::operator=(const TStringT& other)
{
    if (m_chars == other.m_chars)
        return *this;
    if (other.Data()->refs < 0) {
        // Keeps an unshared block for the next text that fits; cannot fail.
        (void)AssignChars(0, other.m_chars);
        return *this;
    }
    other.Data()->AddRef();
    ReleaseBlock();
    m_chars = other.m_chars;
    return *this;
}

template <typename T, typename Traits>
TStringT<T, Traits>& TStringT<T, Traits>::operator=(TStringT&& other) noexcept
{
    if (other.Data()->refs < 0)
        return *this = static_cast<const TStringT&>(other);   // keeps an unshared block, as a copy would
    if (this != &other) {
        ReleaseBlock();
        m_chars = other.m_chars;
        other.Attach(SStringData::Empty());
    }
    return *this;
}

template <typename T, typename Traits>
TStringT<T, Traits>& TStringT<T, Traits>::operator=(const T* text)
{
    // The text may lie in this string's block, which AssignChars may release.
    const TStringT copy(text);
    (void)AssignChars(copy.GetLength(), copy.m_chars);
    return *this;
}

template <typename T, typename Traits>
bool TStringT<T, Traits>::AssignChars(int count, const T* chars)
{
    if (count < 0 || (count > 0 && !chars))
        return false;
    if (!PrepareWrite(count))
        return false;
    if (count > 0)
        memmove(m_chars, chars, count * sizeof(T));
    SetLength(count);
    return true;
}

template <typename T, typename Traits>
void TStringT<T, Traits>::Empty()
{
    if (GetLength() == 0)
        return;
    ReleaseBlock();
    Attach(SStringData::Empty());
}

// --- block handling -------------------------------------------------------------

template <typename T, typename Traits>
void TStringT<T, Traits>::ReleaseBlock()
{
    SStringData* const data = Data();
    if (!data->IsEmptyBlock())
        data->Release();
}

// The empty block is never written; its length is already 0.
template <typename T, typename Traits>
void TStringT<T, Traits>::SetLength(int length)
{
    SStringData* const data = Data();
    if (data->IsEmptyBlock())
        return;
    data->length = length;
    m_chars[length] = 0;
}

template <typename T, typename Traits>
bool TStringT<T, Traits>::AllocBuffer(int count)
{
    SStringData* const block = SStringData::Alloc(count, sizeof(T));
    if (!block)
        return false;
    Attach(block);
    return true;
}

template <typename T, typename Traits>
bool TStringT<T, Traits>::PrepareWrite(int count)
{
    if (IsExclusive() && Data()->capacity >= count)
        return true;
    ReleaseBlock();
    Attach(SStringData::Empty());
    return count <= 0 || AllocBuffer(count);
}

template <typename T, typename Traits>
bool TStringT<T, Traits>::ReallocBuffer(int count)
{
    if (count < 0)
        return false;
    SStringData* const data = Data();
    if (count == 0) {
        ReleaseBlock();
        Attach(SStringData::Empty());
        return true;
    }
    if (data->refs == 1) {
        // Only a successful reallocation replaces the block; a failed one keeps it.
        SStringData* const grown = SStringData::Realloc(data, count, sizeof(T));
        if (!grown)
            return false;
        Attach(grown);
        return true;
    }
    SStringData* const block = SStringData::Alloc(count, sizeof(T));
    if (!block)
        return false;
    memcpy(block->Chars<T>(), m_chars, std::min(count, data->length) * sizeof(T));
    ReleaseBlock();
    Attach(block);
    return true;
}

template <typename T, typename Traits>
T* TStringT<T, Traits>::MakeExclusive()
{
    SStringData* const data = Data();
    if (!data->IsShared())
        return m_chars;
    SStringData* const copy = SStringData::Alloc(data->length, sizeof(T));
    if (!copy)
        return nullptr;
    memcpy(copy->Chars<T>(), m_chars, data->length * sizeof(T));
    data->Release();
    Attach(copy);
    return m_chars;
}

// --- reading and editing (wide form) --------------------------------------------

namespace {

// Whether `p` points into the block whose characters start at `chars`: such a
// source must outlive a reallocation of that block.
template <typename T>
bool PointsInto(const T* p, const T* chars, int capacity)
{
    const auto at = reinterpret_cast<uintptr_t>(p);
    const auto begin = reinterpret_cast<uintptr_t>(chars);
    return at >= begin && at <= begin + capacity * sizeof(T);
}

}  // namespace

template <typename T, typename Traits>
bool TStringT<T, Traits>::CopyRangeInto(TStringT& dest, int copyLength, int start, int extraLength) const
{
    if (copyLength < 0 || extraLength < 0 || copyLength > INT_MAX - extraLength)
        return false;
    TStringT fresh;
    if (!fresh.AllocBuffer(copyLength + extraLength))
        return false;
    if (copyLength > 0)
        memcpy(fresh.m_chars, m_chars + start, copyLength * sizeof(T));
    dest = std::move(fresh);
    return true;
}

template <typename T, typename Traits>
TStringT<T, Traits> TStringT<T, Traits>::Left(int count) const
{
    TStringT result;
    if (count > 0)
        CopyRangeInto(result, std::min(count, GetLength()), 0, 0);
    return result;
}

template <typename T, typename Traits>
TStringT<T, Traits> TStringT<T, Traits>::Right(int count) const
{
    const int length = GetLength();
    count = std::clamp(count, 0, length);
    TStringT result;
    CopyRangeInto(result, count, length - count, 0);
    return result;
}

template <typename T, typename Traits>
TStringT<T, Traits> TStringT<T, Traits>::Mid(int start, int count) const
{
    const int length = GetLength();
    start = std::max(start, 0);
    count = std::max(count, 0);
    TStringT result;
    if (start > length)
        return result;
    // Against the remaining length: start + count may not fit an int.
    count = std::min(count, length - start);
    CopyRangeInto(result, count, start, 0);
    return result;
}

template <typename T, typename Traits>
TStringT<T, Traits> TStringT<T, Traits>::Mid(int start) const
{
    return Mid(start, INT_MAX);
}

template <typename T, typename Traits>
int TStringT<T, Traits>::Find(T ch, int start) const
{
    const int length = GetLength();
    for (int i = std::max(start, 0); i < length; ++i) {
        if (m_chars[i] == ch)
            return i;
    }
    return -1;
}

template <typename T, typename Traits>
int TStringT<T, Traits>::Find(const T* text, int start) const
{
    start = std::max(start, 0);
    if (!text || start > GetLength())
        return -1;
    if (!*text)
        return start;   // Wine's wcsstr finds nothing in an empty text
    const T* const hit = wcsstr(m_chars + start, text);
    return hit ? static_cast<int>(hit - m_chars) : -1;
}

template <typename T, typename Traits>
int TStringT<T, Traits>::ReplaceAll(const T* from, const T* to)
{
    if (!from || !*from)
        return 0;
    if (!to)
        to = L"";
    const int fromLength = Traits::Length(from);
    const int toLength = Traits::Length(to);
    const int oldLength = GetLength();

    // Runs between embedded 0 characters are searched one by one.
    int count = 0;
    for (const T* run = m_chars; run < m_chars + oldLength; run += wcslen(run) + 1) {
        for (const T* hit = wcsstr(run, from); hit; hit = wcsstr(hit + fromLength, from))
            ++count;
    }
    if (count == 0)
        return 0;
    const int64_t newLength64 = oldLength + static_cast<int64_t>(toLength - fromLength) * count;
    if (newLength64 > INT_MAX)
        return -1;
    const int newLength = static_cast<int>(newLength64);

    // A text from this string's own block stays alive in `keep` while the block moves.
    TStringT keep;
    if (PointsInto(from, m_chars, Data()->capacity) || PointsInto(to, m_chars, Data()->capacity))
        keep = *this;
    if (!MakeExclusive())
        return -1;
    if (Data()->capacity < newLength) {
        if (!ReallocBuffer(newLength))
            return -1;
        m_chars[oldLength] = 0;
    }

    T* end = m_chars + oldLength;
    for (T* run = m_chars; run < end; run += wcslen(run) + 1) {
        for (T* hit = wcsstr(run, from); hit; hit = wcsstr(hit + toLength, from)) {
            memmove(hit + toLength, hit + fromLength, (end - hit - fromLength) * sizeof(T));
            memcpy(hit, to, toLength * sizeof(T));
            end += toLength - fromLength;
            *end = 0;
        }
    }
    SetLength(newLength);
    return count;
}

template <typename T, typename Traits>
bool TStringT<T, Traits>::AppendChars(int count, const T* chars)
{
    if (count == 0)
        return true;
    const int length = GetLength();
    if (count < 0 || !chars || count > INT_MAX - length)
        return false;
    if (IsExclusive() && Data()->capacity >= length + count) {
        memmove(m_chars + length, chars, count * sizeof(T));
        SetLength(length + count);
        return true;
    }
    TStringT keep;
    if (PointsInto(chars, m_chars, Data()->capacity))
        keep = *this;
    if (!ReallocBuffer(length + count))
        return false;
    memcpy(m_chars + length, chars, count * sizeof(T));
    return true;
}

template <typename T, typename Traits>
TStringT<T, Traits>& TStringT<T, Traits>::operator+=(const TStringT& other)
{
    // A shared copy keeps the source alive when it is this string.
    const TStringT copy(other);
    (void)AppendChars(copy.GetLength(), copy.m_chars);   // += has no failure to report
    return *this;
}

template <typename T, typename Traits>
TStringT<T, Traits>& TStringT<T, Traits>::operator+=(const T* text)
{
    if (text)
        (void)AppendChars(Traits::Length(text), text);
    return *this;
}

template <typename T, typename Traits>
TStringT<T, Traits>& TStringT<T, Traits>::operator+=(T ch)
{
    (void)AppendChars(1, &ch);
    return *this;
}

template <typename T, typename Traits>
bool TStringT<T, Traits>::ConcatCopy(int count1, const T* chars1, int count2, const T* chars2)
{
    if (count1 < 0 || count2 < 0 || count1 > INT_MAX - count2)
        return false;
    TStringT fresh;
    if (!fresh.AllocBuffer(count1 + count2))
        return false;
    if (count1 > 0)
        memcpy(fresh.m_chars, chars1, count1 * sizeof(T));
    if (count2 > 0)
        memcpy(fresh.m_chars + count1, chars2, count2 * sizeof(T));
    *this = std::move(fresh);
    return true;
}

template <typename T, typename Traits>
void TStringT<T, Traits>::MakeLower()
{
    if (T* const chars = MakeExclusive())
        _wcslwr(chars);
}

template <typename T, typename Traits>
T* TStringT<T, Traits>::GetBuffer(int minLength)
{
    SStringData* const data = Data();
    if (IsExclusive() && data->capacity >= minLength)
        return m_chars;
    return ReallocBuffer(std::max(data->length, minLength)) ? m_chars : nullptr;
}

template <typename T, typename Traits>
void TStringT<T, Traits>::ReleaseBuffer(int length)
{
    if (!MakeExclusive())
        return;
    // Never past the block, whatever the caller wrote or claims.
    const int capacity = Data()->capacity;
    if (length < 0) {
        length = 0;
        while (length < capacity && m_chars[length] != 0)
            ++length;
    }
    SetLength(std::min(length, capacity));
}

template <typename T, typename Traits>
T* TStringT<T, Traits>::GetBufferSetLength(int length)
{
    length = std::max(length, 0);
    T* const chars = GetBuffer(length);
    if (chars)
        SetLength(length);
    return chars;
}

template <typename T, typename Traits>
bool TStringT<T, Traits>::FormatV(const T* format, va_list args)
{
    if (!format || !*format) {
        Empty();
        return false;
    }
    va_list counting;
    va_copy(counting, args);
    const int count = _vscwprintf_l(format, nullptr, counting);
    va_end(counting);
    if (count < 1 || count >= INT_MAX / static_cast<int>(sizeof(T))) {
        Empty();
        return false;
    }
    std::unique_ptr<T, MemDeleter> buffer(static_cast<T*>(MemAlloc((count + 1) * sizeof(T))));
    if (!buffer) {
        Empty();
        return false;
    }
    _vswprintf_s_l(buffer.get(), count + 1, format, nullptr, args);
    *this = TStringT(buffer.get(), count);
    return GetLength() == count;
}

template <typename T, typename Traits>
bool TStringT<T, Traits>::FormatList(const T* format, ...)
{
    va_list args;
    va_start(args, format);
    const bool formatted = FormatV(format, args);
    va_end(args);
    return formatted;
}

template <typename T, typename Traits>
void TStringT<T, Traits>::AppendFormatList(const T* format, ...)
{
    TStringT piece;
    va_list args;
    va_start(args, format);
    const bool formatted = piece.FormatV(format, args);
    va_end(args);
    if (formatted)
        *this += piece;
}

template <typename T, typename Traits>
int TStringT<T, Traits>::Compare(const T* text) const
{
    return wcscmp(m_chars, text ? text : L"");
}

template <typename T, typename Traits>
int TStringT<T, Traits>::CompareNoCase(const T* text) const
{
    return _wcsicmp(m_chars, text ? text : L"");
}

// The wide form has every operation; the narrow one construction, assignment and
// reading only (its other members are deleted in the header).
template class TStringT<wchar_t, wchar_traits>;
template TStringT<char, char_traits>::TStringT(const char*);
template TStringT<char, char_traits>::TStringT(const char*, int);
template TStringT<char, char_traits>::TStringT(const TStringT&);
template TStringT<char, char_traits>::~TStringT();
template TStringT<char, char_traits>& TStringT<char, char_traits>::operator=(const TStringT&);
template TStringT<char, char_traits>& TStringT<char, char_traits>::operator=(TStringT&&) noexcept;
template TStringT<char, char_traits>& TStringT<char, char_traits>::operator=(const char*);
template bool TStringT<char, char_traits>::AssignChars(int, const char*);
template void TStringT<char, char_traits>::Empty();

// --- free operators -----------------------------------------------------------------

SStringW operator+(const SStringW& left, const SStringW& right)
{
    SStringW result;
    (void)result.ConcatCopy(left.GetLength(), left.c_str(), right.GetLength(), right.c_str());
    return result;
}

SStringW operator+(const SStringW& left, const wchar_t* right)
{
    SStringW result;
    (void)result.ConcatCopy(left.GetLength(), left.c_str(), right ? wchar_traits::Length(right) : 0, right);
    return result;
}

SStringW operator+(const wchar_t* left, const SStringW& right)
{
    SStringW result;
    (void)result.ConcatCopy(left ? wchar_traits::Length(left) : 0, left, right.GetLength(), right.c_str());
    return result;
}

bool operator==(const SStringW& left, const wchar_t* right)
{
    return left.Compare(right) == 0;
}

bool operator==(const wchar_t* left, const SStringW& right)
{
    return right.Compare(left) == 0;
}

bool operator==(const SStringW& left, const SStringW& right)
{
    return left.Compare(right) == 0;
}

bool operator!=(const SStringW& left, const wchar_t* right)
{
    return left.Compare(right) != 0;
}

bool operator!=(const SStringW& left, const SStringW& right)
{
    return left.Compare(right) != 0;
}

bool operator<(const SStringW& left, const SStringW& right)
{
    return left.Compare(right) < 0;
}

}  // namespace SAKU
