#include "sysutil/SysUtilRegistry.h"

#include <windows.h>

#include <cwchar>
#include <limits>

namespace tivala::SysUtil {

namespace {

constexpr DWORD kMaxValueChars = 259;   // the buffer keeps one more, a zero, for values stored without one

}  // namespace

UniqueRegKey OpenOrCreateKey(HKEY root, const std::wstring& subkey, REGSAM access, bool create)
{
    UniqueRegKey key;
    if (::RegOpenKeyExW(root, subkey.c_str(), 0, access, key.Put()) == ERROR_SUCCESS)
        return key;
    key.Release();   // a failed open leaves nothing to close, whatever it wrote
    if (!create)
        return {};
    if (::RegCreateKeyExW(root, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key.Put(),
                          nullptr) != ERROR_SUCCESS) {
        key.Release();
        return {};
    }
    return key;
}

std::wstring ReadRegString(HKEY key, const std::wstring& valueName)
{
    wchar_t text[kMaxValueChars + 1] = {};
    DWORD type = 0;
    DWORD bytes = kMaxValueChars * sizeof(wchar_t);
    if (::RegQueryValueExW(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes) != ERROR_SUCCESS)
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ)   // a number or binary read as text would be noise
        return {};
    return text;
}

std::wstring ReadRegStringAt(HKEY root, const std::wstring& subkey, const std::wstring& valueName)
{
    const UniqueRegKey key = OpenOrCreateKey(root, subkey, KEY_ALL_ACCESS, false);
    if (!key)
        return {};
    return ReadRegString(key.Get(), valueName);
}

bool WriteUserRegString(const std::wstring& subkey, const std::wstring& valueName, const std::wstring& text)
{
    if (text.size() > std::numeric_limits<DWORD>::max() / sizeof(wchar_t))
        return false;
    const UniqueRegKey key = OpenOrCreateKey(HKEY_CURRENT_USER, subkey, KEY_ALL_ACCESS, true);
    if (!key)
        return false;
    const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));   // no terminating zero
    return ::RegSetValueExW(key.Get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes) ==
           ERROR_SUCCESS;
}

}  // namespace tivala::SysUtil
