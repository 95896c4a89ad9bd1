#pragma once

// Providers of the tests' own making over the library's provider interface: one
// over resources held in memory, and one that counts the calls reaching the real
// provider it wraps.

#include "core/SAutoRef.h"
#include "res.mgr/IResProvider.h"

#include <cwctype>
#include <map>
#include <string>

namespace saku_test {

// Resources given as bytes, by type and name in any case. Loads nothing but raw data.
class MemoryProvider : public SAKU::TObjRefImpl<SAKU::IResProvider> {
public:
    void Add(const std::wstring& type, const std::wstring& name, const std::string& bytes)
    {
        m_resources[Key(type.c_str(), name.c_str())] = bytes;
    }

    BOOL Init(WPARAM, LPARAM) override { return TRUE; }
    BOOL HasResource(LPCWSTR type, LPCWSTR name) override { return Find(type, name) != nullptr; }
    HICON LoadIcon(LPCWSTR, int, int) override { return nullptr; }
    HBITMAP LoadBitmap(LPCWSTR) override { return nullptr; }
    HCURSOR LoadCursor(LPCWSTR) override { return nullptr; }
    SAKU::IBitmap* LoadImage(LPCWSTR, LPCWSTR) override { return nullptr; }
    SAKU::IImgX* LoadImgX(LPCWSTR, LPCWSTR) override { return nullptr; }
    size_t GetRawDataSize(LPCWSTR type, LPCWSTR name) override
    {
        const std::string* bytes = Find(type, name);
        return bytes ? bytes->size() : 0;
    }
    BOOL GetRawData(LPCWSTR type, LPCWSTR name, void* buffer, size_t size) override
    {
        const std::string* bytes = Find(type, name);
        if (!bytes || bytes->empty())
            return FALSE;
        if (size < bytes->size()) {
            ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return FALSE;
        }
        bytes->copy(static_cast<char*>(buffer), bytes->size());
        return TRUE;
    }

private:
    static std::wstring Key(LPCWSTR type, LPCWSTR name)
    {
        std::wstring key = std::wstring(type ? type : L"") + L":" + (name ? name : L"");
        for (auto& c : key)
            c = static_cast<wchar_t>(std::towlower(c));
        return key;
    }
    const std::string* Find(LPCWSTR type, LPCWSTR name) const
    {
        const auto found = m_resources.find(Key(type, name));
        return found == m_resources.end() ? nullptr : &found->second;
    }

    std::map<std::wstring, std::string> m_resources;
};

// Passes every call on to `inner` and counts it by operation.
class CountingProvider : public SAKU::TObjRefImpl<SAKU::IResProvider> {
public:
    explicit CountingProvider(SAKU::IResProvider* inner) : m_inner(inner) {}

    int Calls(const std::string& operation) const
    {
        const auto found = m_calls.find(operation);
        return found == m_calls.end() ? 0 : found->second;
    }
    int AllCalls() const
    {
        int all = 0;
        for (const auto& call : m_calls)
            all += call.second;
        return all;
    }

    BOOL Init(WPARAM first, LPARAM second) override { return Count("Init", m_inner->Init(first, second)); }
    BOOL HasResource(LPCWSTR type, LPCWSTR name) override
    {
        return Count("HasResource", m_inner->HasResource(type, name));
    }
    HICON LoadIcon(LPCWSTR name, int cx, int cy) override { return Count("LoadIcon", m_inner->LoadIcon(name, cx, cy)); }
    HBITMAP LoadBitmap(LPCWSTR name) override { return Count("LoadBitmap", m_inner->LoadBitmap(name)); }
    HCURSOR LoadCursor(LPCWSTR name) override { return Count("LoadCursor", m_inner->LoadCursor(name)); }
    SAKU::IBitmap* LoadImage(LPCWSTR type, LPCWSTR name) override
    {
        return Count("LoadImage", m_inner->LoadImage(type, name));
    }
    SAKU::IImgX* LoadImgX(LPCWSTR type, LPCWSTR name) override
    {
        return Count("LoadImgX", m_inner->LoadImgX(type, name));
    }
    size_t GetRawDataSize(LPCWSTR type, LPCWSTR name) override
    {
        return Count("GetRawDataSize", m_inner->GetRawDataSize(type, name));
    }
    BOOL GetRawData(LPCWSTR type, LPCWSTR name, void* buffer, size_t size) override
    {
        return Count("GetRawData", m_inner->GetRawData(type, name, buffer, size));
    }

private:
    template <typename R>
    R Count(const char* operation, R result)
    {
        ++m_calls[operation];
        return result;
    }

    SAKU::SAutoRef<SAKU::IResProvider> m_inner;
    std::map<std::string, int> m_calls;
};

}  // namespace saku_test
